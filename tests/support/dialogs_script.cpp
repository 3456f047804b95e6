#include "tests/support/dialogs_script.h"

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
