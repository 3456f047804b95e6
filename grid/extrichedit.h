#pragma once
// The grid's rich-text control, in two roles: hidden, it measures and
// paints the rich text of cells; shown, it edits a rich-text cell in place.
#include "grid/gridsettings.h"
#include "platform/richedit.h"

enum TRichEditRole { reMeasure, reInplace };

class TExtRichEdit : public TRichEdit {
    Q_OBJECT
public:
    // AParent is the grid's widget; AGrid the grid itself.
    TExtRichEdit(QWidget* AParent, TGridSettingsOwner* AGrid, TRichEditRole ARole);

    TRichEditRole Role() const { return role_; }
    // The size the text asked for at the last resize request (frame
    // included).
    int RequestedWidth() const { return requestedWidth_; }
    int RequestedHeight() const { return requestedHeight_; }
    // The control's resize request: measures the text and answers as its
    // role says. Runs by itself whenever the text changes.
    void RequestResize();

    void KeyDown(int& Key, TShiftState Shift) override;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    TGridSettingsOwner* grid_;
    QWidget* gridWidget_;
    TRichEditRole role_;
    int requestedWidth_ = 0;
    int requestedHeight_ = 0;
};
