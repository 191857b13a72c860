// Spread from a front element: the cell-exit geometry, the crossing length and the arrival race.
#include "fire/spread.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>

#include "app/sim.h"

namespace torvex {

namespace {

// Angles a ray entering at (x, y) may take: those pointing into its cell or running along an edge.
struct EntryRange {
    float lo, hi;
    bool Uses(float a) const { return lo < hi ? (a <= lo || a >= hi) : (hi <= a && a <= lo); }
};

EntryRange EntryRangeOf(const FrontElement& e) {
    const float left = static_cast<float>(e.CellX), right = static_cast<float>(e.CellX + 1);
    const float top = static_cast<float>(e.CellY), bottom = static_cast<float>(e.CellY + 1);
    const bool onWest = e.X == left, onEast = e.X == right;
    const bool onNorth = e.Y == top, onSouth = e.Y == bottom;
    if (onWest) {
        if (onNorth) return {0, 270};
        if (onSouth) return {90, 0};
        return {90, 270};
    }
    if (onEast) {
        if (onNorth) return {270, 180};
        if (onSouth) return {180, 90};
        return {270, 90};
    }
    if (onNorth) return {0, 180};
    return {180, 0};
}

// Slot of a remembered angle: the angles in use differ mostly in their high bits.
size_t AngleSlot(uint32_t bits, size_t slots) { return (bits * 2654435761u) >> 24 & (slots - 1); }

}  // namespace

namespace {
// -tan(a) and the crossing length are pure functions of the angle (and the cell size), so remembering
// them changes no result; one run uses a few dozen angles. Empty slots hold an all-ones NaN pattern
// together with the NaN its computation would give.
struct SlopeEntry {
    uint32_t bits = 0xFFFFFFFFu;
    double slope = std::numeric_limits<double>::quiet_NaN();
};
std::array<SlopeEntry, 256> rememberedSlopes;

inline double RememberedSlope(float a) {
    const uint32_t bits = std::bit_cast<uint32_t>(a);
    SlopeEntry& entry = rememberedSlopes[AngleSlot(bits, rememberedSlopes.size())];
    if (entry.bits != bits) entry = {bits, -std::tan(double(a) * kPi / 180.0)};
    return entry.slope;
}
}  // namespace

double RaySlope(float a) { return RememberedSlope(a); }

int16_t Trunc16(double v) {
    // Far beyond any grid; a saturated value minus one still fits in 16 bits.
    constexpr double kFar = 30000.0;
    if (!(v > -kFar)) return static_cast<int16_t>(-kFar);
    if (v > kFar) return static_cast<int16_t>(kFar);
    return static_cast<int16_t>(static_cast<int32_t>(v));
}

CellCrossing CellExit(float px, float py, float a) {
    // A ray along a column needs no slope.
    const RayHeading h = HeadingOf(a);
    return CellExitWithSlope(px, py, h, h.alongColumn ? 0.0 : RememberedSlope(a));
}

double ComputeCrossingLength(float a, float cellSizeM, double diagonalLengthM) {
    const int32_t k = Round32(a) / 90;
    float off = a - static_cast<float>(90 * k);
    if (off > 45.0f) off = 90.0f - off;
    return double(cellSizeM) + (diagonalLengthM - double(cellSizeM)) * double(off) / 45.0;
}

double CrossingLength(float a, float cellSizeM, double diagonalLengthM) {
    struct Entry {
        uint32_t bits = 0xFFFFFFFFu;
        float cellSizeM = 0;
        double diagonalLengthM = 0;
        double span = std::numeric_limits<double>::quiet_NaN();
    };
    static std::array<Entry, 256> remembered;
    const uint32_t bits = std::bit_cast<uint32_t>(a);
    Entry& entry = remembered[AngleSlot(bits, remembered.size())];
    if (entry.bits != bits || entry.cellSizeM != cellSizeM || entry.diagonalLengthM != diagonalLengthM)
        entry = {bits, cellSizeM, diagonalLengthM, ComputeCrossingLength(a, cellSizeM, diagonalLengthM)};
    return entry.span;
}

void SpreadFromFront(Sim& sim, int32_t i) {
    FireEngine& fire = sim.fire;
    // A copy: appending below may move the lists.
    const FrontElement e = fire.ActiveFronts[i];

    BurningCell& burning = fire.AppendBurning();
    burning.CellX = e.CellX;
    burning.CellY = e.CellY;
    burning.State = -1;
    burning.BurnOutTime = e.ExitTime;

    MapCell& cell = fire.Cell(e.CellX, e.CellY);
    // Cleared by suppression after the ray was sent: shown burning, but it spreads nothing.
    if (cell.FuelLeft == 0) return;
    cell.ArrivalTime = -e.ArrivalTime;

    SpreadData& spread = sim.spread;
    const int model = cell.FuelModel;
    const int count = std::min<int>(sim.run.DirectionCount, kMaxDirections);
    spread.CurrentDirections = spread.DirectionTemplates[model];
    const double headRate = spread.FuelHeadRate[model];
    const double headFlame = spread.FuelFlameLength[model];
    if (cell.FuelLeft < 100) {
        const float factor = static_cast<float>(cell.FuelLeft) / 100.0f;
        for (int d = 1; d <= count; ++d) spread.CurrentDirections[d].Rate *= factor;
    }

    const EntryRange range = EntryRangeOf(e);
    const double cellSize = fire.CellSize;
    for (int d = 1; d <= count; ++d) {
        const SpreadDirection dir = spread.CurrentDirections[d];
        if (!(dir.Rate > 0.0f) || !range.Uses(dir.Angle)) continue;
        const CellCrossing x = CellExit(e.X, e.Y, dir.Angle);
        if (!fire.InGrid(x.nx, x.ny)) continue;
        MapCell& next = fire.Cell(x.nx, x.ny);
        if (next.FuelLeft == 0) continue;

        const double rate = dir.Rate;
        const double t = double(e.ArrivalTime) + cellSize * x.distance / rate;
        const double exitTime = t + CrossingLength(dir.Angle, fire.CellSize, fire.DiagonalLength) / rate;
        const double own = headRate > 0.0 ? headFlame * rate / headRate : 0.0;
        const double f = (double(e.FlameLength) * e.Rate + own * rate) / (double(e.Rate) + rate);

        FrontElement& n = AppendNextFront(fire);
        n.X = static_cast<float>(x.qx);
        n.Y = static_cast<float>(x.qy);
        n.CellX = x.nx;
        n.CellY = x.ny;
        n.Angle = dir.Angle;
        n.Rate = dir.Rate;
        n.ArrivalTime = static_cast<float>(t);
        n.ExitTime = static_cast<float>(exitTime);
        n.Life = dir.Life;
        n.FlameLength = static_cast<float>(f);
        if (n.Rate > fire.MaxRate) fire.MaxRate = n.Rate;
        ArrivalClaim(next, t, f);
    }
}

}  // namespace torvex
