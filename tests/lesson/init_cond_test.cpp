// The texts of the Initial Conditions window.
#include <gtest/gtest.h>

#include "lesson/init_cond.h"
#include "lesson/lesson.h"

namespace torvex {
namespace {

InitialConditions Conditions() {
    InitialConditions ic;
    ic.ConditionsSet = 1;
    ic.StartWindSpeed = 20;
    ic.StartWindDirection = 270;
    ic.Temperature = 86;
    ic.RelativeHumidity = 25;
    ic.Moisture1Hour = 6;
    ic.Moisture10Hour = 7;
    ic.Moisture100Hour = 8;
    ic.MoistureHerbaceous = 120;
    ic.MoistureWoody = 90;
    ic.TimeRatio = 10;
    ic.RefuelTime = 45;
    ic.ReloadTime = 15;
    return ic;
}

std::string Text(const InitialConditions& ic, InitCondBox b) { return InitialConditionTexts(ic)[static_cast<int>(b)]; }

TEST(InitCondTest, BoxesShowTheStartingConditionsInWindowUnits) {
    auto t = InitialConditionTexts(Conditions());
    const std::array<std::string, kInitCondBoxes> expected{"32", "270", "30", "25", "6",  "7",
                                                          "8",  "120", "90", "10", "45", "15"};
    EXPECT_EQ(t, expected);
}

TEST(InitCondTest, TemperatureRoundsToTheNearestDegree) {
    const std::pair<int16_t, const char*> cases[] = {{33, "1"}, {32, "0"}, {-40, "-40"}, {212, "100"}, {86, "30"}};
    for (auto [f, c] : cases) {
        InitialConditions ic = Conditions();
        ic.Temperature = f;
        EXPECT_EQ(Text(ic, InitCondBox::txtTemp), c) << f;
    }
}

TEST(InitCondTest, UnsetConditionsShowTwelveEmptyBoxes) {
    InitialConditions ic = Conditions();
    ic.ConditionsSet = 0;
    for (const std::string& s : InitialConditionTexts(ic)) EXPECT_EQ(s, "");
}

TEST(InitCondTest, RowsCarryTheWindowsCaptions) {
    const auto& rows = InitCondRows();
    EXPECT_STREQ(rows[0].group, "Weather");
    EXPECT_STREQ(rows[2].label, "Temperature (\xC2\xB0" "C)");
    EXPECT_STREQ(rows[4].label, "1 hr ");
    EXPECT_STREQ(rows[9].after, "min(s) of simulation time.");
    EXPECT_STREQ(rows[11].group, "Aircraft Turn Around Time");
    for (int i = 0; i < kInitCondBoxes; ++i) EXPECT_EQ(static_cast<int>(rows[i].box), i);
}

}  // namespace
}  // namespace torvex
