#include "tests/support/scripted.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

ScriptedBoxes* currentBoxes = nullptr;
ModalScript* currentModal = nullptr;

int DefaultAnswer(int flags)
{
    switch (flags & 0x0F) {
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDOK;
    }
}

int AnswerInstantly(const MessageBoxCall& call)
{
    return currentBoxes->NextAnswer(call);
}

// Inside the box's loop: the user reads it and clicks the answer.
void AnswerShownBox(QWidget* box, const MessageBoxCall& call)
{
    ScriptedBoxes* boxes = currentBoxes;
    const int answer = boxes->NextAnswer(call);
    QStringList captions;
    QAbstractButton* chosen = nullptr;
    for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
        if (!button->property("answer").isValid())
            continue;
        captions << button->text();
        if (button->property("answer").toInt() == answer)
            chosen = button;
    }
    boxes->buttons.push_back(captions);
    if (!chosen) {
        ADD_FAILURE() << "the box \"" << call.text.toStdString() << "\" has no button for answer " << answer;
        static_cast<QDialog*>(box)->reject();
        return;
    }
    input::Activate(box);
    if (boxes->look)
        boxes->look(box);
    // The window below gets the activation back once the box is gone and the
    // code that showed it has gone on, as a window manager gives it (the
    // offscreen platform gives none).
    if (QWidget* below = box->parentWidget() ? box->parentWidget()->window() : nullptr)
        QTimer::singleShot(0, below, [below] {
            QWidget* top = QApplication::activeModalWidget();
            if (below->isVisible() && (!top || top == below))
                input::Activate(below);
        });
    input::Click(chosen);
}

void ActInModal(QWidget* form)
{
    ModalScript* script = currentModal;
    script->shown.push_back(form->windowTitle());
    if (script->actions.empty()) {
        if (auto* dialog = qobject_cast<QDialog*>(form))
            dialog->done(QDialog::Rejected + 2); // cancel
        return;
    }
    auto action = std::move(script->actions.front());
    script->actions.pop_front();
    // The window gets the keyboard, as on the screen.
    input::Activate(form);
    action(form);
}

} // namespace

ScriptedBoxes::ScriptedBoxes(std::deque<int> initial, Mode mode) : answers(std::move(initial))
{
    currentBoxes = this;
    if (mode == Instant)
        SetMessageBoxHook(&AnswerInstantly);
    else
        SetMessageBoxShownHook(&AnswerShownBox);
}

ScriptedBoxes::~ScriptedBoxes()
{
    SetMessageBoxHook(nullptr);
    SetMessageBoxShownHook(nullptr);
    currentBoxes = nullptr;
}

int ScriptedBoxes::NextAnswer(const MessageBoxCall& call)
{
    calls.push_back(call);
    if (answers.empty())
        return DefaultAnswer(call.flags);
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

QStringList ScriptedBoxes::Texts() const
{
    QStringList texts;
    for (const MessageBoxCall& call : calls)
        texts << call.text;
    return texts;
}

ModalScript::ModalScript()
{
    currentModal = this;
    SetModalHook(&ActInModal);
}

ModalScript::~ModalScript()
{
    SetModalHook(nullptr);
    currentModal = nullptr;
}

ModalScript& ModalScript::Then(std::function<void(QWidget*)> action)
{
    actions.push_back(std::move(action));
    return *this;
}

void Click(QWidget* window, const char* buttonName)
{
    auto* button = Find<QAbstractButton>(window, buttonName);
    ASSERT_NE(button, nullptr) << "no button " << buttonName;
    ASSERT_TRUE(button->isVisible()) << "hidden button " << buttonName;
    // A check box or radio button answers a click on its box, not on the
    // empty room its widget may have right of the caption.
    if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button))
        input::Click(button, QPoint(6, button->height() / 2));
    else
        input::Click(button);
}
