// The main window's layout rule and the small-display test.
#include <gtest/gtest.h>

#include "display/layout.h"

namespace torvex {
namespace {

TEST(LayoutTest, WholeMapFitsOnlyFromTheDesignSize) {
    struct Case {
        int w, h;
        bool bars;
    };
    for (Case c : {Case{650, 531, false}, Case{658, 577, false}, Case{649, 531, true}, Case{650, 530, true},
                   Case{550, 450, true}}) {
        MainLayout l = LayoutMainWindow(c.w, c.h, {});
        EXPECT_EQ(l.barsVisible, c.bars) << c.w << "x" << c.h;
    }
}

TEST(LayoutTest, FittingMapFillsTheClientWithoutBars) {
    MainLayout l = LayoutMainWindow(650, 531, {});
    EXPECT_EQ(l.viewport, (Box{136, 0, 514, 514}));
    EXPECT_EQ(l.message, (Box{136, 515, 498, 17}));
    EXPECT_EQ(l.frame1Top, 531 - 155 - 6);
    EXPECT_EQ(l.hValue, 0);
    EXPECT_EQ(l.vValue, 0);
}

TEST(LayoutTest, ShortClientShowsBothBarsAroundASmallerViewport) {
    // Only the width is one short, yet both bars appear.
    MainLayout l = LayoutMainWindow(649, 531, {});
    EXPECT_EQ(l.viewport, (Box{136, 0, 496, 498}));
    EXPECT_EQ(l.hBar, (Box{136, 499, 497, 17}));
    EXPECT_EQ(l.vBar, (Box{633, 0, 17, 499}));
    EXPECT_EQ(l.hMax, 18);
    EXPECT_EQ(l.vMax, 16);
    EXPECT_EQ(l.message, (Box{136, 515, 497, 17}));
}

TEST(LayoutTest, FourHundredPixelViewportScrollsTo114) {
    MainLayout l = LayoutMainWindow(400 + 136 + 17, 450, {});
    ASSERT_EQ(l.viewport.width, 400);
    EXPECT_EQ(l.hMax, 114);
    // At the end of the bar the map's right edge lies 2 pixels inside the viewport.
    EXPECT_EQ(MapOffset(l.hMax) + kMapPixels, l.viewport.width - 2);
}

TEST(LayoutTest, BarsKeepTheirValuesWhileShownAndRestartWhenTheyAppear) {
    MainLayout first = LayoutMainWindow(600, 500, {});
    ScrollState shown{true, 40, 30};
    MainLayout shrunk = LayoutMainWindow(560, 460, shown);
    EXPECT_EQ(shrunk.hValue, 40);
    EXPECT_EQ(shrunk.vValue, 30);
    // A larger window lowers the maximum; the value cannot stay beyond it.
    MainLayout grown = LayoutMainWindow(640, 520, ScrollState{true, first.hMax, first.vMax});
    EXPECT_EQ(grown.hValue, grown.hMax);
    EXPECT_EQ(grown.vValue, grown.vMax);
    // Hidden bars that come back start at 0 whatever they held.
    MainLayout back = LayoutMainWindow(560, 460, ScrollState{false, 40, 30});
    EXPECT_EQ(back.hValue, 0);
    EXPECT_EQ(back.vValue, 0);
}

TEST(LayoutTest, DisplaySizeCheck) {
    EXPECT_FALSE(CheckDisplaySize(800, 600));
    EXPECT_FALSE(CheckDisplaySize(1920, 1080));
    EXPECT_TRUE(CheckDisplaySize(640, 480));
    EXPECT_TRUE(CheckDisplaySize(799, 600));
    EXPECT_TRUE(CheckDisplaySize(800, 599));
    EXPECT_TRUE(CheckDisplaySize(std::nullopt, std::nullopt));
}

}  // namespace
}  // namespace torvex
