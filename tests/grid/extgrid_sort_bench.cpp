// Sorting in the grid control against Qt's QTableWidget (sortItems) on the
// same data in the same run, at 10,000, 30,000 and 100,000 rows of 10
// columns: a numeric column (the table's items compare numbers), an
// alphabetic one and a locale-compared one. Run on request:
//   QT_QPA_PLATFORM=offscreen build/tests/test_grid --gtest_also_run_disabled_tests --gtest_filter='SortBenchmark.*'
// Each line gives milliseconds, the time per n log2 n (in nanoseconds, flat
// when a sort grows as n log n) and the ratio grid / QTableWidget; the
// figures also go to sort_benchmark.csv in the build folder.
#include "grid/extgrid.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTableWidget>
#include <QTextStream>

#include "tests/support/stopwatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kCols = 10;
const int kRowCounts[] = {10000, 30000, 100000};

using bench::Milliseconds;

// The same pseudo-random data for both sides: column 0 numbers, column 1
// words, column 2 accented words, the rest filler.
QString CellText(int col, int row)
{
    const unsigned v = (static_cast<unsigned>(row) * 2654435761u) ^ (static_cast<unsigned>(col) * 40503u);
    static const char* const plain[] = {"RA", "MAL", "CA", "VI", "AS", "TE", "LE", "FO", "NE", "DO"};
    static const char* const accented[] = {"ra", "Mal", "ção", "vi", "ás", "te", "lé", "Fo", "ne", "à"};
    switch (col) {
    case 0:
        return QString::number(static_cast<int>(v % 1000000) - 500000);
    case 1:
    case 2: {
        QString word;
        for (unsigned x = v; word.size() < 8; x /= 7)
            word += QString::fromUtf8((col == 1 ? plain : accented)[x % 10]);
        return word;
    }
    default:
        return QString::number(v % 97);
    }
}

// An item holding its number, read once from its text as the grid reads
// each key once.
class NumberItem : public QTableWidgetItem {
public:
    explicit NumberItem(const QString& text) : QTableWidgetItem(text), number_(text.toDouble()) {}
    bool operator<(const QTableWidgetItem& other) const override
    {
        return number_ < static_cast<const NumberItem&>(other).number_;
    }

private:
    double number_;
};

class LocaleItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override
    {
        return QString::localeAwareCompare(text(), other.text()) < 0;
    }
};

struct Figure {
    std::string operation;
    int rows;
    double grid;
    double qt;
};

void Report(const std::vector<Figure>& figures)
{
    std::printf("Sorting: TExtStringGrid against QTableWidget\n");
    std::printf("%-12s %7s | %10s %12s | %10s %12s | %6s\n", "column", "rows", "grid ms", "ns/nlog2n", "Qt ms",
                "ns/nlog2n", "ratio");
    QFile csv(QDir(TRIVANTO_TEST_OUT "/..").absoluteFilePath("sort_benchmark.csv"));
    const bool writing = csv.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    QTextStream out(&csv);
    if (writing)
        out << "column,rows,grid_ms,grid_ns_per_nlog2n,qt_ms,qt_ns_per_nlog2n,ratio\n";
    for (const Figure& f : figures) {
        const double nlogn = f.rows * std::log2(static_cast<double>(f.rows));
        const double ratio = f.qt > 0 ? f.grid / f.qt : 0;
        std::printf("%-12s %7d | %10.2f %12.3f | %10.2f %12.3f | %6.2f\n", f.operation.c_str(), f.rows, f.grid,
                    f.grid * 1e6 / nlogn, f.qt, f.qt * 1e6 / nlogn, ratio);
        if (writing)
            out << QString::fromStdString(f.operation) << ',' << f.rows << ',' << f.grid << ','
                << f.grid * 1e6 / nlogn << ',' << f.qt << ',' << f.qt * 1e6 / nlogn << ',' << ratio << '\n';
    }
}

struct Column {
    const char* name;
    int col;
    TSortStyle style;
};

TEST(SortBenchmark, DISABLED_GridAgainstQTableWidget)
{
    const Column columns[] = {{"numeric", 0, ssNumeric}, {"alphabetic", 1, ssAlphabetic},
                              {"locale", 2, ssAnsiAlphaCase}};
    std::vector<Figure> figures;
    for (int rows : kRowCounts) {
        for (const Column& column : columns) {
            TExtStringGrid grid;
            grid.SetColCount(kCols);
            grid.SetRowCount(rows + 1);
            grid.SetFixedRows(1);
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < kCols; ++c)
                    grid.SetCells(c, r + 1, CellText(c, r));
            const TSortStyle style = column.style;
            grid.OnGetFormat = [style](QObject*, int, TSortStyle& AStyle, QString&, QString&) { AStyle = style; };
            grid.SortSettings()->SetColumn(column.col);
            const double gridMs = Milliseconds([&] { grid.SortRows(); });

            QTableWidget table(rows, kCols);
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < kCols; ++c) {
                    const QString text = CellText(c, r);
                    QTableWidgetItem* item = c == 0   ? new NumberItem(text)
                                             : c == 2 ? new LocaleItem(text)
                                                      : new QTableWidgetItem(text);
                    table.setItem(r, c, item);
                }
            const double qtMs = Milliseconds([&] { table.sortItems(column.col); });
            figures.push_back({column.name, rows, gridMs, qtMs});

            // Both sides agree on the first and last keys.
            EXPECT_EQ(grid.Cells(column.col, 1), table.item(0, column.col)->text()) << column.name;
            EXPECT_EQ(grid.Cells(column.col, rows), table.item(rows - 1, column.col)->text()) << column.name;
        }
    }
    Report(figures);
}

} // namespace
