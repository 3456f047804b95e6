// The delimited-text reader on its own: separator detection, splitting a
// line, decoding the bytes, and the table it fills (growth, progress, the
// size limit), against a recording table.
#include "grid/csvimport.h"
#include "platform/grids.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace {

// A table that records how it was sized and what it was told.
class RecordingSink : public TCsvSink {
public:
    int rows = 1;
    int cols = 1;
    std::vector<int> rowCounts;
    std::vector<int> progress;
    std::map<std::pair<int, int>, QString> cells;

    int RowCount() const override { return rows; }
    void SetRowCount(int Count) override
    {
        CheckGridSize(cols, Count);
        rows = Count;
        rowCounts.push_back(Count);
    }
    int ColCount() const override { return cols; }
    void SetColCount(int Count) override
    {
        CheckGridSize(Count, rows);
        cols = Count;
    }
    void SetCell(int ACol, int ARow, const QString& Value) override
    {
        EXPECT_LT(ACol, cols);
        EXPECT_LT(ARow, rows);
        cells[{ACol, ARow}] = Value;
    }
    void Progress(int Percent) override { progress.push_back(Percent); }
};

QString Lines(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("%1;x\r\n").arg(i);
    return text;
}

TEST(CsvDetect, ThreePassesInOrderOfPreference)
{
    struct Row {
        const char* line1;
        const char* line2;
        char16_t expected; // 0: none
    };
    const Row rows[] = {
        {"a;b;c", "1;2;3", u';'},               // the same count in both lines
        {"a,b", "a;b;c", u';'},                 // pass 3: the highest count in either line
        {"a,b,c", "a;b;c", u','},               // pass 3: the earlier of equal counts
        {"a;b,c", "d;e,f", u','},               // pass 1: equal counts, the earlier candidate
        {"a;;b;c|x|y|z|w", "d;e|f", u';'},      // a doubled separator is escaped: 1 and 1
        {"a,,b", "c,d,e", u','},                // pass 2: 2 and 2 plain counts
        {"a#b", "c#d", u'#'},
        {"a\tb", "c\td", u'\t'},
        {"a|b|c", "d|e|f", u'|'},
        {"alpha", "beta", 0},                    // no candidate: one value per line
        {"a,b", "", u','},                       // a one-line file
        {"", "", 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DetectValueSeparator(row.line1, row.line2), QChar(row.expected)) << row.line1 << " / " << row.line2;
}

TEST(CsvSplit, QuotingAndItsFaults)
{
    struct Row {
        const char* line;
        char separator; // 0: none
        QStringList values;
    };
    const Row rows[] = {
        {"a,b,c", ',', {"a", "b", "c"}},
        {"\"a,b\",c", ',', {"a,b", "c"}},                  // a quoted separator stays in its value
        {"\"say \"\"hi\"\"\",x", ',', {"say \"hi\"", "x"}}, // a doubled quote gives one
        {"a,\"b,c\"", ',', {"a", "b,c"}},                  // quoted last value
        {"a,\"b\"\"\"", ',', {"a", "b\""}},                 // last value: outer quotes go, inner undoubled
        {"\"a\"junk,b", ',', {"a", "b"}},                  // after the closing quote up to the separator
        {"a,b,", ',', {"a", "b"}},                         // nothing after the last separator
        {",,a", ',', {"", "", "a"}},
        {"a,\"bc,d", ',', {"a", "bc,d"}},                  // an unclosed quote takes the rest of the line
        {"\"abc,d,e", ',', {"abc,d,e"}},
        {"\"", ',', {""}},
        {"\"x\"", 0, {"x"}},                               // without a separator: the whole line
        {"a,b", 0, {"a,b"}},
        {"", ',', {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SplitCsvLine(QString::fromUtf8(row.line), QChar(row.separator), 100), row.values) << row.line;
}

TEST(CsvSplit, StopsOnceMoreValuesThanAllowed)
{
    const QString line(1000000, QChar(','));
    EXPECT_EQ(SplitCsvLine(line, ',', 10).size(), 11);
}

TEST(CsvDecode, Utf8WhenValidElseCp1252OrDosWithOem)
{
    struct Row {
        QByteArray bytes;
        bool oem;
        QString text;
    };
    const Row rows[] = {
        {"Recep\xc3\xa7\xc3\xa3o", false, QString::fromUtf8("Recepção")},
        {"\xEF\xBB\xBFRamal", false, "Ramal"},                           // the byte-order mark goes
        {"Recep\xe7\xe3o \x80", false, QString::fromUtf8("Recepção €")},   // not UTF-8: cp1252
        {"\x80\x87\x82\xa0", true, QString::fromUtf8("Ççéá")},            // DOS code page 850
        {"plain", true, "plain"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DecodeCsvText(row.bytes, row.oem), row.text) << row.bytes.toHex().constData();
}

TEST(CsvRead, GrowsAThousandRowsAtATimeAndEndsAtTheData)
{
    RecordingSink sink;
    sink.rows = 2; // one fixed row, one footer row
    TCsvOptions options;
    options.FirstRow = 1;
    options.FixedFooters = 1;
    ReadCsv(Lines(2500), options, sink);
    EXPECT_EQ(sink.rowCounts, (std::vector<int>{1001, 2000, 2999, 2502}));
    EXPECT_EQ(sink.cols, 2);
    EXPECT_EQ(sink.cells.at({0, 1}), "0");
    EXPECT_EQ(sink.cells.at({0, 2500}), "2499");
    EXPECT_TRUE(sink.progress.empty());
}

TEST(CsvRead, ProgressSizesTheTableFirstAndReportsEachChange)
{
    struct Row {
        int lines;
        std::vector<int> expected; // empty: 1 to 100
    };
    const Row rows[] = {{3, {33, 67, 100}}, {1, {100}}, {1000, {}}, {250, {}}};
    for (const Row& row : rows) {
        RecordingSink sink;
        TCsvOptions options;
        options.FirstRow = 1;
        options.ReportProgress = true;
        ReadCsv(Lines(row.lines), options, sink);
        // Sized once before reading, never grown, and set again at the end.
        EXPECT_EQ(sink.rowCounts, (std::vector<int>{1 + row.lines, 1 + row.lines})) << row.lines;
        std::vector<int> expected = row.expected;
        if (expected.empty())
            for (int p = 1; p <= 100; ++p)
                expected.push_back(p);
        EXPECT_EQ(sink.progress, expected) << row.lines;
    }
}

TEST(CsvRead, LineEndsAndLineBreakMarkers)
{
    struct Row {
        const char* text;
        bool tilde;
        std::vector<QStringList> lines;
    };
    const Row rows[] = {
        {"a;b\r\nc;d\r\n", false, {{"a", "b"}, {"c", "d"}}},
        {"a;b\rc;d", false, {{"a", "b"}, {"c", "d"}}},
        {"a;b\nc;d\n", false, {{"a", "b"}, {"c", "d"}}},                  // no carriage return: a line feed ends lines
        {"\"x\ny\";b\r\nc;d\r\n", false, {{"x\r\ny", "b"}, {"c", "d"}}},  // a line feed inside a line
        {"x~y;b\r\nc;d\r\n", true, {{"x\r\ny", "b"}, {"c", "d"}}},
        {"x~y;b\r\nc;d\r\n", false, {{"x~y", "b"}, {"c", "d"}}},
        {"a;b\r\n\r\nc;d", false, {{"a", "b"}, {}, {"c", "d"}}},           // an empty line is an empty row
        // A quoted value goes on over a line end, which stays in it.
        {"a,\"x\ny\",b\n", false, {{"a", "x\r\ny", "b"}}},
        {"a,\"x\r\ny\",b\r\nc,d,e\r\n", false, {{"a", "x\r\ny", "b"}, {"c", "d", "e"}}},
        {"a,\"x\ry\",b\rc,d,e", false, {{"a", "x\r\ny", "b"}, {"c", "d", "e"}}},
        {"a;\"1\r\n2\r\n3\";b\r\nc;d\r\n", false, {{"a", "1\r\n2\r\n3", "b"}, {"c", "d"}}},
        {"a;\"say \"\"hi\"\"\nnow\";b\na;b\n", false, {{"a", "say \"hi\"\r\nnow", "b"}, {"a", "b"}}},
        {"a;\"x~\r\ny\";b\r\nc;d\r\n", true, {{"a", "x\r\n\r\ny", "b"}, {"c", "d"}}},
        {"a;b\r\n\"open;\r\nto the end", false, {{"a", "b"}, {"open;"}, {"to the end"}}}, // never closed: its line only
    };
    for (const Row& row : rows) {
        RecordingSink sink;
        TCsvOptions options;
        options.TildeLineBreaks = row.tilde;
        ReadCsv(QString::fromUtf8(row.text), options, sink);
        EXPECT_EQ(sink.rows, static_cast<int>(row.lines.size())) << row.text;
        for (int r = 0; r < static_cast<int>(row.lines.size()); ++r)
            for (int c = 0; c < row.lines[r].size(); ++c)
                EXPECT_EQ((sink.cells[{c, r}]), row.lines[r][c]) << row.text;
    }
}

TEST(CsvRead, ALineOfMillionsOfSeparatorsRaisesTheSizeError)
{
    RecordingSink sink;
    TCsvOptions options;
    options.ValueSeparator = ',';
    const QString text = QString(3000000, QChar(',')) + QStringLiteral("\r\na,b\r\n");
    try {
        ReadCsv(text, options, sink);
        ADD_FAILURE() << "no error";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_STREQ(e.what(), "Grid too large for operation");
    }
    EXPECT_TRUE(sink.cells.empty());
}

} // namespace
