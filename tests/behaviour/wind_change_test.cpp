// Re-aiming the front after a change of wind direction: seeds from where each ray has got to.
#include <gtest/gtest.h>

#include <algorithm>

#include "behaviour/adapter.h"
#include "behaviour/wind_change.h"
#include "display/picture.h"
#include "fire/engine_fixture.h"

namespace torvex::test {
namespace {

bool CellPainted(const Sim& sim, int cx, int cy, uint32_t colour) {
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx)
            if (sim.picture.Get(2 * cx + dx, 2 * cy + dy) != colour) return false;
    return true;
}

bool Shown(const FakeUi& ui, const std::string& text) {
    return std::find(ui.messages.begin(), ui.messages.end(), text) != ui.messages.end();
}

TEST(WindChange, OnlyADirectionChangeReaimsTheFront) {
    const struct {
        int16_t newDirection;
        bool reaimed;
    } cases[] = {{270, false}, {180, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.newDirection);
        EngineFixture t;
        StartFireBehaviourPercent(6, 7, 8, 60, 90);  // the library's moistures outlive any one test
        // A slow ray, a sixth of a cell from its target: not due in this step.
        t.AddActive(t.Ray(5.0f, 5.5f, 5, 5, 0.0f, 0.1f, 50.0f, 7));
        t.fire.AppendBurning() = BurningCell{2, 2, 1, 40.0f};
        t.sim.run.WindSpeed = 10;
        t.sim.run.WindDirection = c.newDirection;
        t.fire.WeatherChanged = kTrue;
        FireStep(t.sim);

        EXPECT_EQ(t.fire.EngineWindSpeed, 10);
        EXPECT_EQ(t.fire.EngineWindDirection, c.newDirection);
        EXPECT_FALSE(t.fire.WeatherChanged);
        EXPECT_GT(t.sim.spread.FuelHeadRate[1], 0.0f);  // templates rebuilt for the new wind either way
        EXPECT_EQ(Shown(t.ui, "Wind Change"), c.reaimed);
        bool stillBurning = false;
        for (int j = 1; j <= t.fire.BurningCount; ++j)
            stillBurning |= t.fire.BurningCells[j].CellX == 2 && t.fire.BurningCells[j].CellY == 2;
        EXPECT_EQ(stillBurning, !c.reaimed);
        EXPECT_EQ(t.fire.BurnedOutCount, c.reaimed ? 1 : 0);
        ASSERT_GE(t.fire.ActiveCount, 1);
        EXPECT_EQ(t.fire.ActiveFronts[1].ArrivalTime, 50.0f);
        EXPECT_EQ(t.fire.ActiveFronts[1].Life, c.reaimed ? 2 : 7);
        EXPECT_EQ(t.fire.ActiveCount > 1, c.reaimed);
    }
}

// The seeded ray heading east from wherever the front was found.
const FrontElement* EastSeed(const EngineFixture& t) {
    for (int i = 2; i <= t.fire.ActiveCount; ++i)
        if (t.fire.ActiveFronts[i].Angle == 0.0f && t.fire.ActiveFronts[i].Life == 1) return &t.fire.ActiveFronts[i];
    return nullptr;
}

TEST(WindChange, SeedsFromThePointTheFrontHasReached) {
    const struct {
        const char* what;
        float cellSize, x, y;
        int cx;  // the cell the ray enters
        float angle, rate, arrival, fireTime;
        float seedX, seedArrival;  // the east seed's target point and arrival
    } cases[] = {
        // Half a cell still to go (1 minute at 20 m/min in 40 m cells): seeds from (9.5, 5.5).
        {"half a cell back", 40.0f, 10.0f, 5.5f, 10, 0.0f, 20.0f, 3.0f, 2.0f, 10.0f, 2.0f + 0.5f * 40.0f / 30.0f},
        // Due now: seeds from its own target point, one whole cell short of the next line.
        {"arrival equals the fire time", 40.0f, 10.0f, 5.5f, 10, 0.0f, 20.0f, 2.0f, 2.0f, 11.0f,
         2.0f + 1.0f * 40.0f / 30.0f},
        // A ray heading west, a quarter cell to go: seeds a quarter cell east of its target, at 4.25.
        {"westward ray", 40.0f, 4.0f, 5.5f, 3, 180.0f, 20.0f, 2.5f, 2.0f, 5.0f, 2.0f + 0.75f * 40.0f / 30.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EngineFixture t(16, 12, c.cellSize);
        t.CalmTemplate(1, 30.0f);
        t.fire.FireTime = c.fireTime;
        t.AddActive(t.Ray(c.x, c.y, c.cx, int(c.y), c.angle, c.rate, c.arrival, 7, /*claim=*/false));
        ApplyWindChange(t.sim);
        const FrontElement* seed = EastSeed(t);
        ASSERT_NE(seed, nullptr);
        EXPECT_FLOAT_EQ(seed->X, c.seedX);
        EXPECT_FLOAT_EQ(seed->Y, c.y);
        EXPECT_FLOAT_EQ(seed->ArrivalTime, c.seedArrival);
    }
}

TEST(WindChange, OldElementsComeFirstEachFollowedByItsSeeds) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    t.fire.FireTime = 2.0f;
    t.AddActive(t.Ray(3.0f, 3.5f, 3, 3, 0.0f, 20.0f, 2.5f, 7));
    t.AddActive(t.Ray(8.0f, 8.5f, 8, 8, 0.0f, 20.0f, 2.5f, 5));
    ApplyWindChange(t.sim);
    EXPECT_EQ(t.fire.NextCount, 0);
    ASSERT_GT(t.fire.ActiveCount, 2);
    std::vector<int> lives;
    for (int i = 1; i <= t.fire.ActiveCount; ++i) lives.push_back(t.fire.ActiveFronts[i].Life);
    EXPECT_EQ(lives.front(), 2);
    const auto second = std::find(lives.begin() + 1, lives.end(), 2);
    ASSERT_NE(second, lives.end());
    EXPECT_EQ(std::count(lives.begin(), lives.end(), 2), 2);
    EXPECT_EQ(std::count(lives.begin(), lives.end(), 1), int(lives.size()) - 2);
    EXPECT_GT(second - lives.begin(), 1);  // seeds of the first element sit between the two
    const int firstOfSecond = int(second - lives.begin()) + 2;  // list index of the second's first seed
    ASSERT_LE(firstOfSecond, t.fire.ActiveCount);
    EXPECT_GE(t.fire.ActiveFronts[firstOfSecond].CellX, 6);
    EXPECT_LE(t.fire.ActiveFronts[2].CellX, 3);
}

TEST(WindChange, EveryBurningCellBurnsOutAtOnce) {
    EngineFixture t;
    t.sim.picture.Fill(kWhite);
    t.AddActive(t.Ray(9.0f, 9.5f, 9, 9, 0.0f, 20.0f, 50.0f));
    t.fire.AppendBurning() = BurningCell{1, 1, 1, 40.0f};
    t.fire.AppendBurning() = BurningCell{2, 1, -1, 40.0f};
    t.fire.AppendBurning() = BurningCell{3, 1, 1, 40.0f};
    t.fire.BurnedOutCount = 5;
    ApplyWindChange(t.sim);
    EXPECT_EQ(t.fire.BurningCount, 0);
    EXPECT_EQ(t.fire.BurnedOutCount, 8);
    for (int x = 1; x <= 3; ++x) EXPECT_TRUE(CellPainted(t.sim, x, 1, kBlack)) << x;
    // Busy while it worked, and the message line cleared afterwards.
    EXPECT_TRUE(Shown(t.ui, "Wind Change"));
    EXPECT_EQ(t.ui.messages.back(), "");
}

TEST(WindChange, NoFrontNoChange) {
    EngineFixture t;
    t.fire.AppendBurning() = BurningCell{1, 1, 1, 40.0f};
    ApplyWindChange(t.sim);
    EXPECT_EQ(t.fire.BurningCount, 1);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(WindChange, LargeFrontGrowsTheListsWithoutLosingElements) {
    EngineFixture t(128, 128);
    t.CalmTemplate(1, 20.0f);
    t.fire.FireTime = 2.0f;
    const float angles[4] = {0.0f, 90.0f, 180.0f, 270.0f};
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            for (float a : angles) t.AddActive(t.Ray(x + 0.5f, y + 0.5f, x, y, a, 20.0f, 2.5f, 7, false));
    const int32_t placed = t.fire.ActiveCount;
    ApplyWindChange(t.sim);
    EXPECT_EQ((t.fire.FrontCapacity - 50000) % 10000, 0);
    EXPECT_GT(t.fire.FrontCapacity, t.fire.ActiveCount);
    int32_t old = 0, seeds = 0;
    for (int i = 1; i <= t.fire.ActiveCount; ++i) {
        const FrontElement& e = t.fire.ActiveFronts[i];
        if (e.Life == 2) {
            // The copies keep the original order: four per cell, row by row.
            const int k = old++;
            EXPECT_EQ(e.Angle, angles[k % 4]);
            EXPECT_EQ(e.CellX, (k / 4) % 128);
            EXPECT_EQ(e.CellY, (k / 4) / 128);
        } else {
            ++seeds;
            EXPECT_EQ(e.Life, 1);
        }
    }
    EXPECT_EQ(old, placed);
    EXPECT_GT(seeds, 0);
    EXPECT_EQ(old + seeds, t.fire.ActiveCount);
}

}  // namespace
}  // namespace torvex::test
