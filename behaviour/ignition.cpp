// Placeholder until ignition lands.
#include "behaviour/ignition.h"

#include "app/sim.h"

namespace torvex {

void IgniteCell(Sim&, int16_t, int16_t) {}
void SeedFromPoint(Sim&, double, double) {}

}  // namespace torvex
