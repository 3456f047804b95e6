#pragma once
// Process-wide hooks through which the test suite answers message boxes and
// acts inside modal windows. Both deliverables run in one process but each
// has its own copy of this layer, so the hooks live on the one Qt application
// object that the two share, as plain function pointers.
#include <QString>

class QWidget;

struct MessageBoxCall {
    QString text;
    QString caption;
    int flags = 0;
};

// Returns the button the user would have pressed (IDOK, IDYES, ...).
using MessageBoxHook = int (*)(const MessageBoxCall& call);
// Runs once a modal window has been shown and its OnShow/OnActivate ran.
using ModalHook = void (*)(QWidget* form);

void SetMessageBoxHook(MessageBoxHook hook);
MessageBoxHook CurrentMessageBoxHook();
void SetModalHook(ModalHook hook);
ModalHook CurrentModalHook();

// Runs inside a message box's own modal loop, once the box is on the screen:
// the test answers it there by clicking one of its buttons, each of which
// carries the answer it gives in the property "answer" (IDYES, ...).
using MessageBoxShownHook = void (*)(QWidget* box, const MessageBoxCall& call);
void SetMessageBoxShownHook(MessageBoxShownHook hook);
MessageBoxShownHook CurrentMessageBoxShownHook();

// Replaces the sound of Application->Beep (a refused key, say), so that a
// test can count the beeps.
using BeepHook = void (*)();
void SetBeepHook(BeepHook hook);
BeepHook CurrentBeepHook();
