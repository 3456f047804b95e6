// Copying the whole data area of the grid control to the clipboard as text
// and pasting it into an empty grid, against QTableWidget doing the same
// (the table builds the text from its items and splits it itself), at
// 10,000, 30,000 and 100,000 rows of 10 columns. Run on request:
//   QT_QPA_PLATFORM=offscreen build/tests/test_grid --gtest_also_run_disabled_tests --gtest_filter='ExtGridClipboardBenchmark.*'
// Each line gives milliseconds, milliseconds per 1,000 rows and the ratio
// grid / QTableWidget; the figures also go to build/extgrid_bench_clipboard.csv.
#include "grid/extgrid.h"

#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTableWidget>
#include <QTextStream>

#include "tests/support/stopwatch.h"
#include "tests/support/tablebench.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr int kCols = 10;

using bench::Milliseconds;

QString CellText(int col, int row)
{
    return QString::number(row * kCols + col);
}

void PasteIntoTable(QTableWidget& table, const QString& text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    table.setRowCount(static_cast<int>(lines.size()));
    table.setColumnCount(kCols);
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList values = lines[r].split(QLatin1Char('\t'));
        for (int c = 0; c < values.size(); ++c)
            table.setItem(r, c, new QTableWidgetItem(values[c]));
    }
}

TEST(ExtGridClipboardBenchmark, DISABLED_CopyAndPasteTextAgainstQTableWidget)
{
    QFile csv(QDir(TRIVANTO_TEST_OUT "/..").absoluteFilePath("extgrid_bench_clipboard.csv"));
    const bool writing = csv.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    QTextStream out(&csv);
    if (writing)
        out << "operation,rows,grid_ms,grid_ms_per_1000_rows,qt_ms,qt_ms_per_1000_rows,ratio\n";
    std::printf("%-8s %7s | %10s %9s | %10s %9s | %6s\n", "op", "rows", "grid ms", "ms/1000", "Qt ms", "ms/1000",
                "ratio");
    for (const int rows : {10000, 30000, 100000}) {
        TExtStringGrid grid;
        grid.SetFixedCols(0);
        grid.SetFixedRows(0);
        grid.SetColCount(kCols);
        grid.SetRowCount(rows);
        QTableWidget table(rows, kCols);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kCols; ++c) {
                grid.SetCells(c, r, CellText(c, r));
                table.setItem(r, c, new QTableWidgetItem(CellText(c, r)));
            }
        grid.SetSelection({0, 0, kCols - 1, rows - 1});

        const double gridCopy = Milliseconds([&] { grid.CopySelection(); });
        const QString copied = QGuiApplication::clipboard()->mimeData()->text();
        const double qtCopy = Milliseconds([&] { QGuiApplication::clipboard()->setText(bench::TableText(table)); });
        ASSERT_EQ(QGuiApplication::clipboard()->mimeData()->text(), copied);

        TExtStringGrid empty;
        empty.SetFixedCols(0);
        empty.SetFixedRows(0);
        empty.SetColCount(1);
        empty.SetRowCount(1);
        empty.SetOptions(empty.Options() | goEditing);
        const double gridPaste = Milliseconds([&] { empty.PasteFromClipboard(0, 0); });
        QTableWidget emptyTable;
        const double qtPaste =
            Milliseconds([&] { PasteIntoTable(emptyTable, QGuiApplication::clipboard()->mimeData()->text()); });
        ASSERT_EQ(empty.RowCount(), rows);
        ASSERT_EQ(emptyTable.rowCount(), rows);

        for (const auto& [op, g, q] : {std::tuple{"copy", gridCopy, qtCopy}, std::tuple{"paste", gridPaste, qtPaste}}) {
            const double thousands = rows / 1000.0;
            std::printf("%-8s %7d | %10.2f %9.3f | %10.2f %9.3f | %6.2f\n", op, rows, g, g / thousands, q,
                        q / thousands, g / q);
            if (writing)
                out << op << ',' << rows << ',' << g << ',' << g / thousands << ',' << q << ',' << q / thousands << ','
                    << g / q << '\n';
        }
    }
}

} // namespace
