// The grid's middle-button panning, wheel steps and zoom.
#include "grid/extgrid.h"

#include <QEvent>

bool TExtStringGrid::PanningEvent(QEvent* Event)
{
    (void)Event;
    return false;
}
