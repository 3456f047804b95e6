#include "platform/control.h"

#include "image/cp1252.h"
#include "platform/application.h"
#include "platform/forms.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <map>
#include <vector>

namespace {

// The program and the editing library each link a copy of this layer, and
// both copies see every widget of the process (the library's classes even
// pass a dynamic_cast of the program's, since their type names match). The
// address of this object tells the controls of this copy from the others.
char thisCopy;

// The controls from a widget up to (not including) the first ancestor that
// also contains other; innermost first.
std::vector<TControl*> ControlsUpTo(QWidget* from, QWidget* other)
{
    std::vector<TControl*> chain;
    for (QWidget* w = from; w && !w->isWindow(); w = w->parentWidget()) {
        if (other && (w == other || w->isAncestorOf(other)))
            break;
        if (TControl* control = TControl::Of(w))
            chain.push_back(control);
    }
    return chain;
}

// One event filter of this copy, made on first use and owned by the Qt
// application object. It goes with the application or with this copy (the
// library unloaded), whichever ends first; Qt forgets a filter once it is
// deleted, and a later use makes a new one.
template <typename Filter>
Filter& FilterOfThisCopy()
{
    struct Holder {
        QPointer<Filter> filter;
        ~Holder() { delete filter.data(); }
    };
    static Holder holder;
    if (!holder.filter)
        holder.filter = new Filter(qApp);
    return *holder.filter;
}

// Runs the exit and enter events as the focus moves, and remembers a move
// that an exit handler refused so that the mouse press behind it is dropped.
class FocusRules : public QObject {
public:
    explicit FocusRules(QObject* owner) : QObject(owner) { owner->installEventFilter(this); }

    static FocusRules& Instance() { return FilterOfThisCopy<FocusRules>(); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
            return false;
        QWidget* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        auto* focus = static_cast<QFocusEvent*>(event);
        if (event->type() == QEvent::FocusOut)
            return Leaving(widget, focus->reason());
        Entering(widget);
        // An enter handler that sent the focus elsewhere (after a message
        // box, say) refuses the mouse press that brought the focus here, so
        // a button refusing its own enter is not clicked too.
        if (focus->reason() == Qt::MouseFocusReason && QApplication::focusWidget() != widget)
            refusedPress_ = widget;
        return false;
    }

    // True once for the widget whose focus was just refused by a mouse press.
    bool TakeRefusedPress(QWidget* widget)
    {
        const bool refused = refusedPress_ && refusedPress_ == widget;
        refusedPress_ = nullptr;
        return refused;
    }

private:
    // The control of a window that holds the focus as far as the enter and
    // exit events go.
    QPointer<QWidget>& ActiveOf(QWidget* window)
    {
        auto found = active_.find(window);
        if (found == active_.end()) {
            found = active_.emplace(window, nullptr).first;
            connect(window, &QObject::destroyed, this, [this, window] { active_.erase(window); });
        }
        return found->second;
    }

    bool Leaving(QWidget* prev, Qt::FocusReason reason)
    {
        if (exiting_ || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
            || reason == Qt::MenuBarFocusReason)
            return false;
        QWidget* next = QApplication::focusWidget();
        if (!next || next->window() != prev->window())
            return false;
        if (ActiveOf(prev->window()) != prev)
            return false;
        // While the exit handlers run, the focus may go to a message box and
        // come back: those moves are no enters or exits of their own.
        const QPointer<QWidget> guardPrev = prev;
        const QPointer<QWidget> guardNext = next;
        const std::vector<TControl*> chain = ControlsUpTo(prev, next);
        bool moved = false;
        ++exiting_;
        for (TControl* control : chain) {
            control->DoExit();
            if (QApplication::focusWidget() != guardNext) {
                moved = true;
                break;
            }
        }
        --exiting_;
        if (!moved)
            return false;
        if (reason == Qt::MouseFocusReason)
            refusedPress_ = guardNext;
        QWidget* now = QApplication::focusWidget();
        if (guardPrev && now == guardPrev)
            return true; // back on the old control: it never lost the focus
        if (now && guardPrev && now->window() == guardPrev->window())
            Entering(now); // an exit handler sent the focus elsewhere
        return false;
    }

    void Entering(QWidget* widget)
    {
        if (exiting_)
            return;
        QPointer<QWidget>& active = ActiveOf(widget->window());
        const QPointer<QWidget> old = active;
        if (old == widget)
            return;
        active = widget;
        std::vector<TControl*> chain = ControlsUpTo(widget, old.data());
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            (*it)->DoEnter();
            if (QApplication::focusWidget() != widget)
                return;
        }
    }

    std::map<const QWidget*, QPointer<QWidget>> active_;
    int exiting_ = 0;
    QPointer<QWidget> refusedPress_;
};

// Key and mouse events of the controls, ahead of the widgets' own handling.
class ControlEvents : public QObject {
public:
    explicit ControlEvents(QObject* owner) : QObject(owner) {}

    static ControlEvents& Instance() { return FilterOfThisCopy<ControlEvents>(); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        QWidget* widget = qobject_cast<QWidget*>(watched);
        TControl* control = widget ? TControl::Of(widget) : nullptr;
        if (!control)
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            return Propagated(widget) ? false : control->FilterKeyPress(static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease:
            return Propagated(widget) ? false : control->FilterKeyRelease(static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
            return Press(widget, control, static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            return Release(widget, control, static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonDblClick:
            if (swallowRelease_ == widget)
                return true;
            control->DblClick();
            return false;
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint p = mouse->position().toPoint();
            control->MouseMove(ShiftStateOf(mouse->modifiers(), mouse->buttons()), p.x(), p.y());
            return false;
        }
        default:
            return false;
        }
    }

private:
    // A key that a focused child passed on to its parent: only the child's
    // own control handles it.
    static bool Propagated(QWidget* widget)
    {
        QWidget* focus = QApplication::focusWidget();
        return focus && focus != widget && widget->isAncestorOf(focus);
    }

    static TMouseButton ButtonOf(const QMouseEvent* mouse)
    {
        switch (mouse->button()) {
        case Qt::RightButton: return mbRight;
        case Qt::MiddleButton: return mbMiddle;
        default: return mbLeft;
        }
    }

    bool Press(QWidget* widget, TControl* control, QMouseEvent* mouse)
    {
        if (TControl::PressRefused(widget)) {
            swallowRelease_ = widget;
            return true;
        }
        swallowRelease_ = nullptr;
        const QPoint p = mouse->position().toPoint();
        control->MouseDown(ButtonOf(mouse), ShiftStateOf(mouse->modifiers(), mouse->buttons()), p.x(), p.y());
        return false;
    }

    bool Release(QWidget* widget, TControl* control, QMouseEvent* mouse)
    {
        if (swallowRelease_ == widget) {
            swallowRelease_ = nullptr;
            return true;
        }
        const QPoint p = mouse->position().toPoint();
        control->MouseUp(ButtonOf(mouse), ShiftStateOf(mouse->modifiers(), mouse->buttons()), p.x(), p.y());
        return false;
    }

    QPointer<QWidget> swallowRelease_;
};

// Set while a replaced character is sent on to its widget.
bool forwardingKey = false;

struct KeyName {
    int qtKey;
    int vk;
};

const KeyName kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},  {Qt::Key_Enter, VK_RETURN},  {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},     {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},    {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},        {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},          {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},  {Qt::Key_Delete, VK_DELETE},
};

// The keys of the number pad's signs.
const KeyName kKeypadKeys[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},    {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

// The key that types each sign on the keyboard: a digit key with Shift, or
// one of the sign keys.
const KeyName kSignKeys[] = {
    {Qt::Key_Exclam, '1'},          {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},      {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},         {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},       {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},       {Qt::Key_ParenRight, '0'},
    {Qt::Key_Semicolon, VK_OEM_1},  {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},   {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},  {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},  {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},      {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},  {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},  {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7}, {Qt::Key_QuoteDbl, VK_OEM_7},
};

// The virtual key of a Qt key in a table, or 0.
template <size_t N>
int KeyIn(const KeyName (&table)[N], int qtKey)
{
    for (const KeyName& name : table)
        if (name.qtKey == qtKey)
            return name.vk;
    return 0;
}

} // namespace

TControl::TControl(QWidget* self) : self_(self), copy_(&thisCopy)
{
    FocusRules::Instance();
    self->installEventFilter(&ControlEvents::Instance());
}

TControl::~TControl() = default;

void TControl::SetFocus()
{
    if (self_)
        self_->setFocus(Qt::OtherFocusReason);
}

bool TControl::CanFocus() const
{
    return self_ && self_->isVisible() && self_->isEnabled() && self_->focusPolicy() != Qt::NoFocus;
}

TControl* TControl::Of(QObject* object)
{
    TControl* control = dynamic_cast<TControl*>(object);
    return control && control->copy_ == &thisCopy ? control : nullptr;
}

void TControl::Run(const std::function<void()>& handler)
{
    if (handler)
        Application->Guard(handler);
}

bool TControl::PressRefused(QWidget* widget)
{
    return FocusRules::Instance().TakeRefusedPress(widget);
}

void TControl::DoEnter()
{
    Run(OnEnter);
}

void TControl::DoExit()
{
    Run(OnExit);
}

void TControl::KeyDown(int& Key, TShiftState Shift)
{
    if (OnKeyDown)
        Application->Guard([&] { OnKeyDown(Key, Shift); });
}

void TControl::KeyPress(char& Key)
{
    if (OnKeyPress)
        Application->Guard([&] { OnKeyPress(Key); });
}

void TControl::KeyUp(int& Key, TShiftState Shift)
{
    if (OnKeyUp)
        Application->Guard([&] { OnKeyUp(Key, Shift); });
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        Application->Guard([&] { OnMouseDown(Button, Shift, X, Y); });
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        Application->Guard([&] { OnMouseUp(Button, Shift, X, Y); });
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        Application->Guard([&] { OnMouseMove(Shift, X, Y); });
}

void TControl::DblClick()
{
    Run(OnDblClick);
}

bool TControl::WindowTookKey(int key)
{
    if (key != VK_ESCAPE || WantsEscape())
        return false;
    auto* form = qobject_cast<TForm*>(self_ ? self_->window() : nullptr);
    return form && form->ClickCancelButton();
}

bool TControl::FilterKeyPress(QKeyEvent* event)
{
    if (forwardingKey)
        return false;
    int key = VirtualKeyOf(event);
    if (key == VK_TAB && !WantsTabs())
        return false;
    if (WindowTookKey(key))
        return true;
    if (key != 0) {
        KeyDown(key, ShiftStateOf(event->modifiers()));
        if (key == 0)
            return true;
    }
    const char typed = CharOf(event);
    if (typed == 0)
        return false;
    char c = typed;
    KeyPress(c);
    if (c == 0)
        return true;
    if (c == typed)
        return false;
    // Another character: the widget gets it in place of the typed one.
    QKeyEvent replaced(QEvent::KeyPress, 0, event->modifiers(), QString(CharToQChar(c)));
    forwardingKey = true;
    QCoreApplication::sendEvent(self_, &replaced);
    forwardingKey = false;
    return true;
}

bool TControl::FilterKeyRelease(QKeyEvent* event)
{
    if (forwardingKey || event->isAutoRepeat())
        return false;
    int key = VirtualKeyOf(event);
    if (key == 0 || (key == VK_TAB && !WantsTabs()))
        return false;
    KeyUp(key, ShiftStateOf(event->modifiers()));
    return key == 0;
}

int VirtualKeyOf(const QKeyEvent* event)
{
    const int key = event->key();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return VK_F1 + (key - Qt::Key_F1);
    if (const int named = KeyIn(kKeys, key))
        return named;
    if (const int sign = keypad ? KeyIn(kKeypadKeys, key) : 0)
        return sign;
    // Other keys (accented letters, dead keys) have no code of their own;
    // their characters still reach OnKeyPress.
    return KeyIn(kSignKeys, key);
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}

char CharOf(const QKeyEvent* event)
{
    const QString text = event->text();
    if (text.size() != 1)
        return 0;
    return QCharToChar(text[0]);
}

QChar CharToQChar(char c)
{
    return QChar(static_cast<char16_t>(Cp1252ParaUnicode(static_cast<std::uint8_t>(c))));
}

char QCharToChar(QChar c)
{
    const auto byte = UnicodeParaCp1252(c.unicode());
    return byte ? static_cast<char>(*byte) : 0;
}
