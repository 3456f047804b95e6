#include "platform/formatting.h"

#include <gtest/gtest.h>

namespace {

TEST(Formatting, NumberFormats)
{
    struct Row {
        const char* format;
        double value;
        const char* text;
    };
    const Row rows[] = {
        {"00", 5, "05"}, {"00", 59, "59"}, {"#00", 231, "231"}, {"#00", 7, "07"},
        {"0", 0, "0"},   {"00", 4.6, "05"}, {"00", -3, "-03"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FormatFloat(row.format, row.value), row.text) << row.format << " " << row.value;
}

TEST(Formatting, DatesAndTimes)
{
    const QDateTime moment(QDate(2002, 10, 5), QTime(7, 3, 9));
    struct Row {
        const char* format;
        const char* text;
    };
    const Row rows[] = {
        {"dd/mm/yy", "05/10/02"}, {"hh:nn:ss", "07:03:09"}, {"hh:mm", "07:03"},
        {"d/m/yyyy", "5/10/2002"}, {"'dia' dd", "dia 05"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FormatDateTime(row.format, moment), row.text) << row.format;
    EXPECT_EQ(DateToStr(moment.date()), "05/10/02");
    EXPECT_EQ(TimeToStr(moment.time()), "07:03:09");
}

TEST(Formatting, DayOfWeekStartsOnSunday)
{
    EXPECT_EQ(DayOfWeek(QDate(2002, 10, 6)), 1); // a Sunday
    EXPECT_EQ(DayOfWeek(QDate(2002, 10, 7)), 2);
    EXPECT_EQ(DayOfWeek(QDate(2002, 10, 12)), 7);
}

TEST(Formatting, StrToIntOfAControlText)
{
    EXPECT_EQ(StrToInt(QStringLiteral(" 25")), 25);
    EXPECT_EQ(StrToInt(QStringLiteral("-7")), -7);
    for (const QString& bad : {QStringLiteral(""), QStringLiteral("2 5"), QStringLiteral("ção")}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << "accepted " << bad.toStdString();
        } catch (const EConvertError& error) {
            EXPECT_EQ(QString::fromUtf8(error.what()), "'" + bad + "' is not a valid integer value");
        }
    }
}

} // namespace
