#include "grid/extrichedit.h"

#include <QApplication>
#include <QTextDocument>

#include <cmath>

TExtRichEdit::TExtRichEdit(QWidget* AParent, TGridSettingsOwner* AGrid, TRichEditRole ARole)
    : TRichEdit(AParent), grid_(AGrid), gridWidget_(AParent), role_(ARole)
{
    setFrameShape(QFrame::NoFrame);
    // The hidden measuring control gives the text's natural width; lines
    // break only where the text breaks them.
    if (role_ == reMeasure)
        setLineWrapMode(QTextEdit::NoWrap);
    connect(document(), &QTextDocument::contentsChanged, this, &TExtRichEdit::RequestResize);
}

void TExtRichEdit::RequestResize()
{
    QTextDocument* doc = document();
    const int frame = 2 * frameWidth();
    requestedWidth_ = static_cast<int>(std::ceil(doc->idealWidth())) + frame;
    requestedHeight_ = static_cast<int>(std::ceil(doc->size().height())) + frame;
    if (role_ != reInplace || !grid_ || !grid_->SizeRowWhileTyping())
        return;
    // The row grows with the typed lines while the editor still fits in
    // the grid.
    const bool fits = !gridWidget_ || y() + requestedHeight_ <= gridWidget_->height();
    if (requestedHeight_ <= grid_->CurrentRowHeight() || !fits)
        return;
    resize(width(), requestedHeight_ - 1);
    // The text keeps 2 pixels from the editor's edges.
    setViewportMargins(2, 2, 2, 2);
    grid_->SetCurrentRowHeight(requestedHeight_);
}

void TExtRichEdit::KeyDown(int& Key, TShiftState Shift)
{
    TRichEdit::KeyDown(Key, Shift);
    if ((Key != VK_UP && Key != VK_DOWN) || !grid_ || grid_->CellsHaveLines())
        return;
    // In single-line cells the arrows move the grid's cursor: the grid takes
    // the focus back (which ends the edit) and the key.
    if (gridWidget_) {
        if (TControl* control = TControl::Of(gridWidget_))
            control->SetFocus();
        else
            gridWidget_->setFocus(Qt::OtherFocusReason);
    }
    grid_->EditorKeyDown(Key, Shift);
    Key = 0;
}

void TExtRichEdit::focusOutEvent(QFocusEvent* event)
{
    TRichEdit::focusOutEvent(event);
    if (grid_ && gridWidget_ && QApplication::focusWidget() == gridWidget_ && !grid_->InInternalOperation())
        grid_->HideInplaceEdit();
}
