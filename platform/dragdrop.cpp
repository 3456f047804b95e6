#include "platform/dragdrop.h"

#include <QDrag>
#include <QMimeData>
#include <QObject>
#include <QWidget>

#include <cstdint>

const char* const kMimePlainText = "text/plain";
const char* const kMimeRichText = "text/rtf";
const char* const kMimeGridColumn = "application/x-qt-windows-mime;value=\"Grid Column\"";

namespace {

TDragLoop* installedLoop = nullptr;

Qt::DropActions ToQt(int effects)
{
    Qt::DropActions actions;
    if (effects & DROPEFFECT_COPY)
        actions |= Qt::CopyAction;
    if (effects & DROPEFFECT_MOVE)
        actions |= Qt::MoveAction;
    if (effects & DROPEFFECT_LINK)
        actions |= Qt::LinkAction;
    return actions;
}

int FromQt(Qt::DropAction action)
{
    switch (action) {
    case Qt::CopyAction: return DROPEFFECT_COPY;
    case Qt::MoveAction:
    case Qt::TargetMoveAction: return DROPEFFECT_MOVE;
    case Qt::LinkAction: return DROPEFFECT_LINK;
    default: return DROPEFFECT_NONE;
    }
}

} // namespace

HRESULT QDragLoop::DoDragDrop(QWidget* source, QMimeData* data, TDragSourceCallbacks& callbacks, int okEffects,
                              int& effect)
{
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    QObject::connect(drag, &QDrag::actionChanged, drag,
                     [&callbacks](Qt::DropAction action) { callbacks.GiveFeedback(FromQt(action)); });
    const Qt::DropAction result = drag->exec(ToQt(okEffects));
    drag->deleteLater();
    effect = FromQt(result);
    return effect == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
}

TDragLoop& CurrentDragLoop()
{
    static QDragLoop qtLoop;
    return installedLoop ? *installedLoop : qtLoop;
}

void SetDragLoop(TDragLoop* loop)
{
    installedLoop = loop;
}

int DecodeGridColumn(const QByteArray& payload)
{
    if (payload.size() != 4)
        return -1;
    const auto b = [&](int i) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(payload[i])); };
    const auto value = static_cast<std::int32_t>(b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24);
    return value < 0 ? -1 : value;
}

QByteArray EncodeGridColumn(int column)
{
    const auto v = static_cast<std::uint32_t>(column);
    QByteArray out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}
