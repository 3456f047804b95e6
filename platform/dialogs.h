#pragma once
// Open and save dialogs with the properties of the desktop class library's:
// a title, a filter "Description|*.EXT|...", a default extension, a file
// name in and out, options and a help context. Patterns match file names
// without regard to letter case, so *.PBX lists x.pbx too.
#include <QString>
#include <QStringList>

// Options kept with the dialog; Qt's own dialog has no read-only box and no
// help button, so they change nothing it shows.
enum TOpenOption : int {
    ofHideReadOnly = 0x01,
    ofShowHelp = 0x02,
};

enum class TFileDialogKind { Open, Save };

class TFileDialogBase {
public:
    virtual ~TFileDialogBase() = default;

    QString Title;
    QString Filter;
    QString DefaultExt;
    QString FileName;
    int Options = 0;
    int HelpContext = 0;

    // Shows the dialog; true when a file was chosen (then in FileName, with
    // the default extension added when the name typed had none).
    bool Execute();

protected:
    explicit TFileDialogBase(TFileDialogKind kind) : kind_(kind) {}

private:
    TFileDialogKind kind_;
};

class TOpenDialog : public TFileDialogBase {
public:
    TOpenDialog() : TFileDialogBase(TFileDialogKind::Open) {}
};

class TSaveDialog : public TFileDialogBase {
public:
    TSaveDialog() : TFileDialogBase(TFileDialogKind::Save) {}
};

// Qt's name filters "Description (patterns)" of a filter "Description|*.EXT|...".
QStringList QtNameFilters(const QString& filter);

// Test hook: answers every file dialog instead of showing it. It gets the
// dialog and returns true with the chosen name in fileName, or false for
// Cancel. Process-wide, like the message box hook.
struct FileDialogCall {
    TFileDialogKind kind;
    QString title;
    QString filter;
    QString defaultExt;
    QString fileName;
    int options = 0;
    int helpContext = 0;
};
using FileDialogHook = bool (*)(const FileDialogCall& call, QString& fileName);
void SetFileDialogHook(FileDialogHook hook);
FileDialogHook CurrentFileDialogHook();
