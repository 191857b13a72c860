// The deployment dialog: the four deployment buttons, the "Resource" frame, Accept and Cancel,
// and the map mouse dispatch by deployment mode.
#include "resources/deploy.h"

#include "app/common.h"
#include "app/sim.h"
#include "driver/paint_log.h"
#include "resources/drops.h"
#include "resources/lines.h"
#include "resources/resource_list.h"

namespace torvex {

namespace {

struct KindInfo {
    Control button;
    const char* word;     // RequestedKind
    const char* mode;     // DeployMode
    const char* caption;  // prefix of the frame caption
};

const KindInfo& Info(DeployKind kind) {
    static const KindInfo table[] = {
        {Control::btnHel, "Helicopter", "Hel", "Helicopter "},
        {Control::btnAT, "Tanker", "AT", "Air Tanker "},
        {Control::btnBull, "Equipment", "Bull", "Equipment "},
        {Control::btnCrew, "Crew", "Crew", "Crew "},
    };
    return table[static_cast<int>(kind)];
}

constexpr const char* kNoFreeSlot = "No free line slot: release a ground resource first";
constexpr double kMetresPerChain = 20.1168;

bool GroundMode(const std::string& mode) { return mode == "Bull" || mode == "Crew"; }

Resource* Selected(Sim& sim) {
    int i = sim.roster.SelectedResource;
    if (i < 1 || i >= static_cast<int>(sim.roster.Roster.size())) return nullptr;
    return &sim.roster.Roster[i];
}

void DisableBurnOut(Ui& ui, bool checkEnabled) {
    ui.SetEnabled(Control::chkBurn, checkEnabled);
    ui.SetChecked(Control::chkBurn, false);
    for (Control c : {Control::optBurnLeft, Control::optBurnRight}) {
        ui.SetEnabled(c, false);
        ui.SetChecked(c, false);
    }
}

void RepaintDrawn(Sim& sim) {
    DeployState& d = sim.deploy;
    for (int32_t k = d.DrawCount - 1; k >= 0; --k) PaintPixel(sim, d.DrawPoints[k].x, d.DrawPoints[k].y, d.DrawPoints[k].colour);
}

// Pixels per minute for a ground resource's production rate ("chains/hr" or map units per minute).
float GroundPixelsPerMinute(const Resource& r, float cellSize) {
    double rate = r.ProductionRate;
    if (Trim(r.RateUnits) == "chains/hr") rate = r.ProductionRate * kMetresPerChain / 60.0;
    if (!(cellSize > 0)) return 0.0f;
    return static_cast<float>(2.0 * rate / cellSize);
}

// Hands the drawn line to the resource. False when it has no slot and none is free.
bool CommitGroundLine(Sim& sim, Resource& r) {
    RosterState& roster = sim.roster;
    DeployState& d = sim.deploy;
    if (r.LineSlot < 1 || r.LineSlot > kLineSlots) {
        int free = 0;
        for (int s = 1; s <= kLineSlots && !free; ++s)
            if (!roster.LineSlotUsed[s]) free = s;
        if (!free) return false;
        roster.LineSlotUsed[free] = kTrue;
        r.LineSlot = static_cast<int16_t>(free);
    }
    const int s = r.LineSlot;
    std::vector<LinePoint>& store = roster.LinePoints[s];
    if (store.size() < static_cast<size_t>(kMaxLinePoints)) store.resize(kMaxLinePoints);
    std::copy(d.DrawPoints.begin(), d.DrawPoints.begin() + d.DrawCount, store.begin());
    roster.LinePointCount[s] = d.DrawCount;

    r.Activity = "Deployed";
    r.MinuteCount = 0;
    r.NextPoint = 1;
    r.LineLength = static_cast<float>(d.DrawnLength);
    r.PixelsPerMinute = GroundPixelsPerMinute(r, sim.fire.CellSize);
    r.BurnLeft = ToFlag(sim.ui.IsChecked(Control::optBurnLeft));
    r.BurnRight = ToFlag(sim.ui.IsChecked(Control::optBurnRight));

    GroundMarker& m = roster.GrndRes[s - 1];
    m.left = store[0].x - 8;
    m.top = store[0].y - 5;
    m.visible = true;
    ShowMarker(sim, s - 1);
    return true;
}

void PayForDrop(Sim& sim, Resource& r) {
    r.Activity = "Reload";
    r.BusyUntil = Round16(static_cast<double>(sim.lesson.Conditions.ReloadTime) + sim.run.SimTime);
    r.Cost += r.DropCost;
}

void EndDeployment(Sim& sim) {
    DeployState& d = sim.deploy;
    // A button pressed with the mouse still held down on the map: drop the rubber band first.
    if (d.Drawing) {
        ErasePreview(sim);
        d.PreviewCount = 0;
        d.Drawing = false;
    }
    d.DeployMode.clear();
    sim.ui.SetPointer(Pointer::Arrow);
    sim.ui.SetText(Control::lblMsg, "");
    sim.ui.SetVisible(Control::fraRes, false);
}

}  // namespace

void AbandonDeployment(Sim& sim) {
    DeployState& d = sim.deploy;
    if (d.DeployMode.empty() && !d.Drawing && !d.DraggingMarker) return;
    d.Drawing = false;
    d.DraggingMarker = false;
    d.PreviewCount = 0;
    d.DrawCount = 0;
    d.DrawnLength = 0;
    d.DropCentreX = d.DropCentreY = 0;
    d.DeployMode.clear();
    for (Control c : {Control::btnHel, Control::btnAT, Control::btnBull, Control::btnCrew}) sim.ui.SetPressed(c, false);
    sim.ui.SetPointer(Pointer::Arrow);
    sim.ui.SetVisible(Control::fraRes, false);
}

void DeployButtonClicked(Sim& sim, DeployKind kind, bool pressed) {
    const KindInfo& info = Info(kind);
    Ui& ui = sim.ui;
    if (!(sim.run.OnSite && sim.run.RunStarted && pressed)) {
        ui.SetPressed(info.button, false);
        return;
    }
    DeployState& d = sim.deploy;
    if (!d.DeployMode.empty()) return;

    RosterState& roster = sim.roster;
    roster.RequestedKind = info.word;
    roster.SelectedResource = 0;
    {
        ResourceListWindow list(sim);
        list.Load();
        if (d.ScriptedList)
            d.ScriptedList(list);
        else
            ui.ShowResourceList(list);
        list.Closing();
    }
    Resource* r = Selected(sim);
    if (!r) {
        roster.SelectedResource = 0;
        ui.SetPressed(info.button, false);
        return;
    }

    ui.SetText(Control::lblMsg, "Deploy Resource " + r->Name);
    d.DeployMode = info.mode;
    ui.SetText(Control::fraRes, info.caption + r->Name);
    ui.SetVisible(Control::fraRes, true);
    ui.SetText(Control::lblDist, "");

    switch (kind) {
        case DeployKind::Tanker: {
            int32_t twice = 2 * static_cast<int32_t>(r->DropLength);
            d.MaxDropPixels = sim.fire.CellSize > 0 ? static_cast<float>(twice / sim.fire.CellSize) : 0.0f;
            d.DrawCount = 0;
            DisableBurnOut(ui, false);
            break;
        }
        case DeployKind::Helicopter:
            ui.SetPointer(Pointer::Crosshair);
            d.DropCentreX = 0;
            d.DropCentreY = 0;
            d.DropRadius = 4;
            d.DropSaved = {};
            DisableBurnOut(ui, false);
            break;
        case DeployKind::Equipment:
        case DeployKind::Crew:
            d.DrawCount = 0;
            d.DrawnLength = 0;
            DisableBurnOut(ui, true);
            break;
    }
}

void BurnOutClicked(Sim& sim) {
    bool on = sim.ui.IsChecked(Control::chkBurn);
    sim.ui.SetEnabled(Control::optBurnLeft, on);
    sim.ui.SetEnabled(Control::optBurnRight, on);
}

void AcceptClicked(Sim& sim) {
    DeployState& d = sim.deploy;
    Resource* r = Selected(sim);
    if (d.DeployMode == "Hel") {
        if (r && (d.DropCentreX > 0 || d.DropCentreY > 0)) {
            ApplyHelicopterDrop(sim);
            PayForDrop(sim, *r);
        }
        sim.ui.SetPressed(Control::btnHel, false);
    } else if (d.DeployMode == "AT") {
        if (r && d.DrawCount > 0) {
            ApplyTankerLine(sim);
            PayForDrop(sim, *r);
        }
        sim.ui.SetPressed(Control::btnAT, false);
    } else if (GroundMode(d.DeployMode)) {
        if (r && d.DrawCount > 0 && !CommitGroundLine(sim, *r)) {
            // Nothing is lost: the drawn line stays on the map and the deployment stays open.
            sim.ui.SetText(Control::lblMsg, kNoFreeSlot);
            return;
        }
        sim.ui.SetPressed(d.DeployMode == "Crew" ? Control::btnCrew : Control::btnBull, false);
    } else {
        return;
    }
    EndDeployment(sim);
}

void CancelClicked(Sim& sim) {
    DeployState& d = sim.deploy;
    if (d.Drawing) {
        ErasePreview(sim);
        d.PreviewCount = 0;
        d.Drawing = false;
    }
    if (GroundMode(d.DeployMode)) {
        RepaintDrawn(sim);
        sim.ui.SetPressed(d.DeployMode == "Crew" ? Control::btnCrew : Control::btnBull, false);
    } else if (d.DeployMode == "AT") {
        RepaintDrawn(sim);
        sim.ui.SetPressed(Control::btnAT, false);
    } else if (d.DeployMode == "Hel") {
        RestoreDrop(sim);
        sim.ui.SetPressed(Control::btnHel, false);
    } else {
        return;
    }
    EndDeployment(sim);
}

void MapMouseDown(Sim& sim, float x, float y) {
    const std::string& mode = sim.deploy.DeployMode;
    if (mode == "AT")
        TankerLineDown(sim, x, y);
    else if (mode == "Hel")
        SetDrop(sim, x, y);
    else if (GroundMode(mode))
        GroundLineDown(sim, x, y);
    else if (mode.empty())
        MapClick(sim, x, y);
}

void MapMouseMove(Sim& sim, float x, float y) {
    const DeployState& d = sim.deploy;
    if (d.Drawing) {
        if (d.DeployMode == "AT")
            TankerLineMove(sim, x, y);
        else if (GroundMode(d.DeployMode))
            GroundLineMove(sim, x, y);
    } else if (d.DraggingMarker) {
        MarkerDragMove(sim, x, y);
    }
}

void MapMouseUp(Sim& sim, float x, float y) {
    const DeployState& d = sim.deploy;
    if (d.Drawing) {
        if (d.DeployMode == "AT")
            TankerLineUp(sim, x, y);
        else if (GroundMode(d.DeployMode))
            GroundLineUp(sim, x, y);
    } else if (d.DraggingMarker) {
        MarkerDragUp(sim, x, y);
    }
}

}  // namespace torvex
