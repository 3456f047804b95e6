// The grid's drag and drop, driven by Qt drag events on a shown offscreen
// grid: drags started through the grid's start step run in a scripted drag
// loop that moves over the grid's cells and drops or cancels; drops from
// outside arrive as the drag events another application would send.
#include "grid/extgrid.h"
#include "platform/forms.h"
#include "tests/support/input.h"
#include "tests/support/scripted.h"
#include "tests/support/xlsfixtures.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Drag events at a point of the grid's cell area, as the platform sends
// them.
struct DragEvents {
    QWidget* widget;

    static Qt::KeyboardModifiers Mods(bool ctrl) { return ctrl ? Qt::ControlModifier : Qt::NoModifier; }
    static Qt::DropAction Answer(const QDropEvent& e) { return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction; }

    Qt::DropAction Enter(const QMimeData* data, QPoint at, bool ctrl = false)
    {
        QDragEnterEvent e(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Mods(ctrl));
        QApplication::sendEvent(widget, &e);
        return Answer(e);
    }
    Qt::DropAction Move(const QMimeData* data, QPoint at, bool ctrl = false)
    {
        QDragMoveEvent e(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Mods(ctrl));
        QApplication::sendEvent(widget, &e);
        return Answer(e);
    }
    void Leave()
    {
        QDragLeaveEvent e;
        QApplication::sendEvent(widget, &e);
    }
    Qt::DropAction Drop(const QMimeData* data, QPoint at, bool ctrl = false)
    {
        QDropEvent e(QPointF(at), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Mods(ctrl));
        QApplication::sendEvent(widget, &e);
        return Answer(e);
    }
    // Enter, move and drop at one point.
    Qt::DropAction DropAt(const QMimeData* data, QPoint at, bool ctrl = false)
    {
        Enter(data, at, ctrl);
        Move(data, at, ctrl);
        return Drop(data, at, ctrl);
    }
};

int Effect(Qt::DropAction a)
{
    return a == Qt::CopyAction ? DROPEFFECT_COPY : a == Qt::MoveAction ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
}

// The drag loop, scripted: the mouse passes the given points of one widget
// with the left button down, then is let go (dropping) or Escape is pressed.
class ScriptedLoop : public TDragLoop {
public:
    QWidget* over = nullptr;
    std::vector<QPoint> path;
    bool ctrl = false;
    bool escape = false;
    int runs = 0;
    QString text;
    // Run at each point after the move (the arrows, the scroll position).
    std::function<void(QPoint)> atEachPoint;

    HRESULT DoDragDrop(QWidget*, QMimeData* data, TDragSourceCallbacks& callbacks, int, int& effect) override
    {
        std::unique_ptr<QMimeData> owned(data);
        ++runs;
        text = data->text();
        DragEvents events{over};
        effect = DROPEFFECT_NONE;
        const unsigned keys = MK_LBUTTON | (ctrl ? MK_CONTROL : 0u);
        for (std::size_t i = 0; i < path.size(); ++i) {
            callbacks.QueryContinueDrag(false, keys);
            const Qt::DropAction a = i == 0 ? events.Enter(data, path[i], ctrl) : events.Move(data, path[i], ctrl);
            callbacks.GiveFeedback(Effect(a));
            if (atEachPoint)
                atEachPoint(path[i]);
        }
        if (callbacks.QueryContinueDrag(escape, escape ? keys : 0u) == DRAGDROP_S_CANCEL) {
            events.Leave();
            return DRAGDROP_S_CANCEL;
        }
        effect = Effect(events.Drop(data, path.back(), ctrl));
        return effect == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
    }
};

// A grid remembering what each paste reported to ClipboardPasted.
class RecordingGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    std::vector<bool> copied;
    void ClipboardPasted(int, int, const TRect&, bool Copied) override { copied.push_back(Copied); }
};

class GridDragDrop : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDragLoop(&loop);
        MakeGrid();
    }
    void TearDown() override { SetDragLoop(nullptr); }

    // A fresh grid in the window (a table's next row starts from one).
    void MakeGrid()
    {
        delete grid;
        loop = ScriptedLoop();
        grid = recording = new RecordingGrid(&window);
        grid->setGeometry(0, 0, 400, 300);
        grid->SetColCount(3);
        grid->SetRowCount(7);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->SetOptions(grid->Options() | goEditing);
        // Row r holds "A".."F" in column 1 and "a".."f" in column 2.
        for (int r = 1; r < 7; ++r) {
            grid->SetCells(1, r, QString(QChar('A' + r - 1)));
            grid->SetCells(2, r, QString(QChar('a' + r - 1)));
        }
        grid->DragDropSettings()->SetOleDropTarget(true);
        grid->DragDropSettings()->OleDropSource = true;
        loop.over = grid->viewport();
        ASSERT_TRUE(input::Activate(&window));
    }

    QPoint At(int col, int row) const { return grid->CellRect(col, row).ToQRect().center(); }
    QString Column1() const
    {
        QStringList values;
        for (int r = 1; r < grid->RowCount(); ++r)
            values << grid->Cells(1, r);
        return values.join(' ');
    }
    // Drags the selected rows from Source and lets go over Target.
    void DragRows(int top, int bottom, int target)
    {
        grid->SetSelection({1, top, 2, bottom});
        loop.path = {At(1, top), At(1, target)};
        ASSERT_TRUE(grid->StartOleDrag(At(1, top)));
    }
    bool ArrowShown(int direction) const { return grid->ArrowWindow(direction)->isVisible(); }

    TForm window;
    TExtStringGrid* grid = nullptr;
    RecordingGrid* recording = nullptr;
    ScriptedLoop loop;
};

// ---- moves of rows inside the grid

struct MoveCase {
    const char* name;
    bool insertRows;
    bool removeRows;
    int top, bottom, target;
    const char* expected; // column 1 afterwards
};

const MoveCase kMoves[] = {
    {"InsertRemoveAbove", true, true, 2, 3, 1, "B C A D E F"},
    {"InsertRemoveBelow", true, true, 2, 3, 5, "A D B C E F"},
    {"InsertRemoveOntoSource", true, true, 2, 3, 2, "A B C D E F"},
    {"InsertRemoveIntoSource", true, true, 2, 4, 3, "A B C D E F"},
    {"RemoveOntoSource", false, true, 2, 3, 2, "A B C D E F"},
    {"RemoveOneBelow", false, true, 2, 3, 3, "A B C E F"},
    {"RemoveOneAbove", false, true, 2, 3, 1, "B C D E F"},
    {"RemoveFarBelow", false, true, 2, 3, 5, "A D B C"},
    {"ClearOneBelow", false, false, 2, 3, 3, "A  B C E F"},
    {"ClearOntoSource", false, false, 2, 3, 2, "A B C D E F"},
    {"ClearFarBelow", false, false, 2, 3, 5, "A   D B C"},
    {"InsertClearAbove", true, false, 2, 3, 1, "B C A   D E F"},
    {"InsertClearBelow", true, false, 2, 3, 5, "A   D B C E F"},
};

TEST_F(GridDragDrop, MovesOfRowsLandAndLeaveAsTheSwitchesSay)
{
    for (const MoveCase& m : kMoves) {
        SCOPED_TRACE(m.name);
        MakeGrid();
        grid->SetOptions(grid->Options() | goRowSelect);
        grid->DragDropSettings()->OleInsertRows = m.insertRows;
        grid->DragDropSettings()->OleRemoveRows = m.removeRows;
        int stops = 0, stopEffect = -1;
        grid->OnOleDragStop = [&](QObject*, int effect) { ++stops, stopEffect = effect; };
        DragRows(m.top, m.bottom, m.target);
        EXPECT_EQ(Column1(), m.expected);
        EXPECT_EQ(stops, 1);
        EXPECT_EQ(stopEffect, DROPEFFECT_MOVE);
    }
}

TEST_F(GridDragDrop, MovedRowsCarryEveryColumnAndBecomeTheSelection)
{
    grid->SetOptions(grid->Options() | goRowSelect);
    grid->DragDropSettings()->OleInsertRows = true;
    grid->DragDropSettings()->OleRemoveRows = true;
    TRect dropped;
    grid->OnOleDropped = [&](QObject*, TRect r) { dropped = r; };
    DragRows(4, 5, 1);
    EXPECT_EQ(loop.text, "D\td\r\nE\te");
    EXPECT_EQ(grid->Cells(2, 1), "d");
    EXPECT_EQ(grid->Cells(2, 2), "e");
    EXPECT_EQ(dropped.Top, 1);
    EXPECT_EQ(dropped.Bottom, 2);
    EXPECT_EQ(grid->Selection().Top, 1);
    EXPECT_EQ(grid->Selection().Bottom, 2);
}

TEST_F(GridDragDrop, CopiesAndCopyAlwaysLeaveTheSource)
{
    struct {
        const char* name;
        bool ctrl;
        bool copyAlways;
        int effect;
    } cases[] = {{"Ctrl", true, false, DROPEFFECT_COPY}, {"CopyAlways", false, true, DROPEFFECT_MOVE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeGrid();
        grid->DragDropSettings()->OleCopyAlways = c.copyAlways;
        loop.ctrl = c.ctrl;
        int effect = -1;
        grid->OnOleDragStop = [&](QObject*, int e) { effect = e; };
        grid->SetSelection({1, 2, 1, 2});
        loop.path = {At(1, 2), At(1, 5)};
        ASSERT_TRUE(grid->StartOleDrag(At(1, 2)));
        EXPECT_EQ(Column1(), "A B C D B F");
        EXPECT_EQ(effect, c.effect);
    }
}

// Rows 2 and 5 (B and E) flagged in disjunct-row mode travel alone, one
// after the other, and leave as the switches say.
TEST_F(GridDragDrop, DisjunctRowDragsCarryTheFlaggedRowsOnly)
{
    const struct {
        const char* name;
        bool ctrl, insertRows, removeRows;
        int target;
        const char* expected; // column 1 afterwards
    } cases[] = {
        {"InsertRemove", false, true, true, 4, "A C B E D F"},
        {"InsertRemoveAboveBoth", false, true, true, 1, "B E A C D F"},
        {"CopyWithCtrl", true, true, true, 4, "A B C B E D E F"},
        {"ClearTheSourceGrowingTheGrid", false, false, false, 6, "A  C D  B E"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeGrid();
        grid->SetOptions(grid->Options() | goRowSelect);
        grid->MouseActions()->DisjunctRowSelect = true;
        grid->DragDropSettings()->OleInsertRows = c.insertRows;
        grid->DragDropSettings()->OleRemoveRows = c.removeRows;
        grid->SetSelection({1, 2, 2, 2});
        grid->SetRowSelect(2, true);
        grid->SetRowSelect(5, true);
        loop.ctrl = c.ctrl;
        loop.path = {At(1, 2), At(1, c.target)};
        ASSERT_TRUE(grid->StartOleDrag(At(1, 2)));
        EXPECT_EQ(loop.text, "B\tb\r\nE\te");
        EXPECT_EQ(Column1(), c.expected);
    }
}

// A multi-line cell leaves quoted, without its CR, and lands in another
// grid as the same two lines; the move empties the source cell.
TEST_F(GridDragDrop, AMultiLineCellTravelsQuotedToAnotherGrid)
{
    grid->Multilinecells = true;
    grid->QuotedMultilineClipboard = true;
    grid->SetCells(1, 2, "l1\r\nl2");
    auto* target = new TExtStringGrid(&window);
    target->setGeometry(400, 0, 300, 200);
    target->SetColCount(3);
    target->SetRowCount(3);
    target->SetFixedCols(1);
    target->SetFixedRows(1);
    target->SetOptions(target->Options() | goEditing);
    target->Multilinecells = true;
    target->QuotedMultilineClipboard = true;
    target->DragDropSettings()->SetOleDropTarget(true);
    target->show();
    loop.over = target->viewport();
    loop.path = {target->CellRect(1, 1).ToQRect().center()};
    grid->SetSelection({1, 2, 2, 2});
    ASSERT_TRUE(grid->StartOleDrag(At(1, 2)));
    EXPECT_EQ(loop.text, "\"l1\nl2\"\tb");
    EXPECT_EQ(target->Cells(1, 1), "l1\r\nl2");
    EXPECT_EQ(target->Cells(2, 1), "b");
    EXPECT_EQ(grid->Cells(1, 2), "");
    EXPECT_EQ(grid->Cells(2, 2), "");
}

// A drop writes by its own rule where the clipboard's paste of the same
// text at the same cell does not: the real column goes to OnCanEditCell,
// and only OnIsFixedCell keeps a cell, so whole rows fill the fixed column.
TEST_F(GridDragDrop, ADropWritesByItsOwnRuleBesideThePaste)
{
    const struct {
        const char* name;
        std::function<void(TExtStringGrid&)> setup;
        int col; // display column dropped on and pasted at, row 3
        const char* text;
        const char* dropped; // row 3's real cells afterwards
        const char* pasted;
    } cases[] = {
        {"WholeRowsFillTheFixedColumn",
         [](TExtStringGrid& g) {
             g.SetOptions(g.Options() | goRowSelect);
             g.DragDropSettings()->OleEntireRows = true;
         },
         0, "#\tx\ty", "# x y", " x y"},
        {"TheRealColumnIsAsked",
         [](TExtStringGrid& g) {
             g.SetColumnVisibleFlag(1, false);
             g.OnCanEditCell = [](QObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 2; };
         },
         1, "x", " C c", " C x"},
        {"OnIsFixedCellKeepsACell",
         [](TExtStringGrid& g) {
             g.OnIsFixedCell = [](QObject*, int, int ACol, bool& IsFixed) { IsFixed = ACol == 2; };
         },
         1, "x\ty", " x c", " x c"},
    };
    const auto row3 = [this] {
        return QStringList{grid->Cells(0, 3), grid->Cells(1, 3), grid->Cells(2, 3)}.join(' ');
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeGrid();
        c.setup(*grid);
        QMimeData data;
        data.setText(c.text);
        // The drop lands on the cell's display column, or the row's first
        // column with whole rows.
        DragEvents{grid->viewport()}.DropAt(&data, At(std::max(c.col, 1), 3));
        EXPECT_EQ(row3(), c.dropped);
        MakeGrid();
        c.setup(*grid);
        grid->PasteText(c.col, 3, c.text);
        EXPECT_EQ(row3(), c.pasted);
    }
}

// A drop grows the grid a line at a time and reports a copy to
// ClipboardPasted, whatever the clipboard did last; the clipboard's paste
// grows the grid before its first value and passes the last copy's flag.
TEST_F(GridDragDrop, ADropGrowsLineByLineAndLeavesTheCopyFlagAlone)
{
    grid->SetSelection({1, 1, 1, 1});
    grid->CutSelection();
    ASSERT_FALSE(grid->LastCopyWasCopy());
    std::vector<int> rowCounts;
    grid->OnClipboardBeforePasteCell = [&](QObject*, int, int, QString&, bool&) {
        rowCounts.push_back(grid->RowCount());
    };
    QMimeData data;
    data.setText("x\r\ny\r\nz");
    DragEvents{grid->viewport()}.DropAt(&data, At(1, 6));
    EXPECT_EQ(rowCounts, (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(Column1(), " B C D E x y z");
    EXPECT_EQ(recording->copied, std::vector<bool>{true});
    EXPECT_FALSE(grid->LastCopyWasCopy());

    rowCounts.clear();
    grid->PasteText(1, 8, "p\r\nq\r\nr");
    EXPECT_EQ(rowCounts, (std::vector<int>{11, 11, 11}));
    EXPECT_EQ(recording->copied, (std::vector<bool>{true, false}));
}

// ---- start, cancel, refusal

TEST_F(GridDragDrop, ACancelledDragFiresNoStopAndLeavesTheSource)
{
    grid->DragDropSettings()->OleRemoveRows = true;
    grid->SetOptions(grid->Options() | goRowSelect);
    bool started = false, stopped = false;
    grid->OnOleDragStart = [&](QObject*, int ARow, int ACol) { started = ARow == 2 && ACol == 1; };
    grid->OnOleDragStop = [&](QObject*, int) { stopped = true; };
    loop.escape = true;
    DragRows(2, 3, 5);
    EXPECT_TRUE(started);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(Column1(), "A B C D E F");
    EXPECT_FALSE(ArrowShown(2));
}

TEST_F(GridDragDrop, TheStartStepRunsNoDragWhenRefusedOrSwitchedOff)
{
    QString offered;
    grid->OnOleDrag = [&](QObject*, int, int, const QString& data, bool& allow) {
        offered = data;
        allow = false;
    };
    grid->SetSelection({1, 3, 1, 3});
    loop.path = {At(1, 3), At(1, 5)};
    EXPECT_FALSE(grid->StartOleDrag(At(1, 3)));
    EXPECT_EQ(offered, "C");
    grid->OnOleDrag = nullptr;
    grid->DragDropSettings()->OleDropSource = false;
    EXPECT_FALSE(grid->StartOleDrag(At(1, 3)));
    EXPECT_EQ(loop.runs, 0);
    EXPECT_EQ(Column1(), "A B C D E F");
    EXPECT_FALSE(TExtStringGrid::DragDistanceReached({10, 10}, {13, 7}));
    EXPECT_TRUE(TExtStringGrid::DragDistanceReached({10, 10}, {10, 14}));
}

TEST_F(GridDragDrop, OnOleDropRefusingLeavesBothEnds)
{
    grid->OnOleDrop = [](QObject*, int, int, const QString&, bool& allow) { allow = false; };
    bool dropped = false;
    grid->OnOleDropped = [&](QObject*, TRect) { dropped = true; };
    grid->SetSelection({1, 2, 1, 2});
    loop.path = {At(1, 2), At(1, 5)};
    ASSERT_TRUE(grid->StartOleDrag(At(1, 2)));
    EXPECT_EQ(Column1(), "A B C D E F");
    EXPECT_FALSE(dropped);
}

TEST_F(GridDragDrop, AOneRowGridTakesTheDropBelowItsFixedRow)
{
    grid->SetRowCount(1);
    grid->FixedRowAlways = true;
    QMimeData data;
    data.setText("x");
    DragEvents events{grid->viewport()};
    events.Enter(&data, At(1, 0));
    EXPECT_EQ(events.Move(&data, At(1, 0)), Qt::MoveAction);
    EXPECT_EQ(events.Drop(&data, At(1, 0)), Qt::MoveAction);
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(1, 1), "x");
}

TEST_F(GridDragDrop, ATextWiderThanAnyGridEndsInTheErrorBoxAndKeepsTheSource)
{
    ScriptedBoxes boxes({IDOK});
    grid->SetSelection({1, 2, 1, 2});
    grid->SetCells(1, 2, QString(kMaxGridCols + 2, QLatin1Char('\t')));
    loop.path = {At(1, 2), At(1, 4)};
    bool stopped = false;
    grid->OnOleDragStop = [&](QObject*, int) { stopped = true; };
    ASSERT_TRUE(grid->StartOleDrag(At(1, 2)));
    EXPECT_EQ(boxes.Texts(), QStringList{"Grid too large for operation"});
    EXPECT_FALSE(stopped);
    EXPECT_EQ(grid->Cells(1, 2).size(), kMaxGridCols + 2);
    EXPECT_EQ(grid->Cells(1, 4), "D");
}

// ---- drag over: arrows and scrolling

TEST_F(GridDragDrop, TheRowArrowFollowsAcceptedCellsAndHidesElsewhere)
{
    QMimeData data;
    data.setText("x");
    DragEvents events{grid->viewport()};
    const TRect cell = grid->CellRect(2, 3);
    // Qt follows every enter with a move at the same point.
    events.Enter(&data, At(2, 3));
    EXPECT_EQ(events.Move(&data, At(2, 3)), Qt::MoveAction);
    EXPECT_TRUE(ArrowShown(2));
    EXPECT_EQ(grid->ArrowWindow(2)->pos(), grid->viewport()->mapToGlobal(QPoint(cell.Left - 10, cell.Top)));
    // The header row takes no text.
    EXPECT_EQ(events.Move(&data, At(2, 0)), Qt::IgnoreAction);
    EXPECT_FALSE(ArrowShown(2));
    // The application may refuse a cell.
    grid->OnOleDragOver = [](QObject*, int ARow, int, bool& allow) { allow = ARow != 4; };
    EXPECT_EQ(events.Move(&data, At(2, 4)), Qt::IgnoreAction);
    EXPECT_FALSE(ArrowShown(2));
    EXPECT_EQ(events.Move(&data, At(2, 5)), Qt::MoveAction);
    EXPECT_TRUE(ArrowShown(2));
    events.Leave();
    EXPECT_FALSE(ArrowShown(2));
    // With whole rows, the arrow marks the first normal column.
    grid->DragDropSettings()->OleEntireRows = true;
    events.Enter(&data, At(2, 3));
    events.Move(&data, At(2, 3));
    EXPECT_EQ(grid->ArrowWindow(2)->pos(),
              grid->viewport()->mapToGlobal(QPoint(grid->CellRect(1, 3).Left - 10, cell.Top)));
    events.Drop(&data, At(2, 3));
    EXPECT_FALSE(ArrowShown(2));
}

TEST_F(GridDragDrop, HoveringTheEdgesScrollsARowAtATime)
{
    grid->SetRowCount(40);
    QMimeData data;
    data.setText("x");
    DragEvents events{grid->viewport()};
    const int below = grid->TopRow() + grid->VisibleRowCount();
    events.Enter(&data, At(1, 1));
    events.Move(&data, QPoint(At(1, 1).x(), grid->CellRect(1, below - 1).Bottom + 3));
    EXPECT_EQ(grid->TopRow(), 2);
    events.Move(&data, At(1, 0));
    EXPECT_EQ(grid->TopRow(), 1);
    events.Move(&data, At(1, 0));
    EXPECT_EQ(grid->TopRow(), 1);
    events.Leave();
}

TEST_F(GridDragDrop, AColumnDragShowsItsArrowsAndDropsAColumn)
{
    grid->DragDropSettings()->OleColumnDragDrop = true;
    grid->ApplyDropFormats();
    grid->SetCells(2, 0, "Nome");
    int dropRow = -1, dropCol = -1, dropped = -1, stopEffect = -1;
    grid->OnOleDropCol = [&](QObject*, int ARow, int ACol, int DropCol) {
        dropRow = ARow, dropCol = ACol, dropped = DropCol;
    };
    grid->OnOleDragStop = [&](QObject*, int effect) { stopEffect = effect; };
    bool arrowsAtHeader = false, refusedOnCells = false, buttonShown = false;
    loop.path = {At(2, 0), At(2, 3), At(1, 0)};
    loop.atEachPoint = [&](QPoint p) {
        if (p == At(2, 3))
            refusedOnCells = !ArrowShown(0) && !ArrowShown(1);
        if (p == At(1, 0)) {
            const TRect r = grid->CellRect(1, 0);
            arrowsAtHeader = ArrowShown(0) && ArrowShown(1)
                             && grid->ArrowWindow(0)->pos() == grid->viewport()->mapToGlobal(QPoint(r.Left, r.Top - 8))
                             && grid->ArrowWindow(1)->pos() == grid->viewport()->mapToGlobal(QPoint(r.Left, r.Bottom));
            buttonShown = grid->HeaderButton()->isVisible() && grid->HeaderButton()->Caption() == "Nome";
        }
    };
    ASSERT_TRUE(grid->StartOleDrag(At(2, 0)));
    EXPECT_TRUE(refusedOnCells);
    EXPECT_TRUE(arrowsAtHeader);
    EXPECT_TRUE(buttonShown);
    EXPECT_EQ(dropRow, 0);
    EXPECT_EQ(dropCol, 1);
    EXPECT_EQ(dropped, 2);
    EXPECT_EQ(stopEffect, DROPEFFECT_MOVE);
    EXPECT_FALSE(grid->HeaderButton()->isVisible());
    EXPECT_FALSE(ArrowShown(0) || ArrowShown(1));
    EXPECT_EQ(Column1(), "A B C D E F");
}

// ---- drops from other applications

TEST_F(GridDragDrop, TextFromOutsideIsPastedWhereTheSwitchesSay)
{
    struct {
        const char* name;
        bool rowSelect, entireRows, insertRows;
        int col, row;
        const char* expected1; // column 1 afterwards
        const char* expected2; // column 2 afterwards
    } cases[] = {
        {"AtTheCell", false, false, false, 1, 2, "A x C D E F", "a y c d e f"},
        {"Inserted", false, false, true, 1, 2, "A x z B C D E F", "a y  b c d e f"},
        {"RowSelectFirstNormalColumn", true, false, false, 2, 3, "A B x D E F", "a b y d e f"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeGrid();
        if (c.rowSelect)
            grid->SetOptions(grid->Options() | goRowSelect);
        grid->DragDropSettings()->OleEntireRows = c.entireRows;
        grid->DragDropSettings()->OleInsertRows = c.insertRows;
        QMimeData data;
        data.setText(c.insertRows ? "x\ty\r\nz" : "x\ty");
        EXPECT_EQ(DragEvents{grid->viewport()}.DropAt(&data, At(c.col, c.row)), Qt::MoveAction);
        QStringList col2;
        for (int r = 1; r < grid->RowCount(); ++r)
            col2 << grid->Cells(2, r);
        EXPECT_EQ(Column1(), c.expected1);
        EXPECT_EQ(col2.join(' '), c.expected2);
    }
}

TEST_F(GridDragDrop, RichTextGoesUnchangedIntoTheCell)
{
    grid->DragDropSettings()->SetOleDropRTF(true);
    QMimeData data;
    data.setData(kMimeRichText, "{\\rtf1 negrito}");
    DragEvents{grid->viewport()}.DropAt(&data, At(2, 4));
    EXPECT_EQ(grid->Cells(2, 4), "{\\rtf1 negrito}");
    grid->DragDropSettings()->SetOleDropRTF(false);
}

TEST_F(GridDragDrop, ARevokedGridTakesNoDrop)
{
    grid->DragDropSettings()->SetOleDropTarget(false);
    EXPECT_FALSE(grid->DropTargetRegistered());
    QMimeData data;
    data.setText("x");
    DragEvents{grid->viewport()}.DropAt(&data, At(1, 2));
    EXPECT_EQ(Column1(), "A B C D E F");
    grid->DragDropSettings()->SetOleDropTarget(true);
    EXPECT_TRUE(grid->DropTargetRegistered());
}

// Files dropped on the grid: only one, and only by its extension.
TEST_F(GridDragDrop, ADroppedFileIsImportedByItsExtension)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString csv = write("lista.csv", "p;q\r\nr;s\r\n");
    const QString upper = write("LISTA2.CSV", "u;v\r\n");
    const QString bak = write("a.csv.bak", "p;q\r\n");
    const QString named = write("a.xls.csv.txt", "p;q\r\n");
    QDir(dir.path()).mkdir("dados.csv");
    const QString plain = write("dados.csv/lista.txt", "p;q\r\n");
    const QString xls = dir.filePath("Planilha.XLS");
    xlsfixtures::WriteXls(xls, xlsfixtures::kSingleCell);

    struct {
        const char* name;
        QStringList files;
        bool refuse;
        const char* holds; // a cell text afterwards (the import's, or "A" kept)
        QString asked;     // the file OnOleDrop was asked about
    } cases[] = {
        {"Csv", {csv}, false, "p", csv},
        {"CsvUpperCase", {upper}, false, "u", upper},
        {"XlsAnyCase", {xls}, false, "só", xls},
        {"TwoFiles", {csv, upper}, false, "A", QString()},
        // The name only has to hold ".CSV" or ".XLS" (".CSV" tried first).
        {"CsvInsideTheName", {bak}, false, "p", bak},
        {"CsvBeforeXlsInTheName", {named}, false, "p", named},
        {"NeitherInTheName", {plain}, false, "A", QString()},
        {"Refused", {csv}, true, "A", csv},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeGrid();
        QString asked;
        grid->OnOleDrop = [&](QObject*, int ARow, int ACol, const QString& data, bool& allow) {
            asked = ARow == -1 && ACol == -1 ? data : QStringLiteral("?");
            allow = !c.refuse;
        };
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& f : c.files)
            urls << QUrl::fromLocalFile(f);
        data.setUrls(urls);
        DragEvents{grid->viewport()}.DropAt(&data, At(1, 1));
        bool holds = false;
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int col = 0; col < grid->ColCount(); ++col)
                holds = holds || grid->Cells(col, r) == QString::fromUtf8(c.holds);
        EXPECT_TRUE(holds);
        const bool kept = grid->RowCount() == 7 && grid->ColCount() == 3 && Column1() == "A B C D E F";
        EXPECT_EQ(kept, QString(c.holds) == "A");
        EXPECT_EQ(asked, c.asked);
        EXPECT_FALSE(ArrowShown(2));
    }
}

// ---- the drag text

TEST_F(GridDragDrop, TheDragTextFollowsTheSelection)
{
    grid->SetCells(0, 2, "#2");
    grid->SetSelection({1, 2, 2, 3});
    EXPECT_EQ(grid->SelectionDragText(), "B\tb\r\nC\tc");
    grid->SetOptions(grid->Options() | goRowSelect);
    grid->DragDropSettings()->OleEntireRows = true;
    EXPECT_EQ(grid->SelectionDragText(), "#2\tB\tb\r\n\tC\tc");
    grid->SetCells(2, 2, "{\\rtf1 rico}");
    grid->DragDropSettings()->OleEntireRows = false;
    EXPECT_EQ(grid->SelectionDragText(), "B\trico\r\nC\tc");
}

} // namespace
