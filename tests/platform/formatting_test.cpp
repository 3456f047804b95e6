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

// Counters and typed parts: a "0" in front below 10, nothing cut.
TEST(Formatting, DoisDigitos)
{
    struct Row {
        int value;
        const char* text;
    };
    const Row rows[] = {{0, "00"}, {5, "05"}, {9, "09"}, {10, "10"}, {99, "99"}, {123, "123"}, {-3, "-03"}};
    for (const Row& row : rows)
        EXPECT_EQ(DoisDigitos(row.value), row.text) << row.value;
}

// A control's character is a digit only when it is '0'..'9'.
TEST(Formatting, IsDigitOfAControlCharacter)
{
    struct Row {
        char16_t c;
        bool digit;
    };
    const Row rows[] = {
        {u'0', true},   {u'9', true},   {u'/', false},  {u':', false},  {u' ', false},
        {u'_', false},  {u'\u00B2', false}, // superscript two
        {u'\u0663', false},                 // Arabic-Indic three
        {u'\uFF11', false},                 // fullwidth one
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsDigit(QChar(row.c)), row.digit) << int(row.c);
}

// Texts of the source are UTF-8, accents kept.
TEST(Formatting, TextoKeepsAccents)
{
    EXPECT_EQ(Texto("Programações"), QStringView(u"Programa\u00E7\u00F5es").toString());
    EXPECT_EQ(Texto("Não"), QStringView(u"N\u00E3o").toString());
    EXPECT_EQ(Texto(""), QString());
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
