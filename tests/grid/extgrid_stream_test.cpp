// The grid control's cell stream: two grids exchange a range through a
// memory stream, each stream carries the number of the grid that wrote it,
// and the shared virtual check box stays shared.
#include "grid/extgrid.h"

#include "grid/cellstream.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

TEST(ExtGridStream, RangeGoesFromOneGridToAnotherThroughAMemoryStream)
{
    TExtStringGrid source;
    source.SetColCount(5);
    source.SetRowCount(5);
    source.SetCells(1, 1, "um");
    source.SetCells(2, 2, "dois");
    source.GetCellProperties(2, 2)->SetBrushColor(clAqua);
    source.SetCellGraphic(1, 2, source.VirtCheckBoxGraphic());

    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    stream.write("prefix");
    source.SaveCellsToStream(1, 1, 2, 2, stream);
    EXPECT_EQ(stream.pos(), stream.size());

    TExtStringGrid target;
    target.SetColCount(6);
    target.SetRowCount(6);
    target.SetCells(5, 5, "kept");
    stream.seek(6);
    target.LoadCellsFromStream(3, 3, stream);
    EXPECT_EQ(stream.pos(), stream.size());
    EXPECT_EQ(target.Cells(3, 3), "um");
    EXPECT_EQ(target.Cells(4, 4), "dois");
    EXPECT_EQ(target.Cells(5, 5), "kept");
    EXPECT_EQ(target.GetCellProperties(4, 4)->BrushColor(), clAqua);
    // The virtual check box is the target's own shared graphic.
    EXPECT_EQ(target.GetCellGraphic(3, 4), target.VirtCheckBoxGraphic());

    // The range record names the grid that wrote it.
    EXPECT_NE(source.StreamID(), target.StreamID());
    TGridPropIO range;
    range.Read(TStreamReader(stream.data(), 6).ReadRecord());
    EXPECT_EQ(range.ID, source.StreamID());
    EXPECT_EQ(range.ColCount, 2);
    EXPECT_EQ(range.RowCount, 2);
}

TEST(ExtGridStream, AFaultyStreamRaisesTheReadingErrorAndKeepsTheCellsBeforeIt)
{
    TExtStringGrid source;
    source.SetColCount(3);
    source.SetRowCount(3);
    source.SetCells(0, 0, "a");
    source.SetCells(1, 1, "b");
    QBuffer stream;
    source.SaveCellsToStream(0, 0, 1, 1, stream);
    QByteArray bytes = stream.data();
    bytes.chop(3);
    QBuffer cut(&bytes);
    cut.open(QIODevice::ReadOnly);
    TExtStringGrid target;
    target.SetColCount(3);
    target.SetRowCount(3);
    EXPECT_THROW(target.LoadCellsFromStream(1, 1, cut), EReadError);
    EXPECT_EQ(target.Cells(1, 1), "a");
    EXPECT_EQ(target.Cells(2, 2), "");
}

TEST(ExtGridStream, WholeGridSetsTheControlsSize)
{
    TExtStringGrid source;
    source.SetColCount(2);
    source.SetRowCount(3);
    source.SetCells(1, 2, "z");
    QBuffer stream;
    source.SaveCellsToStream(0, 0, 1, 2, stream);
    stream.seek(0);
    TExtStringGrid target;
    target.SetColCount(7);
    target.SetRowCount(7);
    target.LoadCellsFromStream(0, 0, stream);
    EXPECT_EQ(target.ColCount(), 2);
    EXPECT_EQ(target.RowCount(), 3);
    EXPECT_EQ(target.Cells(1, 2), "z");
}

} // namespace
