#pragma once
// A date or time picker: an edit of a date (with a calendar that drops down,
// or up-down buttons) or of a time (up-down buttons), with an optional check
// box before the value that says whether the value counts at all.
//
//   - OnChange runs when the user changes the value or the check box;
//   - OnDropDown and OnCloseUp run as the calendar opens and closes;
//   - the value set by the program runs no handler.
#include "platform/control.h"

#include <QDateTimeEdit>

class QCheckBox;

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

class TDateTimePicker : public QDateTimeEdit, public TControl {
    Q_OBJECT
public:
    explicit TDateTimePicker(QWidget* parent = nullptr);

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind kind);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode mode);

    QDate Date() const { return date(); }
    void SetDate(const QDate& value);
    QTime Time() const { return time(); }
    void SetTime(const QTime& value);

    bool ShowCheckbox() const { return showCheckbox_; }
    void SetShowCheckbox(bool on);
    // Without the check box the value always counts.
    bool Checked() const;
    void SetChecked(bool on);

    bool DroppedDown() const { return droppedDown_; }
    // The colour of the edit's face.
    void SetColor(TColor color);
    QCheckBox* CheckBox() const { return check_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyFormat();
    void ApplyCheckBox();
    void ShowCheckedState();
    void WatchCalendar();

    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
    bool showCheckbox_ = false;
    bool droppedDown_ = false;
    int silent_ = 0;
    QCheckBox* check_;
};
