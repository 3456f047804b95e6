#include "grid/extutil.h"
#include "tests/grid/locale_cases.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Rows whose result depends on the locale carry one expectation per case.
template <typename T>
struct ByLocale {
    T point;
    T comma;
};

TEST_P(UnderLocale, IsTypeClassifiesNumbers)
{
    struct Row {
        const char* text;
        ByLocale<int> type;
    };
    const Row rows[] = {
        {"-123", {0, 0}},      {"123", {0, 0}},        {"--5", {2, 2}},       {"5-5-", {2, 2}},
        {"", {2, 2}},          {"abc", {2, 2}},        {"1.234,5", {1, 1}},   {"1..2", {2, 2}},
        {"1,,2", {2, 2}},      {",5", {2, 1}},         {".5", {1, 2}},        {"1,234,567", {1, 2}},
        {"1.234.567", {2, 1}}, {"12,3,4", {2, 2}},     {"1.2.3", {2, 2}},     {"1e5", {2, 2}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsType(row.text), Point() ? row.type.point : row.type.comma) << row.text;
}

TEST_P(UnderLocale, CleanNumberGivesLocaleFreeText)
{
    struct Row {
        const char* text;
        ByLocale<const char*> clean;
    };
    const Row rows[] = {
        {"(1.234,50)", {"-1.23450", "-1234.50"}},
        {"1,234.50", {"1234.50", "1.23450"}},
        {"  R$ 12 ", {"12", "12"}},
        {"-5", {"-5", "-5"}},
        {"abc", {"", ""}},
        {"12x3", {"12", "12"}},
        {"(7)", {"-7", "-7"}},
        {"", {"", ""}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CleanNumber(row.text), Point() ? row.clean.point : row.clean.comma) << row.text;
}

TEST_P(UnderLocale, LocaleStrToDateFollowsOrderAndSeparator)
{
    struct Row {
        const char* text;
        ByLocale<QDate> date; // null: refused
    };
    const Row rows[] = {
        {"12/01/2020", {QDate(2020, 12, 1), QDate()}},
        {"12.01.2020", {QDate(), QDate(2020, 1, 12)}},
        {"2/29/2020", {QDate(2020, 2, 29), QDate()}},
        {"29.02.2021", {QDate(), QDate()}},
        {"13/01/2020", {QDate(), QDate()}},
        {"32.01.2020", {QDate(), QDate()}},
        {"1/2", {QDate(), QDate()}},
        {"a/b/c", {QDate(), QDate()}},
        {"", {QDate(), QDate()}},
        {"1/2/99999999999", {QDate(), QDate()}},
    };
    for (const Row& row : rows) {
        QDate date(1999, 9, 9);
        const QDate expected = Point() ? row.date.point : row.date.comma;
        EXPECT_EQ(LocaleStrToDate(row.text, date), expected.isValid()) << row.text;
        EXPECT_EQ(date, expected.isValid() ? expected : QDate(1999, 9, 9)) << row.text;
    }
}

TEST_P(UnderLocale, MatchConditionCombinesTerms)
{
    struct Row {
        const char* condition;
        const char* value;
        bool caseSensitive;
        ByLocale<bool> match;
    };
    const Row rows[] = {
        {">10 & <20", "15", false, {true, true}},
        {">10 & <20", "25", false, {false, false}},
        {">10&<20", "9", false, {false, false}},
        {"<5 | >20", "25", false, {true, true}},
        {"<5 ; >20", "10", false, {false, false}},
        {"A*", "abc", false, {true, true}},
        {"A*", "abc", true, {false, false}},
        {"!A*", "abc", false, {false, false}},
        {"!A*", "xbc", false, {true, true}},
        {"a?c", "abc", true, {true, true}},
        {"a?c", "abbc", true, {false, false}},
        {"*b*", "abc", true, {true, true}},
        {">9.5", "10.0", false, {true, false}},    // numbers only where "." is the decimal
        {">9,5", "10,0", false, {false, true}},
        {">2", "10", false, {true, true}},      // numbers, not texts
        {">B", "C", false, {true, true}},       // texts
        {">9/30/2020", "10/1/2020", false, {true, false}}, // dates only in their locale
        {">30.9.2020", "1.10.2020", false, {false, true}},
        {"  abc  ", "abc", true, {true, true}},
        {"x ^ y", "y", true, {true, true}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(MatchCondition(row.condition, row.value, row.caseSensitive),
                  Point() ? row.match.point : row.match.comma)
            << row.condition << " / " << row.value;
}

INSTANTIATE_TEST_SUITE_P(Locales, UnderLocale,
                         ::testing::Values(LocaleCase::PointMonthFirst, LocaleCase::CommaDayFirst), LocaleCaseName);

TEST(CellTexts, TextTypeAndUrls)
{
    struct Row {
        const char* text;
        bool html;
        int type;
    };
    const Row rows[] = {
        {"", false, 0},         {"x", true, 0},          {"=A1", false, 3},    {"=", false, 3},
        {"{\\rtf1}", false, 2}, {"<B>x</B>", true, 1},   {"<B>x", false, 0},   {"a</x", true, 1},
        {"<b>x", true, 0},      {"<I>", true, 1},        {"plain", true, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TextType(row.text, row.html), row.type) << row.text;

    EXPECT_TRUE(IsURL("http://x"));
    EXPECT_TRUE(IsURL("mailto:a@b"));
    EXPECT_FALSE(IsURL("www.x.com"));
    struct Strip {
        const char* text;
        const char* stripped;
    };
    const Strip strips[] = {{"http://a.b/c", "a.b/c"}, {"mailto:a@b", "a@b"}, {"plain", "plain"}, {"x://", ""}};
    for (const Strip& row : strips) {
        QString s = row.text;
        StripURLProtocol(s);
        EXPECT_EQ(s, row.stripped) << row.text;
    }
}

TEST(CellTexts, ParseCellRef)
{
    struct Row {
        const char* text;
        bool ok;
        TPoint cell;
    };
    const Row rows[] = {
        {"r2c3", true, {3, 2}},   {"R10C1", true, {1, 10}}, {"R2", false, {}},    {"R2C", false, {}},
        {"RC3", false, {}},       {"X2C3", false, {}},      {"R1C", false, {}},   {"R-1C2", false, {}},
        {"R2147483647C1", true, {1, 2147483647}},           {"R2147483648C1", false, {}},
        {"R1C99999999999999999999", false, {}},
    };
    for (const Row& row : rows) {
        TPoint cell{-7, -7};
        EXPECT_EQ(ParseCellRef(row.text, cell), row.ok) << row.text;
        EXPECT_EQ(cell, row.ok ? row.cell : (TPoint{-7, -7})) << row.text;
    }
}

TEST(CellTexts, FixedOrderDates)
{
    struct Row {
        const char* text;
        QDate mdy;
        QDate dmy;
    };
    const Row rows[] = {
        {"31/12/99", QDate(), QDate(1999, 12, 31)},
        {"1.2.05", QDate(2005, 1, 2), QDate(2005, 2, 1)},
        {"3-4-25", QDate(2025, 3, 4), QDate(2025, 4, 3)},
        {"3-4-26", QDate(1926, 3, 4), QDate(1926, 4, 3)},
        {"3/4/2026", QDate(2026, 3, 4), QDate(2026, 4, 3)},  // four digits taken as written
        {"3/4/1999", QDate(1999, 3, 4), QDate(1999, 4, 3)},
        {"3/4/999", QDate(999, 3, 4), QDate(999, 4, 3)},
        {"3/4/12345", QDate(), QDate()},
        {"1/2.2005", QDate(), QDate()},                      // "/" found, so "." is not a separator
        {"12/2005", QDate(), QDate()},
        {"x/y/z", QDate(), QDate()},
        {"30/02/20", QDate(), QDate()},
        {"", QDate(), QDate()},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(StrToDateMDY(row.text), row.mdy) << row.text;
        EXPECT_EQ(StrToDateDMY(row.text), row.dmy) << row.text;
    }
}

TEST(CellTexts, IncDatePartsForSeriesFill)
{
    const QDate start(2020, 1, 31);
    struct Row {
        int years, months, days, step;
        QDate result;
    };
    const Row rows[] = {
        {0, 0, 3, 7, QDate(2020, 2, 3)},  {1, 0, 0, 7, QDate(2021, 1, 31)}, {0, 1, 0, 7, QDate(2020, 2, 29)},
        {0, 12, 0, 7, QDate(2021, 1, 31)}, {1, 1, 0, 7, QDate(2020, 2, 7)},  {0, 0, 0, -1, QDate(2020, 1, 30)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IncDateParts(row.years, row.months, row.days, row.step, start), row.result)
            << row.years << " " << row.months << " " << row.days;
}

TEST(CellTexts, PatternWithManyStarsOnALongValueEnds)
{
    const QString value(4000, 'a');
    EXPECT_FALSE(MatchTerm("*a*a*a*a*a*a*a*a*a*a*a*a*b", value));
    EXPECT_TRUE(MatchTerm("*a*a*a*a*a*a*a*a*a*a*a*a*", value));
    EXPECT_TRUE(MatchTerm("a*?", "ab"));
    EXPECT_FALSE(MatchTerm("a*?", "a"));
}

TEST(CellTexts, LinesAndCsv)
{
    struct Next {
        const char* text;
        bool keepRest;
        const char* line;
        const char* rest;
    };
    const Next nexts[] = {
        {"a\r\nb\rc", true, "a", "b\rc"}, {"a\rb", false, "a", ""}, {"abc", true, "abc", ""},
        {"\r\n", true, "", ""},          {"a\r\r\nb", true, "a", "\r\nb"},
    };
    for (const Next& row : nexts) {
        QString s = row.text;
        QString line;
        NextLine(s, row.keepRest, line);
        EXPECT_EQ(line, row.line) << row.text;
        EXPECT_EQ(s, row.rest) << row.text;
    }

    EXPECT_EQ(LineCount("a\rb\rc", true), 3);
    EXPECT_EQ(LineCount("a\rb\rc", false), 1);
    EXPECT_EQ(LineCount("", true), 1);

    struct Edit {
        void (*change)(QString&);
        const char* text;
        const char* result;
    };
    const Edit edits[] = {
        {LFToCRLF, "a\nb\n", "a\r\nb\r\n"},
        {TildeToCRLF, "a~b", "a\r\nb"},
        {QuoteMultiLine, "a\r\nb\rc", "\"a\nb\rc\""},
        {QuoteMultiLine, "", "\"\""},
    };
    for (const Edit& row : edits) {
        QString s = row.text;
        row.change(s);
        EXPECT_EQ(s, row.result) << row.text;
    }
    EXPECT_EQ(BackslashNToCR("a\\nb\\n"), "a\rb\r");
    EXPECT_EQ(BackslashNToCR("a\\"), "a\\");

    struct Undouble {
        const char* text;
        const char* result;
    };
    const Undouble undoubles[] = {{"a\"\"b", "a\"b"}, {"\"\"\"", "\"\""}, {"\"\"\"\"", "\"\""}, {"ab", "ab"}};
    for (const Undouble& row : undoubles)
        EXPECT_EQ(UndoubleChar('"', row.text), row.result) << row.text;
}

TEST(CellTexts, QuoteRuns)
{
    struct Row {
        const char* text;
        bool found;
        int pos;
        int oddRuns;
        int count;
    };
    const Row rows[] = {
        {"ab\"c", true, 3, 1, 1},         // a single quote ends the field
        {"a\"\"b\"", true, 5, 1, 3},      // a doubled quote is text; the last one ends
        {"a\"\"b", false, 0, 0, 2},
        {"a\"\"", true, 3, 1, 2},         // a run at the very end counts whatever its length
        {"\"\"\"x\"", true, 3, 2, 4},
        {"", false, 0, 0, 0},
    };
    for (const Row& row : rows) {
        int pos = 0;
        EXPECT_EQ(OddRunEnd('"', row.text, pos), row.found) << row.text;
        if (row.found) {
            EXPECT_EQ(pos, row.pos) << row.text;
        }
        EXPECT_EQ(CountOddRuns('"', row.text), row.oddRuns) << row.text;
        EXPECT_EQ(CountChar('"', row.text), row.count) << row.text;
    }
    EXPECT_EQ(CharPos('b', "abcb"), 2);
    EXPECT_EQ(CharPos('z', "abc"), 0);
    EXPECT_EQ(PosUpper("BC", "abc"), 2);
    EXPECT_EQ(PosUpper("bc", "abc"), 0);
    QString filled = "abc";
    FillChars(filled, '*');
    EXPECT_EQ(filled, "***");
}

TEST(CellTexts, OemTextBecomesItsCharacters)
{
    struct Row {
        std::uint16_t byte;
        const char* utf8;
    };
    const Row rows[] = {{'A', "A"}, {0x80, "Ç"}, {0x87, "ç"}, {0xA0, "á"}, {0xC6, "ã"}, {0xC7, "Ã"},
                        {0xE4, "õ"}, {0x90, "É"}, {0xB3, "│"}, {0xFF, "\u00A0"}, {0x9C, "£"}};
    for (const Row& row : rows) {
        QString s(QChar(row.byte));
        OemToAnsiStr(s);
        EXPECT_EQ(s, QString::fromUtf8(row.utf8)) << row.byte;
    }
    QString beyond = QString::fromUtf8("€");
    OemToAnsiStr(beyond);
    EXPECT_EQ(beyond, QString::fromUtf8("€"));
}

TEST(CellTexts, CapitalizeName)
{
    struct Row {
        const char* text;
        const char* name;
    };
    const Row rows[] = {
        {"JOHN SMITH", "John Smith"},         {"mary o'brien", "Mary O'Brien"},
        {"ann-marie", "Ann-Marie"},           {"ronald mcdonald", "Ronald McDonald"},
        {"amcdonald", "Amcdonald"},           {"henry viii ii", "Henry Viii II"},
        {"louis i", "Louis I"},               {"j.r.r. tolkien", "J.R.R. Tolkien"},
        {"smith,john", "Smith,John"},         {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CapitalizeName(row.text), row.name) << row.text;
}

TEST(CellTexts, SmallHelpers)
{
    struct Clamp {
        int value, min, max, result;
    };
    const Clamp clamps[] = {
        {5, 3, 3, 5}, {50, 0, 10, 10}, {5, 0, 10, 5}, {1, 3, 10, 1}, {50, 3, 0, 50}, {-5, -10, -1, -5},
    };
    for (const Clamp& row : clamps)
        EXPECT_EQ(ClampToLimits(row.value, row.min, row.max), row.result) << row.value << " " << row.min << " " << row.max;
    EXPECT_EQ(IntMax(3, -4), 3);
    EXPECT_EQ(IntMin(3, -4), -4);

    const TRect r{10, 10, 20, 20};
    struct Pt {
        TPoint p;
        bool inside;
    };
    const Pt points[] = {{{10, 10}, true}, {{20, 20}, true}, {{15, 21}, false}, {{9, 15}, false}};
    for (const Pt& row : points)
        EXPECT_EQ(PtInRectIncl(r, row.p), row.inside) << row.p.X << "," << row.p.Y;

    EXPECT_EQ(DarkenColor(0xFF8040), 0x7F4020);
    EXPECT_EQ(DarkenColor(clBlack), clBlack);
    const QColor window = ToQColor(clWindow);
    EXPECT_EQ(DarkenColor(clWindow), (window.red() / 2) | ((window.green() / 2) << 8) | ((window.blue() / 2) << 16));
}

TEST(CellDrawing, TransparentBitmapsAndResources)
{
    for (const char* name : {"ESGCHK01", "ESGCHK02", "ESGCHK03", "ESGCHK04", "ESGCHK05", "ESGCHK06", "ESGCHK07",
                             "ESGCHK08", "ESGFILT", "ESGLEAFCLOSE", "ESGLEAFOPEN", "EsgSpinUp", "EsgSpinDown",
                             "INTLI1", "INTLI2", "INTLI3"})
        EXPECT_FALSE(BitmapResource(name).isNull()) << name;
    EXPECT_TRUE(BitmapResource("NOSUCH").isNull());

    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(Qt::magenta);
    bitmap.setPixel(2, 2, qRgb(0, 0, 255));
    QImage target(8, 8, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        TCanvas canvas(&painter);
        DrawTransparentBitmap(canvas, bitmap, clLime, {0, 0, 4, 4});
        DrawTransparentBitmap(canvas, bitmap, clNone, {4, 4, 8, 8});
    }
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 255, 0));     // key colour over the background given
    EXPECT_EQ(target.pixel(2, 2), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(4, 4), qRgb(255, 255, 255)); // no background: the target shows
    EXPECT_EQ(target.pixel(6, 6), qRgb(0, 0, 255));
}

TEST(CellDrawing, ErrorZigzagUnderTheCharactersGiven)
{
    QImage target(200, 30, QImage::Format_RGB32);
    target.fill(Qt::white);
    const QString text = "abc wrongg def";
    QFont font;
    {
        QPainter painter(&target);
        font = painter.font();
        TCanvas canvas(&painter);
        canvas.Font = TFont::FromQFont(font);
        DrawErrorZigzag(canvas, text, 6, 5, 2, {0, 0, 200, 30});
    }
    const QFontMetrics metrics(TFont::FromQFont(font).ToQFont(font));
    const int from = 2 + metrics.horizontalAdvance(text.left(4));
    const int to = 2 + metrics.horizontalAdvance(text.left(10));
    auto redIn = [&](int x0, int x1) {
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < target.height(); ++y)
                if (QColor(target.pixel(x, y)).red() > 200 && QColor(target.pixel(x, y)).green() < 80)
                    return true;
        return false;
    };
    EXPECT_FALSE(redIn(0, from - 2));
    EXPECT_TRUE(redIn(from + 1, to - 1));
    EXPECT_FALSE(redIn(to + 5, 200));
}

} // namespace
