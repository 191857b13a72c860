// The "Resource List" window's logic: rows, availability texts, the row-click button table and buttons.
#include "resources/resource_list.h"

#include <algorithm>
#include <cctype>

#include "app/common.h"
#include "app/sim.h"
#include "driver/clock.h"

namespace torvex {

namespace {

bool GroundKindRequested(const std::string& kind) { return kind == "Equipment" || kind == "Crew"; }

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

std::string AvailabilityText(const Sim& sim, const Resource& r) {
    if (Trim(r.Status) == "Callup") return "Callup";
    if (Trim(r.Activity) == "Deployed") return "Deployed";
    if (r.Status == "Fatality" || r.BusyUntil == 32767) return "Injury/Failure";
    if (Round16(sim.run.SimTime) < r.BusyUntil) return TimeText(sim.run.StartTime + r.BusyUntil);
    return "Now";
}

const char* ResourceListWindow::Caption(ListButton b) {
    switch (b) {
        case ListButton::cmdSelect: return "&Select";
        case ListButton::cmdCancel: return "&Close";
        case ListButton::cmdAbort: return "&Abort";
        case ListButton::cmdCallup: return "Call &Up";
        case ListButton::cmdRelease: return "&Release";
        case ListButton::Count: break;
    }
    return "";
}

void ResourceListWindow::Load() {
    selectedName_.clear();
    closeRequested_ = false;
    rows_.clear();
    selected_ = -1;
    buttons_ = {};
    Button(ListButton::cmdAbort).visible = false;
    Button(ListButton::cmdCallup).enabled = false;
    Button(ListButton::cmdRelease).enabled = false;

    const std::string& kind = sim_.roster.RequestedKind;
    columns_ = {ListColumn{Upper(kind), 1000}, ListColumn{"CLASS", 1500}, ListColumn{"AVAILABLE AT", 1000}};
    if (GroundKindRequested(kind)) {
        Button(ListButton::cmdAbort).visible = true;
        Button(ListButton::cmdAbort).enabled = false;
    }

    const RosterState& roster = sim_.roster;
    int count = std::min<int>(roster.ResourceCount, static_cast<int>(roster.Roster.size()) - 1);
    for (int i = 1; i <= count; ++i) {
        const Resource& r = roster.Roster[i];
        if (Trim(r.Kind) != kind || r.Status == "Released") continue;
        rows_.push_back({Trim(r.Name), Trim(r.ClassName), AvailabilityText(sim_, r)});
    }
}

void ResourceListWindow::SetSelectedRow(int row) {
    selected_ = (row >= 0 && row < static_cast<int>(rows_.size())) ? row : -1;
}

void ResourceListWindow::RowClicked() {
    if (selected_ < 0) return;
    const std::string& third = rows_[selected_].available;
    bool callup = false, release = false, abort = false;
    if (!GroundKindRequested(sim_.roster.RequestedKind)) {
        callup = third == "Callup";
        release = !callup;
    } else if (third == "Callup") {
        callup = true;
    } else if (third == "Deployed") {
        abort = true;
    } else if (third == "Now") {
        release = true;
    }
    Button(ListButton::cmdCallup).enabled = callup;
    Button(ListButton::cmdRelease).enabled = release;
    Button(ListButton::cmdAbort).enabled = abort;
}

int ResourceListWindow::FindResource(std::string_view name) const {
    const RosterState& roster = sim_.roster;
    std::string wanted = Trim(name);
    int count = std::min<int>(roster.ResourceCount, static_cast<int>(roster.Roster.size()) - 1);
    for (int i = 1; i <= count; ++i)
        if (Trim(roster.Roster[i].Name) == wanted) return i;
    return 0;
}

int ResourceListWindow::FindRow(std::string_view name) const {
    std::string wanted = Trim(name);
    for (size_t i = 0; i < rows_.size(); ++i)
        if (Trim(rows_[i].name) == wanted) return static_cast<int>(i);
    return -1;
}

void ResourceListWindow::SelectClicked() {
    if (selected_ >= 0 && rows_[selected_].available == "Now") selectedName_ = rows_[selected_].name;
    if (!selectedName_.empty())
        closeRequested_ = true;
    else
        sim_.ui.MessageBox(kMustSelect);
}

void ResourceListWindow::CallUpClicked() {
    if (!Usable(ListButton::cmdCallup) || selected_ < 0) return;
    if (int i = FindResource(rows_[selected_].name)) {
        Resource& r = sim_.roster.Roster[i];
        r.Status = "Active";
        r.BusyUntil = Round16(static_cast<double>(sim_.run.SimTime) + r.CallupDelay);
        rows_[selected_].available = TimeText(sim_.run.StartTime + r.BusyUntil);
    }
    Button(ListButton::cmdCallup).enabled = false;
    Button(ListButton::cmdRelease).enabled = false;
}

void ResourceListWindow::ReleaseClicked() {
    if (!Usable(ListButton::cmdRelease) || selected_ < 0) return;
    if (int i = FindResource(rows_[selected_].name)) {
        Resource& r = sim_.roster.Roster[i];
        r.Status = "Released";
        if (r.LineSlot >= 1 && r.LineSlot <= kLineSlots) {
            sim_.roster.GrndRes[r.LineSlot - 1].visible = false;
            ShowMarker(sim_, r.LineSlot - 1);
            // A released resource never works again: its slot goes back for another ground resource.
            sim_.roster.LineSlotUsed[r.LineSlot] = kFalse;
            r.LineSlot = 0;
        }
    }
    rows_.erase(rows_.begin() + selected_);
    selected_ = -1;
    Button(ListButton::cmdRelease).enabled = false;
}

void ResourceListWindow::AbortClicked() {
    if (!Usable(ListButton::cmdAbort) || selected_ < 0) return;
    rows_[selected_].available = "Aborted";
    if (int i = FindResource(rows_[selected_].name)) {
        Resource& r = sim_.roster.Roster[i];
        r.Status = "Active";
        r.Activity = "Available";
    }
    Button(ListButton::cmdRelease).enabled = false;
}

void ResourceListWindow::Closing() {
    if (!selectedName_.empty()) sim_.roster.SelectedResource = FindResource(selectedName_);
}

}  // namespace torvex
