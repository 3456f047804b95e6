#include "grid/cellgraphic.h"
#include "grid/gridsettings.h"
#include "grid/printsettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Stands in for the grid: counts repaints and stretch requests.
struct OwnerSpy : TGridSettingsOwner {
    int repaints = 0;
    std::vector<int> stretched;
    void Invalidate() override { ++repaints; }
    void StretchColumn(int ACol) override { stretched.push_back(ACol); }
};

template <typename Settings, typename Value>
struct Initial {
    const char* name;
    Value Settings::*member;
    Value expected;
};

template <typename Settings, typename Value>
void ExpectInitial(const std::vector<Initial<Settings, Value>>& table)
{
    OwnerSpy grid;
    const Settings settings(&grid);
    for (const auto& row : table)
        EXPECT_EQ(settings.*row.member, row.expected) << row.name;
    EXPECT_EQ(grid.repaints, 0);
}

TEST(GridSettings, NavigationStartsWithOnlyGrowingPasteAndHtmlTagsOn)
{
    using N = TNavigation;
    ExpectInitial<N, bool>({
        {"AllowInsertRow", &N::AllowInsertRow, false}, {"AllowDeleteRow", &N::AllowDeleteRow, false},
        {"AlwaysEdit", &N::AlwaysEdit, false}, {"AdvanceOnEnter", &N::AdvanceOnEnter, false},
        {"AdvanceInsert", &N::AdvanceInsert, false}, {"AutoGotoWhenSorted", &N::AutoGotoWhenSorted, false},
        {"AutoGotoIncremental", &N::AutoGotoIncremental, false},
        {"AutoComboDropSize", &N::AutoComboDropSize, false},
        {"AllowClipboardShortCuts", &N::AllowClipboardShortCuts, false},
        {"AllowSmartClipboard", &N::AllowSmartClipboard, false},
        {"AllowRTFClipboard", &N::AllowRTFClipboard, false}, {"AllowFmtClipboard", &N::AllowFmtClipboard, false},
        {"AllowClipboardAlways", &N::AllowClipboardAlways, false},
        {"AllowClipboardRowGrow", &N::AllowClipboardRowGrow, true},
        {"AllowClipboardColGrow", &N::AllowClipboardColGrow, true}, {"AdvanceAuto", &N::AdvanceAuto, false},
        {"CursorWalkEditor", &N::CursorWalkEditor, false}, {"MoveRowOnSort", &N::MoveRowOnSort, false},
        {"ImproveMaskSel", &N::ImproveMaskSel, false},
        {"CopyHTMLTagsToClipboard", &N::CopyHTMLTagsToClipboard, true},
        {"KeepHorizScroll", &N::KeepHorizScroll, false}, {"LineFeedOnEnter", &N::LineFeedOnEnter, false},
    });
    OwnerSpy grid;
    const TNavigation navigation(&grid);
    EXPECT_EQ(navigation.AdvanceDirection, adLeftRight);
    EXPECT_EQ(navigation.InsertPosition, pInsertBefore);
    EXPECT_EQ(navigation.HomeEndKey, heFirstLastColumn);
}

TEST(GridSettings, MouseActionsAndSizeWhileTypingStartOff)
{
    using M = TMouseActions;
    ExpectInitial<M, bool>({
        {"AllColumnSize", &M::AllColumnSize, false}, {"AllRowSize", &M::AllRowSize, false},
        {"AllSelect", &M::AllSelect, false}, {"CaretPositioning", &M::CaretPositioning, false},
        {"ColSelect", &M::ColSelect, false}, {"DirectComboDrop", &M::DirectComboDrop, false},
        {"DirectEdit", &M::DirectEdit, false}, {"DisjunctRowSelect", &M::DisjunctRowSelect, false},
        {"DisjunctCellSelect", &M::DisjunctCellSelect, false},
        {"RangeSelectAndEdit", &M::RangeSelectAndEdit, false}, {"RowSelect", &M::RowSelect, false},
        {"SizeFixedCol", &M::SizeFixedCol, false},
    });
    ExpectInitial<TSizeWhileTyping, bool>({
        {"Height", &TSizeWhileTyping::Height, false}, {"Width", &TSizeWhileTyping::Width, false}});
}

TEST(GridSettings, HtmlAndPrintSettingsStartWithTheirDefaults)
{
    using H = THTMLSettings;
    ExpectInitial<H, int>({{"BorderSize", &H::BorderSize, 1}, {"CellSpacing", &H::CellSpacing, 0},
                           {"CellPadding", &H::CellPadding, 0}, {"Width", &H::Width, 100}});
    ExpectInitial<H, bool>({{"SaveColor", &H::SaveColor, true}, {"SaveFonts", &H::SaveFonts, true},
                            {"XHTML", &H::XHTML, false}});
    using P = TPrintSettings;
    ExpectInitial<P, QString>({{"DateFormat", &P::DateFormat, "dd/mm/yyyy"}, {"PageNumSep", &P::PageNumSep, "/"},
                               {"TitleText", &P::TitleText, ""}, {"JobName", &P::JobName, ""}});
    ExpectInitial<P, TPrintPosition>({{"Time", &P::Time, ppNone}, {"Date", &P::Date, ppNone},
                                      {"PageNr", &P::PageNr, ppNone}, {"Title", &P::Title, ppNone}});
    ExpectInitial<P, int>({{"FooterSize", &P::FooterSize, 0}, {"FixedHeight", &P::FixedHeight, 0}});
    OwnerSpy grid;
    const TPrintSettings print(&grid);
    EXPECT_EQ(print.Borders, pbNoborder);
    EXPECT_EQ(print.BorderStyle, psSolid);
    EXPECT_EQ(print.Orientation, poPortrait);
    EXPECT_EQ(print.FitToPage, fpNever);
}

TEST(GridSettings, ColumnSizeStartsUnstretchedOnTheLastColumnInThePerUserStore)
{
    OwnerSpy grid;
    const TColumnSize size(&grid);
    EXPECT_FALSE(size.Save);
    EXPECT_FALSE(size.Stretch());
    EXPECT_EQ(size.StretchColumn, -1);
    EXPECT_FALSE(size.SynchWithGrid);
    EXPECT_EQ(size.Location, clRegistry);
    EXPECT_TRUE(size.Key.isEmpty());
    EXPECT_TRUE(size.Section.isEmpty());
    EXPECT_EQ(grid.stretched.size(), 0u);
}

TEST(GridSettings, SettingStretchAsksTheGridToStretchItsColumnAtOnce)
{
    OwnerSpy grid;
    TColumnSize size(&grid);
    size.StretchColumn = 2;
    size.SetStretch(true);
    size.SetStretch(false);
    EXPECT_EQ(grid.stretched, (std::vector<int>{2, 2}));
    EXPECT_TRUE(grid.repaints == 0);
}

TEST(GridSettings, CellNodeRepaintsOnlyWhenItsShapeOrTreeChanges)
{
    struct Case {
        const char* change;
        std::function<void(TCellNode&)> apply;
        int repaints;
    };
    const std::vector<Case> cases = {
        {"node type changed", [](TCellNode& n) { n.SetNodeType(cn3D); }, 1},
        {"same node type", [](TCellNode& n) { n.SetNodeType(cnFlat); }, 0},
        {"tree shown", [](TCellNode& n) { n.SetShowTree(true); }, 1},
        {"tree left hidden", [](TCellNode& n) { n.SetShowTree(false); }, 0},
        {"colour", [](TCellNode& n) { n.Color = clRed; }, 0},
    };
    for (const auto& c : cases) {
        OwnerSpy grid;
        TCellNode node(&grid);
        EXPECT_EQ(node.Color, clSilver);
        EXPECT_EQ(node.NodeColor, clBlack);
        EXPECT_TRUE(node.ExpandGlyph().GetEmpty());
        c.apply(node);
        EXPECT_EQ(grid.repaints, c.repaints) << c.change;
    }
}

TEST(GridSettings, CellNodeGlyphIsACopyOfTheAssignedBitmap)
{
    OwnerSpy grid;
    TCellNode node(&grid);
    TBitmap glyph;
    glyph.Image = QImage(9, 9, QImage::Format_ARGB32);
    glyph.Image.fill(Qt::red);
    node.SetExpandGlyph(glyph);
    glyph.Image.fill(Qt::blue);
    EXPECT_EQ(node.ExpandGlyph().Image.pixelColor(4, 4), QColor(Qt::red));
    EXPECT_TRUE(node.ContractGlyph().GetEmpty());
}

TEST(GridSettings, AssigningCopiesValuesButKeepsEachGroupOnItsOwnGrid)
{
    OwnerSpy first;
    OwnerSpy second;
    TNavigation source(&first);
    source.AdvanceOnEnter = true;
    source.HomeEndKey = heFirstLastRow;
    TNavigation target(&second);
    target.Assign(source);
    EXPECT_TRUE(target.AdvanceOnEnter);
    EXPECT_EQ(target.HomeEndKey, heFirstLastRow);
    EXPECT_EQ(target.Grid(), &second);

    TCellNode node(&first);
    node.SetShowTree(true);
    TCellNode copy(&second);
    copy.Assign(node);
    EXPECT_TRUE(copy.ShowTree());
    EXPECT_EQ(second.repaints, 1);

    TColumnSize size(&first);
    size.Key = "grid.ini";
    size.StretchColumn = 1;
    size.SetStretch(true);
    TColumnSize sizeCopy(&second);
    sizeCopy.Assign(size);
    EXPECT_EQ(sizeCopy.Key, "grid.ini");
    EXPECT_TRUE(sizeCopy.Stretch());
    EXPECT_EQ(second.stretched, (std::vector<int>{1}));

    TPrintSettings print(&first);
    print.TitleLines = {"a", "b"};
    print.Font.Size = 12;
    TPrintSettings printCopy(&second);
    printCopy.Assign(print);
    print.TitleLines.clear();
    EXPECT_EQ(printCopy.TitleLines, (QStringList{"a", "b"}));
    EXPECT_EQ(printCopy.Font.Size, 12);
    EXPECT_EQ(printCopy.Grid(), &second);
}

// Counts its destructions so ownership can be seen.
struct TrackedObject : TObject {
    explicit TrackedObject(int& count) : destroyed(count) {}
    ~TrackedObject() override { ++destroyed; }
    int& destroyed;
};

TEST(CellGraphic, ANewGraphicShowsNothingAndOwnsNothing)
{
    const TCellGraphic graphic;
    EXPECT_EQ(graphic.CellType, ctNone);
    EXPECT_FALSE(graphic.CellCreated);
    EXPECT_EQ(graphic.CellBitmap, nullptr);
    EXPECT_EQ(graphic.CellIcon, nullptr);
}

TEST(CellGraphic, DestructionFreesOnlyWhatTheGraphicOwns)
{
    struct Case {
        TCellType type;
        bool created;
        int bitmapFreed;
        int iconFreed;
    };
    const std::vector<Case> cases = {
        {ctBitmap, true, 1, 0},      {ctBitmap, false, 0, 0},      {ctRadio, true, 1, 0},
        {ctPicture, true, 1, 0},     {ctFilePicture, true, 1, 0},  {ctBitButton, true, 1, 0},
        {ctPicture, false, 0, 0},    {ctImages, false, 1, 0},      {ctImages, true, 1, 0},
        {ctIcon, true, 0, 1},        {ctIcon, false, 0, 0},        {ctVirtCheckBox, true, 0, 0},
        {ctCheckBox, true, 0, 0},    {ctProgress, true, 0, 0},     {ctNone, true, 0, 0},
    };
    for (const auto& c : cases) {
        int bitmapFreed = 0;
        int iconFreed = 0;
        TrackedObject bitmap(bitmapFreed);
        TrackedObject icon(iconFreed);
        auto* ownedBitmap = new TrackedObject(bitmapFreed);
        auto* ownedIcon = new TrackedObject(iconFreed);
        {
            TCellGraphic graphic;
            graphic.CellType = c.type;
            graphic.CellCreated = c.created;
            graphic.CellBitmap = c.bitmapFreed ? static_cast<TObject*>(ownedBitmap) : &bitmap;
            graphic.CellIcon = c.iconFreed ? static_cast<TObject*>(ownedIcon) : &icon;
        }
        EXPECT_EQ(bitmapFreed, c.bitmapFreed) << "type " << c.type << " created " << c.created;
        EXPECT_EQ(iconFreed, c.iconFreed) << "type " << c.type << " created " << c.created;
        if (!c.bitmapFreed)
            delete ownedBitmap;
        if (!c.iconFreed)
            delete ownedIcon;
    }
}

TEST(CellGraphic, AssignmentCopiesValuesButNotTheReferencedObjects)
{
    int destroyed = 0;
    TrackedObject bitmap(destroyed);
    TCellGraphic source;
    source.CellType = ctRotated;
    source.CellVAlign = vaCenter;
    source.CellHAlign = haAfterText;
    source.CellIndex = 7;
    source.CellTransparent = true;
    source.CellBoolean = true;
    source.CellAngle = 90;
    source.CellValue = 65539;
    source.CellErrFrom = 2;
    source.CellErrLen = 3;
    source.CellText = "nota";
    source.CellBitmap = &bitmap;
    TCellGraphic target;
    target.Assign(source);
    EXPECT_EQ(target.CellType, ctRotated);
    EXPECT_EQ(target.CellVAlign, vaCenter);
    EXPECT_EQ(target.CellHAlign, haAfterText);
    EXPECT_EQ(target.CellIndex, 7);
    EXPECT_TRUE(target.CellTransparent);
    EXPECT_TRUE(target.CellBoolean);
    EXPECT_EQ(target.CellAngle, 90);
    EXPECT_EQ(target.CellValue, 65539);
    EXPECT_EQ(target.CellErrFrom, 2);
    EXPECT_EQ(target.CellErrLen, 3);
    EXPECT_EQ(target.CellText, "nota");
    EXPECT_FALSE(target.CellCreated);
    EXPECT_EQ(target.CellBitmap, nullptr);
}

TEST(CellGraphic, PictureSizeFollowsTheSizeMode)
{
    struct Case {
        QSize space;
        QSize picture;
        int margin;
        int mode;
        QSize expected;
    };
    const std::vector<Case> cases = {
        {{50, 50}, {100, 50}, 0, 0, {100, 50}},
        {{50, 50}, {100, 50}, 0, 1, {50, 50}},
        {{50, 50}, {100, 50}, 0, 2, {50, 25}},
        {{50, 50}, {100, 50}, 0, 3, {50, 50}},
        {{50, 50}, {100, 50}, 0, 4, {50, 25}},
        // A small picture: mode 2 grows it, 3 and 4 leave it.
        {{80, 60}, {20, 10}, 0, 2, {80, 40}},
        {{80, 60}, {10, 20}, 0, 2, {30, 60}},
        {{80, 60}, {20, 10}, 0, 3, {20, 10}},
        {{80, 60}, {20, 10}, 0, 4, {20, 10}},
        // Too tall only.
        {{80, 60}, {40, 120}, 0, 4, {20, 60}},
        {{80, 60}, {40, 120}, 0, 3, {80, 60}},
        // The margin is taken off the space first.
        {{54, 54}, {100, 50}, 4, 2, {50, 25}},
        {{54, 54}, {50, 50}, 4, 3, {50, 50}},
        {{54, 54}, {51, 50}, 4, 3, {50, 50}},
        // An empty picture counts as fitting.
        {{50, 50}, {0, 0}, 0, 2, {0, 50}},
        {{50, 50}, {0, 0}, 0, 4, {0, 0}},
        // An unknown mode leaves the picture as it is.
        {{50, 50}, {100, 50}, 0, 7, {100, 50}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CellPictureSize(c.space, c.picture, c.margin, c.mode), c.expected)
            << "space " << c.space.width() << "x" << c.space.height() << " picture " << c.picture.width() << "x"
            << c.picture.height() << " margin " << c.margin << " mode " << c.mode;
}

} // namespace
