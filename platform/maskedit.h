#pragma once
// An edit with an edit mask (editmask.h). Without a mask it is a plain edit.
// Text reads the value (literals kept or not by the mask), EditText what the
// edit shows; OnChange runs when either changes, also by the program.
#include "platform/control.h"
#include "platform/editmask.h"

#include <QLineEdit>

// Whether an edit entered for this reason selects its whole text.
bool SelectsAllOnFocus(Qt::FocusReason reason);

class TMaskEdit : public QLineEdit, public TControl {
    Q_OBJECT
public:
    explicit TMaskEdit(QWidget* parent = nullptr);

    TNotifyEvent OnChange;

    QString EditMask() const { return mask_.Source(); }
    // A new mask keeps the current value where it fits.
    void SetEditMask(const QString& editMask);
    bool IsMasked() const { return !mask_.IsEmpty(); }
    const TEditMask& Mask() const { return mask_; }

    QString Text() const;
    void SetText(const QString& value);
    QString EditText() const;
    void SetEditText(const QString& value);

    // Without a mask, what the user may type or paste (0: no limit); text the
    // program sets is never cut. With one, the mask's length.
    int MaxLength() const;
    void SetMaxLength(int length);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
    int SelStart() const;
    int SelLength() const;
    void SetSel(int start, int length);
    void SelectAll();
    void Clear() { SetText(QString()); }
    // Types one character (backspace included) at the caret, as the keyboard
    // does, past the key handlers.
    void TypeKey(QChar c);

protected:
    // Typing, deleting and moving inside the mask.
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // Runs after every change of the text, by the user or the program.
    virtual void Change();

private:
    void Show(const TMaskState& state);
    void TakeCaretFromWidget();
    void TypeText(const QString& text);

    TEditMask mask_;
    TMaskState state_;
    int showing_ = 0;
    QString lastText_;
};
