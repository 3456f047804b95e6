#include "platform/formatting.h"

#include <cmath>

QString FormatFloat(const QString& format, double value)
{
    return QString::fromStdString(FormatInt(format.toStdString(), std::llround(value)));
}

int StrToInt(const QString& text)
{
    return StrToInt(std::string_view(text.toStdString()));
}

namespace {

// Length of the run of the same letter (case-insensitive) at i.
int RunLength(const QString& format, int i)
{
    int n = 1;
    while (i + n < format.size() && format[i + n].toLower() == format[i].toLower())
        ++n;
    return n;
}

QString Number(int value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

} // namespace

QString FormatDateTime(const QString& format, const QDateTime& value)
{
    const QDate date = value.date();
    const QTime time = value.time();
    QString out;
    bool afterHour = false;
    for (int i = 0; i < format.size();) {
        const QChar c = format[i];
        const QChar lower = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = format.indexOf(c, i + 1);
            const int stop = end < 0 ? static_cast<int>(format.size()) : end;
            out += format.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        const int n = RunLength(format, i);
        if (lower == QLatin1Char('d')) {
            out += Number(date.day(), n >= 2 ? 2 : 1);
        } else if (lower == QLatin1Char('m')) {
            const int v = afterHour ? time.minute() : date.month();
            out += Number(v, n >= 2 ? 2 : 1);
        } else if (lower == QLatin1Char('y')) {
            out += n >= 4 ? Number(date.year(), 4) : Number(date.year() % 100, 2);
        } else if (lower == QLatin1Char('h')) {
            out += Number(time.hour(), n >= 2 ? 2 : 1);
        } else if (lower == QLatin1Char('n')) {
            out += Number(time.minute(), n >= 2 ? 2 : 1);
        } else if (lower == QLatin1Char('s')) {
            out += Number(time.second(), n >= 2 ? 2 : 1);
        } else {
            out += c;
            ++i;
            continue;
        }
        afterHour = lower == QLatin1Char('h');
        i += n;
    }
    return out;
}

QString DateToStr(const QDate& date)
{
    return FormatDateTime(QStringLiteral("dd/mm/yy"), QDateTime(date, QTime(0, 0)));
}

QString TimeToStr(const QTime& time)
{
    return FormatDateTime(QStringLiteral("hh:nn:ss"), QDateTime(QDate(2000, 1, 1), time));
}

int DayOfWeek(const QDate& date)
{
    return date.dayOfWeek() % 7 + 1;
}

QDateTime Now()
{
    return QDateTime::currentDateTime();
}

QDate Date()
{
    return QDate::currentDate();
}

QTime Time()
{
    return QTime::currentTime();
}
