#include "platform/strings.h"

int TStrings::IndexOf(const QString& value) const
{
    for (int i = 0; i < Count(); ++i)
        if (Get(i).compare(value, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TStrings::AddStrings(const QStringList& values)
{
    for (const QString& value : values)
        Add(value);
}

void TStrings::Assign(const QStringList& values)
{
    Clear();
    AddStrings(values);
}

QStringList TStrings::ToStringList() const
{
    QStringList list;
    for (int i = 0; i < Count(); ++i)
        list << Get(i);
    return list;
}

QString TStrings::Text() const
{
    QString text;
    for (int i = 0; i < Count(); ++i)
        text += Get(i) + QStringLiteral("\r\n");
    return text;
}
