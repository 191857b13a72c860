// Simulation clock and status panel (placeholder until it lands).
#include "driver/clock.h"

#include "app/sim.h"

namespace torvex {

std::string NumberText(double v) { return std::to_string(v); }
std::string NumberText(float v) { return std::to_string(v); }
void UpdateClock(Sim&) {}
void PaceToWallClock(Sim&) {}
void SetBusy(Sim& sim, std::string_view, std::string_view message) { sim.ui.SetText(Control::lblMsg, message); }
void WaitSeconds(Sim&, double) {}
void ResetClock(Sim& sim) {
    sim.clock.ShownDayText.clear();
    sim.clock.ShownTimeText.clear();
    sim.clock.ShownArea = -1;
    sim.clock.MinuteHistory.resize(2);
}
double AcresToHectares(double value) { return value * 0.40468564224; }
int16_t FahrenheitToCelsius(int16_t t) { return Round16((5.0 / 9.0) * static_cast<int16_t>(t - 32)); }
int16_t MphToKph(int16_t v) { return Round16(v * 1.609344); }

}  // namespace torvex
