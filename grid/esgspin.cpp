#include "grid/esgspin.h"

#include "grid/extutil.h"
#include "grid/extxpvs.h"
#include "platform/application.h"
#include "platform/formatting.h"
#include "platform/localesettings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

// ---- repeating speed button

TExtTimerSpeedButton::TExtTimerSpeedButton(QWidget* parent) : TSpeedButton(QString(), parent)
{
    timer_.setInterval(kFirstRepeat);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { TimerExpired(); });
}

void TExtTimerSpeedButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    pressed_ = true;
    setDown(true);
    // The press itself is the first click; held, it repeats.
    if (AutoRepeat) {
        timer_.setInterval(kFirstRepeat);
        timer_.start();
    }
    Click();
}

void TExtTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    (void)event;
    timer_.stop();
    pressed_ = false;
    setDown(false);
}

void TExtTimerSpeedButton::TimerExpired()
{
    timer_.setInterval(kRepeat);
    if (!pressed_ || !isDown())
        return;
    try {
        Click();
    } catch (...) {
        timer_.stop();
        throw;
    }
}

void TExtTimerSpeedButton::enterEvent(QEnterEvent* event)
{
    TSpeedButton::enterEvent(event);
    hot_ = true;
    update();
}

void TExtTimerSpeedButton::leaveEvent(QEvent* event)
{
    TSpeedButton::leaveEvent(event);
    hot_ = false;
    update();
}

void TExtTimerSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    const TRect r{0, 0, width(), height()};
    const bool down = isDown();
    if (ThemedDrawing()) {
        static constexpr int kParts[] = {SPNP_UP, SPNP_DOWN, SPNP_UPHORZ, SPNP_DOWNHORZ};
        const int state = down ? UPS_PRESSED : hot_ ? UPS_HOT : UPS_NORMAL;
        HTHEME theme = OpenThemeData(this, "spin");
        DrawThemeBackground(theme, canvas, kParts[Arrow], isEnabled() ? state : UPS_DISABLED, r, nullptr);
        CloseThemeData(theme);
        return;
    }
    if (Arrow == adUp || Arrow == adDown) {
        // As a speed button: a raised face (sunken while down) and the glyph.
        canvas.Brush = {clBtnFace, bsSolid};
        canvas.FillRect(r);
        TRect edge = r;
        if (!Flat || hot_ || down)
            DrawEdge(canvas, edge, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        if (!Glyph.isNull()) {
            const int w = Glyph.width() / std::max(NumGlyphs, 1);
            const QPoint at((width() - w) / 2 + (down ? 1 : 0), (height() - Glyph.height()) / 2 + (down ? 1 : 0));
            // The glyph's corner colour is its transparent colour.
            DrawTransparentBitmap(canvas, Glyph.toImage().copy(0, 0, w, Glyph.height()), clNone,
                                  {at.x(), at.y(), at.x() + w, at.y() + Glyph.height()});
        }
        return;
    }
    DrawFrameControl(canvas, r, DFC_SCROLL,
                     (Arrow == adRight ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT) | (down ? DFCS_PUSHED : 0u)
                         | (Flat ? DFCS_FLAT : 0u));
}

// ---- the button pair

TEsgSpinButton::TEsgSpinButton(QWidget* parent)
    : QWidget(parent), TControl(this), up_(new TExtTimerSpeedButton(this)), down_(new TExtTimerSpeedButton(this)),
      focused_(up_)
{
    for (TExtTimerSpeedButton* b : {up_, down_}) {
        b->AutoRepeat = true;
        b->setFocusPolicy(Qt::NoFocus);
    }
    up_->Glyph = QPixmap(":/grid/ESGSPINUP.png");
    down_->Glyph = QPixmap(":/grid/ESGSPINDOWN.png");
    up_->OnClick = [this] { Run(OnUpClick); };
    down_->OnClick = [this] { Run(OnDownClick); };
    // The press moves the focus before the button's own click.
    for (TExtTimerSpeedButton* b : {up_, down_})
        b->OnMouseDown = [this, b](TMouseButton Button, TShiftState, int, int) {
            if (Button == mbLeft)
                Press(b);
        };
    setFocusPolicy(Qt::TabFocus);
    resize(15, 17);
    SetDirection(spVertical);
}

void TEsgSpinButton::SetUpGlyph(const QPixmap& Value)
{
    up_->Glyph = Value;
    up_->update();
}

void TEsgSpinButton::SetDownGlyph(const QPixmap& Value)
{
    down_->Glyph = Value;
    down_->update();
}

void TEsgSpinButton::SetUpNumGlyphs(int Value)
{
    up_->NumGlyphs = std::max(Value, 1);
    up_->update();
}

void TEsgSpinButton::SetDownNumGlyphs(int Value)
{
    down_->NumGlyphs = std::max(Value, 1);
    down_->update();
}

void TEsgSpinButton::Press(TExtTimerSpeedButton* button)
{
    focused_ = button;
    QWidget* target = FocusControl ? FocusControl : this;
    if (target->isEnabled() && target->isVisible() && target->focusPolicy() != Qt::NoFocus && !target->hasFocus())
        target->setFocus(Qt::MouseFocusReason);
}

void TEsgSpinButton::SetDirection(TSpinDirection direction)
{
    direction_ = direction;
    up_->Arrow = direction == spVertical ? adUp : adRight;
    down_->Arrow = direction == spVertical ? adDown : adLeft;
    resize(direction == spVertical ? 15 : 20, height());
    Layout();
}

void TEsgSpinButton::SetFlat(bool flat)
{
    up_->Flat = down_->Flat = flat;
    update();
}

void TEsgSpinButton::SetTransparent(bool transparent)
{
    up_->Transparent = down_->Transparent = transparent;
    update();
}

void TEsgSpinButton::Layout()
{
    const int w = width();
    const int h = height();
    if (direction_ == spVertical) {
        const int half = h / 2;
        up_->setGeometry(0, 0, w, half);
        down_->setGeometry(0, half - 1, w, h - half + 1);
    } else {
        const int half = w / 2;
        // The "up" button steps forward: it is the right one.
        down_->setGeometry(0, 0, half, h);
        up_->setGeometry(half + 1, 0, w - half - 1, h);
    }
}

void TEsgSpinButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int least = direction_ == spVertical ? 15 : 20;
    if (width() < least)
        resize(least, height());
    Layout();
}

void TEsgSpinButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space: focused_->Click(); break;
    case Qt::Key_Up:
        focused_ = up_;
        up_->Click();
        break;
    case Qt::Key_Down:
        focused_ = down_;
        down_->Click();
        break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

// ---- texts of dates and times

QString SpinDateText(const QDate& date)
{
    return date.toString(LocaleSettings().ShortDateFormat);
}

QString SpinTimeText(const QTime& time)
{
    const QChar sep = LocaleSettings().TimeSeparator;
    return time.toString(QStringLiteral("hh%1mm%1ss").arg(sep));
}

// ---- spin edit

TEsgSpinEdit::TEsgSpinEdit(QWidget* parent) : TMaskEdit(parent), button_(new TEsgSpinButton(this))
{
    button_->FocusControl = this;
    button_->setFocusPolicy(Qt::NoFocus);
    button_->OnUpClick = [this] { UpClick(); };
    button_->OnDownClick = [this] { DownClick(); };
    setCursor(Qt::IBeamCursor);
    button_->setCursor(Qt::ArrowCursor);
    SetText("0");
    ApplyTextMargins();
}

void TEsgSpinEdit::ApplyTextMargins()
{
    // The text ends before the buttons.
    const bool border = hasFrame();
    setTextMargins(border ? 0 : 1, 0, button_->width() + (border ? 2 : 3), 0);
}

void TEsgSpinEdit::resizeEvent(QResizeEvent* event)
{
    TMaskEdit::resizeEvent(event);
    // Never lower than the font needs.
    const int fontHeight = fontMetrics().height();
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    const int least = fontHeight + std::min(fontHeight, systemHeight) / 4 + 2 + (hasFrame() ? 4 : 0);
    if (height() < least) {
        resize(width(), least);
        return;
    }
    const int inset = hasFrame() ? 2 : 1;
    button_->setGeometry(width() - button_->width() - inset, inset, button_->width(), height() - 2 * inset);
    ApplyTextMargins();
}

void TEsgSpinEdit::SetDirection(TSpinDirection direction)
{
    button_->SetDirection(direction);
    ApplyTextMargins();
    resizeEvent(nullptr);
}

namespace {

bool OutOfBounds(double value, double least, double most)
{
    return least != most && (value < least || value > most);
}

} // namespace

int TEsgSpinEdit::Value() const
{
    try {
        return StrToInt(Text());
    } catch (const EConvertError&) {
        return MinValue;
    }
}

void TEsgSpinEdit::SetValue(int value)
{
    if (MinValue != MaxValue)
        value = std::clamp(value, MinValue, MaxValue);
    SetText(QString::number(value));
}

double TEsgSpinEdit::FloatValue() const
{
    QString text = Text().trimmed();
    text.replace(LocaleSettings().DecimalSeparator, '.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    // An unreadable text reads as the least integer value, as Value does.
    return ok ? value : MinValue;
}

void TEsgSpinEdit::SetFloatValue(double value)
{
    if (MinFloatValue != MaxFloatValue)
        value = std::clamp(value, MinFloatValue, MaxFloatValue);
    QString text = precision_ > 0 ? QString::number(value, 'f', precision_) : QString::number(value, 'g', 15);
    text.replace('.', LocaleSettings().DecimalSeparator);
    SetText(text);
}

void TEsgSpinEdit::SetPrecision(int precision)
{
    precision_ = std::max(precision, 0);
    if (spinType_ == sptFloat)
        SetFloatValue(FloatValue());
}

QDate TEsgSpinEdit::DateValue() const
{
    QDate date;
    LocaleStrToDate(Text(), date);
    return date;
}

QDate TEsgSpinEdit::ClampedDate(const QDate& value) const
{
    // Equal bounds do not clamp; otherwise each bound that is set holds.
    if (MinDateValue == MaxDateValue || !value.isValid())
        return value;
    if (MinDateValue.isValid() && value < MinDateValue)
        return MinDateValue;
    if (MaxDateValue.isValid() && value > MaxDateValue)
        return MaxDateValue;
    return value;
}

void TEsgSpinEdit::SetDateValue(const QDate& value)
{
    const QDate date = ClampedDate(value);
    const int caret = cursorPosition();
    SetText(SpinDateText(date));
    setCursorPosition(std::min(caret, static_cast<int>(text().size())));
}

QTime TEsgSpinEdit::TimeValue() const
{
    const QStringList parts = Text().trimmed().split(LocaleSettings().TimeSeparator);
    if (parts.size() < 2 || parts.size() > 3)
        return QTime();
    return QTime(parts[0].toInt(), parts[1].toInt(), parts.value(2).toInt());
}

void TEsgSpinEdit::SetTimeValue(const QTime& value)
{
    const int caret = cursorPosition();
    SetText(SpinTimeText(value));
    setCursorPosition(std::min(caret, static_cast<int>(text().size())));
}

void TEsgSpinEdit::SetEditorEnabled(bool on)
{
    editorEnabled_ = on;
    ApplyReadOnly();
}

void TEsgSpinEdit::SetReadOnly(bool on)
{
    readOnly_ = on;
    ApplyReadOnly();
}

void TEsgSpinEdit::ApplyReadOnly()
{
    // Without the editor the text takes no typing, paste or cut; the
    // buttons and arrow keys still change it.
    TMaskEdit::SetReadOnly(readOnly_ || !editorEnabled_);
}

void TEsgSpinEdit::UpClick()
{
    Step(+1);
}

void TEsgSpinEdit::DownClick()
{
    Step(-1);
}

void TEsgSpinEdit::Step(int sign)
{
    if (readOnly_) {
        Application->Beep();
        return;
    }
    switch (spinType_) {
    case sptNormal: SetValue(Value() + sign * Increment); break;
    case sptFloat: SetFloatValue(FloatValue() + sign * IncrementFloat); break;
    case sptDate: {
        const QDate date = DateValue();
        if (!date.isValid())
            break;
        // The field the caret is in: day, month or year by its separators.
        const QString t = text();
        const QChar sep = LocaleSettings().DateSeparator;
        const int caret = cursorPosition();
        const int first = static_cast<int>(t.indexOf(sep));
        const int second = first < 0 ? -1 : static_cast<int>(t.indexOf(sep, first + 1));
        const QString order = LocaleSettings().ShortDateFormat.toLower();
        int field = 0; // position among the three
        if (first >= 0 && caret > first)
            field = second >= 0 && caret > second ? 2 : 1;
        QString letters;
        for (const QChar c : order)
            if ((c == 'd' || c == 'm' || c == 'y') && !letters.contains(c))
                letters += c;
        const QChar part = field < letters.size() ? letters[field] : QChar('d');
        SetDateValue(part == 'd' ? date.addDays(sign) : part == 'm' ? date.addMonths(sign) : date.addYears(sign));
        break;
    }
    case sptTime: {
        const QTime time = TimeValue();
        if (!time.isValid())
            break;
        const QString t = text();
        const QChar sep = LocaleSettings().TimeSeparator;
        const int caret = cursorPosition();
        const int first = static_cast<int>(t.indexOf(sep));
        const int second = first < 0 ? -1 : static_cast<int>(t.indexOf(sep, first + 1));
        const int unit = first >= 0 && caret <= first ? 3600 : second < 0 || caret <= second ? 60 : 1;
        // A day is added first, so that stepping down never goes below 0.
        const int seconds = (time.msecsSinceStartOfDay() / 1000 + 86400 + sign * unit) % 86400;
        SetTimeValue(QTime(0, 0).addSecs(seconds));
        break;
    }
    }
}

bool TEsgSpinEdit::IsValidChar(char Key)
{
    const auto c = static_cast<unsigned char>(Key);
    // Without the editor no character types; the other control characters
    // (copy, Esc, Tab) still do their work.
    if (!editorEnabled_ && (c >= 0x20 || c == '\b'))
        return false;
    if (c == '\r')
        return false;
    if (c < 0x20)
        return true;
    const TLocaleSettings& locale = LocaleSettings();
    const QChar k = QChar(static_cast<char16_t>(c));
    if (k.isDigit() || k == '+' || k == '-')
        return true;
    if (k == locale.TimeSeparator)
        return spinType_ == sptTime && text().count(locale.TimeSeparator) - selectedText().count(locale.TimeSeparator) < 2;
    if (k == locale.DateSeparator)
        return spinType_ == sptDate;
    if (k == locale.DecimalSeparator || k == locale.ThousandSeparator)
        return spinType_ != sptFloat || !text().contains(locale.DecimalSeparator) || selectedText().contains(locale.DecimalSeparator);
    return false;
}

void TEsgSpinEdit::KeyDown(int& Key, TShiftState Shift)
{
    TMaskEdit::KeyDown(Key, Shift);
    switch (Key) {
    case VK_UP:
        UpClick();
        Key = 0;
        break;
    case VK_DOWN:
        DownClick();
        Key = 0;
        break;
    case VK_RETURN:
        if (ReturnIsTab) {
            Key = 0;
            focusNextChild();
        }
        break;
    default: break;
    }
}

void TEsgSpinEdit::KeyPress(char& Key)
{
    TMaskEdit::KeyPress(Key);
    if (Key == 0)
        return;
    if (!IsValidChar(Key)) {
        Key = 0;
        Application->Beep();
        return;
    }
    const TLocaleSettings& locale = LocaleSettings();
    if (spinType_ == sptFloat && QChar(Key) == locale.ThousandSeparator)
        Key = locale.DecimalSeparator.toLatin1();
    if (spinType_ == sptFloat && precision_ >= 1 && QChar(Key).isDigit() && !hasSelectedText()) {
        // No digit beyond the decimals shown.
        const int sep = static_cast<int>(text().indexOf(locale.DecimalSeparator));
        if (sep >= 0 && cursorPosition() > sep && text().size() - sep - 1 >= precision_) {
            Key = 0;
            Application->Beep();
        }
    }
}

void TEsgSpinEdit::focusInEvent(QFocusEvent* event)
{
    TMaskEdit::focusInEvent(event);
    if (!editorEnabled_)
        SelectAll();
}

void TEsgSpinEdit::DoExit()
{
    // Leaving writes a value outside its bounds back inside them.
    switch (spinType_) {
    case sptNormal:
        if (OutOfBounds(Value(), MinValue, MaxValue))
            SetValue(Value());
        break;
    case sptFloat:
        if (OutOfBounds(FloatValue(), MinFloatValue, MaxFloatValue))
            SetFloatValue(FloatValue());
        break;
    case sptDate: {
        const QDate d = DateValue();
        if (ClampedDate(d) != d)
            SetDateValue(d);
        break;
    }
    case sptTime: break;
    }
    TMaskEdit::DoExit();
}
