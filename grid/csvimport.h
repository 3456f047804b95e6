#pragma once
// Reading a delimited text file into a table of cells: decoding its bytes,
// detecting the value separator, splitting lines at it with double-quote
// quoting, turning line-break markers into line breaks, growing the table
// 1,000 rows at a time and reporting progress. The grid's LoadFromCSV opens
// the file and hands the table in as a sink; tests hand in their own.
#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

// Where the values go: the grid, or a table of a test.
class TCsvSink {
public:
    virtual ~TCsvSink() = default;
    // The size the whole text needs, known before any value is stored; may
    // refuse it by raising, and then nothing of the sink has changed.
    virtual void Begin(int /*ColCount*/, int /*RowCount*/) {}
    virtual int RowCount() const = 0;
    virtual void SetRowCount(int Count) = 0;
    virtual int ColCount() const = 0;
    // Raises the grid's size error beyond kMaxGridCols.
    virtual void SetColCount(int Count) = 0;
    virtual void SetCell(int ACol, int ARow, const QString& Value) = 0;
    // 1..100, only when the options ask for progress.
    virtual void Progress(int Percent) = 0;
};

struct TCsvOptions {
    // The value separator; the null character means detect it from the
    // file's first two lines.
    QChar ValueSeparator;
    // Inside a value "~" stands for a line break; else a line feed does.
    bool TildeLineBreaks = false;
    // Where the first value of the first line goes.
    int FirstCol = 0;
    int FirstRow = 0;
    // Rows kept below the data.
    int FixedFooters = 0;
    // Count the lines first, size the table to them and report progress.
    bool ReportProgress = false;
};

// The file's bytes as text: with OemConvert in the DOS code page (850);
// otherwise UTF-8 when they are valid UTF-8 (a leading byte-order mark
// dropped), else the Windows Western code page (1252).
QString DecodeCsvText(const QByteArray& Bytes, bool OemConvert);

// Comma, semicolon, "#", tab and "|", tried in this order.
inline constexpr char16_t kCsvCandidates[] = {u',', u';', u'#', u'\t', u'|'};

// The separator the first two lines use, or the null character when they
// hold none of the candidates.
QChar DetectValueSeparator(const QString& Line1, const QString& Line2);

// The values of one line, line-break markers untouched. Without a separator
// the whole line is one value. Stops after MaxValues + 1 values, so that a
// line of millions of separators costs no more than the grid can hold.
QStringList SplitCsvLine(QStringView Line, QChar Separator, int MaxValues);

// Reads the text's lines into the sink. Lines end at a carriage return with
// or without a line feed; in a text without any carriage return, at a line
// feed; a quoted value that does not close on its line goes on over the
// line end, which stays in the value as a line break. The sink's data
// cells are expected empty once Begin has accepted the size.
void ReadCsv(const QString& Text, const TCsvOptions& Options, TCsvSink& Sink);
