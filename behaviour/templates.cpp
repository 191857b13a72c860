// Spread-direction templates (placeholder until they land).
#include "behaviour/templates.h"

#include "app/sim.h"

namespace torvex {

void BuildSpreadTemplates(Sim& sim) { sim.fire.MaxRate = 0; }
void EllipseDirections(Sim&, float, float, float) {}

}  // namespace torvex
