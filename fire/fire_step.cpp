// The adaptive fire time step and the engine reset.
#include "fire/fire_step.h"

#include <cmath>

#include "app/sim.h"

namespace torvex {

void ResetEngine(Sim& sim) {
    FireEngine& f = sim.fire;
    f.EngineWindSpeed = sim.run.WindSpeed;
    f.EngineWindDirection = sim.run.WindDirection;
    f.WeatherChanged = kFalse;
    f.DiagonalLength = std::sqrt(static_cast<double>(f.CellSize) * f.CellSize + static_cast<double>(f.CellSize) * f.CellSize);
    f.FrontCapacity = 50000;
    f.ActiveFronts.assign(static_cast<size_t>(f.FrontCapacity) + 1, FrontElement{});
    f.NextFronts.assign(static_cast<size_t>(f.FrontCapacity) + 1, FrontElement{});
    f.BurningCapacity = 1000;
    f.BurningCells.assign(static_cast<size_t>(f.BurningCapacity) + 1, BurningCell{});
    sim.spread = SpreadData{};
    f.BurnedOutCount = 0;
    f.FireTime = 1.0f;
    f.TimeStep = 0;
    f.BurningCount = 0;
    f.ActiveCount = 0;
    f.NextCount = 0;
    f.BurnedArea = 0;
    f.ActiveFuel = 0;
    f.ActiveFuelFlame = 0;
    BuildSpreadTemplates(sim);
}

// Placeholder until the spread engine lands: a fire with no front left stops.
void FireStep(Sim& sim) {
    if (sim.fire.ActiveCount == 0) {
        sim.run.FireStopped = kTrue;
        return;
    }
}

}  // namespace torvex
