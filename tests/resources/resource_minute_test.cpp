// The resources' minute: hourly cost, refuelling, building a line with burn-out, and overrun.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <utility>
#include <vector>

#include "resources/deploy.h"
#include "resources/lines.h"
#include "resources/resource_minute.h"
#include "resources_fixture.h"

namespace torvex::test {
namespace {

class MinuteTest : public ResourcesTest {
protected:
    // A crew on the 42-point line drawn in one drag east from (100, 100) to (140, 100).
    int CrewOnEastwardLine(float pixelsPerMinute, bool burnLeft = false, bool burnRight = false) {
        int i = Add("Crew 1", "Crew");
        AnswerListWith("Crew 1");
        DeployButtonClicked(s(), DeployKind::Crew, true);
        MapMouseDown(s(), 100, 100);
        MapMouseMove(s(), 120, 100);
        MapMouseUp(s(), 140, 100);
        ui[Control::optBurnLeft].checked = burnLeft;
        ui[Control::optBurnRight].checked = burnRight;
        AcceptClicked(s());
        R(i).PixelsPerMinute = pixelsPerMinute;
        return i;
    }
    // Line points painted by one update: the centre of each 3 x 3 block, as point indexes.
    std::vector<int> PaintedPoints(int fromRecord) const {
        std::vector<int> out;
        for (int k = fromRecord + 1; k + 8 <= sim->paint.count; k += 9) {
            const PaintRecord& centre = sim->paint.PaintLog[k + 4];
            EXPECT_EQ(centre.colour, kYellow);
            out.push_back(centre.x - 99);  // point j >= 1 lies at x = 99 + j
        }
        return out;
    }
    std::set<std::pair<int, int>> IgnitedCells() const {
        std::set<std::pair<int, int>> out;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                if (sim->fire.Cell(x, y).ArrivalTime < 0) out.insert({x, y});
        return out;
    }
};

TEST_F(MinuteTest, HourlyCostWhileActiveOnly) {
    struct Case {
        const char* status;
        const char* activity;
        float cost;
    } cases[] = {
        {"Active", "Available", 3.0f}, {"Active", "Reload", 3.0f},   {"Active", "Disabled", 3.0f},
        {"Callup", "", 0.0f},          {"Released", "Available", 0}, {"Fatality", "Disabled", 0},
    };
    for (const Case& c : cases) {
        int i = Add(c.status, "Equipment", c.status, c.activity);
        R(i).HourlyCost = 90;
        R(i).BusyUntil = 100;
    }
    UpdateResources(s());
    UpdateResources(s());
    for (size_t k = 0; k < std::size(cases); ++k)
        EXPECT_FLOAT_EQ(R(static_cast<int>(k) + 1).Cost, cases[k].cost) << cases[k].status << "/" << cases[k].activity;
}

TEST_F(MinuteTest, AircraftRefuelAfterEnduranceMinutes) {
    int heli = Add("Heli", "Helicopter");
    int tanker = Add("Tanker", "Tanker");
    int tireless = Add("Tireless", "Helicopter");
    int busy = Add("Busy", "Tanker", "Active", "Reload");
    R(heli).Endurance = R(tanker).Endurance = R(busy).Endurance = 30;
    R(busy).BusyUntil = 10;
    s().run.SimTime = 5.5f;
    for (int minute = 1; minute <= 29; ++minute) UpdateResources(s());
    EXPECT_EQ(R(heli).Activity, "Available");
    EXPECT_FLOAT_EQ(R(heli).MinuteCount, 29.0f);
    EXPECT_FLOAT_EQ(R(busy).MinuteCount, 0.0f);  // not counting while reloading
    UpdateResources(s());
    for (int i : {heli, tanker}) {
        EXPECT_EQ(R(i).Activity, "Refuel");
        EXPECT_EQ(R(i).BusyUntil, 26);  // 20 + 5.5 = 25.5, to the even 26
        EXPECT_FLOAT_EQ(R(i).MinuteCount, 0.0f);
    }
    for (int minute = 0; minute < 100; ++minute) UpdateResources(s());
    EXPECT_EQ(R(tireless).Activity, "Available");  // Endurance 0: never refuels
}

TEST_F(MinuteTest, EastwardLineIsBuiltOverFiveMinutes) {
    int i = CrewOnEastwardLine(8.0f);
    const std::vector<std::vector<int>> painted = {
        {1, 2, 3, 4, 5, 6, 7, 8},
        {9, 10, 11, 12, 13, 14, 15, 16, 17},
        {18, 19, 20, 21, 22, 23, 24, 25},
        {26, 27, 28, 29, 30, 31, 32, 33, 34},
        {35, 36, 37, 38, 39, 40, 41},
    };
    const int markerPoint[] = {7, 16, 24, 33, 41};
    for (int u = 0; u < 5; ++u) {
        EXPECT_EQ(R(i).Activity, "Deployed") << "before update " << u + 1;
        int from = LogCount();
        UpdateResources(s());
        std::vector<int> points = PaintedPoints(from);
        EXPECT_EQ(points, painted[u]) << "update " << u + 1;
        EXPECT_EQ(R(i).PosX, 99 + markerPoint[u]) << "update " << u + 1;
        EXPECT_EQ(R(i).PosY, 100);
        EXPECT_EQ(ui.markers[0].left, R(i).PosX - 8);
        EXPECT_EQ(ui.markers[0].top, 95);
    }
    EXPECT_EQ(R(i).Activity, "Available");
    EXPECT_EQ(s().picture.Get(139, 101), kYellow);
    for (int x = 99; x <= 141; ++x) EXPECT_EQ(s().picture.Get(x, 99), kYellow) << x;
    for (int cx = 49; cx <= 70; ++cx) EXPECT_EQ(s().fire.Cell(cx, 50).FuelLeft, 0) << cx;
    EXPECT_NE(s().fire.Cell(71, 50).FuelLeft, 0);

    int from = LogCount();
    UpdateResources(s());  // finished: nothing more is painted
    EXPECT_EQ(LogCount(), from);
}

TEST_F(MinuteTest, BurnOutLightsTheCellsTwoRowsBesideTheLine) {
    struct Case {
        bool left, right;
        int row;
    } cases[] = {{true, false, 48}, {false, true, 52}, {true, true, 48}};
    for (const Case& c : cases) {
        SetUp();
        CrewOnEastwardLine(8.0f, c.left, c.right);
        for (int u = 0; u < 5; ++u) UpdateResources(s());
        // Points 6 .. 23 are aimed at: each of cells 52 .. 61 is lit, or already has the
        // front of a lit neighbour on its way (then the ignition leaves it to that front).
        EXPECT_LT(s().fire.Cell(52, c.row).ArrivalTime, 0) << "row " << c.row;
        for (int x = 52; x <= 61; ++x) EXPECT_NE(s().fire.Cell(x, c.row).ArrivalTime, 0) << x << " row " << c.row;
        for (const auto& [x, y] : IgnitedCells()) {
            EXPECT_EQ(y, c.row);
            EXPECT_TRUE(x >= 52 && x <= 61) << x;
        }
    }
    SetUp();
    CrewOnEastwardLine(8.0f);
    for (int u = 0; u < 5; ++u) UpdateResources(s());
    EXPECT_TRUE(IgnitedCells().empty());
}

TEST_F(MinuteTest, BurnOutOffsetsFollowTheLineDirection) {
    struct Case {
        float dx, dy;
        int lx, ly;  // the "L" offset; "R" is its opposite
    } cases[] = {
        {-1, 0, 0, -2}, {-1, -1, 2, -2}, {0, -1, 2, 0}, {1, -1, 2, 2},
        {1, 0, 0, 2},   {1, 1, -2, 2},   {0, 1, -2, 0}, {-1, 1, -2, -2},
    };
    for (const Case& c : cases) {
        for (char side : {'L', 'R'}) {
            SetUp();
            BurnOutIgnite(s(), side, 201, 200, c.dx, c.dy);  // cell (100, 100)
            int sign = side == 'L' ? 1 : -1;
            std::set<std::pair<int, int>> expected = {{100 + sign * c.lx, 100 + sign * c.ly}};
            EXPECT_EQ(IgnitedCells(), expected) << side << " " << c.dx << "," << c.dy;
        }
    }
}

TEST_F(MinuteTest, OverrunOnlyByFireStillOnItsWay) {
    int a = Add("Crew A", "Crew");
    int b = Add("Crew B", "Crew");
    int safe = Add("Crew C", "Crew");
    const int16_t pos[][2] = {{100, 100}, {102, 100}, {300, 300}};
    for (int i : {a, b, safe}) {
        R(i).LineSlot = static_cast<int16_t>(i);
        R(i).PosX = pos[i - 1][0];
        R(i).PosY = pos[i - 1][1];
        s().roster.GrndRes[i - 1].visible = true;
    }
    s().run.SimTime = 50;
    MapCell& coming = s().fire.Cell(51, 51);  // next to both A (50, 50) and B (51, 50)
    coming.ArrivalTime = 52;
    coming.FlameLength = 2.0f;
    MapCell& passed = s().fire.Cell(149, 150);  // next to C (150, 150), reached already
    passed.ArrivalTime = -50;
    passed.FlameLength = 9.0f;

    UpdateResources(s());
    for (int i : {a, b}) {
        EXPECT_EQ(R(i).Status, "Fatality");
        EXPECT_EQ(R(i).Activity, "Disabled");
        EXPECT_EQ(ui.markers[i - 1].fill, kMarkerRed);
        EXPECT_EQ(ui.markers[i - 1].border, kMarkerRed);
    }
    EXPECT_EQ(ui.messages.back(), "Resource Crew B Overrun by Fire ");
    EXPECT_EQ(R(safe).Status, "Active");

    // A weaker flame on its way does not kill.
    coming.FlameLength = 1.1f;
    s().fire.Cell(150, 151) = coming;
    UpdateResources(s());
    EXPECT_EQ(R(safe).Status, "Active");
}

TEST_F(MinuteTest, StalledAndSingleClickLines) {
    int stalled = CrewOnEastwardLine(0.0f);
    int from = LogCount();
    for (int u = 0; u < 3; ++u) UpdateResources(s());
    EXPECT_EQ(LogCount(), from);
    EXPECT_EQ(R(stalled).Activity, "Deployed");
    EXPECT_EQ(R(stalled).PosX, 100);

    SetUp();
    int i = Add("Crew 1", "Crew");
    AnswerListWith("Crew 1");
    DeployButtonClicked(s(), DeployKind::Crew, true);
    MapMouseDown(s(), 60, 60);
    MapMouseUp(s(), 60, 60);
    AcceptClicked(s());
    from = LogCount();
    UpdateResources(s());
    EXPECT_EQ(LogCount(), from);
    EXPECT_EQ(R(i).Activity, "Available");
    EXPECT_EQ(R(i).PosX, 60);
}

}  // namespace
}  // namespace torvex::test
