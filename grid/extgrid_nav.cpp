// Moving through the grid control: scrolling a cell into view, advancing
// with Enter, typing to find a row of a sorted column, the user sizing all
// columns or rows at once, and the scroll bars' hints.
#include "grid/extgrid.h"

#include "grid/htmlhint.h"
#include "grid/sortsettings.h"
#include "platform/flatscrollbar.h"

#include <QCursor>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

// ---- scrolling a cell into view

void TExtStringGrid::ScrollInView(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return;
    const int visibleCols = VisibleColCount();
    const int visibleRows = VisibleRowCount();
    if (ACol < LeftCol() || ACol >= LeftCol() + visibleCols) {
        SetCol(ACol);
        const int left = std::max(ACol - visibleCols / 2, FixedCols());
        SetLeftCol(std::min(left, ColCount() - visibleCols + 1));
    }
    if (ARow < TopRow() || ARow >= TopRow() + visibleRows) {
        SetRow(ARow);
        const int top = std::max(ARow - visibleRows / 2, FixedRows());
        SetTopRow(std::min(top, RowCount() - visibleRows + 1));
    }
}

// ---- advancing with Enter

bool TExtStringGrid::MayEnterCell(int ACol, int ARow)
{
    const bool editing = (Options() & goEditing) || MouseActions()->RangeSelectAndEdit;
    return editing && !IsFixedCell(ACol, ARow) && CanEditCell(ACol, ARow);
}

TPoint TExtStringGrid::NextAdvanceCell(TPoint From, bool Forward, bool& MayInsert)
{
    const int firstCol = FixedCols();
    const int firstRow = FixedRows();
    const int lastCol = LastDataCol();
    const int lastRow = LastDataRow();
    const TPoint span = CellSpan(From.X, From.Y);
    const bool leftRight = Navigation()->AdvanceDirection == adLeftRight;
    if (Forward && leftRight) {
        if (From.X + span.X + 1 <= lastCol)
            return {From.X + span.X + 1, From.Y};
        if (From.Y < lastRow)
            return {firstCol, From.Y + 1};
        if (Navigation()->AdvanceInsert && MayInsert) {
            MayInsert = false;
            bool canAdd = true;
            if (OnCanAddRow)
                OnCanAddRow(this, canAdd);
            if (canAdd) {
                const int added = lastRow + 1;
                TBaseGrid::InsertRows(added, 1);
                if (OnAutoAddRow)
                    OnAutoAddRow(this, added);
                return {firstCol, added};
            }
        }
        return {firstCol, firstRow};
    }
    if (Forward) {
        if (From.Y + span.Y + 1 <= lastRow)
            return {From.X, From.Y + span.Y + 1};
        if (From.X < lastCol)
            return {From.X + 1, firstRow};
        TPoint next{firstCol, firstRow};
        if (Navigation()->AdvanceInsert && MayInsert) {
            MayInsert = false;
            const int added = lastCol + 1;
            TBaseGrid::InsertCols(added, 1);
            if (OnAutoInsertCol)
                OnAutoInsertCol(this, added);
            next = {added, firstRow};
        }
        Invalidate();
        return next;
    }
    if (leftRight) {
        if (From.X - 1 >= firstCol)
            return {From.X - 1, From.Y};
        return {lastCol, From.Y - 1 >= firstRow ? From.Y - 1 : lastRow};
    }
    if (From.Y - 1 >= firstRow)
        return {From.X, From.Y - 1};
    return {From.X - 1 >= firstCol ? From.X - 1 : lastCol, lastRow};
}

void TExtStringGrid::AdvanceCell(int ACol, int ARow, bool Forward, bool ShowEditor, bool Forced)
{
    if (!Navigation()->AdvanceOnEnter && !Forced)
        return;
    if (MouseActions()->RangeSelectAndEdit && !(Options() & goEditing))
        SetOptions(Options() | goEditing);
    const TPoint old{Col(), Row()};
    TPoint cell = BaseCell(ACol, ARow);
    // Cells that may not be entered are passed over; after one pass over
    // every normal cell without one that may, the current cell stays. One
    // advance adds at most one row or column.
    const int cols = std::max(ColCount() - FixedRightCols() - FixedCols(), 1);
    const int rows = std::max(RowCount() - FixedFooters() - FixedRows(), 1);
    const long long pass = static_cast<long long>(cols) * rows;
    bool mayInsert = true;
    for (long long step = 0; step < pass; ++step) {
        cell = NextAdvanceCell(cell, Forward, mayInsert);
        cell = BaseCell(std::clamp(cell.X, 0, ColCount() - 1), std::clamp(cell.Y, 0, RowCount() - 1));
        if (!MayEnterCell(cell.X, cell.Y))
            continue;
        bool allow = true;
        if (OnCellChanging)
            OnCellChanging(this, old.Y, old.X, cell.Y, cell.X, allow);
        if (!allow) {
            FocusCell(old.X, old.Y);
            return;
        }
        // OnCellChanging was asked above: SelectCell must not ask it again.
        advancing_ = true;
        FocusCell(cell.X, cell.Y);
        advancing_ = false;
        if (Col() != cell.X || Row() != cell.Y)
            return;
        if (IsCellControl(cell.X, cell.Y)) {
            OperateControlAtCorner(cell.X, cell.Y);
            if (OnCellChanging)
                OnCellChanging(this, old.Y, old.X, cell.Y, cell.X, allow);
        } else if (ShowEditor) {
            TBaseGrid::ShowEditor();
        }
        return;
    }
}

void TExtStringGrid::OperateControlAtCorner(int ACol, int ARow)
{
    // As a click 2 pixels inside the cell's top-left corner: it meets the
    // control only when the control sits in that corner.
    const TPoint base = BaseCell(ACol, ARow);
    const TCellGraphic* graphic = GetCellGraphicObject(base.X, base.Y);
    if (!graphic || graphic->CellHAlign != haLeft || graphic->CellVAlign != vaTop)
        return;
    if (graphic->CellType == ctRadio) {
        const QStringList options = GetRadioOptions(base.X, base.Y);
        if (!options.isEmpty()) {
            if (TCellGraphic* radio = GetCellGraphicObject(base.X, base.Y); radio->CellIndex >= 0)
                radio->CellIndex = 0;
            SetCells(base.X, base.Y, options.first());
        }
    } else {
        ToggleCellCheck(base.X, base.Y, false);
    }
}

// ---- typing to find a row of the sorted column

void TExtStringGrid::GotoSortedText(char Key)
{
    if (Key == '\b') {
        if (Navigation()->AutoGotoIncremental)
            sortedFindText_.chop(1);
    } else if (static_cast<unsigned char>(Key) >= 0x20) {
        const QString typed = QString::fromLatin1(&Key, 1);
        sortedFindText_ = Navigation()->AutoGotoIncremental ? sortedFindText_ + typed : typed;
    } else {
        return;
    }
    const int col = SortSettings() ? SortSettings()->Column() : -1;
    if (col < 0 || col >= ColCount() || sortedFindText_.isEmpty())
        return;
    const QString wanted = sortedFindText_.toUpper();
    for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r)
        if (Cells(col, r).toUpper().startsWith(wanted)) {
            SetRow(r);
            return;
        }
}

// ---- the user sizing columns and rows

void TExtStringGrid::ColumnSized(int ACol, int OldWidth)
{
    if (ColumnSize()->Stretch())
        StretchColumn(ColumnSize()->StretchColumn);
    // Every other normal column follows the sized one in proportion.
    if (MouseActions()->AllColumnSize && OldWidth > 0) {
        const double ratio = static_cast<double>(ColWidths(ACol)) / OldWidth;
        for (int c = FixedCols(); c < ColCount() - FixedRightCols(); ++c)
            if (c != ACol)
                SetColWidths(c, static_cast<int>(std::lround(ColWidths(c) * ratio)));
    }
    if (OnEndColumnSize)
        OnEndColumnSize(this, ACol);
    int width = ColWidths(ACol);
    UpdateColSize(ACol, width);
    if (width != ColWidths(ACol))
        SetColWidths(ACol, width);
    if (IsCheckCell(Col(), Row()))
        HideEditor();
    RepaintFooter();
}

void TExtStringGrid::RowSized(int ARow, int OldHeight)
{
    if (MouseActions()->AllRowSize && OldHeight > 0) {
        const double ratio = static_cast<double>(RowHeights(ARow)) / OldHeight;
        for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r)
            if (r != ARow)
                SetRowHeights(r, static_cast<int>(std::lround(RowHeights(r) * ratio)));
    }
    if (OnEndRowSize)
        OnEndRowSize(this, ARow);
    if (IsCheckCell(Col(), Row()))
        HideEditor();
    RepaintFooter();
}

// ---- scroll hints

bool TExtStringGrid::HookScrollHints()
{
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
        const Qt::Orientation orientation = bar->orientation();
        connect(bar, &QScrollBar::sliderMoved, this, [this, orientation](int p) { ScrollBarMoved(orientation, p); });
        connect(bar, &QScrollBar::sliderReleased, this, [this] { HideScrollHint(); });
        connect(bar, &QScrollBar::actionTriggered, this, [this, bar](int action) { StepThumb(bar, action); });
    }
    return true;
}

void TExtStringGrid::ScrollBarMoved(Qt::Orientation Bar, int Position)
{
    // Without thumb tracking the bar's value changes only when the thumb is
    // let go; ScrollSynch moves the view with the thumb while it is dragged.
    if (ScrollSynch)
        ScrollToThumb(Bar, Position);
    const bool vertical = Bar == Qt::Vertical;
    const bool wanted = ScrollHints == shBoth || ScrollHints == (vertical ? shVertical : shHorizontal);
    if (!wanted)
        return;
    const int index = Position + (vertical ? FixedRows() : FixedCols());
    QString text = (vertical ? QStringLiteral("Row : ") : QStringLiteral("Col : ")) + QString::number(index);
    if (OnScrollHint)
        OnScrollHint(this, index, text);
    THTMLHintWindow* hint = HintWindow();
    if (!hint)
        return;
    hint->Color = HintColor;
    const TRect size = hint->CalcHintRect(100, text);
    const QPoint mouse = QCursor::pos();
    hint->ActivateHint({mouse.x() + 10, mouse.y(), mouse.x() + 10 + size.Width(), mouse.y() + size.Height()},
                              text);
}

void TExtStringGrid::HideScrollHint()
{
    if (THTMLHintWindow* hint = HintWindow())
        hint->hide();
}

// ---- proportional thumbs

namespace {

// The scale of the bars' thumbs.
constexpr int kThumbScale = 127;

int RoundedMulDiv(int Value, int Numerator, int Denominator)
{
    return Denominator <= 0 ? 0 : static_cast<int>(std::lround(double(Value) * Numerator / Denominator));
}

} // namespace

int TExtStringGrid::ThumbPage(Qt::Orientation Bar) const
{
    int page = 0;
    if (Bar == Qt::Vertical) {
        page = RoundedMulDiv(VisibleRowCount(), kThumbScale + 1, RowCount());
    } else {
        int total = 0;
        for (int c = 0; c < ColCount(); ++c)
            total += ColWidths(c);
        page = total > 0 ? viewport()->width() * (kThumbScale + 1) / total : 0;
    }
    return std::max(page, 1);
}

int TExtStringGrid::ThumbReach(Qt::Orientation Bar) const
{
    if (Bar == Qt::Vertical)
        return kThumbScale + 1 - ThumbPage(Bar);
    const int visible = ColCount() > 0 ? VisibleColCount() * (kThumbScale + 1) / ColCount() : 0;
    return kThumbScale + 1 - visible;
}

int TExtStringGrid::ThumbOf(Qt::Orientation Bar, int First) const
{
    const bool vertical = Bar == Qt::Vertical;
    const int fixed = vertical ? FixedRows() : FixedCols();
    const int last = (vertical ? MaxTopRow() : MaxLeftCol()) - fixed;
    int position = RoundedMulDiv(First - fixed, kThumbScale, last);
    if (position < 0 || position > kThumbScale)
        position = 0;
    return RoundedMulDiv(position, std::max(ThumbReach(Bar), 0), kThumbScale);
}

int TExtStringGrid::FirstOfThumb(Qt::Orientation Bar, int Position) const
{
    const bool vertical = Bar == Qt::Vertical;
    const int fixed = vertical ? FixedRows() : FixedCols();
    const int last = (vertical ? MaxTopRow() : MaxLeftCol()) - fixed;
    // The horizontal page (from widths) and the reach (from column counts)
    // differ, so a thumb at the end of its bar is taken as the end itself:
    // otherwise the last columns could not be dragged into view.
    const int end = kThumbScale + 1 - ThumbPage(Bar);
    const int scaled = Position >= end ? kThumbScale
                                       : std::clamp(RoundedMulDiv(Position, kThumbScale, ThumbReach(Bar)), 0, kThumbScale);
    return fixed + RoundedMulDiv(scaled, std::max(last, 0), kThumbScale);
}

void TExtStringGrid::ScrollToThumb(Qt::Orientation Bar, int Position)
{
    const bool vertical = Bar == Qt::Vertical;
    const int first = scrollProportional_ ? FirstOfThumb(Bar, Position)
                                          : Position + (vertical ? FixedRows() : FixedCols());
    if (vertical)
        SetTopRow(first);
    else
        SetLeftCol(first);
}

void TExtStringGrid::UpdateScrollBars()
{
    if (!scrollProportional_) {
        TBaseGrid::UpdateScrollBars();
        return;
    }
    ++thumbsUpdating_;
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
        const Qt::Orientation orientation = bar->orientation();
        TScrollInfo info;
        info.fMask = SIF_ALL;
        info.nMax = kThumbScale;
        info.nPage = static_cast<unsigned>(ThumbPage(orientation));
        info.nPos = ThumbOf(orientation, orientation == Qt::Vertical ? TopRow() : LeftCol());
        // A thumb held by the mouse stays under it.
        if (bar->isSliderDown())
            info.fMask &= ~SIF_POS;
        FlatSB_SetScrollInfo(this, orientation == Qt::Vertical ? SB_VERT : SB_HORZ, info, true);
    }
    --thumbsUpdating_;
}

void TExtStringGrid::scrollContentsBy(int dx, int dy)
{
    if (!scrollProportional_) {
        TBaseGrid::scrollContentsBy(dx, dy);
        return;
    }
    if (thumbsUpdating_)
        return;
    // Both values are read before either moves the view, which sets the
    // thumbs again.
    const int h = horizontalScrollBar()->value();
    const int v = verticalScrollBar()->value();
    if (dx)
        ScrollToThumb(Qt::Horizontal, h);
    if (dy)
        ScrollToThumb(Qt::Vertical, v);
}

void TExtStringGrid::StepThumb(QScrollBar* Bar, int Action)
{
    if (!scrollProportional_)
        return;
    const bool vertical = Bar->orientation() == Qt::Vertical;
    const int page = std::max(vertical ? VisibleRowCount() : VisibleColCount(), 1);
    int step = 0;
    switch (Action) {
    case QAbstractSlider::SliderSingleStepAdd: step = 1; break;
    case QAbstractSlider::SliderSingleStepSub: step = -1; break;
    case QAbstractSlider::SliderPageStepAdd: step = page; break;
    case QAbstractSlider::SliderPageStepSub: step = -page; break;
    default: return;
    }
    if (vertical)
        SetTopRow(std::clamp(TopRow() + step, FixedRows(), std::max(MaxTopRow(), FixedRows())));
    else
        SetLeftCol(std::clamp(LeftCol() + step, FixedCols(), std::max(MaxLeftCol(), FixedCols())));
    // The thumb goes where the view is, so the bar's own step (on the
    // thumb's scale) changes nothing when it is applied.
    UpdateScrollBars();
}
