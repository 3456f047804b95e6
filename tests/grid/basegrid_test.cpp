#include "grid/basegrid.h"

#include "tests/support/input.h"

#include <QDir>
#include <QImage>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---- merged cells as a model

struct Block {
    int col, row, cols, rows;
};

class MergeModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.SetColCount(8);
        grid.SetRowCount(8);
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c)
                grid.SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    }
    TBaseGrid grid;
};

TEST_F(MergeModel, EveryCellOfABlockReadsAndWritesItsBase)
{
    for (const Block b : {Block{2, 2, 3, 2}, Block{0, 0, 2, 3}, Block{6, 5, 2, 3}, Block{4, 6, 1, 2}}) {
        SCOPED_TRACE(testing::Message() << b.col << "," << b.row << " " << b.cols << "x" << b.rows);
        grid.MergeCells(b.col, b.row, b.cols, b.rows);
        const QString baseText = QStringLiteral("%1,%2").arg(b.col).arg(b.row);
        for (int r = b.row; r < b.row + b.rows; ++r)
            for (int c = b.col; c < b.col + b.cols; ++c) {
                SCOPED_TRACE(testing::Message() << "cell " << c << "," << r);
                EXPECT_EQ(grid.Cells(c, r), baseText);
                EXPECT_EQ(grid.BaseCell(c, r), (TPoint{b.col, b.row}));
                EXPECT_EQ(grid.CellSpan(c, r), (TPoint{b.cols - 1, b.rows - 1}));
                int bc = -1, br = -1;
                const bool isBase = c == b.col && r == b.row;
                EXPECT_EQ(grid.IsBaseCellAt(c, r, bc, br), isBase);
                if (!isBase) {
                    EXPECT_EQ((TPoint{bc, br}), (TPoint{b.col, b.row}));
                }
                EXPECT_EQ(grid.IsMergedCell(c, r), b.cols * b.rows > 1);
                EXPECT_EQ(grid.IsXMergedCell(c, r), b.cols > 1);
                EXPECT_EQ(grid.IsYMergedCell(c, r), b.rows > 1);
            }
        // Writing the bottom-right cell changes the base's text only.
        const int lastCol = b.col + b.cols - 1;
        const int lastRow = b.row + b.rows - 1;
        grid.SetCells(lastCol, lastRow, "new");
        EXPECT_EQ(grid.Cells(b.col, b.row), "new");

        grid.SplitCells(lastCol, lastRow);
        for (int r = b.row; r < b.row + b.rows; ++r)
            for (int c = b.col; c < b.col + b.cols; ++c) {
                ASSERT_TRUE(grid.HasCellProperties(c, r)); // the objects stay
                const TCellProperties* p = grid.GetCellProperties(c, r);
                EXPECT_TRUE(p->IsBaseCell);
                EXPECT_EQ(p->CellSpanX, -1);
                EXPECT_EQ(p->CellSpanY, -1);
                EXPECT_FALSE(grid.IsMergedCell(c, r));
                EXPECT_EQ(grid.CellSpan(c, r), (TPoint{0, 0}));
            }
        EXPECT_EQ(grid.Cells(lastCol, lastRow), QStringLiteral("%1,%2").arg(lastCol).arg(lastRow));
    }
}

TEST_F(MergeModel, CellsOutsideBlocksAreTheirOwnBase)
{
    EXPECT_FALSE(grid.HasCellProperties(3, 3));
    EXPECT_EQ(grid.BaseCell(3, 3), (TPoint{3, 3}));
    EXPECT_EQ(grid.CellSpan(3, 3), (TPoint{0, 0}));
    grid.GetCellProperties(3, 3)->SetBrushColor(clRed); // properties, no merge
    EXPECT_EQ(grid.BaseCell(3, 3), (TPoint{3, 3}));
    EXPECT_FALSE(grid.IsMergedCell(3, 3));
    grid.SetCells(3, 3, "x");
    EXPECT_EQ(grid.Cells(3, 3), "x");
}

TEST_F(MergeModel, RowsMergedOverAllColumns)
{
    struct Case {
        std::vector<Block> blocks;
        int row1, row2;
        bool merged;
    };
    const std::vector<Case> cases = {
        {{}, 1, 2, false},
        {{{2, 1, 1, 3}}, 1, 3, true},
        {{{2, 1, 1, 3}}, 1, 4, false},
        {{{2, 1, 2, 1}}, 1, 1, false}, // horizontal only
        {{{2, 1, 1, 2}, {2, 3, 1, 2}}, 2, 3, false}, // two blocks, different bases
        {{{1, 1, 1, 3}, {4, 1, 1, 2}, {4, 3, 1, 2}}, 2, 3, false}, // column 1 same base, column 4 not
        {{{1, 1, 1, 3}, {4, 1, 1, 2}, {4, 3, 1, 2}}, 1, 2, true},
    };
    for (const Case& k : cases) {
        TBaseGrid g;
        g.SetColCount(6);
        g.SetRowCount(6);
        for (const Block& b : k.blocks)
            g.MergeCells(b.col, b.row, b.cols, b.rows);
        EXPECT_EQ(g.RowsMerged(k.row1, k.row2), k.merged) << k.row1 << "," << k.row2;
    }
}

TEST_F(MergeModel, DisplayTextOnlyBelowDisplRowCount)
{
    std::vector<std::pair<int, int>> asked;
    grid.OnGetDisplText = [&](int c, int r, QString& v) {
        asked.emplace_back(c, r);
        v += "!";
    };
    grid.DisplRowCount = 4;
    grid.MergeCells(1, 3, 2, 2); // base row 3 is below the count, row 4 is not
    EXPECT_EQ(grid.Cells(2, 4), "1,3!");
    EXPECT_EQ(grid.Cells(5, 3), "5,3!");
    EXPECT_EQ(grid.Cells(5, 4), "5,4");
    EXPECT_EQ(grid.Cells(5, 7), "5,7");
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1, 3}, {5, 3}}));
}

TEST_F(MergeModel, FooterHookOnTheLastRowOnly)
{
    struct FooterGrid : TBaseGrid {
        int changes = 0;
        void FooterRowChanged() override { ++changes; }
    } g;
    g.SetColCount(3);
    g.SetRowCount(4);
    g.SetCells(1, 3, "a");
    EXPECT_EQ(g.changes, 0);
    g.FooterRowShown = true;
    g.SetCells(1, 2, "b");
    g.SetCells(1, 3, "c");
    EXPECT_EQ(g.changes, 1);
}

TEST_F(MergeModel, AssignCopiesTheCellLookButNotItsObjects)
{
    TCellProperties* from = grid.GetCellProperties(1, 1);
    TObject app;
    from->CellObject = &app;
    from->CellGraphic = &app;
    from->FontName = "Mono";
    from->SetWordWrap(true);
    from->SetVAlignment(vtaBottom);
    from->SetBrushColor(clRed);
    from->Editor = edSpinEdit;
    from->NodeLevel = 2;
    from->PaintStamp = 9;
    from->FooterCalc = 3;
    TCellProperties* to = grid.GetCellProperties(2, 2);
    to->Assign(*from);
    EXPECT_EQ(to->FontName, "Mono");
    EXPECT_TRUE(to->WordWrap());
    EXPECT_EQ(to->VAlignment(), vtaBottom);
    EXPECT_EQ(to->BrushColor(), clRed);
    EXPECT_EQ(to->Editor, edSpinEdit);
    EXPECT_EQ(to->NodeLevel, 2);
    EXPECT_EQ(to->OwnerCol, 1);
    EXPECT_EQ(to->CellObject, nullptr);
    EXPECT_EQ(to->CellGraphic, nullptr);
    EXPECT_EQ(to->PaintStamp, 0);
    EXPECT_EQ(to->FooterCalc, 0);
}

TEST_F(MergeModel, SettingAGraphicOnAnEmptyCellKeepsItEmpty)
{
    TObject picture;
    grid.SetCells(4, 4, "");
    grid.SetCellGraphic(4, 4, &picture);
    EXPECT_EQ(grid.GetCellGraphic(4, 4), &picture);
    EXPECT_EQ(grid.Cells(4, 4), "");
    EXPECT_EQ(grid.GetCellGraphic(5, 5), nullptr);
}

// ---- ownership of the properties objects

class CountedProps : public TCellProperties {
public:
    CountedProps(TBaseGrid* g, int c, int r, std::map<std::pair<int, int>, int>& freed)
        : TCellProperties(g, c, r), freed_(freed)
    {
    }
    ~CountedProps() override { ++freed_[{OwnerCol, OwnerRow}]; }

private:
    std::map<std::pair<int, int>, int>& freed_;
};

TEST(BaseGridOwnership, PropertiesEndWhereTheGridSaysAndNowhereElse)
{
    using Freed = std::map<std::pair<int, int>, int>;
    struct Case {
        const char* what;
        std::function<void(TBaseGrid&)> act;
        Freed freed;
    };
    const std::vector<Case> cases = {
        {"replaced", [](TBaseGrid& g) { g.SetCellProperties(1, 1, nullptr); }, {{{1, 1}, 1}}},
        {"cleared block", [](TBaseGrid& g) { g.ClearCellProperties(1, 1, 2, 2); }, {{{1, 1}, 1}, {{2, 2}, 1}}},
        {"row count lowered", [](TBaseGrid& g) { g.SetRowCount(3); }, {{{3, 3}, 1}}},
        {"col count lowered", [](TBaseGrid& g) { g.SetColCount(2); }, {{{2, 2}, 1}, {{3, 3}, 1}}},
        {"row deleted", [](TBaseGrid& g) { g.DeleteRow(2); }, {{{2, 2}, 1}}},
        {"col deleted", [](TBaseGrid& g) { g.DeleteCols(1, 2); }, {{{1, 1}, 1}, {{2, 2}, 1}}},
        {"counts raised", [](TBaseGrid& g) { g.SetRowCount(9); g.SetColCount(9); }, {}},
        {"split", [](TBaseGrid& g) { g.MergeCells(1, 1, 2, 2); g.SplitCells(1, 1); }, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Freed freed;
        std::vector<TObject*> detached;
        {
            TBaseGrid grid;
            grid.SetColCount(5);
            grid.SetRowCount(5);
            for (int i = 1; i <= 3; ++i)
                grid.SetCellProperties(i, i, new CountedProps(&grid, i, i, freed));
            k.act(grid);
            EXPECT_EQ(freed, k.freed);
        }
        // The rest went with the grid, each once.
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ((freed[{i, i}]), 1) << i;
    }
}

TEST(BaseGridOwnership, ResetAndClearOnlyDetach)
{
    std::map<std::pair<int, int>, int> freed;
    auto* kept = new CountedProps(nullptr, 1, 1, freed);
    {
        TBaseGrid grid;
        grid.SetColCount(4);
        grid.SetRowCount(4);
        grid.SetCellProperties(1, 1, kept);
        grid.SetCells(1, 1, "text");
        grid.ResetRow(1);
        EXPECT_FALSE(grid.HasCellProperties(1, 1));
        EXPECT_EQ(grid.Cells(1, 1), "");
        grid.SetCellProperties(2, 2, kept);
        grid.ResetColumn(2);
        grid.SetRawObject(3, 3, kept);
        grid.ClearCell(3, 3);
        EXPECT_EQ(grid.GetRawObject(3, 3), nullptr);
    }
    EXPECT_TRUE(freed.empty());
    delete kept;
}

// ---- painting

class RecordingBaseGrid : public TBaseGrid {
public:
    std::vector<std::pair<int, int>> drawn;
    std::vector<TRect> rects;

    void DrawCellContent(TCanvas& ACanvas, int ACol, TGridDrawState AState, TRect ARect, int ARow) override
    {
        drawn.emplace_back(ACol, ARow);
        rects.push_back(ARect);
        TBaseGrid::DrawCellContent(ACanvas, ACol, AState, ARect, ARow);
    }
};

class BaseGridPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = new RecordingBaseGrid;
        grid->setParent(&window);
        grid->SetColCount(8);
        grid->SetRowCount(8);
        grid->SetDefaultColWidth(40);
        grid->SetDefaultRowHeight(20);
        grid->SetScrollBars(ssNone);
        grid->setFrameStyle(0);
        grid->setGeometry(0, 0, 200, 100); // columns 0..4, rows 0..4 in view
        grid->SetColor(clWhite);
        grid->SetFixedColor(clYellow);
        grid->SetGridLineColor(clRed);
        window.resize(220, 120);
        window.show();
    }

    int Count(int col, int row) const
    {
        int n = 0;
        for (const auto& d : grid->drawn)
            n += d == std::make_pair(col, row);
        return n;
    }

    QImage Grab()
    {
        grid->drawn.clear();
        grid->rects.clear();
        return grid->viewport()->grab().toImage();
    }

    QWidget window;
    RecordingBaseGrid* grid;
};

TEST_F(BaseGridPaint, ABlockIsDrawnOncePerPassHoweverManyOfItsCellsShow)
{
    grid->MergeCells(1, 1, 3, 2);
    struct Case {
        int leftCol, topRow;
    };
    for (const Case k : {Case{1, 1}, Case{2, 1}, Case{3, 2}, Case{1, 2}}) {
        grid->SetLeftCol(k.leftCol);
        grid->SetTopRow(k.topRow);
        const std::int32_t before = grid->PaintCount();
        Grab();
        EXPECT_EQ(grid->PaintCount(), before + 1);
        EXPECT_EQ(Count(1, 1), 1) << k.leftCol << "," << k.topRow;
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 3; ++c)
                if (c != 1 || r != 1) {
                    EXPECT_EQ(Count(c, r), 0);
                }
        // Its rectangle is the whole block, wherever it was scrolled.
        ASSERT_FALSE(grid->rects.empty());
        const TRect block = grid->MergedCellRect(2, 2);
        EXPECT_EQ(block.Width(), 120);
        EXPECT_EQ(block.Height(), 40);
        EXPECT_EQ(block.Left, 40 - 40 * (k.leftCol - 1));
        Grab();
        EXPECT_EQ(Count(1, 1), 1); // the next pass draws it again, once
    }
}

QRgb Rgb(TColor c)
{
    return ToQColor(c).rgb();
}

TEST_F(BaseGridPaint, OwnLinesByWidthAndFixedCells)
{
    struct Case {
        int width;
        int lineFrom; // first pixel before the right edge drawn in the line colour (0: none)
    };
    for (const Case k : {Case{0, 0}, Case{1, 1}, Case{3, 3}}) {
        SCOPED_TRACE(k.width);
        grid->SetGridLineWidth(k.width);
        const QImage image = Grab();
        const TRect cell = grid->PlainCellRect(2, 2);
        const int midY = (cell.Top + cell.Bottom) / 2;
        const int midX = (cell.Left + cell.Right) / 2;
        for (int i = 1; i <= 4; ++i) {
            const QRgb expected = i <= k.lineFrom ? Rgb(clRed) : Rgb(clWhite);
            EXPECT_EQ(image.pixel(cell.Right - i, midY), expected) << "right, " << i;
            EXPECT_EQ(image.pixel(midX, cell.Bottom - i), expected) << "bottom, " << i;
        }
        // Content rectangle shrinks by the line width.
        const auto at = std::find(grid->drawn.begin(), grid->drawn.end(), std::make_pair(2, 2));
        ASSERT_NE(at, grid->drawn.end());
        const TRect content = grid->rects[static_cast<size_t>(at - grid->drawn.begin())];
        EXPECT_EQ(content, (TRect{cell.Left + k.width, cell.Top + k.width, cell.Right - k.width, cell.Bottom - k.width}));
        // Fixed cells: a one-pixel grey line whatever the width.
        const TRect fixedCell = grid->PlainCellRect(0, 2);
        EXPECT_EQ(image.pixel(fixedCell.Right - 1, midY), Rgb(clGray));
        EXPECT_EQ(image.pixel(fixedCell.Right - 2, midY), Rgb(clYellow));
        EXPECT_EQ(image.pixel(fixedCell.Left + 5, fixedCell.Bottom - 1), Rgb(clGray));
    }
}

TEST_F(BaseGridPaint, ABlockScrolledUnderTheFixedAreaStaysOutOfIt)
{
    grid->SetGridLineWidth(1);
    grid->MergeCells(1, 2, 3, 1);
    grid->SetCells(1, 2, QString());
    grid->SetLeftCol(2);
    const QImage image = Grab();
    EXPECT_EQ(Count(1, 2), 1);
    const TRect fixedCell = grid->PlainCellRect(0, 2);
    for (int x = fixedCell.Left; x < fixedCell.Right - 1; x += 5)
        EXPECT_EQ(image.pixel(x, 50), Rgb(clYellow)) << x;
    // The rest of the block shows after it: white, then its own right line.
    const TRect block = grid->MergedCellRect(1, 2);
    EXPECT_EQ(block.Right, 120);
    EXPECT_EQ(image.pixel(60, 50), Rgb(clWhite));
    EXPECT_EQ(image.pixel(block.Right - 1, 50), Rgb(clRed));
    EXPECT_EQ(image.pixel(block.Right - 41, 50), Rgb(clWhite)); // no line inside the block
}

TEST_F(BaseGridPaint, FooterRowIsFilledWithTheGridColour)
{
    grid->SetRowCount(4);
    grid->FooterRowShown = true;
    const QImage image = Grab();
    EXPECT_EQ(Count(1, 3), 0);
    const TRect last = grid->PlainCellRect(1, 3);
    EXPECT_EQ(image.pixel(last.Right - 1, last.Top + 5), Rgb(clWhite));
    EXPECT_EQ(image.pixel(last.Left + 5, last.Bottom - 1), Rgb(clWhite));
}

TEST_F(BaseGridPaint, MirroredGridShowsTheFixedColumnOnTheRight)
{
    TBaseGrid::SetGridMirroring(grid, true);
    const QImage image = Grab();
    const int w = grid->viewport()->width();
    EXPECT_EQ(image.pixel(w - 10, 30), Rgb(clYellow));
    EXPECT_EQ(image.pixel(10, 30), Rgb(clWhite));
    TBaseGrid::SetGridMirroring(grid, false);
    const QImage plain = Grab();
    EXPECT_EQ(plain.pixel(10, 30), Rgb(clYellow));
}

TEST_F(BaseGridPaint, Screenshot)
{
    grid->setGeometry(0, 0, 330, 170);
    window.resize(340, 180);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            grid->SetCells(c, r, QStringLiteral("%1%2").arg(QChar('A' + c)).arg(r));
    grid->MergeCells(1, 0, 3, 1);
    grid->MergeCells(1, 1, 2, 2);
    grid->MergeCells(4, 3, 3, 2);
    grid->MergeCells(0, 4, 1, 3);
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    EXPECT_TRUE(grid->grab().save(QStringLiteral(TRIVANTO_TEST_OUT "/grade_celulas_mescladas.png")));
}

// ---- keys through merged blocks

struct KeyCase {
    int startCol, startRow;
    int key;
    int endCol, endRow;
};

struct KeyLayout {
    const char* name;
    int fixed;
    std::vector<Block> blocks;
    std::vector<KeyCase> cases;
};

class BaseGridKeys : public ::testing::TestWithParam<KeyLayout> {};

TEST_P(BaseGridKeys, ArrowFromEachStartCell)
{
    const KeyLayout& layout = GetParam();
    QWidget window;
    auto* grid = new TBaseGrid(&window);
    grid->SetColCount(8);
    grid->SetRowCount(8);
    grid->SetFixedCols(layout.fixed);
    grid->SetFixedRows(layout.fixed);
    grid->SetDefaultColWidth(40);
    grid->SetDefaultRowHeight(20);
    grid->SetScrollBars(ssNone);
    grid->setFrameStyle(0);
    grid->setGeometry(0, 0, 330, 170);
    window.resize(340, 180);
    for (const Block& b : layout.blocks)
        grid->MergeCells(b.col, b.row, b.cols, b.rows);
    ASSERT_TRUE(input::Activate(&window));
    grid->SetFocus();
    for (const KeyCase& k : layout.cases) {
        SCOPED_TRACE(testing::Message() << "from " << k.startCol << "," << k.startRow << " key " << k.key);
        // The start cell is reached by a click, as a user reaches a cell
        // inside a block.
        grid->FocusCell(layout.fixed, layout.fixed);
        const TRect r = grid->PlainCellRect(k.startCol, k.startRow);
        input::Click(grid->viewport(), QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        ASSERT_EQ((TPoint{grid->Col(), grid->Row()}), (TPoint{k.startCol, k.startRow}));
        input::Key(k.key, Qt::NoModifier, QString(), grid);
        EXPECT_EQ((TPoint{grid->Col(), grid->Row()}), (TPoint{k.endCol, k.endRow}));
    }
}

constexpr int L = Qt::Key_Left, R = Qt::Key_Right, U = Qt::Key_Up, D = Qt::Key_Down;

INSTANTIATE_TEST_SUITE_P(
    Blocks, BaseGridKeys,
    ::testing::Values(
        KeyLayout{"FixedEdgeMiddleAndLastCorner",
                  1,
                  {{1, 1, 2, 2}, {3, 3, 3, 2}, {6, 6, 2, 2}},
                  {
                      // block at the fixed edge: its base, a cell inside, the cells around
                      {1, 1, R, 3, 1}, {1, 1, D, 1, 3}, {1, 1, L, 1, 1}, {1, 1, U, 1, 1},
                      {2, 2, L, 1, 1}, {2, 2, U, 1, 1}, {2, 2, R, 3, 2}, {2, 2, D, 2, 3},
                      {3, 1, L, 1, 1}, {1, 3, U, 1, 1}, {2, 3, U, 1, 1},
                      // a 3-column block in the middle
                      {3, 3, R, 6, 3}, {3, 3, L, 2, 3}, {3, 3, U, 3, 2}, {3, 3, D, 3, 5},
                      {5, 4, L, 2, 4}, {5, 4, U, 5, 2}, {5, 4, R, 6, 4}, {5, 4, D, 5, 5},
                      {4, 3, U, 4, 2}, {4, 4, L, 2, 4},
                      {6, 3, L, 3, 3}, {4, 5, U, 3, 3}, {2, 4, R, 3, 3}, {4, 2, D, 3, 3},
                      // the block in the last column and row goes nowhere past the grid
                      {6, 6, R, 6, 6}, {6, 6, D, 6, 6}, {6, 6, L, 5, 6}, {6, 6, U, 6, 5},
                      {7, 7, L, 5, 7}, {7, 7, U, 7, 5}, {7, 7, R, 6, 6}, {7, 7, D, 6, 6},
                      {5, 7, R, 6, 6}, {7, 5, D, 6, 6},
                  }},
        KeyLayout{"ColumnAndRowZero",
                  0,
                  {{0, 0, 2, 2}, {0, 4, 3, 1}},
                  {
                      {0, 0, L, 0, 0}, {0, 0, U, 0, 0}, {0, 0, R, 2, 0}, {0, 0, D, 0, 2},
                      {1, 1, L, 0, 0}, {1, 1, U, 0, 0}, {1, 1, R, 2, 1}, {1, 1, D, 1, 2},
                      {2, 4, L, 0, 4}, {2, 4, R, 3, 4}, {1, 4, U, 1, 3}, {1, 4, D, 1, 5},
                      {2, 1, L, 0, 0}, {1, 3, D, 0, 4}, {1, 5, U, 0, 4}, {3, 4, L, 0, 4},
                  }}),
    [](const testing::TestParamInfo<KeyLayout>& p) { return std::string(p.param.name); });

} // namespace

namespace {

TEST(BaseGridWheel, TheWheelLandsOnTheBaseOfABlock)
{
    QWidget window;
    auto* grid = new TBaseGrid(&window);
    grid->SetColCount(4);
    grid->SetRowCount(8);
    grid->SetDefaultRowHeight(20);
    grid->SetScrollBars(ssNone);
    grid->setFrameStyle(0);
    grid->setGeometry(0, 0, 300, 170);
    grid->MergeCells(1, 3, 2, 2); // rows 3 and 4
    ASSERT_TRUE(input::Activate(&window));
    grid->SetFocus();
    struct Case {
        int startCol, startRow, delta;
        int endCol, endRow;
    };
    for (const Case k : {Case{1, 2, -120, 1, 3}, Case{2, 2, -120, 1, 3}, Case{1, 5, 120, 1, 3}, Case{2, 5, 120, 1, 3},
                         Case{3, 2, -120, 3, 3}}) {
        grid->FocusCell(k.startCol, k.startRow);
        const QPoint at(20, 20);
        QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, k.delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &wheel);
        EXPECT_EQ((TPoint{grid->Col(), grid->Row()}), (TPoint{k.endCol, k.endRow}))
            << k.startCol << "," << k.startRow << " " << k.delta;
    }
}

} // namespace
