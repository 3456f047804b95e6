// The grid control's cell rules: cell graphics and who frees them, the
// fixed-cell rule and the event dispatchers, node indents, the current
// cell's text, keyboard row insertion and deletion, and the notification
// after bulk changes of cells.
#include "grid/extgrid.h"

#include <memory>

// ---- cell graphics

TCellGraphic* TExtStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    RemoveCellGraphic(ACol, ARow);
    auto graphic = std::make_unique<TCellGraphic>();
    SetCellGraphic(ACol, ARow, graphic.get());
    return graphic.release();
}

bool TExtStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    TObject* graphic = GetCellGraphic(ACol, ARow);
    if (!graphic)
        return false;
    GetCellProperties(ACol, ARow)->CellGraphic = nullptr;
    // The virtual check boxes of many cells share the grid's one graphic.
    if (graphic != virtCheckBox_.get())
        delete graphic;
    return true;
}

TCellType TExtStringGrid::GetCellType(int ACol, int ARow)
{
    const TCellGraphic* graphic = GetCellGraphicObject(ACol, ARow);
    return graphic ? graphic->CellType : ctEmpty;
}

TCellGraphic* TExtStringGrid::GetCellGraphicObject(int ACol, int ARow)
{
    return dynamic_cast<TCellGraphic*>(GetCellGraphic(ACol, ARow));
}

void TExtStringGrid::ObjectDropped(TObject* Object)
{
    if (auto* props = dynamic_cast<TCellProperties*>(Object)) {
        if (props->CellGraphic != virtCheckBox_.get())
            delete props->CellGraphic;
        props->CellGraphic = nullptr;
        }
    TBaseGrid::ObjectDropped(Object);
}

// ---- the fixed-cell rule and the event dispatchers

bool TExtStringGrid::IsFixedCell(int ACol, int ARow, bool AlreadyFixed)
{
    bool fixed = AlreadyFixed || (ARow == 0 && FixedRowAlways && RowCount() == 1)
                 || (ACol == 0 && FixedColAlways && ColCount() == 1) || ACol < FixedCols() || ARow < FixedRows();
    if (!fixed && OnIsFixedCell)
        OnIsFixedCell(this, ARow, ACol, fixed);
    return fixed;
}

void TExtStringGrid::GridHint(int ACol, int ARow, QString& HintStr)
{
    if (OnGridHint)
        OnGridHint(this, ARow, ACol, HintStr);
}

void TExtStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush, TFont& AFont)
{
    if (OnGetCellColor)
        OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExtStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush& ABrush, TFont& AFont)
{
    if (OnGetCellPrintColor)
        OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExtStringGrid::GetCellBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders)
{
    if (OnGetCellBorder)
        OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TExtStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen& APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder)
        OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TExtStringGrid::GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (OnGetAlignment)
        OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TExtStringGrid::GetColFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix)
{
    if (OnGetFormat)
        OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

void TExtStringGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TExtStringGrid::CanEditCell(int ACol, int ARow)
{
    bool canEdit = true;
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, canEdit);
    return canEdit;
}

bool TExtStringGrid::IsPasswordCell(int ACol, int ARow)
{
    bool isPassword = false;
    if (OnIsPasswordCell)
        OnIsPasswordCell(this, ARow, ACol, isPassword);
    return isPassword;
}

void TExtStringGrid::GetCheckTrue(int ACol, int ARow, QString& Value)
{
    Value = CheckTrue;
    if (OnGetCheckTrue)
        OnGetCheckTrue(this, ACol, ARow, Value);
}

void TExtStringGrid::GetCheckFalse(int ACol, int ARow, QString& Value)
{
    Value = CheckFalse;
    if (OnGetCheckFalse)
        OnGetCheckFalse(this, ACol, ARow, Value);
}

// ---- the base grid's cell rules

bool TExtStringGrid::IsFixed(int ACol, int ARow)
{
    if (ARow >= RowCount() - fixedFooters_)
        return true;
    if (ACol >= ColCount() + hiddenColCount_ - fixedRightCols_)
        return true;
    return IsFixedCell(ACol, ARow);
}

int TExtStringGrid::GetCellIndent(int ARow)
{
    if (!HasNodes() || ARow < 0 || ARow >= RowCount() || !HasCellProperties(0, ARow))
        return 0;
    return GetCellProperties(0, ARow)->NodeLevel * 16;
}

bool TExtStringGrid::HasNodes()
{
    // Asked of the cells as they are now: a graphic's type may change after
    // it was made, and nothing else would say so. A paint asks for every
    // cell of column 0 it draws and changes no cell: the first answer of a
    // paint serves for the rest of it.
    if (!MayHoldObjects())
        return false;
    const bool painting = Canvas.Painter() != nullptr;
    const TNodesAsked asked{PaintCount(), CellsVersion(), RowCount(), false};
    if (painting && nodesAsked_.Paint == asked.Paint && nodesAsked_.Version == asked.Version
        && nodesAsked_.Rows == asked.Rows)
        return nodesAsked_.Found;
    bool found = false;
    for (int r = 0; r < RowCount() && !found; ++r)
        found = HasCellProperties(0, r) && GetCellType(0, r) == ctNode;
    nodesAsked_ = painting ? TNodesAsked{asked.Paint, asked.Version, asked.Rows, found} : TNodesAsked{};
    return found;
}

void TExtStringGrid::FooterRowChanged()
{
    TBaseGrid::FooterRowChanged();
    RepaintFooter();
}

// ---- the current cell's text and keyboard rows

QString TExtStringGrid::GetCurrentCellText()
{
    return Cells(RealColIndex(Col()), Row());
}

void TExtStringGrid::SetCurrentCellText(const QString& Value)
{
    SetCells(RealColIndex(Col()), Row(), Value);
}

void TExtStringGrid::RestoreCellText()
{
    SetCells(RealColIndex(editCell_.X), editCell_.Y, editCellText_);
}

QString TExtStringGrid::CalcCellText(int ACol, int ARow)
{
    return Cells(ACol, ARow);
}

QString TExtStringGrid::GetCellExportText(int ACol, int ARow)
{
    QString text = Cells(ACol, ARow);
    // A check box without text exports its state as the check texts.
    const TCellGraphic* graphic = GetCellGraphicObject(ACol, ARow);
    if (text.isEmpty() && graphic && graphic->CellType == ctCheckBox) {
        if (graphic->CellBoolean)
            GetCheckTrue(ACol, ARow, text);
        else
            GetCheckFalse(ACol, ARow, text);
    }
    return text;
}

bool TExtStringGrid::HasFilterButton(int ACol)
{
    (void)ACol;
    return false;
}

void TExtStringGrid::InsertRowByKey(int ARow)
{
    InsertRows(ARow, 1);
    if (OnAutoInsertRow)
        OnAutoInsertRow(this, ARow);
}

void TExtStringGrid::DeleteRowByKey(int ARow)
{
    if (RowCount() - FixedRows() - fixedFooters_ <= 1) {
        // The only normal row stays, emptied.
        for (int c = 0; c < ColCount(); ++c) {
            RemoveCellGraphic(c, ARow);
            SetCells(c, ARow, QString());
        }
    } else {
        RemoveRows(ARow, 1);
    }
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, ARow);
}

void TExtStringGrid::CellsChanged(const TRect& R)
{
    if (OnCellsChanged)
        OnCellsChanged(this, R);
    for (const auto& linked : linkedGrids_)
        linked(R);
    if (!footerHeld_)
        CalcFooterColumns();
}
