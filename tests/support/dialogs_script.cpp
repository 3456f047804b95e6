#include "tests/support/dialogs_script.h"

#include "tests/support/input.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

ScriptedFileDialogs* currentFiles = nullptr;

bool AnswerFileDialog(const FileDialogCall& call, QString& fileName)
{
    ScriptedFileDialogs* files = currentFiles;
    files->calls.push_back(call);
    if (files->answers.empty())
        return false;
    const std::optional<QString> answer = files->answers.front();
    files->answers.pop_front();
    if (!answer)
        return false;
    fileName = *answer;
    return true;
}

} // namespace

ScriptedFileDialogs::ScriptedFileDialogs(std::deque<std::optional<QString>> initial) : answers(std::move(initial))
{
    currentFiles = this;
    SetFileDialogHook(&AnswerFileDialog);
}

ScriptedFileDialogs::~ScriptedFileDialogs()
{
    SetFileDialogHook(nullptr);
    currentFiles = nullptr;
}

ShownFileDialogs::ShownFileDialogs(std::deque<std::optional<QString>> initial) : answers(std::move(initial))
{
    SetFileDialogHook(nullptr);
    qApp->installEventFilter(this);
}

ShownFileDialogs::~ShownFileDialogs()
{
    qApp->removeEventFilter(this);
}

bool ShownFileDialogs::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QFileDialog*>(watched)) {
            // Once the dialog's own loop runs.
            QPointer<QFileDialog> shown(dialog);
            QTimer::singleShot(0, dialog, [this, shown] {
                if (shown)
                    Answer(shown);
            });
        }
    return QObject::eventFilter(watched, event);
}

void ShownFileDialogs::Answer(QWidget* dialog)
{
    titles << dialog->windowTitle();
    input::Activate(dialog);
    std::optional<QString> answer;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    if (!answer) {
        input::Key(Qt::Key_Escape);
        return;
    }
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    input::Click(name);
    input::Key(Qt::Key_A, Qt::ControlModifier);
    input::Type(*answer);
    input::Key(Qt::Key_Return);
}
