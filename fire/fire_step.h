// The adaptive fire time step and the engine reset.
#pragma once

namespace torvex {

struct Sim;

// Empties the lists and counters and builds the templates for the current wind.
void ResetEngine(Sim& sim);
// Advances the fire by one step.
void FireStep(Sim& sim);

}  // namespace torvex
