#pragma once
// What every control of the windows shares: Tag, HelpContext, the focus
// events and the key and mouse events in the form the window handlers are
// written for.
//
//   OnExit of the control that loses the focus runs before OnEnter of the one
//   that gets it, for the control and for each container (panel, group box,
//   grid) that the focus leaves or enters. A handler of OnExit that puts the
//   focus back cancels the move: nothing is entered, and the mouse press
//   that started the move does nothing (the button it fell on is not clicked).
//
//   Esc is the window's when it has a Cancel button: it clicks the button
//   and no key handler of the control sees it (unless the control wants the
//   key, as a grid's editor does to cancel the edit).
//
//   OnKeyDown sees every other key first (Key set to 0 drops it), then OnKeyPress
//   the character it types (Key set to 0 drops it; another character
//   replaces it), then the control. OnKeyUp follows on release.
//
// Handlers run through Application->Guard: an error they throw ends only
// that action, with the error box.
#include "platform/types.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QMouseEvent;

using TNotifyEvent = std::function<void()>;
using TKeyEvent = std::function<void(int& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(char& Key)>;
using TMouseEvent = std::function<void(TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TShiftState Shift, int X, int Y)>;

class TControl {
public:
    explicit TControl(QWidget* self);
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    int Tag = 0;
    // F1 inside the control opens this help topic (0: the window's).
    int HelpContext = 0;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnDblClick;

    QWidget* Widget() const { return self_; }

    bool Enabled() const { return self_->isEnabled(); }
    void SetEnabled(bool enabled) { self_->setEnabled(enabled); }
    bool Visible() const { return !self_->isHidden(); }
    void SetVisible(bool visible) { self_->setVisible(visible); }
    bool Focused() const { return self_->hasFocus(); }
    // Gives the control the focus, through the exit and enter rules.
    void SetFocus();
    bool CanFocus() const;

    // Position and size as the windows' layouts give them.
    void SetBounds(int left, int top, int width, int height) { self_->setGeometry(left, top, width, height); }

    // The control a widget is, if it is one of this copy of the layer (the
    // program and the editing library each have their own); else null.
    static TControl* Of(QObject* object);

    // Runs a handler of this control through Application->Guard.
    static void Run(const std::function<void()>& handler);
    // True, once, when the mouse press now arriving at widget started a
    // focus move that an OnExit refused; the press must then do nothing.
    static bool PressRefused(QWidget* widget);

    // The event handling the windows rely on; controls that need more (the
    // grid and its editor) override these and call the base.
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void KeyUp(int& Key, TShiftState Shift);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void DblClick();

    // Whether Tab is a key of the control; otherwise it moves the focus and
    // the key handlers never see it.
    virtual bool WantsTabs() const { return false; }
    // Whether Esc is a key of the control; otherwise, in a window with a
    // Cancel button, it clicks that button and the key handlers never see it.
    virtual bool WantsEscape() const { return false; }

    // Key events: returns true when the key was dropped by a handler and the
    // widget must not see it. A replaced character is passed on by sending
    // the widget a new event.
    virtual bool FilterKeyPress(QKeyEvent* event);
    virtual bool FilterKeyRelease(QKeyEvent* event);

protected:
    // True when key is one the window answers ahead of the control (Esc for
    // the Cancel button) and the window did.
    bool WindowTookKey(int key);

private:
    QPointer<QWidget> self_;
    const void* copy_; // which copy of the layer made the control
};

// Key code and shift state of a Qt key event.
int VirtualKeyOf(const QKeyEvent* event);
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
// The character a key event types in the windows' 8-bit code page, or 0.
char CharOf(const QKeyEvent* event);
// The windows' 8-bit code page: one byte to a character and back.
QChar CharToQChar(char c);
char QCharToChar(QChar c);
