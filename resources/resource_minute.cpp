// Placeholder until the resources' minute lands.
#include "resources/resource_minute.h"

#include "app/sim.h"

namespace torvex {

void UpdateResources(Sim&) {}
void BurnOutIgnite(Sim&, char, int16_t, int16_t, float, float) {}

}  // namespace torvex
