#include "platform/datetimepicker.h"

#include "platform/localesettings.h"
#include "tests/support/input.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

class DateTimePicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = LocaleSettings();
        LocaleSettings().ShortDateFormat = "dd/MM/yyyy";
        LocaleSettings().TimeSeparator = ':';
        picker = new TDateTimePicker(&window);
        picker->setGeometry(10, 10, 160, 24);
        picker->OnChange = [this] { ++changes; };
        window.resize(220, 80);
        ASSERT_TRUE(input::Activate(&window));
        picker->SetFocus();
    }
    void TearDown() override { LocaleSettings() = saved; }

    TLocaleSettings saved;
    QWidget window;
    TDateTimePicker* picker;
    int changes = 0;
};

TEST_F(DateTimePicker, ShowsTheKindInTheUsersFormats)
{
    picker->SetDate(QDate(2024, 3, 7));
    EXPECT_EQ(picker->text(), "07/03/2024");
    picker->SetKind(dtkTime);
    picker->SetTime(QTime(9, 5, 30));
    EXPECT_EQ(picker->text(), "09:05:30");
    EXPECT_EQ(changes, 0) << "values set by the program run no handler";
}

TEST_F(DateTimePicker, TypedAndSteppedValuesRunOnChange)
{
    picker->SetDate(QDate(2024, 3, 7));
    picker->SetDateMode(dmUpDown);
    input::Key(Qt::Key_Home);
    input::Key(Qt::Key_Up);
    EXPECT_EQ(picker->Date(), QDate(2024, 3, 8));
    EXPECT_GE(changes, 1);
}

TEST_F(DateTimePicker, CheckBoxSaysWhetherTheValueCounts)
{
    EXPECT_TRUE(picker->Checked()) << "without the box the value always counts";
    EXPECT_FALSE(picker->CheckBox()->isVisible());
    picker->SetShowCheckbox(true);
    picker->SetChecked(false);
    EXPECT_TRUE(picker->CheckBox()->isVisible());
    EXPECT_FALSE(picker->Checked());
    EXPECT_EQ(changes, 0);
    input::Click(picker->CheckBox());
    EXPECT_TRUE(picker->Checked());
    EXPECT_EQ(changes, 1);
    // The value starts after the box.
    EXPECT_GE(picker->CheckBox()->geometry().right(), 2);
}

TEST_F(DateTimePicker, CalendarDropsDownOnlyForTheComboDateMode)
{
    int drops = 0, closes = 0;
    picker->OnDropDown = [&] { ++drops; };
    picker->OnCloseUp = [&] { ++closes; };
    EXPECT_TRUE(picker->calendarPopup());
    // The drop button at the right edge opens the calendar.
    input::Click(picker, QPoint(picker->width() - 6, picker->height() / 2));
    EXPECT_TRUE(picker->DroppedDown());
    EXPECT_EQ(drops, 1);
    input::Key(Qt::Key_Escape, Qt::NoModifier, QString(), QApplication::activePopupWidget());
    input::Settle();
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(closes, 1);
    picker->SetDateMode(dmUpDown);
    EXPECT_FALSE(picker->calendarPopup());
    picker->SetKind(dtkTime);
    picker->SetDateMode(dmComboBox);
    EXPECT_FALSE(picker->calendarPopup()) << "a time has no calendar";
}

} // namespace
