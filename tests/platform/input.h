#pragma once
// Keyboard and mouse input for the control tests. Keys are sent to the widget
// that has the focus (or to the one given); mouse clicks and accelerators go
// through the window system layer, as the user's own do, so that a click
// moves the focus before the control sees it.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

// Entry points of the GUI library that deliver input as the window system
// would.
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                                      Qt::KeyboardModifiers mods, int timestamp);
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace input {

inline QWidget* Target(QWidget* widget)
{
    if (widget)
        return widget;
    return QApplication::focusWidget();
}

inline int KeyOf(QChar c)
{
    if (c == QLatin1Char('\b'))
        return Qt::Key_Backspace;
    if (c == QLatin1Char('\r'))
        return Qt::Key_Return;
    if (c == QLatin1Char(' '))
        return Qt::Key_Space;
    return c.toUpper().unicode();
}

// Presses and releases one key.
inline void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString(),
                QWidget* widget = nullptr)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(Target(widget), &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    if (QWidget* now = Target(widget))
        QCoreApplication::sendEvent(now, &release);
}

// Types the characters one key at a time ('\b' backspace, '\r' Enter).
inline void Type(const QString& text, QWidget* widget = nullptr)
{
    for (QChar c : text)
        Key(KeyOf(c), Qt::NoModifier, QString(c), widget);
}

// A left click at a point of the widget, through the window system.
inline void Click(QWidget* widget, QPoint at = QPoint(-1, -1))
{
    if (at.x() < 0)
        at = widget->rect().center();
    QWidget* window = widget->window();
    QWindow* handle = window->windowHandle();
    const QPointF local = widget->mapTo(window, at);
    const QPointF global = widget->mapToGlobal(at);
    qt_handleMouseEvent(handle, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress,
                        Qt::NoModifier, 0);
    qt_handleMouseEvent(handle, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease,
                        Qt::NoModifier, 1);
    QCoreApplication::processEvents();
}

// Alt and a letter, as an accelerator: the window's shortcut map decides.
inline void Accelerator(char letter)
{
    const int key = Qt::Key_A + (letter - 'a');
    QWidget* focus = QApplication::focusWidget();
    if (!qt_sendShortcutOverrideEvent(focus, 0, key, Qt::AltModifier, QString(QLatin1Char(letter)), false, 1))
        Key(key, Qt::AltModifier, QString(QLatin1Char(letter)));
}

// Shows the window and makes it the active one, so that focus works.
inline bool Activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    for (int i = 0; i < 50 && !window->isActiveWindow(); ++i)
        QCoreApplication::processEvents();
    return window->isActiveWindow();
}

} // namespace input
