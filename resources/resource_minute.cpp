// The resources' once-a-minute work: cost, refuelling, line building with burn-out, and overrun.
#include "resources/resource_minute.h"

#include <algorithm>
#include <cmath>

#include "app/common.h"
#include "app/sim.h"
#include "behaviour/ignition.h"
#include "driver/paint_log.h"
#include "resources/drops.h"
#include "resources/lines.h"

namespace torvex {

namespace {

constexpr double kOverrunFlame = 1.2;  // metres; a flame must be longer than this to kill

bool Aircraft(const Resource& r) {
    std::string k = Trim(r.Kind);
    return k == "Tanker" || k == "Helicopter";
}

int Sign(float v) { return (v > 0) - (v < 0); }

void PlaceMarker(Sim& sim, Resource& r) {
    GroundMarker& m = sim.roster.GrndRes[r.LineSlot - 1];
    m.left = r.PosX - 8;
    m.top = r.PosY - 5;
    ShowMarker(sim, r.LineSlot - 1);
}

void Build(Sim& sim, Resource& r) {
    const int s = r.LineSlot;
    const std::vector<LinePoint>& P = sim.roster.LinePoints[s];
    const int32_t n = std::min<int32_t>(sim.roster.LinePointCount[s], static_cast<int32_t>(P.size()));
    if (n < 1) return;

    r.MinuteCount += 1;
    r.LineBuilt = r.PixelsPerMinute * r.MinuteCount;

    int32_t a;
    if (r.LineBuilt >= r.LineLength) {
        a = n;
    } else {
        a = Round32(static_cast<double>(r.LineBuilt) / r.LineLength * n);
        a = std::clamp(a, 1, n);
    }

    if (r.NextPoint < a) {
        for (int32_t j = std::max<int32_t>(r.NextPoint, 0); j <= std::min(a, n - 1); ++j) {
            for (int k = -1; k <= 1; ++k)
                for (int l = -1; l <= 1; ++l) {
                    int16_t px = static_cast<int16_t>(P[j].x + l), py = static_cast<int16_t>(P[j].y + k);
                    PaintPixel(sim, px, py, kYellow);
                    ClearFuelAtPixel(sim, px, py);
                }
            // Burn out beside the line a little way behind the point being built.
            if (j >= 15 && j + 10 <= n) {
                char side = r.BurnLeft ? 'L' : (r.BurnRight ? 'R' : 0);
                float dx = static_cast<float>(P[j - 10].x - P[j - 9].x);
                float dy = static_cast<float>(P[j - 10].y - P[j - 9].y);
                if (side && (dx != 0 || dy != 0)) BurnOutIgnite(sim, side, P[j - 9].x, P[j - 9].y, dx, dy);
            }
        }
        r.NextPoint = static_cast<int16_t>(std::min<int32_t>(a + 1, 32767));
    }

    r.PosX = P[a - 1].x;
    r.PosY = P[a - 1].y;
    PlaceMarker(sim, r);
    if (r.LineLength <= r.LineBuilt) r.Activity = "Available";
}

void OverrunTest(Sim& sim, int index) {
    Resource& r = sim.roster.Roster[index];
    const FireEngine& fire = sim.fire;
    const int cx = r.PosX / 2, cy = r.PosY / 2;
    if (!fire.InGrid(cx, cy)) return;
    const float now = sim.run.SimTime;
    float f = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            if (!fire.InGrid(cx + dx, cy + dy)) continue;
            const MapCell& c = fire.Cell(cx + dx, cy + dy);
            // Only fire still on its way in threatens: a cell already reached has passed by.
            if (std::fabs(c.ArrivalTime) > now && c.FlameLength > f) f = c.FlameLength;
        }
    if (!(static_cast<double>(f) > kOverrunFlame)) return;
    sim.ui.SetText(Control::lblMsg, "Resource " + r.Name + " Overrun by Fire ");
    if (r.LineSlot >= 1 && r.LineSlot <= kLineSlots) {
        GroundMarker& m = sim.roster.GrndRes[r.LineSlot - 1];
        m.fill = m.border = kMarkerRed;
        ShowMarker(sim, r.LineSlot - 1);
    }
    r.Status = "Fatality";
    r.Activity = "Disabled";
}

}  // namespace

void UpdateResources(Sim& sim) {
    RosterState& roster = sim.roster;
    const float now = sim.run.SimTime;

    int count = std::min<int>(roster.ResourceCount, static_cast<int>(roster.Roster.size()) - 1);
    for (int i = 1; i <= count; ++i) {
        Resource& r = roster.Roster[i];
        if (r.Status != "Active") continue;
        r.Cost += r.HourlyCost / 60.0f;
        if (Aircraft(r)) {
            if (r.BusyUntil > now) continue;
            r.MinuteCount += 1;
            if (r.MinuteCount == r.Endurance) {
                r.Activity = "Refuel";
                r.BusyUntil = Round16(static_cast<double>(sim.lesson.Conditions.RefuelTime) + now);
                r.MinuteCount = 0;
            }
        } else if (r.Activity == "Deployed" && r.LineSlot >= 1 && r.LineSlot <= kLineSlots) {
            Build(sim, r);
        }
    }

    count = std::min<int>(roster.ResourceCount, static_cast<int>(roster.Roster.size()) - 1);
    for (int i = 1; i <= count; ++i) {
        const Resource& r = roster.Roster[i];
        if (r.Status == "Active" && (r.PosX > 0 || r.PosY > 0)) OverrunTest(sim, i);
    }
}

void BurnOutIgnite(Sim& sim, char side, int16_t x, int16_t y, float dx, float dy) {
    int sx = Sign(dx), sy = Sign(dy);
    if (sx == 0 && sy == 0) return;
    // (dx, dy) points back along the line; its left, on a map whose y grows down, is 2 x (-dy, dx).
    int ox = -2 * sy, oy = 2 * sx;
    if (side == 'R') {
        ox = -ox;
        oy = -oy;
    } else if (side != 'L') {
        return;
    }
    IgniteCell(sim, static_cast<int16_t>(x / 2 + ox), static_cast<int16_t>(y / 2 + oy));
}

}  // namespace torvex
