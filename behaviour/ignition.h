// Fire put into the grid from outside the spread: scripted and burn-out ignitions, wind-change seeds.
#pragma once

#include <cstdint>

namespace torvex {

struct Sim;

void IgniteCell(Sim& sim, int16_t x, int16_t y);
void SeedFromPoint(Sim& sim, double px, double py);

}  // namespace torvex
