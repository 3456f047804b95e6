#pragma once
// Scripted answers for message boxes and actions inside modal windows.
//
//   ScriptedBoxes boxes({IDYES});        // answers the next box with Yes
//   ... run the command ...
//   EXPECT_EQ(boxes.calls[0].text, "...");
//
//   ModalScript modal;                   // acts in the next modal window
//   modal.Then([](QWidget* w) { Click(w, "OkButton"); });
#include "platform/application.h"
#include "platform/testhooks.h"

#include <QString>
#include <QWidget>

#include <deque>
#include <functional>
#include <vector>

// While alive, every message box is recorded and answered from the queue;
// a box with no answer left gets its first button.
class ScriptedBoxes {
public:
    explicit ScriptedBoxes(std::deque<int> answers = {});
    ~ScriptedBoxes();
    ScriptedBoxes(const ScriptedBoxes&) = delete;
    ScriptedBoxes& operator=(const ScriptedBoxes&) = delete;

    void Answer(int answer) { answers.push_back(answer); }
    QStringList Texts() const;

    std::deque<int> answers;
    std::vector<MessageBoxCall> calls;
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
void Click(QWidget* window, const char* buttonName);
