// Inserting, removing and moving rows and columns of the grid control: the
// cells travel whole, their formatting and graphics with their texts, the
// objects of removed cells are freed, and widths, heights, hidden flags,
// column values, selection marks and merged blocks follow as they should.
#include "grid/extgrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

int liveProps = 0;
int liveGraphics = 0;

// Properties and a graphic that count how many of them are alive, so that a
// test sees which ones the grid freed.
class CountedProps : public TCellProperties {
public:
    CountedProps(TBaseGrid* grid, int col, int row) : TCellProperties(grid, col, row) { ++liveProps; }
    ~CountedProps() override { --liveProps; }
};

class CountedGraphic : public TCellGraphic {
public:
    CountedGraphic() { ++liveGraphics; }
    ~CountedGraphic() override { --liveGraphics; }
};

constexpr int kCols = 6;
constexpr int kRows = 7;

QString Label(int col, int row)
{
    return QStringLiteral("%1,%2").arg(col).arg(row);
}

TColor ColourOf(int col, int row)
{
    return 0x010000 * col + 0x000100 * row + 0x11;
}

int WidthOf(int col)
{
    return 40 + 10 * col;
}

int HeightOf(int row)
{
    return 20 + 3 * row;
}

std::vector<int> Same(int count)
{
    std::vector<int> items;
    for (int i = 0; i < count; ++i)
        items.push_back(i);
    return items;
}

// A grid whose every cell carries its label, a colour in its properties and
// a comment graphic with its label; each column its own width and value,
// each row its own height.
class GridInsert : public ::testing::Test {
protected:
    void SetUp() override
    {
        liveProps = 0;
        liveGraphics = 0;
        grid = std::make_unique<TExtStringGrid>();
        grid->SetColCount(kCols);
        grid->SetRowCount(kRows);
        for (int c = 0; c < kCols; ++c) {
            grid->SetColWidths(c, WidthOf(c));
            grid->SetColumnValue(c, static_cast<std::uint16_t>(100 + c));
        }
        for (int r = 0; r < kRows; ++r)
            grid->SetRowHeights(r, HeightOf(r));
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                grid->SetCells(c, r, Label(c, r));
                auto* props = new CountedProps(grid.get(), c, r);
                props->SetBrushColor(ColourOf(c, r));
                grid->SetCellProperties(c, r, props);
                auto* graphic = new CountedGraphic;
                graphic->CellType = ctComment;
                graphic->CellText = Label(c, r);
                grid->SetCellGraphic(c, r, graphic);
            }
        ASSERT_EQ(liveProps, kCols * kRows);
        ASSERT_EQ(liveGraphics, kCols * kRows);
    }
    void TearDown() override
    {
        grid.reset();
        EXPECT_EQ(liveProps, 0) << "the grid frees every properties object it holds";
        EXPECT_EQ(liveGraphics, 0);
    }

    // Every cell holds what the cell (cols[c], rows[r]) of the starting grid
    // held (-1: a new cell, empty and without objects), and its objects know
    // where they are.
    void ExpectCells(const std::vector<int>& cols, const std::vector<int>& rows)
    {
        ASSERT_EQ(grid->ColCount(), static_cast<int>(cols.size()));
        ASSERT_EQ(grid->RowCount(), static_cast<int>(rows.size()));
        int kept = 0;
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int c = 0; c < grid->ColCount(); ++c) {
                SCOPED_TRACE(Label(c, r).toStdString());
                const int oldCol = cols[static_cast<size_t>(c)];
                const int oldRow = rows[static_cast<size_t>(r)];
                if (oldCol < 0 || oldRow < 0) {
                    EXPECT_EQ(grid->Cells(c, r), QString());
                    EXPECT_FALSE(grid->HasCellProperties(c, r));
                    EXPECT_EQ(grid->CellColor(c, r), clNone);
                    continue;
                }
                ++kept;
                EXPECT_EQ(grid->Cells(c, r), Label(oldCol, oldRow));
                EXPECT_EQ(grid->CellColor(c, r), ColourOf(oldCol, oldRow));
                const TCellGraphic* graphic = grid->GetCellGraphicObject(c, r);
                ASSERT_NE(graphic, nullptr);
                EXPECT_EQ(graphic->CellText, Label(oldCol, oldRow));
                const TCellProperties* props = grid->GetCellProperties(c, r);
                EXPECT_EQ(props->OwnerCol, c);
                EXPECT_EQ(props->OwnerRow, r);
            }
        EXPECT_EQ(liveProps, kept) << "the objects of removed cells are freed";
        EXPECT_EQ(liveGraphics, kept);
    }

    void ExpectWidths(const std::vector<int>& cols)
    {
        for (int c = 0; c < grid->ColCount(); ++c) {
            const int old = cols[static_cast<size_t>(c)];
            EXPECT_EQ(grid->ColWidths(c), old < 0 ? grid->DefaultColWidth() : WidthOf(old)) << c;
        }
    }
    void ExpectColumnValues(const std::vector<int>& cols)
    {
        for (int c = 0; c < grid->ColCount(); ++c) {
            const int old = cols[static_cast<size_t>(c)];
            EXPECT_EQ(grid->ColumnValue(c), old < 0 ? 0 : 100 + old) << c;
        }
    }
    void ExpectHeights(const std::vector<int>& rows)
    {
        for (int r = 0; r < grid->RowCount(); ++r) {
            const int old = rows[static_cast<size_t>(r)];
            EXPECT_EQ(grid->RowHeights(r), old < 0 ? grid->DefaultRowHeight() : HeightOf(old)) << r;
        }
    }

    std::unique_ptr<TExtStringGrid> grid;
};

// ---- the table: each change, and where every old cell lands

struct ChangeCase {
    const char* name;
    bool enhanced;
    std::function<void(TExtStringGrid&)> change;
    std::vector<int> cols; // old column of each column after the change
    std::vector<int> rows;
    // Widths (heights) stay by position instead of following their column
    // (row).
    bool widthsStay = false;
    bool heightsStay = false;
};

class GridChanges : public GridInsert, public ::testing::WithParamInterface<ChangeCase> {};

const ChangeCase kChanges[] = {
    {"InsertTwoRows", false, [](TExtStringGrid& g) { g.InsertRows(2, 2); }, Same(kCols), {0, 1, -1, -1, 2, 3, 4, 5, 6}},
    {"InsertRowAtTheEnd", false, [](TExtStringGrid& g) { g.InsertRows(kRows, 1); }, Same(kCols),
     {0, 1, 2, 3, 4, 5, 6, -1}},
    {"RemoveTwoRows", false, [](TExtStringGrid& g) { g.RemoveRows(2, 2); }, Same(kCols), {0, 1, 4, 5, 6}},
    {"RemoveRowsPastTheEnd", false, [](TExtStringGrid& g) { g.RemoveRows(5, 9); }, Same(kCols), {0, 1, 2, 3, 4}},
    {"RemoveRowsAtTheirIndex", false, [](TExtStringGrid& g) { g.RemoveRowsAt(1, 3); }, Same(kCols), {0, 4, 5, 6}},
    {"RemoveTheSelectedRows", false,
     [](TExtStringGrid& g) {
         for (int r : {1, 3, 4})
             g.SetRowSelect(r, true);
         g.RemoveSelectedRows();
     },
     Same(kCols), {0, 2, 5, 6}},
    {"InsertTwoColumns", false, [](TExtStringGrid& g) { g.InsertCols(1, 2); }, {0, -1, -1, 1, 2, 3, 4, 5},
     Same(kRows)},
    {"RemoveTwoColumns", false, [](TExtStringGrid& g) { g.RemoveCols(1, 2); }, {0, 3, 4, 5}, Same(kRows)},
    {"RemoveTheLastColumn", false, [](TExtStringGrid& g) { g.RemoveCols(kCols - 1, 1); }, {0, 1, 2, 3, 4},
     Same(kRows)},
    {"MoveColumnRight", false, [](TExtStringGrid& g) { g.MoveColumn(1, 4); }, {0, 2, 3, 4, 1, 5}, Same(kRows),
     true},
    {"MoveColumnLeftEnhanced", true, [](TExtStringGrid& g) { g.MoveColumn(4, 1); }, {0, 4, 1, 2, 3, 5},
     Same(kRows)},
    {"MoveRowDown", false, [](TExtStringGrid& g) { g.MoveRow(1, 5); }, Same(kCols), {0, 2, 3, 4, 5, 1, 6}, false,
     true},
    {"MoveRowUpEnhanced", true, [](TExtStringGrid& g) { g.MoveRow(6, 2); }, Same(kCols), {0, 1, 6, 2, 3, 4, 5}},
    {"MoveOntoItselfChangesNothing", true, [](TExtStringGrid& g) { g.MoveColumn(2, 2); }, Same(kCols),
     Same(kRows)},
    {"MoveThreeRowsDown", false, [](TExtStringGrid& g) { g.MoveRows(1, 3, 3); }, Same(kCols), {0, 4, 5, 1, 2, 3, 6},
     false, true},
    {"MoveTwoRowsUpEnhanced", true, [](TExtStringGrid& g) { g.MoveRows(4, 2, 1); }, Same(kCols),
     {0, 4, 5, 1, 2, 3, 6}},
    {"MoveTwoColumnsRight", false, [](TExtStringGrid& g) { g.MoveCols(1, 2, 3); }, {0, 3, 4, 1, 2, 5}, Same(kRows),
     true},
    {"MoveThreeColumnsLeftEnhanced", true, [](TExtStringGrid& g) { g.MoveCols(3, 3, 0); }, {3, 4, 5, 0, 1, 2},
     Same(kRows)},
    {"RangesReachingPastTheEndMoveNothing", true,
     [](TExtStringGrid& g) {
         g.MoveRows(5, 3, 0);
         g.MoveRows(0, 2, 6);
         g.MoveCols(4, 3, 0);
         g.MoveRows(1, 0, 3);
     },
     Same(kCols), Same(kRows)},
};

INSTANTIATE_TEST_SUITE_P(Cases, GridChanges, ::testing::ValuesIn(kChanges),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_P(GridChanges, CellObjectsTravelWithTheirTexts)
{
    const ChangeCase& c = GetParam();
    grid->EnhRowColMove = c.enhanced;
    c.change(*grid);
    ExpectCells(c.cols, c.rows);
    ExpectWidths(c.widthsStay ? Same(kCols) : c.cols);
    ExpectHeights(c.heightsStay ? Same(kRows) : c.rows);
    ExpectColumnValues(c.cols);
}

// ---- hidden columns

TEST_F(GridInsert, HiddenFlagsAndValuesFollowTheirColumns)
{
    grid->SetColumnVisibleFlag(3, false);
    grid->InsertCols(1, 2);
    EXPECT_EQ(grid->HiddenColCount(), 1);
    EXPECT_EQ(grid->RealColIndex(5), 6) << "the hidden column moved to 5";
    EXPECT_EQ(grid->Cells(5, 1), Label(3, 1));
    EXPECT_EQ(grid->ColumnValue(5), 103);
    grid->RemoveCols(1, 3);
    EXPECT_EQ(grid->HiddenColCount(), 1);
    EXPECT_EQ(grid->RealColIndex(2), 3) << "the hidden column moved back, to 2";
    EXPECT_EQ(grid->Cells(2, 1), Label(3, 1));
    // A hidden column removed takes its flag along.
    grid->RemoveCols(2, 1);
    EXPECT_EQ(grid->HiddenColCount(), 0);
    ExpectCells({0, 2, 4, 5}, Same(kRows));
}

TEST_F(GridInsert, ColumnMovesGoThroughTheHiddenColumns)
{
    // Real columns 0 1 [2] 3 4 5 with 2 hidden: display 1 is real 1, display
    // 3 is real 4.
    grid->SetColumnVisibleFlag(2, false);
    grid->EnhRowColMove = true;
    grid->MoveColumn(1, 3);
    ExpectCells({0, 2, 3, 4, 1, 5}, Same(kRows));
    // The hidden column kept its data and stays hidden; the display order
    // is the old one with display column 1 moved to 3.
    EXPECT_EQ(grid->HiddenColCount(), 1);
    std::vector<QString> shown;
    for (int d = 0; d < 4; ++d)
        shown.push_back(grid->Cells(grid->RealColIndex(d), 1));
    EXPECT_EQ(shown, (std::vector<QString>{Label(0, 1), Label(3, 1), Label(4, 1), Label(1, 1)}));
    EXPECT_EQ(grid->ColWidths(4), WidthOf(1));
    EXPECT_EQ(grid->ColumnValue(4), 101);
}

TEST_F(GridInsert, HiddenColumnsAmongTheMovedOnesGoWithThem)
{
    // Real columns 0 1 [2] 3 4 5 with 2 hidden: display columns 1 and 2
    // are real 1 and 3, and the hidden one between them goes along.
    grid->SetColumnVisibleFlag(2, false);
    grid->EnhRowColMove = true;
    grid->MoveCols(1, 2, 2);
    ExpectCells({0, 4, 1, 2, 3, 5}, Same(kRows));
    EXPECT_EQ(grid->HiddenColCount(), 1);
    EXPECT_EQ(grid->RealColIndex(2), 2) << "display 2 is real column 1 now";
    EXPECT_EQ(grid->RealColIndex(3), 4) << "the hidden column stays between the moved ones";
    ExpectColumnValues({0, 4, 1, 2, 3, 5});
    // Back to the left, before the column shown first.
    grid->MoveCols(2, 2, 0);
    ExpectCells({1, 2, 3, 0, 4, 5}, Same(kRows));
    EXPECT_EQ(grid->RealColIndex(1), 2);
}

TEST_F(GridInsert, TheStringGridsOwnMoveIsTheGridsMove)
{
    // What a drag of a header ends with goes through the hidden columns too.
    grid->SetColumnVisibleFlag(2, false);
    static_cast<TStringGrid&>(*grid).MoveColumn(1, 3);
    EXPECT_EQ(grid->Cells(4, 1), Label(1, 1));
    EXPECT_EQ(grid->ColWidths(4), WidthOf(4)) << "without EnhRowColMove the widths stay";
}

// ---- merged blocks

struct MergeCase {
    const char* name;
    std::function<void(TExtStringGrid&)> change;
    // The block of 2 columns by 3 rows at (2, 2) afterwards: its base cell
    // and size, or no size when it came apart.
    TPoint base;
    TPoint size;
    // The text of the block as read through any of its cells.
    QString text;
};

class GridMergedChanges : public GridInsert, public ::testing::WithParamInterface<MergeCase> {};

const MergeCase kMerges[] = {
    {"RowsInsertedInsideGrowTheBlock", [](TExtStringGrid& g) { g.InsertRows(3, 2); }, {2, 2}, {2, 5}, Label(2, 2)},
    {"RowsInsertedAboveMoveIt", [](TExtStringGrid& g) { g.InsertRows(1, 1); }, {2, 3}, {2, 3}, Label(2, 2)},
    {"ARowRemovedInsideShrinksIt", [](TExtStringGrid& g) { g.RemoveRows(3, 1); }, {2, 2}, {2, 2}, Label(2, 2)},
    {"ItsFirstRowRemovedLeavesTheRest", [](TExtStringGrid& g) { g.RemoveRows(2, 1); }, {2, 2}, {2, 2},
     Label(2, 3)},
    {"SelectedRowsRemovedAcrossItLeaveTheRest",
     [](TExtStringGrid& g) {
         for (int r : {1, 2, 4})
             g.SetRowSelect(r, true);
         g.RemoveSelectedRows();
     },
     {2, 1}, {2, 1}, Label(2, 3)},
    {"ARowRemovedBelowLeavesItWhole", [](TExtStringGrid& g) { g.RemoveRowsAt(5, 1); }, {2, 2}, {2, 3}, Label(2, 2)},
    {"AColumnInsertedInsideGrowsIt", [](TExtStringGrid& g) { g.InsertCols(3, 1); }, {2, 2}, {3, 3}, Label(2, 2)},
    {"AColumnRemovedInsideShrinksIt", [](TExtStringGrid& g) { g.RemoveCols(3, 1); }, {2, 2}, {1, 3}, Label(2, 2)},
    {"AMoveAcrossItCarriesItWhole", [](TExtStringGrid& g) { g.MoveColumn(5, 1); }, {3, 2}, {2, 3}, Label(2, 2)},
    {"ARowMovedPastItCarriesItWhole", [](TExtStringGrid& g) { g.MoveRow(6, 1); }, {2, 3}, {2, 3}, Label(2, 2)},
    {"AMoveIntoItTakesItApart", [](TExtStringGrid& g) { g.MoveColumn(5, 3); }, {2, 2}, {}, Label(2, 2)},
    {"AColumnMovedOutTakesItApart", [](TExtStringGrid& g) { g.MoveColumn(2, 5); }, {5, 2}, {}, Label(2, 2)},
    {"ItsRowsMovedTogetherCarryItWhole", [](TExtStringGrid& g) { g.MoveRows(2, 3, 3); }, {2, 3}, {2, 3},
     Label(2, 2)},
    {"ARangeMovedPastItCarriesItWhole", [](TExtStringGrid& g) { g.MoveRows(0, 2, 5); }, {2, 0}, {2, 3},
     Label(2, 2)},
    {"ARangeCuttingItTakesItApart", [](TExtStringGrid& g) { g.MoveRows(3, 2, 5); }, {2, 2}, {}, Label(2, 2)},
    {"ItsColumnsMovedTogetherCarryItWhole", [](TExtStringGrid& g) { g.MoveCols(2, 2, 0); }, {0, 2}, {2, 3},
     Label(2, 2)},
};

INSTANTIATE_TEST_SUITE_P(Cases, GridMergedChanges, ::testing::ValuesIn(kMerges),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_P(GridMergedChanges, BlocksStayWholeOrComeApartCleanly)
{
    const MergeCase& m = GetParam();
    grid->MergeCells(2, 2, 2, 3);
    m.change(*grid);
    if (m.size.X == 0) {
        // Every cell is a plain one again, the base keeping its text.
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int c = 0; c < grid->ColCount(); ++c)
                EXPECT_FALSE(grid->IsMergedCell(c, r)) << c << "," << r;
        EXPECT_EQ(grid->Cells(m.base.X, m.base.Y), m.text);
        return;
    }
    for (int r = 0; r < m.size.Y; ++r)
        for (int c = 0; c < m.size.X; ++c) {
            const int col = m.base.X + c;
            const int row = m.base.Y + r;
            EXPECT_EQ(grid->BaseCell(col, row), m.base) << col << "," << row;
            EXPECT_EQ(grid->Cells(col, row), m.text);
        }
    EXPECT_EQ(grid->CellSpan(m.base.X, m.base.Y), (TPoint{m.size.X - 1, m.size.Y - 1}));
    EXPECT_FALSE(grid->IsMergedCell(m.base.X + m.size.X, m.base.Y));
    EXPECT_FALSE(grid->IsMergedCell(m.base.X, m.base.Y + m.size.Y));
    if (m.base.Y > 0) {
        EXPECT_FALSE(grid->IsMergedCell(m.base.X, m.base.Y - 1));
    }
}

// ---- other things that follow

TEST_F(GridInsert, SelectedRowsAndScatteredCellsFollowTheirCells)
{
    grid->SetRowSelect(2, true);
    grid->SetRowSelect(5, true);
    grid->SetCellSelected(3, 4, true);
    grid->InsertRows(3, 1);
    EXPECT_TRUE(grid->RowSelect(2));
    EXPECT_FALSE(grid->RowSelect(5));
    EXPECT_TRUE(grid->RowSelect(6));
    EXPECT_TRUE(grid->CellSelected(3, 5));
    grid->MoveRow(6, 1);
    EXPECT_TRUE(grid->RowSelect(1));
    EXPECT_TRUE(grid->RowSelect(3));
    grid->RemoveRows(1, 1);
    EXPECT_TRUE(grid->RowSelect(2));
    EXPECT_FALSE(grid->RowSelect(1));
    grid->RemoveCols(3, 1);
    EXPECT_FALSE(grid->CellSelected(3, 5)) << "the removed cell leaves the list";
}

TEST_F(GridInsert, ARangeMoveCarriesSelectedRowsAndScatteredCells)
{
    grid->SetRowSelect(1, true);
    grid->SetRowSelect(4, true);
    grid->SetCellSelected(2, 2, true);
    grid->SetCellSelected(3, 5, true);
    // Rows 1 and 2 land at 4: the order becomes 0 3 4 5 1 2 6.
    grid->MoveRows(1, 2, 4);
    std::vector<int> flagged;
    for (int r = 0; r < kRows; ++r)
        if (grid->RowSelect(r))
            flagged.push_back(r);
    EXPECT_EQ(flagged, (std::vector<int>{2, 4}));
    EXPECT_TRUE(grid->CellSelected(2, 5));
    EXPECT_TRUE(grid->CellSelected(3, 3));
    EXPECT_FALSE(grid->CellSelected(2, 2));
    EXPECT_FALSE(grid->CellSelected(3, 5));
}

TEST_F(GridInsert, RemovingColumnsTellsOfTheRemovedArea)
{
    std::vector<TRect> changed;
    grid->OnCellsChanged = [&](auto, const TRect& R) { changed.push_back(R); };
    grid->RemoveCols(2, 2);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], (TRect{2, 0, 3, kRows - 1}));
}

TEST_F(GridInsert, OneColumnAndOneRowAlwaysStay)
{
    grid->RemoveCols(0, kCols);
    grid->RemoveRows(0, kRows);
    ASSERT_EQ(grid->ColCount(), 1);
    ASSERT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->Cells(0, 0), Label(kCols - 1, kRows - 1));
    EXPECT_EQ(liveProps, 1);
    EXPECT_EQ(liveGraphics, 1);
}

TEST_F(GridInsert, ClearingColumnsEmptiesTheirTextsOverAllRows)
{
    grid->ClearCols(1, 2);
    for (int r = 0; r < kRows; ++r) {
        EXPECT_EQ(grid->Cells(0, r), Label(0, r));
        EXPECT_EQ(grid->Cells(1, r), QString());
        EXPECT_EQ(grid->Cells(2, r), QString());
        EXPECT_EQ(grid->Cells(3, r), Label(3, r));
    }
}

} // namespace
