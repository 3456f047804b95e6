// The grid control against Qt's QTableWidget doing the same work in the same
// run, at 10,000, 30,000 and 100,000 rows of 10 columns. Run on request:
//   QT_QPA_PLATFORM=offscreen build/tests/test_grid --gtest_also_run_disabled_tests --gtest_filter='ExtGridBenchmark.*'
// Each line gives milliseconds, milliseconds per 1,000 rows and the ratio
// grid / QTableWidget; the same figures go to a CSV file in the build folder.
#include "grid/extgrid.h"
#include "grid/gridfilter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextStream>
#include "tests/support/stopwatch.h"
#include "tests/support/tablebench.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using BenchGrid = TExtStringGrid;

constexpr int kCols = 10;
constexpr int kPages = 1000;
// Short operations (a repaint) are timed this many times; the best time is
// shown, as the one least disturbed by the rest of the machine.
constexpr int kRounds = 5;
const int kRowCounts[] = {10000, 30000, 100000};

using bench::Milliseconds;
using bench::PaintNow;
using bench::Parity;

template <typename F>
double Best(F&& work)
{
    return bench::BestOf(kRounds, work);
}

QString CellText(int col, int row)
{
    return QString::number(row * kCols + col);
}

struct Figure {
    std::string operation;
    int rows;
    double grid;
    double qt;
};

// Prints the figures as a table and writes them to <build>/<file>.
void Report(const char* title, const std::vector<Figure>& figures, const QString& file)
{
    std::printf("%s\n", title);
    std::printf("%-22s %7s | %10s %9s | %10s %9s | %6s\n", "operation", "rows", "grid ms", "ms/1000", "Qt ms",
                "ms/1000", "ratio");
    QFile csv(QDir(TRIVANTO_TEST_OUT "/..").absoluteFilePath(file));
    const bool writing = csv.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    QTextStream out(&csv);
    if (writing)
        out << "operation,rows,grid_ms,grid_ms_per_1000_rows,qt_ms,qt_ms_per_1000_rows,ratio\n";
    for (const Figure& f : figures) {
        const double thousands = f.rows / 1000.0;
        const double ratio = f.qt > 0 ? f.grid / f.qt : 0;
        std::printf("%-22s %7d | %10.2f %9.3f | %10.2f %9.3f | %6.2f\n", f.operation.c_str(), f.rows, f.grid,
                    f.grid / thousands, f.qt, f.qt / thousands, ratio);
        if (writing)
            out << QString::fromStdString(f.operation) << ',' << f.rows << ',' << f.grid << ',' << f.grid / thousands
                << ',' << f.qt << ',' << f.qt / thousands << ',' << ratio << '\n';
    }
    if (writing)
        std::printf("written to %s\n", qPrintable(QFileInfo(csv).absoluteFilePath()));
}

// ---- filling, repainting and scrolling

struct Subject {
    std::function<void()> fill;
    std::function<void(double where)> scrollTo; // 0 top .. 1 end
    std::function<void()> repaint;
    std::function<void()> pageDown; // wraps to the top at the end
};

// Both sides show the same cells: no header row or column, the same column
// width and row height.
constexpr int kColWidth = 80;
constexpr int kRowHeight = 21;

Subject GridSubject(BenchGrid& grid, int rows)
{
    bench::ShapeGrid(grid, 800, 600, kCols, rows, kColWidth, kRowHeight);
    Subject s;
    s.fill = [&grid, rows] {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kCols; ++c)
                grid.SetCells(c, r, CellText(c, r));
    };
    s.scrollTo = [&grid](double where) {
        // The last top row is the one that still fills the view.
        const int last = grid.RowCount() - grid.VisibleRowCount();
        grid.SetTopRow(grid.FixedRows() + static_cast<int>(where * (last - grid.FixedRows())));
    };
    s.repaint = [&grid] { PaintNow(grid.viewport()); };
    s.pageDown = [&grid] {
        const int top = grid.TopRow();
        grid.SetTopRow(top + grid.VisibleRowCount());
        if (grid.TopRow() == top)
            grid.SetTopRow(grid.FixedRows());
        PaintNow(grid.viewport());
    };
    return s;
}

Subject TableSubject(QTableWidget& table, int rows)
{
    bench::ShapeTable(table, 800, 600, kCols, rows, kColWidth, kRowHeight);
    Subject s;
    s.fill = [&table, rows] {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kCols; ++c)
                table.setItem(r, c, new QTableWidgetItem(CellText(c, r)));
    };
    s.scrollTo = [&table](double where) {
        QScrollBar* bar = table.verticalScrollBar();
        bar->setValue(bar->minimum() + static_cast<int>(where * (bar->maximum() - bar->minimum())));
    };
    s.repaint = [&table] { PaintNow(table.viewport()); };
    s.pageDown = [&table] {
        QScrollBar* bar = table.verticalScrollBar();
        if (bar->value() >= bar->maximum())
            bar->setValue(bar->minimum());
        else
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        PaintNow(table.viewport());
    };
    return s;
}

struct PaintTimes {
    double fill = 0;
    double top = 0;
    double middle = 0;
    double end = 0;
    double pages = 0;
};

PaintTimes Measure(Subject s)
{
    PaintTimes t;
    t.fill = Milliseconds(s.fill);
    const std::pair<double, double*> places[] = {{0.0, &t.top}, {0.5, &t.middle}, {1.0, &t.end}};
    for (auto [where, time] : places) {
        s.scrollTo(where);
        s.repaint();
        *time = Best(s.repaint);
    }
    s.scrollTo(0);
    t.pages = Milliseconds([&] {
        for (int i = 0; i < kPages; ++i)
            s.pageDown();
    });
    return t;
}

TEST(ExtGridBenchmark, DISABLED_FillRepaintAndScroll)
{
    std::vector<Figure> figures;
    for (int rows : kRowCounts) {
        PaintTimes ours;
        {
            BenchGrid grid;
            ours = Measure(GridSubject(grid, rows));
        }
        PaintTimes qt;
        {
            QTableWidget table;
            qt = Measure(TableSubject(table, rows));
        }
        figures.push_back({"fill every cell", rows, ours.fill, qt.fill});
        figures.push_back({"repaint at the top", rows, ours.top, qt.top});
        figures.push_back({"repaint in the middle", rows, ours.middle, qt.middle});
        figures.push_back({"repaint at the end", rows, ours.end, qt.end});
        figures.push_back({"1000 pages down", rows, ours.pages, qt.pages});
    }
    Report("Grid control against QTableWidget, 10 columns (Cells against setItem; repaints best of 5)", figures,
           "extgrid_bench_paint.csv");
}

} // namespace

// ---- filtering and nodes

struct RowTimes {
    double filterOn = 0;
    double filterOff = 0;
    double collapse = 0;
    double expand = 0;
};

RowTimes OurRows(int rows)
{
    RowTimes t;
    BenchGrid grid;
    grid.resize(800, 600);
    grid.SetColCount(kCols);
    grid.SetRowCount(rows + 1);
    grid.show();
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < kCols; ++c)
            grid.SetCells(c, r, c == 1 ? Parity(r) : CellText(c, r));
    TFilterData& condition = grid.Filter()->Add();
    condition.Column = 1;
    condition.Condition = QStringLiteral("par");
    t.filterOn = Milliseconds([&] { grid.SetFilterActive(true); });
    t.filterOff = Milliseconds([&] { grid.SetFilterActive(false); });
    // One node over every row.
    TCellGraphic* node = grid.CreateCellGraphic(0, 1);
    node->CellType = ctNode;
    node->CellIndex = 0;
    t.collapse = Milliseconds([&] { grid.ContractNode(1); });
    t.expand = Milliseconds([&] { grid.ExpandNode(1); });
    EXPECT_EQ(grid.RowCount(), rows + 1);
    return t;
}

RowTimes TableRows(int rows)
{
    RowTimes t;
    QTableWidget table(rows + 1, kCols);
    table.resize(800, 600);
    table.show();
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < kCols; ++c)
            table.setItem(r, c, new QTableWidgetItem(c == 1 ? Parity(r) : CellText(c, r)));
    t.filterOn = Milliseconds([&] {
        for (int r = 1; r <= rows; ++r)
            table.setRowHidden(r, table.item(r, 1)->text() != QLatin1String("par"));
    });
    t.filterOff = Milliseconds([&] {
        for (int r = 1; r <= rows; ++r)
            table.setRowHidden(r, false);
    });
    t.collapse = Milliseconds([&] {
        for (int r = 2; r <= rows; ++r)
            table.setRowHidden(r, true);
    });
    t.expand = Milliseconds([&] {
        for (int r = 2; r <= rows; ++r)
            table.setRowHidden(r, false);
    });
    return t;
}

TEST(ExtGridBenchmark, DISABLED_FilterAndNodes)
{
    std::vector<Figure> figures;
    for (int rows : kRowCounts) {
        const RowTimes ours = OurRows(rows);
        const RowTimes qt = TableRows(rows);
        figures.push_back({"filter every other row", rows, ours.filterOn, qt.filterOn});
        figures.push_back({"filter removed", rows, ours.filterOff, qt.filterOff});
        figures.push_back({"collapse one node", rows, ours.collapse, qt.collapse});
        figures.push_back({"expand it", rows, ours.expand, qt.expand});
    }
    Report("Filter and node against QTableWidget's setRowHidden, 10 columns", figures, "extgrid_bench_rows.csv");
}
