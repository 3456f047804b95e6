// The grid's mini-HTML cells under the mouse: anchors, embedded controls
// and cell hints.
#include "grid/extgrid.h"

#include <QHelpEvent>

bool TExtStringGrid::HTMLMouseDown(TShiftState Shift, int X, int Y)
{
    (void)Shift;
    (void)X;
    (void)Y;
    return false;
}

void TExtStringGrid::AnchorMouseMove(TShiftState Shift, int X, int Y)
{
    (void)Shift;
    (void)X;
    (void)Y;
}

bool TExtStringGrid::CellHintEvent(QHelpEvent* Event)
{
    (void)Event;
    return false;
}
