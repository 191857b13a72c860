// The lesson's timed script (placeholder until it lands).
#include "driver/events.h"

#include "app/sim.h"

namespace torvex {

void ProcessEvents(Sim& sim) {
    for (ScenarioEvent& e : sim.lesson.ScenarioEvents) e.Done = kTrue;
}

}  // namespace torvex
