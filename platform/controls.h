#pragma once
// The standard controls of the editing windows, with the rules their
// handlers are written for:
//   - a check box's OnClick runs whenever its state changes, by the user or
//     by SetChecked (not when set to the state it already has); a radio
//     button's when it becomes checked;
//   - an edit's and a combo box's OnChange runs when the user changes the
//     text and when the program sets Text;
//   - list selections set by the program (ItemIndex) run no handler, except
//     the radio group's OnClick, which follows its ItemIndex;
//   - focus, key and mouse events as in control.h.
// Each control also answers to its Qt objectName, which the windows set to
// the control's name.
#include "platform/control.h"
#include "platform/maskedit.h"
#include "platform/strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <vector>

class QStackedWidget;
class QTabBar;

// The Items of a list control (combo box, list box, radio group): written
// once, each control giving each operation's effect on its widget.
template <typename Owner>
class TItemsOf : public TStrings {
public:
    explicit TItemsOf(Owner* owner) : owner_(owner) {}
    int Count() const override;
    QString Get(int index) const override;
    void Put(int index, const QString& value) override;
    void Insert(int index, const QString& value) override;
    int Add(const QString& value) override;
    void Delete(int index) override;
    void Clear() override;

private:
    Owner* owner_;
};

// Each list control defines these operations for its own widget in
// controls.cpp; they are declared here so that every file sees them.
#define DECLARE_ITEMS_OF(Owner)                                         \
    class Owner;                                                        \
    template <> int TItemsOf<Owner>::Count() const;                     \
    template <> QString TItemsOf<Owner>::Get(int index) const;          \
    template <> void TItemsOf<Owner>::Put(int index, const QString& value); \
    template <> void TItemsOf<Owner>::Insert(int index, const QString& value); \
    template <> int TItemsOf<Owner>::Add(const QString& value);         \
    template <> void TItemsOf<Owner>::Delete(int index);                \
    template <> void TItemsOf<Owner>::Clear();
DECLARE_ITEMS_OF(TComboBox)
DECLARE_ITEMS_OF(TListBox)
DECLARE_ITEMS_OF(TRadioGroup)
#undef DECLARE_ITEMS_OF

// A one-line edit.
class TEdit : public QLineEdit, public TControl {
    Q_OBJECT
public:
    explicit TEdit(QWidget* parent = nullptr);

    TNotifyEvent OnChange;

    QString Text() const { return text(); }
    void SetText(const QString& value);
    // What the user may type or paste (0: no limit); text the program sets
    // is never cut.
    int MaxLength() const;
    void SetMaxLength(int length);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
    // A character shown in place of each one typed (0: the text itself).
    void SetPasswordChar(char c);
    char PasswordChar() const { return passwordChar_; }
    // The character the edit draws for each one typed, as the style gives it.
    QChar ShownPasswordChar() const;
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    void SelectAll() { selectAll(); }
    void Clear() { SetText(QString()); }

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    char passwordChar_ = 0;
};

// A check box; OnClick runs on every change of Checked.
class TCheckBox : public QCheckBox, public TControl {
    Q_OBJECT
public:
    explicit TCheckBox(const QString& caption = QString(), QWidget* parent = nullptr);

    TNotifyEvent OnClick;

    bool Checked() const { return isChecked(); }
    void SetChecked(bool checked) { setChecked(checked); }
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

};

// A radio button; the buttons of one parent exclude each other. OnClick runs
// when the button becomes checked, by the user or by SetChecked(true).
class TRadioButton : public QRadioButton, public TControl {
    Q_OBJECT
public:
    explicit TRadioButton(const QString& caption = QString(), QWidget* parent = nullptr);

    TNotifyEvent OnClick;

    bool Checked() const { return isChecked(); }
    // Unchecking works also for the only checked button of a group.
    void SetChecked(bool checked);
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

};

enum TComboBoxStyle { csDropDown, csDropDownList };

// A combo box: csDropDown takes free text, csDropDownList picks an item.
// Sorted keeps the items in case-insensitive order as they are added.
class TComboBox : public QComboBox, public TControl {
    Q_OBJECT
public:
    explicit TComboBox(QWidget* parent = nullptr, TComboBoxStyle style = csDropDown);

    TNotifyEvent OnChange;
    // Runs when the user picks an item (before OnChange).
    TNotifyEvent OnClick;
    TNotifyEvent OnDropDown;

    TStrings& Items() { return items_; }

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    // -1: no item (free text that is no item's text, or nothing picked).
    int ItemIndex() const;
    void SetItemIndex(int index);
    QString Text() const;
    // Free text: the edit shows the text. Pick list: selects the item of
    // that text (case-insensitive) or none.
    void SetText(const QString& value);
    // Free text: what the user may type or paste (0: no limit); the text the
    // program sets or an item picked is never cut.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    void SelectAll();
    void Clear() { Items().Clear(); }

protected:
    void showPopup() override;

private:
    friend class TItemsOf<TComboBox>;

    void Changed();
    void UserPicked(int index);
    void ApplyStyle();

    TItemsOf<TComboBox> items_{this};
    TComboBoxStyle style_ = csDropDown;
    bool sorted_ = false;
    int maxLength_ = 0;
    int silent_ = 0;
};

// A list box of strings, one selected (ItemIndex, -1 none).
class TListBox : public QListWidget, public TControl {
    Q_OBJECT
public:
    explicit TListBox(QWidget* parent = nullptr);

    // Runs when the user selects an item with the mouse or the keyboard.
    TNotifyEvent OnClick;

    TStrings& Items() { return items_; }

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The first item shown.
    int TopIndex() const;
    void SetTopIndex(int index);
    void Clear() { Items().Clear(); }

private:
    friend class TItemsOf<TListBox>;

    TItemsOf<TListBox> items_{this};
    bool sorted_ = false;
    int silent_ = 0;
};

// A group box: a frame with a caption around other controls. OnEnter and
// OnExit run when the focus enters or leaves the controls inside.
class TGroupBox : public QGroupBox, public TControl {
    Q_OBJECT
public:
    explicit TGroupBox(const QString& caption = QString(), QWidget* parent = nullptr);

    QString Caption() const { return title(); }
    void SetCaption(const QString& caption) { setTitle(caption); }
};

// A group of radio buttons built from Items, laid out in Columns; ItemIndex
// -1 checks none. OnClick runs when ItemIndex changes, by the user or by the
// program (not when set to -1).
class TRadioGroup : public QGroupBox, public TControl {
    Q_OBJECT
public:
    explicit TRadioGroup(const QString& caption = QString(), QWidget* parent = nullptr);

    TNotifyEvent OnClick;

    TStrings& Items() { return items_; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    QString Caption() const { return title(); }
    void SetCaption(const QString& caption) { setTitle(caption); }
    // The radio button of item i (named by the caller if it wishes).
    QRadioButton* Button(int index) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TItemsOf<TRadioGroup>;

    void Rebuild();
    void ArrangeButtons();
    void ButtonClicked(int index);

    TItemsOf<TRadioGroup> items_{this};
    QStringList captions_;
    std::vector<QRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

// A label. "&" marks the accelerator letter ("&&" a plain "&"); with a
// FocusControl, Alt and that letter give the control the focus.
class TLabel : public QLabel, public TControl {
    Q_OBJECT
public:
    explicit TLabel(const QString& caption = QString(), QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control);
    void SetFontColor(TColor color);
    // Grows the label to its text, as the windows' labels do.
    bool AutoSize = true;

private:
    void Refresh();

    QString caption_;
    QPointer<QWidget> focusControl_;
};

enum TBevelCut { bvNone, bvLowered, bvRaised };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A panel: a filled rectangle with an outer and an inner bevel and a
// caption, that may hold other controls. OnEnter/OnExit as for TGroupBox.
class TPanel : public QFrame, public TControl {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent = nullptr);

    TNotifyEvent OnClick;

    // Each setter repaints the panel.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) { Repaint(caption_, caption); }
    TColor Color() const { return color_; }
    void SetColor(TColor color) { Repaint(color_, color); }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color) { Repaint(fontColor_, color); }
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel) { Repaint(bevelOuter_, bevel); }
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut bevel) { Repaint(bevelInner_, bevel); }
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width) { Repaint(bevelWidth_, std::max(width, 1)); }
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width) { Repaint(borderWidth_, std::max(width, 0)); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { Repaint(alignment_, alignment); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    template <typename T>
    void Repaint(T& field, const T& value)
    {
        field = value;
        update();
    }

    QString caption_;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clBtnText;
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
    bool pressed_ = false;
};

// A small flat button that never takes the focus (navigation buttons), so
// clicking it runs no OnExit of the control being edited.
class TSpeedButton : public QToolButton, public TControl {
    Q_OBJECT
public:
    explicit TSpeedButton(const QString& caption = QString(), QWidget* parent = nullptr);

    TNotifyEvent OnClick;
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    void Click();
};

// A notebook of pages with tabs. OnChange(NewTab, AllowChange) runs before
// the page changes, for the user's and the program's changes; setting
// AllowChange to false keeps the current page.
class TTabbedNotebook : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TTabbedNotebook(QWidget* parent = nullptr);

    std::function<void(int NewTab, bool& AllowChange)> OnChange;

    // Adds a page with its tab caption; returns the page, the parent of the
    // page's controls.
    QWidget* AddPage(const QString& caption);
    int PageCount() const;
    QWidget* Page(int index) const;
    QStringList Pages() const;
    int PageIndex() const { return pageIndex_; }
    void SetPageIndex(int index);
    QString ActivePage() const;
    void SetActivePage(const QString& caption);

    // Asks OnChange and changes the page if allowed; returns whether it did.
    bool RequestPage(int index);

private:
    QTabBar* tabs_;
    QStackedWidget* stack_;
    int pageIndex_ = -1;
    bool changing_ = false;
};

// A timer that runs OnTimer every Interval milliseconds while Enabled.
class TTimer : public QObject {
    Q_OBJECT
public:
    explicit TTimer(QObject* owner = nullptr);

    TNotifyEvent OnTimer;
    int Tag = 0;

    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

private:
    void Restart();

    QTimer timer_;
    int interval_ = 1000;
    bool enabled_ = true;
};
