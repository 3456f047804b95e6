#include "grid/griddragdrop.h"

#include "grid/extgrid.h"

#include <QCursor>

TGridDropSource::TGridDropSource(TExtStringGrid* Grid) : TESGDropSource(Grid), grid_(Grid) {}

void TGridDropSource::QueryDrag()
{
    grid_->FollowColumnDrag(QCursor::pos());
}

void TGridDropSource::CurrentEffect(int Effect)
{
    if (Effect == DROPEFFECT_COPY || Effect == DROPEFFECT_MOVE)
        lastEffect_ = Effect;
}

TGridDropTarget::TGridDropTarget(TExtStringGrid* Grid) : TESGDropTarget(Grid->viewport()), grid_(Grid) {}

void TGridDropTarget::DropText(QPoint Point, const QString& Text)
{
    if (!grid_->OleDropText(Point, Text))
        RefuseDrop();
}

void TGridDropTarget::DropCol(QPoint Point, int Column)
{
    grid_->OleDropColumn(Point, Column);
}

void TGridDropTarget::DropRTF(QPoint Point, const QString& Text)
{
    if (!grid_->OleDropRTF(Point, Text))
        RefuseDrop();
}

void TGridDropTarget::DropFiles(QPoint Point, const QStringList& Files)
{
    (void)Point;
    // Files that came beside text do not undo the text's drop.
    if (!grid_->OleDropFiles(Files) && !(Formats() & (dfText | dfRTF | dfCol)))
        RefuseDrop();
}

void TGridDropTarget::DragMouseMove(QPoint Point, bool& Allow, int Formats)
{
    grid_->OleDragOver(Point, Allow, Formats);
}

void TGridDropTarget::DragMouseLeave()
{
    grid_->HideDropArrows();
}

bool TGridDropTarget::IsValidColumn(int Column)
{
    return Column >= 0 && Column < grid_->ColCount();
}
