#include "platform/inifiles.h"

#include "platform/files.h"

#include <QFile>

#include <optional>
#include <vector>

namespace {

// One line of the file as it stands on disk, with its own line ending, so
// that a rewrite gives back every untouched line byte for byte.
struct Line {
    QByteArray text;
    QByteArray ending;
};

using Lines = std::vector<Line>;

Lines SplitLines(const QByteArray& content)
{
    Lines lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = start;
        while (end < content.size() && content[end] != '\n' && content[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < content.size() && content[next] == '\r')
            ++next;
        if (next < content.size() && content[next] == '\n' && (next == end || content[end] == '\r'))
            ++next;
        lines.push_back({content.mid(start, end - start), content.mid(end, next - end)});
        start = next;
    }
    return lines;
}

QByteArray JoinLines(const Lines& lines)
{
    QByteArray content;
    for (const Line& line : lines)
        content += line.text + line.ending;
    return content;
}

// The line ending the file already uses; a new file gets CR LF.
QByteArray NewlineOf(const Lines& lines)
{
    for (const Line& line : lines)
        if (!line.ending.isEmpty())
            return line.ending;
    return "\r\n";
}

bool SameName(const QByteArray& a, const QString& b)
{
    return QString::fromLatin1(a).compare(b, Qt::CaseInsensitive) == 0;
}

// "[name]" gives the name; any other line gives nothing.
std::optional<QByteArray> SectionOf(const Line& line)
{
    const QByteArray text = line.text.trimmed();
    if (!text.startsWith('['))
        return std::nullopt;
    const qsizetype close = text.indexOf(']');
    return text.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

struct KeyLine {
    QByteArray key;
    QByteArray value;
};

// "key=value" gives both, trimmed; comments and lines without "=" nothing.
std::optional<KeyLine> KeyOf(const Line& line)
{
    const QByteArray text = line.text.trimmed();
    const qsizetype equals = text.indexOf('=');
    if (text.startsWith(';') || text.startsWith('[') || equals <= 0)
        return std::nullopt;
    return KeyLine{text.left(equals).trimmed(), text.mid(equals + 1).trimmed()};
}

QByteArray Unquoted(const QByteArray& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

Lines ReadLines(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return SplitLines(file.readAll());
}

// Where a section and a key stand in the file; the first of each counts.
struct Place {
    std::optional<size_t> section;  // the section's header line
    std::optional<size_t> key;      // the key's line inside it
    size_t lastFilled = 0;          // last line of the section that is not blank or a comment
};

Place Find(const Lines& lines, const QString& section, const QString& key)
{
    Place place;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionOf(lines[i])) {
            if (place.section)
                break;
            if (SameName(*name, section))
                place.section = place.lastFilled = i;
            continue;
        }
        if (!place.section)
            continue;
        const QByteArray text = lines[i].text.trimmed();
        if (!text.isEmpty() && !text.startsWith(';'))
            place.lastFilled = i;
        const auto found = KeyOf(lines[i]);
        if (found && !place.key && SameName(found->key, key))
            place.key = i;
    }
    return place;
}

} // namespace

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const Lines lines = ReadLines(fileName_);
    const Place place = Find(lines, section, key);
    if (!place.key)
        return defaultValue;
    return QString::fromLatin1(Unquoted(KeyOf(lines[*place.key])->value));
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    bool ok = false;
    const int value = ReadString(section, key, QString()).toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    Lines lines = ReadLines(fileName_);
    const QByteArray newline = NewlineOf(lines);
    const Place place = Find(lines, section, key);
    if (place.key) {
        Line& line = lines[*place.key];
        line.text = KeyOf(line)->key + '=' + value.toLatin1();
    } else {
        Line entry{key.toLatin1() + '=' + value.toLatin1(), newline};
        if (place.section) {
            // After the section's last entry; only that line may need an
            // ending, every other line stays as it was. The new line ends as
            // that one does: in a file of mixed endings a lone CR before a
            // blank LF line would read back as one CR LF, a line lost.
            Line& after = lines[place.lastFilled];
            if (after.ending.isEmpty())
                after.ending = newline;
            entry.ending = after.ending;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.lastFilled + 1), entry);
        } else {
            if (!lines.empty() && lines.back().ending.isEmpty())
                lines.back().ending = newline;
            lines.push_back({'[' + section.toLatin1() + ']', newline});
            lines.push_back(entry);
        }
    }

    // The file is replaced whole only once the new contents are on disk.
    FileFault fault;
    if (!ReplaceFile(fileName_, JoinLines(lines), NewFileAccess::Everyone, fault))
        throw EIniFileException(
            QStringLiteral("Não foi possível gravar o arquivo %1 (%2).").arg(fileName_, FileFaultText(fault)).toStdString());
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}
