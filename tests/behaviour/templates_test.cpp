// Spread-direction templates: the ellipse rays, calm circles, lives, rotation and the behaviour tables.
#include <gtest/gtest.h>

#include <cmath>

#include "behaviour/adapter.h"
#include "behaviour/korrin32/korrin32.h"
#include "behaviour/templates.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

class TemplatesTest : public ::testing::Test, public SimFixture {
protected:
    Sim& s() { return *sim; }
    void SetUp() override { s().run.DirectionCount = 16; }
    // The library is one per process: leave it as a fresh start would, not soaked at 40 %.
    void TearDown() override { Korrin32_Create(); }
    // Lesson moistures in percent, then a build for the given engine wind.
    void Build(int16_t speed, int16_t direction, int16_t dead = 8, int16_t live = 100) {
        InitialConditions& c = s().lesson.Conditions;
        c.Moisture1Hour = c.Moisture10Hour = c.Moisture100Hour = dead;
        c.MoistureHerbaceous = c.MoistureWoody = live;
        StartFireBehaviour(s());
        s().fire.EngineWindSpeed = speed;
        s().fire.EngineWindDirection = direction;
        BuildSpreadTemplates(s());
    }
    const DirectionSet& Template(int f) { return s().spread.DirectionTemplates[f]; }
};

TEST_F(TemplatesTest, EllipseRaysOfTheWorkedExample) {
    EllipseDirections(s(), 2, 10, 1);
    const DirectionSet& d = s().spread.CurrentDirections;
    const float angles[] = {0, 1.98f, 6.13f, 11.06f, 18.57f, 31.43f, 67.32f, 140.21f, 180};
    const float rates[] = {1, 0.996f, 0.965f, 0.896f, 0.756f, 0.527f, 0.224f, 0.107f, 0.1f};
    for (int i = 1; i <= 9; ++i) {
        EXPECT_NEAR(d[i].Angle, angles[i - 1], 0.01) << "ray " << i;
        EXPECT_NEAR(d[i].Rate, rates[i - 1], 0.001) << "ray " << i;
    }
    EXPECT_EQ(d[1].Angle, 0.0f);
    EXPECT_EQ(d[1].Rate, 1.0f);
    for (int i = 10; i <= 16; ++i) {
        EXPECT_FLOAT_EQ(d[i].Angle, 360 - d[18 - i].Angle) << "ray " << i;
        EXPECT_EQ(d[i].Rate, d[18 - i].Rate) << "ray " << i;
    }
    EXPECT_NEAR(d[10].Angle, 219.79, 0.01);
    EXPECT_NEAR(d[16].Angle, 358.02, 0.01);
}

TEST_F(TemplatesTest, SideRayPositionFollowsTheSplitOfFrontAndBackRays) {
    // The side ray (y = 1) sits after the front rays; how many there are depends on L, up to L = 3.
    struct Case { float L; int sideRay; };
    const Case cases[] = {{1.3f, 5}, {2, 6}, {3, 6}, {4, 6}, {7, 6}};
    for (const Case& c : cases) {
        EllipseDirections(s(), c.L, 10, 1);
        const DirectionSet& d = s().spread.CurrentDirections;
        float h = 2 * c.L * 10 / 11.0f;
        double side = std::atan(1 / static_cast<double>(h - c.L)) * 180 / 3.14159265358979;
        EXPECT_NEAR(d[c.sideRay].Angle, side, 1e-4) << "L " << c.L;
        EXPECT_EQ(d[9].Angle, 180.0f) << "L " << c.L;
        for (int i = 2; i <= 9; ++i) EXPECT_GT(d[i].Angle, d[i - 1].Angle) << "L " << c.L << " ray " << i;
    }
}

TEST_F(TemplatesTest, WindyBuildLivesAndHeadAndBackRates) {
    // 8 mi/h at 20 ft is 4 mi/h midflame: length-to-breadth 2, as in the worked example.
    Build(8, 270);
    for (int f = 1; f <= 13; ++f) {
        const DirectionSet& d = Template(f);
        EXPECT_FLOAT_EQ(s().spread.FuelLengthToBreadth[f], 2.0f);
        EXPECT_EQ(d[1].Angle, 0.0f) << f;  // wind from 270 leaves the head at map east
        EXPECT_FLOAT_EQ(d[1].Rate, s().spread.FuelHeadRate[f]) << f;
        EXPECT_NEAR(d[9].Rate, s().spread.FuelBackRate[f], 1e-5 * s().spread.FuelHeadRate[f]) << f;
        EXPECT_EQ(d[9].Angle, 180.0f) << f;
        const int16_t lives[] = {15, 15, 15, 15, 15, 15, 5, 5, 5, 5, 5, 15, 15, 15, 15, 15};
        for (int i = 1; i <= 16; ++i) EXPECT_EQ(d[i].Life, lives[i - 1]) << "model " << f << " ray " << i;
    }
}

TEST_F(TemplatesTest, CalmAirGivesEvenCirclesOfTheHeadRate) {
    Build(0, 270);
    for (int f = 1; f <= 13; ++f) {
        const DirectionSet& d = Template(f);
        for (int i = 1; i <= 16; ++i) {
            EXPECT_EQ(d[i].Angle, static_cast<float>((i - 1) * 22.5)) << f << " " << i;
            EXPECT_EQ(d[i].Rate, s().spread.FuelHeadRate[f]) << f << " " << i;
            EXPECT_EQ(d[i].Life, i == 9 ? 5 : 7) << f << " " << i;
        }
    }
}

TEST_F(TemplatesTest, RotationTurnsTheHeadAwayFromTheWind) {
    // Calm circles show the rotation plainly: ray 1 is the unrotated 0, ray 5 the 90, ray 6 the 112.5.
    struct Case { int16_t direction; float ray1, ray5, ray6; };
    const Case cases[] = {
        {270, 0, 90, 112.5f},
        {0, 270, 360, 22.5f},  // 90 + 270 stays exactly 360; 112.5 + 270 wraps to 22.5
        {180, 90, 180, 202.5f},
        {90, 180, 270, 292.5f},
        {225, 45, 135, 157.5f},
    };
    for (const Case& c : cases) {
        Build(0, c.direction);
        const DirectionSet& d = Template(1);
        EXPECT_EQ(d[1].Angle, c.ray1) << "wind from " << c.direction;
        EXPECT_EQ(d[5].Angle, c.ray5) << "wind from " << c.direction;
        EXPECT_EQ(d[6].Angle, c.ray6) << "wind from " << c.direction;
        for (int i = 1; i <= 16; ++i) {
            EXPECT_GE(d[i].Angle, 0) << c.direction;
            EXPECT_LE(d[i].Angle, 360) << c.direction;
        }
    }
    // With wind the head follows the same rule: from 225 it runs to 45.
    Build(10, 225);
    EXPECT_EQ(Template(4)[1].Angle, 45.0f);
    EXPECT_FLOAT_EQ(Template(4)[9].Angle, 225.0f);
}

TEST_F(TemplatesTest, MaxRateIsTheFastestRayOfModel13) {
    Build(10, 270);
    float fastest13 = 0, fastestAll = 0;
    for (int f = 1; f <= 13; ++f)
        for (int i = 1; i <= 16; ++i) {
            fastestAll = std::max(fastestAll, Template(f)[i].Rate);
            if (f == 13) fastest13 = std::max(fastest13, Template(f)[i].Rate);
        }
    EXPECT_EQ(s().fire.MaxRate, fastest13);
    EXPECT_GT(fastestAll, fastest13);  // tall grass runs faster than heavy slash
    // The working set is left holding model 13's template.
    for (int i = 1; i <= 16; ++i) EXPECT_EQ(s().spread.CurrentDirections[i].Rate, Template(13)[i].Rate);
}

TEST_F(TemplatesTest, BuildLetsTheWindowSystemInTwicePerModel) {
    // A handler running in one of these yields sees the tables half rebuilt; it must at least get its turns.
    const uint32_t before = s().yield.calls;
    Build(10, 270);
    EXPECT_EQ(s().yield.calls - before, 26u);
}

TEST_F(TemplatesTest, NoSpreadAnywhereGivesZeroRatesWithWind) {
    // Dead fuel at 40 % is at or above every model's extinction moisture.
    Build(10, 270, 40, 100);
    for (int f = 1; f <= 13; ++f) {
        EXPECT_EQ(s().spread.FuelHeadRate[f], 0) << f;
        for (int i = 1; i <= 16; ++i) {
            EXPECT_EQ(Template(f)[i].Rate, 0) << f << " " << i;
            EXPECT_GT(Template(f)[i].Life, 0) << f << " " << i;
        }
    }
    EXPECT_EQ(s().fire.MaxRate, 0);
    // The ellipse itself refuses shapes it cannot draw instead of dividing by zero.
    const float shapes[][3] = {{0, 5, 1}, {2, 0, 0}, {2, 0, 1}};
    for (const auto& sh : shapes) {
        EllipseDirections(s(), sh[0], sh[1], sh[2]);
        for (int i = 1; i <= 16; ++i) {
            EXPECT_EQ(s().spread.CurrentDirections[i].Rate, 0) << sh[0] << " " << sh[1] << " " << sh[2];
            EXPECT_FALSE(std::isnan(s().spread.CurrentDirections[i].Angle));
        }
    }
}

}  // namespace
}  // namespace torvex::test
