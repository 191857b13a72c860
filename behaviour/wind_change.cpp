// Re-aiming the running front after a change of wind direction.
#include "behaviour/wind_change.h"

#include <cmath>
#include <utility>

#include "app/sim.h"
#include "behaviour/ignition.h"
#include "driver/clock.h"
#include "driver/paint_log.h"
#include "fire/spread.h"

namespace torvex {

void ApplyWindChange(Sim& sim) {
    FireEngine& fire = sim.fire;
    if (fire.ActiveCount == 0) return;
    SetBusy(sim, "On", "Wind Change");

    const int32_t n = fire.ActiveCount;
    for (int32_t i = 1; i <= n; ++i) {
        // A copy: seeding grows NextFronts, and with it ActiveFronts.
        FrontElement e = fire.ActiveFronts[i];
        e.Life = 2;
        fire.AppendNext() = e;
        // Where the front is now along its ray: back from its target by the distance still to go.
        const float remaining = (e.ArrivalTime - fire.FireTime) * e.Rate / fire.CellSize;
        const double theta = double(e.Angle) * kPi / 180.0;
        const double px = double(e.X) - double(remaining) * std::cos(theta);
        const double py = double(e.Y) + double(remaining) * std::sin(theta);
        SeedFromPoint(sim, px, py);
    }
    // Both lists share one capacity, so trading them is the copy back.
    std::swap(fire.ActiveFronts, fire.NextFronts);
    fire.ActiveCount = fire.NextCount;
    fire.NextCount = 0;

    for (int32_t j = 1; j <= fire.BurningCount; ++j) {
        PaintCell(sim, fire.BurningCells[j].CellX, fire.BurningCells[j].CellY, 0);
        ++fire.BurnedOutCount;
    }
    fire.BurningCount = 0;
    SetBusy(sim, "Off", "");
}

}  // namespace torvex
