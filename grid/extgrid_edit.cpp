// Editing in the grid control: when an editor shows, which one, and how its
// value comes back to the cell. Until the grid's own editors exist the
// string grid's text editor edits every cell.
#include "grid/extgrid.h"

TInplaceEdit* TExtStringGrid::CreateEditor()
{
    return TBaseGrid::CreateEditor();
}

bool TExtStringGrid::CanEditShow()
{
    return TBaseGrid::CanEditShow();
}

bool TExtStringGrid::SelectCell(int ACol, int ARow)
{
    return TBaseGrid::SelectCell(ACol, ARow);
}

void TExtStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    StoreEditText(ACol, ARow, Value);
}

void TExtStringGrid::StoreEditText(int ACol, int ARow, const QString& Value)
{
    TBaseGrid::SetEditText(ACol, ARow, Value);
}

void TExtStringGrid::ShowInplaceEditor(int ACol, int ARow)
{
    (void)ACol, (void)ARow;
}

void TExtStringGrid::ReadEditorValue(int ACol, int ARow)
{
    (void)ACol, (void)ARow;
}

void TExtStringGrid::EndCellEditing()
{
    editorShown_ = false;
}

void TExtStringGrid::PassKeyToGrid(int Key, TShiftState Shift)
{
    EndCellEditing();
    KeyDown(Key, Shift);
}

bool TExtStringGrid::ValidateCell(const QString& NewValue)
{
    (void)NewValue;
    return true;
}

void TExtStringGrid::ClearComboItems()
{
    comboItems_.clear();
}

void TExtStringGrid::AddComboItem(const QString& Item)
{
    comboItems_.append(Item);
}

void TExtStringGrid::EditorCaretMoved(const QString& Text, QPoint CaretPos, int CaretIndex)
{
    (void)Text, (void)CaretPos, (void)CaretIndex;
}

QString TExtStringGrid::EllipsClick(const QString& Text)
{
    QString s = Text;
    if (OnEllipsClick)
        OnEllipsClick(this, Col(), Row(), s);
    return s;
}

void TExtStringGrid::RememberEditCell(int ACol, int ARow)
{
    editCell_ = {ACol, ARow};
    editCellText_ = Cells(ACol, ARow);
}
