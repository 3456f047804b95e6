#pragma once
// Scripted answers for the open and save dialogs.
//
//   ScriptedFileDialogs files({"/tmp/x/a.pbx"});  // the next dialog picks it
//   files.Cancel();                              // the one after is cancelled
//   EXPECT_EQ(files.calls[0].title, "...");
//
// ShownFileDialogs does the same with the dialogs really shown, answered
// from inside their own loop as a person does: the name typed into the
// name field and Enter pressed, or Escape for Cancel.
#include "platform/dialogs.h"

#include <QObject>
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

// While alive, every file dialog is shown and answered from the queue, with
// the keyboard; a dialog with no answer left is cancelled with Escape.
class ShownFileDialogs : public QObject {
public:
    explicit ShownFileDialogs(std::deque<std::optional<QString>> answers = {});
    ~ShownFileDialogs() override;

    std::deque<std::optional<QString>> answers;
    QStringList titles; // of the dialogs shown, in order

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Answer(QWidget* dialog);
};
