// The spreadsheet server stand-in: workbooks written by xlwt at test time,
// read through the workbook reader with the calls an import makes, and the
// files it cannot read.
#include "platform/localesettings.h"
#include "platform/spreadsheet.h"
#include "tests/support/xlsfixtures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Spreadsheet : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override
    {
        EXPECT_EQ(OpenSpreadsheetWorkbooks(), 0);
        EXPECT_EQ(LiveSpreadsheetServers(), 0);
        SpreadsheetServerHooks() = {};
        LocaleSettings() = saved;
    }
    QString Fixture(const char* name, const char* body)
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        xlsfixtures::WriteXls(path, body);
        return path;
    }

    QTemporaryDir dir;
    TLocaleSettings saved = LocaleSettings();
};

TEST_F(Spreadsheet, ServerOnlyForItsClassAndNotWhenMissing)
{
    EXPECT_NE(CreateSpreadsheetServer("excel.application"), nullptr);
    EXPECT_NE(CreateSpreadsheetServer("Excel.Application"), nullptr);
    EXPECT_EQ(CreateSpreadsheetServer("word.application"), nullptr);
    SpreadsheetServerHooks().Missing = true;
    EXPECT_EQ(CreateSpreadsheetServer("excel.application"), nullptr);
}

TEST_F(Spreadsheet, ReadsTheActiveSheetsValuesByKind)
{
    LocaleSettings().DecimalSeparator = ',';
    LocaleSettings().ShortDateFormat = "dd/MM/yyyy";
    LocaleSettings().TimeSeparator = ':';
    const QString path = Fixture("tipos.xls", xlsfixtures::kTypes);
    auto server = CreateSpreadsheetServer("excel.application");
    TSpreadsheetWorkbook* book = server->WorkBooks().Open(path);
    EXPECT_EQ(OpenSpreadsheetWorkbooks(), 1);
    const TSpreadsheetSheet* sheet = book->ActiveSheet();
    const QString address = sheet->UsedRange().Address();
    EXPECT_EQ(address, "$A$1:$C$5");
    const TSpreadsheetValues values = sheet->Range("A1:C5").Value();
    ASSERT_EQ(values.Rows(), 5);
    ASSERT_EQ(values.Cols(), 3);

    struct Expect {
        int row, col;
        TSpreadsheetValue::TKind kind;
        const char* text;
    };
    const Expect cells[] = {
        {1, 1, TSpreadsheetValue::Text, "Ramal"},
        {2, 1, TSpreadsheetValue::Text, "Açúcar"},
        {2, 2, TSpreadsheetValue::Number, "42"},
        {3, 2, TSpreadsheetValue::Number, "2,5"},
        {2, 3, TSpreadsheetValue::Date, "01/03/2024"},
        {3, 3, TSpreadsheetValue::Date, "01/03/2024 10:30:00"},
        {4, 1, TSpreadsheetValue::Empty, ""},
        // A formula saved without its result has no value.
        {4, 2, TSpreadsheetValue::Empty, ""},
        {4, 3, TSpreadsheetValue::Error, ""},
        {5, 1, TSpreadsheetValue::Text, "fim"},
        {5, 3, TSpreadsheetValue::Empty, ""},
    };
    for (const Expect& e : cells) {
        EXPECT_EQ(values.At(e.row, e.col).Kind, e.kind) << e.row << "," << e.col;
        EXPECT_EQ(values.At(e.row, e.col).AsText(), QString::fromUtf8(e.text)) << e.row << "," << e.col;
    }
    book->Close(false);
    EXPECT_EQ(OpenSpreadsheetWorkbooks(), 0);
    server->Quit();
}

TEST_F(Spreadsheet, TheWindowRecordNamesTheActiveSheet)
{
    auto server = CreateSpreadsheetServer("excel.application");
    const TSpreadsheetSheet* sheet = server->WorkBooks().Open(Fixture("ativa.xls", xlsfixtures::kActiveSecond))->ActiveSheet();
    ASSERT_EQ(sheet->UsedRange().Address(), "$C$3:$D$4");
    const TSpreadsheetValues values = sheet->Range("C3:D4").Value();
    const std::pair<TSpreadsheetValue::TKind, const char*> expected[2][2] = {
        {{TSpreadsheetValue::Boolean, "True"}, {TSpreadsheetValue::Boolean, "False"}},
        {{TSpreadsheetValue::Date, nullptr}, {TSpreadsheetValue::Error, ""}},
    };
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 2; ++j) {
            const auto& [kind, text] = expected[i - 1][j - 1];
            EXPECT_EQ(values.At(i, j).Kind, kind) << i << "," << j;
            if (text) {
                EXPECT_EQ(values.At(i, j).AsText(), text) << i << "," << j;
            }
        }
    // 25 December 2024, as a day count.
    EXPECT_EQ(values.At(2, 1).Number_, 45651);
}

TEST_F(Spreadsheet, UsedRangeAddressFromTheFirstUsedCell)
{
    struct Case {
        const char* name;
        const char* body;
        const char* address;
    };
    const Case cases[] = {
        {"um.xls", xlsfixtures::kSingleCell, "$A$1"},
        {"canto.xls", xlsfixtures::kCornerCell, "$C$3"},
        {"datas.xls", xlsfixtures::kDates, "$B$2:$D$2"},
        {"vazia.xls", xlsfixtures::kEmptySheet, "$A$1"},
        {"larga.xls", xlsfixtures::kWide, "$A$1:$AD$40"},
    };
    auto server = CreateSpreadsheetServer("excel.application");
    for (const Case& c : cases) {
        TSpreadsheetWorkbook* book = server->WorkBooks().Open(Fixture(c.name, c.body));
        EXPECT_EQ(book->ActiveSheet()->UsedRange().Address(), c.address) << c.name;
    }
    // Quitting closes what is still open.
    EXPECT_EQ(OpenSpreadsheetWorkbooks(), 5);
    server.reset();
}

TEST_F(Spreadsheet, RangeAddressesInLetterNotation)
{
    auto server = CreateSpreadsheetServer("excel.application");
    const TSpreadsheetSheet* sheet = server->WorkBooks().Open(Fixture("larga.xls", xlsfixtures::kWide))->ActiveSheet();
    const TSpreadsheetValues one = sheet->Range("$AD$40").Value();
    ASSERT_EQ(one.Rows(), 1);
    EXPECT_EQ(one.At(1, 1).AsText(), "3929");
    const TSpreadsheetValues block = sheet->Range("B2:C3").Value();
    EXPECT_EQ(block.At(2, 2).AsText(), "202");
    // Beyond the used cells the values are empty.
    EXPECT_EQ(sheet->Range("AE41").Value().At(1, 1).Kind, TSpreadsheetValue::Empty);
    for (const char* bad : {"", "A", "1", "A0", "C3:A1", "A1:B2:C3", "IW1", "A65537", "A 1", "A1x"})
        EXPECT_THROW(sheet->Range(bad), ESpreadsheetError) << bad;
}

TEST_F(Spreadsheet, FilesItCannotReadRaiseAnErrorNamingThem)
{
    const QString text = dir.filePath("texto.xls");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Ramal;Nome\r\n20;Recepção\r\n");
    file.close();
    const QString empty = dir.filePath("vazio.xls");
    QFile(empty).open(QIODevice::WriteOnly);

    auto server = CreateSpreadsheetServer("excel.application");
    for (const QString& path : {text, empty, dir.filePath("falta.xls")}) {
        try {
            server->WorkBooks().Open(path);
            ADD_FAILURE() << "opened " << path.toStdString();
        } catch (const ESpreadsheetError& e) {
            EXPECT_NE(QString::fromUtf8(e.what()).indexOf(path), -1) << e.what();
        }
        EXPECT_EQ(OpenSpreadsheetWorkbooks(), 0);
    }
}

TEST_F(Spreadsheet, ClosedWorkbookAndSavingRefused)
{
    auto server = CreateSpreadsheetServer("excel.application");
    TSpreadsheetWorkbook* book = server->WorkBooks().Open(Fixture("um.xls", xlsfixtures::kSingleCell));
    const TSpreadsheetRange range = book->ActiveSheet()->UsedRange();
    EXPECT_THROW(book->Close(true), ESpreadsheetError);
    book->Close(false);
    book->Close(false);
    EXPECT_THROW(range.Value(), ESpreadsheetError);
}

TEST(SpreadsheetColumns, LetterNotation)
{
    const std::pair<int, const char*> rows[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {256, "IV"}};
    for (const auto& [col, letters] : rows)
        EXPECT_EQ(SpreadsheetColumnLetters(col), letters) << col;
}

} // namespace
