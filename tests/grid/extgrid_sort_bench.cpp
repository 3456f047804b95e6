// Sorting in the grid control against Qt's QTableWidget (sortItems) on the
// same data in the same run, at 10,000, 30,000 and 100,000 rows of 10
// columns: text, numeric and locale-compared columns in scattered order,
// and text and numeric columns already sorted, reversed and rising then
// falling. Both sides hold the same texts; for the numeric columns Qt's
// items hold their numbers (the grid reads each cell's number once per
// sort). Each sort runs five times on freshly filled widgets, the order of
// the two sides alternating. Run on request:
//   QT_QPA_PLATFORM=offscreen build/tests/test_grid --gtest_also_run_disabled_tests --gtest_filter='SortBenchmark.*'
// Each line gives the median milliseconds of both sides, the median ratio
// grid / QTableWidget with its spread (lowest-highest), and how each side
// grew from 10,000 to 100,000 rows (n log2 n grows 12.5 times); the
// figures also go to sort_benchmark.csv in the build folder.
#include "grid/extgrid.h"

#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTextStream>

#include "tests/support/stopwatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kCols = 10;
constexpr int kRepeats = 5;
const int kRowCounts[] = {10000, 30000, 100000};

using bench::Milliseconds;

// Where row i's key stands among the rows: scattered, or a shape.
enum class Shape { Random, Sorted, Reversed, RiseThenFall };

unsigned Scatter(int row, int col)
{
    return (static_cast<unsigned>(row) * 2654435761u) ^ (static_cast<unsigned>(col) * 40503u);
}

int ShapedKey(Shape shape, int row, int rows)
{
    switch (shape) {
    case Shape::Sorted:
        return row;
    case Shape::Reversed:
        return rows - row;
    case Shape::RiseThenFall:
        return row < rows / 2 ? 2 * row : 2 * (rows - row) - 1;
    case Shape::Random:
        break;
    }
    return static_cast<int>(Scatter(row, 0) % 1000000);
}

// What the sorted column holds.
enum class Kind { Text, Number, Accented };

// The same texts on both sides: the sorted column by its kind and shape
// (a shaped text column holds its keys zero-padded, so that they order as
// numbers do), column 1 the row's number, the rest filler.
QString CellText(Kind kind, Shape shape, int col, int row, int rows)
{
    if (col == 1)
        return QString::number(row);
    if (col != 0)
        return QString::number(Scatter(row, col) % 97);
    static const char* const plain[] = {"RA", "MAL", "CA", "VI", "AS", "TE", "LE", "FO", "NE", "DO"};
    static const char* const accented[] = {"ra", "Mal", "ção", "vi", "ás", "te", "lé", "Fo", "ne", "à"};
    const int key = ShapedKey(shape, row, rows);
    if (kind == Kind::Number)
        return QString::number(key - 500000);
    if (shape != Shape::Random)
        return QStringLiteral("%1").arg(key, 7, 10, QLatin1Char('0'));
    QString word;
    for (unsigned x = Scatter(row, 0); word.size() < 8; x /= 7)
        word += QString::fromUtf8((kind == Kind::Text ? plain : accented)[x % 10]);
    return word;
}

// An item holding its number, read once from its text.
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

struct Case {
    const char* name;
    Kind kind;
    Shape shape;
    TSortStyle style;
};

struct Figure {
    std::string name;
    int rows;
    double grid; // medians
    double qt;
    double ratio;
    double lowest;
    double highest;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One sort of each side on freshly filled widgets; the sorted key columns
// agree.
std::pair<double, double> SortBoth(const Case& c, int rows, bool qtFirst)
{
    TExtStringGrid grid;
    grid.SetColCount(kCols);
    grid.SetRowCount(rows + 1);
    grid.SetFixedRows(1);
    for (int r = 0; r < rows; ++r)
        for (int col = 0; col < kCols; ++col)
            grid.SetCells(col, r + 1, CellText(c.kind, c.shape, col, r, rows));
    const TSortStyle style = c.style;
    grid.OnGetFormat = [style](QObject*, int, TSortStyle& AStyle, QString&, QString&) { AStyle = style; };
    grid.SortSettings()->SetColumn(0);
    grid.SortSettings()->SetFull(false);

    QTableWidget table(rows, kCols);
    for (int r = 0; r < rows; ++r)
        for (int col = 0; col < kCols; ++col) {
            const QString text = CellText(c.kind, c.shape, col, r, rows);
            QTableWidgetItem* item = col != 0                ? new QTableWidgetItem(text)
                                     : c.kind == Kind::Number ? new NumberItem(text)
                                     : c.style == ssAnsiAlphaCase ? new LocaleItem(text)
                                                                  : new QTableWidgetItem(text);
            table.setItem(r, col, item);
        }

    double gridMs = 0;
    double qtMs = 0;
    auto sortGrid = [&] { gridMs = Milliseconds([&] { grid.SortRows(); }); };
    auto sortQt = [&] { qtMs = Milliseconds([&] { table.sortItems(0); }); };
    if (qtFirst) {
        sortQt();
        sortGrid();
    } else {
        sortGrid();
        sortQt();
    }
    for (int r = 0; r < rows; ++r)
        if (grid.Cells(0, r + 1) != table.item(r, 0)->text()) {
            ADD_FAILURE() << c.name << ": the sides differ at row " << r;
            break;
        }
    return {gridMs, qtMs};
}

void Report(const std::vector<Figure>& figures)
{
    std::map<std::string, const Figure*> first;
    for (const Figure& f : figures)
        if (f.rows == kRowCounts[0])
            first[f.name] = &f;
    std::printf("Sorting: TExtStringGrid against QTableWidget (medians of %d, alternating order)\n", kRepeats);
    std::printf("%-26s %7s | %10s %10s | %6s %13s | %s\n", "column", "rows", "grid ms", "Qt ms", "ratio", "spread",
                "growth from 10k grid / Qt");
    QFile csv(QDir(TRIVANTO_TEST_OUT "/..").absoluteFilePath("sort_benchmark.csv"));
    const bool writing = csv.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    QTextStream out(&csv);
    if (writing)
        out << "column,rows,grid_ms,qt_ms,ratio,ratio_lowest,ratio_highest,grid_growth,qt_growth\n";
    for (const Figure& f : figures) {
        const Figure& base = *first[f.name];
        const double gridGrowth = f.grid / base.grid;
        const double qtGrowth = f.qt / base.qt;
        std::printf("%-26s %7d | %10.2f %10.2f | %6.2f %6.2f-%-6.2f | %5.1f / %5.1f\n", f.name.c_str(), f.rows,
                    f.grid, f.qt, f.ratio, f.lowest, f.highest, gridGrowth, qtGrowth);
        if (writing)
            out << QString::fromStdString(f.name) << ',' << f.rows << ',' << f.grid << ',' << f.qt << ','
                << f.ratio << ',' << f.lowest << ',' << f.highest << ',' << gridGrowth << ',' << qtGrowth << '\n';
    }
}

TEST(SortBenchmark, DISABLED_GridAgainstQTableWidget)
{
    const Case cases[] = {
        {"text, random", Kind::Text, Shape::Random, ssAlphabetic},
        {"text, sorted", Kind::Text, Shape::Sorted, ssAlphabetic},
        {"text, reversed", Kind::Text, Shape::Reversed, ssAlphabetic},
        {"text, rise then fall", Kind::Text, Shape::RiseThenFall, ssAlphabetic},
        {"numeric, random", Kind::Number, Shape::Random, ssNumeric},
        {"numeric, sorted", Kind::Number, Shape::Sorted, ssNumeric},
        {"numeric, reversed", Kind::Number, Shape::Reversed, ssNumeric},
        {"numeric, rise then fall", Kind::Number, Shape::RiseThenFall, ssNumeric},
        {"locale, random", Kind::Accented, Shape::Random, ssAnsiAlphaCase},
    };
    std::vector<Figure> figures;
    for (int rows : kRowCounts)
        for (const Case& c : cases) {
            std::vector<double> grid, qt, ratios;
            for (int k = 0; k < kRepeats; ++k) {
                const auto [gridMs, qtMs] = SortBoth(c, rows, k % 2 == 1);
                grid.push_back(gridMs);
                qt.push_back(qtMs);
                ratios.push_back(qtMs > 0 ? gridMs / qtMs : 0);
            }
            figures.push_back({c.name, rows, Median(grid), Median(qt), Median(ratios),
                               *std::min_element(ratios.begin(), ratios.end()),
                               *std::max_element(ratios.begin(), ratios.end())});
        }
    Report(figures);
}

} // namespace
