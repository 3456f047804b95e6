#pragma once
// The base of a checker the grid can be linked to: it corrects cell texts
// and marks their errors. This one is neutral; a real checker overrides the
// four operations.
#include "platform/component.h"

#include <QString>

class TExtStringGridCheck : public TComponent {
public:

    // The grid reads these two when an edit ends with a changed text.
    bool AutoCorrect = false;
    bool AutoMarkError = false;
    // For the checker's own use.
    bool GotoCell = false;
    bool UseCorrect = false;
    bool UseMarkError = false;

    virtual QString MarkCellError(int ACol, int ARow, const QString& Value);
    virtual QString CorrectCellText(int ACol, int ARow, const QString& Value);
    virtual void BeginCellCheck();
    virtual void EndCellCheck();
};
