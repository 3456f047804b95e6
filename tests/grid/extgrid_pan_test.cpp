// Middle-button panning, the wheel and Ctrl+wheel zoom, the 500 ms timer
// (hovering, blinking), resizing with the grid and the update counter, all
// through real input on a shown grid.
#include "grid/extgrid.h"

#include "platform/forms.h"
#include "tests/support/input.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPaintEvent>
#include <QTest>
#include <QTimerEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

// Generous bound for what a real timer brings about on a loaded machine.
constexpr int kPatience = 10000;

class PanGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Three lines a notch, whatever the desktop says; read at creation.
        QApplication::setWheelScrollLines(3);
        window = std::make_unique<TForm>();
        window->resize(520, 400);
        other = new QLineEdit(window.get());
        other->setGeometry(0, 370, 100, 24);
        grid = new TExtStringGrid(window.get());
        grid->setGeometry(0, 0, 500, 360);
        grid->SetColCount(8);
        grid->SetRowCount(40);
        grid->SetDefaultColWidth(60);
        ASSERT_TRUE(input::Activate(window.get()));
        grid->SetFocus();
        grid->FocusCell(3, 10);
    }

    void TearDown() override { window.reset(); }

    QWidget* Area() const { return grid->viewport(); }

    // The mouse rests at a point of the cell area.
    void MouseAt(QPoint At) const { QCursor::setPos(Area()->mapToGlobal(At)); }

    QPoint CentreOf(int ACol, int ARow) const { return grid->CellRect(ACol, ARow).ToQRect().center(); }

    // One tick of a grid timer, as Qt delivers it.
    void Tick(int TimerId) const
    {
        ASSERT_NE(TimerId, 0);
        QTimerEvent tick(TimerId);
        QApplication::sendEvent(grid, &tick);
    }

    void StartPan(QPoint At) const
    {
        QTest::mousePress(Area(), Qt::MiddleButton, Qt::NoModifier, At);
        QTest::mouseRelease(Area(), Qt::MiddleButton, Qt::NoModifier, At);
    }

    // Wheel turns over the cell area (a negative delta turns towards the
    // user).
    void Wheel(int Delta, Qt::KeyboardModifiers Mods = Qt::NoModifier) const
    {
        const QPoint at = CentreOf(3, 10);
        QWheelEvent wheel(at, Area()->mapToGlobal(at), QPoint(), QPoint(0, Delta), Qt::NoButton, Mods,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Area(), &wheel);
    }

    std::unique_ptr<TForm> window;
    QLineEdit* other = nullptr;
    TExtStringGrid* grid = nullptr;
};

// ---- panning

struct PanCase {
    const char* name;
    TIntelliPan pan;
    QPoint offset; // where the mouse rests, from the mark
    int colStep, rowStep;
    int cursor;
};

TEST_F(PanGrid, EachTickStepsTowardsTheMouseOnThePanningAxes)
{
    const std::vector<PanCase> cases = {
        {"vertical, down-right", ipVertical, {40, 40}, 0, 1, 8001},
        {"vertical, up-left", ipVertical, {-40, -40}, 0, -1, 8004},
        {"vertical, only sideways", ipVertical, {60, 0}, 0, 0, 8000},
        {"horizontal, down-right", ipHorizontal, {40, 40}, 1, 0, 8003},
        {"horizontal, left", ipHorizontal, {-40, 3}, -1, 0, 8002},
        {"both, up-right", ipBoth, {40, -40}, 1, -1, 8005},
        {"both, up-left", ipBoth, {-40, -40}, -1, -1, 8006},
        {"both, down-right", ipBoth, {40, 40}, 1, 1, 8007},
        {"both, down-left", ipBoth, {-40, 40}, -1, 1, 8008},
        {"both, on the dead zone's edge", ipBoth, {5, -5}, 0, 0, 8000},
        {"both, just past it", ipBoth, {0, 6}, 0, 1, 8001},
    };
    const QPoint origin = CentreOf(4, 12);
    for (const PanCase& c : cases) {
        grid->IntelliPan = c.pan;
        grid->FocusCell(3, 10);
        StartPan(origin);
        ASSERT_TRUE(grid->Panning()) << c.name;
        EXPECT_EQ(grid->PanCursor(), 8000) << c.name;
        MouseAt(origin + c.offset);
        Tick(grid->PanTimer());
        EXPECT_EQ(grid->Col(), 3 + c.colStep) << c.name;
        EXPECT_EQ(grid->Row(), 10 + c.rowStep) << c.name;
        EXPECT_EQ(grid->PanCursor(), c.cursor) << c.name;
        QTest::mouseClick(Area(), Qt::MiddleButton, Qt::NoModifier, origin);
        EXPECT_FALSE(grid->Panning()) << c.name;
    }
}

struct PanEdgeCase {
    const char* name;
    std::function<void(TExtStringGrid&)> arrange;
    TIntelliPan pan;
    QPoint offset;
    TPoint expected;
};

TEST_F(PanGrid, PanningKeepsToTheDataCells)
{
    const std::vector<PanEdgeCase> cases = {
        {"the last data row above the footer stays", [](TExtStringGrid& g) {
             g.SetFixedFooters(2);
             g.FocusCell(3, 37);
         },
         ipVertical, {0, 40}, {3, 37}},
        {"a row in the footer comes back up, then steps", [](TExtStringGrid& g) {
             g.SetFixedFooters(2);
             g.FocusCell(3, 39);
         },
         ipVertical, {0, -40}, {3, 36}},
        {"the first data column stays", [](TExtStringGrid& g) { g.FocusCell(1, 10); }, ipBoth, {-40, 0}, {1, 10}},
        {"horizontal panning stops before the right fixed columns", [](TExtStringGrid& g) {
             g.SetFixedRightCols(2);
             g.FocusCell(5, 10);
         },
         ipHorizontal, {40, 40}, {5, 10}},
    };
    for (const PanEdgeCase& c : cases) {
        grid->SetFixedFooters(0);
        grid->SetFixedRightCols(0);
        grid->IntelliPan = c.pan;
        c.arrange(*grid);
        const QPoint origin = Area()->rect().center();
        StartPan(origin);
        MouseAt(origin + c.offset);
        Tick(grid->PanTimer());
        EXPECT_EQ(grid->Col(), c.expected.X) << c.name;
        EXPECT_EQ(grid->Row(), c.expected.Y) << c.name;
        input::Key(Qt::Key_Escape, Qt::NoModifier, QString(), grid);
        ASSERT_FALSE(grid->Panning()) << c.name;
    }
}

TEST_F(PanGrid, PanningWithTheVerticalMarkNeverChangesTheColumn)
{
    grid->IntelliPan = ipVertical;
    const QPoint origin = CentreOf(4, 12);
    StartPan(origin);
    // The mouse wanders all round the mark for a while.
    const QPoint around[] = {{90, 90}, {-90, 70}, {-120, -80}, {150, -10}, {-150, 0}, {10, 100}};
    for (int i = 0; i < 30; ++i) {
        MouseAt(origin + around[i % 6]);
        Tick(grid->PanTimer());
        ASSERT_EQ(grid->Col(), 3) << "tick " << i;
    }
    EXPECT_NE(grid->Row(), 10);
}

TEST_F(PanGrid, ThePanningTimerRunsByItself)
{
    grid->IntelliPan = ipVertical;
    const QPoint origin = CentreOf(4, 5);
    StartPan(origin);
    MouseAt(origin + QPoint(0, 80));
    EXPECT_TRUE(QTest::qWaitFor([&] { return grid->Row() == grid->RowCount() - 1; }, kPatience));
    EXPECT_EQ(grid->Col(), 3);
}

struct PanEnd {
    const char* name;
    std::function<void(QWidget* Area, QWidget* Grid, QPoint At)> input;
};

TEST_F(PanGrid, AnyButtonOrKeyEndsPanningAndDoesNothingElse)
{
    const std::vector<PanEnd> ends = {
        {"middle button", [](QWidget* a, QWidget*, QPoint p) { QTest::mouseClick(a, Qt::MiddleButton, {}, p); }},
        {"left button", [](QWidget* a, QWidget*, QPoint p) { QTest::mouseClick(a, Qt::LeftButton, {}, p); }},
        {"right button", [](QWidget* a, QWidget*, QPoint p) { QTest::mouseClick(a, Qt::RightButton, {}, p); }},
        {"a key", [](QWidget*, QWidget* g, QPoint) { input::Key(Qt::Key_Down, Qt::NoModifier, QString(), g); }},
    };
    Area()->setCursor(Qt::CrossCursor);
    for (const PanEnd& end : ends) {
        grid->FocusCell(3, 10);
        StartPan(CentreOf(4, 12));
        ASSERT_TRUE(grid->Panning()) << end.name;
        EXPECT_EQ(QWidget::mouseGrabber(), Area()) << end.name;
        EXPECT_NE(Area()->cursor().shape(), Qt::CrossCursor) << end.name;
        end.input(Area(), grid, CentreOf(6, 14));
        EXPECT_FALSE(grid->Panning()) << end.name;
        EXPECT_EQ(grid->PanTimer(), 0) << end.name;
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << end.name;
        EXPECT_EQ(Area()->cursor().shape(), Qt::CrossCursor) << end.name;
        EXPECT_EQ(grid->Col(), 3) << end.name;
        EXPECT_EQ(grid->Row(), 10) << end.name;
    }
}

TEST_F(PanGrid, PanningStartsOnlyWhereItCan)
{
    const std::vector<std::pair<const char*, std::function<void(TExtStringGrid&)>>> refusals = {
        {"IntelliPan none", [](TExtStringGrid& g) { g.IntelliPan = ipNone; }},
        {"only the fixed row", [](TExtStringGrid& g) {
             g.FixedRowAlways = true;
             g.SetFixedRows(0);
             g.SetRowCount(1);
         }},
    };
    for (const auto& [name, arrange] : refusals) {
        grid->IntelliPan = ipVertical;
        arrange(*grid);
        StartPan(QPoint(100, 10));
        EXPECT_FALSE(grid->Panning()) << name;
        EXPECT_EQ(grid->PanTimer(), 0) << name;
    }
}

TEST_F(PanGrid, AGridDestroyedWhilePanningLetsGoOfTheMouse)
{
    StartPan(CentreOf(4, 12));
    ASSERT_TRUE(grid->Panning());
    delete grid;
    grid = nullptr;
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QCoreApplication::processEvents();
}

// ---- the panning mark

QRgb PixelOf(QWidget* Area, QPoint At)
{
    return Area->grab().toImage().pixel(At);
}

TEST_F(PanGrid, TheMarkShowsAtTheOriginAndGoesWithThePan)
{
    struct Mark {
        TIntelliPan pan;
        const char* name;
        QPoint stroke; // a point of the mark's own line, from its centre
    };
    const QPoint origin = CentreOf(4, 8);
    for (const Mark& m : {Mark{ipVertical, "vertical", {0, -14}}, Mark{ipHorizontal, "horizontal", {-14, 0}},
                          Mark{ipBoth, "both", {0, -14}}}) {
        grid->IntelliPan = m.pan;
        const QRgb before = PixelOf(Area(), origin + m.stroke);
        StartPan(origin);
        const QImage shown = Area()->grab().toImage();
        EXPECT_LT(qGray(shown.pixel(origin + m.stroke)), 40) << m.name;
        // The key colour around the circle is not drawn.
        EXPECT_EQ(shown.pixel(origin + QPoint(-15, -15)), before) << m.name;
        if (m.pan == ipVertical) {
            ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
            shown.save(QStringLiteral(TRIVANTO_TEST_OUT "/grid_panning_mark.png"));
        }
        input::Key(Qt::Key_Escape, Qt::NoModifier, QString(), grid);
        EXPECT_EQ(PixelOf(Area(), origin + m.stroke), before) << m.name;
    }
}

// Records the areas the cell area paints.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* Watched) { Watched->installEventFilter(this); }
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(Event)->region();
            ++paints;
        }
        return false;
    }
};

TEST_F(PanGrid, EndingThePanRepaintsTheMarksArea)
{
    const QPoint origin = CentreOf(4, 8);
    StartPan(origin);
    QCoreApplication::processEvents();
    PaintRecorder recorder(Area());
    input::Key(Qt::Key_Escape, Qt::NoModifier, QString(), grid);
    EXPECT_TRUE(QTest::qWaitFor([&] { return recorder.painted.contains(QRect(origin - QPoint(16, 16), QSize(32, 32))); },
                                kPatience));
}

// ---- the wheel

struct WheelCase {
    const char* name;
    std::function<void(TExtStringGrid&)> arrange;
    std::vector<int> deltas;
    Qt::KeyboardModifiers mods;
    int row;
    int zoom;
};

TEST_F(PanGrid, AWheelNotchTakesOnePath)
{
    const auto none = [](TExtStringGrid&) {};
    const std::vector<WheelCase> cases = {
        {"towards the user: three rows down", none, {-120}, Qt::NoModifier, 13, 0},
        {"away: three rows up", none, {120}, Qt::NoModifier, 7, 0},
        {"two notches at once", none, {-240}, Qt::NoModifier, 16, 0},
        {"half notches add up", none, {-60, -60}, Qt::NoModifier, 13, 0},
        {"half a notch does nothing yet", none, {-60}, Qt::NoModifier, 10, 0},
        {"down to the last data row, not into the footer", [](TExtStringGrid& g) {
             g.SetFixedFooters(1);
             g.FocusCell(3, 37);
         },
         {-120}, Qt::NoModifier, 38, 0},
        {"up to the first data row", [](TExtStringGrid& g) { g.FocusCell(3, 2); }, {120}, Qt::NoModifier, 1, 0},
        {"a merged block counts as one row", [](TExtStringGrid& g) { g.MergeCells(3, 11, 1, 4); }, {-120},
         Qt::NoModifier, 16, 0},
        {"up over a merged block", [](TExtStringGrid& g) {
             g.MergeCells(3, 6, 1, 3);
             g.FocusCell(3, 10);
         },
         {120, 120}, Qt::NoModifier, 2, 0},
        {"without EnableWheel", [](TExtStringGrid& g) { g.EnableWheel = false; }, {-120}, Qt::NoModifier, 10, 0},
        {"Ctrl zooms instead", none, {-120}, Qt::ControlModifier, 10, 3},
        {"Ctrl without IntelliZoom scrolls", [](TExtStringGrid& g) { g.IntelliZoom = false; }, {-120},
         Qt::ControlModifier, 13, 0},
        {"Ctrl zooms even without EnableWheel", [](TExtStringGrid& g) { g.EnableWheel = false; }, {120},
         Qt::ControlModifier, 10, -3},
        {"nothing while panning", [this](TExtStringGrid&) { StartPan(CentreOf(4, 12)); }, {-120},
         Qt::ControlModifier, 10, 0},
    };
    for (const WheelCase& c : cases) {
        SetUp();
        c.arrange(*grid);
        const int before = grid->ColWidths(2);
        for (int delta : c.deltas)
            Wheel(delta, c.mods);
        EXPECT_EQ(grid->Row(), c.row) << c.name;
        EXPECT_EQ(grid->Col(), 3) << c.name;
        EXPECT_EQ(grid->ZoomFactor, c.zoom) << c.name;
        EXPECT_EQ(grid->ColWidths(2), before + c.zoom) << c.name;
        TearDown();
    }
}

TEST_F(PanGrid, TheWheelDoesNothingOnAOneRowGridWithFixedRowAlways)
{
    grid->FixedRowAlways = true;
    grid->SetFixedRows(0);
    grid->SetRowCount(1);
    Wheel(-120);
    Wheel(120);
    EXPECT_EQ(grid->Row(), 0);
}

TEST_F(PanGrid, CtrlWheelZoomStopsAtItsBounds)
{
    // Three lines a notch: 3, 6, 9, and a step to 12 is ignored; back down
    // to -9, where a step to -12 is ignored.
    struct Step {
        int delta;
        int zoom;
    };
    const std::vector<Step> steps = {{-120, 3}, {-120, 6}, {-120, 9}, {-120, 9}, {120, 6}, {120, 3},
                                     {120, 0},  {120, -3}, {120, -6}, {120, -9}, {120, -9}, {-120, -6}};
    const int width = grid->ColWidths(2);
    const int height = grid->RowHeights(5);
    for (size_t i = 0; i < steps.size(); ++i) {
        Wheel(steps[i].delta, Qt::ControlModifier);
        EXPECT_EQ(grid->ZoomFactor, steps[i].zoom) << "step " << i;
        EXPECT_EQ(grid->ColWidths(2), width + steps[i].zoom) << "step " << i;
        EXPECT_EQ(grid->RowHeights(5), height + steps[i].zoom) << "step " << i;
    }
    EXPECT_EQ(grid->Row(), 10);
}

TEST_F(PanGrid, ZoomLeavesSizesThatWouldNotStayPositive)
{
    grid->SetColWidths(1, 2);
    grid->SetColWidths(2, 0);
    grid->SetRowHeights(3, 3);
    grid->Zoom(-3);
    EXPECT_EQ(grid->ColWidths(0), 57);
    EXPECT_EQ(grid->ColWidths(1), 2);
    EXPECT_EQ(grid->ColWidths(2), 0);
    EXPECT_EQ(grid->RowHeights(3), 3);
    grid->Zoom(+3);
    EXPECT_EQ(grid->ColWidths(1), 5);
    EXPECT_EQ(grid->ColWidths(2), 3);
    EXPECT_EQ(grid->ZoomFactor, 0);
}

TEST_F(PanGrid, ZoomedTextIsDrawnLarger)
{
    grid->SetCells(2, 4, "WWWW");
    const auto inked = [&] {
        const QImage image = Area()->grab(grid->CellRect(2, 4).ToQRect()).toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    };
    grid->FocusCell(5, 12);
    const int plain = inked();
    Wheel(-120, Qt::ControlModifier);
    Wheel(-120, Qt::ControlModifier);
    EXPECT_GT(inked(), plain);
}

// ---- the 500 ms timer

struct HoverCase {
    const char* name;
    std::function<void(TExtStringGrid&)> arrange;
    TPoint over; // the cell the mouse rests on
    TPoint expected;
};

TEST_F(PanGrid, HoveringMovesTheCurrentCellOnATick)
{
    const auto on = [](TExtStringGrid& g) { g.Hovering = true; };
    const std::vector<HoverCase> cases = {
        {"a data cell", on, {5, 12}, {5, 12}},
        {"a fixed row's cell", on, {5, 0}, {3, 10}},
        {"a fixed column's cell", on, {0, 12}, {3, 10}},
        {"a footer row's cell", [](TExtStringGrid& g) {
             g.Hovering = true;
             g.SetFixedFooters(30);
         },
         {5, 12}, {3, 10}},
        {"without Hovering", [](TExtStringGrid&) {}, {5, 12}, {3, 10}},
        {"inside a merged block: its base cell", [](TExtStringGrid& g) {
             g.Hovering = true;
             g.MergeCells(4, 11, 2, 3);
         },
         {5, 13}, {4, 11}},
    };
    for (const HoverCase& c : cases) {
        SetUp();
        c.arrange(*grid);
        other->setFocus();
        MouseAt(CentreOf(c.over.X, c.over.Y));
        Tick(grid->HousekeepingTimer());
        EXPECT_EQ(grid->Col(), c.expected.X) << c.name;
        EXPECT_EQ(grid->Row(), c.expected.Y) << c.name;
        const bool moved = !(c.expected.X == 3 && c.expected.Y == 10);
        EXPECT_EQ(grid->hasFocus(), moved) << c.name;
        TearDown();
    }
}

TEST_F(PanGrid, HoveringOutsideTheGridDoesNothing)
{
    grid->Hovering = true;
    other->setFocus();
    QCursor::setPos(other->mapToGlobal(QPoint(5, 5)));
    Tick(grid->HousekeepingTimer());
    EXPECT_EQ(grid->Row(), 10);
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(PanGrid, HoveringWaitsWhileAButtonIsHeldOnTheGrid)
{
    grid->Hovering = true;
    grid->SetOptions(grid->Options() | goRangeSelect);
    QTest::mousePress(Area(), Qt::LeftButton, Qt::NoModifier, CentreOf(2, 4));
    ASSERT_EQ(grid->Row(), 4);
    MouseAt(CentreOf(5, 8));
    Tick(grid->HousekeepingTimer());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 4);
    QTest::mouseRelease(Area(), Qt::LeftButton, Qt::NoModifier, CentreOf(2, 4));
    Tick(grid->HousekeepingTimer());
    EXPECT_EQ(grid->Col(), 5);
    EXPECT_EQ(grid->Row(), 8);
}

TEST_F(PanGrid, HoveringMovesTheCurrentCellWithinHalfASecond)
{
    grid->Hovering = true;
    MouseAt(CentreOf(6, 15));
    EXPECT_TRUE(QTest::qWaitFor([&] { return grid->Col() == 6 && grid->Row() == 15; }, kPatience));
}

TEST_F(PanGrid, HoveringLeavesTheFocusInTheGridsOwnEditor)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->Hovering = true;
    grid->FocusCell(2, 4);
    MouseAt(CentreOf(2, 4));
    input::Type("7");
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, grid);
    ASSERT_TRUE(grid->isAncestorOf(editor));
    int exits = 0;
    const auto watch = QObject::connect(qApp, &QApplication::focusChanged, [&](QWidget* old, QWidget*) {
        exits += old == editor;
    });
    Tick(grid->HousekeepingTimer());
    EXPECT_EQ(QApplication::focusWidget(), editor);
    QObject::disconnect(watch);
    EXPECT_EQ(exits, 0) << "the editor never lost the focus";
}

TEST_F(PanGrid, BlinkingTextAlternatesAndOnlyItsCellsRepaint)
{
    grid->EnableBlink = true;
    grid->SetCells(2, 4, "<BL>WWWW</BL>");
    grid->SetCells(3, 5, "<bli>WWWW</bli>");
    grid->SetCells(1, 0, "<BL>WWWW</BL>"); // a fixed row
    grid->SetCells(4, 6, "WWWW <B>BL</B>");
    grid->SetCells(3, 7, "<BLINK>WWWW</BLINK>"); // the tag by its leading letters
    grid->FocusCell(6, 12);
    const QRect cell = grid->CellRect(2, 4).ToQRect();
    const QRect blinkCell = grid->CellRect(3, 7).ToQRect();
    const auto inkedIn = [&](const QRect& area) {
        const QImage image = Area()->grab(area).toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    };
    const auto inked = [&] { return inkedIn(cell); };
    EXPECT_TRUE(grid->BlinkShown());
    const int shown = inked();
    EXPECT_GT(shown, 0);
    const int blinkShown = inkedIn(blinkCell);
    EXPECT_GT(blinkShown, 0);
    QDir().mkpath(TRIVANTO_TEST_OUT);
    const QRect shot = blinkCell.adjusted(-4, -4, 4, 4);
    for (int phase = 0; phase < 4; ++phase) {
        QCoreApplication::processEvents();
        PaintRecorder recorder(Area());
        Tick(grid->HousekeepingTimer());
        EXPECT_EQ(grid->BlinkShown(), phase % 2 == 1) << "phase " << phase;
        ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.paints > 0; }, kPatience));
        EXPECT_TRUE(recorder.painted.contains(cell)) << "phase " << phase;
        EXPECT_TRUE(recorder.painted.contains(grid->CellRect(3, 5).ToQRect().center())) << "phase " << phase;
        EXPECT_TRUE(recorder.painted.contains(grid->CellRect(1, 0).ToQRect().center())) << "phase " << phase;
        EXPECT_FALSE(recorder.painted.contains(grid->CellRect(4, 6).ToQRect().center())) << "phase " << phase;
        EXPECT_EQ(inked(), grid->BlinkShown() ? shown : 0) << "phase " << phase;
        EXPECT_EQ(inkedIn(blinkCell), grid->BlinkShown() ? blinkShown : 0) << "phase " << phase;
        if (phase < 2)
            Area()->grab(shot).save(QStringLiteral(TRIVANTO_TEST_OUT "/html_blink_%1.png")
                                        .arg(grid->BlinkShown() ? "shown" : "hidden"));
    }
    // Switched off, blinking text stays shown.
    grid->EnableBlink = false;
    EXPECT_TRUE(grid->BlinkShown());
    EXPECT_EQ(inked(), shown);
}

// ---- resizing

TEST_F(PanGrid, SynchWithGridKeepsTheColumnsInProportion)
{
    grid->setFrameStyle(QFrame::NoFrame);
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->setGeometry(0, 0, 300, 200);
    QCoreApplication::processEvents();
    grid->SetColWidths(0, 40);
    grid->SetColWidths(1, 55);
    grid->SetColWidths(2, 33);
    grid->ColumnSize()->SynchWithGrid = true;
    ASSERT_EQ(Area()->width(), 300);
    grid->resize(450, 200);
    EXPECT_EQ(grid->ColWidths(0), 60);
    EXPECT_EQ(grid->ColWidths(1), 83); // 82.5
    EXPECT_EQ(grid->ColWidths(2), 50); // 49.5
    grid->resize(300, 200);
    EXPECT_EQ(grid->ColWidths(0), 40);
    EXPECT_EQ(grid->ColWidths(1), 55);
    EXPECT_EQ(grid->ColWidths(2), 33);
    // A height change alone leaves the widths.
    grid->resize(300, 150);
    EXPECT_EQ(grid->ColWidths(1), 55);
}

TEST_F(PanGrid, SynchWithGridClosesTheEditorFirst)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->ColumnSize()->SynchWithGrid = true;
    grid->FocusCell(2, 4);
    input::Type("12");
    ASSERT_TRUE(grid->EditorShown());
    grid->resize(400, 360);
    EXPECT_FALSE(grid->EditorShown());
    EXPECT_EQ(grid->Cells(2, 4), "12");
}

TEST_F(PanGrid, AStretchedColumnIsNotScaledAsWell)
{
    grid->SetColCount(3);
    grid->ColumnSize()->SynchWithGrid = true;
    grid->ColumnSize()->SetStretch(true);
    grid->resize(600, 360);
    EXPECT_EQ(grid->ColWidths(0), 60);
    EXPECT_EQ(grid->ColWidths(1), 60);
    EXPECT_EQ(grid->ColWidths(2), Area()->width() - 120 - 1);
}

// ---- the update counter

TEST_F(PanGrid, EndingAnUpdateTwiceLeavesTheCounterAtZeroAndRepaintsOnce)
{
    QCoreApplication::processEvents();
    grid->BeginUpdate();
    grid->SetCells(2, 3, "novo");
    PaintRecorder recorder(Area());
    grid->EndUpdate();
    grid->EndUpdate();
    EXPECT_EQ(grid->UpdateCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.paints > 0; }, kPatience));
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(recorder.paints, 1);
    EXPECT_TRUE(recorder.painted.contains(Area()->rect()));
    // The next begin suspends painting again: the counter did not go below 0.
    grid->BeginUpdate();
    EXPECT_EQ(grid->UpdateCount(), 1);
    grid->EndUpdate();
}

// ---- the top-left change

TEST_F(PanGrid, ScrollingRepaintsTheFooterPanel)
{
    grid->FloatingFooter()->SetVisible(true);
    QCoreApplication::processEvents();
    const int before = grid->FooterRepaintCount();
    grid->SetTopRow(grid->TopRow() + 5);
    EXPECT_GT(grid->FooterRepaintCount(), before);
}

} // namespace
