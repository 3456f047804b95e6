// The grid control's mouse: presses, moves, releases and double clicks on
// the cell area. Whole rows and columns chosen from the fixed cells, the
// fill handle, sizing (with the application's veto and the size hint),
// column and row moves with their arrows and header button, cell controls,
// scattered cells, header-click sorting and the start of a drag.
#include "grid/extgrid.h"

#include "grid/extobj.h"
#include "platform/application.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>

namespace {

// A column or row edge within this many pixels of a double click in the
// header sizes that column to its content.
constexpr int kAutoSizeMargin = 4;
// The sizing veto probes the cell this far left of (above) the edge.
constexpr int kVetoProbe = 6;
// A filter button takes the rightmost pixels of its header cell.
constexpr int kFilterButtonWidth = 16;

bool IsUrl(const QString& Text)
{
    return Text.contains(QLatin1String("://")) || Text.contains(QLatin1String("mailto:"), Qt::CaseInsensitive);
}

bool Moving(TGridState State)
{
    return State == gsColMoving || State == gsRowMoving;
}

bool Sizing(TGridState State)
{
    return State == gsColSizing || State == gsRowSizing;
}

} // namespace

QCursor TExtStringGrid::GridCursor(int ResourceId)
{
    return QCursor(QPixmap(QStringLiteral(":/grid/CUR%1.png").arg(ResourceId)));
}

void TExtStringGrid::ClearPointerState()
{
    pointerState_ = psNone;
    if (pointerCursorShown_)
        viewport()->unsetCursor();
    pointerCursorShown_ = false;
}

// ---- press

void TExtStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // An editor opened by this press puts its caret under the mouse.
    editClickPending_ = Button == mbLeft;
    editClickAt_ = QPoint(X, Y);
    TBaseGrid::MouseDown(Button, Shift, X, Y);
}

void TExtStringGrid::mousePressEvent(QMouseEvent* Event)
{
    const QPoint at = Event->position().toPoint();
    const TGridCoord cell = MouseCoord(at.x(), at.y());
    if (Event->button() == Qt::LeftButton) {
        pressPoint_ = at;
        pressCell_ = {cell.X, cell.Y};
        pressState_ = psNone;
        dragArmed_ = dragHeldSelection_ = false;
        if (PressRefused(this)) {
            CancelGridState();
            return;
        }
        leftHeld_ = true;
        if (TakeLeftPress(Event))
            return;
    }
    TBaseGrid::mousePressEvent(Event);
    if (Event->button() == Qt::RightButton) {
        RightClickCell({cell.X, cell.Y});
        return;
    }
    if (Event->button() != Qt::LeftButton)
        return;
    // A grid of one row, or of fixed columns only, never sizes nor moves.
    if ((RowCount() == 1 || ColCount() <= FixedCols()) && (Sizing(GridState()) || Moving(GridState())))
        CancelGridState();
    if (cell.X < FixedCols() || cell.Y < FixedRows() || IsFixed(cell.X, cell.Y))
        return;
    const TPoint base = BaseCell(cell.X, cell.Y);
    if (base != TPoint{Col(), Row()})
        return;
    if (HasCellControl(base.X, base.Y)) {
        ClickCellControl(base, at);
        return;
    }
    // MouseActions.DirectEdit: a plain click that chose an editable cell
    // opens its editor at once (a Shift or Ctrl click selects).
    if (MouseActions()->DirectEdit && editClickPending_ && !editorShown_ && Event->modifiers() == Qt::NoModifier
        && (Options() & goEditing))
        ShowEditor();
}

bool TExtStringGrid::TakeLeftPress(QMouseEvent* Event)
{
    const QPoint at = Event->position().toPoint();
    const TShiftState shift = ShiftStateOf(Event->modifiers(), Event->buttons());
    const TGridCoord cell = MouseCoord(at.x(), at.y());
    pointerState_ = PointerStateAt(at.x(), at.y());
    if (pointerState_ != psNone) {
        MouseDown(mbLeft, shift, at.x(), at.y());
        if (!HasFocusWithin())
            setFocus(Qt::MouseFocusReason);
        pressState_ = pointerState_;
        fillOrigin_ = Selection();
        if (pressState_ != psFillHandle)
            ExtendPointerSelection(at);
        return true;
    }
    if (cell.X >= 0 && PressNodeButton({cell.X, cell.Y}, at))
        return true;
    if (cell.X >= 0 && PressCellButton({cell.X, cell.Y}, at))
        return true;
    if (cell.X >= 0 && HTMLMouseDown(shift, at.x(), at.y()))
        return true;
    // A press on the selection may start a drag of it; a selection of
    // several cells stays as it is until the mouse tells.
    if (cell.X < FixedCols() || cell.Y < FixedRows() || !DragDropSettings()->OleDropSource
        || (Event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
        return false;
    const TGridRect sel = Selection();
    if (!sel.Contains(cell.X, cell.Y))
        return false;
    dragArmed_ = true;
    if (sel.Left == sel.Right && sel.Top == sel.Bottom)
        return false;
    dragHeldSelection_ = true;
    MouseDown(mbLeft, shift, at.x(), at.y());
    if (!HasFocusWithin())
        setFocus(Qt::MouseFocusReason);
    return true;
}

void TExtStringGrid::RightClickCell(TPoint At)
{
    if (At.X < 0 || At.Y < 0)
        return;
    if (OnRightClickCell)
        Application->Guard([&] { OnRightClickCell(this, At.Y, At.X); });
    // A URL cell is edited, not followed, from the right button.
    if (!URLShow() || !URLEdit || At.X < FixedCols() || At.Y < FixedRows() || !IsUrl(Cells(At.X, At.Y)))
        return;
    FocusCell(At.X, At.Y);
    if (Col() == At.X && Row() == At.Y)
        ShowEditor();
}

// ---- cell controls

bool TExtStringGrid::PressNodeButton(TPoint At, QPoint P)
{
    if (!NodeButtonAt(At.X, At.Y, P.x()))
        return false;
    const bool open = GetCellGraphicObject(At.X, At.Y)->CellBoolean;
    const int real = RealRowIndex(At.Y);
    open ? ExpandNode(At.Y) : ContractNode(At.Y);
    const TNodeClickEvent& done = open ? OnExpandNode : OnContractNode;
    if (done)
        Application->Guard([&] { done(this, At.Y, real); });
    return true;
}

bool TExtStringGrid::PressCellButton(TPoint At, QPoint P)
{
    if (!HasCellButton(At.X, At.Y) || !GetCellButtonRect(At.X, At.Y).ToQRect().contains(P))
        return false;
    heldCellButton_ = At;
    SetPressedCellButton(At.X, At.Y);
    return true;
}

void TExtStringGrid::ReleaseCellButton(QPoint P)
{
    const TPoint held = heldCellButton_;
    if (held.X < 0)
        return;
    heldCellButton_ = {-1, -1};
    SetPressedCellButton(-1, -1);
    const bool over = held.X < ColCount() && held.Y < RowCount() && HasCellButton(held.X, held.Y)
                      && GetCellButtonRect(held.X, held.Y).ToQRect().contains(P);
    if (over && OnButtonClick)
        Application->Guard([&] { OnButtonClick(this, held.X, held.Y); });
}

bool TExtStringGrid::CellControlsOperable() const
{
    return (Options() & goEditing) || tempEditPermission_ || MouseActions()->RangeSelectAndEdit;
}

void TExtStringGrid::ClickCellControl(TPoint At, QPoint P)
{
    if (!CellControlsOperable())
        return;
    if (IsCheckCell(At.X, At.Y)) {
        if (ToggleCellCheck(At.X, At.Y, true) && OnCheckBoxClick)
            Application->Guard(
                [&] { OnCheckBoxClick(this, At.X, At.Y, GetCheckBoxState(At.X, At.Y)); });
        return;
    }
    TCellGraphic* radio = GetCellGraphicObject(At.X, At.Y);
    if (!radio || radio->CellType != ctRadio)
        return;
    const int index = RadioItemAt(At.X, At.Y, P);
    if (index < 0)
        return;
    bool canEdit = true;
    if (OnCanEditCell)
        Application->Guard([&] { OnCanEditCell(this, At.Y, At.X, canEdit); });
    if (!canEdit)
        return;
    if (radio->CellIndex >= 0)
        radio->CellIndex = index;
    SetCells(At.X, At.Y, GetRadioOptions(At.X, At.Y).at(index));
    RepaintCell(At.X, At.Y);
    if (OnRadioClick)
        Application->Guard([&] { OnRadioClick(this, At.X, At.Y, index); });
}

int TExtStringGrid::RadioItemAt(int ACol, int ARow, QPoint P)
{
    const QStringList options = GetRadioOptions(ACol, ARow);
    const TCellGraphic* radio = GetCellGraphicObject(ACol, ARow);
    if (options.isEmpty() || !radio)
        return -1;
    const TControlStyle style = ControlLook()->ControlStyle();
    const int radioSize = style == csClassic || style == csFlat ? ControlLook()->RadioSize() : 16;
    const TFont cellFont = CellFont(ACol, ARow, true);
    const QFontMetrics metrics(cellFont.ToQFont(font()));
    const TRect r = CellRect(ACol, ARow);
    if (!radio->CellBoolean) {
        // One option to a line, as the group is drawn.
        const int line = std::max(16, metrics.height());
        const int index = (P.y() - r.Top - 2) / line;
        return P.y() >= r.Top && index < options.size() ? index : -1;
    }
    // Side by side from the left: each option takes its text, the radio
    // and 2 pixels.
    int left = r.Left;
    for (int i = 0; i < options.size(); ++i) {
        const int right = left + metrics.horizontalAdvance(options[i]) + radioSize + 2;
        if (P.x() >= left && P.x() < right)
            return i;
        left = right;
    }
    return -1;
}

// ---- move

TExtStringGrid::TPointerState TExtStringGrid::PointerStateAt(int X, int Y)
{
    if (FillHandleAt(QPoint(X, Y)))
        return psFillHandle;
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0)
        return psNone;
    const TMouseActions& actions = *MouseActions();
    const bool fixedRow = cell.Y < FixedRows();
    const bool fixedCol = cell.X < FixedCols();
    if (fixedRow && fixedCol)
        return actions.AllSelect ? psAllSelect : psNone;
    if (!fixedRow && !fixedCol)
        return psNone;
    if (!(fixedRow ? actions.ColSelect : actions.RowSelect))
        return psNone;
    // Away from a line that sizes.
    TGridState sizing = gsNormal;
    int index = -1;
    TBaseGrid::CalcSizingState(X, Y, sizing, index);
    if (sizing != gsNormal)
        return psNone;
    return fixedRow ? psColSelect : psRowSelect;
}

bool TExtStringGrid::FillHandleAt(QPoint P) const
{
    if (!Navigation()->AllowSmartClipboard || !SelectionResizer() || !SelectionRectangle() || SelectionHidden())
        return false;
    const TGridRect sel = Selection();
    if (sel.Right >= ColCount() || sel.Bottom >= RowCount())
        return false;
    const TRect r = CellRect(sel.Right, sel.Bottom);
    if (r.Right <= r.Left)
        return false;
    // The square drawn at the selection frame's bottom-right corner.
    return QRect(r.Right - 3, r.Bottom - 3, 4, 4).contains(P);
}

void TExtStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    AnchorMouseMove(Shift, X, Y);
    const QPoint at(X, Y);
    const TGridCoord cell = MouseCoord(X, Y);
    const bool held = (Shift & ssLeft) && leftHeld_;
    // Selecting a range with the button held is no edit.
    if (held && MouseActions()->RangeSelectAndEdit && GridState() == gsSelecting
        && TPoint{cell.X, cell.Y} != pressCell_ && (Options() & goEditing))
        SetOptions(Options() & ~goEditing);
    if (held && dragArmed_ && DragDistanceReached(pressPoint_, at) && GridState() != gsColSizing) {
        dragArmed_ = false;
        bool started = false;
        Application->Guard([&] { started = StartOleDrag(pressPoint_); });
        if (started) {
            leftHeld_ = false;
            CancelGridState();
        } else if (dragHeldSelection_) {
            // Refused: the press selects from its cell after all.
            dragHeldSelection_ = false;
            FocusCell(pressCell_.X, pressCell_.Y);
            StartSelecting();
        }
    }
    if (held && pressState_ != psNone)
        ExtendPointerSelection(at);
    if (!held)
        pointerState_ = PointerStateAt(X, Y);
    TBaseGrid::MouseMove(Shift, X, Y);
}

void TExtStringGrid::mouseMoveEvent(QMouseEvent* Event)
{
    const TGridRect before = Selection();
    TBaseGrid::mouseMoveEvent(Event);
    const QPoint at = Event->position().toPoint();
    const TGridState state = GridState();
    if ((RowCount() == 1 || ColCount() <= FixedCols()) && (Sizing(state) || Moving(state)))
        CancelGridState();
    if (Moving(GridState()) && EnhRowColMove)
        ShowMoveMarks(at);
    if (Sizing(GridState()) && (HintShowSizing || DesignMode()))
        ShowSizingHint(at);
    // The selection's frame follows a range selection.
    if (SelectionRectangle())
        RepaintSelectionSpan(before);
    ApplyPointerCursor();
}

void TExtStringGrid::ApplyPointerCursor()
{
    const TGridState state = GridState();
    if (Sizing(state))
        return;
    if (Moving(state)) {
        if (EnhRowColMove)
            viewport()->setCursor(Qt::DragMoveCursor);
        return;
    }
    const TPointerState shown = leftHeld_ && pressState_ != psNone ? pressState_ : pointerState_;
    int resource = 0;
    switch (shown) {
    case psColSelect: resource = 8011; break;
    case psRowSelect: resource = 8010; break;
    case psAllSelect:
    case psFillHandle: resource = 8012; break;
    case psNone: break;
    }
    if (resource) {
        viewport()->setCursor(GridCursor(resource));
        pointerCursorShown_ = true;
    } else if (pointerCursorShown_) {
        // Only the cursor a pointer state put there goes.
        viewport()->unsetCursor();
        pointerCursorShown_ = false;
    }
}

void TExtStringGrid::ExtendPointerSelection(QPoint P)
{
    const int firstCol = FixedCols();
    const int lastCol = std::max(firstCol, LastDataCol());
    const int firstRow = FixedRows();
    const int lastRow = std::max(firstRow, LastDataRow());
    if (firstCol >= ColCount() || firstRow >= RowCount())
        return;
    const TGridCoord cell = MouseCoord(P.x(), P.y());
    const int col = std::clamp(cell.X < 0 ? pressCell_.X : cell.X, firstCol, lastCol);
    const int row = std::clamp(cell.Y < 0 ? pressCell_.Y : cell.Y, firstRow, lastRow);
    const int pressCol = std::clamp(pressCell_.X, firstCol, lastCol);
    const int pressRow = std::clamp(pressCell_.Y, firstRow, lastRow);
    TGridRect sel;
    switch (pressState_) {
    case psColSelect: sel = {std::min(pressCol, col), firstRow, std::max(pressCol, col), lastRow}; break;
    case psRowSelect: sel = {firstCol, std::min(pressRow, row), lastCol, std::max(pressRow, row)}; break;
    case psAllSelect: sel = {firstCol, firstRow, lastCol, lastRow}; break;
    case psFillHandle:
        sel = {fillOrigin_.Left, fillOrigin_.Top, std::max(fillOrigin_.Right, col), std::max(fillOrigin_.Bottom, row)};
        break;
    case psNone: return;
    }
    if (!(sel == Selection()))
        SetSelection(sel);
}

void TExtStringGrid::ShowMoveMarks(QPoint P)
{
    const bool columns = GridState() == gsColMoving;
    const int origin = MovingFrom();
    // Past the fixed cells or the grid's edge the grid scrolls one step.
    if (columns) {
        if (P.x() < FixedColsWidth() && LeftCol() > FixedCols())
            SetLeftCol(LeftCol() - 1);
        else if (P.x() >= viewport()->width() && LeftCol() < MaxLeftCol())
            SetLeftCol(LeftCol() + 1);
    } else {
        if (P.y() < FixedRowsHeight() && TopRow() > FixedRows())
            SetTopRow(TopRow() - 1);
        else if (P.y() >= viewport()->height() && TopRow() < MaxTopRow())
            SetTopRow(TopRow() + 1);
    }
    const int target = GridStateIndex();
    if (!headerButton_)
        headerButton_ = new TPopupButton(this);
    for (TArrowWindow* arrow : arrows_)
        if (arrow)
            arrow->hide();
    auto show = [this](int Direction, QPoint ClientPoint) {
        if (TArrowWindow* arrow = arrows_[Direction]) {
            arrow->move(viewport()->mapToGlobal(ClientPoint));
            arrow->show();
            arrow->raise();
        }
    };
    if (columns) {
        headerButton_->resize(ColWidths(origin), RowHeights(0));
        headerButton_->SetCaption(Cells(RealColIndex(origin), 0));
        const TRect r = CellRect(target, 0);
        if (r.Right > r.Left) {
            show(0, QPoint(r.Left - 5, r.Top - 8));
            show(1, QPoint(r.Left - 5, r.Bottom));
        }
    } else {
        headerButton_->resize(ColWidths(0), RowHeights(origin));
        headerButton_->SetCaption(Cells(0, origin));
        const TRect r = CellRect(0, target);
        if (r.Bottom > r.Top) {
            const int end = std::min(viewport()->width(), FixedColsWidth() + [this] {
                int w = 0;
                for (int c = LeftCol(); c < ColCount(); ++c)
                    w += ColWidths(c);
                return w;
            }());
            show(2, QPoint(r.Left - 10, r.Top - 5));
            show(3, QPoint(end, r.Top - 5));
        }
    }
    headerButton_->move(viewport()->mapToGlobal(P - moveOffset_));
    headerButton_->show();
    headerButton_->raise();
}

void TExtStringGrid::HideMoveMarks()
{
    for (TArrowWindow* arrow : arrows_)
        if (arrow)
            arrow->hide();
    if (headerButton_ && !columnDragging_)
        headerButton_->hide();
}

void TExtStringGrid::ShowSizingHint(QPoint P)
{
    const int index = GridStateIndex();
    if (index < 0)
        return;
    const bool column = GridState() == gsColSizing;
    const QString text = column ? QStringLiteral("cw=<b>%1</b>").arg(ColWidths(index))
                                : QStringLiteral("rh=<b>%1</b>").arg(RowHeights(index));
    const TGridCoord cell = MouseCoord(P.x(), P.y());
    const TRect r = cell.X >= 0 ? CellRect(cell.X, cell.Y) : TRect{P.x(), P.y(), P.x(), P.y()};
    const QPoint corner = viewport()->mapToGlobal(QPoint(r.Left, r.Bottom + 6));
    HintWindow()->Color = HintColor;
    HintWindow()->ActivateHint({corner.x(), corner.y(), corner.x() + 100, corner.y() + 20}, text);
    sizingHintShown_ = true;
}

// ---- veto

void TExtStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index);
    // The fixed column sizes along all its right edge.
    if (State == gsNormal && MouseActions()->SizeFixedCol && FixedCols() > 0) {
        const TRect r = CellRect(0, 0);
        if (r.Right > r.Left && std::abs(X - r.Right) <= 3 && Y >= 0) {
            State = gsColSizing;
            Index = 0;
        }
    }
    if (State == gsColSizing && OnColumnSize) {
        const TGridCoord probe = MouseCoord(X - kVetoProbe, Y);
        bool allow = true;
        if (probe.Y == 0 && probe.X >= 0)
            Application->Guard([&] { OnColumnSize(this, probe.X, allow); });
        if (!allow) {
            State = gsNormal;
            Index = -1;
        }
    } else if (State == gsRowSizing && OnRowSize) {
        const TGridCoord probe = MouseCoord(X, Y - kVetoProbe);
        bool allow = true;
        if (probe.X == 0 && probe.Y >= 0)
            Application->Guard([&] { OnRowSize(this, probe.Y, allow); });
        if (!allow) {
            State = gsNormal;
            Index = -1;
        }
    }
}

bool TExtStringGrid::BeginColumnDrag(int Origin, QPoint MousePt)
{
    if (RowCount() == 1 || ColCount() <= FixedCols())
        return false;
    if (!EnhRowColMove)
        return true;
    bool allow = true;
    if (OnColumnMove)
        Application->Guard([&] { OnColumnMove(this, Origin, allow); });
    const TRect r = CellRect(Origin, 0);
    moveOffset_ = MousePt - QPoint(r.Left, r.Top);
    return allow;
}

bool TExtStringGrid::BeginRowDrag(int Origin, QPoint MousePt)
{
    if (RowCount() == 1 || ColCount() <= FixedCols())
        return false;
    if (!EnhRowColMove)
        return true;
    bool allow = true;
    if (OnRowMove)
        Application->Guard([&] { OnRowMove(this, Origin, allow); });
    const TRect r = CellRect(0, Origin);
    moveOffset_ = MousePt - QPoint(r.Left, r.Top);
    return allow;
}

// ---- release

void TExtStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    editClickPending_ = false;
}

void TExtStringGrid::mouseReleaseEvent(QMouseEvent* Event)
{
    const TGridState ended = GridState();
    // A right button let go during an enhanced move leaves the move alone.
    if (Event->button() == Qt::RightButton && EnhRowColMove && Moving(ended))
        return;
    const bool moved = Moving(ended) && MovingFrom() != GridStateIndex();
    const bool wasHeld = leftHeld_;
    TBaseGrid::mouseReleaseEvent(Event);
    if (Event->button() != Qt::LeftButton)
        return;
    leftHeld_ = false;
    HideMoveMarks();
    if (sizingHintShown_) {
        HintWindow()->hide();
        sizingHintShown_ = false;
    }
    const QPoint at = Event->position().toPoint();
    const TGridCoord cell = MouseCoord(at.x(), at.y());
    const TPointerState pressState = pressState_;
    pressState_ = psNone;
    if (!wasHeld)
        return;
    if (pressState == psFillHandle) {
        FillFromHandle();
        return;
    }
    if (dragHeldSelection_) {
        // No drag came of the press: it was a click on its cell.
        dragHeldSelection_ = false;
        if (pressCell_.X >= 0 && pressCell_.X < ColCount() && pressCell_.Y < RowCount())
            FocusCell(pressCell_.X, pressCell_.Y);
    }
    dragArmed_ = false;
    ReleaseCellButton(at);
    // A sizing only ends.
    if (Sizing(ended))
        return;
    if (!moved && cell.X >= 0 && TPoint{cell.X, cell.Y} == pressCell_ && OnClickCell)
        Application->Guard([&] { OnClickCell(this, cell.Y, cell.X); });
    if (!moved && SortsOnRelease(at, {cell.X, cell.Y}))
        Application->Guard([&] { HeaderClickSort(cell.X, Event->modifiers() & Qt::ShiftModifier); });
    if (MouseActions()->DisjunctCellSelect)
        ReleaseDisjunctCell({cell.X, cell.Y}, Event->modifiers() & Qt::ControlModifier);
}

bool TExtStringGrid::SortsOnRelease(QPoint P, TPoint At)
{
    const int sortRow = SortSettings()->Row();
    if (At.X < 0 || At.Y != sortRow || pressCell_.Y != sortRow || At.Y >= FixedRows())
        return false;
    const TRect r = CellRect(At.X, At.Y);
    // An edge of a header that sizes columns, and a filter button, are
    // not the header's click.
    if ((Options() & goColSizing) && At.Y == 0
        && (P.x() - r.Left < kAutoSizeMargin || r.Right - P.x() < kAutoSizeMargin))
        return false;
    if (At.Y == 0 && HasFilterButton(RealColIndex(At.X)) && r.Right - P.x() <= kFilterButtonWidth)
        return false;
    return true;
}

void TExtStringGrid::ReleaseDisjunctCell(TPoint At, bool Ctrl)
{
    if (At.X < FixedCols() || At.Y < FixedRows() || IsFixed(At.X, At.Y))
        return;
    if (Ctrl) {
        SetCellSelected(At.X, At.Y, !CellSelected(At.X, At.Y));
        RepaintCell(At.X, At.Y);
    } else {
        ClearCellSelect();
    }
}

void TExtStringGrid::FillFromHandle()
{
    const TGridRect sel = Selection();
    const TGridRect& from = fillOrigin_;
    if (sel == from)
        return;
    // The first selection is the pasted block: one cell fills, more
    // continue their series (a column counts the value after the last line
    // break, as a pasted text does).
    const int cells = (from.Right - from.Left + 1) * (from.Bottom - from.Top + 1);
    const bool column = sel.Left == sel.Right;
    const int visited = cells == 1 ? 1 : column ? from.Bottom - from.Top + 2 : from.Right - from.Left + 1;
    const TGridOptions options = Options();
    SetOptions(options | goEditing);
    Application->Guard([&] { SmartFill(sel, visited); });
    if (!(options & goEditing))
        SetOptions(Options() & ~goEditing);
}

// ---- double click

bool TExtStringGrid::HeaderEdgeColumn(QPoint P, int& ACol)
{
    const TGridCoord cell = MouseCoord(P.x(), P.y());
    if (cell.X < 0 || cell.Y != 0 || !(Options() & goColSizing))
        return false;
    const TRect r = CellRect(cell.X, 0);
    if (P.x() - r.Left < kAutoSizeMargin && cell.X - 1 >= FixedCols()) {
        ACol = cell.X - 1;
        return true;
    }
    if (r.Right - P.x() < kAutoSizeMargin) {
        ACol = cell.X;
        return true;
    }
    return false;
}

void TExtStringGrid::mouseDoubleClickEvent(QMouseEvent* Event)
{
    const QPoint at = Event->position().toPoint();
    int col = -1;
    if (Event->button() == Qt::LeftButton && HeaderEdgeColumn(at, col)) {
        CancelGridState();
        bool allow = true;
        if (OnColumnSize)
            Application->Guard([&] { OnColumnSize(this, col, allow); });
        if (!allow)
            return;
        Application->Guard([&] { AutoSizeCol(col); });
        if (OnEndColumnSize)
            Application->Guard([&] { OnEndColumnSize(this, col); });
        return;
    }
    TBaseGrid::mouseDoubleClickEvent(Event);
    const TGridCoord cell = MouseCoord(at.x(), at.y());
    if (cell.X < 0 || cell.Y < 0)
        return;
    RaiseDblClickCell(cell.Y, cell.X);
    if (!MouseActions()->RangeSelectAndEdit || cell.X < FixedCols() || cell.Y < FixedRows()
        || HasCellControl(cell.X, cell.Y) || !CanEditCell(cell.X, cell.Y))
        return;
    SetOptions(Options() | goEditing);
    editClickPending_ = true;
    editClickAt_ = at;
    if (Col() != cell.X || Row() != cell.Y)
        FocusCell(cell.X, cell.Y);
    ShowEditor();
}

// ---- click

void TExtStringGrid::Click()
{
    RememberEditCell(Col(), Row());
    TBaseGrid::Click();
}

// ---- auto-size of rows

int TExtStringGrid::RowContentHeight(int ARow)
{
    int highest = 0;
    for (int c = 0; c < ColCount(); ++c)
        highest = std::max(highest, CellContentExtent(c, ARow, Qt::Vertical));
    return highest;
}

void TExtStringGrid::AutoSizeRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    const int height = RowContentHeight(ARow) + 2 * GridLineWidth() + XYOffsetY;
    if (height != RowHeights(ARow))
        SetRowHeights(ARow, std::max(height, 0));
}

void TExtStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    for (int r = DoFixedRows ? 0 : FixedRows(); r < RowCount(); ++r)
        SetRowHeights(r, std::max(RowContentHeight(r) + 2 * GridLineWidth() + XYOffsetY + Padding, 0));
}
