#pragma once
// Keyboard and mouse input for the control tests, through Qt's test module:
// keys go to the widget that has the focus (or to the one given), after the
// window's shortcuts had their say; a mouse click moves the focus before the
// control sees the press, as the user's own does.
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace input {

inline QWidget* Target(QWidget* widget)
{
    return widget ? widget : QApplication::focusWidget();
}

inline Qt::Key KeyOf(QChar c)
{
    switch (c.unicode()) {
    case '\b': return Qt::Key_Backspace;
    case '\r': return Qt::Key_Return;
    case '\t': return Qt::Key_Tab;
    case 0x1B: return Qt::Key_Escape;
    default: return c.unicode() < 0x20 ? Qt::Key_unknown : Qt::Key(c.toUpper().unicode());
    }
}

// Presses and releases one key; without a text, the text the key types. The
// release goes where the focus is then, as a keyboard's does (the press may
// have moved it, into a grid's editor for one).
inline void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString(),
                QWidget* widget = nullptr)
{
    for (QTest::KeyAction action : {QTest::Press, QTest::Release}) {
        QWidget* target = Target(widget);
        if (!target)
            return;
        if (text.isEmpty())
            QTest::keyEvent(action, target, Qt::Key(key), mods);
        else
            QTest::sendKeyEvent(action, target, Qt::Key(key), text, mods);
    }
}

// Types the characters one key at a time ('\b' backspace, '\r' Enter), any
// character a keyboard may give included.
inline void Type(const QString& text, QWidget* widget = nullptr)
{
    for (QChar c : text)
        Key(KeyOf(c), Qt::NoModifier, QString(c), widget);
}

// Lets the events already queued run: the activation a window manager
// gives back to a window once a message box over it is gone, say.
inline void Settle()
{
    QCoreApplication::processEvents();
}

// A left click at a point of the widget (its centre by default).
inline void Click(QWidget* widget, QPoint at = QPoint(-1, -1))
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at.x() < 0 ? widget->rect().center() : at);
    QCoreApplication::processEvents();
}

// Alt and a letter, as an accelerator: the window's shortcut map decides.
inline void Accelerator(char letter)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_A + (letter - 'a')), Qt::AltModifier);
}

// Shows the window and makes it the active one, so that focus works.
// An activation asked for while the window is already active would arrive
// later, at some unrelated moment (a closed window given the focus again), so
// it is asked for only when needed, and waited for.
inline bool Activate(QWidget* window)
{
    window->show();
    QCoreApplication::processEvents(); // activations already on their way
    if (window->isActiveWindow())
        return true;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window, 5000);
}

} // namespace input
