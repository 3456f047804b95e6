#pragma once
// The grid's side of drag and drop: the drop target that hands what is
// dropped on a grid to the grid, and the drop source that keeps the effect
// of a drag the grid started and moves the header button of a column drag.
#include "grid/esgdd.h"

class TExtStringGrid;

class TGridDropSource : public TESGDropSource {
public:
    explicit TGridDropSource(TExtStringGrid* Grid);
    // The last copy or move the drag loop reported (none before).
    int LastEffect() const { return lastEffect_; }

protected:
    void QueryDrag() override;
    void CurrentEffect(int Effect) override;

private:
    TExtStringGrid* grid_;
    int lastEffect_ = DROPEFFECT_NONE;
};

class TGridDropTarget : public TESGDropTarget {
public:
    // Takes the drag events of the grid's cell area.
    explicit TGridDropTarget(TExtStringGrid* Grid);

    void DropText(QPoint Point, const QString& Text) override;
    void DropCol(QPoint Point, int Column) override;
    void DropRTF(QPoint Point, const QString& Text) override;
    void DropFiles(QPoint Point, const QStringList& Files) override;
    void DragMouseMove(QPoint Point, bool& Allow, int Formats) override;
    void DragMouseLeave() override;
    bool IsValidColumn(int Column) override;

private:
    TExtStringGrid* grid_;
};
