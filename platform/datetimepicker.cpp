#include "platform/datetimepicker.h"

#include "platform/localesettings.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>

TDateTimePicker::TDateTimePicker(QWidget* parent)
    : QDateTimeEdit(QDate::currentDate(), parent), TControl(this), check_(new QCheckBox(this))
{
    check_->setChecked(true);
    check_->setFocusPolicy(Qt::NoFocus);
    check_->hide();
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!silent_)
            Run(OnChange);
    });
    connect(check_, &QCheckBox::toggled, this, [this](bool on) {
        (void)on;
        ShowCheckedState();
        if (!silent_)
            Run(OnChange);
    });
    ApplyFormat();
}

void TDateTimePicker::SetKind(TDateTimeKind kind)
{
    kind_ = kind;
    ApplyFormat();
}

void TDateTimePicker::SetDateMode(TDTDateMode mode)
{
    dateMode_ = mode;
    ApplyFormat();
}

void TDateTimePicker::ApplyFormat()
{
    ++silent_;
    const TLocaleSettings& locale = LocaleSettings();
    if (kind_ == dtkDate) {
        setDisplayFormat(locale.ShortDateFormat);
    } else {
        const QChar sep = locale.TimeSeparator;
        setDisplayFormat(QStringLiteral("hh%1mm%1ss").arg(sep));
    }
    const bool calendar = kind_ == dtkDate && dateMode_ == dmComboBox;
    setCalendarPopup(calendar);
    if (calendar)
        WatchCalendar();
    --silent_;
}

void TDateTimePicker::WatchCalendar()
{
    QWidget* popup = calendarWidget() ? calendarWidget()->window() : nullptr;
    if (popup && popup != this)
        popup->installEventFilter(this);
}

bool TDateTimePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != this && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        const bool open = event->type() == QEvent::Show;
        if (open != droppedDown_) {
            droppedDown_ = open;
            Run(open ? OnDropDown : OnCloseUp);
        }
    }
    return QDateTimeEdit::eventFilter(watched, event);
}

void TDateTimePicker::SetDate(const QDate& value)
{
    ++silent_;
    setDate(value);
    --silent_;
}

void TDateTimePicker::SetTime(const QTime& value)
{
    ++silent_;
    setTime(value);
    --silent_;
}

void TDateTimePicker::SetShowCheckbox(bool on)
{
    showCheckbox_ = on;
    ApplyCheckBox();
}

bool TDateTimePicker::Checked() const
{
    return !showCheckbox_ || check_->isChecked();
}

void TDateTimePicker::SetChecked(bool on)
{
    ++silent_;
    check_->setChecked(on);
    --silent_;
}

void TDateTimePicker::SetColor(TColor color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, ToQColor(color));
    setPalette(p);
}

void TDateTimePicker::ApplyCheckBox()
{
    check_->setVisible(showCheckbox_);
    ShowCheckedState();
    // The value starts after the box.
    const int box = showCheckbox_ ? check_->sizeHint().width() + 2 : 0;
    lineEdit()->setTextMargins(box, 0, 0, 0);
    resizeEvent(nullptr);
}

void TDateTimePicker::ShowCheckedState()
{
    // An unchecked value is shown greyed: it does not count.
    QPalette p = lineEdit()->palette();
    p.setColor(QPalette::Text, palette().color(Checked() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    lineEdit()->setPalette(p);
}

void TDateTimePicker::resizeEvent(QResizeEvent* event)
{
    if (event)
        QDateTimeEdit::resizeEvent(event);
    const QSize box = check_->sizeHint();
    check_->setGeometry(2, std::max(0, (height() - box.height()) / 2), box.width(), std::min(box.height(), height()));
}
