#pragma once
// The application object of one deliverable: its title, its help file, its
// message boxes and the box for an error that no handler caught. The program
// and the editing library each have their own.
#include <QString>

#include <exception>
#include <functional>

// Message box flags and answers, with the values the windows pass and test.
enum : int {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_ABORTRETRYIGNORE = 0x02,
    MB_YESNOCANCEL = 0x03,
    MB_YESNO = 0x04,
    MB_RETRYCANCEL = 0x05,
    MB_ICONHAND = 0x10,
    MB_ICONERROR = MB_ICONHAND,
    MB_ICONSTOP = MB_ICONHAND,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = MB_ICONEXCLAMATION,
    MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = MB_ICONASTERISK,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
};

enum : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
};

class TApplication {
public:
    QString Title;
    QString HelpFile;

    // Shows a modal box and returns the button pressed; an empty caption
    // shows the application's title. Closing the box without a button gives
    // IDCANCEL where the box has Cancel, else the only/first button.
    int MessageBox(const QString& text, const QString& caption = QString(), int flags = MB_OK);
    // The warning sound of a refused key or action.
    void Beep();

    // The box for an error that escaped every handler: one box with the
    // error's text, and the program goes on.
    void ShowException(const std::exception& error);
    void ShowException(const QString& text);

    // Runs a handler of a window; an error it throws ends only this user
    // action, with the error box.
    void Guard(const std::function<void()>& handler);

    // Loads Qt's own Brazilian Portuguese texts (message box buttons, file
    // dialogs) into the Qt application object, once for both deliverables.
    void LoadTranslations();

    // True while, since the last call, a message box was shown; windows use
    // it to tell a return from a message box from a nested window's close.
    bool TakeMessageBoxShown();

private:
    bool messageBoxShown_ = false;
};

// The application object of the deliverable this layer is compiled into.
extern TApplication* const Application;
