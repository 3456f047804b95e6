// Proportional scroll-bar thumbs of the grid control and the view following
// a dragged thumb.
#include "grid/extgrid.h"

#include "platform/forms.h"
#include "tests/support/input.h"

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The grid with its scroll limits in reach of the checks.
class ProbeGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    using TExtStringGrid::MaxLeftCol;
    using TExtStringGrid::MaxTopRow;
};

int MulDiv(int value, int numerator, int denominator)
{
    return denominator <= 0 ? 0 : static_cast<int>(std::lround(double(value) * numerator / denominator));
}

// A window holding a grid of Cols × Rows, every column Width wide, with
// proportional thumbs on.
struct ScrollWindow {
    TForm window;
    ProbeGrid* grid = new ProbeGrid(&window);

    ScrollWindow(int Cols, int Rows, int Width)
    {
        window.resize(300, 200);
        grid->setGeometry(0, 0, 300, 200);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        for (int c = 0; c < Cols; ++c)
            grid->SetColWidths(c, Width);
        grid->SetScrollProportional(true);
        window.show();
        input::Settle();
    }
    QScrollBar* Vertical() const { return grid->verticalScrollBar(); }
    QScrollBar* Horizontal() const { return grid->horizontalScrollBar(); }
    // Sum of the column widths the horizontal page is taken against.
    int TotalWidth() const
    {
        int total = 0;
        for (int c = 0; c < grid->ColCount(); ++c)
            total += grid->ColWidths(c);
        return total;
    }
};

QRect SubControl(QScrollBar* bar, QStyle::SubControl which)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, which, bar);
}

// ---- range, page and position

struct ThumbCase {
    const char* name;
    int cols, rows, width;
    int topRow; // set before the thumb is read; -1 leaves it
};

class ProportionalThumbs : public ::testing::TestWithParam<ThumbCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, ProportionalThumbs,
    ::testing::Values(ThumbCase{"FewRowsAtTheTop", 5, 12, 64, -1}, ThumbCase{"ManyRowsHalfWay", 5, 400, 64, 200},
                      ThumbCase{"ManyRowsAtTheEnd", 5, 400, 64, 10000},
                      ThumbCase{"EverythingFits", 2, 3, 40, -1}, ThumbCase{"NarrowColumns", 40, 50, 20, 25},
                      ThumbCase{"WideColumns", 6, 50, 250, -1}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_P(ProportionalThumbs, RangePageAndPositionFollowTheView)
{
    const ThumbCase& c = GetParam();
    ScrollWindow w(c.cols, c.rows, c.width);
    ProbeGrid& grid = *w.grid;
    if (c.topRow >= 0)
        grid.SetTopRow(std::min(c.topRow, grid.MaxTopRow()));

    const int vPage = std::max(MulDiv(grid.VisibleRowCount(), 128, c.rows), 1);
    const int hPage = std::max(grid.viewport()->width() * 128 / w.TotalWidth(), 1);
    EXPECT_EQ(w.Vertical()->minimum(), 0);
    EXPECT_EQ(w.Vertical()->pageStep(), vPage);
    EXPECT_EQ(w.Vertical()->maximum(), std::max(128 - vPage, 0));
    EXPECT_EQ(w.Horizontal()->pageStep(), hPage);
    EXPECT_EQ(w.Horizontal()->maximum(), std::max(128 - hPage, 0));

    const int scaled = MulDiv(grid.TopRow() - 1, 127, grid.MaxTopRow() - 1);
    EXPECT_EQ(w.Vertical()->value(), std::min(MulDiv(scaled, 128 - vPage, 127), w.Vertical()->maximum()));
    if (c.topRow >= grid.MaxTopRow() && c.rows > 12) {
        EXPECT_EQ(w.Vertical()->value(), w.Vertical()->maximum());
    }
}

TEST(ProportionalThumbs, ATopRowPastTheLastFullPageSetsTheThumbToTheStart)
{
    ScrollWindow w(5, 100, 64);
    // The string grid lets the top row go on to the last row; the thumb's
    // scale ends at the last full page, so the position is out of it.
    w.grid->SetTopRow(99);
    ASSERT_GT(w.grid->TopRow(), w.grid->MaxTopRow());
    EXPECT_EQ(w.Vertical()->value(), 0);
}

TEST(ProportionalThumbs, NoRowsAndNoWidthsDivideByNothing)
{
    ScrollWindow w(1, 1, 0);
    w.grid->SetRowCount(0);
    w.grid->SetColCount(0);
    EXPECT_EQ(w.Vertical()->value(), 0);
    EXPECT_EQ(w.Horizontal()->value(), 0);
    EXPECT_GE(w.Horizontal()->pageStep(), 1);
    w.grid->SetScrollProportional(false);
    EXPECT_EQ(w.Vertical()->maximum(), 0);
}

TEST(ProportionalThumbs, TurnedOffTheBarsCountRowsAgain)
{
    ScrollWindow w(5, 100, 64);
    w.grid->SetTopRow(30);
    w.grid->SetScrollProportional(false);
    EXPECT_EQ(w.Vertical()->maximum(), w.grid->MaxTopRow() - 1);
    EXPECT_EQ(w.Vertical()->value(), 29);
}

// ---- the horizontal thumb read back

class HorizontalThumb : public ::testing::TestWithParam<int> {};

INSTANTIATE_TEST_SUITE_P(Positions, HorizontalThumb, ::testing::Values(0, 1, 10, 40, 70, 127));

TEST_P(HorizontalThumb, PositionIsScaledByTheVisibleColumns)
{
    ScrollWindow w(30, 10, 50);
    ProbeGrid& grid = *w.grid;
    QScrollBar* bar = w.Horizontal();
    const int position = std::min(GetParam(), bar->maximum());
    const int visible = grid.VisibleColCount() * 128 / grid.ColCount();
    // The bar's end (its page from the widths) comes before the end of the
    // scale read back (from the column counts), and stands for the last
    // columns.
    ASSERT_LT(bar->maximum(), 128 - visible);
    const int scaled = position == bar->maximum() ? 127 : std::clamp(MulDiv(position, 127, 128 - visible), 0, 127);
    bar->setValue(position);
    EXPECT_EQ(grid.LeftCol(), 1 + MulDiv(scaled, grid.MaxLeftCol() - 1, 127));
    if (position == bar->maximum()) {
        EXPECT_EQ(grid.LeftCol(), grid.MaxLeftCol());
    }
}

// ---- the thumb dragged and stepped by the mouse

struct DragCase {
    const char* name;
    bool synch;
    bool toTheEnd;
};

class ThumbDrag : public ::testing::TestWithParam<DragCase> {};

INSTANTIATE_TEST_SUITE_P(Cases, ThumbDrag,
                         ::testing::Values(DragCase{"SynchHalfWay", true, false}, DragCase{"SynchToTheEnd", true, true},
                                           DragCase{"OnReleaseHalfWay", false, false},
                                           DragCase{"OnReleaseToTheEnd", false, true}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_P(ThumbDrag, TheTopRowFollowsTheThumb)
{
    const DragCase& c = GetParam();
    ScrollWindow w(5, 300, 64);
    ProbeGrid& grid = *w.grid;
    grid.ScrollSynch = c.synch;
    QScrollBar* bar = w.Vertical();
    const QRect groove = SubControl(bar, QStyle::SC_ScrollBarGroove);
    const QPoint from = SubControl(bar, QStyle::SC_ScrollBarSlider).center();
    const QPoint to(from.x(), c.toTheEnd ? groove.bottom() + 40 : groove.center().y());

    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(bar, QPoint(from.x(), (from.y() + to.y()) / 2));
    QTest::mouseMove(bar, to);
    const int thumb = bar->sliderPosition();
    ASSERT_GT(thumb, 0);
    const int expected =
        1 + MulDiv(std::clamp(MulDiv(thumb, 127, 128 - bar->pageStep()), 0, 127), grid.MaxTopRow() - 1, 127);
    EXPECT_EQ(grid.TopRow(), c.synch ? expected : 1);
    EXPECT_EQ(bar->sliderPosition(), thumb); // the thumb stays under the mouse
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, to);

    EXPECT_EQ(grid.TopRow(), expected);
    if (c.toTheEnd)
        EXPECT_EQ(grid.TopRow(), grid.MaxTopRow());
    else
        EXPECT_LT(grid.TopRow(), grid.MaxTopRow());
}

TEST(ThumbDrag, WithoutProportionalThumbsSynchMovesByRows)
{
    TForm window;
    auto* grid = new ProbeGrid(&window);
    window.resize(300, 200);
    grid->setGeometry(0, 0, 300, 200);
    grid->SetColCount(5);
    grid->SetRowCount(60);
    grid->ScrollSynch = true;
    window.show();
    input::Settle();
    QScrollBar* bar = grid->verticalScrollBar();
    const QPoint from = SubControl(bar, QStyle::SC_ScrollBarSlider).center();
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(bar, from + QPoint(0, 30));
    ASSERT_GT(bar->sliderPosition(), 0);
    EXPECT_EQ(grid->TopRow(), bar->sliderPosition() + 1);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, from + QPoint(0, 30));
}

TEST(ThumbSteps, ArrowsMoveOneRowAndTheTroughOnePage)
{
    ScrollWindow w(5, 300, 64);
    ProbeGrid& grid = *w.grid;
    QScrollBar* bar = w.Vertical();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, SubControl(bar, QStyle::SC_ScrollBarAddLine).center());
    EXPECT_EQ(grid.TopRow(), 2);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, SubControl(bar, QStyle::SC_ScrollBarAddLine).center());
    EXPECT_EQ(grid.TopRow(), 3);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, SubControl(bar, QStyle::SC_ScrollBarSubLine).center());
    EXPECT_EQ(grid.TopRow(), 2);
    const QRect groove = SubControl(bar, QStyle::SC_ScrollBarGroove);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(groove.center().x(), groove.bottom() - 2));
    EXPECT_EQ(grid.TopRow(), 2 + grid.VisibleRowCount());
    EXPECT_EQ(bar->value(), MulDiv(MulDiv(grid.TopRow() - 1, 127, grid.MaxTopRow() - 1), 128 - bar->pageStep(), 127));
}

} // namespace
