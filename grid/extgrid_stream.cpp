// The grid control's cell stream and clipboard.
#include "grid/extgrid.h"

void TExtStringGrid::SetCellForPaste(int ACol, int ARow, const QString& Value)
{
    const int col = RealColIndex(ACol);
    const QString old = Cells(col, ARow);
    SetCells(col, ARow, Value);
    if (old != Value)
        RepaintCell(ACol, ARow);
}

void TExtStringGrid::ClipboardPasted(int SourceCol, int SourceRow, const TRect& Pasted, bool Copied)
{
    (void)SourceCol, (void)SourceRow, (void)Pasted, (void)Copied;
}
