#include "platform/application.h"

#include "platform/testhooks.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>

namespace {

struct ButtonSet {
    int flags;
    std::initializer_list<std::pair<QMessageBox::StandardButton, int>> buttons;
};

// Buttons of each box kind, in the order shown, with the answer each gives.
const ButtonSet kButtonSets[] = {
    {MB_OK, {{QMessageBox::Ok, IDOK}}},
    {MB_OKCANCEL, {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}},
    {MB_ABORTRETRYIGNORE,
     {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}}},
    {MB_YESNOCANCEL, {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}}},
    {MB_YESNO, {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}},
    {MB_RETRYCANCEL, {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}},
};

QMessageBox::Icon IconOf(int flags)
{
    switch (flags & 0xF0) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

const ButtonSet& ButtonsOf(int flags)
{
    for (const ButtonSet& set : kButtonSets)
        if (set.flags == (flags & 0x0F))
            return set;
    return kButtonSets[0];
}

} // namespace

void TApplication::Beep()
{
    if (BeepHook hook = CurrentBeepHook())
        hook();
    else
        QApplication::beep();
}

int TApplication::MessageBox(const QString& text, const QString& caption, int flags)
{
    messageBoxShown_ = true;
    const QString shownCaption = caption.isEmpty() ? Title : caption;
    if (MessageBoxHook hook = CurrentMessageBoxHook())
        return hook(MessageBoxCall{text, shownCaption, flags});

    QMessageBox box(IconOf(flags), shownCaption, text, QMessageBox::NoButton, QApplication::activeWindow());
    const ButtonSet& set = ButtonsOf(flags);
    std::vector<std::pair<QAbstractButton*, int>> answers;
    for (const auto& [standard, answer] : set.buttons) {
        QAbstractButton* button = box.addButton(standard);
        button->setProperty("answer", answer);
        answers.emplace_back(button, answer);
    }
    const size_t defaultIndex = static_cast<size_t>((flags >> 8) & 0x0F);
    box.setDefaultButton(static_cast<QPushButton*>(answers[defaultIndex < answers.size() ? defaultIndex : 0].first));
    if (MessageBoxShownHook shown = CurrentMessageBoxShownHook()) {
        const MessageBoxCall call{text, shownCaption, flags};
        QTimer::singleShot(0, &box, [&box, call, shown] { shown(&box, call); });
    }
    box.exec();
    for (const auto& [button, answer] : answers)
        if (box.clickedButton() == button)
            return answer;
    for (const auto& [button, answer] : answers)
        if (answer == IDCANCEL)
            return answer;
    return answers.front().second;
}

void TApplication::ShowException(const std::exception& error)
{
    ShowException(QString::fromUtf8(error.what()));
}

// Every error box of both programs carries the one caption "Erro", the
// default box of an error no handler caught included.
void TApplication::ShowException(const QString& text)
{
    MessageBox(text, QStringLiteral("Erro"), MB_OK | MB_ICONHAND);
}

void TApplication::Guard(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

void TApplication::LoadTranslations()
{
    QCoreApplication* app = QCoreApplication::instance();
    const char* const loaded = "trivanto.translations";
    if (!app || app->property(loaded).toBool())
        return;
    auto* translator = new QTranslator(app);
    if (translator->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        app->setProperty(loaded, true);
    } else {
        delete translator;
    }
}

bool TApplication::TakeMessageBoxShown()
{
    const bool shown = messageBoxShown_;
    messageBoxShown_ = false;
    return shown;
}

namespace {
TApplication theApplication;
}

TApplication* const Application = &theApplication;
