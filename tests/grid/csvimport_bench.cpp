// LoadFromCSV of 10,000, 30,000 and 100,000 rows of 10 columns, against
// reading the same file into Qt's QTableWidget (lines split at the
// separator, one item per value), in the same run. Prints milliseconds, ms
// per 1,000 rows and the ratio, and writes them to
// <build>/benchmarks/csvimport.csv. Run on request:
//   build/tests/test_grid --gtest_also_run_disabled_tests --gtest_filter='CsvImportBenchmark.*'
#include "grid/extgrid.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include "tests/support/stopwatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kCols = 10;
// Each load is timed this many times; the best time is shown, as the one
// least disturbed by the rest of the machine.
constexpr int kRounds = 3;

template <typename F>
double Best(F&& work)
{
    return bench::BestOf(kRounds, work);
}

void WriteCsv(const QString& path, int rows)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray line;
    for (int r = 0; r < rows; ++r) {
        line.clear();
        for (int c = 0; c < kCols; ++c) {
            if (c)
                line += ';';
            line += c % 3 == 0 ? "Ramal " + QByteArray::number(r) : QByteArray::number(r * kCols + c);
        }
        line += "\r\n";
        file.write(line);
    }
}

void LoadIntoTableWidget(QTableWidget& table, const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    table.clear();
    table.setRowCount(static_cast<int>(lines.size()));
    table.setColumnCount(kCols);
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList values = lines[r].split(';');
        for (int c = 0; c < values.size(); ++c)
            table.setItem(r, c, new QTableWidgetItem(values[c]));
    }
}

TEST(CsvImportBenchmark, DISABLED_LoadFromCSVAgainstQTableWidget)
{
    QTemporaryDir dir;
    QDir out(QStringLiteral(TRIVANTO_TEST_OUT "/../benchmarks"));
    out.mkpath(QStringLiteral("."));
    QFile results(out.filePath(QStringLiteral("csvimport.csv")));
    ASSERT_TRUE(results.open(QIODevice::WriteOnly | QIODevice::Truncate));
    results.write("rows;grid_ms;grid_ms_per_1000;qtablewidget_ms;qtablewidget_ms_per_1000;ratio\n");

    std::printf("%8s %12s %10s %16s %10s %7s\n", "rows", "grid ms", "ms/1000", "QTableWidget ms", "ms/1000", "ratio");
    for (const int rows : {10000, 30000, 100000}) {
        const QString path = dir.filePath(QStringLiteral("%1.csv").arg(rows));
        WriteCsv(path, rows);

        TExtStringGrid grid;
        grid.resize(600, 400);
        const double ours = Best([&] { grid.LoadFromCSV(path); });
        ASSERT_EQ(grid.RowCount(), rows);
        ASSERT_EQ(grid.ColCount(), kCols);

        QTableWidget table;
        table.resize(600, 400);
        const double theirs = Best([&] { LoadIntoTableWidget(table, path); });
        ASSERT_EQ(table.rowCount(), rows);

        const double k = rows / 1000.0;
        std::printf("%8d %12.1f %10.3f %16.1f %10.3f %7.2f\n", rows, ours, ours / k, theirs, theirs / k, ours / theirs);
        results.write(QStringLiteral("%1;%2;%3;%4;%5;%6\n")
                          .arg(rows)
                          .arg(ours, 0, 'f', 1)
                          .arg(ours / k, 0, 'f', 3)
                          .arg(theirs, 0, 'f', 1)
                          .arg(theirs / k, 0, 'f', 3)
                          .arg(ours / theirs, 0, 'f', 2)
                          .toUtf8());
    }
    std::printf("written to %s\n", qUtf8Printable(QFileInfo(results).absoluteFilePath()));
}

} // namespace
