// Text dropped on a grid from another application: the first byte chooses
// the grid's switches, the second the cell under the drop, the rest is the
// text. The drop goes through Qt's drag events to a shown grid; the grid
// grows only as far as the text's lines and values reach, and the text is
// pasted without a box or a crash.
#include "tests/fuzz/support/fuzz.h"

#include "grid/extgrid.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

#include <algorithm>

std::vector<std::string> FuzzSeeds()
{
    return {
        std::string("\x00\x11", 2) + "a\tb\r\nc\td",
        std::string("\x01\x23", 2) + "x\r\ny\r\nz\r\n",
        std::string("\x1e\x00", 2) + "\t\t\t\t\t\t\r\r\n\r",
        std::string("\x06\x14", 2) + "{\\rtf1 x}\tlonga\xc3\xa7\xc3\xa3o\r\n\t",
    };
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    if (size < 2 || size > 4096)
        return 0;
    const unsigned flags = data[0];
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data) + 2, static_cast<qsizetype>(size - 2));

    TExtStringGrid grid;
    grid.setGeometry(0, 0, 300, 200);
    grid.SetColCount(4);
    grid.SetRowCount(5);
    grid.SetOptions(grid.Options() | goEditing | ((flags & 2) ? goRowSelect : 0u));
    grid.DragDropSettings()->OleInsertRows = flags & 1;
    grid.DragDropSettings()->OleEntireRows = flags & 4;
    grid.Navigation()->AllowClipboardColGrow = flags & 8;
    grid.Navigation()->AllowClipboardRowGrow = flags & 16;
    grid.FixedRowAlways = flags & 32;
    grid.DragDropSettings()->SetOleDropTarget(true);
    grid.show();

    const TRect cell = grid.CellRect(data[1] & 3, (data[1] >> 4) % 5);
    const QPoint at = cell.ToQRect().center();
    QMimeData mime;
    mime.setText(text);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &drop);

    const qsizetype lines = text.count(QLatin1Char('\r')) + 1;
    const qsizetype values = text.count(QLatin1Char('\t')) + 1;
    FuzzCheck(grid.RowCount() <= 5 + lines + 1, "rows grow only by the text's lines");
    FuzzCheck(grid.ColCount() <= 4 + values, "columns grow only by the text's values");
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c)
            (void)grid.Cells(c, r);
    return 0;
}
