// Rows, columns, nodes, selection and navigation of the grid control.
#include "grid/extgrid.h"
#include "grid/gridfilter.h"

#include "platform/forms.h"
#include "tests/support/input.h"

#include <QDir>
#include <QImage>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Column 1 of each row says which row it was: "r<n>".
QString Label(int row)
{
    return QStringLiteral("r%1").arg(row);
}

void FillLabels(TExtStringGrid& grid, int rows)
{
    grid.SetColCount(3);
    grid.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        grid.SetCells(1, r, Label(r));
}

QStringList Column(TExtStringGrid& grid, int col)
{
    QStringList texts;
    for (int r = 0; r < grid.RowCount(); ++r)
        texts << grid.Cells(col, r);
    return texts;
}

QStringList Labels(std::initializer_list<int> rows)
{
    QStringList texts;
    for (int r : rows)
        texts << Label(r);
    return texts;
}

// A grid control of Cols x Rows filling a window of Width x Height.
TExtStringGrid* GridInWindow(TForm& window, int Width, int Height, int Cols, int Rows)
{
    auto* grid = new TExtStringGrid(&window);
    grid->setGeometry(0, 0, Width, Height);
    window.resize(Width, Height);
    grid->SetColCount(Cols);
    grid->SetRowCount(Rows);
    return grid;
}

// An editing grid of 3 columns whose Enter moves on to the next cell.
TExtStringGrid* AdvancingGrid(TForm& window, int Height, int Rows)
{
    TExtStringGrid* grid = GridInWindow(window, 300, Height, 3, Rows);
    grid->SetOptions(grid->Options() | goEditing);
    grid->Navigation()->AdvanceOnEnter = true;
    return grid;
}

// ---- columns

struct ColumnCase {
    const char* name;
    std::vector<int> hidden;
    std::vector<std::pair<int, int>> displayToReal;
};

class ColumnMapping : public ::testing::TestWithParam<ColumnCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, ColumnMapping,
    ::testing::Values(ColumnCase{"NoneHidden", {}, {{0, 0}, {1, 1}, {3, 3}, {600, 600}}},
                      ColumnCase{"ColumnOneOfFour", {1}, {{0, 0}, {1, 2}, {2, 3}}},
                      ColumnCase{"TwoApart", {0, 2}, {{0, 1}, {1, 3}, {2, 4}}},
                      ColumnCase{"NearTheLastFlag", {5}, {{4, 4}, {5, 6}, {511, 512}}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(ColumnMapping, DisplayAndRealColumnsMapBothWays)
{
    const ColumnCase& c = GetParam();
    TExtStringGrid grid;
    grid.SetColCount(4);
    for (int col : c.hidden)
        grid.SetColumnVisibleFlag(col, false);
    EXPECT_EQ(grid.HiddenColCount(), static_cast<int>(c.hidden.size()));
    for (auto [display, real] : c.displayToReal) {
        EXPECT_EQ(grid.RealColIndex(display), real) << display;
        EXPECT_EQ(grid.DisplayColIndex(real), display) << real;
    }
    // Display columns from 512 on are themselves.
    EXPECT_EQ(grid.RealColIndex(512), 512);
    EXPECT_EQ(grid.RealColIndex(700), 700);
}

TEST(GridColumns, HiddenColumnsCountAmongTheFixedOnesAtTheRight)
{
    TExtStringGrid grid;
    grid.SetColCount(4);
    grid.SetFixedRightCols(1);
    EXPECT_FALSE(grid.IsFixed(2, 1));
    grid.SetColumnVisibleFlag(1, false);
    // ColCount + hidden - FixedRightCols = 4: column 3 is no longer fixed.
    EXPECT_FALSE(grid.IsFixed(3, 1));
    grid.SetColumnVisibleFlag(1, true);
    EXPECT_TRUE(grid.IsFixed(3, 1));
}

// Hiding any one column, the last included: the grid paints, the keys move
// over every shown column and its editor edits the real column behind it.
TEST(GridColumns, HidingAnyColumnPaintsNavigatesAndEdits)
{
    for (int hidden = 0; hidden < 4; ++hidden) {
        SCOPED_TRACE(hidden);
        QWidget window;
        auto* grid = new TExtStringGrid(&window);
        grid->setGeometry(0, 0, 400, 150);
        grid->SetColCount(4);
        grid->SetRowCount(3);
        grid->SetOptions(grid->Options() | goEditing);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                grid->SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
        grid->SetColumnVisibleFlag(hidden, false);
        window.resize(420, 170);
        ASSERT_TRUE(input::Activate(&window));
        grid->setFocus();
        grid->FocusCell(1, 1);
        input::Settle();
        grid->grab();
        std::vector<int> visited{grid->Col()};
        for (int step = 0; step < 4; ++step) {
            input::Key(Qt::Key_Right);
            visited.push_back(grid->Col());
        }
        input::Key(Qt::Key_End);
        input::Key(Qt::Key_Home);
        input::Settle();
        grid->grab();
        // Every column the cursor reached stands for a real, shown column.
        for (int col : visited) {
            EXPECT_LT(grid->RealColIndex(col), grid->ColCount()) << col;
            EXPECT_NE(grid->RealColIndex(col), hidden) << col;
        }
        // The last shown column edits the real column behind it.
        const int last = *std::max_element(visited.begin(), visited.end());
        grid->FocusCell(last, 1);
        input::Key(Qt::Key_F2);
        input::Key(Qt::Key_End);
        input::Type("!");
        input::Key(Qt::Key_Return);
        input::Settle();
        const int real = grid->RealColIndex(last);
        EXPECT_EQ(grid->Cells(real, 1), QStringLiteral("%1,1!").arg(real));
        EXPECT_EQ(grid->Cells(hidden, 1), QStringLiteral("%1,1").arg(hidden)) << "the hidden column is left alone";
        grid->grab();
    }
}

// ---- hidden rows

struct RowCase {
    const char* name;
    std::vector<std::pair<int, int>> hide; // runs of real rows, in order
    QStringList shown;
    std::vector<std::pair<int, int>> displayToReal;
};

class HiddenRows : public ::testing::TestWithParam<RowCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, HiddenRows,
    ::testing::Values(
        RowCase{"OneRun", {{3, 5}}, Labels({0, 1, 2, 6, 7, 8, 9}), {{2, 2}, {3, 6}, {6, 9}}},
        RowCase{"TwoRuns", {{2, 3}, {6, 8}}, Labels({0, 1, 4, 5, 9}), {{1, 1}, {2, 4}, {3, 5}, {4, 9}}},
        RowCase{"RunsHiddenBackwards", {{6, 8}, {2, 3}}, Labels({0, 1, 4, 5, 9}), {{2, 4}, {4, 9}}},
        RowCase{"AnAlreadyHiddenFirstRowDoesNothing", {{4, 5}, {4, 7}}, Labels({0, 1, 2, 3, 6, 7, 8, 9}),
                {{4, 6}}},
        RowCase{"OverlappingRunSkipsTheHiddenOnes", {{4, 5}, {3, 6}}, Labels({0, 1, 2, 7, 8, 9}), {{3, 7}}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(HiddenRows, DisplayAndRealRowsMapBothWaysAndUnhideRestoresTheOrder)
{
    const RowCase& c = GetParam();
    TExtStringGrid grid;
    FillLabels(grid, 10);
    for (auto [from, to] : c.hide)
        grid.HideRows(from, to);
    EXPECT_EQ(Column(grid, 1), c.shown);
    for (auto [display, real] : c.displayToReal) {
        EXPECT_EQ(grid.RealRowIndex(display), real) << display;
        EXPECT_EQ(grid.DisplayRowIndex(real), display) << real;
        EXPECT_FALSE(grid.IsHiddenRow(real));
    }
    EXPECT_EQ(grid.NumHiddenRows(), 10 - c.shown.size());
    grid.UnHideRowsAll();
    EXPECT_EQ(Column(grid, 1), Labels({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(grid.NumHiddenRows(), 0);
}

TEST(GridHiddenRows, UnhidingARangeWhoseFirstRowIsShownDoesNothing)
{
    TExtStringGrid grid;
    FillLabels(grid, 8);
    grid.HideRows(3, 5);
    grid.UnHideRows(2, 5);
    EXPECT_EQ(Column(grid, 1), Labels({0, 1, 2, 6, 7}));
    grid.UnHideRows(4, 4);
    EXPECT_EQ(Column(grid, 1), Labels({0, 1, 2, 4, 6, 7}));
}

TEST(GridHiddenRows, HiddenRowsComeBackWithTheirPropertiesGraphicsAndCheckBoxes)
{
    TExtStringGrid grid;
    FillLabels(grid, 6);
    grid.GetCellProperties(1, 3)->SetBrushColor(clRed);
    grid.GetCellProperties(1, 3)->FontStyle = fsBold;
    TCellGraphic* check = grid.CreateCellGraphic(2, 4);
    check->CellType = ctCheckBox;
    check->CellBoolean = true;
    TCellGraphic* node = grid.CreateCellGraphic(0, 3);
    node->CellType = ctNode;
    node->CellIndex = 2;
    grid.HideRows(2, 4);
    EXPECT_EQ(grid.RowCount(), 3);
    grid.UnHideRows(2, 4);
    ASSERT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.Cells(1, 3), Label(3));
    ASSERT_TRUE(grid.HasCellProperties(1, 3));
    EXPECT_EQ(grid.GetCellProperties(1, 3)->BrushColor(), clRed);
    EXPECT_EQ(grid.GetCellProperties(1, 3)->FontStyle, fsBold);
    EXPECT_EQ(grid.GetCellGraphicObject(2, 4), check);
    EXPECT_TRUE(grid.GetCheckBoxState(2, 4));
    EXPECT_TRUE(grid.IsNode(3));
    EXPECT_EQ(grid.GetCellGraphicObject(0, 3)->CellIndex, 2);
}

// ---- nodes

struct NodeCase {
    const char* name;
    int cellIndex;      // of the node at row 1
    int collapseRow;    // display row collapsed
    QStringList collapsed;
};

class Nodes : public ::testing::TestWithParam<NodeCase> {};

// Rows 1 and 5 are nodes; row 8 is the footer.
INSTANTIATE_TEST_SUITE_P(
    Cases, Nodes,
    ::testing::Values(NodeCase{"UpToTheNextNode", 0, 1, Labels({0, 1, 5, 6, 7, 8})},
                      NodeCase{"ItsOwnRowCount", 3, 1, Labels({0, 1, 4, 5, 6, 7, 8})},
                      NodeCase{"TheLastNodeStopsBeforeTheFooter", 0, 5, Labels({0, 1, 2, 3, 4, 5, 8})}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(Nodes, CollapseHidesTheRowsUnderTheNodeAndExpandBringsThemBackInOrder)
{
    const NodeCase& c = GetParam();
    TExtStringGrid grid;
    FillLabels(grid, 9);
    grid.SetFixedFooters(1);
    for (int r : {1, 5}) {
        TCellGraphic* node = grid.CreateCellGraphic(0, r);
        node->CellType = ctNode;
        node->CellIndex = r == 1 ? c.cellIndex : 0;
    }
    grid.ContractNode(c.collapseRow);
    EXPECT_EQ(Column(grid, 1), c.collapsed);
    EXPECT_TRUE(grid.GetCellGraphicObject(0, c.collapseRow)->CellBoolean);
    grid.ContractNode(c.collapseRow); // already collapsed: nothing more
    EXPECT_EQ(Column(grid, 1), c.collapsed);
    grid.ExpandNode(c.collapseRow);
    EXPECT_EQ(Column(grid, 1), Labels({0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(grid.GetCellGraphicObject(0, c.collapseRow)->CellBoolean);
}

TEST(GridRows, LinesOfATextEndAtEachKindOfLineBreak)
{
    const std::pair<const char*, int> cases[] = {
        {"", 1},        {"a", 1},        {"a\nb", 2},        {"a\r\nb", 2},     {"a\rb", 2},
        {"a\r", 2},     {"\r\n\r\n", 3}, {"a\n\rb", 3},      {"a\r\r\nb\n", 4},
    };
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(TExtStringGrid::TextLineCount(QString::fromLatin1(text)), lines) << text;
}

TEST(GridNodes, TreePositionOfEachRow)
{
    TExtStringGrid grid;
    FillLabels(grid, 8);
    TCellGraphic* node = grid.CreateCellGraphic(0, 1);
    node->CellType = ctNode;
    node->CellIndex = 3;
    const int expected[] = {0, 0, 2, 1, 2, 2, 2, 1};
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(grid.NodeTreePosition(r), expected[r]) << r;
    node->CellBoolean = true;
    EXPECT_EQ(grid.NodeTreePosition(3), 2);
}

TEST(GridNodes, ScreenshotsOfANodeGridCollapsedAndExpanded)
{
    TForm window;
    TExtStringGrid* grid = GridInWindow(window, 320, 260, 3, 10);
    grid->CellNode()->SetShowTree(true);
    for (int r = 1; r < 10; ++r) {
        grid->SetCells(1, r, r == 1 || r == 5 ? QStringLiteral("Grupo %1").arg(r == 1 ? 1 : 2)
                                              : QStringLiteral("Ramal %1").arg(20 + r));
        if (r == 1 || r == 5) {
            TCellGraphic* node = grid->CreateCellGraphic(0, r);
            node->CellType = ctNode;
        } else {
            grid->GetCellProperties(0, r)->NodeLevel = 1;
        }
    }
    window.show();
    QDir().mkpath(TRIVANTO_TEST_OUT);
    grid->grab().save(TRIVANTO_TEST_OUT "/node_grid_expanded.png");
    grid->ContractNode(1);
    EXPECT_EQ(grid->RowCount(), 7);
    grid->grab().save(TRIVANTO_TEST_OUT "/node_grid_collapsed.png");
    grid->ExpandNode(1);
    EXPECT_EQ(grid->RowCount(), 10);
}

// ---- row selection, cell controls

TEST(GridRowSelect, RowsOutsideTheGridAreRefused)
{
    TExtStringGrid grid;
    grid.SetRowCount(4);
    for (int row : {-1, 4}) {
        try {
            grid.SetRowSelect(row, true);
            ADD_FAILURE() << row;
        } catch (const EExtGridError& e) {
            EXPECT_STREQ(e.what(), "Invalid Row accessed");
        }
        EXPECT_THROW((void)grid.RowSelect(row), EExtGridError);
    }
    grid.SetRowSelect(3, true);
    EXPECT_TRUE(grid.RowSelect(3));
    EXPECT_FALSE(grid.RowSelect(2));
    grid.ClearRowSelect();
    EXPECT_FALSE(grid.RowSelect(3));
}

TEST(GridRowSelect, SelectionMarksTheRowsItSpans)
{
    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(6);
    grid.SetRowSelect(5, true);
    grid.SetSelection({1, 2, 2, 3});
    grid.SelectRowsFromSelection(false);
    EXPECT_TRUE(grid.RowSelect(2) && grid.RowSelect(3) && grid.RowSelect(5));
    grid.SelectRowsFromSelection(true);
    EXPECT_TRUE(grid.RowSelect(2) && grid.RowSelect(3));
    EXPECT_FALSE(grid.RowSelect(5));
}

TEST(GridCellSelect, ScatteredCellsKeepRowsBeyondSixteenBits)
{
    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(70000);
    grid.SetCellSelected(1, 65537, true);
    EXPECT_TRUE(grid.CellSelected(1, 65537));
    EXPECT_FALSE(grid.CellSelected(1, 1));
    EXPECT_FALSE(grid.CellSelected(2, 65537));
    grid.SetCellSelected(2, 32768, true);
    EXPECT_TRUE(grid.CellSelected(2, 32768));
    EXPECT_FALSE(grid.CellSelected(2, 0));
    grid.ClearCellSelect();
    EXPECT_FALSE(grid.CellSelected(1, 65537));
}

struct CheckCase {
    const char* name;
    TCellType type;
    QString text;
    bool canEdit;
    bool ask;
    bool toggled;
    QString textAfter;
    bool stateAfter;
};

class CellChecks : public ::testing::TestWithParam<CheckCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, CellChecks,
    ::testing::Values(CheckCase{"DataCheckBoxNToY", ctDataCheckBox, "N", true, true, true, "Y", true},
                      CheckCase{"DataCheckBoxYToN", ctDataCheckBox, "Y", true, true, true, "N", false},
                      CheckCase{"DataCheckBoxOtherTextToY", ctDataCheckBox, "x", true, false, true, "Y", true},
                      CheckCase{"CheckBoxFlips", ctCheckBox, "", true, true, true, "", true},
                      CheckCase{"RefusedWhenAsked", ctCheckBox, "", false, true, false, "", false},
                      CheckCase{"NotAskedNotRefused", ctCheckBox, "", false, false, true, "", true},
                      CheckCase{"NotACheckBox", ctRadio, "a", true, true, false, "a", false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(CellChecks, ToggleCellCheck)
{
    const CheckCase& c = GetParam();
    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.CreateCellGraphic(1, 1)->CellType = c.type;
    grid.SetCells(1, 1, c.text);
    grid.OnCanEditCell = [&](QObject*, int, int, bool& can) { can = c.canEdit; };
    EXPECT_EQ(grid.ToggleCellCheck(1, 1, c.ask), c.toggled);
    EXPECT_EQ(grid.Cells(1, 1), c.textAfter);
    EXPECT_EQ(grid.GetCheckBoxState(1, 1), c.stateAfter);
}

TEST(GridCellControls, CheckStatesWriteTheCheckTextOfDataCheckBoxes)
{
    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.CreateCellGraphic(1, 1)->CellType = ctDataCheckBox;
    grid.OnGetCheckTrue = [](QObject*, int, int, QString& v) { v = "Sim"; };
    grid.SetCheckBoxState(1, 1, true);
    EXPECT_EQ(grid.Cells(1, 1), "Sim");
    EXPECT_TRUE(grid.GetCheckBoxState(1, 1));
    grid.SetCheckBoxState(1, 1, false);
    EXPECT_EQ(grid.Cells(1, 1), "N");
    EXPECT_FALSE(grid.GetCheckBoxState(1, 1));
    EXPECT_TRUE(grid.IsCheckCell(1, 1));
    EXPECT_TRUE(grid.IsCellControl(1, 1));
    EXPECT_FALSE(grid.IsCheckCell(2, 1));
}

// ---- filter

struct FilterCase {
    const char* name;
    std::vector<std::tuple<int, QString, bool>> conditions; // column, condition, case sensitive
    QStringList shown;
};

class Filters : public ::testing::TestWithParam<FilterCase> {};

// Rows 1 to 4 hold "Ana", "ana", "Bruno", "Carla" in column 1, and 1, 2, 3,
// 4 in column 2.
INSTANTIATE_TEST_SUITE_P(
    Cases, Filters,
    ::testing::Values(FilterCase{"CaseSensitive", {{1, "Ana", true}}, {"", "Ana"}},
                      FilterCase{"CaseInsensitive", {{1, "ana", false}}, {"", "Ana", "ana"}},
                      FilterCase{"BothConditions", {{1, "ana", false}, {2, "2", true}}, {"", "ana"}},
                      FilterCase{"Wildcard", {{1, "*a", true}}, {"", "Ana", "ana", "Carla"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(Filters, RowsThatDoNotMatchAreHiddenAndComeBack)
{
    const FilterCase& c = GetParam();
    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(5);
    const QStringList names{"", "Ana", "ana", "Bruno", "Carla"};
    for (int r = 1; r < 5; ++r) {
        grid.SetCells(1, r, names[r]);
        grid.SetCells(2, r, QString::number(r));
    }
    for (const auto& [col, condition, sensitive] : c.conditions) {
        TFilterData& data = grid.Filter()->Add();
        data.Column = static_cast<std::int16_t>(col);
        data.Condition = condition;
        data.CaseSensitive = sensitive;
    }
    std::vector<int> progress;
    grid.OnFilterProgress = [&](QObject*, short p) { progress.push_back(p); };
    grid.SetFilterActive(true);
    EXPECT_EQ(Column(grid, 1), c.shown);
    EXPECT_EQ(progress, (std::vector<int>{25, 50, 75, 100}));
    grid.SetFilterActive(false);
    EXPECT_EQ(Column(grid, 1), names);
}

TEST(GridFilter, EveryRowFilteredOutLeavesOneEmptyRowUnderTheFixedOne)
{
    TExtStringGrid grid;
    FillLabels(grid, 4);
    TFilterData& data = grid.Filter()->Add();
    data.Column = 1;
    data.Condition = "nada";
    grid.SetFilterActive(true);
    EXPECT_EQ(Column(grid, 1), (QStringList{Label(0), ""}));
    EXPECT_EQ(grid.FixedRows(), 1);
    grid.SetFilterActive(false);
    EXPECT_EQ(Column(grid, 1), Labels({0, 1, 2, 3}));
    EXPECT_EQ(grid.FixedRows(), 1);
}

TEST(GridFilter, FilteredRowsKeepTheirCellObjects)
{
    TExtStringGrid grid;
    FillLabels(grid, 4);
    grid.GetCellProperties(2, 2)->SetBrushColor(clYellow);
    TFilterData& data = grid.Filter()->Add();
    data.Column = 1;
    data.Condition = Label(1);
    grid.SetFilterActive(true);
    EXPECT_EQ(grid.RowCount(), 2);
    grid.SetFilterActive(false);
    ASSERT_TRUE(grid.HasCellProperties(2, 2));
    EXPECT_EQ(grid.GetCellProperties(2, 2)->BrushColor(), clYellow);
}

// ---- advancing with Enter, by real keys

struct AdvanceCase {
    const char* name;
    TAdvanceDirection direction;
    bool insert;
    int fromCol, fromRow;
    std::vector<std::pair<int, int>> locked; // cells that may not be entered
    int toCol, toRow;
    int rowCount; // afterwards
};

class EnterAdvances : public ::testing::TestWithParam<AdvanceCase> {};

// A 3 x 4 grid with one fixed row and one fixed column: normal cells are
// columns 1-2, rows 1-3.
INSTANTIATE_TEST_SUITE_P(
    Cases, EnterAdvances,
    ::testing::Values(AdvanceCase{"ToTheNextColumn", adLeftRight, false, 1, 1, {}, 2, 1, 4},
                      AdvanceCase{"FromTheLastColumnToTheNextRow", adLeftRight, false, 2, 1, {}, 1, 2, 4},
                      AdvanceCase{"FromTheLastCellToTheFirst", adLeftRight, false, 2, 3, {}, 1, 1, 4},
                      AdvanceCase{"FromTheLastCellARowIsAdded", adLeftRight, true, 2, 3, {}, 1, 4, 5},
                      AdvanceCase{"PastALockedCell", adLeftRight, false, 1, 1, {{2, 1}}, 1, 2, 4},
                      AdvanceCase{"DownTheColumn", adTopBottom, false, 1, 1, {}, 1, 2, 4},
                      AdvanceCase{"FromTheLastRowToTheNextColumn", adTopBottom, false, 1, 3, {}, 2, 1, 4},
                      AdvanceCase{"FromTheLastCellDownToTheFirst", adTopBottom, false, 2, 3, {}, 1, 1, 4},
                      AdvanceCase{"NoneMayBeEnteredTheCellStays", adLeftRight, true, 1, 2,
                                  {{1, 1}, {2, 1}, {1, 2}, {2, 2}, {1, 3}, {2, 3}, {1, 4}, {2, 4}}, 1, 2, 5}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(EnterAdvances, EnterInTheEditorMovesOn)
{
    const AdvanceCase& c = GetParam();
    TForm window;
    TExtStringGrid* grid = AdvancingGrid(window, 200, 4);
    grid->Navigation()->AdvanceDirection = c.direction;
    grid->Navigation()->AdvanceInsert = c.insert;
    // The locked cells refuse only once the editor is open, so that F2 opens
    // it on a starting cell that is itself locked.
    bool editing = false;
    grid->OnCanEditCell = [&](QObject*, int row, int col, bool& can) {
        can = !editing || std::find(c.locked.begin(), c.locked.end(), std::pair{col, row}) == c.locked.end();
    };
    int changing = 0;
    grid->OnCellChanging = [&](QObject*, int, int, int, int, bool&) { ++changing; };
    int added = -1;
    grid->OnAutoAddRow = [&](QObject*, int row) { added = row; };
    ASSERT_TRUE(input::Activate(&window));
    grid->SetFocus();
    grid->FocusCell(c.fromCol, c.fromRow);
    input::Key(Qt::Key_F2);
    ASSERT_TRUE(grid->EditorMode());
    editing = true;
    changing = 0;
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), c.toCol);
    EXPECT_EQ(grid->Row(), c.toRow);
    EXPECT_EQ(grid->RowCount(), c.rowCount);
    // One move, one question; none when the cursor stayed.
    EXPECT_EQ(changing, c.toCol == c.fromCol && c.toRow == c.fromRow ? 0 : 1);
    if (c.rowCount == 5) {
        EXPECT_EQ(added, 4);
    }
}

TEST(GridAdvance, TheTerminalKeysGridGoesFromColumnTwoToColumnOneOfTheNextRow)
{
    TForm window;
    TExtStringGrid* grid = AdvancingGrid(window, 400, 26);
    ASSERT_TRUE(input::Activate(&window));
    grid->SetFocus();
    grid->FocusCell(2, 5);
    input::Key(Qt::Key_F2);
    input::Type("7");
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(2, 5), "7");
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 6);
}

TEST(GridAdvance, EnterFromACheckBoxAfterARefusedCellMovesOn)
{
    TForm window;
    TExtStringGrid* grid = AdvancingGrid(window, 200, 4);
    grid->CreateCellGraphic(2, 1)->CellType = ctCheckBox;
    grid->OnCanEditCell = [](QObject*, int row, int col, bool& can) { can = !(col == 1 && row == 1); };
    ASSERT_TRUE(input::Activate(&window));
    grid->SetFocus();
    grid->FocusCell(1, 1); // refused: editing waits for the next cell
    input::Key(Qt::Key_Right);
    ASSERT_EQ(grid->Col(), 2);
    input::Key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
}

TEST(GridAdvance, BackwardsAndRefusedByOnCellChanging)
{
    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(4);
    grid.SetOptions(grid.Options() | goEditing);
    grid.FocusCell(1, 2);
    grid.AdvanceCell(1, 2, false, false, false); // AdvanceOnEnter off, not forced
    EXPECT_EQ(grid.Col(), 1);
    grid.AdvanceCell(1, 2, false, false, true);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 1);
    grid.AdvanceCell(1, 1, false, false, true);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 3);
    std::vector<std::vector<int>> changing;
    grid.OnCellChanging = [&](QObject*, int oldRow, int oldCol, int newRow, int newCol, bool& allow) {
        changing.push_back({oldRow, oldCol, newRow, newCol});
        allow = false;
    };
    grid.AdvanceCell(2, 3, true, false, true);
    EXPECT_EQ(changing, (std::vector<std::vector<int>>{{3, 2, 1, 1}}));
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 3);
}

// ---- scrolling, selection hidden, normal cells

TEST(GridScroll, ScrollInViewCentresAFarRow)
{
    TForm window;
    TExtStringGrid* grid = GridInWindow(window, 300, 200, 3, 100);
    window.show();
    const int visible = grid->VisibleRowCount();
    grid->ScrollInView(1, 50);
    EXPECT_EQ(grid->Row(), 50);
    EXPECT_EQ(grid->TopRow(), 50 - visible / 2);
    grid->ScrollInView(1, 99);
    EXPECT_LE(grid->TopRow(), 100 - visible + 1);
}

TEST(GridSelection, HideAndUnhideTheSelection)
{
    TExtStringGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(5);
    grid.SetSelection({1, 1, 2, 3});
    grid.HideSelection();
    EXPECT_EQ(grid.Selection(), (TGridRect{4, 5, 4, 5}));
    grid.UnHideSelection();
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 2, 3}));
}

TEST(GridBounds, NormalCellsSpanTheGridWhileTheAllCellsSwitchIsOn)
{
    TExtStringGrid grid;
    grid.SetColCount(5);
    grid.SetRowCount(6);
    grid.SetFixedFooters(1);
    grid.SetFixedRightCols(1);
    EXPECT_EQ(grid.FirstNormalCol(), 0);
    EXPECT_EQ(grid.LastNormalRow(), 5);
    grid.AllCells = false;
    EXPECT_EQ(grid.FirstNormalCol(), 1);
    EXPECT_EQ(grid.FirstNormalRow(), 1);
    EXPECT_EQ(grid.LastNormalCol(), 3);
    EXPECT_EQ(grid.LastNormalRow(), 4);
}

// ---- scroll hints, footer, sizing

struct HintCase {
    const char* name;
    TScrollHintType hints;
    Qt::Orientation bar;
    int position;
    QString shown; // empty: no hint
};

class ScrollHints : public ::testing::TestWithParam<HintCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, ScrollHints,
    ::testing::Values(HintCase{"HorizontalWithOneFixedColumn", shHorizontal, Qt::Horizontal, 0, "Col : 1"},
                      HintCase{"VerticalWithOneFixedRow", shBoth, Qt::Vertical, 7, "Row : 8"},
                      HintCase{"VerticalNotAsked", shHorizontal, Qt::Vertical, 7, ""},
                      HintCase{"NoneAsked", shNone, Qt::Horizontal, 0, ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(ScrollHints, DraggingAThumbShowsWhereItIs)
{
    const HintCase& c = GetParam();
    TForm window;
    TExtStringGrid* grid = GridInWindow(window, 200, 150, 20, 50);
    grid->ScrollHints = c.hints;
    std::vector<int> asked;
    grid->OnScrollHint = [&](QObject*, int index, QString&) { asked.push_back(index); };
    window.show();
    QScrollBar* bar = c.bar == Qt::Vertical ? grid->verticalScrollBar() : grid->horizontalScrollBar();
    // The bar reports a drag of its thumb as the user's would.
    emit bar->sliderMoved(c.position);
    ASSERT_TRUE(grid->HintWindow());
    if (c.shown.isEmpty()) {
        EXPECT_TRUE(asked.empty());
        EXPECT_FALSE(grid->HintWindow()->isVisible());
        return;
    }
    EXPECT_EQ(grid->HintWindow()->Caption(), c.shown);
    EXPECT_TRUE(grid->HintWindow()->isVisible());
    EXPECT_EQ(asked.size(), 1u);
    emit bar->sliderReleased();
    EXPECT_FALSE(grid->HintWindow()->isVisible());
}

struct FooterCase {
    const char* name;
    std::uint8_t kind;
    QString result;
};

class FooterKinds : public ::testing::TestWithParam<FooterCase> {};

INSTANTIATE_TEST_SUITE_P(Cases, FooterKinds,
                         ::testing::Values(FooterCase{"Sum", 1, "10.00"}, FooterCase{"Average", 2, "2.50"},
                                           FooterCase{"Count", 3, "4.00"}, FooterCase{"Minimum", 4, "1.00"},
                                           FooterCase{"Maximum", 0x85, "4.00"}, FooterCase{"None", 0, "x"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_P(FooterKinds, TheLastRowCalculatesItsColumn)
{
    const FooterCase& c = GetParam();
    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(6);
    for (int r = 1; r <= 4; ++r)
        grid.SetCells(1, r, QString::number(r));
    grid.SetCells(1, 5, "x");
    grid.GetCellProperties(1, 5)->FooterCalc = c.kind;
    grid.RecalcFooter(-1);
    EXPECT_EQ(grid.Cells(1, 5), "x"); // the footer is not shown
    grid.FloatingFooter()->SetVisible(true);
    grid.RecalcFooter(1);
    EXPECT_EQ(grid.Cells(1, 5), c.result);
}

TEST(GridSizing, SizingOneColumnSizesTheOthersInProportion)
{
    TForm window;
    TExtStringGrid* grid = GridInWindow(window, 400, 200, 4, 5);
    grid->SetOptions(grid->Options() | goColSizing);
    for (int c = 0; c < 4; ++c)
        grid->SetColWidths(c, 50);
    grid->MouseActions()->AllColumnSize = true;
    std::vector<int> ended;
    grid->OnEndColumnSize = [&](QObject*, int col) { ended.push_back(col); };
    grid->OnUpdateColumnSize = [](QObject*, int, int& width) { width += 1; };
    ASSERT_TRUE(input::Activate(&window));
    // Drag the right edge of column 1 in the fixed row from x 99 to 149.
    QWidget* area = grid->viewport();
    const int y = grid->RowHeights(0) / 2;
    const int edge = grid->CellRect(1, 0).Right;
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, QPoint(edge, y));
    QTest::mouseMove(area, QPoint(edge + 50, y));
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, QPoint(edge + 50, y));
    EXPECT_EQ(ended, std::vector<int>{1});
    EXPECT_EQ(grid->ColWidths(1), grid->CellRect(1, 0).Width());
    const int sized = grid->ColWidths(1) - 1; // before OnUpdateColumnSize added 1
    EXPECT_EQ(grid->ColWidths(0), 50);        // fixed
    EXPECT_EQ(grid->ColWidths(2), 50 * sized / 50);
    EXPECT_EQ(grid->ColWidths(3), 50 * sized / 50);
}

TEST(GridSortedFind, TypingGoesToTheFirstRowOfTheSortedColumnStartingWithTheText)
{
    TForm window;
    TExtStringGrid* grid = GridInWindow(window, 300, 200, 3, 5);
    const QStringList names{"", "Ana", "Bruno", "Carla", "Carlos"};
    for (int r = 1; r < 5; ++r)
        grid->SetCells(1, r, names[r]);
    grid->SortSettings()->SetColumn(1);
    grid->Navigation()->AutoGotoWhenSorted = true;
    ASSERT_TRUE(input::Activate(&window));
    grid->SetFocus();
    input::Type("c");
    EXPECT_EQ(grid->Row(), 3);
    input::Type("b"); // the typed character replaces the text
    EXPECT_EQ(grid->Row(), 2);
    grid->Navigation()->AutoGotoIncremental = true;
    grid->ClearSortedFindText();
    input::Type("carlo");
    EXPECT_EQ(grid->Row(), 4);
    input::Type("\b"); // "carl": the first row starting with it
    EXPECT_EQ(grid->Row(), 3);
}

} // namespace

