#include "grid/extxpvs.h"

#include <QImage>
#include <QPainter>

#include <functional>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(VisualStyles, LibraryLoadsWithItsFourEntries)
{
    InitThemeLibrary();
    ASSERT_TRUE(ThemeLibraryLoaded);
    EXPECT_EQ(std::set<std::string>(kThemeEntryNames.begin(), kThemeEntryNames.end()).size(), 45u);
    std::set<std::string> bound;
    for (std::size_t i = 0; i < kThemeEntryNames.size(); ++i)
        if (ThemeEntryPoints[i])
            bound.insert(kThemeEntryNames[i]);
    EXPECT_EQ(bound, (std::set<std::string>{"OpenThemeData", "CloseThemeData", "DrawThemeBackground", "IsThemeActive"}));
    EXPECT_TRUE(ThemedDrawing());
    SetThemesActive(false);
    EXPECT_FALSE(ThemedDrawing());
    SetThemesActive(true);

    DoneThemeLibrary();
    EXPECT_FALSE(ThemeLibraryLoaded);
    EXPECT_EQ(OpenThemeData, nullptr);
    EXPECT_FALSE(ThemedDrawing());
    InitThemeLibrary();
    InitThemeLibrary(); // a second start changes nothing
    EXPECT_TRUE(ThemeLibraryLoaded);
    EXPECT_EQ(LoadThemeLibrary("OTHER.DLL"), 0);
}

QImage Drawn(const std::function<void(TCanvas&)>& draw)
{
    QImage image(24, 24, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(&painter);
    draw(canvas);
    return image;
}

QImage Themed(const char* cls, int part, int state)
{
    return Drawn([&](TCanvas& canvas) {
        HTHEME theme = OpenThemeData(nullptr, cls);
        ASSERT_NE(theme, nullptr);
        EXPECT_EQ(DrawThemeBackground(theme, canvas, part, state, {2, 2, 18, 18}, nullptr), S_OK);
        CloseThemeData(theme);
    });
}

// Every state a control is drawn in looks different from the others, so a
// state mixed up on the way to the style shows.
TEST(VisualStyles, StatesDrawDifferently)
{
    InitThemeLibrary();
    EXPECT_NE(Themed("button", BP_CHECKBOX, CBS_UNCHECKEDNORMAL), Themed("button", BP_CHECKBOX, CBS_CHECKEDNORMAL));
    EXPECT_NE(Themed("button", BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL),
              Themed("button", BP_RADIOBUTTON, RBS_CHECKEDNORMAL));
    EXPECT_NE(Themed("button", BP_PUSHBUTTON, PBS_NORMAL), Themed("button", BP_PUSHBUTTON, PBS_PRESSED));
    EXPECT_NE(Themed("spin", SPNP_UP, UPS_NORMAL), Themed("spin", SPNP_DOWN, UPS_NORMAL));
    EXPECT_NE(Themed("combobox", CP_DROPDOWNBUTTON, CBXS_NORMAL), Drawn([](TCanvas&) {}));

    auto classic = [](unsigned type, unsigned state) {
        return Drawn([&](TCanvas& canvas) { DrawFrameControl(canvas, {2, 2, 18, 18}, type, state); });
    };
    EXPECT_NE(classic(DFC_BUTTON, DFCS_BUTTONCHECK), classic(DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_NE(classic(DFC_BUTTON, DFCS_BUTTONRADIO), classic(DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED));
    EXPECT_NE(classic(DFC_BUTTON, DFCS_BUTTONPUSH), classic(DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED));
    EXPECT_NE(classic(DFC_SCROLL, DFCS_SCROLLUP), classic(DFC_SCROLL, DFCS_SCROLLDOWN));
}

TEST(VisualStyles, EdgeAdjustsTheRectangle)
{
    struct Row {
        unsigned edge, flags;
        TRect after;
    };
    const Row rows[] = {
        {EDGE_SUNKEN, BF_RECT | BF_ADJUST, {12, 12, 18, 18}},
        {BDR_SUNKENOUTER, BF_RECT | BF_ADJUST, {11, 11, 19, 19}},
        {EDGE_RAISED, BF_LEFT | BF_TOP | BF_ADJUST, {12, 12, 20, 20}},
        {EDGE_RAISED, BF_RECT, {10, 10, 20, 20}},
    };
    for (const Row& row : rows) {
        TRect r{10, 10, 20, 20};
        Drawn([&](TCanvas& canvas) { DrawEdge(canvas, r, row.edge, row.flags); });
        EXPECT_EQ(r, row.after) << row.edge << " " << row.flags;
    }
}

} // namespace
