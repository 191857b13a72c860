// Air drops: the tanker line cut at its longest drop, the helicopter disc, and fuel taken out of cells.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "resources/deploy.h"
#include "resources/drops.h"
#include "resources_fixture.h"

namespace torvex::test {
namespace {

using Cells = std::set<std::pair<int, int>>;

class DropsTest : public ResourcesTest {
protected:
    Cells ClearedCells() const {
        Cells out;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                if (sim->fire.Cell(x, y).FuelLeft == 0) out.insert({x, y});
        return out;
    }
    int Deploy(DeployKind kind, const std::string& word, int16_t dropLength = 0) {
        int i = Add("Air 1", word);
        R(i).DropLength = dropLength;
        R(i).DropCost = 500;
        AnswerListWith("Air 1");
        DeployButtonClicked(s(), kind, true);
        return i;
    }
};

TEST_F(DropsTest, TankerLineIsCutAtItsLongestDrop) {
    s().run.SimTime = 40.5f;
    int i = Deploy(DeployKind::Tanker, "Tanker", 120);  // 2 x 120 / 30 = 8 pixels
    ASSERT_EQ(s().deploy.DeployMode, "AT");
    EXPECT_FLOAT_EQ(s().deploy.MaxDropPixels, 8.0f);
    EXPECT_FALSE(ui[Control::chkBurn].enabled);

    const uint32_t under = s().picture.Get(109, 100);
    MapMouseDown(s(), 100, 100);
    MapMouseMove(s(), 110, 100);
    EXPECT_EQ(s().deploy.PreviewCount, 9);  // 100 .. 108, the rest beyond reach
    EXPECT_EQ(s().picture.Get(108, 100), kWhite);
    EXPECT_EQ(s().picture.Get(109, 100), under);
    MapMouseUp(s(), 120, 100);
    const DeployState& d = s().deploy;
    ASSERT_EQ(d.DrawCount, 10);
    EXPECT_EQ(d.DrawPoints[0].x, 100);
    EXPECT_EQ(d.DrawPoints[1].x, 100);
    EXPECT_EQ(d.DrawPoints[9].x, 108);
    EXPECT_TRUE(ClearedCells().empty());  // nothing happens before Accept

    AcceptClicked(s());
    for (int y = 98; y <= 102; ++y)
        for (int x = 98; x <= 110; ++x) {
            bool inside = x >= 99 && x <= 109 && y >= 99 && y <= 101;
            EXPECT_EQ(s().picture.Get(x, y) == kYellow, inside) << x << "," << y;
        }
    Cells expected;
    for (int y = 49; y <= 50; ++y)
        for (int x = 49; x <= 54; ++x) expected.insert({x, y});
    EXPECT_EQ(ClearedCells(), expected);
    EXPECT_EQ(R(i).Activity, "Reload");
    EXPECT_EQ(R(i).BusyUntil, 52);  // 12 + 40.5 = 52.5, to the even 52
    EXPECT_FLOAT_EQ(R(i).Cost, 500.0f);
    EXPECT_FALSE(ui[Control::btnAT].pressed);
    EXPECT_EQ(s().deploy.DeployMode, "");
    EXPECT_FALSE(ui[Control::fraRes].visible);
}

TEST_F(DropsTest, SecondPressRestoresTheFirstLine) {
    Deploy(DeployKind::Tanker, "Tanker", 300);
    s().picture.Set(52, 50, Rgb(9, 9, 9));
    const uint32_t under = s().picture.Get(50, 50);
    MapMouseDown(s(), 50, 50);
    MapMouseUp(s(), 55, 50);
    EXPECT_EQ(s().picture.Get(52, 50), kWhite);
    MapMouseDown(s(), 50, 80);
    EXPECT_EQ(s().picture.Get(52, 50), Rgb(9, 9, 9));
    EXPECT_EQ(s().picture.Get(50, 50), under);
    EXPECT_EQ(s().deploy.DrawCount, 1);
    EXPECT_EQ(s().picture.Get(50, 80), kWhite);
}

TEST_F(DropsTest, HelicopterDiscInTheCornerClearsItsElevenCells) {
    int i = Deploy(DeployKind::Helicopter, "Helicopter");
    ASSERT_EQ(s().deploy.DeployMode, "Hel");
    EXPECT_EQ(ui.pointer, Pointer::Crosshair);
    int before = LogCount();
    MapMouseDown(s(), 2, 2);
    EXPECT_EQ(LogCount() - before, 37);
    AcceptClicked(s());
    Cells expected = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 0}, {2, 1}, {2, 2}, {3, 1}};
    EXPECT_EQ(ClearedCells(), expected);
    EXPECT_EQ(R(i).Activity, "Reload");
    EXPECT_EQ(ui.pointer, Pointer::Arrow);
}

TEST_F(DropsTest, MovingTheDiscRestoresTheOldOne) {
    Deploy(DeployKind::Helicopter, "Helicopter");
    s().picture.Set(100, 104, Rgb(7, 7, 7));
    const uint32_t under = s().picture.Get(200, 104);
    int before = LogCount();
    MapMouseDown(s(), 100, 100);
    EXPECT_EQ(s().picture.Get(100, 104), kWhite);
    EXPECT_NE(s().picture.Get(103, 103), kWhite);  // 4.24 from the centre: outside the disc
    MapMouseDown(s(), 200, 100);
    EXPECT_EQ(LogCount() - before, 49 * 3);  // painted, restored, painted again
    EXPECT_EQ(s().picture.Get(100, 104), Rgb(7, 7, 7));
    EXPECT_EQ(s().picture.Get(200, 104), kWhite);
    CancelClicked(s());
    EXPECT_EQ(s().picture.Get(200, 104), under);
    EXPECT_TRUE(ClearedCells().empty());
}

TEST_F(DropsTest, HelicopterAcceptedWithoutADropCostsNothing) {
    int i = Deploy(DeployKind::Helicopter, "Helicopter");
    AcceptClicked(s());
    EXPECT_EQ(R(i).Activity, "Available");
    EXPECT_EQ(R(i).BusyUntil, 0);
    EXPECT_FLOAT_EQ(R(i).Cost, 0.0f);
    EXPECT_FALSE(ui[Control::btnHel].pressed);
    EXPECT_EQ(s().deploy.DeployMode, "");
}

TEST_F(DropsTest, ClearFuelAtPixelEdges) {
    struct Case {
        double px, py;
        Cells cleared;
    } cases[] = {
        {511, 511, {{255, 255}}},
        {512, 0, {}},
        {-1, 0, {{0, 0}}},
        {-2, 0, {}},
        {10.5, 3.5, {{5, 2}}},  // 10.5 -> 10 and 3.5 -> 4, halves to even
    };
    for (const Case& c : cases) {
        LoadInMemory(s().lesson.Conditions, {}, UniformMapBitmap(1, kCellSize));
        ClearFuelAtPixel(s(), c.px, c.py);
        EXPECT_EQ(ClearedCells(), c.cleared) << c.px << "," << c.py;
    }
}

}  // namespace
}  // namespace torvex::test
