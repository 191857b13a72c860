// Spread from a front element: cell exits, crossing lengths, the arrival race, entry ranges and new rays.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "fire/engine_fixture.h"
#include "fire/spread.h"

namespace torvex::test {
namespace {

struct ExitCase {
    float px, py, angle;
    double qx, qy, distance;
    int nx, ny;
};

TEST(CellExit, CrossingPointDistanceAndNextCell) {
    const double half = std::sqrt(0.5);
    const ExitCase cases[] = {
        // Straight up its column from the south edge of (5, 6): one cell, into (5, 5).
        {5.3f, 7.0f, 90.0f, 5.3f, 6.0, 1.0, 5, 5},
        // Straight down from the north edge of (5, 6), and from inside a cell: always a distance of 1.
        {5.3f, 6.0f, 270.0f, 5.3f, 7.0, 1.0, 5, 7},
        {5.5f, 6.5f, 270.0f, 5.5, 7.0, 1.0, 5, 7},
        // East from the west edge of (4, 2): out through x = 5 into (5, 2).
        {4.0f, 2.5f, 0.0f, 5.0, 2.5, 1.0, 5, 2},
        // East along the grid line y = 2 from the north-west corner stays in row 2.
        {4.0f, 2.0f, 0.0f, 5.0, 2.0, 1.0, 5, 2},
        // West from the east edge of (4, 2): out through x = 4 into (3, 2).
        {5.0f, 2.5f, 180.0f, 4.0, 2.5, 1.0, 3, 2},
        // The diagonals from an edge midpoint meet the nearer horizontal line half a diagonal on.
        {4.0f, 2.5f, 45.0f, 4.5, 2.0, half, 4, 1},
        {5.0f, 2.5f, 135.0f, 4.5, 2.0, half, 4, 1},
        {5.0f, 2.5f, 225.0f, 4.5, 3.0, half, 4, 3},
        {4.0f, 2.5f, 315.0f, 4.5, 3.0, half, 4, 3},
        // Moving west off column 0 gives column -1.
        {1.0f, 2.5f, 180.0f, 0.0, 2.5, 1.0, -1, 2},
        // Moving north off row 0 gives row -1.
        {3.5f, 1.0f, 90.0f, 3.5, 0.0, 1.0, 3, -1},
    };
    for (const ExitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "from (" << c.px << ", " << c.py << ") at " << c.angle);
        const CellCrossing x = CellExit(c.px, c.py, c.angle);
        EXPECT_NEAR(x.qx, c.qx, 1e-9);
        EXPECT_NEAR(x.qy, c.qy, 1e-9);
        EXPECT_NEAR(x.distance, c.distance, 1e-9);
        EXPECT_EQ(x.nx, c.nx);
        EXPECT_EQ(x.ny, c.ny);
    }
}

TEST(CellExit, WholeNumberTestsUseTheStoredPosition) {
    // 3.0 is a grid line: a westward ray from it crosses the whole of column 2.
    const CellCrossing onLine = CellExit(3.0f, 4.5f, 170.0f);
    EXPECT_DOUBLE_EQ(onLine.qx, 2.0);
    EXPECT_EQ(onLine.nx, 1);
    // 3.25 lies inside column 3: the same ray only reaches x = 3.
    const CellCrossing inside = CellExit(3.25f, 4.5f, 170.0f);
    EXPECT_DOUBLE_EQ(inside.qx, 3.0);
    EXPECT_EQ(inside.nx, 2);
}

TEST(CrossingLength, StraightEdgeToDiagonalLinearInBetween) {
    const float cell = 30.0f;
    const double diagonal = std::sqrt(2.0 * 30.0 * 30.0);
    const struct {
        float angle;
        double span;
    } cases[] = {
        {0.0f, 30.0},
        {45.0f, diagonal},                            // about 42.43
        {22.5f, 30.0 + 0.5 * (diagonal - 30.0)},
        {90.0f, 30.0},
        {135.0f, diagonal},
        {350.0f, 30.0 + (10.0 / 45.0) * (diagonal - 30.0)},
        {360.0f, 30.0},
        // Just below a multiple of 90 the angle off the axis comes out slightly negative and is used as it is.
        {89.5f, 30.0 - (0.5 / 45.0) * (diagonal - 30.0)},
        {269.75f, 30.0 - (0.25 / 45.0) * (diagonal - 30.0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        EXPECT_NEAR(CrossingLength(c.angle, cell, diagonal), c.span, 1e-9);
    }
    EXPECT_NEAR(diagonal, 42.43, 0.005);
}

TEST(ArrivalClaim, EarliestArrivalWinsAndLongerFlameBreaksATie) {
    const struct {
        const char* what;
        float arrival, flame;  // the cell before
        double t, f;           // the new ray
        float wantArrival, wantFlame;
    } cases[] = {
        {"untouched cell takes any ray", 0.0f, 0.0f, 5.5, 1.2, 5.5f, 1.2f},
        {"earlier ray takes the claim and brings its flame", 6.0f, 3.0f, 5.5, 1.2, 5.5f, 1.2f},
        {"later ray changes nothing", 5.0f, 3.0f, 5.5, 9.0, 5.0f, 3.0f},
        {"same time, longer flame: only the flame changes", 5.5f, 1.0f, 5.5, 2.0, 5.5f, 2.0f},
        {"same time, shorter flame changes nothing", 5.5f, 3.0f, 5.5, 2.0, 5.5f, 3.0f},
        {"an ignited cell is never claimed again", -2.0f, 1.0f, 0.5, 9.0, -2.0f, 1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MapCell cell{1, 100, c.arrival, c.flame};
        ArrivalClaim(cell, c.t, c.f);
        EXPECT_EQ(cell.ArrivalTime, c.wantArrival);
        EXPECT_EQ(cell.FlameLength, c.wantFlame);
    }
}

// The angles of the rays a claim-holding element sends from (x, y) on the boundary of cell (5, 5).
std::set<float> SentAngles(float x, float y) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    t.AddActive(t.Ray(x, y, 5, 5, 0.0f, 20.0f, 2.0f));
    SpreadFromFront(t.sim, 1);
    std::set<float> angles;
    for (int i = 1; i <= t.fire.NextCount; ++i) angles.insert(t.fire.NextFronts[i].Angle);
    return angles;
}

std::set<float> CalmAngles(std::initializer_list<float> angles) { return std::set<float>(angles); }

TEST(SpreadFromFront, EntryPositionDecidesWhichDirectionsAreSent) {
    const struct {
        const char* where;
        float x, y;
        std::set<float> angles;
    } cases[] = {
        {"west edge", 5.0f, 5.5f, CalmAngles({0, 22.5, 45, 67.5, 90, 270, 292.5, 315, 337.5})},
        {"north-west corner", 5.0f, 5.0f, CalmAngles({0, 270, 292.5, 315, 337.5})},
        {"south-west corner", 5.0f, 6.0f, CalmAngles({0, 22.5, 45, 67.5, 90})},
        {"east edge", 6.0f, 5.5f, CalmAngles({90, 112.5, 135, 157.5, 180, 202.5, 225, 247.5, 270})},
        {"north-east corner", 6.0f, 5.0f, CalmAngles({180, 202.5, 225, 247.5, 270})},
        {"south-east corner", 6.0f, 6.0f, CalmAngles({90, 112.5, 135, 157.5, 180})},
        {"north edge", 5.5f, 5.0f, CalmAngles({0, 180, 202.5, 225, 247.5, 270, 292.5, 315, 337.5})},
        {"south edge", 5.5f, 6.0f, CalmAngles({0, 22.5, 45, 67.5, 90, 112.5, 135, 157.5, 180})},
        {"inside the cell, as the south edge", 5.5f, 5.5f,
         CalmAngles({0, 22.5, 45, 67.5, 90, 112.5, 135, 157.5, 180})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        EXPECT_EQ(SentAngles(c.x, c.y), c.angles);
    }
}

TEST(SpreadFromFront, IgnitesTheCellAndSendsTimedRaysThatClaimTheirCells) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f, 2.0f);
    FrontElement parent = t.Ray(5.0f, 5.5f, 5, 5, 0.0f, 10.0f, 2.0f);
    parent.ExitTime = 3.5f;
    parent.FlameLength = 1.0f;
    t.AddActive(parent);
    SpreadFromFront(t.sim, 1);

    EXPECT_EQ(t.fire.Cell(5, 5).ArrivalTime, -2.0f);
    ASSERT_EQ(t.fire.BurningCount, 1);
    EXPECT_EQ(t.fire.BurningCells[1].CellX, 5);
    EXPECT_EQ(t.fire.BurningCells[1].CellY, 5);
    EXPECT_EQ(t.fire.BurningCells[1].State, -1);
    EXPECT_EQ(t.fire.BurningCells[1].BurnOutTime, 3.5f);
    EXPECT_EQ(t.fire.MaxRate, 20.0f);

    // The east ray: one cell at 20 m/min is 1.5 minutes, and as long again to cross the next cell.
    const FrontElement* east = nullptr;
    for (int i = 1; i <= t.fire.NextCount; ++i)
        if (t.fire.NextFronts[i].Angle == 0.0f) east = &t.fire.NextFronts[i];
    ASSERT_NE(east, nullptr);
    EXPECT_EQ(east->X, 6.0f);
    EXPECT_EQ(east->Y, 5.5f);
    EXPECT_EQ(east->CellX, 6);
    EXPECT_EQ(east->CellY, 5);
    EXPECT_FLOAT_EQ(east->ArrivalTime, 3.5f);
    EXPECT_FLOAT_EQ(east->ExitTime, 5.0f);
    EXPECT_EQ(east->Rate, 20.0f);
    EXPECT_EQ(east->Life, 7);
    // Flame mixed by rate: parent 1 m at 10 m/min, own 2 m at 20 m/min.
    EXPECT_FLOAT_EQ(east->FlameLength, (1.0f * 10 + 2.0f * 20) / 30);
    EXPECT_FLOAT_EQ(t.fire.Cell(6, 5).ArrivalTime, 3.5f);
    EXPECT_FLOAT_EQ(t.fire.Cell(6, 5).FlameLength, (1.0f * 10 + 2.0f * 20) / 30);
}

TEST(SpreadFromFront, PartlyClearedCellSpreadsAtItsShareOfTheRates) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    t.fire.Cell(5, 5).FuelLeft = 50;
    t.AddActive(t.Ray(5.0f, 5.5f, 5, 5, 0.0f, 20.0f, 2.0f));
    SpreadFromFront(t.sim, 1);
    ASSERT_GT(t.fire.NextCount, 0);
    for (int i = 1; i <= t.fire.NextCount; ++i) EXPECT_EQ(t.fire.NextFronts[i].Rate, 10.0f);
    EXPECT_FLOAT_EQ(t.fire.Cell(6, 5).ArrivalTime, 2.0f + 30.0f / 10.0f);
    // The template itself is untouched for the next cell of that fuel.
    EXPECT_EQ(t.sim.spread.DirectionTemplates[1][1].Rate, 20.0f);
}

TEST(SpreadFromFront, CellClearedAfterItsClaimBurnsButSendsNothing) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    t.AddActive(t.Ray(5.0f, 5.5f, 5, 5, 0.0f, 20.0f, 2.0f));
    t.fire.Cell(5, 5).FuelLeft = 0;
    SpreadFromFront(t.sim, 1);
    EXPECT_EQ(t.fire.BurningCount, 1);
    EXPECT_EQ(t.fire.NextCount, 0);
    EXPECT_EQ(t.fire.Cell(5, 5).ArrivalTime, 2.0f);  // keeps its positive claim
}

TEST(SpreadFromFront, NoRaysOffTheMapOrIntoCellsWithoutFuel) {
    EngineFixture t;
    t.CalmTemplate(1, 20.0f);
    t.fire.Cell(1, 6).FuelLeft = 0;
    // Entering column 0 from its east edge: 157.5, 180 and 202.5 would leave the map; 270 ends in (1, 6).
    t.AddActive(t.Ray(1.0f, 5.5f, 0, 5, 180.0f, 20.0f, 2.0f));
    SpreadFromFront(t.sim, 1);
    std::set<float> sent;
    for (int i = 1; i <= t.fire.NextCount; ++i) {
        const FrontElement& e = t.fire.NextFronts[i];
        EXPECT_TRUE(t.fire.InGrid(e.CellX, e.CellY));
        sent.insert(e.Angle);
    }
    EXPECT_EQ(sent, CalmAngles({90, 112.5, 135, 225, 247.5}));
}

}  // namespace
}  // namespace torvex::test
