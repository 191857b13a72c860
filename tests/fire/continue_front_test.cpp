// Rays that lost their cell: the rate they travel on at, how far their Life carries them, where they die.
#include <gtest/gtest.h>

#include <cmath>

#include "fire/continue_front.h"
#include "fire/engine_fixture.h"
#include "fire/spread.h"

namespace torvex::test {
namespace {

TEST(ContinueFront, MatchingTemplateAngleUsesThatRateScaledByFuelLeft) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    t.fire.Cell(5, 5).FuelLeft = 60;
    FrontElement e = t.Ray(5.0f, 5.5f, 5, 5, 0.0f, 9.0f, 2.0f, 4, /*claim=*/false);
    e.FlameLength = 1.75f;
    t.AddActive(e);
    ContinueFront(t.sim, 1);

    ASSERT_EQ(t.fire.NextCount, 1);
    const FrontElement& n = t.fire.NextFronts[1];
    EXPECT_EQ(n.Rate, 12.0f);
    EXPECT_EQ(n.CellX, 6);
    EXPECT_EQ(n.CellY, 5);
    EXPECT_FLOAT_EQ(n.ArrivalTime, 2.0f + 30.0f / 12.0f);
    EXPECT_FLOAT_EQ(n.ExitTime, 2.0f + 2 * 30.0f / 12.0f);
    EXPECT_EQ(n.Life, 4);             // kept: the caller already took its unit
    EXPECT_EQ(n.FlameLength, 1.75f);  // kept from the parent
    EXPECT_EQ(t.fire.MaxRate, 12.0f);
    // The crossed cell is not touched; the next one is claimed with the parent's flame.
    EXPECT_EQ(t.fire.Cell(5, 5).ArrivalTime, 0.0f);
    EXPECT_EQ(t.fire.BurningCount, 0);
    EXPECT_FLOAT_EQ(t.fire.Cell(6, 5).ArrivalTime, n.ArrivalTime);
    EXPECT_EQ(t.fire.Cell(6, 5).FlameLength, 1.75f);
}

TEST(ContinueFront, RayFromAnotherFuelGoesByTheEllipse) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    // 10 degrees is not a direction of the calm template: the circle gives the head rate all round.
    t.AddActive(t.Ray(5.0f, 5.5f, 5, 5, 10.0f, 9.0f, 2.0f, 4, false));
    ContinueFront(t.sim, 1);
    ASSERT_EQ(t.fire.NextCount, 1);
    EXPECT_NEAR(t.fire.NextFronts[1].Rate, 20.0f, 1e-4);
}

// DirectionalRate for the ellipse of length-to-breadth 2 and head : back 10 : 1, whose points the
// template build lists: angle from the head and rate relative to the head.
TEST(DirectionalRate, FollowsTheFireEllipse) {
    const struct {
        int16_t windFrom;
        float angle;
        double relativeRate, tolerance;
    } cases[] = {
        {270, 0.0f, 1.0, 0.0},       // head angle 0: rel 0 is the head rate itself
        {270, 180.0f, 0.1, 0.0},     // rel 180 is the back rate
        {300, 330.0f, 1.0, 0.0},     // wind from 300: 270 - 300 + 360 puts the head at 330
        {300, 150.0f, 0.1, 0.0},
        {270, 11.06f, 0.896, 0.005},
        {270, 348.94f, 0.896, 0.005},  // 10 degrees either side of the head rate alike
        {270, 31.43f, 0.527, 0.01},
        {270, 67.32f, 0.224, 0.01},
        {270, 140.21f, 0.107, 0.005},  // the rear half of the ellipse
        {180, 121.43f, 0.527, 0.01},   // wind from 180: head up the map at 90
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "wind " << c.windFrom << " angle " << c.angle);
        EngineFixture t;
        t.SetBehaviour(1, 30.0f, 3.0f, 2.0f, 1.0f);
        t.fire.EngineWindDirection = c.windFrom;
        FrontElement e = t.Ray(5.0f, 5.5f, 5, 5, c.angle, 1.0f, 2.0f, 3, false);
        const float r = DirectionalRate(t.sim, e);
        if (c.tolerance == 0.0)
            EXPECT_FLOAT_EQ(r, 30.0f * float(c.relativeRate));
        else
            EXPECT_NEAR(r / 30.0, c.relativeRate, c.tolerance);
        t.fire.Cell(5, 5).FuelLeft = 50;
        EXPECT_FLOAT_EQ(DirectionalRate(t.sim, e), r / 2);
    }
}

TEST(DirectionalRate, DegenerateEllipsesGiveZeroAndNeverHang) {
    EngineFixture t;
    FrontElement e = t.Ray(5.0f, 5.5f, 5, 5, 40.0f, 1.0f, 2.0f, 3, false);
    t.SetBehaviour(1, 0.0f, 0.0f, 2.0f, 1.0f);
    EXPECT_EQ(DirectionalRate(t.sim, e), 0.0f);
    t.SetBehaviour(1, 5.0f, 1.0f, 0.0f, 1.0f);
    EXPECT_EQ(DirectionalRate(t.sim, e), 0.0f);
    // Backing faster than heading: from 100 degrees on the chosen half cannot reach the direction;
    // the bounded search ends at its widest point instead of looping for ever.
    t.SetBehaviour(1, 1.0f, 10.0f, 2.0f, 1.0f);
    e.Angle = 100.0f;
    const float r = DirectionalRate(t.sim, e);
    EXPECT_TRUE(std::isfinite(r));
    EXPECT_GT(r, 0.0f);
}

TEST(ContinueFront, ZeroRateDiesInsteadOfDividingByZero) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    t.sim.spread.DirectionTemplates[1][1].Rate = 0.0f;  // the east ray of this fuel does not burn
    t.AddActive(t.Ray(5.0f, 5.5f, 5, 5, 0.0f, 9.0f, 2.0f, 4, false));
    ContinueFront(t.sim, 1);
    EXPECT_EQ(t.fire.NextCount, 0);
    EXPECT_EQ(t.fire.Cell(6, 5).ArrivalTime, 0.0f);
}

TEST(ContinueFront, DiesOffTheMapOrAtACellWithoutFuel) {
    const struct {
        const char* what;
        int cx;
        int clearedX, clearedY;
    } cases[] = {
        {"heading off the east edge", 11, -1, -1},
        {"next cell has no fuel", 5, 6, 5},
        {"own cell lost its fuel", 5, 5, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EngineFixture t;  // 12 columns
        t.CalmTemplate(1, 20.0f);
        if (c.clearedX >= 0) t.fire.Cell(c.clearedX, c.clearedY).FuelLeft = 0;
        t.AddActive(t.Ray(float(c.cx), 5.5f, c.cx, 5, 0.0f, 9.0f, 2.0f, 4, false));
        ContinueFront(t.sim, 1);
        EXPECT_EQ(t.fire.NextCount, 0);
    }
}

TEST(ContinueFront, LifeThreeCrossesTwoClaimedCellsAndDiesAtTheThird) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    // Row 5 from column 5 on was claimed long ago by other rays.
    for (int x = 5; x < 12; ++x) t.fire.Cell(x, 5).ArrivalTime = 0.5f;
    t.AddActive(t.Ray(5.0f, 5.5f, 5, 5, 0.0f, 20.0f, 1.0f, 3, false));
    t.fire.MaxRate = 20.0f;
    t.fire.TimeStep = 0.75f;

    std::vector<int> cellsEntered;
    for (int step = 0; step < 50 && !t.sim.run.FireStopped; ++step) {
        FireStep(t.sim);
        for (int i = 1; i <= t.fire.ActiveCount; ++i) cellsEntered.push_back(t.fire.ActiveFronts[i].CellX);
    }
    // Lost (5, 5) with Life 2 left, (6, 5) with 1 (due as the clock lands on its arrival), then (7, 5),
    // where it waited a step before losing its last unit.
    EXPECT_TRUE(t.sim.run.FireStopped);
    EXPECT_EQ(cellsEntered, (std::vector<int>{6, 7, 7}));
    for (int x = 5; x < 12; ++x) EXPECT_EQ(t.fire.Cell(x, 5).ArrivalTime, 0.5f);
    EXPECT_EQ(t.fire.BurningCount, 0);
}

}  // namespace
}  // namespace torvex::test
