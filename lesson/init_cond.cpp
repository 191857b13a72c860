// The read-only texts of the Initial Conditions window.
#include "lesson/init_cond.h"

#include "driver/clock.h"
#include "lesson/lesson.h"

namespace torvex {

const std::array<InitCondRow, kInitCondBoxes>& InitCondRows() {
    static const std::array<InitCondRow, kInitCondBoxes> rows{{
        {InitCondBox::txtWS, "Weather", "Wind Speed (kph)", ""},
        {InitCondBox::txtWD, "Weather", "Wind Direction", ""},
        {InitCondBox::txtTemp, "Weather", "Temperature (\xC2\xB0" "C)", ""},
        {InitCondBox::txtRH, "Weather", "Relative Humidity", ""},
        {InitCondBox::txt1hr, "Fuel Moisture", "1 hr ", ""},
        {InitCondBox::txt10hr, "Fuel Moisture", "10 hr", ""},
        {InitCondBox::txt100hr, "Fuel Moisture", "100 hr", ""},
        {InitCondBox::txtHerb, "Fuel Moisture", "Herbaceous", ""},
        {InitCondBox::txtWoody, "Fuel Moisture", "Woody", ""},
        {InitCondBox::txtSimulationTimeRatio, "Simulation", "1 min of user time =", "min(s) of simulation time."},
        {InitCondBox::txtRefuelTime, "Aircraft Turn Around Time", "Refuel (min)", ""},
        {InitCondBox::txtReloadTime, "Aircraft Turn Around Time", "Reload (min)", ""},
    }};
    return rows;
}

std::array<std::string, kInitCondBoxes> InitialConditionTexts(const InitialConditions& ic) {
    std::array<std::string, kInitCondBoxes> t{};
    if (ic.ConditionsSet == 0) return t;
    auto set = [&](InitCondBox b, std::string s) { t[static_cast<int>(b)] = std::move(s); };
    set(InitCondBox::txtWS, NumberText(MphToKph(ic.StartWindSpeed)));
    set(InitCondBox::txtWD, NumberText(ic.StartWindDirection));
    set(InitCondBox::txtTemp, NumberText(FahrenheitToCelsius(ic.Temperature)));
    set(InitCondBox::txtRH, NumberText(ic.RelativeHumidity));
    set(InitCondBox::txt1hr, NumberText(ic.Moisture1Hour));
    set(InitCondBox::txt10hr, NumberText(ic.Moisture10Hour));
    set(InitCondBox::txt100hr, NumberText(ic.Moisture100Hour));
    set(InitCondBox::txtHerb, NumberText(ic.MoistureHerbaceous));
    set(InitCondBox::txtWoody, NumberText(ic.MoistureWoody));
    set(InitCondBox::txtSimulationTimeRatio, NumberText(ic.TimeRatio));
    set(InitCondBox::txtRefuelTime, NumberText(ic.RefuelTime));
    set(InitCondBox::txtReloadTime, NumberText(ic.ReloadTime));
    return t;
}

}  // namespace torvex
