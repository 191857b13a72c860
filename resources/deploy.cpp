// Deployment handlers (placeholder until they land).
#include "resources/deploy.h"

#include "app/sim.h"

namespace torvex {

void DeployButtonClicked(Sim& sim, DeployKind kind, bool) {
    static const Control buttons[] = {Control::btnHel, Control::btnAT, Control::btnBull, Control::btnCrew};
    sim.ui.SetPressed(buttons[static_cast<int>(kind)], false);
}
void BurnOutClicked(Sim&) {}
void AcceptClicked(Sim&) {}
void CancelClicked(Sim&) {}
void MapMouseDown(Sim&, float, float) {}
void MapMouseMove(Sim&, float, float) {}
void MapMouseUp(Sim&, float, float) {}

}  // namespace torvex
