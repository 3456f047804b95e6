#pragma once
// Windows with the life of the desktop class library's forms: ShowModal runs
// until ModalResult is set, OnCloseQuery may refuse, OnClose follows, and
// buttons carry the modal result they give.
#include "platform/control.h"

#include <QDialog>
#include <QPushButton>

#include <functional>

enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(QWidget* owner = nullptr);
    ~TForm() override;

    // Shows the window modally; returns its modal result once it closed.
    int ShowModal();
    // Shows the window without waiting (the main window).
    void Show();
    // Asks the window to close, through OnCloseQuery.
    void Close();

    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    // Client size in pixels; the window keeps a fixed border.
    void SetClientSize(int width, int height);

    int HelpContext = 0;
    int Tag = 0;

    // The modal window on top, or null.
    static TForm* ActiveModal();

    // Esc: clicks the window's Cancel button (shown and enabled); false when
    // the window has none.
    bool ClickCancelButton();

protected:
    virtual void FormShow() {}
    virtual void FormActivate() {}
    virtual void FormCloseQuery(bool& canClose) { (void)canClose; }
    virtual void FormClose() {}
    // F1 or a help button: the window's or the focused control's context,
    // opened in the application's help file.
    virtual void ShowHelp(int context);

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void reject() override;
    void accept() override;

private:
    bool TryClose(int result);
    void Activate();
    void RunModalHook();

    friend class TButton;
    // Closes with the modal result once no button handler of this window is
    // running any more.
    void CloseWhenIdle();

    int modalResult_ = mrNone;
    int handlersRunning_ = 0;
    bool shownOnce_ = false;
    bool closing_ = false;
};

// A push button: OnClick, then the modal result it carries closes its window.
// Cancel buttons answer Esc; a Default button answers Enter. Its accelerator
// ("O&k": Alt+K) clicks it without moving the focus, so the control being
// edited runs no OnExit.
class TButton : public QPushButton, public TControl {
    Q_OBJECT
public:
    explicit TButton(const QString& caption, QWidget* parent = nullptr);

    std::function<void()> OnClick;
    int ModalResult = mrNone;
    bool Cancel = false;
    bool Default = false;

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

    // Runs the click as the user's press does.
    void Click();

protected:
    bool event(QEvent* event) override;
};
