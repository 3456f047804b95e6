// Sorting the grid control's rows.
#include "grid/extgrid.h"

void TExtStringGrid::ExchangeRows(int ARow1, int ARow2)
{
    (void)ARow1, (void)ARow2;
}

void TExtStringGrid::SortRows() {}

void TExtStringGrid::SortRowsIndexed() {}
