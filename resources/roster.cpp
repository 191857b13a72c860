// The resource roster: built afresh from a lesson's classes and resource records.
#include "resources/roster.h"

#include <algorithm>

#include "app/sim.h"
#include "lesson/lesson.h"

namespace torvex {

namespace {
// Fixed-width texts compare and are kept at their stored width, whether they came from a file
// (already padded) or were made in memory.
std::string Width(const std::string& s, size_t width) {
    std::string t = s.substr(0, std::min(s.size(), width));
    t.resize(width, ' ');
    return t;
}
}  // namespace

void BuildRoster(RosterState& roster, const std::vector<ResourceClass>& classes,
                 const std::vector<LessonResource>& resources) {
    const size_t count = std::min(resources.size(), static_cast<size_t>(kMaxResources));
    roster.Roster.assign(count + 1, Resource{});
    roster.ResourceCount = static_cast<int16_t>(count);
    // An index into the previous lesson's roster would point at a stranger, or past the end.
    roster.SelectedResource = 0;

    for (size_t i = 1; i <= count; ++i) {
        const LessonResource& rec = resources[i - 1];
        Resource& r = roster.Roster[i];
        r.Name = rec.Name;
        r.ClassName = Width(rec.ClassName, 32);
        if (Trim(rec.InitialStatus) == "Callup") {
            r.Status = "Callup";
            r.Activity = "";
        } else {
            r.Status = "Active";
            r.Activity = "Available";
        }
        r.BusyUntil = 0;
        r.CallupDelay = rec.CallupDelay;
        r.ResourceNote = Width(rec.ResourceNote, 10);
        r.DropCost = rec.DropCost;
        r.HourlyCost = rec.HourlyCost;
        // The first class of that exact 32-character name, trailing blanks and case included.
        for (const ResourceClass& c : classes) {
            if (Width(c.ClassName, 32) != r.ClassName) continue;
            r.Kind = Width(Trim(c.Category) == "Air" ? c.AirKind : c.GroundKind, 10);
            r.Endurance = c.Endurance;
            r.AirSpareValue = c.AirSpareValue;
            r.DropLength = c.DropLength;
            r.RateUnits = Width(c.RateUnits, 10);
            r.ProductionRate = c.ProductionRate;
            break;
        }
        r.MinuteCount = 0;
    }
}

void ShowMarker(Sim& sim, int index) {
    const GroundMarker& m = sim.roster.GrndRes[index];
    sim.ui.SetMarker(index, m.visible, m.left, m.top, m.fill, m.border);
}

}  // namespace torvex
