#include "platform/maskedit.h"

#include "platform/application.h"
#include "platform/typinglimit.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

bool SelectsAllOnFocus(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason
           || reason == Qt::OtherFocusReason;
}

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent), TControl(this)
{
    connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

void TMaskEdit::SetEditMask(const QString& editMask)
{
    if (editMask == mask_.Source())
        return;
    const QString value = Text();
    mask_ = TEditMask(editMask);
    if (mask_.IsEmpty()) {
        setText(value);
        return;
    }
    state_ = TMaskState(mask_);
    state_.SetText(value);
    Show(state_);
}

QString TMaskEdit::Text() const
{
    return IsMasked() ? state_.Text() : text();
}

void TMaskEdit::SetText(const QString& value)
{
    if (!IsMasked()) {
        setText(value);
        return;
    }
    state_.SetText(value);
    Show(state_);
}

QString TMaskEdit::EditText() const
{
    return IsMasked() ? state_.EditText() : text();
}

void TMaskEdit::SetEditText(const QString& value)
{
    if (!IsMasked()) {
        setText(value);
        return;
    }
    state_.SetEditText(value);
    Show(state_);
}

int TMaskEdit::MaxLength() const
{
    return IsMasked() ? mask_.Length() : TypingLimit(this);
}

void TMaskEdit::SetMaxLength(int length)
{
    SetTypingLimit(this, length);
}

int TMaskEdit::SelStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int TMaskEdit::SelLength() const
{
    return static_cast<int>(selectedText().size());
}

void TMaskEdit::SetSel(int start, int length)
{
    if (IsMasked()) {
        state_.Select(start, length);
        Show(state_);
    } else {
        setSelection(start, length);
    }
}

void TMaskEdit::SelectAll()
{
    if (IsMasked()) {
        state_.SelectAll();
        Show(state_);
    } else {
        selectAll();
    }
}

void TMaskEdit::Change()
{
    Run(OnChange);
}

void TMaskEdit::Show(const TMaskState& state)
{
    ++showing_;
    if (text() != state.EditText())
        setText(state.EditText());
    if (state.SelLength() > 0) {
        // The caret stays at its end of the selection.
        const bool caretFirst = state.Caret() == state.SelStart();
        if (caretFirst)
            setSelection(state.SelStart() + state.SelLength(), -state.SelLength());
        else
            setSelection(state.SelStart(), state.SelLength());
    } else {
        setCursorPosition(state.Caret());
    }
    --showing_;
}

void TMaskEdit::TakeCaretFromWidget()
{
    if (hasSelectedText()) {
        const int start = selectionStart();
        const int length = static_cast<int>(selectedText().size());
        if (cursorPosition() == start)
            state_.Select(start + length, -length);
        else
            state_.Select(start, length);
    } else {
        state_.Select(cursorPosition(), 0);
    }
}

void TMaskEdit::TypeText(const QString& typed)
{
    for (QChar c : typed)
        if (!state_.Type(c)) {
            QApplication::beep();
            break;
        }
    Show(state_);
}

void TMaskEdit::TypeKey(QChar c)
{
    if (isReadOnly())
        return;
    if (!IsMasked()) {
        if (c == QLatin1Char('\b'))
            backspace();
        else
            insert(QString(c));
        return;
    }
    TakeCaretFromWidget();
    if (c == QLatin1Char('\b')) {
        state_.Backspace();
        Show(state_);
    } else {
        TypeText(QString(c));
    }
}

void TMaskEdit::keyPressEvent(QKeyEvent* event)
{
    if (!IsMasked()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    TakeCaretFromWidget();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool editable = !isReadOnly();
    if (event->matches(QKeySequence::Copy)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (editable)
            TypeText(QApplication::clipboard()->text());
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        if (hasSelectedText())
            QApplication::clipboard()->setText(selectedText());
        if (editable) {
            state_.Delete();
            Show(state_);
        }
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (editable)
            state_.Backspace();
        break;
    case Qt::Key_Delete:
        if (editable)
            state_.Delete();
        break;
    case Qt::Key_Left: state_.Left(shift); break;
    case Qt::Key_Right: state_.Right(shift); break;
    case Qt::Key_Home: state_.Home(shift); break;
    case Qt::Key_End: state_.End(shift); break;
    default: {
        const QString typed = event->text();
        if (typed.isEmpty() || !typed[0].isPrint() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            // Enter, Esc, Tab, F1 and the like are for the window.
            event->ignore();
            return;
        }
        if (editable)
            TypeText(typed);
        return;
    }
    }
    Show(state_);
}

void TMaskEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!IsMasked()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    if (!event->commitString().isEmpty() && !isReadOnly()) {
        TakeCaretFromWidget();
        TypeText(event->commitString());
    }
    event->accept();
}

void TMaskEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Entered by the keyboard or by the program, the whole text is selected,
    // so that typing replaces it.
    if (SelectsAllOnFocus(event->reason()))
        SelectAll();
}

void TMaskEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (IsMasked())
        TakeCaretFromWidget();
}

void TMaskEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The edit menu's cut, paste and undo would go around the mask.
    if (!IsMasked())
        QLineEdit::contextMenuEvent(event);
}
