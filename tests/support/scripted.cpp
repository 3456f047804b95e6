#include "tests/support/scripted.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

ScriptedBoxes* currentBoxes = nullptr;
ModalScript* currentModal = nullptr;

int AnswerBox(const MessageBoxCall& call)
{
    ScriptedBoxes* boxes = currentBoxes;
    boxes->calls.push_back(call);
    if (boxes->answers.empty()) {
        switch (call.flags & 0x0F) {
        case MB_YESNOCANCEL:
        case MB_YESNO: return IDYES;
        case MB_RETRYCANCEL: return IDRETRY;
        case MB_ABORTRETRYIGNORE: return IDABORT;
        default: return IDOK;
        }
    }
    const int answer = boxes->answers.front();
    boxes->answers.pop_front();
    return answer;
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
    action(form);
}

} // namespace

ScriptedBoxes::ScriptedBoxes(std::deque<int> initial) : answers(std::move(initial))
{
    currentBoxes = this;
    SetMessageBoxHook(&AnswerBox);
}

ScriptedBoxes::~ScriptedBoxes()
{
    SetMessageBoxHook(nullptr);
    currentBoxes = nullptr;
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
    button->click();
}
