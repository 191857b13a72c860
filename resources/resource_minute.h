// The resources' once-a-minute work: cost, refuelling, line building, burn-out and overrun.
#pragma once

#include <cstdint>

namespace torvex {

struct Sim;

void UpdateResources(Sim& sim);
void BurnOutIgnite(Sim& sim, char side, int16_t x, int16_t y, float dx, float dy);

}  // namespace torvex
