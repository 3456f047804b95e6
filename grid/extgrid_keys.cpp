// The grid control's keyboard and focus: what the keys do around the string
// grid's own navigation, typed characters, key releases, entering the grid
// and gaining the focus, and plain characters kept from the window's
// shortcuts.
#include "grid/extgrid.h"

#include "grid/floatingfooter.h"
#include "platform/application.h"
#include "platform/localesettings.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>
#include <utility>

namespace {

bool IsArrow(int Key)
{
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

// The keys that move the cursor by rows or pages.
bool IsNavigationKey(int Key)
{
    return IsArrow(Key) || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END;
}

bool IsTyping(char c)
{
    return c == '\b' || static_cast<unsigned char>(c) >= 32;
}

constexpr TShiftState kModifiers = ssShift | ssCtrl | ssAlt;

} // namespace

// ---- key down

void TExtStringGrid::KeyDown(int& Key, TShiftState Shift)
{
    // The window's handler sees the key first and may drop it.
    TControl::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    const TKeyStart start{Key, Col(), LeftCol(), Selection()};
    if (!KeyReplacesGrid(Key, Shift)) {
        // The string grid's navigation, without raising OnKeyDown again.
        struct Restore {
            TKeyEvent& slot;
            TKeyEvent saved;
            ~Restore() { slot = std::move(saved); }
        } restore{OnKeyDown, std::exchange(OnKeyDown, nullptr)};
        TBaseGrid::KeyDown(Key, Shift);
    }
    KeyAfterGrid(Key, Shift, start);
}

bool TExtStringGrid::KeyReplacesGrid(int& Key, TShiftState Shift)
{
    if (Key == VK_SPACE && !(Shift & kModifiers) && SpaceOnCellControl(Key))
        return true;
    const bool byRow = Navigation()->HomeEndKey == heFirstLastRow;
    if ((Key == VK_HOME || Key == VK_END) && byRow && !(Shift & ssCtrl)) {
        GoToFirstOrLastRow(Key == VK_END, Shift);
        Key = 0;
        return true;
    }
    if (Key == VK_TAB && (Options() & goTabs) && !(Shift & (ssAlt | ssCtrl))) {
        // Over a merged cell the string grid would stop inside the block;
        // with fixed right columns it would stop at them.
        const bool back = Shift & ssShift;
        const bool merged = IsMergedCell(Col(), Row());
        const bool atRightEdge = FixedRightCols() > 0
                                 && (back ? Col() <= FixedCols() : Col() >= LastDataCol());
        if (merged || atRightEdge) {
            TabToCell(back, Shift);
            Key = 0;
            return true;
        }
    }
    return false;
}

void TExtStringGrid::KeyAfterGrid(int& Key, TShiftState Shift, const TKeyStart& Start)
{
    const bool vertical = Start.Key == VK_PRIOR || Start.Key == VK_NEXT || Start.Key == VK_UP || Start.Key == VK_DOWN;
    if (vertical && (Options() & goRowSelect) && Navigation()->KeepHorizScroll && LeftCol() != Start.LeftCol)
        SetLeftCol(Start.LeftCol);
    if (!(Selection() == Start.Selection))
        SelectionChanged(Start.Selection);
    if (Key != 0 && Navigation()->AllowClipboardShortCuts && ClipboardShortCut(Key, Shift))
        Key = 0;
    if (Key == VK_INSERT && !(Shift & kModifiers) && Navigation()->AllowInsertRow) {
        InsertRowAtKey();
        Key = 0;
    }
    if (MouseActions()->DisjunctRowSelect)
        DisjunctRowKey(Key, Start.Key, Shift);
    if (Key == VK_DELETE && !(Shift & ssAlt) && Navigation()->AllowDeleteRow
        && RowCount() > FixedRows() + FixedFooters()) {
        DeleteRowAtKey();
        Key = 0;
    }
    const bool ctrlOnly = (Shift & kModifiers) == ssCtrl;
    if (Key == 'A' && ctrlOnly && (Options() & goRowSelect) && (Options() & goRangeSelect)) {
        SelectAllDataCells();
        Key = 0;
    }
}

bool TExtStringGrid::SpaceOnCellControl(int& Key)
{
    const TPoint base = BaseCell(Col(), Row());
    const bool check = IsCheckCell(base.X, base.Y);
    if (!check && !IsRadioCell(base.X, base.Y))
        return false;
    if (!CellControlsOperable() || !CanEditCell(base.X, base.Y))
        return false;
    if (check) {
        ToggleCellCheck(base.X, base.Y, false);
        const bool state = GetCheckBoxState(base.X, base.Y);
        if (OnCheckBoxClick)
            Application->Guard([&] { OnCheckBoxClick(this, base.X, base.Y, state); });
    } else if (NextRadioOption(base.X, base.Y, false)) {
        const int index = static_cast<int>(GetRadioOptions(base.X, base.Y).indexOf(Cells(base.X, base.Y)));
        if (OnRadioClick)
            Application->Guard([&] { OnRadioClick(this, base.X, base.Y, index); });
    }
    RepaintCell(base.X, base.Y);
    Key = 0;
    return true;
}

void TExtStringGrid::GoToFirstOrLastRow(bool Last, TShiftState Shift)
{
    int row = FixedRows();
    if (Last) {
        // The last row, or the one above the floating footer; a fixed footer
        // row is never current, so the last row that can be.
        row = FloatingFooter()->Visible() && RowCount() > 2 ? RowCount() - 2 : RowCount() - 1;
        row = std::min(row, LastDataRow());
    }
    row = std::clamp(row, FixedRows(), RowCount() - 1);
    const TPoint to = BaseCell(Col(), row);
    FocusCell(to.X, to.Y, !(Shift & ssShift));
}

void TExtStringGrid::TabToCell(bool Back, TShiftState Shift)
{
    (void)Shift;
    const int firstCol = FixedCols();
    const int lastCol = std::max(LastDataCol(), firstCol);
    const int firstRow = FixedRows();
    const int lastRow = std::max(LastDataRow(), firstRow);
    const TPoint base = BaseCell(Col(), Row());
    int col = 0;
    int row = Row();
    if (!Back) {
        col = base.X + std::max(CellSpan(base.X, base.Y).X, 0) + 1;
        if (col > lastCol) {
            col = firstCol;
            row = row + 1 > lastRow ? firstRow : row + 1;
        }
    } else {
        col = base.X - 1;
        if (col < firstCol) {
            col = lastCol;
            row = row - 1 < firstRow ? lastRow : row - 1;
        }
    }
    const TPoint to = BaseCell(col, row);
    FocusCell(to.X, to.Y);
}

bool TExtStringGrid::ClipboardShortCut(int Key, TShiftState Shift)
{
    const bool ctrl = (Shift & kModifiers) == ssCtrl;
    const bool shift = (Shift & kModifiers) == ssShift;
    if ((ctrl && Key == 'X') || (shift && Key == VK_DELETE))
        Application->Guard([&] { CutCommand(); });
    else if ((ctrl && Key == 'C') || (ctrl && Key == VK_INSERT))
        Application->Guard([&] { CopyCommand(); });
    else if ((ctrl && Key == 'V') || (shift && Key == VK_INSERT))
        Application->Guard([&] { PasteCommand(); });
    else
        return false;
    return true;
}

void TExtStringGrid::InsertRowAtKey()
{
    const int row = Row();
    bool canInsert = true;
    if (OnCanInsertRow)
        Application->Guard([&] { OnCanInsertRow(this, row, canInsert); });
    if (!canInsert)
        return;
    const int at = Navigation()->InsertPosition == pInsertAfter ? row + 1 : row;
    Application->Guard([&] { InsertRowByKey(at); });
    // The cursor goes to the new row, for it to be filled in.
    if (at < RowCount())
        FocusCell(Col(), at);
    RecalcFooter(-1);
    RepaintFooter();
}

void TExtStringGrid::DeleteRowAtKey()
{
    const int row = Row();
    bool canDelete = true;
    if (OnCanDeleteRow)
        Application->Guard([&] { OnCanDeleteRow(this, row, canDelete); });
    if (!canDelete)
        return;
    Application->Guard([&] { DeleteRowByKey(row); });
    RecalcFooter(-1);
    RepaintFooter();
}

void TExtStringGrid::DisjunctRowKey(int& Key, int Original, TShiftState Shift)
{
    if (Key == VK_SPACE && !(Shift & (ssCtrl | ssAlt))) {
        SetRowSelect(Row(), !RowSelect(Row()));
        Key = 0;
        return;
    }
    if (!IsNavigationKey(Original))
        return;
    if (!(Shift & (ssShift | ssCtrl)))
        ClearRowSelect();
    if (Shift & ssShift)
        SelectRowsFromSelection(false);
    else
        SetRowSelect(Row(), true);
}

void TExtStringGrid::SelectAllDataCells()
{
    const int right = std::max(LastDataCol(), FixedCols());
    const int bottom = std::max(LastDataRow(), FixedRows());
    SetSelection(TGridRect{FixedCols(), FixedRows(), right, bottom});
}

void TExtStringGrid::SelectionChanged(const TGridRect& Old)
{
    // The selection's frame and handle are drawn around the whole range:
    // both the old and the new range repaint.
    if (SelectionRectangle() || SelectionResizer())
        RepaintSelectionSpan(Old);
}

void TExtStringGrid::RepaintSelectionSpan(const TGridRect& Old)
{
    const TGridRect now = Selection();
    if (now == Old)
        return;
    RepaintRect(TRect{std::min(Old.Left, now.Left), std::min(Old.Top, now.Top),
                      std::min(std::max(Old.Right, now.Right), ColCount() - 1),
                      std::min(std::max(Old.Bottom, now.Bottom), RowCount() - 1)});
}

// ---- typed characters

bool TExtStringGrid::FilterKeyPress(QKeyEvent* event)
{
    char c = CharOf(event);
    // The number pad's decimal key types the user's decimal separator.
    if (ExcelStyleDecimalSeparator && (event->modifiers() & Qt::KeypadModifier) && VirtualKeyOf(event) == VK_DECIMAL
        && (c == '.' || c == ',')) {
        const QChar separator = LocaleSettings().DecimalSeparator;
        if (separator != CharToQChar(c)) {
            QKeyEvent replaced(event->type(), event->key(), event->modifiers(), QString(separator),
                               event->isAutoRepeat());
            return FilterKeyPress(&replaced);
        }
    }
    // A character typed on the grid opens the editor with it; a special
    // editor gets it once it shows.
    if (IsTyping(c) && (Options() & goEditing) && !editorShown_ && hasFocus())
        pendingChar_ = c;
    const bool result = TBaseGrid::FilterKeyPress(event);
    pendingChar_ = 0;
    return result;
}

void TExtStringGrid::KeyPress(char& Key)
{
    const bool control = IsCellControl(Col(), Row());
    if (Key == '\r' && (!hasFocus() || control)) {
        AdvanceCell(Col(), Row(), true, false, false);
        if (control) {
            Key = 0;
            return;
        }
    }
    if (StartRangeEdit(Key))
        return;
    // A cell control is worked with Space and the mouse: other characters
    // are spent on it.
    if (control && Key != '\r') {
        Key = 0;
        return;
    }
    if (Navigation()->AutoGotoWhenSorted && !(Options() & goEditing) && Key != '\r' && Key != 0x1B) {
        GotoSortedText(Key);
        Key = 0;
        return;
    }
    if (Key == 0x1B && (Options() & goEditing) && EditorMode())
        RestoreCellText();
    TBaseGrid::KeyPress(Key);
}

bool TExtStringGrid::StartRangeEdit(char& Key)
{
    if (!MouseActions()->RangeSelectAndEdit || (Options() & goEditing) || !IsTyping(Key) || !hasFocus())
        return false;
    if (IsCellControl(Col(), Row()) || !MayEnterCell(Col(), Row()))
        return false;
    SetOptions(Options() | goEditing);
    // The editor opens as for a click in the cell, and the character is
    // typed into it, as it would have been with editing on.
    pendingChar_ = Key;
    ShowEditor();
    pendingChar_ = 0;
    TInplaceEdit* editor = InplaceEditor();
    if (editor && editor->isVisible()) {
        editor->setFocus(Qt::OtherFocusReason);
        char typed = Key;
        editor->KeyPress(typed);
        if (typed != 0 && editor->isVisible())
            editor->TypeKey(CharToQChar(typed));
    }
    Key = 0;
    return true;
}

// ---- key up

void TExtStringGrid::KeyUp(int& Key, TShiftState Shift)
{
    TBaseGrid::KeyUp(Key, Shift);
    if (Key == 0)
        return;
    if (IsArrow(Key) || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_INSERT || Key == VK_DELETE)
        ClearSortedFindText();
    const bool tab = Key == VK_TAB && (Options() & goTabs);
    if (Navigation()->AlwaysEdit && (IsArrow(Key) || tab) && !IsCellControl(Col(), Row()))
        ShowEditor();
}

// ---- focus

void TExtStringGrid::DoEnter()
{
    TBaseGrid::DoEnter();
    if (!cellEditing_)
        SelectCell(Col(), Row());
    RememberEditCell(Col(), Row());
}

void TExtStringGrid::focusInEvent(QFocusEvent* Event)
{
    // The grid's own editor handing the focus back is no focus gained.
    const bool fromEditor = Event->reason() == Qt::OtherFocusReason && OwnEditorShowing();
    TBaseGrid::focusInEvent(Event);
    if (fromEditor || IsCheckCell(Col(), Row()))
        return;
    if (editorType_ == edRichEdit && SpecialEditorShown())
        EndCellEditing();
    // A press of the mouse decides itself what it opens (it may start a
    // column move or a sizing).
    if (Navigation()->AlwaysEdit && Event->reason() != Qt::MouseFocusReason && !OwnEditorShowing()
        && !IsCellControl(Col(), Row()))
        ShowEditor();
    // A grid of its fixed row (column) alone has no cell to show as current.
    if ((FixedRowAlways && RowCount() == 1) || (FixedColAlways && ColCount() == 1))
        SetSelectionHidden(true);
}

bool TExtStringGrid::OwnEditorShowing() const
{
    for (QObject* child : viewport()->children()) {
        const auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget->isVisible() && widget->focusPolicy() != Qt::NoFocus)
            return true;
    }
    return false;
}

// ---- dialog characters

bool TExtStringGrid::DialogChar(QKeyEvent* Event)
{
    if (Event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString text = Event->text();
    if (text.size() != 1 || !text[0].isPrint())
        return false;
    Event->accept();
    return true;
}
