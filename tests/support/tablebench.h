#pragma once
// What the grid benchmarks do to Qt's QTableWidget on their side: the same
// geometry as the grid (no headers, the given column width and row height)
// and the text a copy of every cell gives.
#include <QHeaderView>
#include <QTableWidget>

namespace bench {

inline void ShapeTable(QTableWidget& table, int width, int height, int cols, int rows, int colWidth, int rowHeight)
{
    table.resize(width, height);
    table.setColumnCount(cols);
    table.setRowCount(rows);
    table.horizontalHeader()->hide();
    table.verticalHeader()->hide();
    table.verticalHeader()->setMinimumSectionSize(1);
    table.verticalHeader()->setDefaultSectionSize(rowHeight);
    table.horizontalHeader()->setDefaultSectionSize(colWidth);
    table.show();
}

// Values joined by tabs, every row ended by CR LF (an empty cell is empty).
inline QString TableText(const QTableWidget& table)
{
    QString text;
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            if (c > 0)
                text += QLatin1Char('\t');
            if (const QTableWidgetItem* item = table.item(r, c))
                text += item->text();
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

} // namespace bench
