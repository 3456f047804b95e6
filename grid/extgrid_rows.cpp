// Rows and columns of the grid control: hidden columns and rows, nodes,
// cell controls, the footer's calculations, advancing and scrolling.
#include "grid/extgrid.h"

int TExtStringGrid::RealColIndex(int ACol) const
{
    return ACol;
}

int TExtStringGrid::DisplayColIndex(int ACol) const
{
    return ACol;
}

void TExtStringGrid::HideRows(int FromRow, int ToRow)
{
    (void)FromRow, (void)ToRow;
}

void TExtStringGrid::UnHideRows(int FromRow, int ToRow)
{
    (void)FromRow, (void)ToRow;
}

void TExtStringGrid::UnHideRowsAll() {}

bool TExtStringGrid::IsHiddenRow(int ARow) const
{
    (void)ARow;
    return false;
}

int TExtStringGrid::RealRowIndex(int ARow) const
{
    return ARow;
}

int TExtStringGrid::DisplayRowIndex(int ARow) const
{
    return ARow;
}

bool TExtStringGrid::IsNode(int ARow)
{
    return GetCellType(0, ARow) == ctNode;
}

void TExtStringGrid::ExpandNode(int ARow)
{
    (void)ARow;
}

void TExtStringGrid::ContractNode(int ARow)
{
    (void)ARow;
}

bool TExtStringGrid::ToggleCellCheck(int ACol, int ARow, bool Ask)
{
    (void)ACol, (void)ARow, (void)Ask;
    return false;
}

bool TExtStringGrid::GetCheckBoxState(int ACol, int ARow)
{
    (void)ACol, (void)ARow;
    return false;
}

void TExtStringGrid::SetCheckBoxState(int ACol, int ARow, bool Value)
{
    (void)ACol, (void)ARow, (void)Value;
}

void TExtStringGrid::AdvanceCell(int ACol, int ARow, bool Forward, bool ShowEditor, bool Forced)
{
    (void)ACol, (void)ARow, (void)Forward, (void)ShowEditor, (void)Forced;
}

void TExtStringGrid::RecalcFooter(int ACol)
{
    (void)ACol;
}

void TExtStringGrid::ScrollInView(int ACol, int ARow)
{
    (void)ACol, (void)ARow;
}

bool TExtStringGrid::RowMatchesFilter(int ARow)
{
    (void)ARow;
    return true;
}

void TExtStringGrid::ApplyFilter() {}

void TExtStringGrid::CalcFooterColumn(int ACol)
{
    (void)ACol;
}

void TExtStringGrid::CalcFooterColumns() {}

void TExtStringGrid::UpdateColSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TExtStringGrid::UpdateAutoColSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TExtStringGrid::InsertRows(int ARow, int ARowCount)
{
    TBaseGrid::InsertRows(ARow, ARowCount);
}

void TExtStringGrid::RemoveRows(int ARow, int ARowCount)
{
    TBaseGrid::DeleteRows(ARow, ARowCount);
}

void TExtStringGrid::InsertCols(int ACol, int AColCount)
{
    TBaseGrid::InsertCols(ACol, AColCount);
}

void TExtStringGrid::RemoveCols(int ACol, int AColCount)
{
    TBaseGrid::DeleteCols(ACol, AColCount);
}

void TExtStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
}

void TExtStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    TBaseGrid::MoveRow(FromIndex, ToIndex);
}
