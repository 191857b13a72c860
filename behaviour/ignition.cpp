// Fire put into the grid from outside the spread: whole-cell ignitions and wind-change seeds.
#include "behaviour/ignition.h"

#include <algorithm>
#include <cmath>

#include "app/sim.h"
#include "fire/spread.h"

namespace torvex {

namespace {

bool IsWhole(double v) { return v == std::trunc(v); }
double Up(double v) { return IsWhole(v) ? v - 1.0 : std::trunc(v); }
double Down(double v) { return std::trunc(v) + 1.0; }

// One ray from (sx, sy) to the edge of its cell: the element it would make, and whether it claimed.
struct Ray {
    bool reaches = false;  // a burnable cell inside the grid
    bool claimed = false;
    FrontElement element;
};

Ray EmitRay(Sim& sim, double sx, double sy, const SpreadDirection& dir, double headRate, double headFlame) {
    FireEngine& fire = sim.fire;
    const float A = dir.Angle;
    const double R = dir.Rate;
    double xe, ye;
    if (A >= 0.0f && A < 90.0f) {
        xe = Down(sx), ye = Up(sy);
    } else if (A >= 90.0f && A < 180.0f) {
        xe = Up(sx), ye = Up(sy);
    } else if (A >= 180.0f && A < 270.0f) {
        xe = Up(sx), ye = Down(sy);
    } else {
        xe = Down(sx), ye = Down(sy);
    }
    const double m = RaySlope(A);  // -tan(A): rows grow downwards
    const double b = sy - m * sx;
    const double y1 = m * xe + b;
    const double d1 = std::sqrt((xe - sx) * (xe - sx) + (y1 - sy) * (y1 - sy));
    double x2 = 0.0, d2 = 2.0;
    if (m != 0.0) {
        x2 = (ye - b) / m;
        d2 = std::sqrt((x2 - sx) * (x2 - sx) + (ye - sy) * (ye - sy));
    }
    double tx, ty, d;
    if (d1 < d2) {
        tx = xe, ty = y1, d = d1;
    } else {
        tx = x2, ty = ye, d = d2;
    }
    const double arrival = double(fire.FireTime) + d * double(fire.CellSize) / R;

    int16_t kx = Trunc16(tx), ky = Trunc16(ty);
    if (IsWhole(tx) && A > 90.0f && A < 270.0f) --kx;
    if (IsWhole(ty) && A > 0.0f && A < 180.0f) --ky;
    Ray ray;
    if (!fire.InGrid(kx, ky)) return ray;
    MapCell& target = fire.Cell(kx, ky);
    if (target.FuelLeft == 0) return ray;
    ray.reaches = true;

    const int32_t q = Round32(A) / 90;
    float alpha = A - static_cast<float>(90 * q);
    if (alpha > 45.0f) alpha = 90.0f - alpha;
    const double exitTime =
        arrival + (double(fire.CellSize) + double(alpha) / 45.0 * (fire.DiagonalLength - double(fire.CellSize))) / R;
    // The claim races on the exit time, unlike the spread's, and leaves the flame length alone.
    if (target.ArrivalTime == 0.0f || exitTime < target.ArrivalTime) {
        target.ArrivalTime = static_cast<float>(arrival);
        ray.claimed = true;
    }

    FrontElement& e = ray.element;
    e.X = static_cast<float>(tx);
    e.Y = static_cast<float>(ty);
    e.CellX = kx;
    e.CellY = ky;
    e.Angle = A;
    e.Rate = dir.Rate;
    e.ArrivalTime = static_cast<float>(arrival);
    e.ExitTime = static_cast<float>(exitTime);
    e.Life = dir.Life;
    e.FlameLength = headRate > 0.0 ? static_cast<float>(headFlame * R / headRate) : 0.0f;
    return ray;
}

// The cell's template into CurrentDirections, scaled by what fuel is left.
void TakeTemplate(Sim& sim, const MapCell& cell, double& headRate, double& headFlame) {
    SpreadData& spread = sim.spread;
    spread.CurrentDirections = spread.DirectionTemplates[cell.FuelModel];
    headRate = spread.FuelHeadRate[cell.FuelModel];
    headFlame = spread.FuelFlameLength[cell.FuelModel];
    if (cell.FuelLeft < 100) {
        const float factor = static_cast<float>(cell.FuelLeft) / 100.0f;
        for (int d = 1; d <= kMaxDirections; ++d) spread.CurrentDirections[d].Rate *= factor;
    }
}

int DirectionCountOf(const Sim& sim) { return std::clamp<int>(sim.run.DirectionCount, 0, kMaxDirections); }

}  // namespace

void IgniteCell(Sim& sim, int16_t x, int16_t y) {
    FireEngine& fire = sim.fire;
    if (!fire.InGrid(x, y)) return;
    MapCell& cell = fire.Cell(x, y);
    if (cell.FuelLeft == 0 || cell.ArrivalTime != 0.0f) return;
    cell.ArrivalTime = -fire.FireTime;

    BurningCell& burning = fire.AppendBurning();
    burning.CellX = x;
    burning.CellY = y;
    burning.State = -1;
    burning.BurnOutTime = 0.0f;  // the next step burns it out, and counts it, whatever its state

    double headRate, headFlame;
    TakeTemplate(sim, cell, headRate, headFlame);
    const double sx = x + 0.5, sy = y + 0.5;
    const int count = DirectionCountOf(sim);
    for (int d = 1; d <= count; ++d) {
        const SpreadDirection dir = sim.spread.CurrentDirections[d];
        if (!(dir.Rate > 0.0f)) continue;
        Ray ray = EmitRay(sim, sx, sy, dir, headRate, headFlame);
        // Sent whether or not it won its cell: a loser travels on when it falls due.
        if (!ray.reaches) continue;
        fire.AppendActive() = ray.element;
        if (ray.element.Rate > fire.MaxRate) fire.MaxRate = ray.element.Rate;
    }
}

void SeedFromPoint(Sim& sim, double px, double py) {
    FireEngine& fire = sim.fire;
    // A front moved back along its ray can land off the map; nothing burns there.
    if (!(px >= 0.0 && py >= 0.0 && px < fire.GridWidth && py < fire.GridHeight)) return;
    const MapCell& cell = fire.Cell(static_cast<int>(px), static_cast<int>(py));
    if (cell.FuelLeft == 0) return;

    double headRate, headFlame;
    TakeTemplate(sim, cell, headRate, headFlame);
    const int count = DirectionCountOf(sim);
    for (int d = 1; d <= count; ++d) {
        const SpreadDirection dir = sim.spread.CurrentDirections[d];
        if (!(dir.Rate > 0.0f)) continue;
        Ray ray = EmitRay(sim, px, py, dir, headRate, headFlame);
        if (!ray.claimed) continue;
        ray.element.Life = 1;
        fire.AppendNext() = ray.element;
        if (ray.element.Rate > fire.MaxRate) fire.MaxRate = ray.element.Rate;
    }
}

}  // namespace torvex
