// Placeholder until the wind change lands.
#include "behaviour/wind_change.h"

#include "app/sim.h"

namespace torvex {

void ApplyWindChange(Sim&) {}

}  // namespace torvex
