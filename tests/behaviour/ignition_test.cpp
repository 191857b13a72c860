// Ignition of a whole cell and seeding from a point: the rays from the start point to the cell's edge.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "behaviour/ignition.h"
#include "fire/engine_fixture.h"

namespace torvex::test {
namespace {

const FrontElement* RayAt(const std::vector<FrontElement>& list, int32_t count, float angle) {
    for (int32_t i = 1; i <= count; ++i)
        if (list[i].Angle == angle) return &list[i];
    return nullptr;
}

TEST(IgniteCell, SendsOneRayPerDirectionFromTheCellCentre) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f, 2.0f);
    IgniteCell(t.sim, 5, 5);

    EXPECT_EQ(t.fire.Cell(5, 5).ArrivalTime, -1.0f);
    ASSERT_EQ(t.fire.BurningCount, 1);
    EXPECT_EQ(t.fire.BurningCells[1].CellX, 5);
    EXPECT_EQ(t.fire.BurningCells[1].CellY, 5);
    EXPECT_EQ(t.fire.BurningCells[1].BurnOutTime, 0.0f);
    EXPECT_EQ(t.fire.BurnedOutCount, 0);  // counted when it burns out, not now
    EXPECT_EQ(t.fire.ActiveCount, 16);
    EXPECT_EQ(t.fire.NextCount, 0);
    EXPECT_EQ(t.fire.MaxRate, 20.0f);

    const double diagonal = std::sqrt(2.0 * 30.0 * 30.0);
    const struct {
        float angle;
        float x, y;
        int cx, cy;
        double cells;    // from the centre to the edge
        double crossM;   // length of the next cell's crossing
        int16_t life;
    } cases[] = {
        {0.0f, 6.0f, 5.5f, 6, 5, 0.5, 30.0, 7},
        {90.0f, 5.5f, 5.0f, 5, 4, 0.5, 30.0, 7},
        {180.0f, 5.0f, 5.5f, 4, 5, 0.5, 30.0, 5},
        {270.0f, 5.5f, 6.0f, 5, 6, 0.5, 30.0, 7},
        {22.5f, 6.0f, float(5.5 - 0.5 * std::tan(22.5 * M_PI / 180)), 6, 5, 0.5 / std::cos(22.5 * M_PI / 180),
         30.0 + 0.5 * (diagonal - 30.0), 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        const FrontElement* e = RayAt(t.fire.ActiveFronts, t.fire.ActiveCount, c.angle);
        ASSERT_NE(e, nullptr);
        EXPECT_NEAR(e->X, c.x, 1e-6);
        EXPECT_NEAR(e->Y, c.y, 1e-6);
        EXPECT_EQ(e->CellX, c.cx);
        EXPECT_EQ(e->CellY, c.cy);
        const double arrival = 1.0 + c.cells * 30.0 / 20.0;
        EXPECT_NEAR(e->ArrivalTime, arrival, 1e-5);
        EXPECT_NEAR(e->ExitTime, arrival + c.crossM / 20.0, 1e-5);
        EXPECT_EQ(e->Life, c.life);
        EXPECT_EQ(e->FlameLength, 2.0f);
        EXPECT_EQ(t.fire.Cell(c.cx, c.cy).FlameLength, 0.0f);  // this claim leaves the flame alone
    }
    EXPECT_NEAR(0.5 / std::cos(22.5 * M_PI / 180), 0.5412, 1e-4);

    // Claims race on the exit time, in direction order: the east ray, first, holds (6, 5); the 67.5 ray
    // holds (5, 4) although the 90 ray gets there sooner, since the later ray's exit is not earlier.
    EXPECT_FLOAT_EQ(t.fire.Cell(6, 5).ArrivalTime, 1.75f);
    const FrontElement* steep = RayAt(t.fire.ActiveFronts, t.fire.ActiveCount, 67.5f);
    ASSERT_NE(steep, nullptr);
    EXPECT_EQ(steep->CellX, 5);
    EXPECT_EQ(steep->CellY, 4);
    EXPECT_EQ(t.fire.Cell(5, 4).ArrivalTime, steep->ArrivalTime);
    EXPECT_GT(t.fire.Cell(5, 4).ArrivalTime, 1.75f);
}

TEST(IgniteCell, RaysOffTheWestEdgeAreDropped) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    IgniteCell(t.sim, 0, 5);
    for (float west : {157.5f, 180.0f, 202.5f}) EXPECT_EQ(RayAt(t.fire.ActiveFronts, t.fire.ActiveCount, west), nullptr);
    for (float kept : {0.0f, 22.5f, 45.0f, 67.5f, 90.0f, 112.5f, 247.5f, 270.0f, 292.5f, 315.0f, 337.5f})
        EXPECT_NE(RayAt(t.fire.ActiveFronts, t.fire.ActiveCount, kept), nullptr) << kept;
    for (int i = 1; i <= t.fire.ActiveCount; ++i) EXPECT_GE(t.fire.ActiveFronts[i].CellX, 0);
}

TEST(IgniteCell, IgnoresCellsOffTheGridWithoutFuelOrAlreadyReached) {
    const struct {
        const char* what;
        int x, y;
        uint8_t fuelLeft;
        float arrival;
    } cases[] = {
        {"west of the grid", -1, 5, 100, 0.0f},
        {"south of the grid", 5, 12, 100, 0.0f},
        {"no fuel", 5, 5, 0, 0.0f},
        {"a front is due there", 5, 5, 100, 4.0f},
        {"already ignited", 5, 5, 100, -1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EngineFixture t;
        t.CalmTemplate(1, 20.0f);
        t.fire.Cell(5, 5).FuelLeft = c.fuelLeft;
        t.fire.Cell(5, 5).ArrivalTime = c.arrival;
        const uint64_t before = GridChecksum(t.fire);
        IgniteCell(t.sim, int16_t(c.x), int16_t(c.y));
        EXPECT_EQ(GridChecksum(t.fire), before);
        EXPECT_EQ(t.fire.ActiveCount, 0);
        EXPECT_EQ(t.fire.BurningCount, 0);
    }
}

TEST(IgniteCell, SecondIgnitionOfTheSameCellChangesNothing) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    IgniteCell(t.sim, 5, 5);
    const uint64_t grid = GridChecksum(t.fire);
    IgniteCell(t.sim, 5, 5);
    EXPECT_EQ(GridChecksum(t.fire), grid);
    EXPECT_EQ(t.fire.ActiveCount, 16);
    EXPECT_EQ(t.fire.BurningCount, 1);
}

TEST(IgniteCell, TargetClaimRacesOnTheExitTime) {
    // The east ray arrives at 1.75 and leaves the next cell at 3.25.
    const struct {
        float claimed;
        float want;
    } cases[] = {
        {1.2f, 1.2f},   // earlier claim kept
        {3.0f, 3.0f},   // arrival 1.75 is earlier, but the exit 3.25 is not
        {3.5f, 1.75f},  // exit earlier than the claim: taken
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.claimed);
        EngineFixture t;
        t.CalmTemplate(1, 20.0f);
        t.fire.Cell(6, 5).ArrivalTime = c.claimed;
        IgniteCell(t.sim, 5, 5);
        EXPECT_EQ(t.fire.Cell(6, 5).ArrivalTime, c.want);
        // The ray is sent either way; a loser travels on when it falls due.
        EXPECT_NE(RayAt(t.fire.ActiveFronts, t.fire.ActiveCount, 0.0f), nullptr);
    }
}

TEST(IgniteCell, PartlyClearedCellSendsSlowerRays) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f, 2.0f);
    t.fire.Cell(5, 5).FuelLeft = 50;
    IgniteCell(t.sim, 5, 5);
    const FrontElement* east = RayAt(t.fire.ActiveFronts, t.fire.ActiveCount, 0.0f);
    ASSERT_NE(east, nullptr);
    EXPECT_EQ(east->Rate, 10.0f);
    EXPECT_FLOAT_EQ(east->ArrivalTime, 1.0f + 0.5f * 30.0f / 10.0f);
    EXPECT_EQ(east->FlameLength, 1.0f);  // half the head rate, half the head flame
}

TEST(IgniteCell, ManyIgnitionsGrowTheFrontListsInStepsOfTenThousand) {
    EngineFixture t(128, 128);
    t.CalmTemplate(1, 20.0f);
    int32_t sent = 0;
    for (int y = 1; y < 127 && sent < 52000; y += 2)
        for (int x = 1; x < 127 && sent < 52000; x += 2) {
            IgniteCell(t.sim, int16_t(x), int16_t(y));
            sent += 16;
        }
    EXPECT_EQ(t.fire.ActiveCount, sent);
    EXPECT_EQ(t.fire.FrontCapacity, 60000);
    EXPECT_GE(t.fire.ActiveFronts.size(), 60001u);
    EXPECT_EQ(t.fire.NextFronts.size(), t.fire.ActiveFronts.size());
    // The last ray written is whole: the last ignited cell's west ray.
    const FrontElement& last = t.fire.ActiveFronts[sent];
    EXPECT_EQ(last.Angle, 337.5f);
    EXPECT_EQ(t.fire.Cell(last.CellX, last.CellY).FuelModel, 1);
}

TEST(SeedFromPoint, SendsOnlyRaysThatClaimTheirCellsAndMarksNothing) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    t.fire.Cell(5, 4).ArrivalTime = 1.1f;  // the north neighbour is claimed for earlier
    IgniteCell(t.sim, 9, 9);               // something burning and counted elsewhere
    const int32_t active = t.fire.ActiveCount, burning = t.fire.BurningCount;
    const float maxRate = t.fire.MaxRate;
    t.fire.MaxRate = 0;

    SeedFromPoint(t.sim, 5.25, 5.5);
    EXPECT_EQ(t.fire.Cell(5, 5).ArrivalTime, 0.0f);
    EXPECT_EQ(t.fire.ActiveCount, active);
    EXPECT_EQ(t.fire.BurningCount, burning);
    EXPECT_EQ(t.fire.BurnedOutCount, 0);
    EXPECT_EQ(t.fire.MaxRate, maxRate);
    ASSERT_GT(t.fire.NextCount, 0);
    EXPECT_LT(t.fire.NextCount, 16);
    for (int i = 1; i <= t.fire.NextCount; ++i) {
        const FrontElement& e = t.fire.NextFronts[i];
        EXPECT_EQ(e.Life, 1);
        EXPECT_FALSE(e.CellX == 5 && e.CellY == 4) << e.Angle;
        // Claimed by this ray, or since by a sibling that gets there sooner.
        EXPECT_LE(t.fire.Cell(e.CellX, e.CellY).ArrivalTime, e.ArrivalTime);
        EXPECT_GT(t.fire.Cell(e.CellX, e.CellY).ArrivalTime, 0.0f);
    }
    // From a quarter of the way across, the east ray has three quarters of a cell to go.
    const FrontElement* east = RayAt(t.fire.NextFronts, t.fire.NextCount, 0.0f);
    ASSERT_NE(east, nullptr);
    EXPECT_EQ(east->X, 6.0f);
    EXPECT_EQ(east->CellX, 6);
    EXPECT_FLOAT_EQ(east->ArrivalTime, 1.0f + 0.75f * 30.0f / 20.0f);
}

TEST(SeedFromPoint, PointsOffTheGridOrWithoutFuelSeedNothing) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    t.fire.Cell(3, 3).FuelLeft = 0;
    for (auto [x, y] : {std::pair{-0.5, 4.5}, {4.5, -0.25}, {12.0, 4.5}, {4.5, 12.5}, {3.5, 3.5}}) {
        SeedFromPoint(t.sim, x, y);
        EXPECT_EQ(t.fire.NextCount, 0) << x << ", " << y;
    }
}

}  // namespace
}  // namespace torvex::test
