#pragma once
// Acting on windows as a person does. Every window test uses these helpers.
//
// Message boxes are really shown: each one is recorded and, from inside its
// own modal loop, its answer button is clicked with the mouse. Whatever the
// box's loop runs meanwhile (a deferred close, a timer, a focus change) runs
// in the test as it does on the screen.
//
//   ScriptedBoxes boxes({IDYES});        // the next box is answered Yes
//   ... run the command ...
//   EXPECT_EQ(boxes.Texts(), QStringList{"..."});
//
// Only a test that deliberately needs a box answered without its loop (the
// box's return value alone matters, no window is involved) asks for
//   ScriptedBoxes boxes({IDNO}, ScriptedBoxes::Instant);
//
// Modal windows: each action runs inside the window once it is shown and
// active; a window left open by its actions is cancelled so a test never
// hangs.
//   ModalScript modal;
//   modal.Then([](QWidget* w) { Click(w, "OkButton"); });
//
// Buttons are pressed with a real mouse click (Click), which moves the focus
// first, so the focused control's exit handler and the button's enter
// handler run, as for a person. Accelerators are pressed as keys
// (input::Accelerator('k') for "O&k"); keys and typing are in
// tests/support/input.h (input::Key, input::Type, input::Click).
//
// After a box is answered the window below gets the activation back from the
// event loop, as a window manager gives it; a test that looks at the focus
// right after an action that showed a box first lets the loop run
// (input::Settle()). Never call a button's click() or a handler directly to
// stand for a user's press: it skips the focus change and the loop.
#include "platform/application.h"
#include "platform/testhooks.h"
#include "tests/support/input.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <functional>
#include <vector>

// While alive, every message box is recorded and answered from the queue;
// a box with no answer left gets Yes, Retry, Abort or Ok, whichever it has.
class ScriptedBoxes {
public:
    enum Mode { Shown, Instant };

    explicit ScriptedBoxes(std::deque<int> answers = {}, Mode mode = Shown);
    explicit ScriptedBoxes(Mode mode) : ScriptedBoxes({}, mode) {}
    ~ScriptedBoxes();
    ScriptedBoxes(const ScriptedBoxes&) = delete;
    ScriptedBoxes& operator=(const ScriptedBoxes&) = delete;

    void Answer(int answer) { answers.push_back(answer); }
    QStringList Texts() const;
    // The answer for the box just shown, taken from the queue.
    int NextAnswer(const MessageBoxCall& call);

    std::deque<int> answers;
    std::vector<MessageBoxCall> calls;
    // Runs on each shown box before it is answered (a screenshot, say).
    std::function<void(QWidget* box)> look;
    // Captions of the buttons of each box shown, in the order shown.
    std::vector<QStringList> buttons;
};

// While alive, each modal window that opens runs the next action queued;
// a window with no action left is cancelled (so a test never hangs).
class ModalScript {
public:
    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& Then(std::function<void(QWidget*)> action);

    std::deque<std::function<void(QWidget*)>> actions;
    std::vector<QString> shown; // captions of the windows shown, in order
};

// Helpers for acting on a window's controls by their names.
template <typename T = QWidget>
T* Find(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}
// A left mouse click on the named button: the focus moves to it first.
void Click(QWidget* window, const char* buttonName);
