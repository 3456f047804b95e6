// Painting: every cell in view through DrawCell, with its lines.
#include "platform/grids.h"

#include "platform/application.h"

#include <QPainter>
#include <QPaintEvent>

#include <vector>

// ---- painting

void TStringGrid::InvalidateCell(int ACol, int ARow)
{
    const TRect rect = CellRect(ACol, ARow);
    if (!rect.IsEmpty())
        viewport()->update(rect.ToQRect().adjusted(0, 0, ColLine(), RowLine()));
}

void TStringGrid::InvalidateGrid()
{
    viewport()->update();
}

void TStringGrid::InvalidateRow(int ARow)
{
    const int top = ARow >= 0 && ARow < RowCount() ? RowTop(ARow) : -1;
    if (top >= 0 && top < viewport()->height())
        viewport()->update(QRect(0, top, viewport()->width(), RowHeights(ARow) + RowLine()));
}

void TStringGrid::InvalidateCol(int ACol)
{
    const int left = ACol >= 0 && ACol < ColCount() ? ColLeft(ACol) : -1;
    if (left >= 0 && left < viewport()->width())
        viewport()->update(QRect(left, 0, ColWidths(ACol) + ColLine(), viewport()->height()));
}

void TStringGrid::InvalidateEditor()
{
    // The editor asks the mask and text of its cell again.
    editorCell_ = {-1, -1};
    UpdateEditor();
}

void TStringGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    Canvas.SetPainter(&painter);
    paintArea_ = event->rect();
    Paint();
    Canvas.SetPainter(nullptr);
}

void TStringGrid::Paint()
{
    QPainter* painter = Canvas.Painter();
    if (!painter)
        return;
    painter->fillRect(paintArea_, ToQColor(color_));
    DrawAllCells(paintArea_);
}

TGridDrawState TStringGrid::StateOf(int ACol, int ARow) const
{
    if (ACol < fixedCols_ || ARow < fixedRows_)
        return gdFixed;
    TGridDrawState state = 0;
    if (HasFocusWithin() && ACol == current_.X && ARow == current_.Y)
        state |= gdFocused;
    if (Selection().Contains(ACol, ARow))
        state |= gdSelected;
    return state;
}

void TStringGrid::DrawAllCells(const QRect& area)
{
    // Rows and columns in view: the fixed ones, then from the top-left on.
    std::vector<int> cols;
    std::vector<int> rows;
    for (int c = 0; c < fixedCols_; ++c)
        cols.push_back(c);
    for (int c = topLeft_.X; c < ColCount() && ColLeft(c) < viewport()->width(); ++c)
        cols.push_back(c);
    for (int r = 0; r < fixedRows_; ++r)
        rows.push_back(r);
    for (int r = topLeft_.Y; r < RowCount() && RowTop(r) < viewport()->height(); ++r)
        rows.push_back(r);

    QPainter* painter = Canvas.Painter();
    const TFont gridFont = TFont::FromQFont(font());
    for (int r : rows)
        for (int c : cols) {
            const int left = ColLeft(c);
            const int top = RowTop(r);
            const TRect where{left, top, left + colWidths_[static_cast<size_t>(c)],
                              top + rowHeights_[static_cast<size_t>(r)]};
            const QRect withLines = where.ToQRect().adjusted(0, 0, ColLine(), RowLine());
            if (!withLines.intersects(area))
                continue;
            const TGridDrawState state = StateOf(c, r);
            const bool fixed = state & gdFixed;
            const bool focused = state & gdFocused;
            // The lines after the cell: right and bottom, drawn also beside
            // the editor, which covers only the cell itself.
            const bool vertical = options_ & (fixed ? goFixedVertLine : goVertLine);
            const bool horizontal = options_ & (fixed ? goFixedHorzLine : goHorzLine);
            const QColor lineColor = ToQColor(fixed ? clGray : clSilver);
            if (vertical && ColLine() > 0)
                painter->fillRect(QRect(where.Right, where.Top, ColLine(), where.Height() + RowLine()), lineColor);
            if (horizontal && RowLine() > 0)
                painter->fillRect(QRect(where.Left, where.Bottom, where.Width() + ColLine(), RowLine()), lineColor);
            if (focused && ShowsEditor() && editorCell_ == TGridCoord{c, r})
                continue; // the editor covers it
            painter->save();
            if (defaultDrawing_) {
                Canvas.Font = gridFont;
                Canvas.Font.Color = fixed ? clBtnText : clWindowText;
                Canvas.Brush = {fixed ? fixedColor_ : color_, bsSolid};
                if ((state & gdSelected) && (!focused || (options_ & (goDrawFocusSelected | goRowSelect)))) {
                    Canvas.Brush.Color = clHighlight;
                    Canvas.Font.Color = clHighlightText;
                }
                Canvas.FillRect(where);
            }
            DrawCell(c, r, where, state);
            if (defaultDrawing_ && fixed) {
                // Raised edges of the header cells.
                painter->setPen(ToQColor(clBtnHighlight));
                painter->drawLine(where.Left, where.Top, where.Right - 1, where.Top);
                painter->drawLine(where.Left, where.Top, where.Left, where.Bottom - 1);
                painter->setPen(ToQColor(clBtnShadow));
                painter->drawLine(where.Left, where.Bottom - 1, where.Right - 1, where.Bottom - 1);
                painter->drawLine(where.Right - 1, where.Top, where.Right - 1, where.Bottom - 1);
            }
            if (defaultDrawing_ && focused && (options_ & (goEditing | goAlwaysShowEditor)) != (goEditing | goAlwaysShowEditor)
                && !(options_ & goRowSelect))
                Canvas.DrawFocusRect(where);
            painter->restore();
        }
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (defaultDrawing_)
        Canvas.TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    if (OnDrawCell)
        Application->Guard([&] { OnDrawCell(ACol, ARow, ARect, AState); });
}

void TStringGrid::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    UpdateScrollBars();
    UpdateEditor();
}

void TStringGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    UpdateEditor();
}
