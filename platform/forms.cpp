#include "platform/forms.h"

#include "platform/application.h"
#include "platform/help.h"
#include "platform/testhooks.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

// Windows shown, the active one last: a nested modal window's close gives
// the activation back to the one below it.
std::vector<TForm*>& FormStack()
{
    static std::vector<TForm*> stack;
    return stack;
}

void RemoveFromStack(TForm* form)
{
    auto& stack = FormStack();
    stack.erase(std::remove(stack.begin(), stack.end(), form), stack.end());
}

TButton* FindButton(QWidget* form, bool TButton::*which)
{
    for (TButton* button : form->findChildren<TButton*>())
        if (button->*which && button->isVisible() && button->isEnabled())
            return button;
    return nullptr;
}

} // namespace

TForm::TForm(QWidget* owner) : QDialog(owner)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

TForm::~TForm()
{
    RemoveFromStack(this);
}

int TForm::ShowModal()
{
    modalResult_ = mrNone;
    shownOnce_ = false;
    FormStack().push_back(this);
    QTimer::singleShot(0, this, &TForm::RunModalHook);
    exec();
    RemoveFromStack(this);
    const int result = modalResult_;
    // The window below becomes active again, also when this one showed
    // message boxes of its own.
    Application->TakeMessageBoxShown();
    if (!FormStack().empty())
        FormStack().back()->Activate();
    return result;
}

void TForm::Show()
{
    modalResult_ = mrNone;
    FormStack().push_back(this);
    show();
}

void TForm::Close()
{
    TryClose(modalResult_ != mrNone ? modalResult_ : mrCancel);
}

void TForm::SetModalResult(int result)
{
    modalResult_ = result;
    if (result == mrNone || !isVisible())
        return;
    CloseWhenIdle();
}

void TForm::CloseWhenIdle()
{
    // Closing waits for the running handler to finish, so that a handler may
    // still take the result back. A message box the handler shows runs its
    // own loop, where this deferred close could fire: the end of the button
    // handler arms it again instead.
    QTimer::singleShot(0, this, [this] {
        if (handlersRunning_ == 0 && modalResult_ != mrNone && isVisible())
            TryClose(modalResult_);
    });
}

void TForm::SetClientSize(int width, int height)
{
    setFixedSize(width, height);
}

TForm* TForm::ActiveModal()
{
    return FormStack().empty() ? nullptr : FormStack().back();
}

bool TForm::ClickCancelButton()
{
    TButton* button = FindButton(this, &TButton::Cancel);
    if (button)
        button->Click();
    return button;
}

void TForm::ShowHelp(int context)
{
    if (context != 0)
        ShowHelpContext(Application->HelpFile, context);
}

bool TForm::TryClose(int result)
{
    if (closing_)
        return false;
    modalResult_ = result;
    bool canClose = true;
    Application->Guard([&] { FormCloseQuery(canClose); });
    if (!canClose) {
        modalResult_ = mrNone;
        return false;
    }
    Application->Guard([&] { FormClose(); });
    closing_ = true;
    QDialog::done(result);
    closing_ = false;
    if (!isModal())
        RemoveFromStack(this);
    return true;
}

void TForm::Activate()
{
    if (Application->TakeMessageBoxShown() && shownOnce_)
        return;
    Application->Guard([&] { FormActivate(); });
}

void TForm::RunModalHook()
{
    if (ModalHook hook = CurrentModalHook())
        hook(this);
}

void TForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shownOnce_)
        return;
    // Centred by its client area, which is placed the same way on every
    // showing; the frame's position (move) is known only after the first
    // one, and a window placed by it opened lower from then on.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect client(QPoint(0, 0), size());
        client.moveCenter(screen->availableGeometry().center());
        setGeometry(client);
    }
    Application->Guard([&] { FormShow(); });
    Application->TakeMessageBoxShown();
    Activate();
    shownOnce_ = true;
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape: ClickCancelButton(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (TButton* button = FindButton(this, &TButton::Default))
            button->Click();
        return;
    case Qt::Key_F1: {
        int context = HelpContext;
        for (QWidget* w = focusWidget(); w && w != this; w = w->parentWidget()) {
            const TControl* control = TControl::Of(w);
            const QVariant own = w->property("HelpContext");
            const int found = control ? control->HelpContext : own.isValid() ? own.toInt() : 0;
            if (found != 0) {
                context = found;
                break;
            }
        }
        ShowHelp(context);
        return;
    }
    default:
        QDialog::keyPressEvent(event);
    }
}

void TForm::closeEvent(QCloseEvent* event)
{
    // The title bar's close button: the window answers as to Cancel.
    event->ignore();
    if (!closing_)
        TryClose(mrCancel);
}

void TForm::done(int result)
{
    TryClose(result);
}

void TForm::reject()
{
    // Esc is answered by the Cancel button, if the window has one.
}

void TForm::accept()
{
    TryClose(mrOk);
}

TButton::TButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent), TControl(this)
{
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { Click(); });
}

void TButton::Click()
{
    TForm* form = qobject_cast<TForm*>(window());
    // The window takes the button's result first; the handler may take it
    // back (a refused validation) before the window closes.
    if (!form) {
        Application->Guard([&] {
            if (OnClick)
                OnClick();
        });
        return;
    }
    const QPointer<TForm> guard = form;
    if (ModalResult != mrNone)
        form->SetModalResult(ModalResult);
    ++form->handlersRunning_;
    Application->Guard([&] {
        if (OnClick)
            OnClick();
    });
    if (!guard)
        return;
    if (--form->handlersRunning_ == 0 && form->modalResult_ != mrNone)
        form->CloseWhenIdle();
}

bool TButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        if (isEnabled())
            Click();
        return true;
    }
    return QPushButton::event(event);
}
