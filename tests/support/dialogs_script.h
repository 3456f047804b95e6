#pragma once
// Scripted answers for the open and save dialogs.
//
//   ScriptedFileDialogs files({"/tmp/x/a.pbx"});  // the next dialog picks it
//   files.Cancel();                              // the one after is cancelled
//   EXPECT_EQ(files.calls[0].title, "...");
#include "platform/dialogs.h"

#include <QString>

#include <deque>
#include <optional>
#include <vector>

// While alive, every file dialog is recorded and answered from the queue;
// a dialog with no answer left is cancelled.
class ScriptedFileDialogs {
public:
    explicit ScriptedFileDialogs(std::deque<std::optional<QString>> answers = {});
    ~ScriptedFileDialogs();
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    void Choose(const QString& fileName) { answers.push_back(fileName); }
    void Cancel() { answers.push_back(std::nullopt); }

    std::deque<std::optional<QString>> answers;
    std::vector<FileDialogCall> calls;
};
