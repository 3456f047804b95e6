#include "platform/controls.h"

#include "platform/typinglimit.h"

#include <QCompleter>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Adds a string to a list: at the end, or in a sorted list after every
// string not greater. Returns where it went.
int AddInOrder(TStrings& items, bool sorted, const QString& value)
{
    int at = sorted ? 0 : items.Count();
    while (at < items.Count() && QString::compare(items.Get(at), value, Qt::CaseInsensitive) <= 0)
        ++at;
    items.Insert(at, value);
    return at;
}

// Unchecks a radio button even when it is the only checked one of its group.
void Uncheck(QRadioButton* button)
{
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(exclusive);
}

// A caption with "&" accelerators as it reads without them.
QString WithoutAccelerators(const QString& caption)
{
    QString shown;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                shown += caption[++i];
            continue;
        }
        shown += caption[i];
    }
    return shown;
}

} // namespace

// ---------------------------------------------------------------- Items

template <>
int TItemsOf<TComboBox>::Count() const
{
    return owner_->count();
}

template <>
QString TItemsOf<TComboBox>::Get(int index) const
{
    return owner_->itemText(index);
}

template <>
void TItemsOf<TComboBox>::Put(int index, const QString& value)
{
    ++owner_->silent_;
    owner_->setItemText(index, value);
    --owner_->silent_;
}

template <>
void TItemsOf<TComboBox>::Insert(int index, const QString& value)
{
    // Adding items selects nothing and keeps the text typed.
    const int selected = owner_->ItemIndex();
    const QString text = owner_->Text();
    ++owner_->silent_;
    owner_->insertItem(index, value);
    const int kept = selected < 0 ? -1 : (selected >= index ? selected + 1 : selected);
    owner_->setCurrentIndex(kept);
    if (owner_->style_ == csDropDown && owner_->currentText() != text)
        owner_->setEditText(text);
    --owner_->silent_;
}

template <>
int TItemsOf<TComboBox>::Add(const QString& value)
{
    return AddInOrder(*this, owner_->sorted_, value);
}

template <>
void TItemsOf<TComboBox>::Delete(int index)
{
    const QString text = owner_->Text();
    ++owner_->silent_;
    owner_->removeItem(index);
    if (owner_->style_ == csDropDown)
        owner_->setEditText(text);
    --owner_->silent_;
}

template <>
void TItemsOf<TComboBox>::Clear()
{
    ++owner_->silent_;
    owner_->QComboBox::clear();
    if (owner_->style_ == csDropDown)
        owner_->setEditText(QString());
    --owner_->silent_;
}

template <>
int TItemsOf<TListBox>::Count() const
{
    return owner_->count();
}

template <>
QString TItemsOf<TListBox>::Get(int index) const
{
    QListWidgetItem* it = owner_->item(index);
    return it ? it->text() : QString();
}

template <>
void TItemsOf<TListBox>::Put(int index, const QString& value)
{
    if (QListWidgetItem* it = owner_->item(index))
        it->setText(value);
}

template <>
void TItemsOf<TListBox>::Insert(int index, const QString& value)
{
    ++owner_->silent_;
    owner_->insertItem(index, value);
    --owner_->silent_;
}

template <>
int TItemsOf<TListBox>::Add(const QString& value)
{
    return AddInOrder(*this, owner_->sorted_, value);
}

template <>
void TItemsOf<TListBox>::Delete(int index)
{
    ++owner_->silent_;
    delete owner_->takeItem(index);
    --owner_->silent_;
}

template <>
void TItemsOf<TListBox>::Clear()
{
    ++owner_->silent_;
    owner_->QListWidget::clear();
    --owner_->silent_;
}

template <>
int TItemsOf<TRadioGroup>::Count() const
{
    return static_cast<int>(owner_->captions_.size());
}

template <>
QString TItemsOf<TRadioGroup>::Get(int index) const
{
    return owner_->captions_.value(index);
}

template <>
void TItemsOf<TRadioGroup>::Put(int index, const QString& value)
{
    if (index < 0 || index >= Count())
        return;
    owner_->captions_[index] = value;
    owner_->buttons_[static_cast<size_t>(index)]->setText(value);
}

template <>
void TItemsOf<TRadioGroup>::Insert(int index, const QString& value)
{
    owner_->captions_.insert(std::clamp(index, 0, Count()), value);
    owner_->Rebuild();
}

template <>
int TItemsOf<TRadioGroup>::Add(const QString& value)
{
    Insert(Count(), value);
    return Count() - 1;
}

template <>
void TItemsOf<TRadioGroup>::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    owner_->captions_.removeAt(index);
    if (owner_->itemIndex_ == index)
        owner_->itemIndex_ = -1;
    else if (owner_->itemIndex_ > index)
        --owner_->itemIndex_;
    owner_->Rebuild();
}

template <>
void TItemsOf<TRadioGroup>::Clear()
{
    owner_->captions_.clear();
    owner_->itemIndex_ = -1;
    owner_->Rebuild();
}

// ---------------------------------------------------------------- TEdit

TEdit::TEdit(QWidget* parent) : QLineEdit(parent), TControl(this)
{
    connect(this, &QLineEdit::textChanged, this, [this] { Run(OnChange); });
}

void TEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (SelectsAllOnFocus(event->reason()))
        selectAll();
}

void TEdit::SetText(const QString& value)
{
    setText(value);
}

int TEdit::MaxLength() const
{
    return TypingLimit(this);
}

void TEdit::SetMaxLength(int length)
{
    SetTypingLimit(this, length);
}

void TEdit::SetPasswordChar(char c)
{
    passwordChar_ = c;
    setEchoMode(c ? QLineEdit::Password : QLineEdit::Normal);
    // The style's own bullet would hide the character the window chose.
    setStyleSheet(c ? QStringLiteral("QLineEdit { lineedit-password-character: %1; }")
                          .arg(static_cast<int>(static_cast<unsigned char>(c)))
                    : QString());
}

QChar TEdit::ShownPasswordChar() const
{
    return QChar(style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, this));
}

int TEdit::SelStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TEdit::SetSelStart(int start)
{
    setCursorPosition(start);
}

int TEdit::SelLength() const
{
    return static_cast<int>(selectedText().size());
}

void TEdit::SetSelLength(int length)
{
    setSelection(SelStart(), length);
}

// ---------------------------------------------------------------- TCheckBox

TCheckBox::TCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent), TControl(this)
{
    connect(this, &QAbstractButton::toggled, this, [this] { Run(OnClick); });
}

// ---------------------------------------------------------------- TRadioButton

TRadioButton::TRadioButton(const QString& caption, QWidget* parent) : QRadioButton(caption, parent), TControl(this)
{
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (on)
            Run(OnClick);
    });
}

void TRadioButton::SetChecked(bool checked)
{
    if (checked)
        setChecked(true);
    else
        Uncheck(this);
}

// ---------------------------------------------------------------- TComboBox

TComboBox::TComboBox(QWidget* parent, TComboBoxStyle style) : QComboBox(parent), TControl(this), style_(style)
{
    setInsertPolicy(QComboBox::NoInsert);
    ApplyStyle();
    connect(this, &QComboBox::activated, this, [this](int index) { UserPicked(index); });
    connect(this, &QComboBox::editTextChanged, this, [this] {
        if (!silent_ && style_ == csDropDown)
            Changed();
    });
}

void TComboBox::ApplyStyle()
{
    ++silent_;
    const QString text = Text();
    setEditable(style_ == csDropDown);
    if (style_ == csDropDown) {
        lineEdit()->setCompleter(nullptr);
        SetTypingLimit(lineEdit(), maxLength_);
        setEditText(text);
    }
    --silent_;
}

void TComboBox::SetStyle(TComboBoxStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    ApplyStyle();
}

void TComboBox::SetSorted(bool sorted)
{
    sorted_ = sorted;
    if (!sorted)
        return;
    const QString text = Text();
    QStringList values = items_.ToStringList();
    std::stable_sort(values.begin(), values.end(),
                     [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    ++silent_;
    QComboBox::clear();
    addItems(values);
    if (style_ == csDropDown) {
        setCurrentIndex(-1);
        setEditText(text);
    } else {
        setCurrentIndex(findText(text, Qt::MatchFixedString));
    }
    --silent_;
}

int TComboBox::ItemIndex() const
{
    const int index = currentIndex();
    if (style_ == csDropDown && index >= 0 && itemText(index) != currentText())
        return -1;
    return index;
}

void TComboBox::SetItemIndex(int index)
{
    ++silent_;
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
    if (index < 0 && style_ == csDropDown)
        setEditText(QString());
    --silent_;
}

QString TComboBox::Text() const
{
    return currentText();
}

void TComboBox::SetText(const QString& value)
{
    const QString before = Text();
    ++silent_;
    if (style_ == csDropDown)
        setEditText(value);
    else
        setCurrentIndex(findText(value, Qt::MatchFixedString));
    --silent_;
    if (Text() != before)
        Changed();
}

void TComboBox::SetMaxLength(int length)
{
    maxLength_ = std::max(length, 0);
    if (lineEdit())
        SetTypingLimit(lineEdit(), maxLength_);
}

void TComboBox::SelectAll()
{
    if (lineEdit())
        lineEdit()->selectAll();
}

void TComboBox::showPopup()
{
    Run(OnDropDown);
    QComboBox::showPopup();
}

void TComboBox::Changed()
{
    Run(OnChange);
}

void TComboBox::UserPicked(int index)
{
    (void)index;
    Run(OnClick);
    if (style_ == csDropDownList)
        Changed();
}

// ---------------------------------------------------------------- TListBox

TListBox::TListBox(QWidget* parent) : QListWidget(parent), TControl(this)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this] {
        if (!silent_)
            Run(OnClick);
    });
}

void TListBox::SetSorted(bool sorted)
{
    sorted_ = sorted;
    if (sorted) {
        ++silent_;
        sortItems();
        --silent_;
    }
}

int TListBox::ItemIndex() const
{
    return currentRow();
}

void TListBox::SetItemIndex(int index)
{
    ++silent_;
    setCurrentRow(index >= 0 && index < count() ? index : -1);
    if (index < 0)
        clearSelection();
    --silent_;
}

int TListBox::TopIndex() const
{
    const QModelIndex top = indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void TListBox::SetTopIndex(int index)
{
    if (QListWidgetItem* it = item(index))
        scrollToItem(it, QAbstractItemView::PositionAtTop);
}

// ---------------------------------------------------------------- TGroupBox

TGroupBox::TGroupBox(const QString& caption, QWidget* parent) : QGroupBox(caption, parent), TControl(this)
{
}

// ---------------------------------------------------------------- TRadioGroup

TRadioGroup::TRadioGroup(const QString& caption, QWidget* parent) : QGroupBox(caption, parent), TControl(this)
{
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(buttons_.size())) {
        updating_ = true;
        for (QRadioButton* button : buttons_)
            Uncheck(button);
        updating_ = false;
        itemIndex_ = -1;
        return;
    }
    if (index == itemIndex_)
        return;
    updating_ = true;
    buttons_[static_cast<size_t>(index)]->setChecked(true);
    updating_ = false;
    itemIndex_ = index;
    Run(OnClick);
}

void TRadioGroup::SetColumns(int columns)
{
    columns_ = std::clamp(columns, 1, 16);
    ArrangeButtons();
}

QRadioButton* TRadioGroup::Button(int index) const
{
    return index >= 0 && index < static_cast<int>(buttons_.size()) ? buttons_[static_cast<size_t>(index)] : nullptr;
}

void TRadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    ArrangeButtons();
}

void TRadioGroup::changeEvent(QEvent* event)
{
    // A new font or style moves the caption's bottom, and the buttons with it.
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        ArrangeButtons();
}

void TRadioGroup::Rebuild()
{
    for (QRadioButton* button : buttons_)
        delete button;
    buttons_.clear();
    for (int i = 0; i < captions_.size(); ++i) {
        auto* button = new QRadioButton(captions_[i], this);
        connect(button, &QAbstractButton::toggled, this, [this, i](bool on) {
            if (on && !updating_)
                ButtonClicked(i);
        });
        button->setChecked(i == itemIndex_);
        button->show();
        buttons_.push_back(button);
    }
    if (itemIndex_ >= captions_.size())
        itemIndex_ = -1;
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons()
{
    // Column by column below the caption, where a framed group box lays out
    // its contents: each button as wide as its column and as high as an even
    // share of that space.
    const int count = static_cast<int>(buttons_.size());
    if (count == 0)
        return;
    const int perColumn = (count + columns_ - 1) / columns_;
    const QRect area = contentsRect();
    const int columnWidth = std::max((width() - 10) / columns_, 1);
    const int buttonHeight = std::max(area.height() / perColumn, 1);
    const int topMargin = area.top() + (area.height() % perColumn) / 2;
    for (int i = 0; i < count; ++i)
        buttons_[static_cast<size_t>(i)]->setGeometry((i / perColumn) * columnWidth + 8,
                                                      (i % perColumn) * buttonHeight + topMargin, columnWidth,
                                                      buttonHeight);
}

void TRadioGroup::ButtonClicked(int index)
{
    if (index == itemIndex_)
        return;
    itemIndex_ = index;
    Run(OnClick);
}

// ---------------------------------------------------------------- TLabel

TLabel::TLabel(const QString& caption, QWidget* parent) : QLabel(parent), TControl(this)
{
    // A click on a label is the label's, not its container's.
    setAttribute(Qt::WA_NoMousePropagation);
    SetCaption(caption);
}

void TLabel::SetCaption(const QString& caption)
{
    caption_ = caption;
    Refresh();
}

void TLabel::SetFocusControl(QWidget* control)
{
    focusControl_ = control;
    Refresh();
}

void TLabel::SetFontColor(TColor color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ToQColor(color));
    setPalette(p);
}

void TLabel::Refresh()
{
    // With a control to focus Qt shows the accelerator itself; without one the
    // "&" marks are only taken out.
    setBuddy(focusControl_);
    setText(focusControl_ ? caption_ : WithoutAccelerators(caption_));
    if (AutoSize)
        adjustSize();
}

// ---------------------------------------------------------------- TPanel

TPanel::TPanel(QWidget* parent) : QFrame(parent), TControl(this)
{
}

namespace {

// A raised bevel is light on the top and left edges and dark on the bottom
// and right; a lowered one the other way round. Returns the rect inside it.
QRect DrawBevel(QPainter& painter, QRect r, TBevelCut cut, int width)
{
    if (cut == bvNone)
        return r;
    const QColor light = ToQColor(clBtnHighlight);
    const QColor dark = ToQColor(clBtnShadow);
    const QColor& topLeft = cut == bvRaised ? light : dark;
    const QColor& bottomRight = cut == bvRaised ? dark : light;
    for (int i = 0; i < width; ++i) {
        painter.setPen(topLeft);
        painter.drawLine(r.left(), r.top(), r.right(), r.top());
        painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
        painter.setPen(bottomRight);
        painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
        r.adjust(1, 1, -1, -1);
    }
    return r;
}

} // namespace

void TPanel::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(color_));
    QRect r = DrawBevel(painter, rect(), bevelOuter_, bevelWidth_);
    r.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    r = DrawBevel(painter, r, bevelInner_, bevelWidth_);
    if (caption_.isEmpty())
        return;
    const Qt::Alignment horizontal = alignment_ == taLeftJustify  ? Qt::AlignLeft
                                     : alignment_ == taRightJustify ? Qt::AlignRight
                                                                    : Qt::AlignHCenter;
    painter.setPen(ToQColor(fontColor_));
    painter.drawText(r, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextShowMnemonic), caption_);
}

void TPanel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
}

void TPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QFrame::mouseReleaseEvent(event);
    if (click)
        Run(OnClick);
}

// ---------------------------------------------------------------- TSpeedButton

TSpeedButton::TSpeedButton(const QString& caption, QWidget* parent) : QToolButton(parent), TControl(this)
{
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(false);
    connect(this, &QToolButton::clicked, this, [this] { Click(); });
}

void TSpeedButton::Click()
{
    Run(OnClick);
}

// ---------------------------------------------------------------- TTabbedNotebook

TTabbedNotebook::TTabbedNotebook(QWidget* parent)
    : QWidget(parent), TControl(this), tabs_(new QTabBar(this)), stack_(new QStackedWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(stack_, 1);
    stack_->setFrameShape(QFrame::StyledPanel);
    tabs_->setFocusPolicy(Qt::TabFocus);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (changing_)
            return;
        // The tab bar moved first; it goes back unless the change is allowed.
        if (!RequestPage(index)) {
            changing_ = true;
            tabs_->setCurrentIndex(pageIndex_);
            changing_ = false;
        }
    });
}

QWidget* TTabbedNotebook::AddPage(const QString& caption)
{
    auto* page = new QWidget;
    stack_->addWidget(page);
    changing_ = true;
    tabs_->addTab(caption);
    changing_ = false;
    if (pageIndex_ < 0) {
        pageIndex_ = 0;
        stack_->setCurrentIndex(0);
    }
    return page;
}

int TTabbedNotebook::PageCount() const
{
    return stack_->count();
}

QWidget* TTabbedNotebook::Page(int index) const
{
    return stack_->widget(index);
}

QStringList TTabbedNotebook::Pages() const
{
    QStringList captions;
    for (int i = 0; i < tabs_->count(); ++i)
        captions << tabs_->tabText(i);
    return captions;
}

void TTabbedNotebook::SetPageIndex(int index)
{
    RequestPage(index);
}

QString TTabbedNotebook::ActivePage() const
{
    return pageIndex_ >= 0 ? tabs_->tabText(pageIndex_) : QString();
}

void TTabbedNotebook::SetActivePage(const QString& caption)
{
    const int index = Pages().indexOf(caption);
    if (index >= 0)
        RequestPage(index);
}

bool TTabbedNotebook::RequestPage(int index)
{
    if (index < 0 || index >= PageCount() || index == pageIndex_)
        return false;
    bool allow = true;
    if (OnChange)
        Run([&] { OnChange(index, allow); });
    if (!allow)
        return false;
    pageIndex_ = index;
    changing_ = true;
    tabs_->setCurrentIndex(index);
    changing_ = false;
    stack_->setCurrentIndex(index);
    return true;
}

// ---------------------------------------------------------------- TTimer

TTimer::TTimer(QObject* owner) : QObject(owner)
{
    connect(&timer_, &QTimer::timeout, this, [this] { TControl::Run(OnTimer); });
    Restart();
}

void TTimer::SetInterval(int milliseconds)
{
    interval_ = milliseconds;
    Restart();
}

void TTimer::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    Restart();
}

void TTimer::Restart()
{
    timer_.stop();
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
}

template class TItemsOf<TComboBox>;
template class TItemsOf<TListBox>;
template class TItemsOf<TRadioGroup>;
