// Where columns and rows are shown: extents, hit tests, the current cell,
// the selection and the scroll position.
#include "platform/grids.h"

#include <QScrollBar>

#include <algorithm>
#include <cstdlib>

// ---- geometry

int TStringGrid::ColLine() const
{
    return (options_ & (goFixedVertLine | goVertLine)) ? gridLineWidth_ : 0;
}

int TStringGrid::RowLine() const
{
    return (options_ & (goFixedHorzLine | goHorzLine)) ? gridLineWidth_ : 0;
}

TStringGrid::Axis TStringGrid::ColAxis() const
{
    return {colWidths_, fixedCols_, topLeft_.X, ColLine(), viewport()->width()};
}

TStringGrid::Axis TStringGrid::RowAxis() const
{
    return {rowHeights_, fixedRows_, topLeft_.Y, RowLine(), viewport()->height()};
}

int TStringGrid::FixedWidth() const
{
    const Axis cols = ColAxis();
    return cols.Extent(0, cols.fixed);
}

int TStringGrid::FixedHeight() const
{
    const Axis rows = RowAxis();
    return rows.Extent(0, rows.fixed);
}

int TStringGrid::ColLeft(int ACol) const
{
    return ColAxis().Start(ACol);
}

int TStringGrid::RowTop(int ARow) const
{
    return RowAxis().Start(ARow);
}

void TStringGrid::Relayout()
{
    UpdateScrollBars();
    UpdateEditor();
    viewport()->update();
}

int TStringGrid::Axis::Extent(int from, int to) const
{
    int extent = 0;
    for (int i = from; i < to; ++i)
        extent += Size(i) + line;
    return extent;
}

int TStringGrid::Axis::Start(int index) const
{
    if (index < fixed)
        return Extent(0, index);
    if (index < first)
        return -1;
    // Only the indices between the first one in view and this one count,
    // and once past the client area it is far enough: asking where a cell
    // far below the view starts costs no more than one in view.
    int start = Extent(0, fixed);
    for (int i = first; i < index && start <= space; ++i)
        start += Size(i) + line;
    return start;
}

int TStringGrid::Axis::Shown(int index) const
{
    // After the fixed indices come the scrolled ones from the first in view.
    return index >= fixed && index < first ? first : index;
}

int TStringGrid::Axis::IndexAt(int pos) const
{
    // The walk goes over the indices shown and stops at the client area's
    // edge: its cost is that of the indices in view, whatever the count.
    int edge = 0;
    for (int i = Shown(0); i < Count() && edge < space; i = Shown(i + 1)) {
        const int next = edge + Size(i) + line;
        if (pos >= edge && pos < next)
            return i;
        edge = next;
    }
    return -1;
}

int TStringGrid::Axis::VisibleCount() const
{
    int end = Extent(0, fixed);
    int count = 0;
    for (int i = first; i < Count(); ++i) {
        end += Size(i);
        if (end > space)
            break;
        end += line;
        ++count;
    }
    return std::max(count, Count() > fixed ? 1 : 0);
}

int TStringGrid::Axis::MaxFirst() const
{
    const int room = space - Extent(0, fixed);
    int used = 0;
    int last = Count() - 1;
    for (int i = Count() - 1; i >= fixed; --i) {
        used += Size(i) + (i == Count() - 1 ? 0 : line);
        if (used > room)
            break;
        last = i;
    }
    return std::max(last, fixed);
}

int TStringGrid::Axis::HitEdge(int pos, int margin) const
{
    // As IndexAt, over the indices shown, up to the first that starts past
    // the client area.
    int start = 0;
    for (int i = Shown(0); i < Count(); i = Shown(i + 1)) {
        if (std::abs(pos - (start + Size(i))) <= margin)
            return i;
        if (start > space)
            break;
        start += Size(i) + line;
    }
    return -1;
}

int TStringGrid::Axis::FirstShowing(int index) const
{
    if (index < first)
        return index;
    // Back from the index, as far as the client area holds them whole.
    int used = Extent(0, fixed) + Size(index);
    int top = index;
    while (top > first && used + Size(top - 1) + line <= space) {
        --top;
        used += Size(top) + line;
    }
    return top;
}

TRect TStringGrid::CellRect(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return {};
    const int left = ColLeft(ACol);
    const int top = RowTop(ARow);
    if (left < 0 || top < 0 || left >= viewport()->width() || top >= viewport()->height())
        return {};
    return {left, top, left + colWidths_[static_cast<size_t>(ACol)], top + rowHeights_[static_cast<size_t>(ARow)]};
}

bool TStringGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    const TGridCoord cell = MouseCoord(X, Y);
    ACol = cell.X;
    ARow = cell.Y;
    return ACol >= 0 && ARow >= 0;
}

TGridCoord TStringGrid::MouseCoord(int X, int Y) const
{
    if (X < 0 || Y < 0)
        return {-1, -1};
    const TGridCoord cell{ColAxis().IndexAt(X), RowAxis().IndexAt(Y)};
    if (cell.X < 0 || cell.Y < 0)
        return {-1, -1};
    return cell;
}

int TStringGrid::VisibleColCount() const
{
    return ColAxis().VisibleCount();
}

int TStringGrid::VisibleRowCount() const
{
    return RowAxis().VisibleCount();
}

int TStringGrid::MaxTopRow() const
{
    return RowAxis().MaxFirst();
}

int TStringGrid::MaxLeftCol() const
{
    return ColAxis().MaxFirst();
}

// ---- current cell, selection, scrolling

void TStringGrid::SetCol(int ACol)
{
    if (ACol != current_.X)
        FocusCell(ACol, current_.Y, true);
}

void TStringGrid::SetRow(int ARow)
{
    if (ARow != current_.Y)
        FocusCell(current_.X, ARow, true);
}

void TStringGrid::FocusCell(int ACol, int ARow, bool moveAnchor)
{
    MoveCurrent(ACol, ARow, moveAnchor, true);
    UpdateEditor();
    Click();
}

void TStringGrid::MoveCurrent(int ACol, int ARow, bool moveAnchor, bool show)
{
    CheckCell(ACol, ARow);
    if (!SelectCell(ACol, ARow))
        return;
    current_ = {ACol, ARow};
    selectionHidden_ = false;
    if (!(options_ & goAlwaysShowEditor))
        HideEditor();
    if (moveAnchor || !(options_ & goRangeSelect)) {
        anchor_ = current_;
        if (options_ & goRowSelect)
            anchor_.X = ColCount() - 1;
    }
    if (options_ & goRowSelect)
        current_.X = fixedCols_;
    if (show)
        ClampInView();
    viewport()->update();
}

TGridRect TStringGrid::Selection() const
{
    if (selectionHidden_)
        return {ColCount(), RowCount(), ColCount(), RowCount()};
    TGridRect sel{std::min(anchor_.X, current_.X), std::min(anchor_.Y, current_.Y), std::max(anchor_.X, current_.X),
                  std::max(anchor_.Y, current_.Y)};
    if (options_ & goRowSelect) {
        sel.Left = fixedCols_;
        sel.Right = ColCount() - 1;
    }
    return sel;
}

void TStringGrid::SetSelection(const TGridRect& selection)
{
    CheckCell(selection.Left, selection.Top);
    CheckCell(selection.Right, selection.Bottom);
    selectionHidden_ = false;
    anchor_ = {selection.Left, selection.Top};
    current_ = {selection.Right, selection.Bottom};
    ClampInView();
    UpdateEditor();
    viewport()->update();
}

void TStringGrid::SetTopRow(int ARow)
{
    MoveTopLeft(topLeft_.X, ARow);
}

void TStringGrid::SetLeftCol(int ACol)
{
    MoveTopLeft(ACol, topLeft_.Y);
}

void TStringGrid::MoveTopLeft(int ACol, int ARow)
{
    const TGridCoord next{std::clamp(ACol, fixedCols_, std::max(fixedCols_, ColCount() - 1)),
                          std::clamp(ARow, fixedRows_, std::max(fixedRows_, RowCount() - 1))};
    if (next == topLeft_)
        return;
    topLeft_ = next;
    Relayout();
    TopLeftChanged();
}

void TStringGrid::ClampInView()
{
    TGridCoord top = topLeft_;
    if (current_.Y >= fixedRows_)
        top.Y = RowAxis().FirstShowing(current_.Y);
    if (current_.X >= fixedCols_ && !(options_ & goRowSelect))
        top.X = ColAxis().FirstShowing(current_.X);
    MoveTopLeft(top.X, top.Y);
}

void TStringGrid::UpdateScrollBars()
{
    ++scrolling_;
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, MaxTopRow() - fixedRows_);
    v->setPageStep(std::max(VisibleRowCount(), 1));
    v->setValue(topLeft_.Y - fixedRows_);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, MaxLeftCol() - fixedCols_);
    h->setPageStep(std::max(VisibleColCount(), 1));
    h->setValue(topLeft_.X - fixedCols_);
    --scrolling_;
}

void TStringGrid::scrollContentsBy(int dx, int dy)
{
    (void)dx;
    (void)dy;
    if (scrolling_)
        return;
    MoveTopLeft(horizontalScrollBar()->value() + fixedCols_, verticalScrollBar()->value() + fixedRows_);
}

void TStringGrid::SetSelectionHidden(bool hidden)
{
    if (hidden == selectionHidden_)
        return;
    selectionHidden_ = hidden;
    viewport()->update();
}
