// The grid's LoadFromCSV over a table of files the test writes, and
// LoadFromXLS over workbooks written at test time by xlwt: what the grid
// holds afterwards, the old data gone, the fixed cells kept, the errors,
// and the server closed and the cursor back on every way out.
#include "grid/extgrid.h"
#include "grid/floatingfooter.h"
#include "platform/localesettings.h"
#include "platform/spreadsheet.h"
#include "platform/xlsreader/workbookreply.h"
#include "tests/support/xlsfixtures.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace {

using Rows = std::vector<QStringList>;

// A grid of cols x rows, every cell "old" (the fixed ones "H").
void Fill(TExtStringGrid& grid, int cols, int rows, int fixedCols, int fixedRows)
{
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    grid.SetFixedCols(fixedCols);
    grid.SetFixedRows(fixedRows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            grid.SetCells(c, r, c < fixedCols || r < fixedRows ? "H" : "old");
}

Rows Contents(const TExtStringGrid& grid)
{
    Rows rows;
    for (int r = 0; r < grid.RowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < grid.ColCount(); ++c)
            row << grid.Cells(c, r);
        rows.push_back(row);
    }
    return rows;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct CsvCase {
    const char* name;
    QByteArray bytes;
    Rows expected; // the whole grid afterwards
    char separator = 0;
    bool tilde = false;
    bool includeFixed = true;
    bool oem = false;
    bool footer = false;
};

// The grid before each load: 3 x 3, one fixed column and row, all filled.
const CsvCase kCsvCases[] = {
    {"two semicolons a line", "a;b;c\r\n1;2;3\r\n", {{"a", "b", "c"}, {"1", "2", "3"}}},
    {"comma then semicolons: pass 3", "x,y\r\na;b;c\r\n", {{"x,y", "", ""}, {"a", "b", "c"}}},
    {"quoted separator and doubled quotes", "\"a,b\",c\r\n\"x\"\"y\",z\r\n",
     {{"a,b", "c", ""}, {"x\"y", "z", ""}}},
    {"tab", "a\tb\r\nc\td\r\n", {{"a", "b", ""}, {"c", "d", ""}}},
    {"hash", "a#b\r\nc#d\r\n", {{"a", "b", ""}, {"c", "d", ""}}},
    {"bar", "a|b\r\nc|d\r\n", {{"a", "b", ""}, {"c", "d", ""}}},
    {"tilde line breaks", "a~b;c\r\nd;e\r\n", {{"a\r\nb", "c", ""}, {"d", "e", ""}}, 0, true},
    {"line feed inside a value", "\"a\nb\",c\r\nd,e\r\n", {{"a\r\nb", "c", ""}, {"d", "e", ""}}},
    {"line feeds only", "a,b\nc,d\n", {{"a", "b", ""}, {"c", "d", ""}}},
    {"one column, no separator", "alpha\r\nbeta\r\n", {{"alpha", "", ""}, {"beta", "", ""}}},
    {"unclosed quote", "a,\"bc,d\r\ne,f\r\n", {{"a", "bc,d", ""}, {"e", "f", ""}}},
    {"separator set", "a,b;c\r\n", {{"a,b", "c", ""}}, ';'},
    {"after the fixed cells", "a;b;c\r\nd;e;f\r\n",
     {{"H", "H", "H", ""}, {"H", "a", "b", "c"}, {"H", "d", "e", "f"}}, 0, false, false},
    {"DOS code page", "\x80\x87;\x82\r\n", {{QString::fromUtf8("Çç"), QString::fromUtf8("é"), ""}}, 0, false, true, true},
    {"UTF-8", "Recep\xc3\xa7\xc3\xa3o;a\xc3\xa7\xc3\xa3o\r\n",
     {{QString::fromUtf8("Recepção"), QString::fromUtf8("ação"), ""}}},
    {"cp1252", "Recep\xe7\xe3o;a\x80\r\n", {{QString::fromUtf8("Recepção"), QString::fromUtf8("a€"), ""}}},
    {"footer row emptied", "a;b\r\nc;d\r\n", {{"a", "b", ""}, {"c", "d", ""}, {"", "", ""}}, 0, false, true,
     false, true},
    {"shorter file over a filled grid", "a;b\r\n", {{"a", "b", ""}}},
};

class CsvImport : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvImport, GridHoldsTheFile)
{
    const CsvCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("dados.csv");
    WriteFile(path, c.bytes);

    TExtStringGrid grid;
    Fill(grid, 3, 3, 1, 1);
    grid.ValueSeparator = QChar(c.separator);
    grid.TildeLineBreaks = c.tilde;
    grid.IncludeFixedCells = c.includeFixed;
    grid.OemConvert = c.oem;
    if (c.footer)
        grid.FloatingFooter()->SetVisible(true);
    std::vector<TRect> changed;
    grid.OnCellsChanged = [&](QObject*, TRect R) { changed.push_back(R); };

    grid.LoadFromCSV(path);
    EXPECT_EQ(Contents(grid), c.expected);
    EXPECT_EQ(grid.ValueSeparator, QChar(c.separator));
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], (TRect{0, 0, grid.ColCount(), grid.RowCount()}));
}

INSTANTIATE_TEST_SUITE_P(Files, CsvImport, ::testing::ValuesIn(kCsvCases),
                         [](const ::testing::TestParamInfo<CsvCase>& param) {
                             QString name = QString::fromUtf8(param.param.name);
                             for (QChar& ch : name)
                                 if (!ch.isLetterOrNumber())
                                     ch = '_';
                             return name.toStdString();
                         });

TEST(CsvImportGrid, AFileThatCannotBeOpenedLeavesTheGridAsItWas)
{
    QTemporaryDir dir;
    TExtStringGrid grid;
    Fill(grid, 3, 3, 1, 1);
    const Rows before = Contents(grid);
    const QString path = dir.filePath("falta.csv");
    try {
        grid.LoadFromCSV(path);
        ADD_FAILURE() << "no error";
    } catch (const EExtGridError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "Cannot open file " + path);
    }
    EXPECT_EQ(Contents(grid), before);
}

TEST(CsvImportGrid, ProgressFromOneToAHundred)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("longo.csv");
    QByteArray bytes;
    for (int i = 0; i < 400; ++i)
        bytes += QByteArray::number(i) + ";x\r\n";
    WriteFile(path, bytes);
    TExtStringGrid grid;
    Fill(grid, 3, 3, 1, 1);
    std::vector<int> progress;
    std::vector<int> rowCounts;
    grid.OnFileProgress = [&](QObject* sender, short p) {
        EXPECT_EQ(sender, &grid);
        progress.push_back(p);
        rowCounts.push_back(grid.RowCount());
    };
    grid.LoadFromCSV(path);
    ASSERT_EQ(progress.size(), 100u);
    EXPECT_EQ(progress.front(), 1);
    EXPECT_EQ(progress.back(), 100);
    // The grid was sized to the lines before reading.
    EXPECT_EQ(rowCounts.front(), 400);
    EXPECT_EQ(grid.RowCount(), 400);
    EXPECT_EQ(grid.Cells(0, 399), "399");
}

TEST(CsvImportGrid, GrowsWhileReadingAndEndsWithFixedDataAndFooterRows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("2500.csv");
    QByteArray bytes;
    for (int i = 0; i < 2500; ++i)
        bytes += QByteArray::number(i) + ";x\r\n";
    WriteFile(path, bytes);
    TExtStringGrid grid;
    Fill(grid, 3, 3, 1, 1);
    grid.IncludeFixedCells = false;
    grid.SetFixedFooters(1);
    std::vector<int> sizes;
    grid.OnCellsChanged = [&](QObject*, TRect R) { sizes.push_back(R.Bottom); };
    grid.LoadFromCSV(path);
    EXPECT_EQ(grid.RowCount(), 1 + 2500 + 1);
    EXPECT_EQ(grid.Cells(1, 2500), "2499");
    EXPECT_EQ(sizes, std::vector<int>{2502});
}

TEST(CsvImportGrid, AFileTooLargeForTheGridRaisesTheSizeErrorAndLeavesTheGridAsItWas)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        bool fixedIncluded;
    };
    const Case cases[] = {
        {"a line of millions of separators", QByteArray(2000000, ',') + "\r\n", true},
        {"300,000 fields after ordinary lines", "a,b\r\nc,d\r\n" + QByteArray(300000, ',') + "\r\n", true},
        {"300,000 fields, fixed cells kept", "a;b\r\n" + QByteArray(300000, ';') + "\r\nz;y\r\n", false},
        // Nothing after the last separator is no value: the column past the
        // grid's last one needs a value of its own.
        {"one more column than the grid holds", QByteArray(65536, '#') + "x\n", true},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("largo.csv");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(path, c.bytes);
        TExtStringGrid grid;
        Fill(grid, 3, 3, 1, 1);
        grid.IncludeFixedCells = c.fixedIncluded;
        const Rows before = Contents(grid);
        try {
            grid.LoadFromCSV(path);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGridOperation& e) {
            EXPECT_STREQ(e.what(), "Grid too large for operation");
        }
        EXPECT_EQ(grid.ColCount(), 3);
        EXPECT_EQ(grid.RowCount(), 3);
        EXPECT_EQ(Contents(grid), before);
    }
}

TEST(CsvImportGrid, QuotedLineEndsStayInTheirCell)
{
    struct Case {
        const char* name;
        const char* text;
        Rows rows;
    };
    const Case cases[] = {
        {"line feeds", "a,\"x\ny\",b\nc,d,e\n", {{"a", "x\r\ny", "b"}, {"c", "d", "e"}}},
        {"carriage return and line feed", "a,\"x\r\ny\",b\r\nc,d,e\r\n", {{"a", "x\r\ny", "b"}, {"c", "d", "e"}}},
        {"the last value", "a,b,\"x\r\n\r\ny\"\r\nc,d,e\r\n", {{"a", "b", "x\r\n\r\ny"}, {"c", "d", "e"}}},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("aspas.csv");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(path, c.text);
        TExtStringGrid grid;
        Fill(grid, 3, 3, 0, 0);
        grid.LoadFromCSV(path);
        EXPECT_EQ(Contents(grid), c.rows);
    }
}

// ---------------------------------------------------------------- workbooks

class XlsImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        LocaleSettings().DecimalSeparator = ',';
        LocaleSettings().ShortDateFormat = "dd/MM/yyyy";
        LocaleSettings().TimeSeparator = ':';
    }
    void TearDown() override
    {
        EXPECT_EQ(OpenSpreadsheetWorkbooks(), 0);
        EXPECT_EQ(LiveSpreadsheetServers(), 0);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        SpreadsheetServerHooks() = {};
        LocaleSettings() = saved;
    }
    QString Fixture(const char* name, const char* body)
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        xlsfixtures::WriteXls(path, body);
        return path;
    }
    // A reader of our own making: a shell script with this body.
    QString FakeReader(const QByteArray& body)
    {
        const QString path = dir.filePath("leitor.sh");
        QFile::remove(path);
        WriteFile(path, "#!/bin/sh\n" + body + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    QTemporaryDir dir;
    TLocaleSettings saved = LocaleSettings();
};

TEST_F(XlsImport, TheUsedRangeReplacesTheGridsData)
{
    const QString path = Fixture("tipos.xls", xlsfixtures::kTypes);
    TExtStringGrid grid;
    Fill(grid, 6, 8, 1, 1);
    Qt::CursorShape during = Qt::ArrowCursor;
    SpreadsheetServerHooks().Opened = [&](const QString&) {
        if (QGuiApplication::overrideCursor())
            during = QGuiApplication::overrideCursor()->shape();
    };
    std::vector<TRect> changed;
    grid.OnCellsChanged = [&](QObject*, TRect R) { changed.push_back(R); };
    grid.LoadFromXLS(path);
    const Rows expected = {
        {"Ramal", "Valor", "Data"},
        {QString::fromUtf8("Açúcar"), "42", "01/03/2024"},
        {"x", "2,5", "01/03/2024 10:30:00"},
        {"", "", ""}, // a formula without a saved result, an error value
        {"fim", "", ""},
    };
    EXPECT_EQ(Contents(grid), expected);
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_EQ(changed, std::vector<TRect>{(TRect{0, 0, 3, 5})});
}

// The active sheet's used range C3:D4 lands at the first data cell, its
// booleans as words, its date in the locale's form, its error value skipped.
TEST_F(XlsImport, TheActiveSheetsUsedRangeFromItsFirstUsedCell)
{
    const QString path = Fixture("ativa.xls", xlsfixtures::kActiveSecond);
    struct Case {
        bool includeFixed;
        Rows expected;
    };
    const Case cases[] = {
        {true, {{"True", "False"}, {"25/12/2024", ""}}},
        {false, {{"H", "H", "H"}, {"H", "True", "False"}, {"H", "25/12/2024", ""}}},
    };
    for (const Case& c : cases) {
        TExtStringGrid grid;
        Fill(grid, 5, 5, 1, 1);
        grid.IncludeFixedCells = c.includeFixed;
        grid.LoadFromXLS(path);
        EXPECT_EQ(Contents(grid), c.expected) << c.includeFixed;
        EXPECT_EQ(grid.FixedCols(), 1);
        EXPECT_EQ(grid.FixedRows(), 1);
    }
}

TEST_F(XlsImport, DatesInTheLocalesForm)
{
    const QString path = Fixture("datas.xls", xlsfixtures::kDates);
    struct Case {
        const char* dateFormat;
        char timeSeparator;
        QStringList expected;
    };
    const Case cases[] = {
        {"dd/MM/yyyy", ':', {"25/12/2024", "25/12/2024 09:05:07", "10:30:00"}},
        {"M/d/yy", '.', {"12/25/24", "12/25/24 09.05.07", "10.30.00"}},
        {"yyyy-MM-dd", ':', {"2024-12-25", "2024-12-25 09:05:07", "10:30:00"}},
        // Day, month and year named in the other case.
        {"DD/mm/YYYY", ':', {"25/12/2024", "25/12/2024 09:05:07", "10:30:00"}},
    };
    for (const Case& c : cases) {
        LocaleSettings().ShortDateFormat = c.dateFormat;
        LocaleSettings().TimeSeparator = c.timeSeparator;
        TExtStringGrid grid;
        Fill(grid, 2, 2, 0, 0);
        grid.LoadFromXLS(path);
        EXPECT_EQ(Contents(grid), Rows{c.expected}) << c.dateFormat;
    }
}

TEST_F(XlsImport, ASingleUsedCellGoesToTheFirstDataCellAndTheGridKeepsItsSize)
{
    const std::pair<const char*, const char*> books[] = {
        {"um.xls", xlsfixtures::kSingleCell},
        {"canto.xls", xlsfixtures::kCornerCell},
    };
    for (const auto& [name, body] : books) {
        const QString path = Fixture(name, body);
        for (const bool includeFixed : {true, false}) {
            TExtStringGrid grid;
            Fill(grid, 3, 3, 1, 1);
            grid.IncludeFixedCells = includeFixed;
            grid.LoadFromXLS(path);
            EXPECT_EQ(grid.ColCount(), 3) << name;
            EXPECT_EQ(grid.RowCount(), 3) << name;
            const int at = includeFixed ? 0 : 1;
            const QString expected = QString::fromUtf8(body == xlsfixtures::kSingleCell ? "só" : "canto");
            EXPECT_EQ(grid.Cells(at, at), expected) << name;
            EXPECT_EQ(grid.Cells(2, 2), "") << name;
        }
    }
}

// The footer rows come after the sheet's rows, emptied; a grid too short
// for a single used cell above its footer row grows to hold it.
TEST_F(XlsImport, TheFooterRowsStayBelowTheSheetsRows)
{
    struct Case {
        const char* name;
        const char* body;
        int rows;
        bool floating; // else one fixed footer row alone
        Rows expected;
    };
    const Case cases[] = {
        {"fixed footer", xlsfixtures::kActiveSecond, 5, false, {{"True", "False"}, {"25/12/2024", ""}, {"", ""}}},
        {"floating footer", xlsfixtures::kActiveSecond, 5, true, {{"True", "False"}, {"25/12/2024", ""}, {"", ""}}},
        {"single cell, one row", xlsfixtures::kSingleCell, 1, true, {{QString::fromUtf8("só"), "", ""}, {"", "", ""}}},
    };
    for (const Case& c : cases) {
        const QString path = Fixture("rodape.xls", c.body);
        TExtStringGrid grid;
        Fill(grid, 3, c.rows, 0, 0);
        if (c.floating)
            grid.FloatingFooter()->SetVisible(true);
        else
            grid.SetFixedFooters(1);
        grid.LoadFromXLS(path);
        EXPECT_EQ(Contents(grid), c.expected) << c.name;
    }
}

TEST_F(XlsImport, ErrorsLeaveTheGridAsItWasAndTheServerClosed)
{
    const QString text = dir.filePath("texto.xls");
    WriteFile(text, "Ramal;Nome\r\n20;Recepção\r\n");
    const QString good = Fixture("tipos.xls", xlsfixtures::kTypes);
    struct Case {
        const char* name;
        QString path;
        bool missing;
        bool failValue;
        QString reader;
        const char* message; // empty: the server's own error naming the file
    };
    const Case cases[] = {
        {"not a workbook", text, false, false, "", ""},
        {"no such file", dir.filePath("falta.xls"), false, false, "", ""},
        {"no server", good, true, false, "", "Excel OLE server not found"},
        {"no reader installed", good, false, false, dir.filePath("falta"), "Excel OLE server not found"},
        {"values cannot be read", good, false, true, "", ""},
    };
    for (const Case& c : cases) {
        TExtStringGrid grid;
        Fill(grid, 3, 3, 1, 1);
        const Rows before = Contents(grid);
        SpreadsheetServerHooks().Missing = c.missing;
        SpreadsheetServerHooks().FailNextValue = c.failValue;
        SpreadsheetServerHooks().ReaderPath = c.reader;
        try {
            grid.LoadFromXLS(c.path);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const EExtGridError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
        } catch (const ESpreadsheetError& e) {
            EXPECT_STREQ(c.message, "") << c.name;
            EXPECT_NE(QString::fromUtf8(e.what()).indexOf(c.path), -1) << c.name << ": " << e.what();
        }
        EXPECT_EQ(Contents(grid), before) << c.name;
        EXPECT_EQ(OpenSpreadsheetWorkbooks(), 0) << c.name;
        EXPECT_EQ(LiveSpreadsheetServers(), 0) << c.name;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << c.name;
    }
}

// Loads the workbook into a filled grid that must come out of it as it was,
// the import refused with the grid's error.
void ExpectNotAValidWorkbook(const QString& path, const char* name)
{
    TExtStringGrid grid;
    Fill(grid, 3, 3, 1, 1);
    const Rows before = Contents(grid);
    try {
        grid.LoadFromXLS(path);
        ADD_FAILURE() << name << ": loaded";
    } catch (const EExtGridError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), path + " is not a valid workbook") << name;
    }
    EXPECT_EQ(Contents(grid), before) << name;
    EXPECT_EQ(OpenSpreadsheetWorkbooks(), 0) << name;
    EXPECT_EQ(LiveSpreadsheetServers(), 0) << name;
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << name;
}

// A reader that crashes, hangs, fails or answers anything but a whole reply
// makes the workbook one the grid cannot import; the program goes on.
TEST_F(XlsImport, AReaderThatFailsRefusesTheWorkbook)
{
    TWorkbookReply values;
    values.FirstRow = values.LastRow = 2;
    values.FirstCol = 2;
    values.LastCol = 3;
    values.Cells = {{2, 2, TReplyKind::Text, 0, "a", 0}, {2, 3, TReplyKind::Number, 0, "", 0}};
    values.Cells[1].Number = 7;
    const QString reply = dir.filePath("resposta");
    WriteFile(reply, QByteArray::fromStdString(EncodeWorkbookReply(values)));
    const QByteArray cat = "cat '" + reply.toUtf8() + "'";
    const QString book = Fixture("um.xls", xlsfixtures::kSingleCell);

    // The fake reader's whole reply is read as the workbook.
    SpreadsheetServerHooks().ReaderPath = FakeReader(cat);
    TExtStringGrid grid;
    Fill(grid, 3, 3, 0, 0);
    grid.LoadFromXLS(book);
    EXPECT_EQ(Contents(grid), (Rows{{"a", "7"}}));

    struct Case {
        const char* name;
        QByteArray body;
    };
    const Case cases[] = {
        {"crashes", "kill -SEGV $$"},
        {"aborts", "kill -ABRT $$"},
        {"hangs", "exec sleep 3600"},
        {"closes its output and hangs", "exec >&-; exec sleep 3600"},
        {"answers and then hangs", cat + "; exec sleep 3600"},
        {"answers and ends with a failure", cat + "; exit 3"},
        {"says nothing", "exit 0"},
        {"answers garbage", "printf 'not a reply'"},
        {"cuts its reply", cat + " | head -c 30"},
        {"answers twice", cat + "; " + cat},
        {"answers endlessly", "exec cat /dev/zero"},
    };
    // The reader that never ends meets these limits whatever the machine's
    // speed.
    SpreadsheetServerHooks().ReaderTimeLimitMs = 1000;
    SpreadsheetServerHooks().ReaderReplyLimitBytes = 1 << 20;
    for (const Case& c : cases) {
        SpreadsheetServerHooks().ReaderPath = FakeReader(c.body);
        ExpectNotAValidWorkbook(book, c.name);
    }
}

// Damaged workbooks found by fuzzing the import, on which FreeXL 1.0.6
// fails inside its own open: one makes it read past a heap block (a crash,
// with or without the sanitizer), one hands iconv a length beyond its stack
// buffer, one makes it keep memory that no call frees. The program goes on
// after each: the first is not a valid workbook, the second's damaged
// container is refused before FreeXL sees it, and the third reads (what
// FreeXL keeps ends with the reader). (The fuzz inputs' first byte is the
// target's own.)
TEST_F(XlsImport, WorkbooksThatCrashTheLibraryLeaveTheProgramRunning)
{
    enum TOutcome { NotValid, Refused, Loads };
    const std::pair<const char*, TOutcome> cases[] = {
        {"freexl-open-segv", NotValid},
        {"freexl-open-iconv-overread", Refused},
        {"freexl-leak", Loads},
    };
    for (const auto& [name, outcome] : cases) {
        QFile known(QStringLiteral(TRIVANTO_SOURCE_DIR "/tests/fuzz/corpus/xlsimport/finding-") + name);
        ASSERT_TRUE(known.open(QIODevice::ReadOnly)) << name;
        const QString path = dir.filePath(QString::fromUtf8(name) + ".xls");
        WriteFile(path, known.readAll().mid(1));
        if (outcome == NotValid) {
            ExpectNotAValidWorkbook(path, name);
            continue;
        }
        TExtStringGrid grid;
        Fill(grid, 3, 3, 1, 1);
        const Rows before = Contents(grid);
        if (outcome == Refused) {
            EXPECT_THROW(grid.LoadFromXLS(path), ESpreadsheetError) << name;
            EXPECT_EQ(Contents(grid), before) << name;
        } else {
            grid.LoadFromXLS(path);
            EXPECT_GT(grid.RowCount(), 3) << name;
        }
    }
}

} // namespace
