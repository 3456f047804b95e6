// The in-place editor: a mask edit over the current cell, and the grid's
// side of it (when it shows, what it edits, where its text goes).
#include "platform/grids.h"

#include "platform/application.h"

#include <algorithm>

// ---------------------------------------------------------------- TInplaceEdit

TInplaceEdit::TInplaceEdit(TStringGrid* grid) : TMaskEdit(grid->viewport()), grid_(grid)
{
    setObjectName(QStringLiteral("InplaceEdit"));
    setFrame(false);
    hide();
}

void TInplaceEdit::UpdateContents()
{
    ++updating_;
    const int col = grid_->Col();
    const int row = grid_->Row();
    SetEditMask(QString());
    setText(QString());
    SetEditMask(grid_->GetEditMask(col, row));
    SetText(grid_->GetEditText(col, row));
    --updating_;
}

void TInplaceEdit::Change()
{
    TMaskEdit::Change();
    if (!updating_)
        grid_->UpdateText();
}

void TInplaceEdit::KeyDown(int& Key, TShiftState Shift)
{
    const bool forward = grid_->Options() & goAlwaysShowEditor;
    const bool ctrl = Shift & ssCtrl;
    const int length = static_cast<int>(text().size());
    const bool all = SelLength() > 0 && SelLength() == length;
    const int firstTyped = IsMasked() ? std::min(Mask().FirstEditable(), length) : 0;
    const bool leftSide = all || (SelLength() == 0 && SelStart() <= firstTyped);
    const bool rightSide = all || (SelLength() == 0 && SelStart() >= length);
    auto sendToGrid = [&] {
        grid_->KeyDown(Key, Shift);
        Key = 0;
    };
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: sendToGrid(); return;
    case VK_ESCAPE:
        // The grid cancels the edit; otherwise Esc belongs to the window.
        grid_->KeyDown(Key, Shift);
        return;
    case VK_INSERT:
        if (Shift == 0)
            sendToGrid();
        return;
    case VK_LEFT:
    case VK_HOME:
        if (forward && (ctrl || leftSide)) {
            sendToGrid();
            return;
        }
        break;
    case VK_RIGHT:
    case VK_END:
        if (forward && (ctrl || rightSide)) {
            sendToGrid();
            return;
        }
        break;
    case VK_F2:
        grid_->TControl::KeyDown(Key, Shift);
        if (Key == VK_F2) {
            SetSel(length, 0);
            Key = 0;
        }
        return;
    case VK_TAB:
        if ((grid_->Options() & goTabs) && !(Shift & ssAlt))
            sendToGrid();
        return;
    case VK_DELETE:
        if (ctrl) {
            sendToGrid();
            return;
        }
        break;
    default: break;
    }
    // Other keys: the grid's handler sees them, then the editor's.
    grid_->TControl::KeyDown(Key, Shift);
    if (Key != 0)
        TMaskEdit::KeyDown(Key, Shift);
}

bool TInplaceEdit::WantsTabs() const
{
    return grid_->WantsTabs();
}

bool TInplaceEdit::WantsEscape() const
{
    // Esc first gives the cell back the text it had when the editor opened.
    return grid_->ShowsEditor() && !(grid_->Options() & goAlwaysShowEditor);
}

void TInplaceEdit::KeyPress(char& Key)
{
    const TGridCoord cell = grid_->editorCell_;
    grid_->KeyPress(Key);
    // A key the grid's handler used to move to another cell is spent.
    if (!(grid_->editorCell_ == cell))
        Key = 0;
    switch (Key) {
    case '\t': Key = 0; break;
    case 27:
        // Not the editor's: the window's Cancel button answers it.
        return;
    case '\r':
        // Enter with the editor kept open: toggles between all and none
        // of the text selected.
        if (SelLength() > 0 && SelLength() == text().size())
            SetSel(static_cast<int>(text().size()), 0);
        else
            SelectAll();
        Key = 0;
        break;
    default: break;
    }
    if (Key != 0)
        TMaskEdit::KeyPress(Key);
}

void TInplaceEdit::KeyUp(int& Key, TShiftState Shift)
{
    grid_->KeyUp(Key, Shift);
    if (Key != 0)
        TMaskEdit::KeyUp(Key, Shift);
}

// ---- editor

bool TStringGrid::ShowsEditor() const
{
    return editor_ && editor_->isVisible();
}

bool TStringGrid::HasFocusWithin() const
{
    return hasFocus() || (editor_ && editor_->hasFocus());
}

bool TStringGrid::CanEditShow()
{
    return (options_ & (goRowSelect | goEditing)) == goEditing && editorMode_;
}

void TStringGrid::SetEditorMode(bool on)
{
    if (on)
        ShowEditor();
    else if (!(options_ & goAlwaysShowEditor))
        HideEditor();
}

void TStringGrid::ShowEditor()
{
    if (!(options_ & goEditing) || (options_ & goRowSelect))
        return;
    editorMode_ = true;
    UpdateEditor();
}

void TStringGrid::HideEditor()
{
    editorMode_ = false;
    UpdateEditor();
}

void TStringGrid::UpdateEditor()
{
    // A grid not yet shown opens its editor when it shows, once the window
    // has set up its handlers and cells.
    if (!editorMode_ || !CanEditShow() || !isVisible()) {
        HideEditorWidget();
        editorCell_ = {-1, -1};
        return;
    }
    if (!editor_)
        editor_ = CreateEditor();
    if (!(editorCell_ == current_)) {
        editorCell_ = current_;
        editor_->UpdateContents();
        editor_->SelectAll();
        editOriginal_ = Cells(current_.X, current_.Y);
    }
    const TRect rect = CellRect(current_.X, current_.Y);
    if (rect.IsEmpty()) {
        HideEditorWidget();
        return;
    }
    editor_->setGeometry(rect.ToQRect());
    const bool focusInside = hasFocus();
    editor_->show();
    if (focusInside)
        editor_->setFocus(Qt::OtherFocusReason);
}

void TStringGrid::HideEditorWidget()
{
    if (!editor_ || !editor_->isVisible())
        return;
    // The focus goes back to the grid before the editor hides, so that it
    // does not move on to the next control.
    if (editor_->hasFocus()) {
        takingFocusBack_ = true;
        setFocus(Qt::OtherFocusReason);
        takingFocusBack_ = false;
    }
    editor_->hide();
}

void TStringGrid::UpdateText()
{
    if (!editor_ || editorCell_.X < 0)
        return;
    ++settingEditText_;
    Application->Guard([&] { SetEditText(editorCell_.X, editorCell_.Y, editor_->Text()); });
    --settingEditText_;
}

bool TStringGrid::ShowEditorChar(char c)
{
    ShowEditor();
    if (!ShowsEditor())
        return false;
    editor_->setFocus(Qt::OtherFocusReason);
    // The key reaches the editor as if typed there: its key handlers first.
    char key = c;
    editor_->KeyPress(key);
    if (key != 0 && ShowsEditor())
        editor_->TypeKey(CharToQChar(key));
    return true;
}

void TStringGrid::SendCancelEdit()
{
    // Esc: the cell gets back the text it had when the editor opened.
    const QString original = editOriginal_;
    ++settingEditText_;
    Application->Guard([&] { SetEditText(current_.X, current_.Y, original); });
    --settingEditText_;
    HideEditor();
}

TInplaceEdit* TStringGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

QString TStringGrid::GetEditText(int ACol, int ARow)
{
    QString value = Cells(ACol, ARow);
    if (OnGetEditText)
        Application->Guard([&] { OnGetEditText(ACol, ARow, value); });
    return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    CheckCell(ACol, ARow);
    ++settingEditText_; // the editor already shows the text
    SetCells(ACol, ARow, Value);
    --settingEditText_;
    if (OnSetEditText)
        OnSetEditText(ACol, ARow, Value);
}

QString TStringGrid::GetEditMask(int ACol, int ARow)
{
    QString value;
    if (OnGetEditMask)
        Application->Guard([&] { OnGetEditMask(ACol, ARow, value); });
    return value;
}
