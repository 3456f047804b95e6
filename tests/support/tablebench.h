#pragma once
// What the grid benchmarks do alike to both sides, the grid control and
// Qt's QTableWidget: the same geometry (no header row or column, the given
// column width and row height), a paint of the whole view, and on Qt's
// side the text a copy of every cell gives.
#include "grid/extgrid.h"

#include <QHeaderView>
#include <QImage>
#include <QTableWidget>

namespace bench {

inline void ShapeGrid(TExtStringGrid& grid, int width, int height, int cols, int rows, int colWidth, int rowHeight)
{
    grid.resize(width, height);
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    grid.SetDefaultRowHeight(rowHeight);
    for (int c = 0; c < cols; ++c)
        grid.SetColWidths(c, colWidth);
    grid.show();
}

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

// Paints the whole view at once into an image of its size, as a repaint of
// the screen would (the offscreen platform may not have shown it yet).
inline void PaintNow(QWidget* view)
{
    QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
    view->render(&image);
}

// The filter benchmarks' column: "par" in every other row, "impar" in the
// others.
inline QString Parity(int row)
{
    return row % 2 == 0 ? QStringLiteral("par") : QStringLiteral("impar");
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
