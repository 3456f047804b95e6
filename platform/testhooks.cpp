#include "platform/testhooks.h"

#include <QCoreApplication>
#include <QVariant>

namespace {

const char* const kMessageBoxHook = "trivanto.messageBoxHook";
const char* const kModalHook = "trivanto.modalHook";
const char* const kMessageBoxShownHook = "trivanto.messageBoxShownHook";
const char* const kBeepHook = "trivanto.beepHook";

void Store(const char* name, quintptr value)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->setProperty(name, QVariant::fromValue(value));
}

quintptr Load(const char* name)
{
    QCoreApplication* app = QCoreApplication::instance();
    return app ? app->property(name).value<quintptr>() : 0;
}

} // namespace

void SetMessageBoxHook(MessageBoxHook hook)
{
    Store(kMessageBoxHook, reinterpret_cast<quintptr>(hook));
}

MessageBoxHook CurrentMessageBoxHook()
{
    return reinterpret_cast<MessageBoxHook>(Load(kMessageBoxHook));
}

void SetModalHook(ModalHook hook)
{
    Store(kModalHook, reinterpret_cast<quintptr>(hook));
}

ModalHook CurrentModalHook()
{
    return reinterpret_cast<ModalHook>(Load(kModalHook));
}

void SetMessageBoxShownHook(MessageBoxShownHook hook)
{
    Store(kMessageBoxShownHook, reinterpret_cast<quintptr>(hook));
}

MessageBoxShownHook CurrentMessageBoxShownHook()
{
    return reinterpret_cast<MessageBoxShownHook>(Load(kMessageBoxShownHook));
}

void SetBeepHook(BeepHook hook)
{
    Store(kBeepHook, reinterpret_cast<quintptr>(hook));
}

BeepHook CurrentBeepHook()
{
    return reinterpret_cast<BeepHook>(Load(kBeepHook));
}
