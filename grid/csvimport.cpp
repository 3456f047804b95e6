#include "grid/csvimport.h"

#include "grid/extutil.h"
#include "image/cp1252.h"
#include "platform/grids.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

constexpr int kGrowRows = 1000;

// The lines of a text, one at a time, without their line ends.
class TLineReader {
public:
    explicit TLineReader(const QString& text)
        : text_(text), breakAtLineFeed_(!text.contains(QChar('\r')))
    {
    }

    bool Next(QStringView& line)
    {
        if (pos_ >= text_.size())
            return false;
        const QChar end = breakAtLineFeed_ ? QChar('\n') : QChar('\r');
        qsizetype stop = text_.indexOf(end, pos_);
        if (stop < 0)
            stop = text_.size();
        line = QStringView(text_).mid(pos_, stop - pos_);
        pos_ = stop + 1;
        if (!breakAtLineFeed_ && pos_ < text_.size() && text_[pos_] == QChar('\n'))
            ++pos_;
        return true;
    }

private:
    const QString& text_;
    bool breakAtLineFeed_;
    qsizetype pos_ = 0;
};

int LineTotal(const QString& text)
{
    TLineReader reader(text);
    QStringView line;
    int count = 0;
    while (reader.Next(line))
        ++count;
    return count;
}

// A value at the end of a line: one leading and one trailing quote go.
QString LastValue(QStringView rest)
{
    if (rest.startsWith(QChar('"')))
        rest = rest.mid(1);
    if (rest.endsWith(QChar('"')))
        rest.chop(1);
    return UndoubleChar('"', rest);
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
    QStringList values;
    QStringView rest = Line;
    if (!Separator.isNull()) {
        while (rest.contains(Separator) && values.size() <= MaxValues) {
            if (!rest.startsWith(QChar('"'))) {
                const qsizetype at = rest.indexOf(Separator);
                values += rest.left(at).toString();
                rest = rest.mid(at + 1);
                continue;
            }
            // A quoted value runs to the quote that ends an odd run of
            // quotes (a doubled quote is a quote of the text); what follows
            // it up to the next separator is dropped. Without a closing
            // quote the value takes the rest of the line.
            const QStringView inner = rest.mid(1);
            int end = 0;
            if (!OddRunEnd('"', inner, end)) {
                values += UndoubleChar('"', inner);
                rest = QStringView();
                break;
            }
            values += UndoubleChar('"', inner.left(end - 1));
            rest = inner.mid(end);
            const qsizetype at = rest.indexOf(Separator);
            rest = at < 0 ? QStringView() : rest.mid(at + 1);
        }
    }
    if (!rest.isEmpty() && values.size() <= MaxValues)
        values += LastValue(rest);
    return values;
}

void ReadCsv(const QString& Text, const TCsvOptions& Options, TCsvSink& Sink)
{
    QChar separator = Options.ValueSeparator;
    if (separator.isNull()) {
        TLineReader probe(Text);
        QStringView first, second;
        probe.Next(first);
        probe.Next(second);
        separator = DetectValueSeparator(first.toString(), second.toString());
    }

    int lineTotal = 0;
    if (Options.ReportProgress) {
        lineTotal = LineTotal(Text);
        Sink.SetRowCount(Options.FirstRow + lineTotal + Options.FixedFooters);
    }

    const int maxValues = std::max(kMaxGridCols - Options.FirstCol, 0);
    TLineReader reader(Text);
    QStringView line;
    int row = Options.FirstRow;
    int linesDone = 0;
    int percent = 0;
    while (reader.Next(line)) {
        if (row >= Sink.RowCount() - Options.FixedFooters)
            Sink.SetRowCount(row + kGrowRows);
        const QStringList values = SplitCsvLine(line, separator, maxValues);
        const int colsNeeded = Options.FirstCol + static_cast<int>(values.size());
        if (colsNeeded > Sink.ColCount())
            Sink.SetColCount(colsNeeded);
        int col = Options.FirstCol;
        for (QString value : values) {
            if (Options.TildeLineBreaks)
                TildeToCRLF(value);
            else
                LFToCRLF(value);
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
