#include "platform/localesettings.h"

namespace {

// The first character of the pattern that is neither a letter nor a quote:
// the separator the short date is written with.
QChar FirstSeparator(const QString& pattern, QChar fallback)
{
    for (const QChar c : pattern)
        if (!c.isLetter() && c != '\'')
            return c;
    return fallback;
}

} // namespace

TLocaleSettings TLocaleSettings::FromLocale(const QLocale& locale)
{
    TLocaleSettings settings;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (decimal.size() == 1)
        settings.DecimalSeparator = decimal[0];
    if (group.size() == 1)
        settings.ThousandSeparator = group[0];
    settings.ShortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    settings.DateSeparator = FirstSeparator(settings.ShortDateFormat, '/');
    settings.TimeSeparator = FirstSeparator(locale.timeFormat(QLocale::ShortFormat), ':');
    return settings;
}

TLocaleSettings& LocaleSettings()
{
    static TLocaleSettings settings = TLocaleSettings::FromLocale(QLocale::system());
    return settings;
}

QString LocaleDateText(const QDate& date)
{
    QString pattern = LocaleSettings().ShortDateFormat;
    pattern.replace(QLatin1Char('m'), QLatin1Char('M'));
    pattern.replace(QLatin1Char('D'), QLatin1Char('d'));
    pattern.replace(QLatin1Char('Y'), QLatin1Char('y'));
    return date.toString(pattern);
}
