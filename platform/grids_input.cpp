// Keys, mouse and focus of the string grid.
#include "platform/grids.h"

#include "platform/application.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace {

// How close to a line the mouse must be to size a column or row.
const int kSizingMargin = 3;

TMouseButton ButtonOf(const QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

} // namespace

// ---- keyboard

void TStringGrid::KeyDown(int& Key, TShiftState Shift)
{
    TControl::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    TGridCoord next = current_;
    TGridCoord top = topLeft_;
    const int pageHeight = std::max(VisibleRowCount(), 1);
    const int pageWidth = std::max(VisibleColCount(), 1);
    const bool rowSelect = options_ & goRowSelect;
    bool handled = true;
    if (Shift & ssCtrl) {
        switch (Key) {
        case VK_UP: --top.Y; break;
        case VK_DOWN: ++top.Y; break;
        case VK_LEFT:
            if (!rowSelect) {
                next.X -= pageWidth;
                top.X -= pageWidth;
            }
            break;
        case VK_RIGHT:
            if (!rowSelect) {
                next.X += pageWidth;
                top.X += pageWidth;
            }
            break;
        case VK_PRIOR: next.Y = topLeft_.Y; break;
        case VK_NEXT: next.Y = topLeft_.Y + pageHeight - 1; break;
        case VK_HOME: next = {fixedCols_, fixedRows_}; break;
        case VK_END: next = {ColCount() - 1, RowCount() - 1}; break;
        default: handled = false; break;
        }
    } else {
        switch (Key) {
        case VK_UP: --next.Y; break;
        case VK_DOWN: ++next.Y; break;
        case VK_LEFT:
            if (rowSelect)
                --top.X;
            else
                --next.X;
            break;
        case VK_RIGHT:
            if (rowSelect)
                ++top.X;
            else
                ++next.X;
            break;
        case VK_NEXT:
            next.Y += pageHeight;
            top.Y += pageHeight;
            break;
        case VK_PRIOR:
            next.Y -= pageHeight;
            top.Y -= pageHeight;
            break;
        case VK_HOME:
            if (rowSelect)
                next.Y = fixedRows_;
            else
                next.X = fixedCols_;
            break;
        case VK_END:
            if (rowSelect)
                next.Y = RowCount() - 1;
            else
                next.X = ColCount() - 1;
            break;
        case VK_TAB:
            if (!(options_ & goTabs) || (Shift & ssAlt)) {
                handled = false;
                break;
            }
            // To the next (previous) column with a tab stop, row after row,
            // round to the first (last) cell.
            do {
                if (Shift & ssShift) {
                    if (--next.X < fixedCols_) {
                        next.X = ColCount() - 1;
                        if (--next.Y < fixedRows_)
                            next.Y = RowCount() - 1;
                    }
                } else if (++next.X >= ColCount()) {
                    next.X = fixedCols_;
                    if (++next.Y >= RowCount())
                        next.Y = fixedRows_;
                }
            } while (!TabStops(next.X) && next.X != current_.X);
            Shift &= ~ssShift;
            break;
        case VK_F2: ShowEditor(); break;
        case VK_ESCAPE:
            if (ShowsEditor() && !(options_ & goAlwaysShowEditor))
                SendCancelEdit();
            else
                handled = false;
            break;
        default: handled = false; break;
        }
    }
    if (!handled)
        return;
    top.X = std::clamp(top.X, fixedCols_, MaxLeftCol());
    top.Y = std::clamp(top.Y, fixedRows_, MaxTopRow());
    if (!(top == topLeft_))
        MoveTopLeft(top.X, top.Y);
    next.X = std::clamp(next.X, fixedCols_, ColCount() - 1);
    next.Y = std::clamp(next.Y, fixedRows_, RowCount() - 1);
    if (!(next == current_))
        FocusCell(next.X, next.Y, !(Shift & ssShift));
    Key = 0;
}

void TStringGrid::KeyPress(char& Key)
{
    TControl::KeyPress(Key);
    if (Key == '\r' && (options_ & goEnterAdvance)) {
        AdvanceOnEnter();
        Key = 0;
        return;
    }
    if (Key == '\r' && !(options_ & goAlwaysShowEditor)) {
        if (ShowsEditor())
            HideEditor();
        else
            ShowEditor();
        Key = 0;
    }
}

void TStringGrid::AdvanceOnEnter()
{
    // A grid that selects whole rows goes on to the next row.
    TGridCoord next{(options_ & goRowSelect) ? ColCount() : current_.X + 1, current_.Y};
    if (next.X >= ColCount()) {
        next.X = fixedCols_;
        if (++next.Y >= RowCount())
            next.Y = fixedRows_;
    }
    // Typing goes on in the next cell: an open editor opens there too.
    const bool editing = ShowsEditor();
    FocusCell(next.X, next.Y);
    if (editing)
        ShowEditor();
}

void TStringGrid::KeyUp(int& Key, TShiftState Shift)
{
    TControl::KeyUp(Key, Shift);
}

void TStringGrid::keyPressEvent(QKeyEvent* event)
{
    // Keys the grid did not take are the window's (Esc, F1, Enter for the
    // default button).
    event->ignore();
}

void TStringGrid::keyReleaseEvent(QKeyEvent* event)
{
    event->ignore();
}

bool TStringGrid::focusNextPrevChild(bool next)
{
    // Tab in the editor leaves the grid as it would from the grid itself.
    if (!editor_ || !editor_->hasFocus())
        return QAbstractScrollArea::focusNextPrevChild(next);
    auto takesTab = [this](QWidget* w) {
        return w->window() == window() && !isAncestorOf(w) && w->isVisibleTo(window()) && w->isEnabled()
               && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
    };
    QWidget* w = this;
    do
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
    while (w && w != this && !takesTab(w));
    if (!w || w == this)
        return false;
    w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// ---- mouse

void TStringGrid::mousePressEvent(QMouseEvent* event)
{
    if (PressRefused(this)) {
        drag_ = Drag::None;
        return;
    }
    const QPoint p = event->position().toPoint();
    MouseDown(ButtonOf(event), ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
    if (event->button() != Qt::LeftButton)
        return;
    if (!HasFocusWithin())
        setFocus(Qt::MouseFocusReason);
    TGridState sizing = gsNormal;
    int edge = -1;
    CalcSizingState(p.x(), p.y(), sizing, edge);
    if (sizing == gsColSizing) {
        drag_ = Drag::SizeCol;
        dragIndex_ = edge;
        dragStart_ = ColLeft(edge);
        dragOrigin_ = ColWidths(edge);
        return;
    }
    if (sizing == gsRowSizing) {
        drag_ = Drag::SizeRow;
        dragIndex_ = edge;
        dragStart_ = RowTop(edge);
        dragOrigin_ = RowHeights(edge);
        return;
    }
    const TGridCoord cell = MouseCoord(p.x(), p.y());
    if (cell.X < 0)
        return;
    if ((options_ & goColMoving) && cell.Y < fixedRows_ && cell.X >= fixedCols_) {
        if (!BeginColumnDrag(cell.X, p))
            return;
        drag_ = Drag::MoveCol;
        dragIndex_ = dragOrigin_ = cell.X;
        return;
    }
    if ((options_ & goRowMoving) && cell.X < fixedCols_ && cell.Y >= fixedRows_) {
        if (!BeginRowDrag(cell.Y, p))
            return;
        drag_ = Drag::MoveRow;
        dragIndex_ = dragOrigin_ = cell.Y;
        return;
    }
    if (cell.X < fixedCols_ || cell.Y < fixedRows_)
        return;
    clickPending_ = true;
    drag_ = Drag::Select;
    if (cell == current_ && (options_ & goEditing) && !ShowsEditor()) {
        ShowEditor();
        return;
    }
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && (options_ & goRangeSelect);
    Application->Guard([&] { MoveCurrent(cell.X, cell.Y, !extend, true); });
    UpdateEditor();
}

void TStringGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    MouseMove(ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
    switch (drag_) {
    case Drag::SizeCol: SetColWidths(dragIndex_, std::max(p.x() - dragStart_, 0)); return;
    case Drag::SizeRow: SetRowHeights(dragIndex_, std::max(p.y() - dragStart_, 0)); return;
    case Drag::Select: {
        if (!(options_ & goRangeSelect) || !(event->buttons() & Qt::LeftButton))
            return;
        const TGridCoord cell = MouseCoord(p.x(), p.y());
        if (cell.X >= fixedCols_ && cell.Y >= fixedRows_ && !(cell == current_))
            Application->Guard([&] { MoveCurrent(cell.X, cell.Y, false, true); });
        return;
    }
    case Drag::MoveCol:
    case Drag::MoveRow: {
        const TGridCoord cell = MouseCoord(p.x(), p.y());
        const int index = drag_ == Drag::MoveCol ? cell.X : cell.Y;
        const int fixed = drag_ == Drag::MoveCol ? fixedCols_ : fixedRows_;
        if (index >= fixed)
            dragIndex_ = index;
        return;
    }
    case Drag::None: {
        // Over a line that sizes, the split cursor; off it, the cursor the
        // split one replaced (a derived grid may set its own meanwhile).
        TGridState sizing = gsNormal;
        int edge = -1;
        CalcSizingState(p.x(), p.y(), sizing, edge);
        if (sizing == gsColSizing || sizing == gsRowSizing) {
            viewport()->setCursor(sizing == gsColSizing ? Qt::SplitHCursor : Qt::SplitVCursor);
            sizingCursor_ = true;
        } else if (sizingCursor_) {
            viewport()->unsetCursor();
            sizingCursor_ = false;
        }
        return;
    }
    }
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const Drag ended = drag_;
    drag_ = Drag::None;
    if (ended == Drag::SizeCol)
        Application->Guard([&] { ColumnSized(dragIndex_, dragOrigin_); });
    if (ended == Drag::SizeRow)
        Application->Guard([&] { RowSized(dragIndex_, dragOrigin_); });
    if (ended == Drag::MoveCol && dragIndex_ != dragOrigin_)
        MoveColumn(dragOrigin_, dragIndex_);
    if (ended == Drag::MoveRow && dragIndex_ != dragOrigin_)
        MoveRow(dragOrigin_, dragIndex_);
    MouseUp(ButtonOf(event), ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
    if (clickPending_ && event->button() == Qt::LeftButton) {
        clickPending_ = false;
        Click();
    }
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    (void)event;
    DblClick();
}

void TStringGrid::wheelEvent(QWheelEvent* event)
{
    const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    const QPoint pos = event->position().toPoint();
    if (event->angleDelta().y() < 0)
        DoMouseWheelDown(shift, pos);
    else if (event->angleDelta().y() > 0)
        DoMouseWheelUp(shift, pos);
    event->accept();
}

TGridState TStringGrid::GridState() const
{
    switch (drag_) {
    case Drag::Select: return gsSelecting;
    case Drag::SizeCol: return gsColSizing;
    case Drag::SizeRow: return gsRowSizing;
    case Drag::MoveCol: return gsColMoving;
    case Drag::MoveRow: return gsRowMoving;
    case Drag::None: break;
    }
    return gsNormal;
}

void TStringGrid::CancelGridState()
{
    drag_ = Drag::None;
}

void TStringGrid::StartSelecting()
{
    drag_ = Drag::Select;
}

void TStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index)
{
    State = gsNormal;
    Index = -1;
    if ((options_ & goColSizing) && Y < FixedHeight()) {
        Index = HitColumnEdge(X);
        if (Index >= 0) {
            State = gsColSizing;
            return;
        }
    }
    if ((options_ & goRowSizing) && X < FixedWidth()) {
        Index = HitRowEdge(Y);
        if (Index >= 0)
            State = gsRowSizing;
    }
}

bool TStringGrid::BeginColumnDrag(int Origin, QPoint MousePt)
{
    (void)Origin;
    (void)MousePt;
    return true;
}

bool TStringGrid::BeginRowDrag(int Origin, QPoint MousePt)
{
    (void)Origin;
    (void)MousePt;
    return true;
}

int TStringGrid::HitColumnEdge(int x) const
{
    return ColAxis().HitEdge(x, kSizingMargin);
}

int TStringGrid::HitRowEdge(int y) const
{
    return RowAxis().HitEdge(y, kSizingMargin);
}

// ---- focus

void TStringGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    if (takingFocusBack_)
        return;
    if (editorMode_)
        UpdateEditor();
    if (ShowsEditor())
        editor_->setFocus(Qt::OtherFocusReason);
}

void TStringGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TStringGrid::DoEnter()
{
    TControl::DoEnter();
    viewport()->update();
}

void TStringGrid::DoExit()
{
    TControl::DoExit();
    viewport()->update();
}

bool TStringGrid::FilterKeyPress(QKeyEvent* event)
{
    int key = VirtualKeyOf(event);
    const TShiftState shift = ShiftStateOf(event->modifiers());
    if (key == VK_TAB && !WantsTabs())
        return false; // the window moves the focus
    if (WindowTookKey(key))
        return true;
    if (key != 0) {
        KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    char c = CharOf(event);
    if (c == 0)
        return false;
    // A character typed on the grid opens the editor with it.
    const bool typing = c == '\b' || static_cast<unsigned char>(c) >= 32;
    if (typing && ShowEditorChar(c))
        return true;
    KeyPress(c);
    return c == 0 || c == '\r';
}

void TStringGrid::ColumnSized(int ACol, int OldWidth)
{
    (void)ACol;
    (void)OldWidth;
}

void TStringGrid::RowSized(int ARow, int OldHeight)
{
    (void)ARow;
    (void)OldHeight;
}
