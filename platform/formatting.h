#pragma once
// Number and date formatting as the windows write it: "00" and "#00" number
// formats, dates and times in "dd/mm/yy" and "hh:nn:ss" patterns, the day
// of the week with Sunday as 1, and StrToInt for the texts of the controls
// (EConvertError "'<text>' is not a valid integer value").
#include "image/conversao.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// The value rounded to an integer, with at least as many digits as the
// format has '0's ("00": 5 -> "05"; "#00": 231 -> "231").
QString FormatFloat(const QString& format, double value);

// Decimal (or "$"/"0x" hexadecimal) text of a control to an integer; throws
// EConvertError naming the text.
int StrToInt(const QString& text);

// '0'..'9' only, as IsDigit of a char: no other script's digits.
inline bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// At least two digits, a "0" in front below 10: 5 gives "05", 123 "123".
inline QString DoisDigitos(int valor)
{
    return QString::fromStdString(FormatInt("00", valor));
}

// A window's text as the source spells it (UTF-8, accents included).
inline QString Texto(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Patterns: d dd (day), m mm (month; minutes right after an hour), yy yyyy,
// h hh (hour), n nn (minutes), s ss (seconds); text in quotes and any other
// character is copied.
QString FormatDateTime(const QString& format, const QDateTime& value);
// "dd/mm/yy" and "hh:nn:ss".
QString DateToStr(const QDate& date);
QString TimeToStr(const QTime& time);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(const QDate& date);

QDateTime Now();
QDate Date();
QTime Time();
