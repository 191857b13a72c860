// The fire time step: its length, due and lost elements, the burning list and its colours, burned area.
#include <gtest/gtest.h>

#include "behaviour/ignition.h"
#include "display/picture.h"
#include "fire/engine_fixture.h"

namespace torvex::test {
namespace {

uint32_t CellColour(const Sim& sim, int cx, int cy) { return sim.picture.Get(2 * cx, 2 * cy); }

bool CellPainted(const Sim& sim, int cx, int cy, uint32_t colour) {
    return sim.picture.Get(2 * cx, 2 * cy) == colour && sim.picture.Get(2 * cx + 1, 2 * cy) == colour &&
           sim.picture.Get(2 * cx, 2 * cy + 1) == colour && sim.picture.Get(2 * cx + 1, 2 * cy + 1) == colour;
}

BurningCell Burning(int x, int y, float burnOut, int16_t state = -1) {
    return BurningCell{static_cast<int16_t>(x), static_cast<int16_t>(y), state, burnOut};
}

TEST(FireStep, NoFrontLeftOnlyStopsTheFire) {
    EngineFixture t;
    t.fire.AppendBurning() = Burning(2, 2, 0.0f);
    t.fire.MaxRate = 20.0f;
    FireStep(t.sim);
    EXPECT_TRUE(t.sim.run.FireStopped);
    EXPECT_EQ(t.fire.FireTime, 1.0f);
    EXPECT_EQ(t.fire.TimeStep, 0.0f);
    EXPECT_EQ(t.fire.BurningCount, 1);  // left as it is
    EXPECT_EQ(t.fire.BurnedOutCount, 0);
    EXPECT_EQ(t.sim.run.SimTime, 0.0f);
}

TEST(FireStep, StepLengthIsHalfACellForTheFastestRayAtMostOneMinute) {
    const struct {
        float maxRate, previousStep, wantStep;
    } cases[] = {
        {4.0f, 0.0f, 1.0f},     // 3.75 minutes, cut to 1
        {60.0f, 0.0f, 0.25f},
        {0.0f, 0.5f, 0.5f},     // nothing gathered: the last length again
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maxRate);
        EngineFixture t;
        t.fire.Cell(3, 3).FuelModel = 4;
        FrontElement waiting = t.Ray(3.0f, 3.5f, 3, 3, 0.0f, 7.0f, 100.0f);
        waiting.FlameLength = 2.5f;
        t.AddActive(waiting);
        t.fire.MaxRate = c.maxRate;
        t.fire.TimeStep = c.previousStep;
        FireStep(t.sim);
        EXPECT_EQ(t.fire.TimeStep, c.wantStep);
        EXPECT_EQ(t.fire.FireTime, 1.0f + c.wantStep);
        EXPECT_EQ(t.sim.run.SimTime, t.fire.FireTime);
        // The waiting element is carried over and gathered for the next step.
        ASSERT_EQ(t.fire.ActiveCount, 1);
        EXPECT_EQ(t.fire.ActiveFronts[1].ArrivalTime, 100.0f);
        EXPECT_EQ(t.fire.MaxRate, 7.0f);
        EXPECT_EQ(t.fire.ActiveFuelFlame, 2.5f);
        EXPECT_EQ(t.fire.ActiveFuel, 4);
    }
}

TEST(FireStep, ElementDueExactlyAtTheNewTimeIgnitesItsCell) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    t.AddActive(t.Ray(5.0f, 5.5f, 5, 5, 0.0f, 20.0f, 1.25f));
    t.fire.MaxRate = 60.0f;  // a step of 0.25 minutes lands on 1.25
    FireStep(t.sim);
    EXPECT_EQ(t.fire.Cell(5, 5).ArrivalTime, -1.25f);
    EXPECT_EQ(t.fire.BurningCount, 1);
    EXPECT_EQ(t.fire.ActiveCount, 9);  // the west-edge fan
}

TEST(FireStep, SecondOfTwoEqualArrivalsLosesAUnitOfLife) {
    const struct {
        int16_t life;
        int successors;  // of the losing ray
    } cases[] = {{1, 0}, {2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.life);
        EngineFixture t;
        t.CalmTemplate(1, 20.0f);
        t.AddActive(t.Ray(5.0f, 5.5f, 5, 5, 0.0f, 20.0f, 1.25f));
        t.AddActive(t.Ray(5.5f, 6.0f, 5, 5, 90.0f, 20.0f, 1.25f, c.life));
        t.fire.MaxRate = 60.0f;
        FireStep(t.sim);
        EXPECT_EQ(t.fire.BurningCount, 1);
        EXPECT_EQ(t.fire.Cell(5, 5).ArrivalTime, -1.25f);
        int lifeOne = 0;
        for (int i = 1; i <= t.fire.ActiveCount; ++i) lifeOne += t.fire.ActiveFronts[i].Life == c.life - 1;
        EXPECT_EQ(t.fire.ActiveCount, 9 + c.successors);
        EXPECT_EQ(lifeOne, c.successors);
    }
}

TEST(FireStep, ElementsSentDuringAStepWaitForTheNextEvenIfDue) {
    EngineFixture t;
    t.CalmTemplate(1, 6000.0f);
    t.AddActive(t.Ray(5.0f, 5.5f, 5, 5, 0.0f, 20.0f, 0.5f));
    t.fire.MaxRate = 60.0f;
    FireStep(t.sim);
    ASSERT_EQ(t.fire.ActiveCount, 9);
    for (int i = 1; i <= t.fire.ActiveCount; ++i) EXPECT_LT(t.fire.ActiveFronts[i].ArrivalTime, t.fire.FireTime);
    EXPECT_EQ(t.IgnitedCells(), 1);
    FireStep(t.sim);
    EXPECT_GT(t.IgnitedCells(), 1);
}

TEST(FireStep, BurningCellsTurnRedThenBlackAndKeepTheirOrder) {
    EngineFixture t;
    t.sim.picture.Fill(kWhite);
    t.AddActive(t.Ray(9.0f, 9.5f, 9, 9, 0.0f, 20.0f, 100.0f));
    t.fire.MaxRate = 60.0f;                           // steps of 0.25 minutes
    t.fire.AppendBurning() = Burning(2, 2, 1.5f);     // burns two steps
    t.fire.AppendBurning() = Burning(3, 3, 1.0f);     // already past: black at once, never red
    t.fire.AppendBurning() = Burning(4, 4, 9.0f);

    FireStep(t.sim);
    ASSERT_EQ(t.fire.BurningCount, 2);
    EXPECT_EQ(t.fire.BurningCells[1].CellX, 2);
    EXPECT_EQ(t.fire.BurningCells[2].CellX, 4);
    EXPECT_EQ(t.fire.BurningCells[1].State, 1);
    EXPECT_TRUE(CellPainted(t.sim, 2, 2, kBurningRed));
    EXPECT_TRUE(CellPainted(t.sim, 3, 3, kBlack));
    EXPECT_TRUE(CellPainted(t.sim, 4, 4, kBurningRed));
    EXPECT_EQ(t.fire.BurnedOutCount, 1);
    for (int k = 1; k <= t.sim.paint.count; ++k) {
        const PaintRecord& r = t.sim.paint.PaintLog[k];
        if (r.x / 2 == 3 && r.y / 2 == 3) {
            EXPECT_EQ(r.colour, kBlack);
        }
    }

    FireStep(t.sim);  // past 1.5: (2, 2) burns out
    ASSERT_EQ(t.fire.BurningCount, 1);
    EXPECT_EQ(t.fire.BurningCells[1].CellX, 4);
    EXPECT_TRUE(CellPainted(t.sim, 2, 2, kBlack));
    EXPECT_EQ(t.fire.BurnedOutCount, 2);
    // A cell shown red is not painted again while it burns.
    const int32_t records = t.sim.paint.count;
    FireStep(t.sim);
    EXPECT_EQ(t.sim.paint.count, records);
    EXPECT_EQ(CellColour(t.sim, 4, 4), kBurningRed);
}

TEST(FireStep, BurnedAreaCountsBurningCellsHalf) {
    EngineFixture t;
    t.AddActive(t.Ray(9.0f, 9.5f, 9, 9, 0.0f, 20.0f, 100.0f));
    for (int i = 0; i < 10; ++i) t.fire.AppendBurning() = Burning(i, 0, 50.0f);
    t.fire.BurnedOutCount = 90;
    FireStep(t.sim);
    EXPECT_FLOAT_EQ(t.fire.BurnedArea, 8.55f);  // 900 m² x 95 cells, in hectares
}

// Rays due in (1, 1), which others hold, each with its last unit of Life: every one is handled and dies.
void AddLosingRays(EngineFixture& t, int count) {
    t.fire.Cell(1, 1).ArrivalTime = 0.5f;
    for (int i = 0; i < count; ++i) t.AddActive(t.Ray(1.0f, 1.5f, 1, 1, 0.0f, 20.0f, 1.0f, 1, false));
}

TEST(FireStep, EndRequestedInAHandlerReturnsAtOnce) {
    EngineFixture t;
    AddLosingRays(t, 100);
    t.fire.AppendBurning() = Burning(2, 2, 0.0f);
    t.fire.MaxRate = 60.0f;
    t.sim.yield = YieldState{};
    t.ui.onProcessEvents = [&] { t.sim.run.EndRequested = kTrue; };
    FireStep(t.sim);
    EXPECT_EQ(t.ui.processEventsCalls, 1);
    EXPECT_EQ(t.fire.ActiveCount, 100);  // the lists are left as they were
    EXPECT_EQ(t.fire.BurningCount, 1);
    EXPECT_EQ(t.sim.run.SimTime, 0.0f);
    // The rays after the handler were not handled: they still have their Life.
    EXPECT_EQ(t.fire.ActiveFronts[100].Life, 1);
    EXPECT_EQ(t.fire.ActiveFronts[1].Life, 0);
}

TEST(FireStep, FuelClearedByAHandlerMidStepIsSeenByLaterElements) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    AddLosingRays(t, 100);
    t.AddActive(t.Ray(5.0f, 5.5f, 5, 5, 0.0f, 20.0f, 1.0f));
    t.fire.MaxRate = 60.0f;
    t.sim.yield = YieldState{};
    t.ui.onProcessEvents = [&] { t.fire.Cell(5, 5).FuelLeft = 0; };
    FireStep(t.sim);
    ASSERT_GE(t.ui.processEventsCalls, 1);
    EXPECT_EQ(t.fire.ActiveCount, 0);   // the late element sent nothing
    EXPECT_EQ(t.fire.BurningCount, 1);  // but its cell is shown burning
    EXPECT_GT(t.fire.Cell(5, 5).ArrivalTime, 0.0f);
}

TEST(FireStep, FireWhoseRatesAreAllZeroStops) {
    EngineFixture t;
    t.SetBehaviour(1, 0.0f, 0.0f, 1.0f, 0.0f);  // a template of zero rates
    IgniteCell(t.sim, 5, 5);
    EXPECT_EQ(t.fire.ActiveCount, 0);
    FireStep(t.sim);
    EXPECT_TRUE(t.sim.run.FireStopped);

    // Even a ray left waiting with rate 0 cannot move the clock: the fire stops instead of hanging.
    EngineFixture u;
    u.AddActive(u.Ray(5.0f, 5.5f, 5, 5, 0.0f, 0.0f, 3.0f));
    FireStep(u.sim);
    EXPECT_TRUE(u.sim.run.FireStopped);
    EXPECT_EQ(u.fire.FireTime, 1.0f);
}

TEST(FireStep, IgnitedCellCountsOnceWhenItBurnsOut) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    IgniteCell(t.sim, 5, 5);
    EXPECT_EQ(t.fire.BurnedOutCount, 0);
    FireStep(t.sim);
    EXPECT_EQ(t.fire.BurnedOutCount, 1);
    EXPECT_TRUE(CellPainted(t.sim, 5, 5, kBlack));
}

TEST(FireStep, WholeMapBurnIgnitesAndCountsEveryBurnableCellOnce) {
    const struct {
        const char* what;
        bool ellipse;
    } cases[] = {{"calm", false}, {"wind from 270", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EngineFixture t(24, 20);
        if (c.ellipse)
            t.EllipseTemplate(1, 40.0f);
        else
            t.CalmTemplate(1, 20.0f);
        // A small lake and a strip of rock that the fire must go round.
        for (int y = 8; y < 11; ++y)
            for (int x = 12; x < 15; ++x) t.fire.Cell(x, y) = MapCell{};
        for (int y = 2; y < 6; ++y) t.fire.Cell(4, y) = MapCell{};
        IgniteCell(t.sim, 2, 10);
        t.BurnOut();
        ASSERT_TRUE(t.sim.run.FireStopped);
        EXPECT_EQ(t.IgnitedCells(), t.BurnableCells());
        // A fire that stops leaves its last cells burning; every other ignited cell is counted once.
        EXPECT_EQ(t.fire.BurnedOutCount + t.fire.BurningCount, t.BurnableCells());
    }
}

}  // namespace
}  // namespace torvex::test
