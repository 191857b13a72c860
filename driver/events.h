// The lesson's timed script: ignitions, arrival, wind changes, injuries, the end.
#pragma once

namespace torvex {

struct Sim;

void ProcessEvents(Sim& sim);

}  // namespace torvex
