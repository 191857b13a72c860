// Re-aiming the running front after a change of wind direction.
#pragma once

namespace torvex {

struct Sim;

void ApplyWindChange(Sim& sim);

}  // namespace torvex
