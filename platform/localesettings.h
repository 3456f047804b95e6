#pragma once
// The user's number and date settings that locale-aware text routines read:
// separators and the order of day, month and year in a short date. Read from
// the system's locale on first use; tests set them to the case they check.
#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>

struct TLocaleSettings {
    QChar DecimalSeparator = '.';
    QChar ThousandSeparator = ',';
    QChar DateSeparator = '/';
    QChar TimeSeparator = ':';
    // The short date pattern; only the order of its first 'd', 'M' and 'y'
    // (either case) matters to the readers of dates.
    QString ShortDateFormat = "M/d/yyyy";

    static TLocaleSettings FromLocale(const QLocale& locale);
};

// The settings in force for the process.
TLocaleSettings& LocaleSettings();

// A date in the short date form. The pattern names day, month and year in
// either case; dates hold no minutes, so every m is the month.
QString LocaleDateText(const QDate& date);
