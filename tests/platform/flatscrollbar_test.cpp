#include "platform/flatscrollbar.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

TEST(FlatScrollBars, PropertiesNeedTheBarsInitialised)
{
    QAbstractScrollArea area;
    EXPECT_FALSE(FlatSB_SetScrollProp(&area, WSB_PROP_VSTYLE, FSB_FLAT_MODE));
    EXPECT_TRUE(InitializeFlatSB(&area));
    EXPECT_TRUE(FlatSB_IsInitialized(&area));
    EXPECT_TRUE(FlatSB_SetScrollProp(&area, WSB_PROP_VSTYLE, FSB_FLAT_MODE));
    EXPECT_TRUE(FlatSB_SetScrollProp(&area, WSB_PROP_HSTYLE, FSB_ENCARTA_MODE));
    EXPECT_EQ(FlatSB_Style(&area, SB_VERT), FSB_FLAT_MODE);
    EXPECT_EQ(FlatSB_Style(&area, SB_HORZ), FSB_ENCARTA_MODE);
    EXPECT_FALSE(area.verticalScrollBar()->styleSheet().isEmpty());

    EXPECT_TRUE(FlatSB_SetScrollProp(&area, WSB_PROP_CXVSCROLL, 9));
    EXPECT_TRUE(FlatSB_SetScrollProp(&area, WSB_PROP_CYHSCROLL, 11));
    EXPECT_EQ(area.verticalScrollBar()->maximumWidth(), 9);
    EXPECT_EQ(area.horizontalScrollBar()->maximumHeight(), 11);

    EXPECT_TRUE(FlatSB_SetScrollProp(&area, WSB_PROP_VBKGCOLOR, clRed));
    EXPECT_TRUE(area.verticalScrollBar()->styleSheet().contains("#ff0000"));

    UninitializeFlatSB(&area);
    EXPECT_FALSE(FlatSB_IsInitialized(&area));
    EXPECT_EQ(FlatSB_Style(&area, SB_VERT), FSB_REGULAR_MODE);
    EXPECT_TRUE(area.verticalScrollBar()->styleSheet().isEmpty());
    EXPECT_GT(area.verticalScrollBar()->maximumWidth(), 9);
}

TEST(FlatScrollBars, ScrollInfoCountsThePageInTheRange)
{
    QAbstractScrollArea area;
    TScrollInfo info;
    info.fMask = SIF_ALL;
    info.nMin = 0;
    info.nMax = 127;
    info.nPage = 32;
    info.nPos = 200;
    EXPECT_EQ(FlatSB_SetScrollInfo(&area, SB_VERT, info, true), 96);
    QScrollBar* bar = area.verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 96);
    EXPECT_EQ(bar->pageStep(), 32);

    TScrollInfo pos;
    pos.fMask = SIF_POS;
    pos.nPos = 10;
    EXPECT_EQ(FlatSB_SetScrollInfo(&area, SB_VERT, pos, false), 10);
    EXPECT_EQ(bar->maximum(), 96);
}

TEST(FlatScrollBars, ShowingSetsThePolicy)
{
    QAbstractScrollArea area;
    FlatSB_ShowScrollBar(&area, SB_BOTH, false);
    EXPECT_EQ(area.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(area.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    FlatSB_ShowScrollBar(&area, SB_VERT, true);
    EXPECT_EQ(area.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(area.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

} // namespace
