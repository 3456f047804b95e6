// Inserting, deleting and moving a thousand rows of a large grid, against
// Qt's QTableWidget doing the same work in the same run. Run on request:
//   build/tests/test_platform --gtest_also_run_disabled_tests --gtest_filter='GridBenchmark.*'
#include "platform/grids.h"

#include <QElapsedTimer>
#include <QTableWidget>
#include "tests/support/stopwatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCols = 3;
constexpr int kBlock = 1000;
// Each range operation is timed this many times (undone in between); the
// best time is shown, as the one least disturbed by the rest of the machine.
constexpr int kRounds = 5;

struct Times {
    double insert = 0;
    double remove = 0;
    double move = 0;
    double rowByRow = 0;
};

using bench::Milliseconds;

// The best of kRounds times of work, undo running untimed after each.
template <typename F, typename U>
double Best(F&& work, U&& undo)
{
    double best = 1e300;
    for (int i = 0; i < kRounds; ++i) {
        best = std::min(best, Milliseconds(work));
        undo();
    }
    return best;
}

Times OurGrid(int rows)
{
    TStringGrid grid;
    grid.resize(400, 300);
    grid.SetColCount(kCols);
    grid.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            grid.SetCells(c, r, QString::number(r * kCols + c));
    const int middle = rows / 2;
    Times t;
    t.insert = Best([&] { grid.InsertRows(middle, kBlock); }, [&] { grid.DeleteRows(middle, kBlock); });
    t.remove = Best([&] { grid.DeleteRows(middle, kBlock); }, [&] { grid.InsertRows(middle, kBlock); });
    t.move = Best([&] { grid.MoveRows(10, kBlock, rows - kBlock - 10); },
                  [&] { grid.MoveRows(rows - kBlock - 10, kBlock, 10); });
    t.rowByRow = Milliseconds([&] {
        for (int i = 0; i < kBlock; ++i)
            grid.InsertRows(middle, 1);
        for (int i = 0; i < kBlock; ++i)
            grid.DeleteRow(middle);
        for (int i = 0; i < kBlock; ++i)
            grid.MoveRow(10, rows - 10);
    });
    return t;
}

// QTableWidget has no move of rows: the items are taken, the rows inserted
// at the destination, the items put there, and the old rows removed.
void MoveTableRows(QTableWidget& table, int from, int count, int to)
{
    std::vector<QTableWidgetItem*> items;
    items.reserve(static_cast<size_t>(count * kCols));
    for (int r = from; r < from + count; ++r)
        for (int c = 0; c < kCols; ++c)
            items.push_back(table.takeItem(r, c));
    table.model()->removeRows(from, count);
    table.model()->insertRows(to, count);
    size_t i = 0;
    for (int r = to; r < to + count; ++r)
        for (int c = 0; c < kCols; ++c)
            table.setItem(r, c, items[i++]);
}

Times QtTable(int rows)
{
    QTableWidget table(rows, kCols);
    table.resize(400, 300);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            table.setItem(r, c, new QTableWidgetItem(QString::number(r * kCols + c)));
    const int middle = rows / 2;
    Times t;
    t.insert = Best([&] { table.model()->insertRows(middle, kBlock); },
                    [&] { table.model()->removeRows(middle, kBlock); });
    t.remove = Best([&] { table.model()->removeRows(middle, kBlock); },
                    [&] { table.model()->insertRows(middle, kBlock); });
    t.move = Best([&] { MoveTableRows(table, 10, kBlock, rows - kBlock - 10); },
                  [&] { MoveTableRows(table, rows - kBlock - 10, kBlock, 10); });
    t.rowByRow = Milliseconds([&] {
        for (int i = 0; i < kBlock; ++i)
            table.insertRow(middle);
        for (int i = 0; i < kBlock; ++i)
            table.removeRow(middle);
        for (int i = 0; i < kBlock; ++i)
            MoveTableRows(table, 10, 1, rows - 11);
    });
    return t;
}

TEST(GridBenchmark, DISABLED_ThousandRowsInsertedDeletedAndMoved)
{
    std::printf("%d rows inserted, deleted and moved in a grid of %d columns (ms; best of %d for the\n"
                "ranges, one run of %d single-row inserts, deletes and moves for \"1 by 1\")\n",
                kBlock, kCols, kRounds, kBlock);
    std::printf("%8s | %-28s | %-28s\n", "", "TStringGrid", "QTableWidget");
    std::printf("%8s | %6s %6s %6s %8s | %6s %6s %6s %8s\n", "rows", "insert", "delete", "move", "1 by 1",
                "insert", "delete", "move", "1 by 1");
    for (int rows : {10000, 30000, 100000}) {
        const Times ours = OurGrid(rows);
        const Times qt = QtTable(rows);
        std::printf("%8d | %6.2f %6.2f %6.2f %8.1f | %6.2f %6.2f %6.2f %8.1f\n", rows, ours.insert, ours.remove,
                    ours.move, ours.rowByRow, qt.insert, qt.remove, qt.move, qt.rowByRow);
    }
}

} // namespace
