// The grid control's cell stream: two grids exchange a range through a
// memory stream, each stream carries the number of the grid that wrote it,
// and the shared virtual check box stays shared.
#include "grid/extgrid.h"

#include "grid/cellstream.h"
#include "tests/grid/roundtripmodel.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <random>

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

// ---- round trips

struct RoundTripCase {
    const char* name;
    roundtrip::Path path;
    bool whole;
    bool atOrigin;
};

class ExtGridRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtGridRoundTrip,
    ::testing::Values(RoundTripCase{"WholeStreamAtOrigin", roundtrip::Path::Stream, true, true},
                      RoundTripCase{"WholeStreamElsewhere", roundtrip::Path::Stream, true, false},
                      RoundTripCase{"PartStreamAtOrigin", roundtrip::Path::Stream, false, true},
                      RoundTripCase{"PartStreamElsewhere", roundtrip::Path::Stream, false, false},
                      RoundTripCase{"WholeClipboardAtOrigin", roundtrip::Path::Clipboard, true, true},
                      RoundTripCase{"WholeClipboardElsewhere", roundtrip::Path::Clipboard, true, false},
                      RoundTripCase{"PartClipboardAtOrigin", roundtrip::Path::Clipboard, false, true},
                      RoundTripCase{"PartClipboardElsewhere", roundtrip::Path::Clipboard, false, false}),
    [](const auto& row) { return std::string(row.param.name); });

// Random grids with merged blocks and graphics on covered cells: what was
// saved is what comes back, a block cut by a partial range (or by the
// target's edge) cut to what arrived, nothing else touched.
TEST_P(ExtGridRoundTrip, WhatIsSavedComesBack)
{
    const RoundTripCase& c = GetParam();
    for (unsigned seed = 0; seed < 200; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const roundtrip::Pick pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        roundtrip::ProbeGrid source(2 + pick(6), 2 + pick(6));
        roundtrip::FillAtRandom(source, pick);
        TGridRect range{0, 0, source.ColCount() - 1, source.RowCount() - 1};
        if (!c.whole) {
            range.Left = pick(source.ColCount());
            range.Top = pick(source.RowCount());
            range.Right = range.Left + pick(source.ColCount() - range.Left);
            range.Bottom = range.Top + pick(source.RowCount() - range.Top);
            if (range.Left == 0 && range.Top == 0)
                range.Left = range.Right = source.ColCount() - 1; // never the whole grid
        }
        roundtrip::MarkTopLeft(source, range);
        const int col = c.atOrigin ? 0 : 1 + pick(3);
        const int row = c.atOrigin ? 0 : 1 + pick(3);
        // A partial copy keeps the target's size, which may cut it.
        roundtrip::ProbeGrid target(1 + pick(9), 1 + pick(9));
        roundtrip::Copy(source, range, target, col, row, c.path);
        const std::string fault = roundtrip::Compare(source, range, target, col, row);
        ASSERT_EQ(fault, "");
    }
}

TEST(ExtGridRoundTrip, AGraphicOnACoveredCellLeavesTheBlocksText)
{
    roundtrip::ProbeGrid grid(4, 4);
    grid.SetCells(1, 1, "bloco");
    grid.MergeCells(1, 1, 2, 2);
    for (const TPoint covered : {TPoint{2, 1}, TPoint{1, 2}, TPoint{2, 2}}) {
        grid.CreateCellGraphic(covered.X, covered.Y)->CellType = ctCheckBox;
        EXPECT_EQ(grid.Cells(covered.X, covered.Y), "bloco");
        EXPECT_EQ(grid.StoredText(1, 1), "bloco");
        EXPECT_EQ(grid.GetCellType(covered.X, covered.Y), ctCheckBox);
        EXPECT_EQ(grid.GetCellType(1, 1), ctEmpty) << "the graphic is the covered cell's own";
    }
}

TEST(ExtGridRoundTrip, AWholeGridPastedElsewhereGrowsTheGridToHoldIt)
{
    roundtrip::ProbeGrid source(3, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            source.SetCells(c, r, QString(QChar('a' + r * 3 + c)));
    source.SetColWidths(2, 91);
    source.SetRowHeights(1, 37);
    roundtrip::ProbeGrid target(2, 2);
    target.SetCells(0, 0, "old");
    roundtrip::Copy(source, {0, 0, 2, 2}, target, 1, 2, roundtrip::Path::Clipboard);
    EXPECT_EQ(target.ColCount(), 4);
    EXPECT_EQ(target.RowCount(), 5);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(target.Cells(1 + c, 2 + r), QString(QChar('a' + r * 3 + c)));
    EXPECT_EQ(target.Cells(0, 0), "") << "a whole grid replaces what was there";
    EXPECT_EQ(target.ColWidths(3), 91);
    EXPECT_EQ(target.RowHeights(3), 37);
}

TEST(ExtGridRoundTrip, ACutBlockNeverPointsOutsideWhatWasPasted)
{
    // A 3 by 3 block at (0, 0); the copy takes its lower right 2 by 2 and a
    // column beside it, and is pasted over an unrelated text.
    roundtrip::ProbeGrid source(4, 3);
    source.SetCells(0, 0, "base");
    source.MergeCells(0, 0, 3, 3);
    source.SetCells(3, 1, "beside");
    roundtrip::ProbeGrid target(6, 6);
    target.SetCells(2, 2, "alheio");
    roundtrip::Copy(source, {1, 1, 3, 2}, target, 3, 3, roundtrip::Path::Clipboard);
    for (int r = 3; r <= 4; ++r)
        for (int c = 3; c <= 4; ++c) {
            EXPECT_FALSE(target.IsMergedCell(c, r)) << c << "," << r;
            EXPECT_EQ(target.BaseCell(c, r), (TPoint{c, r}));
            EXPECT_EQ(target.Cells(c, r), "");
        }
    EXPECT_EQ(target.Cells(5, 3), "beside");
    EXPECT_EQ(target.Cells(2, 2), "alheio");

    // Cut at the right and bottom, the block keeps what the copy holds.
    roundtrip::ProbeGrid second(6, 6);
    roundtrip::Copy(source, {0, 0, 1, 1}, second, 2, 2, roundtrip::Path::Stream);
    EXPECT_EQ(second.CellSpan(2, 2), (TPoint{1, 1}));
    EXPECT_EQ(second.Cells(3, 3), "base");
    EXPECT_FALSE(second.IsMergedCell(4, 4));
}

} // namespace
