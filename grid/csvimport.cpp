#include "grid/csvimport.h"

#include "grid/extutil.h"
#include "image/cp1252.h"
#include "platform/grids.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

constexpr int kGrowRows = 1000;

// How a value stands in its record: as it is, quoted (doubled quotes
// collapse), or the record's last (a leading and a trailing quote go).
enum class TValueKind { Plain, Quoted, Last };

// The records of a text, one at a time. A record is a line; lines end at a
// carriage return with or without a line feed, or, in a text without any
// carriage return, at a line feed. A quoted value that does not close on
// its line goes on over the line end, which stays in the value; one that
// never closes ends with its line.
class TRecordReader {
public:
    // WholeLine: the text is one line, whatever it holds.
    TRecordReader(const QString& text, QChar separator, bool WholeLine = false)
        : text_(text), separator_(separator), breakAtLineFeed_(!text.contains(QChar('\r'))), wholeLine_(WholeLine)
    {
    }

    // Hands each value of the next record to Take(view, kind), at most
    // MaxValues + 1 of them; false when the text is done.
    template <class Take>
    bool Next(int MaxValues, Take&& take)
    {
        if (pos_ >= text_.size())
            return false;
        qsizetype lineEnd = LineEnd(pos_);
        qsizetype i = pos_;
        for (int count = 0; count <= MaxValues; ++count) {
            if (i < lineEnd && text_[i] == QChar('"')) {
                // The value runs to the quote that ends an odd run of
                // quotes (a doubled quote is a quote of the text), on this
                // line or a later one.
                // A quote that never closes takes the rest of its own line
                // only, so that one stray quote does not swallow the file.
                qsizetype close = -1;
                const qsizetype ownLineEnd = lineEnd;
                for (qsizetype from = i + 1; !ClosingQuote(from, lineEnd, close) && lineEnd < text_.size();) {
                    from = lineEnd;
                    lineEnd = LineEnd(AfterLineEnd(lineEnd));
                }
                if (close < 0)
                    lineEnd = ownLineEnd;
                if (SeparatorAt(i, lineEnd) < 0) {
                    take(View(i, lineEnd), TValueKind::Last);
                    break;
                }
                // What follows the closing quote up to the next separator is
                // dropped; without a closing quote the value takes the rest.
                take(close < 0 ? View(i + 1, lineEnd) : View(i + 1, close - 1), TValueKind::Quoted);
                const qsizetype next = close < 0 ? -1 : SeparatorAt(close, lineEnd);
                if (next < 0)
                    break;
                i = next + 1;
                continue;
            }
            const qsizetype at = SeparatorAt(i, lineEnd);
            if (at < 0) {
                if (i < lineEnd)
                    take(View(i, lineEnd), TValueKind::Last);
                break;
            }
            take(View(i, at), TValueKind::Plain);
            i = at + 1;
        }
        pos_ = AfterLineEnd(lineEnd);
        return true;
    }

    // The first two lines as they stand, quoted line ends or not, for the
    // separator's detection.
    void FirstTwoLines(QString& first, QString& second) const
    {
        const qsizetype end1 = LineEnd(0);
        first = text_.left(end1);
        const qsizetype start2 = AfterLineEnd(end1);
        second = start2 < text_.size() ? View(start2, LineEnd(start2)).toString() : QString();
    }

private:
    QStringView View(qsizetype from, qsizetype to) const { return QStringView(text_).mid(from, to - from); }

    qsizetype LineEnd(qsizetype from) const
    {
        if (wholeLine_)
            return text_.size();
        const qsizetype stop = text_.indexOf(breakAtLineFeed_ ? QChar('\n') : QChar('\r'), from);
        return stop < 0 ? text_.size() : stop;
    }

    qsizetype AfterLineEnd(qsizetype lineEnd) const
    {
        qsizetype next = lineEnd + 1;
        if (!breakAtLineFeed_ && next < text_.size() && text_[next] == QChar('\n'))
            ++next;
        return next;
    }

    // The separator's place from From up to To, or -1.
    qsizetype SeparatorAt(qsizetype from, qsizetype to) const
    {
        if (separator_.isNull())
            return -1;
        const qsizetype at = text_.indexOf(separator_, from);
        return at >= 0 && at < to ? at : -1;
    }

    // The end of the quote run that closes a value, searched from From up
    // to To: a run of odd length (a doubled quote is a quote of the text),
    // or any run the text ends with.
    bool ClosingQuote(qsizetype from, qsizetype to, qsizetype& close) const
    {
        for (qsizetype i = from; i < to;) {
            if (text_[i] != QChar('"')) {
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < to && text_[end] == QChar('"'))
                ++end;
            if ((end - i) % 2 == 1 || end == text_.size()) {
                close = end;
                return true;
            }
            i = end;
        }
        return false;
    }

    const QString& text_;
    QChar separator_;
    bool breakAtLineFeed_;
    bool wholeLine_;
    qsizetype pos_ = 0;
};

// A value at the end of a line: one leading and one trailing quote go.
QString LastValue(QStringView rest)
{
    if (rest.startsWith(QChar('"')))
        rest = rest.mid(1);
    if (rest.endsWith(QChar('"')))
        rest.chop(1);
    return UndoubleChar('"', rest);
}

QString ValueText(QStringView raw, TValueKind kind)
{
    switch (kind) {
    case TValueKind::Plain: return raw.toString();
    case TValueKind::Quoted: return UndoubleChar('"', raw);
    case TValueKind::Last: break;
    }
    return LastValue(raw);
}

// The line breaks of a value as the grid keeps them: "~" or a line feed
// become a carriage return and line feed; without "~", a line end of the
// file that a quoted value holds becomes one too.
void CellLineBreaks(QString& value, bool tilde)
{
    if (tilde) {
        TildeToCRLF(value);
        return;
    }
    if (value.contains(QChar('\r'))) {
        value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        value.replace(QChar('\r'), QChar('\n'));
    }
    LFToCRLF(value);
}

// The records of a text and the most values one of them holds (counting
// at most MaxValues + 1).
struct TCsvShape {
    int Records = 0;
    int Values = 0;
};

TCsvShape MeasureCsv(const QString& text, QChar separator, int maxValues)
{
    TCsvShape shape;
    TRecordReader reader(text, separator);
    int values = 0;
    const auto count = [&](QStringView, TValueKind) { ++values; };
    for (; reader.Next(maxValues, count); values = 0) {
        ++shape.Records;
        shape.Values = std::max(shape.Values, values);
    }
    return shape;
}

using TCounter = int (*)(QChar, const QString&);

// Passes 1 and 2: the candidate whose count is the same, and highest, in
// both lines.
QChar SameCountIn(const QString& line1, const QString& line2, TCounter count)
{
    QChar chosen;
    int best = 0;
    for (const char16_t candidate : kCsvCandidates) {
        const int first = count(candidate, line1);
        if (first == count(candidate, line2) && first > best) {
            chosen = candidate;
            best = first;
        }
    }
    return chosen;
}

} // namespace

QString DecodeCsvText(const QByteArray& Bytes, bool OemConvert)
{
    if (OemConvert) {
        QString text = QString::fromLatin1(Bytes);
        OemToAnsiStr(text);
        return text;
    }
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray bytes = Bytes.startsWith(bom) ? Bytes.mid(bom.size()) : Bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromStdString(Cp1252ParaUtf8(std::string_view(Bytes.constData(), Bytes.size())));
}

QChar DetectValueSeparator(const QString& Line1, const QString& Line2)
{
    QChar chosen = SameCountIn(Line1, Line2, CountOddRuns);
    if (chosen.isNull())
        chosen = SameCountIn(Line1, Line2, CountChar);
    if (!chosen.isNull())
        return chosen;
    // Pass 3: the highest count in either line; the earlier candidate wins a tie.
    int best = 0;
    for (const char16_t candidate : kCsvCandidates) {
        const int most = std::max(CountChar(candidate, Line1), CountChar(candidate, Line2));
        if (most > best) {
            chosen = candidate;
            best = most;
        }
    }
    return chosen;
}

QStringList SplitCsvLine(QStringView Line, QChar Separator, int MaxValues)
{
    // The line alone, as a text of one record.
    const QString text = Line.toString();
    QStringList values;
    TRecordReader(text, Separator, true).Next(MaxValues, [&](QStringView raw, TValueKind kind) {
        values += ValueText(raw, kind);
    });
    return values;
}

void ReadCsv(const QString& Text, const TCsvOptions& Options, TCsvSink& Sink)
{
    QChar separator = Options.ValueSeparator;
    if (separator.isNull()) {
        QString first, second;
        TRecordReader(Text, separator).FirstTwoLines(first, second);
        separator = DetectValueSeparator(first, second);
    }

    // The whole size first, so that a file the grid cannot hold is refused
    // before anything of the sink changes.
    const int maxValues = std::max(kMaxGridCols - Options.FirstCol, 0);
    const TCsvShape shape = MeasureCsv(Text, separator, maxValues);
    Sink.Begin(Options.FirstCol + shape.Values, Options.FirstRow + shape.Records + Options.FixedFooters);
    const int lineTotal = shape.Records;
    if (Options.ReportProgress)
        Sink.SetRowCount(Options.FirstRow + lineTotal + Options.FixedFooters);

    TRecordReader reader(Text, separator);
    QStringList values;
    const auto collect = [&](QStringView raw, TValueKind kind) { values += ValueText(raw, kind); };
    int row = Options.FirstRow;
    int linesDone = 0;
    int percent = 0;
    for (; reader.Next(maxValues, collect); values.clear()) {
        if (row >= Sink.RowCount() - Options.FixedFooters)
            Sink.SetRowCount(std::min(row + kGrowRows, kMaxGridRows));
        const int colsNeeded = Options.FirstCol + static_cast<int>(values.size());
        if (colsNeeded > Sink.ColCount())
            Sink.SetColCount(colsNeeded);
        int col = Options.FirstCol;
        for (QString& value : values) {
            CellLineBreaks(value, Options.TildeLineBreaks);
            Sink.SetCell(col++, row, value);
        }
        ++row;
        ++linesDone;
        if (Options.ReportProgress) {
            const int now = static_cast<int>((linesDone * 200LL + lineTotal) / (2LL * lineTotal));
            if (now != percent) {
                percent = now;
                Sink.Progress(percent);
            }
        }
    }
    Sink.SetRowCount(row + Options.FixedFooters);
}
