#include "grid/extgrid.h"

#include "grid/esgcheck.h"
#include "grid/extutil.h"
#include "grid/grideditors.h"
#include "grid/gridsettings.h"
#include "grid/extxpvs.h"
#include "grid/picturecontainer.h"

#include "platform/flatscrollbar.h"
#include "platform/forms.h"
#include "tests/support/input.h"

#include <QApplication>
#include <QBuffer>
#include <QScrollBar>
#include <QStyle>

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>
#include <vector>

namespace {

QString B(bool value)
{
    return value ? "true" : "false";
}

QString N(long long value)
{
    return QString::number(value);
}

struct Initial {
    const char* name;
    QString actual;
    QString expected;
};

TEST(ExtGrid, FreshGridHasItsInitialValues)
{
    TExtStringGrid g;
    const int scrollBar = g.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const std::vector<Initial> table = {
        {"DefaultRowHeight", N(g.DefaultRowHeight()), "21"},
        {"FixedRowHeight", N(g.FixedRowHeight()), "21"},
        {"FloatFormat", g.FloatFormat, "%.2f"},
        {"Font", g.Font().Name, "Tahoma"},
        {"FixedFont", g.FixedFont().Name, "Tahoma"},
        {"ActiveCellFont bold", B(g.ActiveCellFont().Style & fsBold), "true"},
        {"ActiveCellColor", N(g.ActiveCellColor()), N(clGray)},
        {"ActiveCellShow", B(g.ActiveCellShow()), "false"},
        {"AnchorHint", B(g.AnchorHint), "false"},
        {"AutoNumAlign", B(g.AutoNumAlign), "false"},
        {"AutoSize", B(g.AutoSize()), "false"},
        {"VAlignment", N(g.VAlignment()), N(vtaTop)},
        {"EnhTextSize", B(g.EnhTextSize), "false"},
        {"EditWithTags", B(g.EditWithTags), "false"},
        {"EnhRowColMove", B(g.EnhRowColMove), "false"},
        {"SizeWithForm", B(g.SizeWithForm), "false"},
        {"Multilinecells", B(g.Multilinecells), "false"},
        {"EnableBlink", B(g.EnableBlink), "false"},
        {"EnableHTML", B(g.EnableHTML), "true"},
        {"EnableWheel", B(g.EnableWheel), "true"},
        {"ExcelStyleDecimalSeparator", B(g.ExcelStyleDecimalSeparator), "false"},
        {"Flat", B(g.Flat()), "false"},
        {"Look", N(g.Look()), N(glSoft)},
        {"HintColor", N(g.HintColor), N(clInfoBk)},
        {"SelectionColor", N(g.SelectionColor()), N(clHighlight)},
        {"SelectionTextColor", N(g.SelectionTextColor()), N(clHighlightText)},
        {"SelectionRectangle", B(g.SelectionRectangle()), "false"},
        {"SelectionResizer", B(g.SelectionResizer()), "false"},
        {"SelectionRTFKeep", B(g.SelectionRTFKeep), "false"},
        {"HintShowCells", B(g.HintShowCells), "false"},
        {"HintShowLargeText", B(g.HintShowLargeText), "false"},
        {"HintShowSizing", B(g.HintShowSizing), "false"},
        {"HTMLHint", B(g.HTMLHint), "false"},
        {"MaxEditLength", N(g.MaxEditLength()), "0"},
        {"GridImages", B(g.GridImages()), "false"},
        {"IntelliPan", N(g.IntelliPan), N(ipVertical)},
        {"IntelliZoom", B(g.IntelliZoom), "true"},
        {"URLColor", N(g.URLColor()), N(clBlue)},
        {"URLShow", B(g.URLShow()), "false"},
        {"URLFull", B(g.URLFull()), "false"},
        {"URLEdit", B(g.URLEdit), "false"},
        {"PictureContainer", B(g.PictureContainer()), "false"},
        {"CellChecker", B(g.CellChecker()), "false"},
        {"ScrollType", N(g.ScrollType()), N(ssNormal)},
        {"ScrollColor", N(g.ScrollColor()), N(clNone)},
        {"ScrollWidth", N(g.ScrollWidth()), N(scrollBar)},
        {"ScrollSynch", B(g.ScrollSynch), "false"},
        {"ScrollProportional", B(g.ScrollProportional()), "false"},
        {"ScrollHints", N(g.ScrollHints), N(shNone)},
        {"OemConvert", B(g.OemConvert), "false"},
        {"FixedFooters", N(g.FixedFooters()), "0"},
        {"FixedRightCols", N(g.FixedRightCols()), "0"},
        {"FixedColWidth", N(g.FixedColWidth()), N(g.ColWidths(0))},
        {"FixedRowAlways", B(g.FixedRowAlways), "false"},
        {"FixedColAlways", B(g.FixedColAlways), "false"},
        {"FixedAsButtons", B(g.FixedAsButtons), "false"},
        {"IntegralHeight", B(g.IntegralHeight()), "false"},
        {"WordWrap", B(g.WordWrap()), "false"},
        {"Lookup", B(g.Lookup), "false"},
        {"LookupCaseSensitive", B(g.LookupCaseSensitive), "false"},
        {"LookupHistory", B(g.LookupHistory), "false"},
        {"ShowSelection", B(g.ShowSelection()), "true"},
        {"HideFocusRect", B(g.HideFocusRect), "false"},
        {"Hovering", B(g.Hovering), "false"},
        {"FilterActive", B(g.FilterActive()), "false"},
        {"ColumnHeaders", N(g.ColumnHeaders().size()), "0"},
        {"RowHeaders", N(g.RowHeaders().size()), "0"},
        {"LookupItems", N(g.LookupItems().size()), "0"},
        {"RowIndicator", B(g.RowIndicator().GetEmpty()), "true"},
        {"password character", g.PasswordChar, "*"},
        {"check texts", g.CheckTrue + g.CheckFalse, "YN"},
        {"cell margin", N(g.XYOffsetX) + "x" + N(g.XYOffsetY), "2x2"},
        {"font-size offset", N(g.ZoomFactor), "0"},
        {"zero dates shown", B(g.ShowNullDates), "true"},
        {"glQel gradient", N(g.GradientStartColor) + "-" + N(g.GradientEndColor), N(clSilver) + "-" + N(clWhite)},
        {"hover cell", N(g.HoverCell.X) + "," + N(g.HoverCell.Y), "-1,-1"},
        {"visual styles", B(g.VisualStyles()), B(ThemedDrawing())},
        {"arrow windows", B(g.ArrowWindow(0) && g.ArrowWindow(3) && !g.ArrowWindow(4)), "true"},
        {"wheel message", N(g.WheelMessage()), "522"},
        {"wheel lines", N(g.WheelScrollLines()), N(QApplication::wheelScrollLines())},
        {"hidden columns", N(g.HiddenColCount()), "0"},
        {"editor kind", N(g.EditorType()), N(edNormal)},
        {"editor shown", B(g.EditorShown()), "false"},
        {"timer before the window", B(g.TimerRunning()), "false"},
        // Settings groups.
        {"CellNode.Color", N(g.CellNode()->Color), N(clSilver)},
        {"CellNode.NodeType", N(g.CellNode()->NodeType()), N(cnFlat)},
        {"CellNode.NodeColor", N(g.CellNode()->NodeColor), N(clBlack)},
        {"CellNode.ShowTree", B(g.CellNode()->ShowTree()), "false"},
        {"SizeWhileTyping", B(g.SizeWhileTyping()->Height || g.SizeWhileTyping()->Width), "false"},
        {"MouseActions.DirectEdit", B(g.MouseActions()->DirectEdit), "false"},
        {"MouseActions.DisjunctRowSelect", B(g.MouseActions()->DisjunctRowSelect), "false"},
        {"ColumnSize.Save", B(g.ColumnSize()->Save), "false"},
        {"ColumnSize.Stretch", B(g.ColumnSize()->Stretch()), "false"},
        {"ColumnSize.StretchColumn", N(g.ColumnSize()->StretchColumn), "-1"},
        {"ColumnSize.Location", N(g.ColumnSize()->Location), N(clRegistry)},
        {"ColumnSize.Key", g.ColumnSize()->Key, ""},
        {"Navigation.AdvanceOnEnter", B(g.Navigation()->AdvanceOnEnter), "false"},
        {"Navigation.AllowClipboardRowGrow", B(g.Navigation()->AllowClipboardRowGrow), "true"},
        {"Navigation.CopyHTMLTagsToClipboard", B(g.Navigation()->CopyHTMLTagsToClipboard), "true"},
        {"Navigation.AdvanceDirection", N(g.Navigation()->AdvanceDirection), N(adLeftRight)},
        {"Navigation.HomeEndKey", N(g.Navigation()->HomeEndKey), N(heFirstLastColumn)},
        {"HTMLSettings.BorderSize", N(g.HTMLSettings()->BorderSize), "1"},
        {"HTMLSettings.Width", N(g.HTMLSettings()->Width), "100"},
        {"HTMLSettings.SaveColor", B(g.HTMLSettings()->SaveColor), "true"},
        {"PrintSettings.DateFormat", g.PrintSettings()->DateFormat, "dd/mm/yyyy"},
        {"PrintSettings.PageNumSep", g.PrintSettings()->PageNumSep, "/"},
        {"PrintSettings.Orientation", N(g.PrintSettings()->Orientation), N(poPortrait)},
        {"PrintSettings.FitToPage", N(g.PrintSettings()->FitToPage), N(fpNever)},
        {"FloatingFooter.Visible", B(g.FloatingFooter()->Visible()), "false"},
        {"footer panel", B(g.FooterPanelShown()), "false"},
        {"footer height", N(g.FooterHeight()), "21"},
        {"SortSettings.Full", B(g.SortSettings()->Full()), "true"},
        {"Bands.Active", B(g.Bands()->Active()), "false"},
        {"ControlLook.ControlStyle", N(g.ControlLook()->ControlStyle()), N(csClassic)},
        {"BackGround empty", B(g.BackGround()->Bitmap().GetEmpty()), "true"},
        {"DragDropSettings.OleDropTarget", B(g.DragDropSettings()->OleDropTarget()), "false"},
        {"Filter", N(g.Filter()->Count()), "0"},
        {"hidden rows", N(g.HiddenRows().Count()), "0"},
        {"measuring rich edit hidden", B(g.HiddenRichEdit()->isHidden()), "true"},
        {"rich-text editor hidden and disabled",
         B(g.InplaceRichEdit()->isHidden() && !g.InplaceRichEdit()->isEnabled()), "true"},
    };
    for (const Initial& row : table)
        EXPECT_EQ(row.actual, row.expected) << row.name;
}

TEST(ExtGrid, VersionNumberAndText)
{
    TExtStringGrid grid;
    EXPECT_EQ(grid.GetVersionNr(), 0x02030008u);
    EXPECT_EQ(grid.GetVersionString(), "2.3.0.8 Sept, 2002");
}

TEST(ExtGrid, TheEditorsAreMadeWithTheGridAndDrawAsItDoes)
{
    InitThemeLibrary();
    for (bool themes : {true, false}) {
        SCOPED_TRACE(themes);
        SetThemesActive(themes);
        TExtStringGrid grid;
        EXPECT_EQ(grid.VisualStyles(), themes && PlatformVersionAtLeast(5, 1));
        const auto combos = grid.findChildren<TGridCombo*>();
        const auto editButtons = grid.findChildren<TGridEditBtn*>();
        const auto unitButtons = grid.findChildren<TGridUnitEditBtn*>();
        ASSERT_EQ(combos.size(), 1) << "made with the grid, before any edit";
        ASSERT_EQ(unitButtons.size(), 1);
        ASSERT_GE(editButtons.size(), 1);
        EXPECT_EQ(grid.findChildren<TGridSpin*>().size(), 1);
        EXPECT_FALSE(combos[0]->isVisible());
        EXPECT_FALSE(combos[0]->isEnabled());
        EXPECT_EQ(combos[0]->Themed, grid.VisualStyles());
        for (TGridEditBtn* edit : editButtons)
            EXPECT_EQ(edit->IsWinXP(), grid.VisualStyles());
        EXPECT_EQ(unitButtons[0]->IsWinXP(), grid.VisualStyles());
    }
    SetThemesActive(true);
}

// The advance direction goes by both its names.
static_assert(std::is_same_v<decltype(TNavigation::AdvanceDirection), TExtanceDirection>);

TEST(ExtGrid, PlatformStandIns)
{
    EXPECT_GE(TExtStringGrid::CommonControlsVersion(), (4 << 16) | 70);
    EXPECT_EQ(TExtStringGrid::GetDllFileVersion(QApplication::applicationFilePath()), -1);
}

TEST(ExtGrid, RadioGlyphsAndCursorsAreResources)
{
    for (int i = 1; i <= 8; ++i) {
        const QImage glyph = BitmapResource(QStringLiteral("ESGRAD0%1").arg(i));
        EXPECT_EQ(glyph.size(), QSize(15, 15)) << i;
    }
    for (int id : {8000, 8001, 8002, 8003, 8004, 8005, 8006, 8007, 8008, 8010, 8011, 8012}) {
        const QImage cursor(QStringLiteral(":/grid/CUR%1.png").arg(id));
        EXPECT_EQ(cursor.size(), QSize(32, 32)) << id;
        EXPECT_TRUE(cursor.hasAlphaChannel()) << id;
    }
}

TEST(ExtGrid, ScrollTypeStylesTheGridsOwnBars)
{
    TForm window;
    TExtStringGrid& grid = *new TExtStringGrid(&window);
    grid.SetScrollType(ssFlat);
    EXPECT_TRUE(FlatSB_IsInitialized(&grid));
    EXPECT_EQ(FlatSB_Style(&grid, SB_VERT), FSB_FLAT_MODE);
    grid.SetScrollWidth(7);
    EXPECT_EQ(grid.verticalScrollBar()->maximumWidth(), 7);
    EXPECT_EQ(grid.horizontalScrollBar()->maximumHeight(), 7);
    grid.SetScrollType(ssLumeno);
    EXPECT_EQ(FlatSB_Style(&grid, SB_HORZ), FSB_ENCARTA_MODE);
    grid.SetScrollColor(clYellow);
    EXPECT_TRUE(grid.verticalScrollBar()->styleSheet().contains("#ffff00"));
    // Flat bars show only while rows or columns lie beyond the view.
    window.resize(400, 300);
    grid.setGeometry(0, 0, 300, 200);
    ASSERT_TRUE(input::Activate(&window));
    grid.SetColCount(3);
    grid.SetRowCount(40);
    EXPECT_EQ(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    grid.SetScrollType(ssNormal);
    EXPECT_FALSE(FlatSB_IsInitialized(&grid));
    EXPECT_EQ(grid.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    grid.SetScrollProportional(true);
    EXPECT_TRUE(FlatSB_IsInitialized(&grid));
    EXPECT_EQ(FlatSB_Style(&grid, SB_VERT), FSB_REGULAR_MODE);
}

// ---- repaints seen through PaintCount on a shown grid

class ShownGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = new TExtStringGrid(&window);
        grid->setGeometry(0, 0, 320, 200);
        grid->SetColCount(4);
        grid->SetRowCount(6);
        ASSERT_TRUE(input::Activate(&window));
    }

    // Runs what is queued (pending repaints included) and gives the count.
    std::int32_t Settled()
    {
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
        return grid->PaintCount();
    }

    bool Repaints(const std::function<void(TExtStringGrid&)>& change)
    {
        const std::int32_t before = Settled();
        change(*grid);
        return Settled() != before;
    }

    TForm window;
    TExtStringGrid* grid = nullptr;
};

struct SetterCase {
    const char* name;
    std::function<void(TExtStringGrid&)> change;
    bool repaints;
};

TEST_F(ShownGrid, SettersRepaintWhereTheChangeShows)
{
    TFont font;
    font.Name = "Courier";
    const std::vector<SetterCase> cases = {
        {"ActiveCellShow", [](TExtStringGrid& g) { g.SetActiveCellShow(true); }, true},
        {"ActiveCellFont", [&](TExtStringGrid& g) { g.SetActiveCellFont(font); }, true},
        {"ActiveCellColor", [](TExtStringGrid& g) { g.SetActiveCellColor(clRed); }, true},
        {"VAlignment", [](TExtStringGrid& g) { g.SetVAlignment(vtaCenter); }, true},
        {"Flat", [](TExtStringGrid& g) { g.SetFlat(true); }, true},
        {"Look", [](TExtStringGrid& g) { g.SetLook(glClassic); }, true},
        {"SelectionColor", [](TExtStringGrid& g) { g.SetSelectionColor(clRed); }, true},
        {"SelectionTextColor", [](TExtStringGrid& g) { g.SetSelectionTextColor(clRed); }, true},
        {"SelectionRectangle", [](TExtStringGrid& g) { g.SetSelectionRectangle(true); }, true},
        {"SelectionResizer", [](TExtStringGrid& g) { g.SetSelectionResizer(true); }, true},
        {"URLColor without URLShow", [](TExtStringGrid& g) { g.SetURLColor(clRed); }, false},
        {"URLFull without URLShow", [](TExtStringGrid& g) { g.SetURLFull(true); }, false},
        {"URLShow", [](TExtStringGrid& g) { g.SetURLShow(true); }, true},
        {"FixedFooters", [](TExtStringGrid& g) { g.SetFixedFooters(1); }, true},
        {"FixedRightCols", [](TExtStringGrid& g) { g.SetFixedRightCols(1); }, true},
        {"WordWrap", [](TExtStringGrid& g) { g.SetWordWrap(true); }, true},
        {"ShowSelection", [](TExtStringGrid& g) { g.SetShowSelection(false); }, true},
        {"FixedFont", [&](TExtStringGrid& g) { g.SetFixedFont(font); }, true},
        {"CellNode.NodeType", [](TExtStringGrid& g) { g.CellNode()->SetNodeType(cn3D); }, true},
        {"RowIndicator", [](TExtStringGrid& g) { g.SetRowIndicator(TBitmap()); }, true},
        {"plain field MaxEditLength", [](TExtStringGrid& g) { g.SetMaxEditLength(5); }, false},
        {"plain field Multilinecells", [](TExtStringGrid& g) { g.Multilinecells = true; }, false},
    };
    // One grid takes the changes in turn, so a row may rely on those above.
    for (const SetterCase& c : cases)
        EXPECT_EQ(Repaints(c.change), c.repaints) << c.name;
}

TEST_F(ShownGrid, TheFooterRepaintsWhereTheChangeReachesIt)
{
    grid->FloatingFooter()->SetVisible(true);
    EXPECT_TRUE(grid->FooterPanelShown());
    EXPECT_TRUE(grid->FooterRowShown);
    EXPECT_EQ(grid->FixedFooters(), 1);
    EXPECT_EQ(grid->FooterPanelRect().Height(), grid->FooterHeight() - 1);
    const std::vector<SetterCase> cases = {
        {"Look", [](TExtStringGrid& g) { g.SetLook(glQel); }, true},
        {"RowCount", [](TExtStringGrid& g) { g.SetRowCount(9); }, true},
        {"ColCount", [](TExtStringGrid& g) { g.SetColCount(6); }, true},
        {"DefaultRowHeight", [](TExtStringGrid& g) { g.SetDefaultRowHeight(25); }, true},
        {"footer colour", [](TExtStringGrid& g) { g.FloatingFooter()->SetColor(clRed); }, true},
        {"SelectionColor", [](TExtStringGrid& g) { g.SetSelectionColor(clRed); }, false},
    };
    for (const SetterCase& c : cases) {
        const int before = grid->FooterRepaintCount();
        c.change(*grid);
        EXPECT_EQ(grid->FooterRepaintCount() != before, c.repaints) << c.name;
    }
    EXPECT_EQ(grid->FooterHeight(), 25);
    EXPECT_EQ(grid->FooterPanelRect().Height(), 24);
    EXPECT_EQ(grid->FooterPanelRect().Bottom, grid->viewport()->height());

    grid->FloatingFooter()->SetVisible(false);
    EXPECT_FALSE(grid->FooterPanelShown());
    EXPECT_EQ(grid->FixedFooters(), 0);
    EXPECT_TRUE(grid->FooterPanelRect().IsEmpty());
}

TEST_F(ShownGrid, URLColourAndFullRepaintOnceURLsShow)
{
    grid->SetURLShow(true);
    EXPECT_TRUE(Repaints([](TExtStringGrid& g) { g.SetURLColor(clRed); }));
    EXPECT_TRUE(Repaints([](TExtStringGrid& g) { g.SetURLFull(true); }));
}

TEST_F(ShownGrid, SkipNextRepaintSwallowsOneInvalidate)
{
    EXPECT_FALSE(Repaints([](TExtStringGrid& g) {
        g.SkipNextRepaint();
        g.Invalidate();
    }));
    EXPECT_TRUE(Repaints([](TExtStringGrid& g) { g.Invalidate(); }));
}

TEST_F(ShownGrid, NothingIsPaintedWhileUpdatesAreSuspended)
{
    grid->BeginUpdate();
    grid->BeginUpdate();
    EXPECT_FALSE(Repaints([](TExtStringGrid& g) { g.SetLook(glQel); }));
    EXPECT_FALSE(Repaints([](TExtStringGrid& g) { g.EndUpdate(); }));
    EXPECT_TRUE(Repaints([](TExtStringGrid& g) { g.EndUpdate(); }));
    EXPECT_EQ(grid->UpdateCount(), 0);
    grid->EndUpdate();
    EXPECT_EQ(grid->UpdateCount(), 0);
}

TEST_F(ShownGrid, MaxEditLengthReachesAnOpenEditor)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetFocus();
    grid->FocusCell(1, 1);
    input::Key(Qt::Key_F2);
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    grid->SetMaxEditLength(3);
    EXPECT_EQ(grid->InplaceEditor()->MaxLength(), 3);
    input::Type("abcdef");
    EXPECT_EQ(grid->InplaceEditor()->Text(), "abc");
}

// ---- fixed rows and columns

TEST(ExtGrid, FixedRowAndColumnAlwaysKeepOneFixed)
{
    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    EXPECT_EQ(grid.FixedRows(), 0);
    EXPECT_FALSE(grid.IsFixed(1, 0));
    grid.FixedRowAlways = true;
    grid.FixedColAlways = true;
    // The stored counts stay 0; the reads give 1.
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.TBaseGrid::FixedRows(), 0);
    EXPECT_TRUE(grid.IsFixed(1, 0));
    EXPECT_TRUE(grid.IsFixed(0, 1));
    EXPECT_FALSE(grid.IsFixed(1, 1));

    // Growing beyond one row or column makes one fixed for real.
    grid.SetRowCount(4);
    grid.SetColCount(4);
    EXPECT_EQ(grid.TBaseGrid::FixedRows(), 1);
    EXPECT_EQ(grid.TBaseGrid::FixedCols(), 1);
}

TEST(ExtGrid, TheSelectionComesBackWithTheRows)
{
    TExtStringGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(5);
    grid.FixedRowAlways = true;
    const TGridRect selection{2, 3, 2, 3};
    grid.SetSelection(selection);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.FixedRows(), 1);
    grid.SetRowCount(5);
    EXPECT_EQ(grid.TBaseGrid::FixedRows(), 1);
    EXPECT_EQ(grid.Selection(), selection);
}

TEST(ExtGrid, FixedCellRuleAsksTheEventOnlyForNormalCells)
{
    TExtStringGrid grid;
    grid.SetColCount(5);
    grid.SetRowCount(6);
    std::vector<std::pair<int, int>> asked;
    grid.OnIsFixedCell = [&](QObject* sender, int ARow, int ACol, bool& IsFixed) {
        EXPECT_EQ(sender, &grid);
        asked.emplace_back(ACol, ARow);
        IsFixed = ACol == 2;
    };
    EXPECT_TRUE(grid.IsFixed(0, 3));
    EXPECT_TRUE(grid.IsFixed(3, 0));
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(grid.IsFixed(2, 3));
    EXPECT_FALSE(grid.IsFixed(3, 3));
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2, 3}, {3, 3}}));
    EXPECT_TRUE(grid.IsFixedCell(3, 3, true));

    // Footer rows and right fixed columns are fixed before any rule.
    asked.clear();
    grid.SetFixedFooters(2);
    grid.SetFixedRightCols(1);
    EXPECT_TRUE(grid.IsFixed(3, 4));
    EXPECT_TRUE(grid.IsFixed(3, 5));
    EXPECT_FALSE(grid.IsFixed(3, 3));
    EXPECT_TRUE(grid.IsFixed(4, 2));
    EXPECT_EQ(asked.size(), 1u);
}

TEST(ExtGrid, DispatchersPresetTheirAnswers)
{
    TExtStringGrid grid;
    QString value;
    grid.GetCheckTrue(1, 1, value);
    EXPECT_EQ(value, "Y");
    grid.GetCheckFalse(1, 1, value);
    EXPECT_EQ(value, "N");
    grid.OnGetCheckTrue = [](QObject*, int, int, QString& Value) { Value += "es"; };
    grid.GetCheckTrue(1, 1, value);
    EXPECT_EQ(value, "Yes");
    EXPECT_TRUE(grid.CanEditCell(1, 1));
    EXPECT_FALSE(grid.IsPasswordCell(1, 1));
    grid.OnCanEditCell = [](QObject*, int ARow, int, bool& CanEdit) { CanEdit = ARow != 2; };
    EXPECT_FALSE(grid.CanEditCell(1, 2));
}

TEST(ExtGrid, HeadersAreWrittenWhereThereAreFixedCells)
{
    TExtStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetColumnHeaders({"", "Tecla", "Função", "extra"});
    grid.SetRowHeaders({"", "1", "2", "3", "4"});
    EXPECT_EQ(grid.Cells(1, 0), "Tecla");
    EXPECT_EQ(grid.Cells(2, 0), "Função");
    EXPECT_EQ(grid.Cells(0, 2), "2");

    TExtStringGrid bare;
    bare.SetFixedRows(0);
    bare.SetFixedCols(0);
    bare.SetColumnHeaders({"a", "b"});
    bare.SetRowHeaders({"c", "d"});
    EXPECT_EQ(bare.Cells(0, 0), "");
    EXPECT_EQ(bare.Cells(1, 0), "");
}

// ---- geometry

TEST_F(ShownGrid, IntegralHeightSnapsToWholeRows)
{
    const int rowHeight = grid->DefaultRowHeight();
    const int scrollBar = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    grid->SetBounds(0, 0, 400, 100);
    EXPECT_EQ(grid->height(), 100) << "without IntegralHeight";

    grid->SetIntegralHeight(true);
    // Every column fits: up to the next whole row, less the horizontal bar.
    ASSERT_GE(grid->VisibleColCount() + grid->FixedCols(), grid->ColCount());
    grid->SetBounds(0, 0, 400, 100);
    EXPECT_EQ(grid->height(), 100 + rowHeight - 100 % rowHeight - scrollBar - 1);

    // Columns beyond the width: down to a whole row.
    grid->SetColCount(30);
    ASSERT_LT(grid->VisibleColCount() + grid->FixedCols(), grid->ColCount());
    grid->SetBounds(0, 0, 400, 100);
    EXPECT_EQ(grid->height(), 100 - 100 % rowHeight - 1);

    // Suspended painting suspends the snapping too.
    grid->BeginUpdate();
    grid->SetBounds(0, 0, 400, 100);
    EXPECT_EQ(grid->height(), 100);
    grid->EndUpdate();
}

TEST_F(ShownGrid, ColumnCountSetsTheBoundsAgain)
{
    grid->SetIntegralHeight(true);
    grid->setGeometry(0, 0, 400, 100);
    grid->SetColCount(30);
    EXPECT_EQ(grid->height(), 100 - 100 % grid->DefaultRowHeight() - 1);
}

TEST_F(ShownGrid, GridLinesCountOnlyWhereSizingIsAllowed)
{
    const TRect header = grid->CellRect(1, 0);
    const TRect fixed = grid->CellRect(0, 2);
    const TRect normal = grid->CellRect(2, 3);
    const int headerY = (header.Top + header.Bottom) / 2;
    const int fixedX = (fixed.Left + fixed.Right) / 2;
    EXPECT_FALSE(grid->IsOnGridLine(header.Right - 2, headerY)) << "no sizing options";

    grid->SetOptions(grid->Options() | goColSizing | goRowSizing);
    struct Case {
        const char* name;
        int x, y;
        bool on;
    };
    const std::vector<Case> cases = {
        {"header, 2 left of its right edge", header.Right - 2, headerY, true},
        {"header, 3 right of its left edge", header.Left + 3, headerY, true},
        {"header, 4 from its left edge", header.Left + 4, headerY, false},
        {"header middle", (header.Left + header.Right) / 2, headerY, false},
        {"row 1 (not beyond FixedRows), by an edge", grid->CellRect(1, 1).Right - 1,
         (grid->CellRect(1, 1).Top + grid->CellRect(1, 1).Bottom) / 2, true},
        {"fixed column, 3 below its top", fixedX, fixed.Top + 3, true},
        {"fixed column, 4 below its top", fixedX, fixed.Top + 4, false},
        {"normal cell by its edges", normal.Right - 1, normal.Top + 1, false},
        {"outside the cells", 319, 199, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(grid->IsOnGridLine(c.x, c.y), c.on) << c.name;
}

TEST_F(ShownGrid, CellAtScreenPointFindsTheCell)
{
    const TRect cell = grid->CellRect(2, 3);
    const QPoint screen = grid->viewport()->mapToGlobal(QPoint(cell.Left + 3, cell.Top + 3));
    int col = -1;
    int row = -1;
    grid->CellAtScreenPoint(screen, col, row);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 3);
}

TEST_F(ShownGrid, RepaintRectIgnoresNegativeCoordinates)
{
    EXPECT_FALSE(Repaints([](TExtStringGrid& g) { g.RepaintRect(Rect(-1, 1, 2, 2)); }));
    EXPECT_TRUE(Repaints([](TExtStringGrid& g) { g.RepaintRect(Rect(1, 1, 2, 2)); }));
    EXPECT_TRUE(Repaints([](TExtStringGrid& g) { g.RepaintCell(2, 2); }));
    EXPECT_FALSE(Repaints([](TExtStringGrid& g) { g.RepaintCell(-1, 2); }));
}

// ---- life cycle

TEST(ExtGridLife, WindowAndTimerComeWithTheFirstShow)
{
    auto window = std::make_unique<TForm>();
    auto* grid = new TExtStringGrid(window.get());
    EXPECT_FALSE(grid->WindowCreated());
    EXPECT_FALSE(grid->TimerRunning());
    ASSERT_TRUE(input::Activate(window.get()));
    EXPECT_TRUE(grid->WindowCreated());
    EXPECT_TRUE(grid->TimerRunning());

    // A grid shown without a parent makes no window of its own.
    TExtStringGrid alone;
    alone.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(alone.WindowCreated());
}

TEST(ExtGridLife, LoadedAppliesTheHeadersAndTheLinkCursor)
{
    TForm window;
    auto* grid = new TExtStringGrid(&window);
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SetColumnHeaders({"", "Tecla", "Função"});
    grid->SetCells(1, 0, "mudado");
    grid->Loaded();
    EXPECT_EQ(grid->Cells(1, 0), "Tecla");
    EXPECT_EQ(TExtStringGrid::LinkCursor, crHandPoint);
}

TEST(ExtGridLife, GridFollowsTheFormWithSizeWithForm)
{
    TForm window;
    window.resize(400, 300);
    auto* grid = new TExtStringGrid(&window);
    grid->setGeometry(10, 10, 200, 150);
    grid->SizeWithForm = true;
    ASSERT_TRUE(input::Activate(&window));
    window.resize(450, 320);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->width(), 250);
    EXPECT_EQ(grid->height(), 170);

    grid->SizeWithForm = false;
    window.resize(500, 320);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->width(), 250);
}

TEST(ExtGridLife, OnResizeFollowsEveryResize)
{
    TForm window;
    auto* grid = new TExtStringGrid(&window);
    int resizes = 0;
    grid->OnResize = [&] { ++resizes; };
    ASSERT_TRUE(input::Activate(&window));
    const int before = resizes;
    grid->setGeometry(0, 0, 123, 77);
    QCoreApplication::processEvents();
    EXPECT_GT(resizes, before);
}

// A linked object destroyed while the grid lives: the grid forgets it at
// once, and painting, editing and committing go on without it.
TEST(ExtGridLife, ADestroyedLinkedObjectIsForgottenAndTheGridGoesOn)
{
    struct Case {
        const char* name;
        std::function<TComponent*(TExtStringGrid&)> link;
        std::function<bool(TExtStringGrid&)> linked;
    };
    const Case cases[] = {
        {"cell checker",
         [](TExtStringGrid& g) {
             auto* checker = new TExtStringGridCheck;
             checker->AutoCorrect = checker->AutoMarkError = true;
             g.SetCellChecker(checker);
             return checker;
         },
         [](TExtStringGrid& g) { return g.CellChecker() != nullptr; }},
        {"picture container",
         [](TExtStringGrid& g) {
             auto* pictures = new TPictureContainer;
             QImage image(4, 4, QImage::Format_RGB32);
             image.fill(Qt::red);
             QByteArray png;
             QBuffer buffer(&png);
             buffer.open(QIODevice::WriteOnly);
             image.save(&buffer, "PNG");
             TPictureItem& item = pictures->Items().Add();
             item.Name = "PIC";
             item.Picture().LoadFromData(png);
             g.SetPictureContainer(pictures);
             g.SetCells(2, 2, "<IMG src=\"pic\"> foto");
             return pictures;
         },
         [](TExtStringGrid& g) { return g.PictureContainer() != nullptr; }},
        {"image list",
         [](TExtStringGrid& g) {
             auto* images = new TImageList(8, 8);
             QImage image(8, 8, QImage::Format_RGB32);
             image.fill(Qt::blue);
             images->Add(image);
             g.SetGridImages(images);
             TCellGraphic* graphic = g.CreateCellGraphic(2, 2);
             graphic->CellType = ctImageList;
             graphic->CellIndex = 0;
             g.SetCells(2, 3, "<IMG src=\"idx:0\"> lista");
             return images;
         },
         [](TExtStringGrid& g) { return g.GridImages() != nullptr; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        auto* grid = new TExtStringGrid(&window);
        grid->setGeometry(0, 0, 400, 200);
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetOptions(grid->Options() | goEditing);
        window.resize(420, 220);
        // A second grid linked to the same object goes first: the object
        // then has nobody to tell.
        auto other = std::make_unique<TExtStringGrid>();
        TComponent* object = c.link(*grid);
        c.link(*other);
        other.reset();
        ASSERT_TRUE(input::Activate(&window));
        grid->grab();
        delete object;
        EXPECT_FALSE(c.linked(*grid));
        grid->setFocus();
        grid->FocusCell(1, 1);
        input::Settle();
        input::Key(Qt::Key_F2);
        input::Type("novo");
        input::Key(Qt::Key_Return);
        input::Settle();
        EXPECT_EQ(grid->Cells(1, 1), "novo");
        grid->grab();
    }
}

TEST(ExtGridLife, ReplacedLinksEndWithTheOldObject)
{
    TExtStringGrid grid;
    auto first = std::make_unique<TExtStringGridCheck>();
    TExtStringGridCheck second;
    grid.SetCellChecker(first.get());
    grid.SetCellChecker(&second);
    first.reset();
    EXPECT_EQ(grid.CellChecker(), &second) << "the object no longer linked says nothing";
    grid.SetCellChecker(nullptr);
}

TEST(ExtGridLife, RemovedComponentsAreForgotten)
{
    TExtStringGrid grid;
    TImageList images;
    TPictureContainer pictures;
    TExtStringGridCheck checker;
    grid.SetGridImages(&images);
    grid.SetPictureContainer(&pictures);
    grid.SetCellChecker(&checker);
    grid.Notification(&checker);
    EXPECT_EQ(grid.CellChecker(), nullptr);
    EXPECT_EQ(grid.PictureContainer(), &pictures);
    EXPECT_EQ(grid.GridImages(), &images);
    grid.Notification(&images);
    EXPECT_EQ(grid.GridImages(), nullptr);
    grid.Notification(&pictures);
    EXPECT_EQ(grid.PictureContainer(), nullptr);
}

} // namespace
