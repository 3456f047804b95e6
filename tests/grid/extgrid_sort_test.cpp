#include "grid/extgrid.h"

#include "platform/localesettings.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// Texts read as texts in failure messages.
inline void PrintTo(const QString& Text, std::ostream* Out)
{
    *Out << '"' << Text.toStdString() << '"';
}

namespace {

// A grid with one fixed row; column 1 is sorted, column 2 tells rows apart.
class GridSort : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = LocaleSettings();
        LocaleSettings() = TLocaleSettings();
        grid.SetColCount(3);
        grid.SetFixedCols(0);
        grid.SortSettings()->SetColumn(1);
    }
    void TearDown() override { LocaleSettings() = saved; }

    // Column ACol from row 1 on; the rows grow to fit, column 2 numbers them.
    void Fill(int ACol, const QStringList& Texts)
    {
        grid.SetRowCount(static_cast<int>(Texts.size()) + 1);
        grid.SetFixedRows(1);
        for (int i = 0; i < Texts.size(); ++i) {
            grid.SetCells(ACol, i + 1, Texts[i]);
            if (ACol != 2)
                grid.SetCells(2, i + 1, QString::number(i));
        }
    }
    QStringList Column(int ACol) const
    {
        QStringList texts;
        for (int r = 1; r < grid.RowCount() - grid.FixedFooters(); ++r)
            texts << grid.Cells(ACol, r);
        return texts;
    }
    void UseStyle(TSortStyle Style, const QString& Prefix = {}, const QString& Suffix = {})
    {
        grid.OnGetFormat = [=](QObject*, int, TSortStyle& AStyle, QString& APrefix, QString& ASuffix) {
            AStyle = Style;
            APrefix = Prefix;
            ASuffix = Suffix;
        };
    }
    void Sort(TSortDirection Direction)
    {
        grid.SortSettings()->SetDirection(Direction);
        grid.SortRows();
    }

    TLocaleSettings saved;
    TExtStringGrid grid;
};

// ---- each style, both directions

struct StyleCase {
    const char* name;
    TSortStyle style;
    const char* prefix;
    const char* suffix;
    QStringList input;
    QStringList ascending;
};

TEST_F(GridSort, EachStyleOrdersItsTextsBothWays)
{
    const std::vector<StyleCase> cases{
        {"automatic, numbers", ssAutomatic, "", "", {"10", "9", "100", "-2"}, {"-2", "9", "10", "100"}},
        {"automatic, dates", ssAutomatic, "", "", {"12/1/2001", "1/2/2002", "3/15/2000"},
         {"3/15/2000", "12/1/2001", "1/2/2002"}},
        {"automatic, fractions", ssAutomatic, "", "", {"2.5", "10", "-0.75", "2.25"}, {"-0.75", "2.25", "2.5", "10"}},
        {"automatic, text", ssAutomatic, "", "", {"pera", "Uva", "abacate"}, {"Uva", "abacate", "pera"}},
        {"alphabetic, case first", ssAlphabetic, "", "", {"b", "B", "a", "A"}, {"A", "B", "a", "b"}},
        {"numeric with prefix and suffix", ssNumeric, "R$", " kg", {"R$10 kg", "R$9 kg", "R$100 kg", "R$-1.5 kg"},
         {"R$-1.5 kg", "R$9 kg", "R$10 kg", "R$100 kg"}},
        {"numeric, fractions", ssNumeric, "", "", {"1e3", "0.5", "12.75", "-3.5", "9"},
         {"-3.5", "0.5", "9", "12.75", "1e3"}},
        {"numeric, bad text counts 0", ssNumeric, "", "", {"x", "5", "-3"}, {"-3", "x", "5"}},
        {"numeric, empty counts 0", ssNumeric, "", "", {"2", "", "-1"}, {"-1", "", "2"}},
        {"thousands", ssFinancial, "$", "", {"$1,000.5", "$20", "$300"}, {"$20", "$300", "$1,000.5"}},
        {"date", ssDate, "", "", {"12/1/2001", "bad", "3/15/2000"}, {"bad", "3/15/2000", "12/1/2001"}},
        {"no case", ssAlphaNoCase, "", "", {"b", "A", "c"}, {"A", "b", "c"}},
        {"day first", ssShortDateEU, "", "", {"01/02/2002", "15/01/2002", "31/12/2001"},
         {"31/12/2001", "15/01/2002", "01/02/2002"}},
        {"month first", ssShortDateUS, "", "", {"02/01/2002", "01/15/2002", "12/31/2001"},
         {"12/31/2001", "01/15/2002", "02/01/2002"}},
        {"locale, case", ssAnsiAlphaCase, "", "", {"b", "a", "c"}, {"a", "b", "c"}},
        {"locale, no case", ssAnsiAlphaNoCase, "", "", {"b", "A", "c"}, {"A", "b", "c"}},
        {"HTML", ssHTML, "", "", {"<b>b</b>", "c", "<i>a</i>"}, {"<i>a</i>", "<b>b</b>", "c"}},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(1, c.input);
        UseStyle(c.style, c.prefix, c.suffix);
        Sort(sdAscending);
        EXPECT_EQ(Column(1), c.ascending);
        Sort(sdDescending);
        QStringList descending(c.ascending.rbegin(), c.ascending.rend());
        EXPECT_EQ(Column(1), descending);
    }
}

struct SeparatorCase {
    TSortStyle style;
    QStringList input;
    QStringList ascending;
};

TEST_F(GridSort, NumbersReadWithTheLocalesSeparators)
{
    LocaleSettings().DecimalSeparator = ',';
    LocaleSettings().ThousandSeparator = '.';
    const std::vector<SeparatorCase> cases{
        {ssNumeric, {"2,5", "10", "-0,75", "2,25"}, {"-0,75", "2,25", "2,5", "10"}},
        {ssFinancial, {"1.000,5", "20", "300,25"}, {"20", "300,25", "1.000,5"}},
        {ssAutomatic, {"2,5", "10", "-0,75"}, {"-0,75", "2,5", "10"}},
    };
    for (const SeparatorCase& c : cases) {
        SCOPED_TRACE(c.style);
        Fill(1, c.input);
        UseStyle(c.style);
        Sort(sdAscending);
        EXPECT_EQ(Column(1), c.ascending);
    }
}

TEST_F(GridSort, WithoutAutoFormatTextsCompareAlphabetically)
{
    grid.SortSettings()->SetAutoFormat(false);
    Fill(1, {"10", "9", "100"});
    Sort(sdAscending);
    EXPECT_EQ(Column(1), QStringList({"10", "100", "9"}));
}

TEST_F(GridSort, CustomAndRawComparisonsAskTheApplication)
{
    UseStyle(ssCustom);
    grid.OnCustomCompare = [](QObject*, const QString& s1, const QString& s2, int& Res) {
        Res = (s1.size() > s2.size()) - (s1.size() < s2.size());
    };
    Fill(1, {"ccc", "a", "bb"});
    Sort(sdAscending);
    EXPECT_EQ(Column(1), QStringList({"a", "bb", "ccc"}));

    // The raw comparison gets rows: here it orders by the other column.
    UseStyle(ssRaw);
    std::vector<int> asked;
    grid.OnRawCompare = [&](QObject*, int Col, int Row1, int Row2, int& Res) {
        asked.push_back(Col);
        const int a = grid.Cells(2, Row1).toInt(), b = grid.Cells(2, Row2).toInt();
        Res = (a < b) - (a > b);
    };
    Fill(1, {"x", "y", "z"});
    Sort(sdAscending);
    EXPECT_EQ(Column(1), QStringList({"z", "y", "x"}));
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), 1);
}

TEST_F(GridSort, ImagesAndCheckBoxesCompareTheirGraphics)
{
    Fill(1, {"", "", ""});
    const int indices[] = {3, 1, 2};
    for (int r = 1; r <= 3; ++r) {
        grid.CreateCellGraphic(1, r)->CellIndex = indices[r - 1];
        grid.SetCells(0, r, QString::number(indices[r - 1]));
    }
    UseStyle(ssImages);
    Sort(sdAscending);
    EXPECT_EQ(Column(0), QStringList({"1", "2", "3"}));

    // Automatic: a check box in the first row makes the column a check-box
    // column; unchecked rows come first.
    grid.OnGetFormat = nullptr;
    const bool checked[] = {true, false, true};
    for (int r = 1; r <= 3; ++r) {
        TCellGraphic* box = grid.CreateCellGraphic(1, r);
        box->CellType = ctCheckBox;
        box->CellBoolean = checked[r - 1];
        grid.SetCells(0, r, checked[r - 1] ? "sim" : "não");
    }
    Sort(sdAscending);
    EXPECT_EQ(Column(0), QStringList({"não", "sim", "sim"}));
    Sort(sdDescending);
    EXPECT_EQ(Column(0), QStringList({"sim", "sim", "não"}));
}

// ---- blanks

struct BlankCase {
    TSortDirection direction;
    TSortBlankPos position;
    QStringList expected;
};

TEST_F(GridSort, IgnoredBlanksKeepTheirSideInBothDirections)
{
    const std::vector<BlankCase> cases{
        {sdAscending, blFirst, {"", "", "1", "2", "3"}},
        {sdAscending, blLast, {"1", "2", "3", "", ""}},
        {sdDescending, blFirst, {"", "", "3", "2", "1"}},
        {sdDescending, blLast, {"3", "2", "1", "", ""}},
    };
    grid.SortSettings()->SetIgnoreBlanks(true);
    UseStyle(ssNumeric);
    for (const BlankCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "direction " << c.direction << " blanks " << c.position);
        grid.SortSettings()->SetBlankPos(c.position);
        Fill(1, {"2", "", "3", "1", ""});
        Sort(c.direction);
        EXPECT_EQ(Column(1), c.expected);
    }
}

// ---- ties

TEST_F(GridSort, FullBreaksTiesOnTheFollowingColumns)
{
    grid.SortSettings()->SetFull(true);
    Fill(1, {"b", "a", "b", "a"});
    for (int r = 1; r <= 4; ++r)
        grid.SetCells(2, r, QString::number(5 - r));
    Sort(sdAscending);
    EXPECT_EQ(Column(1), QStringList({"a", "a", "b", "b"}));
    EXPECT_EQ(Column(2), QStringList({"1", "3", "2", "4"}));
    Sort(sdDescending);
    EXPECT_EQ(Column(2), QStringList({"4", "2", "3", "1"}));
}

TEST_F(GridSort, EqualKeysWithoutFullStayAsTheSortLeavesThem)
{
    // Equal rows are never exchanged: already grouped keys keep their
    // order, and a known mixed order gives a known result.
    grid.SortSettings()->SetFull(false);
    Fill(1, {"a", "a", "b", "b", "b"});
    Sort(sdAscending);
    EXPECT_EQ(Column(2), QStringList({"0", "1", "2", "3", "4"}));
    Fill(1, {"b", "a", "b", "a"});
    Sort(sdAscending);
    EXPECT_EQ(Column(1), QStringList({"a", "a", "b", "b"}));
    EXPECT_EQ(Column(2), QStringList({"3", "1", "2", "0"}));
    EXPECT_EQ(grid.SortSwapCount(), 1);
}

struct TieCase {
    const char* name;
    TSortStyle style;
    TSortDirection direction;
    bool singleColumn;
    bool properties; // every fourth key cell carries cell properties
    const char* keys[3];
    const char* order; // column 2 afterwards: which rows ended where
    int swaps;
};

TEST_F(GridSort, TheOrderOfEqualKeysIsPinned)
{
    // 24 rows over three keys (row i gets key (i * 7 + i / 5) mod 3): the
    // rows of one key end in the order this quicksort leaves them, with
    // this many exchanges.
    const std::vector<TieCase> cases{
        {"numeric up", ssNumeric, sdAscending, false, false, {"$3", "$1", "$2"},
         "1 4 6 9 11 14 16 19 21 2 7 12 17 22 0 3 5 8 10 13 15 18 20 23", 22},
        {"numeric down", ssNumeric, sdDescending, false, false, {"$3", "$1", "$2"},
         "23 20 18 15 13 10 8 5 3 0 22 17 12 7 2 21 19 16 14 11 9 6 4 1", 22},
        {"alphabetic up", ssAlphabetic, sdAscending, false, false, {"b", "a", "c"},
         "1 11 14 16 19 21 4 6 9 0 10 13 15 18 20 23 3 5 8 12 17 2 22 7", 22},
        {"no case up, folded equal", ssAlphaNoCase, sdAscending, false, false, {"x", "X", "y"},
         "0 1 10 11 13 14 15 16 18 19 20 21 23 3 4 5 6 8 9 12 17 2 22 7", 24},
        {"no case down, folded equal", ssAlphaNoCase, sdDescending, false, false, {"x", "X", "y"},
         "7 22 2 17 12 9 8 6 5 4 3 23 21 20 19 18 16 15 14 13 11 10 1 0", 20},
        {"day first up", ssShortDateEU, sdAscending, false, false, {"02/01/2002", "01/02/2002", "bad"},
         "17 12 2 7 22 3 23 5 8 20 10 15 18 13 0 11 6 16 14 19 9 21 4 1", 13},
        {"locale up", ssAnsiAlphaCase, sdAscending, false, false, {"b", "a", "c"},
         "1 11 14 16 19 21 4 6 9 0 10 13 15 18 20 23 3 5 8 12 17 2 22 7", 22},
        {"locale no case up, folded equal", ssAnsiAlphaNoCase, sdAscending, false, false, {"x", "X", "y"},
         "0 1 10 11 13 14 15 16 18 19 20 21 23 3 4 5 6 8 9 12 17 2 22 7", 24},
        {"single column up", ssAlphabetic, sdAscending, true, false, {"b", "a", "c"},
         "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23", 10},
        {"numeric with properties", ssNumeric, sdAscending, false, true, {"$3", "$1", "$2"},
         "1 4 6 9 11 14 16 19 21 2 7 12 17 22 0 3 5 8 10 13 15 18 20 23", 22},
        {"no case with properties", ssAlphaNoCase, sdDescending, false, true, {"x", "X", "y"},
         "7 22 2 17 12 9 8 6 5 4 3 23 21 20 19 18 16 15 14 13 11 10 1 0", 20},
    };
    for (const TieCase& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList keys;
        for (int i = 0; i < 24; ++i)
            keys << QString::fromUtf8(c.keys[(i * 7 + i / 5) % 3]);
        Fill(1, keys);
        for (int r = 1; c.properties && r <= 24; r += 4)
            grid.GetCellProperties(1, r)->SetBrushColor(clRed);
        UseStyle(c.style, "$");
        grid.SortSettings()->SetSingleColumn(c.singleColumn);
        const int swapsBefore = grid.SortSwapCount();
        Sort(c.direction);
        EXPECT_EQ(Column(2).join(' '), QString::fromUtf8(c.order));
        EXPECT_EQ(grid.SortSwapCount() - swapsBefore, c.swaps);
    }
}

TEST_F(GridSort, EveryShapeOfColumnSortsWithinNLogNComparisons)
{
    // The middle row as pivot splits a rising-then-falling column badly at
    // every step: without a depth limit its comparisons grow with the
    // square of the rows. The custom comparison counts them; the numeric
    // style sorts the same columns as numbers.
    constexpr int kRows = 3000;
    struct ShapeCase {
        const char* name;
        std::function<int(int)> key;
    };
    const ShapeCase shapes[] = {
        {"sorted", [](int i) { return i; }},
        {"reversed", [](int i) { return kRows - i; }},
        {"rise then fall", [](int i) { return i < kRows / 2 ? 2 * i : 2 * (kRows - i) - 1; }},
        {"random", [](int i) { return (i * 7919) % kRows; }},
        {"all equal", [](int) { return 5; }},
        {"two values", [](int i) { return i % 2; }},
    };
    double log2n = 0;
    for (int n = kRows; n > 1; n /= 2)
        ++log2n;
    int comparisons = 0;
    grid.OnCustomCompare = [&](QObject*, const QString& s1, const QString& s2, int& Res) {
        ++comparisons;
        Res = (s1.toInt() > s2.toInt()) - (s1.toInt() < s2.toInt());
    };
    for (const ShapeCase& shape : shapes)
        for (TSortStyle style : {ssCustom, ssNumeric})
            for (TSortDirection direction : {sdAscending, sdDescending}) {
                SCOPED_TRACE(std::string(shape.name) + (style == ssCustom ? " custom" : " numeric")
                             + (direction == sdAscending ? " up" : " down"));
                QStringList keys;
                for (int i = 0; i < kRows; ++i)
                    keys << QString::number(shape.key(i));
                Fill(1, keys);
                UseStyle(style);
                comparisons = 0;
                Sort(direction);
                EXPECT_LE(comparisons, static_cast<int>(6 * kRows * log2n));
                // Ordered, and every row came along with its key.
                for (int r = 2; r <= kRows; ++r) {
                    const int before = grid.Cells(1, r - 1).toInt();
                    const int here = grid.Cells(1, r).toInt();
                    ASSERT_TRUE(direction == sdAscending ? before <= here : before >= here) << "row " << r;
                }
                for (int r = 1; r <= kRows; ++r)
                    ASSERT_EQ(grid.Cells(1, r).toInt(), shape.key(grid.Cells(2, r).toInt())) << "row " << r;
            }
}

struct KindCase {
    const char* name;
    TSortStyle style;
    std::function<QString(int)> text;
    // Whether the first text belongs before the second.
    std::function<bool(const QString&, const QString&)> before;
};

TEST_F(GridSort, EachKindOfColumnSortsByItsKindAtAnySize)
{
    // Long columns of each kind, in scattered order: numbers of every
    // length sort as numbers (never as texts), dates as dates.
    const int rows = 1500;
    auto number = [](const QString& Text) { return Text.toDouble(); };
    auto date = [](const QString& Text) { return QDate::fromString(Text, QStringLiteral("M/d/yyyy")); };
    const std::vector<KindCase> cases{
        {"automatic, whole numbers", ssAutomatic, [](int i) { return QString::number((i * 7919) % 20011 - 10000); },
         [&](const QString& a, const QString& b) { return number(a) < number(b); }},
        {"automatic, fractions", ssAutomatic, [](int i) { return QString::number(((i * 7919) % 20011) / 8.0 - 900); },
         [&](const QString& a, const QString& b) { return number(a) < number(b); }},
        {"numeric, fractions", ssNumeric, [](int i) { return QString::number(((i * 104729) % 7919) / 16.0); },
         [&](const QString& a, const QString& b) { return number(a) < number(b); }},
        {"automatic, dates", ssAutomatic,
         [](int i) { return QDate(1990, 1, 1).addDays((i * 7919) % 9000).toString(QStringLiteral("M/d/yyyy")); },
         [&](const QString& a, const QString& b) { return date(a) < date(b); }},
        {"automatic, text", ssAutomatic,
         [](int i) { return QStringLiteral("r%1").arg((i * 7919) % 20011); },
         [](const QString& a, const QString& b) { return a.compare(b) < 0; }},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList texts;
        for (int i = 0; i < rows; ++i)
            texts << c.text(i);
        Fill(1, texts);
        UseStyle(c.style);
        Sort(sdAscending);
        for (int r = 2; r <= rows; ++r)
            ASSERT_FALSE(c.before(grid.Cells(1, r), grid.Cells(1, r - 1)))
                << grid.Cells(1, r - 1).toStdString() << " before " << grid.Cells(1, r).toStdString();
    }
}

struct AskCase {
    const char* name;
    QStringList keys;
    bool full;
    std::vector<int> asked;
};

TEST_F(GridSort, TheFormatHandlerIsAskedOnceForEachColumnASortReads)
{
    // The handler is told only the column: a sort asks it once for the
    // sort column, and once for each further column that breaks a tie.
    const std::vector<AskCase> cases{
        {"no ties", {"c", "a", "b", "d"}, true, {1}},
        {"ties broken by the next column", {"b", "a", "b", "a"}, true, {1, 2}},
        {"ties left as they are", {"b", "a", "b", "a"}, false, {1}},
        {"one row", {"a"}, true, {}},
    };
    for (const AskCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(1, c.keys);
        grid.SortSettings()->SetFull(c.full);
        std::vector<int> asked;
        grid.OnGetFormat = [&](QObject*, int ACol, TSortStyle&, QString&, QString&) { asked.push_back(ACol); };
        Sort(sdAscending);
        EXPECT_EQ(asked, c.asked);
    }
}

TEST_F(GridSort, CellsWrittenByHandlersDuringASortStayInTheirRows)
{
    // The format handler runs before the column is read: what it writes
    // is sorted. The comparison handler writes while the rows are being
    // ordered: the rows sort by the texts they had when the sort read
    // them, and each written text stays in the row it was written to.
    const QStringList keys{"5", "3", "8", "1", "9", "2", "7", "4", "6", "0", "5", "3"};
    Fill(1, keys);
    grid.GetCellProperties(1, 6)->SetBrushColor(clRed);
    grid.OnGetFormat = [&](QObject*, int ACol, TSortStyle& AStyle, QString&, QString&) {
        AStyle = ssNumeric;
        if (ACol == 1)
            grid.SetCells(1, 7, "99");
    };
    Sort(sdAscending);
    EXPECT_EQ(Column(1).join(' '), "0 1 2 3 3 4 5 5 6 8 9 99");
    EXPECT_EQ(grid.Cells(2, 12), "6");

    Fill(1, keys);
    grid.GetCellProperties(1, 6)->SetBrushColor(clRed);
    UseStyle(ssCustom);
    int calls = 0;
    grid.OnCustomCompare = [&](QObject*, const QString& s1, const QString& s2, int& Res) {
        if (++calls == 12)
            grid.SetCells(1, 7, "99");
        if (calls == 20)
            grid.SetCells(1, 6, "10");
        if (calls == 30)
            grid.SetCells(1, 9, "");
        Res = s1.compare(s2);
    };
    Sort(sdAscending);
    const std::map<QString, QString> written{{"6", "99"}, {"5", "10"}, {"8", ""}};
    QString previous;
    for (int r = 1; r <= 12; ++r) {
        const QString row = grid.Cells(2, r);
        const QString key = keys[row.toInt()];
        EXPECT_LE(previous, key) << "row " << r;
        previous = key;
        const auto write = written.find(row);
        EXPECT_EQ(grid.Cells(1, r), write != written.end() ? write->second : key) << "row " << r;
    }
    // The row with cell properties took them along.
    for (int r = 1; r <= 12; ++r)
        if (grid.Cells(2, r) == "5") {
            EXPECT_EQ(grid.GetCellProperties(1, r)->BrushColor(), clRed);
            EXPECT_EQ(grid.GetCellProperties(1, r)->OwnerRow, r);
        }
}

// ---- indexed sort

TEST_F(GridSort, IndexedSortFollowsTheListWithEachDirection)
{
    grid.SetColCount(4);
    Fill(1, {"b", "a", "b", "a"});
    const QStringList third{"1", "2", "3", "4"};
    for (int r = 1; r <= 4; ++r)
        grid.SetCells(3, r, third[r - 1]);
    grid.SortIndexes().AddIndex(1, true);
    grid.SortIndexes().AddIndex(3, false);
    grid.SortRowsIndexed();
    EXPECT_EQ(Column(1), QStringList({"a", "a", "b", "b"}));
    EXPECT_EQ(Column(3), QStringList({"4", "2", "3", "1"}));
}

TEST_F(GridSort, IndexedSortWithoutIndexesRaisesAndChangesNothing)
{
    Fill(1, {"b", "a"});
    try {
        grid.SortRowsIndexed();
        ADD_FAILURE() << "no error";
    } catch (const EExtGridError& e) {
        EXPECT_STREQ(e.what(), "No indexes specified for indexed sort");
    }
    EXPECT_EQ(Column(1), QStringList({"b", "a"}));
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.UpdateCount(), 0);
}

// ---- what moves

TEST_F(GridSort, NormalCellsOnlyKeepsTheFirstFixedColumn)
{
    Fill(1, {"c", "a", "b"});
    grid.SetFixedCols(1);
    for (int r = 1; r <= 3; ++r)
        grid.SetCells(0, r, QString::number(r));
    grid.GetCellProperties(0, 2)->SetBrushColor(clRed);
    grid.SortSettings()->SetNormalCellsOnly(true);
    Sort(sdAscending);
    EXPECT_EQ(Column(1), QStringList({"a", "b", "c"}));
    EXPECT_EQ(Column(0), QStringList({"1", "2", "3"}));
    EXPECT_EQ(grid.GetCellProperties(0, 2)->BrushColor(), clRed);
    EXPECT_EQ(grid.GetCellProperties(0, 2)->OwnerRow, 2);

    grid.SortSettings()->SetNormalCellsOnly(false);
    Sort(sdDescending);
    EXPECT_EQ(Column(0), QStringList({"3", "2", "1"}));
}

TEST_F(GridSort, SingleColumnMovesOnlyTheSortColumn)
{
    grid.SortSettings()->SetSingleColumn(true);
    Fill(1, {"c", "a", "b"});
    Sort(sdAscending);
    EXPECT_EQ(Column(1), QStringList({"a", "b", "c"}));
    EXPECT_EQ(Column(2), QStringList({"0", "1", "2"}));
}

TEST_F(GridSort, RowsMoveWithTheirPropertiesGraphicsAndHeights)
{
    Fill(1, {"c", "a", "b"});
    grid.GetCellProperties(2, 1)->SetBrushColor(clRed);
    TCellGraphic* box = grid.CreateCellGraphic(2, 3);
    box->CellType = ctCheckBox;
    box->CellBoolean = true;
    grid.SetRowHeights(1, 40);
    Sort(sdAscending);
    // "c" (was row 1) is now last, "b" (was row 3) in the middle.
    EXPECT_EQ(grid.GetCellProperties(2, 3)->BrushColor(), clRed);
    EXPECT_EQ(grid.GetCellProperties(2, 3)->OwnerRow, 3);
    EXPECT_EQ(grid.GetCellGraphicObject(2, 2), box);
    EXPECT_EQ(grid.RowHeights(3), 40);
    EXPECT_EQ(grid.RowHeights(1), grid.DefaultRowHeight());
    // Nothing of the scratch rows is left, and the grid still owns each
    // object once (the fixture's destruction frees them under ASan).
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.GetCellGraphicObject(2, 1), nullptr);
}

TEST_F(GridSort, ManyRowsWithPropertiesSortWithoutLosingAnObject)
{
    const int rows = 2000;
    QStringList texts;
    for (int i = 0; i < rows; ++i)
        texts << QString::number((i * 7919) % 1009);
    Fill(1, texts);
    for (int r = 1; r <= rows; r += 3) {
        grid.GetCellProperties(1, r)->FontSize = grid.Cells(1, r).toInt();
        grid.CreateCellGraphic(2, r)->CellIndex = grid.Cells(1, r).toInt();
    }
    UseStyle(ssNumeric);
    Sort(sdDescending);
    int previous = 1 << 30;
    for (int r = 1; r <= rows; ++r) {
        const int value = grid.Cells(1, r).toInt();
        EXPECT_LE(value, previous);
        previous = value;
        if (grid.HasCellProperties(1, r) && grid.GetCellProperties(1, r)->FontSize) {
            EXPECT_EQ(grid.GetCellProperties(1, r)->FontSize, value);
        }
        if (TCellGraphic* g = grid.GetCellGraphicObject(2, r)) {
            EXPECT_EQ(g->CellIndex, value);
        }
    }
}

TEST_F(GridSort, AnExceptionInTheCustomCompareRestoresTheGrid)
{
    Fill(1, {"c", "a", "b", "d"});
    grid.SetFixedCols(1);
    for (int r = 1; r <= 4; ++r)
        grid.SetCells(0, r, QString::number(r));
    grid.SortSettings()->SetNormalCellsOnly(true);
    UseStyle(ssCustom);
    int calls = 0;
    grid.OnCustomCompare = [&](QObject*, const QString& s1, const QString& s2, int& Res) {
        if (++calls == 4)
            throw std::runtime_error("handler failed");
        Res = s1.compare(s2);
    };
    EXPECT_THROW(Sort(sdAscending), std::runtime_error);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.UpdateCount(), 0) << "painting goes on";
    EXPECT_EQ(Column(0), QStringList({"1", "2", "3", "4"}));
    QStringList keys = Column(1);
    keys.sort();
    EXPECT_EQ(keys, QStringList({"a", "b", "c", "d"})) << "no row lost";
}

TEST_F(GridSort, FooterRowsAndTheCurrentRowStay)
{
    Fill(1, {"c", "a", "b", "Total"});
    grid.SetFixedFooters(1);
    grid.SetRow(2);
    Sort(sdAscending);
    EXPECT_EQ(Column(1), QStringList({"a", "b", "c"}));
    EXPECT_EQ(grid.Cells(1, 4), "Total");
    EXPECT_EQ(grid.Row(), 2);

    // With MoveRowOnSort the cursor follows its row ("a" is now first).
    grid.Navigation()->MoveRowOnSort = true;
    grid.SetRow(1);
    Sort(sdDescending);
    EXPECT_EQ(grid.Cells(1, grid.Row()), "a");
    EXPECT_EQ(grid.Row(), 3);
}

TEST_F(GridSort, TheRowOrderFollowsEverySwap)
{
    Fill(1, {"c", "a", "b"});
    grid.InitSortRowOrder();
    Sort(sdAscending);
    const TIntList& order = grid.SortRowOrder();
    ASSERT_EQ(order.Count(), 4);
    EXPECT_EQ(order.Items(0), 0);
    EXPECT_EQ(order.Items(1), 2);
    EXPECT_EQ(order.Items(2), 3);
    EXPECT_EQ(order.Items(3), 1);
}

// ---- hidden columns

TEST_F(GridSort, AHiddenColumnSortsByItsRealColumnAndTheGridComesBack)
{
    // Column 2 is hidden: display column 2 is real column 3, and the sort
    // runs with the hidden columns joined to the grid.
    grid.SetColCount(4);
    Fill(1, {"c", "a", "b"});
    const QStringList fourth{"z", "x", "y"};
    for (int r = 1; r <= 3; ++r)
        grid.SetCells(3, r, fourth[r - 1]);
    grid.GetCellProperties(3, 1)->SetBrushColor(clRed);
    grid.SetColWidths(3, 77);
    grid.SetColumnVisibleFlag(2, false);
    grid.SortSettings()->SetShow(true);
    grid.SortSettings()->SetFull(true);
    std::vector<int> asked;
    grid.OnGetFormat = [&](QObject*, int ACol, TSortStyle&, QString&, QString&) { asked.push_back(ACol); };

    ASSERT_TRUE(grid.HeaderClickSort(2, false));
    EXPECT_EQ(grid.SortSettings()->Column(), 3);
    EXPECT_EQ(Column(3), QStringList({"x", "y", "z"}));
    EXPECT_EQ(Column(1), QStringList({"a", "b", "c"})) << "the other columns move with their rows";
    EXPECT_EQ(grid.GetCellProperties(3, 3)->BrushColor(), clRed);
    EXPECT_EQ(grid.GetCellProperties(3, 3)->OwnerRow, 3);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), 3);
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.ColWidths(3), 77);

    // Equal keys: the tie-break walks on past the last column into the
    // joined one and finds nothing to tell the rows apart.
    for (int r = 1; r <= 3; ++r)
        grid.SetCells(3, r, "k");
    asked.clear();
    grid.SortRows();
    EXPECT_EQ(Column(1), QStringList({"a", "b", "c"}));
    EXPECT_EQ(asked.back(), 4);
    EXPECT_EQ(grid.ColCount(), 4);
}

// ---- selected rows

struct SelectionCase {
    const char* name;
    bool disjunct;
    bool moveRow;
    std::vector<int> selectedAfter;
};

TEST_F(GridSort, RowSelectionFlagsFollowTheirRowsOnlyWithDisjunctSelectAndMoveRow)
{
    // Rows "c" (1) and "a" (2) are selected before an ascending sort.
    const std::vector<SelectionCase> cases{
        {"both", true, true, {1, 3}},
        {"disjunct select only", true, false, {1, 2}},
        {"move row only", false, true, {1, 2}},
    };
    for (const SelectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        grid.MouseActions()->DisjunctRowSelect = c.disjunct;
        grid.Navigation()->MoveRowOnSort = c.moveRow;
        Fill(1, {"c", "a", "d", "b"});
        grid.ClearRowSelect();
        grid.SetRowSelect(1, true);
        grid.SetRowSelect(2, true);
        Sort(sdAscending);
        ASSERT_EQ(Column(1), QStringList({"a", "b", "c", "d"}));
        std::vector<int> selected;
        for (int r = 0; r < grid.RowCount(); ++r)
            if (grid.RowSelect(r))
                selected.push_back(r);
        EXPECT_EQ(selected, c.selectedAfter);
    }
}

struct RemoveCase {
    const char* name;
    std::vector<int> selected;
    QStringList left;
    int rowCount;
    int fixedRows;
};

TEST_F(GridSort, RemovingTheSelectedRowsTakesEachOneAndItsFlag)
{
    const std::vector<RemoveCase> cases{
        {"none", {}, {"a", "b", "c", "d"}, 5, 1},
        {"apart", {1, 3}, {"b", "d"}, 3, 1},
        {"side by side", {2, 3}, {"a", "d"}, 3, 1},
        {"the last", {4}, {"a", "b", "c"}, 4, 1},
        // The grid keeps one row, and no fixed row can stay above it.
        {"every row", {1, 2, 3, 4}, {}, 1, 0},
    };
    for (const RemoveCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(1, {"a", "b", "c", "d"});
        grid.ClearRowSelect();
        grid.SetCells(1, 0, "Título");
        for (int r : c.selected) {
            grid.SetRowSelect(r, true);
            grid.CreateCellGraphic(2, r)->CellIndex = r;
        }
        int changes = 0;
        grid.OnCellsChanged = [&](QObject*, const TRect&) { ++changes; };
        grid.RemoveSelectedRows();
        grid.OnCellsChanged = nullptr;
        EXPECT_EQ(grid.RowCount(), c.rowCount);
        EXPECT_EQ(grid.FixedRows(), c.fixedRows);
        EXPECT_EQ(changes, static_cast<int>(c.selected.size()));
        EXPECT_EQ(grid.Cells(1, 0), "Título");
        if (c.fixedRows > 0) {
            EXPECT_EQ(Column(1), c.left);
        }
        for (int r = 0; r < grid.RowCount(); ++r) {
            EXPECT_FALSE(grid.RowSelect(r)) << "a flag left behind on row " << r;
            EXPECT_EQ(grid.GetCellGraphicObject(2, r), nullptr) << "a removed row's graphic on row " << r;
        }
    }
}

// ---- node groups

TEST_F(GridSort, NodeGroupsSortApart)
{
    Fill(1, {"grupo 2", "z", "x", "y", "grupo 1", "b", "a"});
    for (int r : {1, 5})
        grid.CreateCellGraphic(0, r)->CellType = ctNode;
    grid.SortRowGroups();
    EXPECT_EQ(Column(1), QStringList({"grupo 2", "x", "y", "z", "grupo 1", "a", "b"}));
    EXPECT_EQ(grid.GetCellType(0, 1), ctNode);
    EXPECT_EQ(grid.GetCellType(0, 5), ctNode);
}

// ---- the header click

TEST_F(GridSort, HeaderClicksToggleTheDirectionAndMayBeRefused)
{
    Fill(1, {"b", "c", "a"});
    grid.SortSettings()->SetShow(true);
    grid.SortSettings()->SetColumn(0);
    std::vector<int> clicked;
    grid.OnClickSort = [&](QObject*, int ACol) { clicked.push_back(ACol); };
    EXPECT_TRUE(grid.HeaderClickSort(1, false));
    EXPECT_EQ(Column(1), QStringList({"a", "b", "c"}));
    EXPECT_TRUE(grid.HeaderClickSort(1, false));
    EXPECT_EQ(grid.SortSettings()->Direction(), sdDescending);
    EXPECT_EQ(Column(1), QStringList({"c", "b", "a"}));
    EXPECT_EQ(clicked, std::vector<int>({1, 1}));
    EXPECT_GE(grid.SortTime(), 0);

    grid.OnCanSort = [](QObject*, int ACol, bool& DoSort) { DoSort = ACol != 2; };
    EXPECT_FALSE(grid.HeaderClickSort(2, false));
    EXPECT_EQ(grid.SortSettings()->Column(), 1);

    grid.SetFixedCols(1);
    EXPECT_FALSE(grid.HeaderClickSort(0, false)) << "fixed columns sort only when asked";
    grid.SortSettings()->SetShow(false);
    EXPECT_FALSE(grid.HeaderClickSort(1, false));
}

TEST_F(GridSort, ShiftClicksInIndexedModeAddKeys)
{
    grid.SetColCount(4);
    grid.SortSettings()->SetShow(true);
    grid.SortSettings()->SetIndexShow(true);
    Fill(1, {"b", "a", "b", "a"});
    const QStringList third{"1", "2", "3", "4"};
    for (int r = 1; r <= 4; ++r)
        grid.SetCells(3, r, third[r - 1]);
    grid.HeaderClickSort(1, false);
    grid.HeaderClickSort(3, true);
    grid.HeaderClickSort(3, true);
    ASSERT_EQ(grid.SortIndexes().Count(), 2);
    EXPECT_TRUE(TSortIndexList::Descending(grid.SortIndexes().Items(1)));
    EXPECT_EQ(Column(3), QStringList({"4", "2", "3", "1"}));
    // A plain click on another column starts over with it alone.
    grid.HeaderClickSort(2, false);
    ASSERT_EQ(grid.SortIndexes().Count(), 1);
    EXPECT_EQ(grid.SortIndexes().Items(0), 2);
    // Clicking the only key again turns it round.
    grid.HeaderClickSort(2, false);
    EXPECT_TRUE(TSortIndexList::Descending(grid.SortIndexes().Items(0)));
}

// ---- merging equal cells

TEST_F(GridSort, EqualCellsMergeByLevelAndSplitAgain)
{
    grid.SetColCount(3);
    Fill(0, {"A", "A", "A", "B", "B"});
    const QStringList second{"x", "x", "y", "y", "y"};
    for (int r = 1; r <= 5; ++r)
        grid.SetCells(1, r, second[r - 1]);
    grid.MergeColumns() = {0, 1};
    grid.MergeEqualCells();
    EXPECT_EQ(grid.CellSpan(0, 1).Y, 2);
    EXPECT_EQ(grid.CellSpan(0, 4).Y, 1);
    EXPECT_EQ(grid.CellSpan(1, 1).Y, 1);
    // "y" of rows 3 and 4 lie in different blocks of column 0.
    EXPECT_FALSE(grid.IsYMergedCell(1, 3));
    EXPECT_EQ(grid.CellSpan(1, 4).Y, 1);
    grid.SplitMergedCells();
    for (int r = 1; r <= 5; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_FALSE(grid.IsYMergedCell(c, r)) << c << "," << r;
    EXPECT_EQ(grid.Cells(0, 2), "A");
}

TEST_F(GridSort, AutoColumnMergeSplitsBeforeAndMergesAfterAClickSort)
{
    grid.SortSettings()->SetShow(true);
    grid.SortSettings()->SetAutoColumnMerge(true);
    grid.SortSettings()->SetColumn(0);
    grid.MergeColumns() = {1};
    Fill(1, {"b", "a", "b", "a"});
    grid.MergeEqualCells();
    grid.HeaderClickSort(1, false);
    EXPECT_EQ(Column(1), QStringList({"a", "a", "b", "b"}));
    EXPECT_EQ(grid.CellSpan(1, 1).Y, 1);
    EXPECT_EQ(grid.CellSpan(1, 3).Y, 1);
}

// ---- removing and clearing rows

TEST_F(GridSort, RemovingRowsFreesTheirCellsAndKeepsTheCursor)
{
    Fill(1, {"a", "b", "c", "d"});
    grid.CreateCellGraphic(1, 2);
    TRect changed{-1, -1, -1, -1};
    grid.OnCellsChanged = [&](QObject*, const TRect& R) { changed = R; };
    grid.SetRow(4);
    grid.RemoveRowsAt(2, 2);
    EXPECT_EQ(Column(1), QStringList({"a", "d"}));
    EXPECT_EQ(grid.Row(), 2) << "past the end: the last row";
    EXPECT_EQ(changed.Top, 2);
    EXPECT_EQ(changed.Bottom, 3);
    EXPECT_EQ(grid.GetCellGraphicObject(1, 2), nullptr);

    grid.ClearRows(1, 1);
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_EQ(grid.Cells(2, 1), "");
    EXPECT_EQ(grid.Cells(1, 2), "d");
}

// ---- on the screen

TEST(GridSortScreen, BeforeAndAfterASortWithMergedEqualCells)
{
    QWidget window;
    window.resize(330, 200);
    auto* grid = new TExtStringGrid(&window);
    grid->setGeometry(0, 0, 320, 190);
    grid->SetColCount(3);
    grid->SetRowCount(7);
    grid->SetFixedCols(0);
    grid->SetColumnHeaders({"Grupo", "Ramal", "Nome"});
    const char* rows[][3] = {{"Vendas", "24", "Ana"}, {"Apoio", "21", "Rui"}, {"Vendas", "22", "Eva"},
                             {"Apoio", "26", "Lia"}, {"Diretoria", "20", "Gil"}, {"Vendas", "23", "Ivo"}};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 3; ++c)
            grid->SetCells(c, r + 1, QString::fromUtf8(rows[r][c]));
    grid->MergeColumns() = {0};
    grid->SortSettings()->SetShow(true);
    grid->SortSettings()->SetAutoColumnMerge(true);
    window.show();
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    EXPECT_TRUE(window.grab().save(QStringLiteral(TRIVANTO_TEST_OUT "/grade_antes_ordenar.png")));
    grid->SortSettings()->SetColumn(1);
    ASSERT_TRUE(grid->HeaderClickSort(0, false));
    QApplication::processEvents();
    EXPECT_EQ(grid->CellSpan(0, 1).Y, 1);
    EXPECT_EQ(grid->CellSpan(0, 4).Y, 2);
    EXPECT_EQ(grid->Cells(0, 5), "Vendas");
    EXPECT_TRUE(window.grab().save(QStringLiteral(TRIVANTO_TEST_OUT "/grade_depois_ordenar.png")));
}

} // namespace
