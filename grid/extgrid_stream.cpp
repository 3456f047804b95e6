// The grid control's cell stream and clipboard.
#include "grid/extgrid.h"

#include "grid/cellstream.h"

#include <QBuffer>

#include <atomic>

namespace {

// The cell stream reads and writes the grid through its own graphic rules.
class GridStreamTarget : public TCellStreamTarget {
public:
    explicit GridStreamTarget(TExtStringGrid& Grid) : TCellStreamTarget(Grid), grid_(Grid) {}
    std::int32_t StreamID() const override { return grid_.StreamID(); }
    TCellGraphic* CreateCellGraphic(int ACol, int ARow) override { return grid_.CreateCellGraphic(ACol, ARow); }
    void RemoveCellGraphic(int ACol, int ARow) override { grid_.RemoveCellGraphic(ACol, ARow); }
    void SetGridSize(int ColCount, int RowCount) override
    {
        grid_.SetRowCount(RowCount);
        grid_.SetColCount(ColCount);
    }
    void PlaceVirtCheckBox(int ACol, int ARow) override
    {
        grid_.SetCellGraphic(ACol, ARow, grid_.VirtCheckBoxGraphic());
    }

private:
    TExtStringGrid& grid_;
};

} // namespace

std::int32_t TExtStringGrid::NextStreamID()
{
    static std::atomic<std::int32_t> last{0};
    return ++last;
}

void TExtStringGrid::SaveCellsToStream(int ALeft, int ATop, int ARight, int ABottom, QBuffer& Stream)
{
    GridStreamTarget target(*this);
    QByteArray bytes;
    WriteCellStream(target, ALeft, ATop, ARight, ABottom, bytes);
    if (!Stream.isOpen())
        Stream.open(QIODevice::ReadWrite);
    Stream.write(bytes);
}

void TExtStringGrid::LoadCellsFromStream(int ACol, int ARow, QBuffer& Stream)
{
    if (!Stream.isOpen())
        Stream.open(QIODevice::ReadOnly);
    GridStreamTarget target(*this);
    const qsizetype start = Stream.pos();
    BeginUpdate();
    try {
        ReadCellStream(target, ACol, ARow, Stream.data(), start);
    } catch (...) {
        Stream.seek(Stream.size());
        EndUpdate();
        throw;
    }
    Stream.seek(Stream.size());
    EndUpdate();
}

void TExtStringGrid::SetCellForPaste(int ACol, int ARow, const QString& Value)
{
    const int col = RealColIndex(ACol);
    const QString old = Cells(col, ARow);
    SetCells(col, ARow, Value);
    if (old != Value)
        RepaintCell(ACol, ARow);
}

void TExtStringGrid::ClipboardPasted(int SourceCol, int SourceRow, const TRect& Pasted, bool Copied)
{
    (void)SourceCol, (void)SourceRow, (void)Pasted, (void)Copied;
}
