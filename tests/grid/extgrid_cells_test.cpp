#include "grid/extgrid.h"

#include "platform/localesettings.h"

#include <QDate>
#include <QImage>

#include <gtest/gtest.h>

#include <vector>

namespace {

// The process's number and date settings, put back after each test.
class CellValues : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = LocaleSettings();
        LocaleSettings() = TLocaleSettings();
        grid.SetColCount(3);
        grid.SetRowCount(3);
    }
    void TearDown() override { LocaleSettings() = saved; }

    TLocaleSettings saved;
    TExtStringGrid grid;
};

TEST_F(CellValues, IntegersReadFromTheCellText)
{
    struct Case {
        QString text;
        int value;
    };
    for (const Case& c : std::vector<Case>{{"", 0}, {"12", 12}, {"-7", -7}, {"  5", 5}, {"$1F", 31}}) {
        grid.SetCells(1, 1, c.text);
        EXPECT_EQ(grid.GetCellInteger(1, 1), c.value) << c.text.toStdString();
    }
    for (const QString text : {"12a", "1.5", "abc", "99999999999"}) {
        grid.SetCells(1, 1, text);
        try {
            grid.GetCellInteger(1, 1);
            ADD_FAILURE() << "no error for " << text.toStdString();
        } catch (const EExtGridError& e) {
            EXPECT_STREQ(e.what(), "Cell does not contain integer value");
        }
        EXPECT_EQ(grid.Cells(1, 1), text) << "the cell stays";
    }
    grid.SetCellInteger(2, 2, -345);
    EXPECT_EQ(grid.Cells(2, 2), "-345");
}

TEST_F(CellValues, FloatsReadThroughTheNumberCleanUp)
{
    struct Case {
        QString text;
        double value;
    };
    for (const Case& c : std::vector<Case>{{"", 0}, {"2.5", 2.5}, {"1,234.75", 1234.75}, {"(3)", -3}, {"12a", 12}}) {
        grid.SetCells(1, 1, c.text);
        EXPECT_DOUBLE_EQ(grid.GetCellFloat(1, 1), c.value) << c.text.toStdString();
    }
    for (const QString text : {"abc", "1.2.3", "-"}) {
        grid.SetCells(1, 1, text);
        try {
            grid.GetCellFloat(1, 1);
            ADD_FAILURE() << "no error for " << text.toStdString();
        } catch (const EExtGridError& e) {
            EXPECT_STREQ(e.what(), "Cell does not contain a float value");
        }
    }
}

TEST_F(CellValues, FloatsAreWrittenWithFloatFormat)
{
    struct Case {
        QString format;
        double value;
        QString text;
    };
    const std::vector<Case> cases = {
        {"%.2f", 3.14159, "3.14"},
        {"%.0f", 2.4, "2"},
        {"%f", 1, "1.00"},
        {"%.3n", 1234567.5, "1,234,567.500"},
        {"%.1f %%", 99.44, "99.4 %"},
        {"R$ %8.2f", -5, "R$    -5.00"},
        {"%-6.1f|", 1.24, "1.2   |"},
        {"%.4e", 12345.678, "1.235E+004"},
        {"%g", 0.5, "0.5"},
    };
    for (const Case& c : cases) {
        grid.FloatFormat = c.format;
        grid.SetCellFloat(1, 1, c.value);
        EXPECT_EQ(grid.Cells(1, 1), c.text) << c.format.toStdString();
    }
    LocaleSettings().DecimalSeparator = ',';
    LocaleSettings().ThousandSeparator = '.';
    grid.FloatFormat = "%.2n";
    grid.SetCellFloat(1, 1, 1234.5);
    EXPECT_EQ(grid.Cells(1, 1), "1.234,50");
}

TEST_F(CellValues, AFloatFormatWithoutOneNumberIsRefused)
{
    grid.SetCells(1, 1, "keep");
    for (const QString format : {"%s", "%d", "%.2f %.2f", "text", "%", "%n%x"}) {
        grid.FloatFormat = format;
        EXPECT_THROW(grid.SetCellFloat(1, 1, 1.5), EExtGridError) << format.toStdString();
        EXPECT_EQ(grid.Cells(1, 1), "keep");
    }
}

TEST_F(CellValues, DatesInTheShortDateForm)
{
    LocaleSettings().ShortDateFormat = "dd/mm/yyyy";
    grid.SetCellDate(1, 1, 37500.75);
    EXPECT_EQ(grid.Cells(1, 1), QDate(1899, 12, 30).addDays(37500).toString("dd/MM/yyyy"));
    // Zero dates are shown from creation.
    grid.SetCellDate(1, 1, 0);
    EXPECT_EQ(grid.Cells(1, 1), "30/12/1899");
    grid.ShowNullDates = false;
    grid.SetCellDate(1, 1, 0);
    EXPECT_EQ(grid.Cells(1, 1), "");
    grid.SetCellDate(1, 1, 2);
    EXPECT_EQ(grid.Cells(1, 1), "01/01/1900");
}

// ---- cell graphics and who frees them

TEST(CellGraphics, ANewGraphicIsNoneAndTheEmptyCellStaysEmpty)
{
    TExtStringGrid grid;
    TCellGraphic* graphic = grid.CreateCellGraphic(1, 1);
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->CellType, ctNone);
    EXPECT_FALSE(graphic->CellCreated);
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_EQ(grid.GetCellGraphicObject(1, 1), graphic);
    EXPECT_EQ(grid.GetCellType(1, 1), ctNone);
    EXPECT_EQ(grid.GetCellType(2, 2), ctEmpty);

    // A second graphic replaces (and frees) the first.
    grid.SetCells(1, 1, "texto");
    TCellGraphic* second = grid.CreateCellGraphic(1, 1);
    EXPECT_NE(grid.GetCellGraphicObject(1, 1), nullptr);
    EXPECT_EQ(grid.GetCellGraphicObject(1, 1), second);
    EXPECT_EQ(grid.Cells(1, 1), "texto");

    EXPECT_TRUE(grid.RemoveCellGraphic(1, 1));
    EXPECT_FALSE(grid.RemoveCellGraphic(1, 1));
    EXPECT_EQ(grid.GetCellType(1, 1), ctEmpty);
}

// The ways cells leave a grid; each frees the cells' own graphics once and
// never the shared virtual check box.
struct Departure {
    const char* name;
    std::function<void(TExtStringGrid&)> apply;
};

class SharedCheckBox : public ::testing::TestWithParam<Departure> {};

TEST_P(SharedCheckBox, IsNeverFreedThroughACell)
{
    auto grid = std::make_unique<TExtStringGrid>();
    grid->SetColCount(4);
    grid->SetRowCount(5);
    TCellGraphic* shared = grid->VirtCheckBoxGraphic();
    ASSERT_EQ(shared->CellType, ctVirtCheckBox);
    grid->SetCellGraphic(1, 2, shared);
    grid->SetCellGraphic(2, 2, shared);
    grid->SetCellGraphic(1, 3, shared);
    grid->CreateCellGraphic(3, 2)->CellType = ctCheckBox;

    GetParam().apply(*grid);

    // Still the grid's, and still whole (the sanitizer build sees any use
    // after free here).
    EXPECT_EQ(grid->VirtCheckBoxGraphic(), shared);
    EXPECT_EQ(shared->CellType, ctVirtCheckBox);
    grid.reset();
}

INSTANTIATE_TEST_SUITE_P(
    ExtGrid, SharedCheckBox,
    ::testing::Values(
        Departure{"removed", [](TExtStringGrid& g) {
                      EXPECT_TRUE(g.RemoveCellGraphic(1, 2));
                      EXPECT_TRUE(g.RemoveCellGraphic(2, 2));
                      EXPECT_TRUE(g.RemoveCellGraphic(3, 2));
                  }},
        Departure{"properties cleared", [](TExtStringGrid& g) { g.ClearCellProperties(0, 0, 3, 4); }},
        Departure{"properties replaced", [](TExtStringGrid& g) {
                      g.SetCellProperties(1, 2, nullptr);
                      g.SetCellProperties(3, 2, nullptr);
                  }},
        Departure{"row deleted", [](TExtStringGrid& g) { g.DeleteRow(2); }},
        Departure{"rows cut off", [](TExtStringGrid& g) { g.SetRowCount(2); }},
        Departure{"columns cut off", [](TExtStringGrid& g) { g.SetColCount(1); }},
        Departure{"graphic replaced", [](TExtStringGrid& g) {
                      g.CreateCellGraphic(1, 2);
                      g.CreateCellGraphic(2, 2);
                  }},
        Departure{"grid destroyed", [](TExtStringGrid&) {}}),
    [](const auto& test) {
        std::string name = test.param.name;
        for (char& c : name)
            if (c == ' ')
                c = '_';
        return name;
    });

TEST(CellGraphics, NodesGiveTheRowsTheirIndent)
{
    TExtStringGrid grid;
    grid.SetRowCount(6);
    grid.GetCellProperties(0, 3)->NodeLevel = 2;
    EXPECT_FALSE(grid.HasNodes());
    EXPECT_EQ(grid.GetCellIndent(3), 0);
    grid.CreateCellGraphic(0, 2)->CellType = ctNode;
    EXPECT_TRUE(grid.HasNodes());
    EXPECT_EQ(grid.GetCellIndent(3), 32);
    EXPECT_EQ(grid.GetCellIndent(4), 0);
    EXPECT_TRUE(grid.IsNode(2));
    grid.RemoveCellGraphic(0, 2);
    EXPECT_FALSE(grid.HasNodes());
    // A graphic that becomes a node after it was asked about counts at once.
    TCellGraphic* later = grid.CreateCellGraphic(0, 5);
    EXPECT_FALSE(grid.HasNodes());
    later->CellType = ctNode;
    EXPECT_TRUE(grid.HasNodes());
    later->CellType = ctCheckBox;
    EXPECT_FALSE(grid.HasNodes());
}

// A node made since the last paint indents its rows in the next one, as
// in a grid that had it from the start.
TEST(CellGraphics, APaintSeesANodeMadeSinceTheLastPaint)
{
    auto shape = [](TExtStringGrid& grid) {
        grid.resize(240, 160);
        grid.SetColCount(3);
        grid.SetRowCount(5);
        for (int r = 1; r < 5; ++r)
            grid.SetCells(0, r, QStringLiteral("linha %1").arg(r));
        grid.GetCellProperties(0, 3)->NodeLevel = 2;
        return grid.CreateCellGraphic(0, 2);
    };
    TExtStringGrid reference;
    shape(reference)->CellType = ctNode;
    const QImage expected = reference.viewport()->grab().toImage();
    TExtStringGrid grid;
    TCellGraphic* later = shape(grid);
    const QImage before = grid.viewport()->grab().toImage();
    later->CellType = ctNode;
    const QImage after = grid.viewport()->grab().toImage();
    EXPECT_NE(before, expected);
    EXPECT_EQ(after, expected);
}

// ---- keyboard rows

TEST(KeyboardRows, InsertAndDeleteRaiseTheirEvents)
{
    TExtStringGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(3);
    grid.SetCells(1, 1, "um");
    grid.SetCells(1, 2, "dois");
    std::vector<int> inserted;
    std::vector<int> deleted;
    grid.OnAutoInsertRow = [&](QObject*, int ARow) { inserted.push_back(ARow); };
    grid.OnAutoDeleteRow = [&](QObject*, int ARow) { deleted.push_back(ARow); };

    grid.InsertRowByKey(2);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Cells(1, 2), "");
    EXPECT_EQ(grid.Cells(1, 3), "dois");
    grid.DeleteRowByKey(1);
    grid.DeleteRowByKey(1);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cells(1, 1), "dois");
    // The only normal row is emptied, not removed.
    grid.DeleteRowByKey(1);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_EQ(inserted, (std::vector<int>{2}));
    EXPECT_EQ(deleted, (std::vector<int>{1, 1, 1}));
}

TEST(CellGraphics, ExportTextOfACheckBoxWithoutText)
{
    TExtStringGrid grid;
    grid.CreateCellGraphic(1, 1)->CellType = ctCheckBox;
    EXPECT_EQ(grid.GetCellExportText(1, 1), "N");
    grid.GetCellGraphicObject(1, 1)->CellBoolean = true;
    EXPECT_EQ(grid.GetCellExportText(1, 1), "Y");
    grid.OnGetCheckTrue = [](QObject*, int, int, QString& Value) { Value = "Sim"; };
    EXPECT_EQ(grid.GetCellExportText(1, 1), "Sim");
    grid.SetCells(1, 1, "texto");
    EXPECT_EQ(grid.GetCellExportText(1, 1), "texto");
    EXPECT_EQ(grid.GetCellExportText(2, 2), "");
}

TEST(CellsChanged, TellsTheEventAndTheLinkedGrids)
{
    TExtStringGrid grid;
    std::vector<TRect> seen;
    grid.OnCellsChanged = [&](QObject*, TRect R) { seen.push_back(R); };
    grid.LinkedGrids().push_back([&](const TRect& R) { seen.push_back(R); });
    grid.CellsChanged(Rect(0, 0, 5, 5));
    EXPECT_EQ(seen, (std::vector<TRect>{Rect(0, 0, 5, 5), Rect(0, 0, 5, 5)}));
}

} // namespace
