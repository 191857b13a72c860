// The surface fire library (reference values, monotonic behaviour, ellipse) and the adapter over it.
#include <gtest/gtest.h>

#include <cmath>

#include "behaviour/adapter.h"
#include "behaviour/korrin32/fuel_models.h"
#include "behaviour/korrin32/received.h"
#include "behaviour/korrin32/korrin32.h"
#include "behaviour/korrin32/rothermel.h"
#include "behaviour/templates.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

using korrin32::ComputeSurfaceFire;
using korrin32::Moistures;
using korrin32::StandardModel;

constexpr float kFtPerMinPerMph = 88.0f;

Moistures Dead(double dead, double live = 1.0) { return {dead, dead, dead, live, live}; }

// Head rate (m/min) and flame length (m) through the C interface.
struct Head {
    float rate, flame, maxDir, lb;
};
Head Query(int16_t model, float windFtMin, float direction = 0) {
    Head h{};
    Korrin32_Cell(model, windFtMin, direction, 0, 0, &h.rate, &h.maxDir, &h.lb);
    h.flame = Korrin32_FlameLength();
    return h;
}

TEST(SurfaceFire, ShortGrassMatchesTheReferenceCalculation) {
    // Fuel model 1, dead moistures 8 %, midflame wind 5 mi/h.
    korrin32::SurfaceFire f = ComputeSurfaceFire(*StandardModel(1), Dead(0.08), 440);
    EXPECT_NEAR(f.reactionIntensity, 763, 763 * 0.01);
    EXPECT_NEAR(f.relativePacking, 0.253, 0.001);
    EXPECT_NEAR(f.propagatingFluxRatio, 0.0578, 0.0002);
    EXPECT_NEAR(f.windFactor, 21.4, 0.2);
    EXPECT_NEAR(f.rate, 89, 1);
    EXPECT_NEAR(f.heatPerArea, 84, 1);
    EXPECT_NEAR(f.firelineIntensity, 124, 2);
    EXPECT_NEAR(f.flameLength, 4.1, 0.05);
    EXPECT_DOUBLE_EQ(f.characteristicSav, 3500);  // one particle class: its own SAV
}

TEST(SurfaceFire, MoreWindMeansFasterAndLongerFlamesInEveryModel) {
    const float winds[] = {0, 88, 220, 440, 880, 1760};
    Korrin32_Create();
    Korrin32_Moisture(0.06f, 0.07f, 0.08f, 1.0f, 1.0f);
    for (int16_t m = 1; m <= 13; ++m) {
        Head prev = Query(m, winds[0]);
        EXPECT_GT(prev.rate, 0) << "model " << m << " spreads in calm air";
        for (size_t i = 1; i < std::size(winds); ++i) {
            Head h = Query(m, winds[i]);
            EXPECT_GT(h.rate, prev.rate) << "model " << m << " wind " << winds[i];
            EXPECT_GT(h.flame, prev.flame) << "model " << m << " wind " << winds[i];
            prev = h;
        }
    }
}

TEST(SurfaceFire, WetterDeadFuelSpreadsSlowerUntilExtinction) {
    for (int m = 1; m <= 13; ++m) {
        const korrin32::FuelModel& model = *StandardModel(m);
        double prev = ComputeSurfaceFire(model, Dead(0.02), 440).rate;
        for (double dead = 0.04; dead < model.deadExtinction - 0.005; dead += 0.02) {
            double r = ComputeSurfaceFire(model, Dead(dead), 440).rate;
            EXPECT_LT(r, prev) << "model " << m << " dead moisture " << dead;
            prev = r;
        }
        korrin32::SurfaceFire out = ComputeSurfaceFire(model, Dead(model.deadExtinction), 440);
        EXPECT_EQ(out.rate, 0) << "model " << m << " at its extinction moisture";
        EXPECT_EQ(out.flameLength, 0) << "model " << m;
    }
}

TEST(SurfaceFire, HeadRateIsCappedAtTheMidflameWindButNotBelowTheCalmRate) {
    // Very dry short grass in a 30 mi/h midflame wind would outrun the wind.
    const korrin32::FuelModel& grass = *StandardModel(1);
    korrin32::SurfaceFire windy = ComputeSurfaceFire(grass, Dead(0.03), 30 * kFtPerMinPerMph);
    EXPECT_GT(windy.noWindRate * (1 + windy.windFactor), 30 * kFtPerMinPerMph);
    EXPECT_DOUBLE_EQ(windy.rate, 30 * kFtPerMinPerMph);
    // In calm air the cap would be zero: the no-wind rate stands.
    korrin32::SurfaceFire calm = ComputeSurfaceFire(grass, Dead(0.03), 0);
    EXPECT_GT(calm.rate, 0);
    EXPECT_DOUBLE_EQ(calm.rate, calm.noWindRate);
}

TEST(SurfaceFire, LiveFuelRaisesTheLiveExtinctionMoistureWhenDeadFuelIsDry) {
    const korrin32::FuelModel& chaparral = *StandardModel(4);
    double dry = ComputeSurfaceFire(chaparral, Dead(0.04), 0).liveExtinction;
    double damp = ComputeSurfaceFire(chaparral, Dead(0.16), 0).liveExtinction;
    EXPECT_GT(dry, damp);
    EXPECT_GE(damp, chaparral.deadExtinction);
}

TEST(Library, EllipseGivesHeadAtMaxSpreadDirectionAndBackingOpposite) {
    Korrin32_Create();
    Korrin32_Moisture(0.08f, 0.08f, 0.08f, 1.0f, 1.0f);
    struct Case { float wind, from, maxDir, lb; };
    const Case cases[] = {
        {440, 0, 180, 2.25f},    // 5 mi/h midflame
        {440, 90, 270, 2.25f},
        {880, 270, 90, 3.5f},
        {176, 350, 170, 1.5f},
        {88 * 40, 200, 20, 8.0f},  // length-to-breadth stops at 8
        {0, 45, 225, 1.0f},
    };
    for (const Case& c : cases) {
        Head h = Query(2, c.wind, c.from);
        EXPECT_FLOAT_EQ(h.maxDir, c.maxDir) << "from " << c.from;
        EXPECT_FLOAT_EQ(h.lb, c.lb) << "wind " << c.wind;
        double e = std::sqrt(c.lb * c.lb - 1.0) / c.lb;
        EXPECT_FLOAT_EQ(Korrin32_BurnRate(c.maxDir), h.rate);
        EXPECT_NEAR(Korrin32_BurnRate(std::fmod(c.maxDir + 180, 360)), h.rate * (1 - e) / (1 + e), 1e-5 * h.rate);
        // The flanks are mirror images, and every direction lies between backing and head.
        float left = Korrin32_BurnRate(c.maxDir - 60), right = Korrin32_BurnRate(c.maxDir + 60);
        EXPECT_NEAR(left, right, 1e-5 * h.rate);
        EXPECT_LE(left, h.rate);
    }
}

TEST(Library, RatesAreMetresPerMinuteAndFlameInMetres) {
    Korrin32_Create();
    Korrin32_Moisture(0.08f, 0.08f, 0.08f, 1.0f, 1.0f);
    Head h = Query(1, 440);
    korrin32::SurfaceFire f = ComputeSurfaceFire(*StandardModel(1), Dead(0.08), 440);
    EXPECT_NEAR(h.rate, f.rate * 0.3048, 1e-4);
    EXPECT_NEAR(h.flame, f.flameLength * 0.3048, 1e-5);
}

TEST(Adapter, MoisturesReachTheLibraryAsFractions) {
    SimFixture fx;
    InitialConditions& c = fx.sim->lesson.Conditions;
    c.Moisture1Hour = 6;
    c.Moisture10Hour = 7;
    c.Moisture100Hour = 8;
    c.MoistureHerbaceous = 120;
    c.MoistureWoody = 90;
    StartFireBehaviour(*fx.sim);
    const auto& got = korrin32::LastReceived().moistures;
    EXPECT_EQ(got[0], 0.06f);
    EXPECT_EQ(got[1], 0.07f);
    EXPECT_EQ(got[2], 0.08f);
    EXPECT_EQ(got[3], 1.2f);
    EXPECT_EQ(got[4], 0.9f);
}

TEST(Adapter, LibraryWindIsHalfOf88TimesTheSpeed) {
    const std::pair<int16_t, float> cases[] = {{0, 0}, {1, 44}, {7, 308}, {10, 440}, {25, 1100}};
    for (auto [mph, ftMin] : cases) EXPECT_EQ(LibraryWind(mph), ftMin) << mph << " mi/h";
}

TEST(Adapter, BackingDirectionRoundsHalvesToEvenBeforeTheModulo) {
    const std::pair<float, float> cases[] = {
        {190.4f, 10}, {89.5f, 270}, {90.5f, 270}, {0, 180}, {180, 0}, {179.5f, 0}, {-200, -20}};
    for (auto [maxDir, back] : cases) EXPECT_EQ(BackingDirection(maxDir), back) << maxDir;
}

TEST(Adapter, CalmAirStillAsksTheLibraryForEveryModel) {
    SimFixture fx;
    Sim& sim = *fx.sim;
    sim.lesson.Conditions.Moisture1Hour = sim.lesson.Conditions.Moisture10Hour = 8;
    sim.lesson.Conditions.Moisture100Hour = 8;
    sim.lesson.Conditions.MoistureHerbaceous = sim.lesson.Conditions.MoistureWoody = 100;
    StartFireBehaviour(sim);
    sim.fire.EngineWindSpeed = 0;
    sim.fire.EngineWindDirection = 90;
    BuildSpreadTemplates(sim);
    const korrin32::Received& r = korrin32::LastReceived();
    EXPECT_EQ(r.cellCalls, 13);
    EXPECT_EQ(r.burnRateCalls, 13);
    EXPECT_EQ(r.wind, 0.0f);
    EXPECT_EQ(r.windDirection, 90.0f);
    EXPECT_EQ(r.fuelModel, 13);
    for (int f = 1; f <= 13; ++f) {
        EXPECT_GT(sim.spread.FuelHeadRate[f], 0) << f;
        EXPECT_FLOAT_EQ(sim.spread.FuelBackRate[f], sim.spread.FuelHeadRate[f]) << f;  // a circle
        EXPECT_EQ(sim.spread.FuelLengthToBreadth[f], 1.0f) << f;
    }
}

TEST(Adapter, ModelOutOfRangeGivesZerosWithoutCallingTheLibrary) {
    StartFireBehaviourPercent(8, 8, 8, 100, 100);
    for (int16_t model : {int16_t(0), int16_t(14), int16_t(-1)}) {
        float maxDir = 123.5f;
        FireBehaviour b = GetFireBehaviour(model, 10, 270, maxDir);
        EXPECT_EQ(b.HeadRate, 0);
        EXPECT_EQ(b.BackRate, 0);
        EXPECT_EQ(b.LengthToBreadth, 0);
        EXPECT_EQ(b.FlameLength, 0);
        EXPECT_EQ(maxDir, 123.5f);
    }
    EXPECT_EQ(korrin32::LastReceived().cellCalls, 0);
}

TEST(Adapter, BackRateIsTheLibraryRateInTheBackingDirection) {
    StartFireBehaviourPercent(8, 8, 8, 100, 100);
    float maxDir = 0;
    FireBehaviour b = GetFireBehaviour(1, 10, 270, maxDir);
    EXPECT_EQ(maxDir, 90.0f);
    EXPECT_EQ(korrin32::LastReceived().wind, 440.0f);
    EXPECT_EQ(korrin32::LastReceived().burnRateDirection, 270.0f);
    EXPECT_FLOAT_EQ(b.LengthToBreadth, 2.25f);
    double e = std::sqrt(2.25 * 2.25 - 1) / 2.25;
    EXPECT_NEAR(b.BackRate, b.HeadRate * (1 - e) / (1 + e), 1e-5);
    EXPECT_NEAR(b.HeadRate, 89 * 0.3048, 0.4);  // the reference short grass fire
    EXPECT_NEAR(b.FlameLength, 4.1 * 0.3048, 0.02);
}

}  // namespace
}  // namespace torvex::test
