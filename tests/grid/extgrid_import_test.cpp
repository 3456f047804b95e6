// The grid's LoadFromCSV over a table of files the test writes, and
// LoadFromXLS over workbooks written at test time by xlwt: what the grid
// holds afterwards, the old data gone, the fixed cells kept, the errors,
// and the server closed and the cursor back on every way out.
#include "grid/extgrid.h"
#include "grid/floatingfooter.h"
#include "platform/localesettings.h"
#include "platform/spreadsheet.h"
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
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override
    {
        EXPECT_EQ(OpenSpreadsheetWorkbooks(), 0);
        EXPECT_EQ(LiveSpreadsheetServers(), 0);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        SpreadsheetServerHooks() = {};
    }
    QString Fixture(const char* name, const char* body)
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        xlsfixtures::WriteXls(path, body);
        return path;
    }

    QTemporaryDir dir;
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
        {QString::fromUtf8("Açúcar"), "42", "2024-03-01"},
        {"x", QStringLiteral("2") + LocaleSettings().DecimalSeparator + "5", "2024-03-01 10:30:00"},
        {"", "", "1"}, // FreeXL reads the error cell as 1
        {"fim", "", ""},
    };
    EXPECT_EQ(Contents(grid), expected);
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_EQ(changed, std::vector<TRect>{(TRect{0, 0, 3, 5})});
}

TEST_F(XlsImport, AfterTheFixedCellsWhenTheyAreNotIncluded)
{
    const QString path = Fixture("canto.xls", xlsfixtures::kCornerCell);
    TExtStringGrid grid;
    Fill(grid, 2, 2, 1, 1);
    grid.IncludeFixedCells = false;
    grid.LoadFromXLS(path);
    const Rows expected = {
        {"H", "H", "", ""},
        {"H", "", "", ""},
        {"", "", "", ""},
        {"", "", "", "canto"},
    };
    EXPECT_EQ(Contents(grid), expected);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.FixedRows(), 1);
}

TEST_F(XlsImport, ASingleUsedCellGoesToTheFirstDataCellAndTheGridKeepsItsSize)
{
    const QString path = Fixture("um.xls", xlsfixtures::kSingleCell);
    for (const bool includeFixed : {true, false}) {
        TExtStringGrid grid;
        Fill(grid, 3, 3, 1, 1);
        grid.IncludeFixedCells = includeFixed;
        grid.LoadFromXLS(path);
        EXPECT_EQ(grid.ColCount(), 3);
        EXPECT_EQ(grid.RowCount(), 3);
        const int at = includeFixed ? 0 : 1;
        EXPECT_EQ(grid.Cells(at, at), QString::fromUtf8("só"));
        EXPECT_EQ(grid.Cells(2, 2), "");
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
        const char* message; // empty: the server's own error naming the file
    };
    const Case cases[] = {
        {"not a workbook", text, false, false, ""},
        {"no such file", dir.filePath("falta.xls"), false, false, ""},
        {"no server", good, true, false, "Excel OLE server not found"},
        {"values cannot be read", good, false, true, ""},
    };
    for (const Case& c : cases) {
        TExtStringGrid grid;
        Fill(grid, 3, 3, 1, 1);
        const Rows before = Contents(grid);
        SpreadsheetServerHooks().Missing = c.missing;
        SpreadsheetServerHooks().FailNextValue = c.failValue;
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

} // namespace
