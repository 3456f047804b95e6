// The formats of an incoming drag, as a drop target reads them: the input
// is cut into the payloads of the column, rich-text, text and URL formats
// (the first byte says which are present and which flags the target has),
// which go through Qt's drag events to a target widget. A column is
// delivered only from a 4-byte payload naming a column of the target, and
// at most one of column, rich text and text is delivered per drop.
#include "tests/fuzz/support/fuzz.h"

#include "grid/esgdd.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace {

class CountingTarget : public TESGDropTarget {
public:
    using TESGDropTarget::TESGDropTarget;
    int deliveries = 0;
    int column = -1;
    void DropText(QPoint, const QString&) override { ++deliveries; }
    void DropCol(QPoint, int Column) override
    {
        ++deliveries;
        column = Column;
    }
    void DropRTF(QPoint, const QString&) override { ++deliveries; }
    bool IsValidColumn(int Column) override { return Column >= 0 && Column < 40; }
};

} // namespace

std::vector<std::string> FuzzSeeds()
{
    return {
        std::string("\x0f\x00", 2) + std::string("\x03\x00\x00\x00", 4) + "\x01{\\rtf1 x}\x01text\x01file:///tmp/a.csv",
        std::string("\x7f", 1) + "\x05\x00\x00\x01{\\rtf1}\x01\x01",
        std::string("\x4c", 1) + std::string("\x27\x00\x00\x00\x00", 5) + "\x01\x01plain",
        std::string("\x44", 1) + std::string("\xff\xff\xff\xff", 4),
    };
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    if (size < 1)
        return 0;
    const unsigned flags = data[0];
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    const QList<QByteArray> parts = rest.split('\x01');

    QMimeData mime;
    if (flags & 1)
        mime.setData(kMimeGridColumn, parts.value(0));
    if (flags & 2)
        mime.setData(kMimeRichText, parts.value(1));
    if (flags & 4)
        mime.setData(kMimePlainText, parts.value(2));
    if (flags & 8)
        mime.setData("text/uri-list", parts.value(3));

    RichTextAllowed = flags & 16;
    QWidget widget;
    CountingTarget target(&widget);
    target.AcceptCols = flags & 32;
    target.AcceptText = flags & 64;
    target.AcceptFiles = !(flags & 128);

    const TEnumFormats formats(&mime);
    const int column = formats.Column();
    FuzzCheck(column == -1 || (column >= 0 && parts.value(0).size() == 4 && (flags & 1)), "a column only from 4 bytes");
    (void)formats.RTF();
    (void)formats.Files();

    const Qt::KeyboardModifiers mods = (flags & 64) ? Qt::ControlModifier : Qt::NoModifier;
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, mods);
    QApplication::sendEvent(&widget, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, mods);
    QApplication::sendEvent(&widget, &drop);
    FuzzCheck(target.deliveries <= 1, "one delivery per drop");
    FuzzCheck(target.column == -1 || (target.column >= 0 && target.column < 40), "a delivered column is a column");
    RichTextAllowed = false;
    return 0;
}
