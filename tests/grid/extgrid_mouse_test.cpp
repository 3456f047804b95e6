// The grid's mouse as a user moves it: real presses, moves, releases and
// double clicks on the cell area of an offscreen grid.
#include "grid/extgrid.h"

#include "grid/cellstream.h"
#include "grid/extobj.h"
#include "tests/support/input.h"

#include <QDir>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Cases are named by their name field.
struct ByName {
    template <typename T>
    std::string operator()(const ::testing::TestParamInfo<T>& Case) const
    {
        return Case.param.name;
    }
};

class GridMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = new TExtStringGrid(&window);
        grid->setGeometry(10, 20, 460, 220);
        grid->SetColCount(5);
        grid->SetRowCount(7);
        grid->SetDefaultColWidth(80);
        grid->SetDefaultRowHeight(24);
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 7; ++r)
                grid->SetCells(c, r, QString("%1%2").arg(QChar('a' + c)).arg(r));
        window.resize(480, 250);
        ASSERT_TRUE(input::Activate(&window));
        grid->setFocus();
        input::Settle();
    }

    QWidget* area() const { return grid->viewport(); }
    QPoint Center(int col, int row) const { return grid->CellRect(col, row).ToQRect().center(); }
    // A point on the line right of a column (below a row), inside the
    // fixed cells.
    QPoint ColumnEdge(int col) const { return QPoint(grid->CellRect(col, 0).Right, Center(col, 0).y()); }
    QPoint RowEdge(int row) const { return QPoint(Center(0, row).x(), grid->CellRect(0, row).Bottom); }

    void Press(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mousePress(area(), Qt::LeftButton, mods, p);
    }
    void Move(QPoint p, Qt::MouseButtons held = Qt::LeftButton)
    {
        QMouseEvent move(QEvent::MouseMove, p, area()->mapToGlobal(p), Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(area(), &move);
    }
    void Release(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseRelease(area(), Qt::LeftButton, mods, p);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Move(from, Qt::NoButton);
        Press(from, mods);
        Move((from + to) / 2);
        Move(to);
        Release(to, mods);
    }
    QImage CursorImage() const
    {
        return area()->cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    }
    static QImage Resource(int id)
    {
        return QImage(QString(":/grid/CUR%1.png").arg(id)).convertToFormat(QImage::Format_ARGB32);
    }

    QWidget window;
    TExtStringGrid* grid = nullptr;
};

// ---- pointer states and their cursors

struct PointerCase {
    const char* name;
    bool TMouseActions::*action;
    int col, row;
    TExtStringGrid::TPointerState state;
    int cursor;
};

class GridPointer : public GridMouse, public ::testing::WithParamInterface<PointerCase> {};

TEST_P(GridPointer, StateAndCursorFollowTheMouse)
{
    const PointerCase& c = GetParam();
    grid->SetOptions(grid->Options() | goColSizing);
    grid->MouseActions()->*c.action = true;
    Move(Center(2, 2), Qt::NoButton);
    EXPECT_EQ(grid->PointerState(), TExtStringGrid::psNone);
    Move(Center(c.col, c.row), Qt::NoButton);
    EXPECT_EQ(grid->PointerState(), c.state);
    if (c.cursor) {
        EXPECT_EQ(CursorImage(), Resource(c.cursor));
    }
    // Back over a data cell the grid's own cursor returns.
    Move(Center(2, 3), Qt::NoButton);
    EXPECT_EQ(grid->PointerState(), TExtStringGrid::psNone);
    EXPECT_NE(area()->cursor().shape(), Qt::BitmapCursor);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridPointer,
    ::testing::Values(PointerCase{"ColumnFromHeader", &TMouseActions::ColSelect, 2, 0, TExtStringGrid::psColSelect, 8011},
                      PointerCase{"RowFromFixedColumn", &TMouseActions::RowSelect, 0, 3, TExtStringGrid::psRowSelect, 8010},
                      PointerCase{"AllFromCorner", &TMouseActions::AllSelect, 0, 0, TExtStringGrid::psAllSelect, 8012},
                      PointerCase{"HeaderWithoutColSelect", &TMouseActions::RowSelect, 2, 0, TExtStringGrid::psNone, 0},
                      PointerCase{"DataCellIsNoState", &TMouseActions::ColSelect, 3, 3, TExtStringGrid::psNone, 0}),
    ByName{});

TEST_F(GridMouse, TheApplicationsCursorEndsThePointerState)
{
    grid->MouseActions()->ColSelect = true;
    Move(Center(2, 0), Qt::NoButton);
    ASSERT_EQ(grid->PointerState(), TExtStringGrid::psColSelect);
    grid->SetCursor(Qt::IBeamCursor);
    EXPECT_EQ(grid->PointerState(), TExtStringGrid::psNone);
    EXPECT_EQ(area()->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(GridMouse, HeaderSizingEdgeIsNoColumnSelection)
{
    grid->SetOptions(grid->Options() | goColSizing);
    grid->MouseActions()->ColSelect = true;
    Move(ColumnEdge(2), Qt::NoButton);
    EXPECT_EQ(grid->PointerState(), TExtStringGrid::psNone);
    EXPECT_EQ(area()->cursor().shape(), Qt::SplitHCursor);
}

// ---- whole rows and columns from the fixed cells

struct SelectCase {
    const char* name;
    bool TMouseActions::*action;
    int fromCol, fromRow, toCol, toRow;
    TGridRect selected;
};

class GridFixedSelect : public GridMouse, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(GridFixedSelect, DragSelectsWholeLinesOfData)
{
    const SelectCase& c = GetParam();
    grid->MouseActions()->*c.action = true;
    Drag(Center(c.fromCol, c.fromRow), Center(c.toCol, c.toRow));
    EXPECT_EQ(grid->Selection(), c.selected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridFixedSelect,
    ::testing::Values(SelectCase{"ColumnsRightward", &TMouseActions::ColSelect, 1, 0, 3, 0, {1, 1, 3, 6}},
                      SelectCase{"ColumnsLeftward", &TMouseActions::ColSelect, 3, 0, 2, 0, {2, 1, 3, 6}},
                      // Dragged into the fixed column, the span stops at the data.
                      SelectCase{"ColumnsIntoFixed", &TMouseActions::ColSelect, 2, 0, 0, 0, {1, 1, 2, 6}},
                      SelectCase{"RowsDown", &TMouseActions::RowSelect, 0, 2, 0, 4, {1, 2, 4, 4}},
                      SelectCase{"RowsIntoHeader", &TMouseActions::RowSelect, 0, 3, 0, 0, {1, 1, 4, 3}},
                      SelectCase{"AllCells", &TMouseActions::AllSelect, 0, 0, 0, 0, {1, 1, 4, 6}}),
    ByName{});

// ---- sizing, its veto and its hint

struct VetoCase {
    const char* name;
    bool columns;
    bool allow;
};

class GridSizingVeto : public GridMouse, public ::testing::WithParamInterface<VetoCase> {};

TEST_P(GridSizingVeto, TheApplicationMayRefuse)
{
    const VetoCase& c = GetParam();
    grid->SetOptions(grid->Options() | goColSizing | goRowSizing);
    std::vector<int> asked;
    grid->OnColumnSize = [&](QObject*, int ACol, bool& Allow) { asked.push_back(ACol), Allow = c.allow; };
    grid->OnRowSize = [&](QObject*, int ARow, bool& Allow) { asked.push_back(ARow), Allow = c.allow; };
    const QPoint edge = c.columns ? ColumnEdge(2) : RowEdge(3);
    const QPoint delta = c.columns ? QPoint(30, 0) : QPoint(0, 15);
    const int before = c.columns ? grid->ColWidths(2) : grid->RowHeights(3);
    Drag(edge, edge + delta);
    const int after = c.columns ? grid->ColWidths(2) : grid->RowHeights(3);
    EXPECT_EQ(after, c.allow ? before + (c.columns ? 30 : 15) : before);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), c.columns ? 2 : 3);
}

INSTANTIATE_TEST_SUITE_P(Cases, GridSizingVeto,
                         ::testing::Values(VetoCase{"ColumnAllowed", true, true},
                                           VetoCase{"ColumnRefused", true, false},
                                           VetoCase{"RowAllowed", false, true}, VetoCase{"RowRefused", false, false}),
                         ByName{});

TEST_F(GridMouse, FixedColumnSizesAlongItsWholeEdge)
{
    const QPoint edge(grid->CellRect(0, 3).Right, Center(0, 3).y());
    const int before = grid->ColWidths(0);
    Drag(edge, edge + QPoint(20, 0));
    EXPECT_EQ(grid->ColWidths(0), before) << "only with SizeFixedCol";
    grid->MouseActions()->SizeFixedCol = true;
    Drag(edge, edge + QPoint(20, 0));
    EXPECT_EQ(grid->ColWidths(0), before + 20);
}

TEST_F(GridMouse, SizingShowsTheWidthInTheHint)
{
    grid->SetOptions(grid->Options() | goColSizing);
    grid->HintShowSizing = true;
    const QPoint edge = ColumnEdge(1);
    Move(edge, Qt::NoButton);
    Press(edge);
    Move(edge + QPoint(12, 0));
    EXPECT_TRUE(grid->HintWindow()->isVisible());
    EXPECT_EQ(grid->HintWindow()->Caption(), QString("cw=<b>%1</b>").arg(grid->ColWidths(1)));
    Release(edge + QPoint(12, 0));
    EXPECT_FALSE(grid->HintWindow()->isVisible());
}

TEST_F(GridMouse, OneRowGridNeverSizes)
{
    grid->SetOptions(grid->Options() | goColSizing);
    grid->FixedRowAlways = true;
    grid->SetRowCount(1);
    const int before = grid->ColWidths(2);
    Drag(ColumnEdge(2), ColumnEdge(2) + QPoint(25, 0));
    EXPECT_EQ(grid->ColWidths(2), before);
}

// ---- double clicks

struct DoubleCase {
    const char* name;
    // Where: right of the column's left edge by dx, in row row.
    int col, row, dx;
    int sized; // column auto-sized, -1 none
    bool cellEvent;
};

class GridDoubleClick : public GridMouse, public ::testing::WithParamInterface<DoubleCase> {};

TEST_P(GridDoubleClick, HeaderEdgesAutoSizeWithoutTheCellEvent)
{
    const DoubleCase& c = GetParam();
    grid->SetOptions(grid->Options() | goColSizing);
    grid->SetCells(1, 3, "a much longer text than the column shows");
    grid->SetCells(2, 4, "another long text in the second column");
    std::vector<std::pair<int, int>> cells;
    std::vector<int> ended;
    grid->OnDblClickCell = [&](QObject*, int ARow, int ACol) { cells.push_back({ACol, ARow}); };
    grid->OnEndColumnSize = [&](QObject*, int ACol) { ended.push_back(ACol); };
    const int w1 = grid->ColWidths(1), w2 = grid->ColWidths(2);
    const QPoint at(grid->CellRect(c.col, c.row).Left + c.dx, Center(c.col, c.row).y());
    QTest::mouseDClick(area(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(grid->ColWidths(1) > w1, c.sized == 1);
    EXPECT_EQ(grid->ColWidths(2) > w2, c.sized == 2);
    EXPECT_EQ(!cells.empty(), c.cellEvent);
    if (c.sized >= 0) {
        ASSERT_FALSE(ended.empty());
        EXPECT_EQ(ended.back(), c.sized);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridDoubleClick,
    ::testing::Values(DoubleCase{"LeftEdgeSizesTheColumnBefore", 2, 0, 1, 1, false},
                      DoubleCase{"RightEdgeSizesTheColumn", 2, 0, 78, 2, false},
                      DoubleCase{"MiddleOfHeader", 2, 0, 40, -1, true},
                      // The first data column's left edge would size the fixed column.
                      DoubleCase{"FirstColumnLeftEdge", 1, 0, 1, -1, true},
                      DoubleCase{"DataCellEdge", 2, 3, 1, -1, true}),
    ByName{});

TEST_F(GridMouse, DoubleClickSizingMayBeRefused)
{
    grid->SetOptions(grid->Options() | goColSizing);
    grid->SetCells(2, 3, "a much longer text than the column shows");
    grid->OnColumnSize = [](QObject*, int, bool& Allow) { Allow = false; };
    const int before = grid->ColWidths(2);
    QTest::mouseDClick(area(), Qt::LeftButton, Qt::NoModifier, QPoint(grid->CellRect(2, 0).Right - 1, 10));
    EXPECT_EQ(grid->ColWidths(2), before);
}

// ---- enhanced moves

TEST_F(GridMouse, EnhancedColumnMoveShowsArrowsAndHeaderButton)
{
    grid->SetOptions(grid->Options() | goColMoving);
    grid->EnhRowColMove = true;
    grid->SetColWidths(1, 60);
    grid->SetColWidths(3, 100);
    std::vector<int> asked;
    grid->OnColumnMove = [&](QObject*, int ACol, bool& Allow) { asked.push_back(ACol), Allow = true; };
    const QPoint from = Center(1, 0);
    Move(from, Qt::NoButton);
    Press(from);
    Move(Center(2, 0));
    Move(Center(3, 0));
    ASSERT_EQ(asked, std::vector<int>{1});
    TPopupButton* button = grid->HeaderButton();
    ASSERT_TRUE(button && button->isVisible());
    EXPECT_EQ(button->Caption(), "b0");
    EXPECT_EQ(button->size(), QSize(60, grid->RowHeights(0)));
    // The button keeps the point where the header was taken under the mouse.
    EXPECT_EQ(button->pos(), area()->mapToGlobal(Center(3, 0) - (from - grid->CellRect(1, 0).ToQRect().topLeft())));
    EXPECT_TRUE(grid->ArrowWindow(0)->isVisible());
    EXPECT_TRUE(grid->ArrowWindow(1)->isVisible());
    const int left = grid->CellRect(3, 0).Left;
    EXPECT_EQ(grid->ArrowWindow(0)->pos(), area()->mapToGlobal(QPoint(left - 5, grid->CellRect(3, 0).Top - 8)));
    EXPECT_EQ(area()->cursor().shape(), Qt::DragMoveCursor);

    // The picture of the move: the window with the arrows and the button
    // laid over it where they stand on the screen.
    QImage shot = window.grab().toImage();
    {
        QPainter painter(&shot);
        for (QWidget* mark : {static_cast<QWidget*>(grid->ArrowWindow(0)), static_cast<QWidget*>(grid->ArrowWindow(1)),
                              static_cast<QWidget*>(button)}) {
            QImage part = mark->grab().toImage();
            if (!mark->mask().isEmpty()) {
                part = part.convertToFormat(QImage::Format_ARGB32);
                for (int y = 0; y < part.height(); ++y)
                    for (int x = 0; x < part.width(); ++x)
                        if (!mark->mask().contains(QPoint(x, y)))
                            part.setPixel(x, y, 0);
            }
            painter.drawImage(window.mapFromGlobal(mark->pos()), part);
        }
    }
    QDir().mkpath(TRIVANTO_TEST_OUT);
    EXPECT_TRUE(shot.save(TRIVANTO_TEST_OUT "/grade_mover_coluna.png"));

    Release(Center(3, 0));
    EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(grid->ArrowWindow(0)->isVisible());
    EXPECT_EQ(grid->Cells(3, 0), "b0");
    EXPECT_EQ(grid->Cells(1, 0), "c0");
    EXPECT_EQ(grid->Cells(3, 4), "b4");
    // The widths follow their columns.
    EXPECT_EQ(grid->ColWidths(3), 60);
    EXPECT_EQ(grid->ColWidths(2), 100);
    EXPECT_EQ(grid->ColWidths(1), 80);
}

TEST_F(GridMouse, RefusedColumnMoveMovesNothing)
{
    grid->SetOptions(grid->Options() | goColMoving);
    grid->EnhRowColMove = true;
    grid->OnColumnMove = [](QObject*, int, bool& Allow) { Allow = false; };
    Drag(Center(1, 0), Center(3, 0));
    EXPECT_EQ(grid->Cells(1, 0), "b0");
    EXPECT_EQ(grid->Cells(3, 0), "d0");
}

TEST_F(GridMouse, EnhancedRowMoveShowsRowArrows)
{
    grid->SetOptions(grid->Options() | goRowMoving);
    grid->EnhRowColMove = true;
    std::vector<int> asked;
    grid->OnRowMove = [&](QObject*, int ARow, bool& Allow) { asked.push_back(ARow), Allow = true; };
    Move(Center(0, 2), Qt::NoButton);
    Press(Center(0, 2));
    Move(Center(0, 4));
    EXPECT_EQ(asked, std::vector<int>{2});
    EXPECT_EQ(grid->HeaderButton()->Caption(), "a2");
    EXPECT_TRUE(grid->ArrowWindow(2)->isVisible());
    EXPECT_TRUE(grid->ArrowWindow(3)->isVisible());
    // A right button let go meanwhile does not end the move.
    QTest::mouseRelease(area(), Qt::RightButton, Qt::NoModifier, Center(0, 4));
    EXPECT_TRUE(grid->HeaderButton()->isVisible());
    Release(Center(0, 4));
    EXPECT_EQ(grid->Cells(0, 4), "a2");
    EXPECT_EQ(grid->Cells(1, 4), "b2");
}

// ---- the fill handle

struct FillCase {
    const char* name;
    QStringList first; // the selected cells of column 1 from row 1
    int toRow;
    QStringList filled; // column 1 from row 1 afterwards
};

class GridFillHandle : public GridMouse, public ::testing::WithParamInterface<FillCase> {};

TEST_P(GridFillHandle, DraggingTheCornerFillsTheSelection)
{
    const FillCase& c = GetParam();
    grid->SetOptions(grid->Options() | goEditing);
    grid->Navigation()->AllowSmartClipboard = true;
    grid->SetSelectionRectangle(true);
    grid->SetSelectionResizer(true);
    for (int r = 1; r < 7; ++r)
        grid->SetCells(1, r, r <= c.first.size() ? c.first[r - 1] : QString());
    grid->SetSelection({1, 1, 1, static_cast<int>(c.first.size())});
    const TRect corner = grid->CellRect(1, static_cast<int>(c.first.size()));
    const QPoint handle(corner.Right - 1, corner.Bottom - 1);
    Move(handle, Qt::NoButton);
    EXPECT_EQ(grid->PointerState(), TExtStringGrid::psFillHandle);
    EXPECT_EQ(CursorImage(), Resource(8012));
    Press(handle);
    Move(Center(1, c.toRow));
    Release(Center(1, c.toRow));
    QStringList column;
    for (int r = 1; r <= c.toRow; ++r)
        column << grid->Cells(1, r);
    EXPECT_EQ(column, c.filled);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, c.toRow}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridFillHandle,
    ::testing::Values(FillCase{"OneValueRepeats", {"x"}, 4, {"x", "x", "x", "x"}},
                      FillCase{"NumbersContinue", {"1", "3"}, 5, {"1", "3", "5", "7", "9"}},
                      FillCase{"TextsRepeatAsABlock", {"p", "q"}, 6, {"p", "q", "p", "q", "p", "q"}}),
    ByName{});

TEST_F(GridMouse, FillHandleWritesEvenWithoutEditing)
{
    grid->Navigation()->AllowSmartClipboard = true;
    grid->SetSelectionRectangle(true);
    grid->SetSelectionResizer(true);
    grid->SetCells(2, 2, "7");
    grid->SetSelection({2, 2, 2, 2});
    const TRect corner = grid->CellRect(2, 2);
    Drag(QPoint(corner.Right - 1, corner.Bottom - 1), Center(2, 4));
    EXPECT_EQ(grid->Cells(2, 4), "7");
    EXPECT_FALSE(grid->Options() & goEditing);
}

// ---- cells, clicks and releases

TEST_F(GridMouse, RightClickReportsTheCellAndEditsUrls)
{
    std::vector<std::pair<int, int>> clicked;
    grid->OnRightClickCell = [&](QObject*, int ARow, int ACol) { clicked.push_back({ACol, ARow}); };
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetCells(3, 4, "http://example.org");
    QTest::mouseClick(area(), Qt::RightButton, Qt::NoModifier, Center(2, 0));
    EXPECT_FALSE(grid->EditorMode());
    grid->SetURLShow(true);
    grid->URLEdit = true;
    QTest::mouseClick(area(), Qt::RightButton, Qt::NoModifier, Center(3, 4));
    EXPECT_EQ(clicked, (std::vector<std::pair<int, int>>{{2, 0}, {3, 4}}));
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_TRUE(grid->EditorMode());
}

TEST_F(GridMouse, CtrlClicksCollectScatteredCells)
{
    grid->MouseActions()->DisjunctCellSelect = true;
    QTest::mouseClick(area(), Qt::LeftButton, Qt::ControlModifier, Center(1, 1));
    QTest::mouseClick(area(), Qt::LeftButton, Qt::ControlModifier, Center(3, 4));
    QTest::mouseClick(area(), Qt::LeftButton, Qt::ControlModifier, Center(2, 2));
    QTest::mouseClick(area(), Qt::LeftButton, Qt::ControlModifier, Center(1, 1));
    EXPECT_FALSE(grid->CellSelected(1, 1));
    EXPECT_TRUE(grid->CellSelected(3, 4));
    EXPECT_TRUE(grid->CellSelected(2, 2));
    // A click on a fixed cell leaves the list alone; a plain click empties it.
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, Center(2, 0));
    EXPECT_TRUE(grid->CellSelected(3, 4));
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, Center(4, 5));
    EXPECT_FALSE(grid->CellSelected(3, 4));
    EXPECT_FALSE(grid->CellSelected(4, 5));
}

struct SortClickCase {
    const char* name;
    int dx; // from the header cell's left edge
    bool sorts;
};

class GridHeaderSort : public GridMouse, public ::testing::WithParamInterface<SortClickCase> {};

TEST_P(GridHeaderSort, AClickOnTheHeaderSorts)
{
    grid->SetOptions(grid->Options() | goColSizing);
    grid->SortSettings()->SetShow(true);
    const QStringList values{"m", "c", "x", "a", "k", "b"};
    for (int r = 1; r < 7; ++r)
        grid->SetCells(2, r, values[r - 1]);
    std::vector<int> sorted;
    grid->OnClickSort = [&](QObject*, int ACol) { sorted.push_back(ACol); };
    const QPoint at(grid->CellRect(2, 0).Left + GetParam().dx, Center(2, 0).y());
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(!sorted.empty(), GetParam().sorts);
    EXPECT_EQ(grid->Cells(2, 1), GetParam().sorts ? "a" : "m");
}

INSTANTIATE_TEST_SUITE_P(Cases, GridHeaderSort,
                         ::testing::Values(SortClickCase{"Middle", 40, true}, SortClickCase{"NearLeftEdge", 2, false},
                                           SortClickCase{"NearRightEdge", 78, false}),
                         ByName{});

TEST_F(GridMouse, PressAndReleaseMustBothBeOnTheSortRow)
{
    grid->SortSettings()->SetShow(true);
    std::vector<int> sorted;
    grid->OnClickSort = [&](QObject*, int ACol) { sorted.push_back(ACol); };
    Press(Center(2, 3));
    Move(Center(2, 0));
    Release(Center(2, 0));
    EXPECT_TRUE(sorted.empty());
}

struct RadioCase {
    const char* name;
    int item; // whose span the click hits
    QString text;
};

class GridRadioClick : public GridMouse, public ::testing::WithParamInterface<RadioCase> {};

TEST_P(GridRadioClick, TheItemUnderTheClickIsChosen)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetColWidths(2, 200);
    TCellGraphic* g = grid->CreateCellGraphic(2, 2);
    g->CellType = ctRadio;
    auto* options = new TCellRadioList;
    options->Items = QStringList{"A", "Bbbbbb", "C"};
    g->CellBitmap = options;
    g->CellCreated = true;
    g->CellBoolean = true; // side by side
    g->CellIndex = 0;
    grid->SetCells(2, 2, "A");
    std::vector<int> clicked;
    grid->OnRadioClick = [&](QObject*, int, int, int AIdx) { clicked.push_back(AIdx); };
    // The spans: text width + 16 + 2 from the cell's left.
    const QFontMetrics metrics(grid->font());
    int left = grid->CellRect(2, 2).Left;
    for (int i = 0; i < GetParam().item; ++i)
        left += metrics.horizontalAdvance(options->Items[i]) + 18;
    const QPoint at(left + 3, Center(2, 2).y());
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(grid->Cells(2, 2), GetParam().text);
    EXPECT_EQ(clicked, std::vector<int>{GetParam().item});
    EXPECT_EQ(g->CellIndex, GetParam().item);
    EXPECT_FALSE(grid->EditorMode());
}

INSTANTIATE_TEST_SUITE_P(Cases, GridRadioClick,
                         ::testing::Values(RadioCase{"First", 0, "A"}, RadioCase{"Second", 1, "Bbbbbb"},
                                           RadioCase{"Third", 2, "C"}),
                         ByName{});

TEST_F(GridMouse, ClickTogglesACheckBoxCell)
{
    grid->SetOptions(grid->Options() | goEditing);
    TCellGraphic* g = grid->CreateCellGraphic(3, 3);
    g->CellType = ctDataCheckBox;
    grid->SetCells(3, 3, "N");
    std::vector<bool> states;
    grid->OnCheckBoxClick = [&](QObject*, int, int, bool State) { states.push_back(State); };
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, Center(3, 3));
    EXPECT_EQ(grid->Cells(3, 3), "Y");
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, Center(3, 3));
    EXPECT_EQ(grid->Cells(3, 3), "N");
    EXPECT_EQ(states, (std::vector<bool>{true, false}));
    EXPECT_FALSE(grid->InplaceEditor() && grid->InplaceEditor()->isVisible());
    // Where no edit is allowed the box stays.
    grid->OnCanEditCell = [](QObject*, int, int, bool& CanEdit) { CanEdit = false; };
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, Center(3, 3));
    EXPECT_EQ(grid->Cells(3, 3), "N");
}

TEST_F(GridMouse, RefusedDragGoesOnSelecting)
{
    grid->DragDropSettings()->OleDropSource = true;
    grid->SetSelection({1, 1, 2, 2});
    std::vector<QString> asked;
    grid->OnOleDrag = [&](QObject*, int, int, const QString& Text, bool& Allow) {
        asked.push_back(Text);
        Allow = false;
    };
    Press(Center(2, 2));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 2})) << "the press keeps the selection it may drag";
    Move(Center(2, 2) + QPoint(2, 1));
    EXPECT_TRUE(asked.empty()) << "not far enough yet";
    Move(Center(3, 4));
    Release(Center(3, 4));
    EXPECT_EQ(asked, std::vector<QString>{"c2"});
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 3, 4}));
}

TEST_F(GridMouse, PressOnTheSelectionWithoutMovingIsAClick)
{
    grid->DragDropSettings()->OleDropSource = true;
    grid->SetSelection({1, 1, 3, 3});
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, Center(2, 2));
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 2, 2}));
}

TEST_F(GridMouse, RangeSelectionSwitchesEditingOff)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->MouseActions()->RangeSelectAndEdit = true;
    Drag(Center(1, 1), Center(3, 3));
    EXPECT_FALSE(grid->Options() & goEditing);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 3}));
}

// A click on the current cell takes its text as it now stands: a text the
// program put there meanwhile is no edit of the user's.
TEST_F(GridMouse, AClickRemembersTheCellsTextForTheCommit)
{
    grid->SetOptions(grid->Options() | goEditing);
    int validated = 0;
    grid->OnCellValidate = [&](QObject*, int, int, QString&, bool&) { ++validated; };
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, Center(2, 2));
    grid->SetCells(2, 2, "set by the program");
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, Center(2, 2));
    ASSERT_TRUE(grid->EditorMode());
    input::Key(Qt::Key_Return);
    EXPECT_EQ(validated, 0);
    EXPECT_EQ(grid->Cells(2, 2), "set by the program");
}

// Rows size to their highest cell: lines of a multi-line cell count.
TEST_F(GridMouse, RowsAutoSizeToTheirLines)
{
    grid->Multilinecells = true;
    grid->SetCells(2, 3, "one\ntwo\nthree");
    grid->AutoSizeRow(2);
    grid->AutoSizeRow(3);
    EXPECT_GT(grid->RowHeights(3), 2 * grid->RowHeights(2));
    const int single = grid->RowHeights(2);
    grid->AutoSizeRows(false, 5);
    EXPECT_EQ(grid->RowHeights(4), single + 5);
    EXPECT_EQ(grid->RowHeights(0), 24) << "fixed rows only when asked";
}

} // namespace

// ---- node buttons, cell buttons and the cell click

namespace {

TEST_F(GridMouse, NodeButtonClosesAndOpensItsRows)
{
    TCellGraphic* node = grid->CreateCellGraphic(0, 1);
    node->CellType = ctNode;
    node->CellIndex = 3;
    std::vector<std::string> events;
    grid->OnContractNode = [&](QObject*, int ARow, int ARowReal) {
        events.push_back("contract " + std::to_string(ARow) + "/" + std::to_string(ARowReal));
    };
    grid->OnExpandNode = [&](QObject*, int ARow, int ARowReal) {
        events.push_back("expand " + std::to_string(ARow) + "/" + std::to_string(ARowReal));
    };
    const QPoint button(grid->CellRect(0, 1).Left + 6, Center(0, 1).y());
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, button);
    EXPECT_EQ(grid->RowCount(), 5) << "the two rows under the node are hidden";
    EXPECT_EQ(grid->Cells(1, 2), "b4");
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, button);
    EXPECT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(grid->Cells(1, 2), "b2");
    EXPECT_EQ(events, (std::vector<std::string>{"contract 1/1", "expand 1/1"}));
    // The rest of the node's cell is an ordinary cell.
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, QPoint(grid->CellRect(0, 1).Right - 4, button.y()));
    EXPECT_EQ(grid->RowCount(), 7);
}

TEST_F(GridMouse, CellButtonClicksOnlyWhenReleasedOverIt)
{
    TCellGraphic* button = grid->CreateCellGraphic(2, 3);
    button->CellType = ctButton;
    button->CellIndex = 30 | (16 << 16);
    std::vector<std::pair<int, int>> clicks;
    grid->OnButtonClick = [&](QObject*, int ACol, int ARow) { clicks.emplace_back(ACol, ARow); };
    const QPoint on = grid->GetCellButtonRect(2, 3).ToQRect().center();
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, on);
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{2, 3}}));
    // Pressed, then let go elsewhere: no click.
    Press(on);
    Move(Center(4, 5));
    Release(Center(4, 5));
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(GridMouse, ClickCellReportsPressAndReleaseOnOneCell)
{
    std::vector<std::pair<int, int>> clicks;
    grid->OnClickCell = [&](QObject*, int ARow, int ACol) { clicks.emplace_back(ACol, ARow); };
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, Center(3, 4));
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, Center(2, 0));
    Press(Center(1, 1));
    Move(Center(1, 2));
    Release(Center(1, 2));
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{3, 4}, {2, 0}}));
}

} // namespace
