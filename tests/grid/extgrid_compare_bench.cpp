// The grid control against Qt's QTableWidget doing the same work in the same
// run, like with like: both shown at 1000 x 700 with columns 100 wide and
// rows 21 high (33 rows of 10 columns in view, no header on either side),
// the same data in the same form (texts; numbers for Qt's numeric sort,
// which the grid converts from its texts), each operation repeated with
// the order of the two sides alternating. Run on request:
//   QT_QPA_PLATFORM=offscreen build/tests/test_grid --gtest_also_run_disabled_tests
//       --gtest_filter='ExtGridCompareBenchmark.*'
// Each line gives the median milliseconds of both sides, the median of the
// per-repeat ratios grid / QTableWidget and their spread (lowest to
// highest); a second table gives how each side grew from 10,000 to 100,000
// rows. The figures also go to <build>/extgrid_compare_bench.csv.
#include "grid/extgrid.h"
#include "grid/gridfilter.h"
#include "grid/sortsettings.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include "tests/support/stopwatch.h"
#include "tests/support/tablebench.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kCols = 10;
constexpr int kColWidth = 100;
constexpr int kRowHeight = 21;
constexpr int kWidth = 1000;
constexpr int kHeight = 700;
constexpr int kBlock = 1000;
constexpr int kRepeats = 5;
const int kRowCounts[] = {10000, 30000, 100000};

using bench::Milliseconds;
using bench::PaintNow;
using bench::Parity;

QString CellText(int col, int row)
{
    return QString::number(row * kCols + col);
}

// ---- the two sides, set up alike

void Shape(TExtStringGrid& grid, int rows)
{
    bench::ShapeGrid(grid, kWidth, kHeight, kCols, rows, kColWidth, kRowHeight);
    grid.SetOptions(grid.Options() | goEditing);
}

void Fill(TExtStringGrid& grid, int rows)
{
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            grid.SetCells(c, r, CellText(c, r));
}

void Fill(QTableWidget& table, int rows)
{
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            table.setItem(r, c, new QTableWidgetItem(CellText(c, r)));
}

// Heap bytes in use.
double HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// An item that compares by the locale, as the grid's locale sort does.
class LocaleItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override
    {
        return QString::localeAwareCompare(text(), other.text()) < 0;
    }
};

// ---- figures

struct Sample {
    double grid = 0;
    double qt = 0;
};

struct Line {
    std::string op;
    int rows = 0;
    std::vector<Sample> samples;
    // Figures that are no time (bytes a cell) are shown as they are.
    bool time = true;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Summary {
    double grid, qt, ratio, low, high;
};

Summary Summarise(const Line& line)
{
    std::vector<double> grid, qt, ratios;
    for (const Sample& s : line.samples) {
        grid.push_back(s.grid);
        qt.push_back(s.qt);
        ratios.push_back(s.qt > 0 ? s.grid / s.qt : 0);
    }
    return {Median(grid), Median(qt), Median(ratios), *std::min_element(ratios.begin(), ratios.end()),
            *std::max_element(ratios.begin(), ratios.end())};
}

// One side's work: an untimed step before, the timed work, an untimed step
// after.
struct Work {
    std::function<void()> before;
    std::function<void()> timed;
    std::function<void()> after;
};

double Run(const Work& work)
{
    if (work.before)
        work.before();
    const double ms = Milliseconds(work.timed);
    if (work.after)
        work.after();
    return ms;
}

// Both sides Repeats times, the grid first in even repeats, Qt first in odd.
std::vector<Sample> Compare(const Work& grid, const Work& qt, int repeats = kRepeats)
{
    std::vector<Sample> samples;
    for (int i = 0; i < repeats; ++i) {
        Sample s;
        if (i % 2 == 0) {
            s.grid = Run(grid);
            s.qt = Run(qt);
        } else {
            s.qt = Run(qt);
            s.grid = Run(grid);
        }
        samples.push_back(s);
    }
    return samples;
}

// ---- the operations at one size

// The sort keys: a column of random texts, and its ordered, reversed and
// rising-then-falling arrangements.
enum class Order { Random, Sorted, Reversed, RiseFall };

std::vector<int> Keys(int rows, Order order)
{
    std::vector<int> keys(static_cast<size_t>(rows));
    std::mt19937 random(20021);
    for (int& k : keys)
        k = static_cast<int>(random() % 1000000);
    if (order == Order::Random)
        return keys;
    std::sort(keys.begin(), keys.end());
    if (order == Order::Reversed)
        std::reverse(keys.begin(), keys.end());
    if (order == Order::RiseFall) {
        // The even positions rising, then the odd ones falling.
        const int n = static_cast<int>(keys.size());
        std::vector<int> shaped;
        for (int i = 0; i < n; i += 2)
            shaped.push_back(keys[static_cast<size_t>(i)]);
        for (int i = n % 2 == 0 ? n - 1 : n - 2; i >= 1; i -= 2)
            shaped.push_back(keys[static_cast<size_t>(i)]);
        keys = shaped;
    }
    return keys;
}

QString KeyText(int key)
{
    return QStringLiteral("%1").arg(key, 7, 10, QLatin1Char('0'));
}

const QString kAccented[] = {QStringLiteral("ação"), QStringLiteral("Água"), QStringLiteral("avião"),
                             QStringLiteral("Éden"), QStringLiteral("esfera"), QStringLiteral("ônibus"),
                             QStringLiteral("Órgão"), QStringLiteral("uva"),  QStringLiteral("Último")};

QString LocaleText(int key)
{
    return kAccented[key % 9] + QString::number(key % 997);
}

enum class SortKind { Text, Numeric, Locale };

constexpr int kSortCol = 2;

void SortSetUp(TExtStringGrid& grid, QTableWidget& table, int rows, SortKind kind, Order order)
{
    const std::vector<int> keys = Keys(rows, order);
    for (int r = 0; r < rows; ++r) {
        const int key = keys[static_cast<size_t>(r)];
        switch (kind) {
        case SortKind::Text:
            grid.SetCells(kSortCol, r, KeyText(key));
            table.setItem(r, kSortCol, new QTableWidgetItem(KeyText(key)));
            break;
        case SortKind::Numeric: {
            grid.SetCells(kSortCol, r, QString::number(key));
            auto* item = new QTableWidgetItem;
            item->setData(Qt::DisplayRole, static_cast<double>(key));
            table.setItem(r, kSortCol, item);
            break;
        }
        case SortKind::Locale:
            grid.SetCells(kSortCol, r, LocaleText(key));
            table.setItem(r, kSortCol, new LocaleItem(LocaleText(key)));
            break;
        }
    }
    const TSortStyle style = kind == SortKind::Text      ? ssAlphabetic
                             : kind == SortKind::Numeric ? ssNumeric
                                                         : ssAnsiAlphaCase;
    grid.OnGetFormat = [style](QObject*, int, TSortStyle& AStyle, QString&, QString&) { AStyle = style; };
    grid.SortSettings()->SetColumn(kSortCol);
    grid.SortSettings()->SetDirection(sdAscending);
}

void PasteIntoTable(QTableWidget& table, const QString& text, const QString& lineEnd, QChar separator)
{
    QStringList lines = text.split(lineEnd);
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    table.setRowCount(static_cast<int>(lines.size()));
    table.setColumnCount(kCols);
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList values = lines[r].split(separator);
        for (int c = 0; c < values.size(); ++c)
            table.setItem(r, c, new QTableWidgetItem(values[c]));
    }
}

// QTableWidget has no move of rows: the items of the Count rows are taken,
// the rows removed, as many inserted where the first lands and the items
// put there.
void MoveTableRows(QTableWidget& table, int from, int count, int to)
{
    std::vector<QTableWidgetItem*> items;
    items.reserve(static_cast<size_t>(count) * kCols);
    for (int r = from; r < from + count; ++r)
        for (int c = 0; c < kCols; ++c)
            items.push_back(table.takeItem(r, c));
    table.model()->removeRows(from, count);
    table.model()->insertRows(to, count);
    for (int r = 0; r < count; ++r)
        for (int c = 0; c < kCols; ++c)
            table.setItem(to + r, c, items[static_cast<size_t>(r) * kCols + static_cast<size_t>(c)]);
}

void Measure(int rows, std::vector<Line>& lines)
{
    auto add = [&](const char* op, std::vector<Sample> samples, bool time = true) {
        lines.push_back({op, rows, std::move(samples), time});
    };

    // Filling, with the heap bytes each cell took.
    std::unique_ptr<TExtStringGrid> grid;
    std::unique_ptr<QTableWidget> table;
    double gridBytes = 0;
    double qtBytes = 0;
    add("fill every cell",
        Compare({[&] {
                     grid.reset();
                     gridBytes = HeapInUse();
                     grid = std::make_unique<TExtStringGrid>();
                     Shape(*grid, rows);
                 },
                 [&] { Fill(*grid, rows); }, [&] { gridBytes = HeapInUse() - gridBytes; }},
                {[&] {
                     table.reset();
                     qtBytes = HeapInUse();
                     table = std::make_unique<QTableWidget>();
                     bench::ShapeTable(*table, kWidth, kHeight, kCols, rows, kColWidth, kRowHeight);
                 },
                 [&] { Fill(*table, rows); }, [&] { qtBytes = HeapInUse() - qtBytes; }},
                3));
    const double cells = static_cast<double>(rows) * kCols;
    add("heap bytes a cell", {{gridBytes / cells, qtBytes / cells}}, false);

    // Repainting the view at the end, and scrolling page by page.
    grid->SetTopRow(rows - 1);
    table->scrollToBottom();
    QApplication::processEvents();
    add("repaint at the end (x20)", Compare({nullptr,
                                             [&] {
                                                 for (int i = 0; i < 20; ++i)
                                                     PaintNow(grid->viewport());
                                             },
                                             nullptr},
                                            {nullptr,
                                             [&] {
                                                 for (int i = 0; i < 20; ++i)
                                                     PaintNow(table->viewport());
                                             },
                                             nullptr}));
    add("200 pages down, painted",
        Compare({[&] { grid->SetTopRow(0); },
                 [&] {
                     for (int i = 0; i < 200; ++i) {
                         grid->SetTopRow(grid->TopRow() + grid->VisibleRowCount());
                         PaintNow(grid->viewport());
                     }
                 },
                 nullptr},
                {[&] { table->scrollToTop(); },
                 [&] {
                     for (int i = 0; i < 200; ++i) {
                         table->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
                         PaintNow(table->viewport());
                     }
                 },
                 nullptr}));

    // A hit test at the last row in view, at the end of the grid.
    grid->SetTopRow(rows - 1);
    table->scrollToBottom();
    QApplication::processEvents();
    const TRect last = grid->CellRect(1, rows - 1);
    const QPoint gridPoint((last.Left + last.Right) / 2, (last.Top + last.Bottom) / 2);
    const QRect lastQt = table->visualRect(table->model()->index(rows - 1, 1));
    const QPoint qtPoint = lastQt.center();
    int hitCol = -1;
    int hitRow = -1;
    grid->MouseToCell(gridPoint.x(), gridPoint.y(), hitCol, hitRow);
    EXPECT_EQ(hitRow, rows - 1);
    EXPECT_EQ(table->indexAt(qtPoint).row(), rows - 1);
    add("hit test at the last row (x10000)", Compare({nullptr,
                                                      [&] {
                                                          for (int i = 0; i < 10000; ++i)
                                                              grid->MouseToCell(gridPoint.x(), gridPoint.y(), hitCol,
                                                                                hitRow);
                                                      },
                                                      nullptr},
                                                     {nullptr,
                                                      [&] {
                                                          for (int i = 0; i < 10000; ++i)
                                                              hitRow = table->indexAt(qtPoint).row();
                                                      },
                                                      nullptr}));
    grid->SetTopRow(0);
    table->scrollToTop();

    // Sorting.
    struct SortCase {
        const char* op;
        SortKind kind;
        Order order;
    };
    const SortCase sorts[] = {
        {"sort text, random", SortKind::Text, Order::Random},
        {"sort text, sorted", SortKind::Text, Order::Sorted},
        {"sort text, reversed", SortKind::Text, Order::Reversed},
        {"sort text, rise then fall", SortKind::Text, Order::RiseFall},
        {"sort numeric, random", SortKind::Numeric, Order::Random},
        {"sort locale, random", SortKind::Locale, Order::Random},
    };
    for (const SortCase& sort : sorts) {
        const auto setUp = [&] { SortSetUp(*grid, *table, rows, sort.kind, sort.order); };
        add(sort.op, Compare({setUp, [&] { grid->SortRows(); }, nullptr},
                             {setUp, [&] { table->sortItems(kSortCol, Qt::AscendingOrder); }, nullptr}));
    }
    grid->OnGetFormat = nullptr;

    // Filtering every other row out, and back.
    for (int r = 0; r < rows; ++r) {
        grid->SetCells(3, r, Parity(r));
        table->item(r, 3)->setText(Parity(r));
    }
    TFilterData& condition = grid->Filter()->Add();
    condition.Column = 3;
    condition.Condition = QStringLiteral("par");
    add("filter every other row",
        Compare({nullptr, [&] { grid->SetFilterActive(true); }, [&] { grid->SetFilterActive(false); }},
                {nullptr,
                 [&] {
                     for (int r = 0; r < rows; ++r)
                         table->setRowHidden(r, table->item(r, 3)->text() != QLatin1String("par"));
                 },
                 [&] {
                     for (int r = 0; r < rows; ++r)
                         table->setRowHidden(r, false);
                 }}));
    grid->Filter()->Clear();

    // Hiding the second half of the rows, and showing it again.
    const int half = rows / 2;
    add("hide half the rows", Compare({nullptr, [&] { grid->HideRows(half, rows - 1); },
                                       [&] { grid->UnHideRows(half, rows - 1); }},
                                      {nullptr,
                                       [&] {
                                           for (int r = half; r < rows; ++r)
                                               table->setRowHidden(r, true);
                                       },
                                       [&] {
                                           for (int r = half; r < rows; ++r)
                                               table->setRowHidden(r, false);
                                       }}));
    add("show them again", Compare({[&] { grid->HideRows(half, rows - 1); },
                                    [&] { grid->UnHideRows(half, rows - 1); }, nullptr},
                                   {[&] {
                                        for (int r = half; r < rows; ++r)
                                            table->setRowHidden(r, true);
                                    },
                                    [&] {
                                        for (int r = half; r < rows; ++r)
                                            table->setRowHidden(r, false);
                                    },
                                    nullptr}));
    EXPECT_EQ(grid->RowCount(), rows);

    // Copying every cell as text, and pasting it into an empty grid.
    QString copied;
    add("copy every cell", Compare({[&] { grid->SetSelection({0, 0, kCols - 1, rows - 1}); },
                                    [&] { grid->CopySelection(); },
                                    [&] { copied = QGuiApplication::clipboard()->mimeData()->text(); }},
                                   {nullptr, [&] { QGuiApplication::clipboard()->setText(bench::TableText(*table)); },
                                    nullptr}));
    // A grid and a table of one row that each receive every cell.
    std::unique_ptr<TExtStringGrid> pasteGrid;
    std::unique_ptr<QTableWidget> pasteTable;
    const auto freshGrid = [&] {
        pasteGrid = std::make_unique<TExtStringGrid>();
        Shape(*pasteGrid, 1);
    };
    const auto freshTable = [&] {
        pasteTable = std::make_unique<QTableWidget>();
        bench::ShapeTable(*pasteTable, kWidth, kHeight, kCols, 1, kColWidth, kRowHeight);
    };
    add("paste every cell",
        Compare({freshGrid, [&] { pasteGrid->PasteText(0, 0, copied); }, [&] { pasteGrid.reset(); }},
                {freshTable, [&] { PasteIntoTable(*pasteTable, copied, QStringLiteral("\r\n"), '\t'); },
                 [&] { pasteTable.reset(); }}));

    // Loading a delimited file.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("dados.csv"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        QTextStream stream(&out);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < kCols; ++c)
                stream << (c ? "," : "") << CellText(c, r);
            stream << "\r\n";
        }
    }
    add("load a CSV file", Compare({[&] {
                                        freshGrid();
                                        pasteGrid->ValueSeparator = QLatin1Char(',');
                                    },
                                    [&] { pasteGrid->LoadFromCSV(file); }, [&] { pasteGrid.reset(); }},
                                   {freshTable,
                                    [&] {
                                        QFile in(file);
                                        in.open(QIODevice::ReadOnly);
                                        PasteIntoTable(*pasteTable, QString::fromLatin1(in.readAll()),
                                                       QStringLiteral("\r\n"), ',');
                                    },
                                    [&] { pasteTable.reset(); }}));

    // Rows inserted, deleted and moved: 1,000 at once and one by one.
    const int middle = rows / 2;
    const int from = rows / 4;
    const int to = rows - rows / 4;
    const auto oneByOne = [](std::function<void()> step) {
        return [step] {
            for (int i = 0; i < kBlock; ++i)
                step();
        };
    };
    auto gridInsert = [&] { grid->InsertRows(middle, kBlock); };
    auto gridRemove = [&] { grid->RemoveRows(middle, kBlock); };
    auto qtInsert = [&] { table->model()->insertRows(middle, kBlock); };
    auto qtRemove = [&] { table->model()->removeRows(middle, kBlock); };
    add("insert 1000 rows at once", Compare({nullptr, gridInsert, gridRemove}, {nullptr, qtInsert, qtRemove}));
    add("delete 1000 rows at once", Compare({gridInsert, gridRemove, nullptr}, {qtInsert, qtRemove, nullptr}));
    add("move 1000 rows at once", Compare({nullptr, [&] { grid->MoveRows(from, kBlock, to); },
                                           [&] { grid->MoveRows(to, kBlock, from); }},
                                          {nullptr, [&] { MoveTableRows(*table, from, kBlock, to); },
                                           [&] { MoveTableRows(*table, to, kBlock, from); }}));
    add("insert a row, 1000 times", Compare({nullptr, oneByOne([&] { grid->InsertRows(middle, 1); }), gridRemove},
                                            {nullptr, oneByOne([&] { table->insertRow(middle); }), qtRemove}));
    add("delete a row, 1000 times", Compare({gridInsert, oneByOne([&] { grid->RemoveRows(middle, 1); }), nullptr},
                                            {qtInsert, oneByOne([&] { table->removeRow(middle); }), nullptr}));
    add("move a row, 1000 times", Compare({nullptr, oneByOne([&] { grid->MoveRow(from, to); }), nullptr},
                                          {nullptr, oneByOne([&] { MoveTableRows(*table, from, 1, to); }), nullptr}));

    // The second half of the rows selected and deleted at once, and put
    // back with their texts.
    const auto refillGrid = [&](int first) {
        for (int r = first; r < rows; ++r)
            for (int c = 0; c < kCols; ++c)
                grid->SetCells(c, r, CellText(c, r));
    };
    const auto refillTable = [&](int first) {
        for (int r = first; r < rows; ++r)
            for (int c = 0; c < kCols; ++c)
                table->setItem(r, c, new QTableWidgetItem(CellText(c, r)));
    };
    add("delete the selected half of the rows",
        Compare({[&] {
                     for (int r = half; r < rows; ++r)
                         grid->SetRowSelect(r, true);
                 },
                 [&] { grid->RemoveSelectedRows(); },
                 [&] {
                     grid->InsertRows(half, rows - half);
                     refillGrid(half);
                 }},
                {nullptr, [&] { table->model()->removeRows(half, rows - half); },
                 [&] {
                     table->model()->insertRows(half, rows - half);
                     refillTable(half);
                 }}));
    EXPECT_EQ(grid->RowCount(), rows);
    EXPECT_EQ(table->rowCount(), rows);

    // The same one by one with a coloured cell in the first row: the grid
    // holds a properties object from here on.
    grid->GetCellProperties(1, 0)->SetBrushColor(clRed);
    table->item(0, 1)->setBackground(Qt::red);
    add("insert a row, 1000 times, a coloured cell",
        Compare({nullptr, oneByOne([&] { grid->InsertRows(middle, 1); }), gridRemove},
                {nullptr, oneByOne([&] { table->insertRow(middle); }), qtRemove}));
    add("delete a row, 1000 times, a coloured cell",
        Compare({gridInsert, oneByOne([&] { grid->RemoveRows(middle, 1); }), nullptr},
                {qtInsert, oneByOne([&] { table->removeRow(middle); }), nullptr}));
    EXPECT_EQ(grid->RowCount(), rows);
    EXPECT_EQ(table->rowCount(), rows);
}

void Report(const std::vector<Line>& lines)
{
    QFile csv(QDir(TRIVANTO_TEST_OUT "/..").absoluteFilePath("extgrid_compare_bench.csv"));
    const bool writing = csv.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    QTextStream out(&csv);
    if (writing)
        out << "operation,rows,grid_ms,qt_ms,median_ratio,lowest_ratio,highest_ratio\n";
    std::printf("Grid control against QTableWidget, %d columns, %d x %d, medians of alternating repeats\n", kCols,
                kWidth, kHeight);
    std::printf("%-42s %7s | %10s %10s | %6s  %s\n", "operation", "rows", "grid ms", "Qt ms", "ratio", "spread");
    std::map<std::string, std::map<int, Summary>> byOp;
    std::vector<std::string> order;
    for (const Line& line : lines) {
        const Summary s = Summarise(line);
        if (!byOp.count(line.op))
            order.push_back(line.op);
        byOp[line.op][line.rows] = s;
        std::printf("%-42s %7d | %10.2f %10.2f | %6.2f  %.2f-%.2f%s\n", line.op.c_str(), line.rows, s.grid, s.qt,
                    s.ratio, s.low, s.high, line.time ? "" : "  (bytes, not ms)");
        if (writing)
            out << QString::fromStdString(line.op) << ',' << line.rows << ',' << s.grid << ',' << s.qt << ','
                << s.ratio << ',' << s.low << ',' << s.high << '\n';
    }
    std::printf("\nGrowth from 10,000 to 100,000 rows (10 is linear; n log n gives about 12.5)\n");
    std::printf("%-42s | %8s %8s\n", "operation", "grid", "Qt");
    for (const std::string& op : order) {
        const auto& sizes = byOp[op];
        if (!sizes.count(10000) || !sizes.count(100000))
            continue;
        const Summary& small = sizes.at(10000);
        const Summary& large = sizes.at(100000);
        std::printf("%-42s | %8.1f %8.1f\n", op.c_str(), small.grid > 0 ? large.grid / small.grid : 0,
                    small.qt > 0 ? large.qt / small.qt : 0);
    }
    if (writing)
        std::printf("written to %s\n", qPrintable(QFileInfo(csv).absoluteFilePath()));
}

TEST(ExtGridCompareBenchmark, DISABLED_EveryOperationAgainstQTableWidget)
{
    std::vector<Line> lines;
    for (int rows : kRowCounts)
        Measure(rows, lines);
    Report(lines);
}

} // namespace
