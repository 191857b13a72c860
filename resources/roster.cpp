// The resource roster (placeholder for the build until it lands).
#include "resources/roster.h"

#include "app/sim.h"
#include "lesson/lesson.h"

namespace torvex {

void BuildRoster(RosterState& roster, const std::vector<ResourceClass>&, const std::vector<LessonResource>&) {
    roster.Roster.assign(1, Resource{});
    roster.ResourceCount = 0;
}

void ShowMarker(Sim& sim, int index) {
    const GroundMarker& m = sim.roster.GrndRes[index];
    sim.ui.SetMarker(index, m.visible, m.left, m.top, m.fill, m.border);
}

}  // namespace torvex
