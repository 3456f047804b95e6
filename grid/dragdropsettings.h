#pragma once
// The grid's switches of drag and drop between applications.
#include "grid/esgdd.h"
#include "grid/gridsettings.h"

class TDragDropSettings : public TGridSettings {
public:
    using TGridSettings::TGridSettings;

    // The grid takes drops from other windows and applications: it is
    // registered as a drop target while this is on.
    bool OleDropTarget() const { return oleDropTarget_; }
    void SetOleDropTarget(bool Value)
    {
        if (oleDropTarget_ == Value)
            return;
        oleDropTarget_ = Value;
        if (Grid())
            Grid()->RegisterDropTarget(Value);
    }
    // Rich text is offered and taken; the switch is shared by every drop
    // target of the program.
    bool OleDropRTF() const { return oleDropRTF_; }
    void SetOleDropRTF(bool Value)
    {
        oleDropRTF_ = Value;
        RichTextAllowed = Value;
    }

    // Cells can be dragged out of the grid.
    bool OleDropSource = false;
    bool OleAcceptFiles = true;
    bool OleAcceptText = true;
    // Row selection drags and drops whole rows.
    bool OleEntireRows = false;
    // Dropped text goes into new rows inserted at the drop row.
    bool OleInsertRows = false;
    // A move takes the dragged rows out of the grid.
    bool OleRemoveRows = false;
    // A move leaves the dragged cells as they were.
    bool OleCopyAlways = false;
    // A header cell can be dragged to move its column.
    bool OleColumnDragDrop = false;

    void Assign(const TDragDropSettings& Source)
    {
        OleDropSource = Source.OleDropSource;
        OleAcceptFiles = Source.OleAcceptFiles;
        OleAcceptText = Source.OleAcceptText;
        OleEntireRows = Source.OleEntireRows;
        OleInsertRows = Source.OleInsertRows;
        OleRemoveRows = Source.OleRemoveRows;
        OleCopyAlways = Source.OleCopyAlways;
        OleColumnDragDrop = Source.OleColumnDragDrop;
        SetOleDropRTF(Source.oleDropRTF_);
        SetOleDropTarget(Source.oleDropTarget_);
    }

private:
    bool oleDropTarget_ = false;
    bool oleDropRTF_ = false;
};
