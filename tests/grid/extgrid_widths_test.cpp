#include "grid/extgrid.h"

#include "platform/application.h"
#include "platform/forms.h"
#include "platform/inifiles.h"
#include "tests/support/scripted.h"
#include "tests/support/input.h"
#include "tests/grid/widthstore.h"


#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<int> Widths(const TExtStringGrid& grid)
{
    std::vector<int> widths;
    for (int c = 0; c < grid.ColCount(); ++c)
        widths.push_back(grid.ColWidths(c));
    return widths;
}

class StoredWidths : public TemporaryWidthStore {
protected:
    using TemporaryWidthStore::Place;
    void Place(TExtStringGrid& grid, TColumnSizeLocation location) { Place(*grid.ColumnSize(), location); }
};

TEST_F(StoredWidths, SavedOnDestroyLoadedWhenTheWindowIsMade)
{
    for (const auto location : {clIniFile, clRegistry}) {
        {
            TForm window;
            auto* grid = new TExtStringGrid(&window);
            grid->SetColCount(3);
            Place(*grid, location);
            grid->ColumnSize()->Save = true;
            grid->SetColWidths(0, 30);
            grid->SetColWidths(1, 120);
        }
        const TIniFile ini(StoreFile(location));
        EXPECT_EQ(ini.ReadString("Larguras", "Col0", ""), "30") << location;
        EXPECT_EQ(ini.ReadString("Larguras", "Col1", ""), "120") << location;
        EXPECT_EQ(ini.ReadString("Larguras", "Col2", ""), "64") << location;
        EXPECT_EQ(ini.ReadString("Larguras", "Col3", "none"), "none") << location;

        TForm window;
        auto* grid = new TExtStringGrid(&window);
        grid->setGeometry(0, 0, 400, 200);
        grid->SetColCount(3);
        Place(*grid, location);
        grid->ColumnSize()->Save = true;
        EXPECT_EQ(Widths(*grid), (std::vector<int>{64, 64, 64})) << "nothing before the window";
        ASSERT_TRUE(input::Activate(&window));
        EXPECT_EQ(Widths(*grid), (std::vector<int>{30, 120, 64})) << location;
    }
}

TEST_F(StoredWidths, LoadedCallLoadsToo)
{
    TIniFile ini(dir.filePath("grid.ini"));
    ini.WriteInteger("Larguras", "Col1", 99);
    TExtStringGrid grid;
    grid.SetColCount(3);
    Place(grid, clIniFile);
    grid.Loaded();
    EXPECT_EQ(grid.ColWidths(1), 64) << "Save is off";
    grid.ColumnSize()->Save = true;
    grid.Loaded();
    EXPECT_EQ(grid.ColWidths(1), 99);
}

TEST_F(StoredWidths, MissingOrBadValuesLoadAsTheDefault)
{
    TIniFile ini(dir.filePath("grid.ini"));
    ini.WriteString("Larguras", "Col0", "abc");
    ini.WriteInteger("Larguras", "Col1", -20);
    ini.WriteInteger("Larguras", "Col2", 80);
    TExtStringGrid grid;
    grid.SetColCount(4);
    for (int c = 0; c < 4; ++c)
        grid.SetColWidths(c, 10);
    Place(grid, clIniFile);
    grid.LoadColumnSizes();
    EXPECT_EQ(Widths(grid), (std::vector<int>{64, 64, 80, 64}));
}

TEST_F(StoredWidths, NoKeyOrSectionNoStore)
{
    TExtStringGrid grid;
    grid.SetColCount(2);
    grid.SetColWidths(1, 17);
    grid.ColumnSize()->Location = clIniFile;
    grid.ColumnSize()->Key = dir.filePath("grid.ini");
    grid.SaveColumnSizes();
    grid.ColumnSize()->Key.clear();
    grid.ColumnSize()->Section = "Larguras";
    grid.SaveColumnSizes();
    grid.LoadColumnSizes();
    EXPECT_FALSE(QFile::exists(dir.filePath("grid.ini")));
    EXPECT_EQ(grid.ColWidths(1), 17);
}

TEST_F(StoredWidths, AStoreThatCannotBeWrittenDoesNotStopTheGridGoing)
{
    auto grid = std::make_unique<TExtStringGrid>();
    grid->ColumnSize()->Location = clIniFile;
    grid->ColumnSize()->Key = dir.filePath("no/such/folder/grid.ini");
    grid->ColumnSize()->Section = "Larguras";
    grid->ColumnSize()->Save = true;
    EXPECT_THROW(grid->SaveColumnSizes(), EIniFileException);
    EXPECT_NO_THROW(grid.reset());
}

// ---- stretching

class Stretching : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = new TExtStringGrid(&window);
        grid->setGeometry(0, 0, 300, 150);
        grid->SetColCount(3);
        ASSERT_TRUE(input::Activate(&window));
        client = grid->viewport()->width();
    }

    TForm window;
    TExtStringGrid* grid = nullptr;
    int client = 0;
};

TEST_F(Stretching, OffDoesNothing)
{
    grid->StretchColumn(-1);
    EXPECT_EQ(Widths(*grid), (std::vector<int>{64, 64, 64}));
}

TEST_F(Stretching, TheColumnTakesTheWidthTheOthersLeave)
{
    grid->ColumnSize()->SetStretch(true);
    EXPECT_EQ(Widths(*grid), (std::vector<int>{64, 64, client - 128 - 1})) << "setting Stretch stretches";
    grid->ColumnSize()->StretchColumn = 1;
    grid->SetColWidths(2, 64);
    grid->StretchColumn(1);
    EXPECT_EQ(Widths(*grid), (std::vector<int>{64, client - 128 - 1, 64}));
}

TEST_F(Stretching, OneColumnTakesTheClientWidth)
{
    grid->SetColCount(1);
    grid->ColumnSize()->SetStretch(true);
    EXPECT_EQ(grid->ColWidths(0), client);
}

TEST_F(Stretching, ColumnsThatFillTheClientLeaveTheDefault)
{
    grid->SetColWidths(0, client / 2);
    grid->SetColWidths(1, client / 2 + 1);
    grid->SetColWidths(2, 5);
    grid->ColumnSize()->SetStretch(true);
    EXPECT_EQ(grid->ColWidths(2), grid->DefaultColWidth());
}

TEST_F(Stretching, AColumnBeyondTheLastIsAnError)
{
    grid->ColumnSize()->SetStretch(true);
    const std::vector<int> before = Widths(*grid);
    for (int col : {3, 10, -2}) {
        try {
            grid->StretchColumn(col);
            ADD_FAILURE() << col;
        } catch (const EExtGridError& e) {
            EXPECT_STREQ(e.what(), "Stretch column index out of range");
        }
        EXPECT_EQ(Widths(*grid), before);
    }
}

TEST_F(Stretching, FollowsTheGridsWidth)
{
    grid->ColumnSize()->SetStretch(true);
    grid->resize(400, 150);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->ColWidths(2), grid->viewport()->width() - 128 - 1);
    // A new last column takes what the others leave (here nothing: the
    // stretched one already fills the grid).
    grid->SetColWidths(2, 64);
    grid->SetColCount(4);
    EXPECT_EQ(grid->ColWidths(3), grid->viewport()->width() - 192 - 1);
}

TEST_F(Stretching, ABadStretchColumnOnResizeShowsTheErrorAndGoesOn)
{
    grid->ColumnSize()->SetStretch(true);
    grid->ColumnSize()->StretchColumn = 7;
    ScriptedBoxes boxes;
    grid->resize(420, 150);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.Texts(), QStringList{"Stretch column index out of range"});
}

TEST_F(Stretching, AutoSizeFitsTheTextsThenStretches)
{
    grid->SetCells(1, 1, "a somewhat longer text");
    grid->SetCells(2, 1, "x");
    const int text = grid->fontMetrics().horizontalAdvance("a somewhat longer text");
    grid->SetAutoSize(true);
    EXPECT_EQ(grid->ColWidths(0), 64) << "fixed columns keep their width";
    EXPECT_EQ(grid->ColWidths(1), text + 2 * grid->GridLineWidth() + grid->XYOffsetX + 2 + 10);
    EXPECT_EQ(grid->ColWidths(2), grid->fontMetrics().horizontalAdvance("x") + 2 * grid->GridLineWidth() + 2 + 2 + 10);
}

} // namespace
