#include "grid/aggregates.h"
#include "grid/displaysettings.h"
#include "grid/dragdropsettings.h"
#include "grid/extgrid.h"
#include "grid/floatingfooter.h"
#include "grid/gridfilter.h"
#include "grid/sortsettings.h"

#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

// Stands in for the grid: records what the display groups ask of it.
struct GridSpy : TGridSettingsOwner {
    int repaints = 0;
    int footerRepaints = 0;
    int fixedRows = 1;
    bool lastRowFooter = false;
    bool panelShown = false;
    int footerRows = 0;
    std::vector<bool> dropTarget;

    void Invalidate() override { ++repaints; }
    void StretchColumn(int) override {}
    int GridFixedRows() const override { return fixedRows; }
    void RepaintFooter() override { ++footerRepaints; }
    void SetLastRowFooter(bool Value) override { lastRowFooter = Value; }
    void ShowFooterPanel(bool Show) override { panelShown = Show; }
    void SetFooterRowCount(int Count) override { footerRows = Count; }
    void RegisterDropTarget(bool Register) override { dropTarget.push_back(Register); }
};

// Every display group on one grid.
struct Groups {
    GridSpy grid;
    TBands bands{&grid};
    TBackGround background{&grid};
    TControlLook look{&grid};
    TFloatingFooter footer{&grid};
    TSortSettings sort{&grid};
    TDragDropSettings dragDrop{&grid};
};

TBitmap Filled(QColor color, int size = 4)
{
    TBitmap bitmap;
    bitmap.Image = QImage(size, size, QImage::Format_RGB32);
    bitmap.Image.fill(color);
    return bitmap;
}

TEST(DisplaySettings, GroupsStartWithTheirDefaultsAndPaintNothing)
{
    Groups g;
    EXPECT_FALSE(g.bands.Active());
    EXPECT_EQ(g.bands.PrimaryColor(), clInfoBk);
    EXPECT_EQ(g.bands.PrimaryLength(), 1);
    EXPECT_EQ(g.bands.SecondaryColor(), clWindow);
    EXPECT_EQ(g.bands.SecondaryLength(), 1);
    EXPECT_EQ(g.bands.TotalLength(), 2);
    EXPECT_FALSE(g.bands.Print);

    EXPECT_EQ(g.background.Top(), 0);
    EXPECT_EQ(g.background.Left(), 0);
    EXPECT_EQ(g.background.Display(), bdTile);
    EXPECT_EQ(g.background.Cells(), bcNormal);
    EXPECT_TRUE(g.background.Bitmap().GetEmpty());

    EXPECT_EQ(g.look.Color(), clBlack);
    EXPECT_EQ(g.look.CheckSize(), 15);
    EXPECT_EQ(g.look.RadioSize(), 10);
    EXPECT_EQ(g.look.ControlStyle(), csClassic);
    EXPECT_FALSE(g.look.FlatButton());
    for (const TBitmap* glyph : {&g.look.CheckedGlyph(), &g.look.UnCheckedGlyph(), &g.look.RadioOnGlyph(),
                                 &g.look.RadioOffGlyph()})
        EXPECT_TRUE(glyph->GetEmpty());

    EXPECT_EQ(g.footer.Color(), clBtnFace);
    EXPECT_EQ(g.footer.Column(), 0);
    EXPECT_EQ(g.footer.FooterStyle(), fsFixedLastRow);
    EXPECT_TRUE(g.footer.CustomTemplate().isEmpty());
    EXPECT_FALSE(g.footer.Visible());
    EXPECT_FALSE(g.footer.LastRowIsFooter());

    EXPECT_EQ(g.sort.Column(), 0);
    EXPECT_EQ(g.sort.Direction(), sdAscending);
    EXPECT_FALSE(g.sort.Show());
    EXPECT_FALSE(g.sort.IndexShow());
    EXPECT_TRUE(g.sort.Full());
    EXPECT_FALSE(g.sort.SingleColumn());
    EXPECT_FALSE(g.sort.IgnoreBlanks());
    EXPECT_EQ(g.sort.BlankPos(), blFirst);
    EXPECT_TRUE(g.sort.AutoFormat());
    EXPECT_FALSE(g.sort.NormalCellsOnly());
    EXPECT_FALSE(g.sort.AutoColumnMerge());
    EXPECT_EQ(g.sort.Row(), 0);
    EXPECT_FALSE(g.sort.FixedCols());
    EXPECT_EQ(g.sort.IndexColor(), TColor(0x00FFFF));
    EXPECT_TRUE(g.sort.UpGlyph().GetEmpty());
    EXPECT_TRUE(g.sort.DownGlyph().GetEmpty());

    EXPECT_FALSE(g.dragDrop.OleDropTarget());
    EXPECT_FALSE(g.dragDrop.OleDropSource);
    EXPECT_TRUE(g.dragDrop.OleAcceptFiles);
    EXPECT_TRUE(g.dragDrop.OleAcceptText);
    EXPECT_FALSE(g.dragDrop.OleDropRTF());
    EXPECT_FALSE(g.dragDrop.OleEntireRows);
    EXPECT_FALSE(g.dragDrop.OleInsertRows);
    EXPECT_FALSE(g.dragDrop.OleRemoveRows);
    EXPECT_FALSE(g.dragDrop.OleCopyAlways);
    EXPECT_FALSE(g.dragDrop.OleColumnDragDrop);

    EXPECT_EQ(g.grid.repaints, 0);
    EXPECT_EQ(g.grid.footerRepaints, 0);
    EXPECT_TRUE(g.grid.dropTarget.empty());
}

// One change of a setting and what the grid must see of it.
struct ChangeCase {
    const char* name;
    std::function<void(Groups&)> change;
    int repaints;
    int footerRepaints;
};

class DisplaySettingsChange : public testing::TestWithParam<ChangeCase> {};

TEST_P(DisplaySettingsChange, RepaintsWhatShows)
{
    const ChangeCase& c = GetParam();
    Groups g;
    c.change(g);
    EXPECT_EQ(g.grid.repaints, c.repaints);
    EXPECT_EQ(g.grid.footerRepaints, c.footerRepaints);
}

const ChangeCase kChanges[] = {
    // Bands show only while active.
    {"BandsActive", [](Groups& g) { g.bands.SetActive(true); }, 1, 0},
    {"BandsColourWhileInactive", [](Groups& g) { g.bands.SetPrimaryColor(clRed); }, 0, 0},
    {"BandsLengthWhileInactive", [](Groups& g) { g.bands.SetSecondaryLength(3); }, 0, 0},
    {"BandsColoursWhileActive",
     [](Groups& g) {
         g.bands.SetActive(true);
         g.bands.SetPrimaryColor(clRed);
         g.bands.SetSecondaryColor(clLime);
     },
     3, 0},
    {"BandsLengthsWhileActive",
     [](Groups& g) {
         g.bands.SetActive(true);
         g.bands.SetPrimaryLength(2);
         g.bands.SetSecondaryLength(2);
     },
     3, 0},
    {"BandsPrintOnlyKept", [](Groups& g) { g.bands.Print = true; }, 0, 0},
    {"BackgroundPlace",
     [](Groups& g) {
         g.background.SetTop(5);
         g.background.SetLeft(6);
     },
     2, 0},
    {"BackgroundModes",
     [](Groups& g) {
         g.background.SetDisplay(bdFixed);
         g.background.SetCells(bcAll);
     },
     2, 0},
    {"BackgroundBitmap", [](Groups& g) { g.background.SetBitmap(Filled(Qt::red)); }, 1, 0},
    {"LookValues",
     [](Groups& g) {
         g.look.SetColor(clRed);
         g.look.SetCheckSize(20);
         g.look.SetRadioSize(12);
         g.look.SetControlStyle(csFlat);
         g.look.SetFlatButton(true);
     },
     5, 0},
    {"LookGlyphs",
     [](Groups& g) {
         g.look.SetCheckedGlyph(Filled(Qt::red));
         g.look.SetUnCheckedGlyph(Filled(Qt::red));
         g.look.SetRadioOnGlyph(Filled(Qt::red));
         g.look.SetRadioOffGlyph(Filled(Qt::red));
     },
     4, 0},
    // Colour, column and template show only in the footer panel.
    {"FooterColour", [](Groups& g) { g.footer.SetColor(clRed); }, 0, 1},
    {"FooterColumn", [](Groups& g) { g.footer.SetColumn(2); }, 0, 1},
    {"FooterTemplate", [](Groups& g) { g.footer.SetCustomTemplate("<#1>"); }, 0, 1},
    {"FooterStyle", [](Groups& g) { g.footer.SetFooterStyle(fsColumnPreview); }, 1, 1},
    {"FooterVisible", [](Groups& g) { g.footer.SetVisible(true); }, 1, 1},
    {"SortValues",
     [](Groups& g) {
         g.sort.SetColumn(2);
         g.sort.SetDirection(sdDescending);
         g.sort.SetShow(true);
         g.sort.SetIndexShow(true);
         g.sort.SetFull(false);
         g.sort.SetSingleColumn(true);
         g.sort.SetIgnoreBlanks(true);
         g.sort.SetBlankPos(blLast);
         g.sort.SetAutoFormat(false);
         g.sort.SetNormalCellsOnly(true);
         g.sort.SetAutoColumnMerge(true);
         g.sort.SetFixedCols(true);
         g.sort.SetIndexColor(clRed);
     },
     13, 0},
    {"SortGlyphs",
     [](Groups& g) {
         g.sort.SetUpGlyph(Filled(Qt::red));
         g.sort.SetDownGlyph(Filled(Qt::red));
     },
     2, 0},
    {"SortRowOfTheFixedRows", [](Groups& g) { g.sort.SetRow(0); }, 0, 0},
    // An equal value changes nothing.
    {"SameValues",
     [](Groups& g) {
         g.bands.SetActive(false);
         g.background.SetTop(0);
         g.look.SetCheckSize(15);
         g.footer.SetVisible(false);
         g.footer.SetColor(clBtnFace);
         g.sort.SetFull(true);
     },
     0, 0},
    {"DragDropSwitchesPaintNothing",
     [](Groups& g) {
         g.dragDrop.SetOleDropTarget(true);
         g.dragDrop.OleInsertRows = true;
     },
     0, 0},
};

INSTANTIATE_TEST_SUITE_P(Each, DisplaySettingsChange, testing::ValuesIn(kChanges),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(DisplaySettings, BandLengthsMakeTheTotalAndTheRowColours)
{
    GridSpy grid;
    TBands bands(&grid);
    bands.SetPrimaryColor(clRed);
    bands.SetSecondaryColor(clLime);
    // The first normal row gets the primary colour, the next the secondary.
    EXPECT_EQ(bands.RowColor(0), clRed);
    EXPECT_EQ(bands.RowColor(1), clLime);
    EXPECT_EQ(bands.RowColor(2), clRed);

    bands.SetPrimaryLength(2);
    bands.SetSecondaryLength(3);
    EXPECT_EQ(bands.TotalLength(), 5);
    const TColor expected[] = {clRed, clRed, clLime, clLime, clLime, clRed, clRed, clLime};
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(bands.RowColor(row), expected[row]) << "row " << row;

    // A band of no length never shows, and nothing divides by it.
    bands.SetSecondaryLength(0);
    EXPECT_EQ(bands.RowColor(7), clRed);
    bands.SetPrimaryLength(0);
    EXPECT_EQ(bands.RowColor(7), clRed);
    bands.SetSecondaryLength(1);
    EXPECT_EQ(bands.RowColor(7), clLime);
}

TEST(DisplaySettings, FooterVisibleGivesTheGridItsFooterRowAndPanel)
{
    Groups g;
    g.footer.SetVisible(true);
    EXPECT_EQ(g.grid.footerRows, 1);
    EXPECT_TRUE(g.grid.panelShown);
    EXPECT_TRUE(g.grid.lastRowFooter);

    // Only the fixed-last-row style draws the grid's last row as footer.
    g.footer.SetFooterStyle(fsCustomPreview);
    EXPECT_FALSE(g.grid.lastRowFooter);
    EXPECT_EQ(g.grid.footerRows, 1);
    g.footer.SetFooterStyle(fsFixedLastRow);
    EXPECT_TRUE(g.grid.lastRowFooter);

    g.footer.SetVisible(false);
    EXPECT_EQ(g.grid.footerRows, 0);
    EXPECT_FALSE(g.grid.panelShown);
    EXPECT_FALSE(g.grid.lastRowFooter);

    // A style chosen while hidden does not make the last row a footer.
    g.footer.SetFooterStyle(fsColumnPreview);
    g.footer.SetFooterStyle(fsFixedLastRow);
    EXPECT_FALSE(g.grid.lastRowFooter);
}

TEST(DisplaySettings, SortRowMustLieInTheFixedRows)
{
    GridSpy grid;
    grid.fixedRows = 2;
    TSortSettings sort(&grid);
    sort.SetRow(1);
    EXPECT_EQ(sort.Row(), 1);
    EXPECT_EQ(grid.repaints, 1);
    for (int row : {2, 3}) {
        try {
            sort.SetRow(row);
            ADD_FAILURE() << "row " << row << " was taken";
        } catch (const Exception& error) {
            EXPECT_STREQ(error.what(), "Sort row should be smaller than number of fixed rows");
        }
        EXPECT_EQ(sort.Row(), 1);
    }
    EXPECT_EQ(grid.repaints, 1);

    // Copying settings from a grid with more fixed rows refuses the row and
    // keeps every other setting too.
    GridSpy tall;
    tall.fixedRows = 5;
    TSortSettings source(&tall);
    source.SetRow(4);
    source.SetColumn(3);
    EXPECT_THROW(sort.Assign(source), Exception);
    EXPECT_EQ(sort.Column(), 0);
    EXPECT_EQ(sort.Row(), 1);
    source.SetRow(0);
    sort.Assign(source);
    EXPECT_EQ(sort.Column(), 3);
    EXPECT_EQ(sort.Row(), 0);
}

TEST(DisplaySettings, SortRowFollowsTheRealGridsFixedRows)
{
    TExtStringGrid grid;
    grid.SetRowCount(5);
    grid.SetFixedRows(1);
    EXPECT_THROW(grid.SortSettings()->SetRow(1), Exception);
    grid.SetFixedRows(2);
    grid.SortSettings()->SetRow(1);
    EXPECT_EQ(grid.SortSettings()->Row(), 1);
}

TEST(DisplaySettings, GlyphsAndPicturesAreKeptAsCopies)
{
    Groups g;
    TBitmap red = Filled(Qt::red);
    g.look.SetCheckedGlyph(red);
    g.sort.SetUpGlyph(red);
    g.background.SetBitmap(red);
    red.Image.fill(Qt::blue);
    for (const TBitmap* kept : {&g.look.CheckedGlyph(), &g.sort.UpGlyph(), &g.background.Bitmap()})
        EXPECT_EQ(kept->Image.pixelColor(0, 0), QColor(Qt::red));
}

TEST(DisplaySettings, AssignCopiesValuesButKeepsTheGrid)
{
    Groups from;
    from.bands.SetActive(true);
    from.bands.SetPrimaryLength(4);
    from.look.SetControlStyle(csGlyph);
    from.look.SetRadioOnGlyph(Filled(Qt::green));
    from.background.SetDisplay(bdFixed);
    from.footer.SetCustomTemplate("<b><#2></b>");
    from.footer.SetVisible(true);
    from.dragDrop.OleRemoveRows = true;

    Groups to;
    to.bands.Assign(from.bands);
    to.look.Assign(from.look);
    to.background.Assign(from.background);
    to.footer.Assign(from.footer);
    to.dragDrop.Assign(from.dragDrop);
    EXPECT_TRUE(to.bands.Active());
    EXPECT_EQ(to.bands.TotalLength(), 5);
    EXPECT_EQ(to.look.ControlStyle(), csGlyph);
    EXPECT_FALSE(to.look.RadioOnGlyph().GetEmpty());
    EXPECT_EQ(to.background.Display(), bdFixed);
    EXPECT_EQ(to.footer.CustomTemplate(), "<b><#2></b>");
    EXPECT_TRUE(to.dragDrop.OleRemoveRows);
    EXPECT_EQ(to.bands.Grid(), &to.grid);
    // The copied footer gives its own grid the footer row.
    EXPECT_EQ(to.grid.footerRows, 1);
    EXPECT_GT(to.grid.repaints, 0);
}

TEST(DisplaySettings, DropTargetSwitchRegistersTheGridAndRichTextIsProgramWide)
{
    Groups g;
    g.dragDrop.SetOleDropTarget(true);
    g.dragDrop.SetOleDropTarget(true);
    g.dragDrop.SetOleDropTarget(false);
    EXPECT_EQ(g.grid.dropTarget, (std::vector<bool>{true, false}));

    const bool before = RichTextAllowed;
    g.dragDrop.SetOleDropRTF(true);
    EXPECT_TRUE(RichTextAllowed);
    g.dragDrop.SetOleDropRTF(false);
    EXPECT_FALSE(RichTextAllowed);
    RichTextAllowed = before;
}

TEST(DisplaySettings, FilterAndHiddenRowItemsAreOwnedCollections)
{
    GridSpy grid;
    TFilter filter(&grid);
    EXPECT_EQ(filter.Grid(), &grid);
    EXPECT_EQ(filter.Count(), 0);
    TFilterData& first = filter.Add();
    EXPECT_EQ(first.Column, 0);
    EXPECT_TRUE(first.Condition.isEmpty());
    EXPECT_TRUE(first.CaseSensitive);
    first.Column = 2;
    first.Condition = "A*";
    filter.Add().Condition = "B*";
    // An item keeps its place while others come.
    EXPECT_EQ(&filter.Items(0), &first);

    TFilter copy(&grid);
    copy.Assign(filter);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Items(0).Column, 2);
    EXPECT_EQ(copy.Items(1).Condition, "B*");
    EXPECT_NE(&copy.Items(0), &first);

    filter.Delete(0);
    EXPECT_EQ(filter.Count(), 1);
    EXPECT_EQ(filter.Items(0).Condition, "B*");
    EXPECT_THROW(filter.Delete(1), std::out_of_range);
    EXPECT_THROW(filter.Items(-1), std::out_of_range);
    filter.Clear();
    EXPECT_EQ(filter.Count(), 0);

    TCollection<TGridItem> hidden;
    TGridItem& row = hidden.Add();
    EXPECT_EQ(row.Idx, 0);
    EXPECT_TRUE(row.Items.isEmpty());
    row.Idx = 7;
    row.Items = QStringList{"a", "b"};
    EXPECT_EQ(hidden.Items(0).Items.size(), 2);
}

// Column 0 of a small table of values.
struct AggregateCase {
    const char* name;
    std::vector<double> values;
    int from;
    int to;
    double sum;
    double avg;
    double min;
    double max;
};

class ColumnAggregates : public testing::TestWithParam<AggregateCase> {};

TEST_P(ColumnAggregates, OverTheRowRange)
{
    const AggregateCase& c = GetParam();
    std::vector<int> read;
    const TCellFloatReader cell = [&](int ACol, int ARow) {
        EXPECT_EQ(ACol, 1);
        read.push_back(ARow);
        return c.values.at(static_cast<std::size_t>(ARow));
    };
    EXPECT_DOUBLE_EQ(ColumnSum(cell, 1, c.from, c.to), c.sum);
    EXPECT_DOUBLE_EQ(ColumnAvg(cell, 1, c.from, c.to), c.avg);
    EXPECT_DOUBLE_EQ(ColumnMin(cell, 1, c.from, c.to), c.min);
    EXPECT_DOUBLE_EQ(ColumnMax(cell, 1, c.from, c.to), c.max);
    // No cell outside the range is read.
    for (int row : read) {
        EXPECT_GE(row, c.from);
        EXPECT_LE(row, c.to);
    }
}

const AggregateCase kAggregates[] = {
    {"Several", {0, 3, -1, 4, 2}, 1, 4, 8, 2, -1, 4},
    {"OneRow", {0, 5.5}, 1, 1, 5.5, 5.5, 5.5, 5.5},
    {"AllNegative", {0, -3, -7, -2}, 1, 3, -12, -4, -7, -2},
    {"PartOfTheColumn", {9, 1, 2, 9}, 1, 2, 3, 1.5, 1, 2},
    // An empty range gives 0 everywhere, the average too.
    {"Empty", {0, 1}, 2, 1, 0, 0, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Table, ColumnAggregates, testing::ValuesIn(kAggregates),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ColumnAggregatesErrors, ACellWithoutANumberStopsTheAggregate)
{
    const TCellFloatReader cell = [](int, int ARow) -> double {
        if (ARow == 2)
            throw std::runtime_error("Cell does not contain a float value");
        return 1.0;
    };
    EXPECT_THROW(ColumnSum(cell, 0, 1, 3), std::runtime_error);
    EXPECT_THROW(ColumnMax(cell, 0, 1, 3), std::runtime_error);
    EXPECT_DOUBLE_EQ(ColumnMin(cell, 0, 3, 4), 1.0);
}

} // namespace
