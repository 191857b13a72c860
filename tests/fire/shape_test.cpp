// Whole runs on a uniform 256 x 256 grass map with the real templates: the burned shape, and repeatability.
#include <gtest/gtest.h>

#include <algorithm>

#include "behaviour/adapter.h"
#include "behaviour/ignition.h"
#include "fire/engine_fixture.h"
#include "fire/fire_step.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

InitialConditions Grass(int16_t windMph, int16_t windFrom) {
    InitialConditions ic;
    ic.StartWindSpeed = windMph;
    ic.StartWindDirection = windFrom;
    ic.Moisture1Hour = 6;
    ic.Moisture10Hour = 7;
    ic.Moisture100Hour = 8;
    ic.MoistureHerbaceous = 60;
    ic.MoistureWoody = 90;
    return ic;
}

struct Extents {
    int east = 0, west = 0, north = 0, south = 0;  // cells beyond the ignited one
};

// Lights (x, y) and steps until `minutes` of fire time have passed; returns how far the fire got.
Extents BurnFor(SimFixture& f, int x, int y, float minutes) {
    Sim& sim = *f.sim;
    IgniteCell(sim, int16_t(x), int16_t(y));
    const float start = sim.fire.FireTime;
    while (!sim.run.FireStopped && sim.fire.FireTime - start < minutes) FireStep(sim);
    Extents e;
    for (int cy = 0; cy < sim.fire.GridHeight; ++cy)
        for (int cx = 0; cx < sim.fire.GridWidth; ++cx) {
            if (!(sim.fire.Cell(cx, cy).ArrivalTime < 0.0f)) continue;
            e.east = std::max(e.east, cx - x);
            e.west = std::max(e.west, x - cx);
            e.north = std::max(e.north, y - cy);
            e.south = std::max(e.south, cy - y);
        }
    return e;
}

TEST(FireShape, CalmAirBurnsACircle) {
    SimFixture f;
    f.LoadInMemory(Grass(0, 270), {}, UniformMapBitmap(1, 30.0f));
    const float rate = f.sim->spread.FuelHeadRate[1];
    ASSERT_GT(rate, 0.0f);
    const float minutes = 600.0f;
    const Extents e = BurnFor(f, 128, 128, minutes);
    const int lo = std::min({e.east, e.west, e.north, e.south});
    const int hi = std::max({e.east, e.west, e.north, e.south});
    EXPECT_LE(hi, lo * 1.1) << e.east << " " << e.west << " " << e.north << " " << e.south;
    // And as far as the rate carries it in that time.
    EXPECT_NEAR(hi, rate * minutes / 30.0f, 0.1 * rate * minutes / 30.0f);
}

TEST(FireShape, WindFromTheWestDrivesTheHeadEast) {
    const struct {
        int16_t mph;
        float minutes;
    } cases[] = {{2, 600.0f}, {5, 250.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mph);
        SimFixture f;
        f.LoadInMemory(Grass(c.mph, 270), {}, UniformMapBitmap(1, 30.0f));
        const float head = f.sim->spread.FuelHeadRate[1], back = f.sim->spread.FuelBackRate[1];
        ASSERT_GT(back, 0.0f);
        const Extents e = BurnFor(f, 60, 128, c.minutes);
        ASSERT_GT(e.west, 0);
        const double ratio = double(e.east) / e.west;
        EXPECT_NEAR(ratio, head / back, 0.25 * head / back) << e.east << " / " << e.west;
        EXPECT_NEAR(e.east, head * c.minutes / 30.0f, 0.1 * head * c.minutes / 30.0f);
        // The flanks are alike.
        EXPECT_LE(std::abs(e.north - e.south), 1);
    }
}

TEST(FireShape, SameLessonTwiceGivesBitIdenticalGrids) {
    uint64_t sums[2];
    int32_t burned[2];
    for (int run = 0; run < 2; ++run) {
        SimFixture f;
        f.LoadInMemory(Grass(20, 270), {}, UniformMapBitmap(1, 30.0f));
        BurnFor(f, 0, 128, 30.0f);
        sums[run] = GridChecksum(f.sim->fire);
        burned[run] = f.sim->fire.BurnedOutCount;
    }
    EXPECT_EQ(sums[0], sums[1]);
    EXPECT_EQ(burned[0], burned[1]);
    EXPECT_GT(burned[0], 100);
}

}  // namespace
}  // namespace torvex::test
