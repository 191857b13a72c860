// Ray continuation through cells that others reached first, and the ellipse rate in any direction.
#include "fire/continue_front.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "app/sim.h"
#include "fire/spread.h"

namespace torvex {

namespace {

// While a fire step runs the templates cannot change, so the step remembers, per fuel model, a small
// table from angle to the first direction of that angle (the search every continuing ray makes) and
// what a ray along that direction needs: its rate, slope and crossing length. A model's table is
// checked against its template the first time one of its rays continues in a step, and rebuilt when
// the template (or the cell size or direction count) differs from the one it was built from.
struct DirectionLookup {
    static constexpr size_t kSlots = 64;  // a power of two, four times the most directions
    struct Ray {
        float rate = 0;     // the template's, before FuelLeft
        RayHeading heading;
        double slope = 0;   // RaySlope of the angle; 0 along a column, where none is used
        double span = 0;    // CrossingLength of the angle
    };
    struct Slot {
        uint32_t key = 0xFFFFFFFFu;  // empty: a NaN pattern, and NaN angles are never stored
        int32_t direction = 0;       // 0: empty
        Ray ray;
    };
    struct Model {
        bool checked = false;  // in this step
        bool built = false;
        // The multiplier of the slot hash; when no tried one gives every angle a slot of its own,
        // `collisions` is set and a lookup probes on.
        uint32_t multiplier = 0;
        bool collisions = false;
        int count = 0;
        float cellSize = 0;
        double diagonal = 0;
        DirectionSet source{};
        std::array<Slot, kSlots> slots{};
    };
    const SpreadData* builtFrom = nullptr;  // null outside a step
    int count = 0;
    float cellSize = 0;
    double diagonal = 0;
    std::array<Model, kFuelModels + 1> models{};
};
DirectionLookup lookup;

// Equal angles give equal keys: 0 and -0 compare equal, so they share one.
uint32_t AngleKey(float a) {
    const uint32_t bits = std::bit_cast<uint32_t>(a);
    return bits == 0x80000000u ? 0u : bits;
}
size_t SlotOf(uint32_t key, uint32_t multiplier) { return (key * multiplier) >> 26; }

int DirectionCountOf(const Sim& sim) { return std::clamp<int>(sim.run.DirectionCount, 0, kMaxDirections); }

bool SameSet(const DirectionSet& a, const DirectionSet& b, int count) {
    for (int d = 1; d <= count; ++d)
        if (std::bit_cast<uint32_t>(a[d].Angle) != std::bit_cast<uint32_t>(b[d].Angle) ||
            std::bit_cast<uint32_t>(a[d].Rate) != std::bit_cast<uint32_t>(b[d].Rate))
            return false;
    return true;
}

// Places each distinct angle of the set; false when two distinct angles meet in one slot.
bool FillSlots(DirectionLookup::Model& m, const DirectionSet& set, uint32_t multiplier, bool probe) {
    m.slots.fill({});
    for (int d = 1; d <= m.count; ++d) {
        const float a = set[d].Angle;
        if (a != a) continue;  // a NaN angle matches no ray
        const uint32_t key = AngleKey(a);
        for (size_t s = SlotOf(key, multiplier);; s = (s + 1) & (DirectionLookup::kSlots - 1)) {
            DirectionLookup::Slot& slot = m.slots[s];
            if (slot.direction == 0) {
                slot.key = key;
                slot.direction = d;
                const RayHeading h = HeadingOf(a);
                slot.ray = {set[d].Rate, h, h.alongColumn ? 0.0 : RaySlope(a), CrossingLength(a, m.cellSize, m.diagonal)};
                break;
            }
            if (slot.key == key) break;  // an earlier direction has this angle
            if (!probe) return false;
        }
    }
    return true;
}

void BuildModelLookup(const Sim& sim, int model) {
    DirectionLookup::Model& m = lookup.models[model];
    const DirectionSet& set = sim.spread.DirectionTemplates[model];
    m.count = lookup.count;
    m.cellSize = lookup.cellSize;
    m.diagonal = lookup.diagonal;
    m.source = set;
    m.collisions = true;
    for (uint32_t t = 0; t < 64 && m.collisions; ++t) {
        m.multiplier = 2654435761u + 2u * 40503u * t;  // odd, so every one mixes all the key's bits
        m.collisions = !FillSlots(m, set, m.multiplier, false);
    }
    if (m.collisions) FillSlots(m, set, m.multiplier, true);
    m.built = true;
}

// The step's remembered ray for the first direction of the model's template whose Angle equals a
// exactly; null when there is none or no step is running (then the caller works it out itself).
const DirectionLookup::Ray* KnownRay(const Sim& sim, int model, float a, bool* searched) {
    // The direction count and the cell size change only when the run is reset, which waits for the
    // step to end, so what the step began with holds until it returns.
    *searched = lookup.builtFrom == &sim.spread;
    if (!*searched) return nullptr;
    DirectionLookup::Model& m = lookup.models[model];
    if (!m.checked) [[unlikely]] {
        if (!m.built || m.count != lookup.count || m.cellSize != lookup.cellSize || m.diagonal != lookup.diagonal ||
            !SameSet(m.source, sim.spread.DirectionTemplates[model], lookup.count))
            BuildModelLookup(sim, model);
        m.checked = true;
    }
    if (a != a) return nullptr;  // matches no direction
    const uint32_t key = AngleKey(a);
    size_t s = SlotOf(key, m.multiplier);
    for (;;) {
        const DirectionLookup::Slot& slot = m.slots[s];
        if (slot.key == key) return &slot.ray;
        if (!m.collisions || slot.direction == 0) return nullptr;
        s = (s + 1) & (DirectionLookup::kSlots - 1);
    }
}

// The first direction of the model's template whose Angle equals a exactly, or 0.
int FirstDirectionWithAngle(const Sim& sim, int model, float a) {
    const int count = DirectionCountOf(sim);
    const DirectionSet& set = sim.spread.DirectionTemplates[model];
    for (int d = 1; d <= count; ++d)
        if (set[d].Angle == a) return d;
    return 0;
}

}  // namespace

void PrepareDirectionLookup(const Sim& sim) {
    lookup.builtFrom = &sim.spread;
    lookup.count = DirectionCountOf(sim);
    lookup.cellSize = sim.fire.CellSize;
    lookup.diagonal = sim.fire.DiagonalLength;
    for (DirectionLookup::Model& m : lookup.models) m.checked = false;
}

void ReleaseDirectionLookup() { lookup.builtFrom = nullptr; }

float DirectionalRate(const Sim& sim, const FrontElement& e) {
    const MapCell& cell = sim.fire.Cell(e.CellX, e.CellY);
    const int model = cell.FuelModel;
    const double head = sim.spread.FuelHeadRate[model];
    const double back = sim.spread.FuelBackRate[model];
    const double L = sim.spread.FuelLengthToBreadth[model];

    int headAngle = 270 - sim.fire.EngineWindDirection;
    if (headAngle < 0) headAngle += 360;
    float rel = e.Angle - static_cast<float>(headAngle);
    if (rel < 0.0f) rel += 360.0f;
    if (rel > 180.0f) rel = 360.0f - rel;

    double rate;
    if (rel == 0.0f) {
        rate = head;
    } else if (rel == 180.0f) {
        rate = back;
    } else {
        if (!(head + back > 0.0) || !(L > 0.0)) return 0.0f;
        // Ellipse of half-width 1 and half-length L; the ignition point splits the long axis head : back.
        const double H = 2.0 * L * head / (head + back);
        if (!(H > 0.0)) return 0.0f;
        const double c = H - L;
        const double widest = c > 0.0 ? std::atan(1.0 / c) * 180.0 / kPi : 90.0;
        const bool forward = rel < widest;
        const double target = RoundHalfEven(rel);
        double x = 0.5, step = 0.25, y = 0.0;
        for (int halvings = 0;; ++halvings) {
            const double root = L * std::sqrt(1.0 - x * x);
            y = forward ? c + root : c - root;
            double a = y == 0.0 ? 90.0 : std::atan(x / y) * 180.0 / kPi;
            if (a < 0.0) a += 180.0;
            // The bound only bites for a direction the chosen half cannot reach (head slower than back).
            if (RoundHalfEven(a) == target || halvings == kMaxHalvings) break;
            if (forward == (a < rel))
                x += step;
            else
                x -= step;
            step /= 2.0;
        }
        rate = head * std::sqrt(x * x + y * y) / H;
    }
    return static_cast<float>(cell.FuelLeft * rate / 100.0);
}

void ContinueFront(Sim& sim, int32_t i) {
    // A copy: appending may move the lists.
    const FrontElement e = sim.fire.ActiveFronts[i];
    ContinueElement(sim, e);
}

void ContinueElement(Sim& sim, const FrontElement& e) {
    FireEngine& fire = sim.fire;
    const MapCell& cell = fire.Cell(e.CellX, e.CellY);
    if (cell.FuelLeft == 0) return;

    float r;
    CellCrossing x;
    double span;
    bool searched;
    if (const DirectionLookup::Ray* known = KnownRay(sim, cell.FuelModel, e.Angle, &searched)) {
        // A whole cell of fuel scales the rate by exactly 1.
        r = cell.FuelLeft == 100 ? known->rate : static_cast<float>(cell.FuelLeft * double(known->rate) / 100.0);
        if (!(r > 0.0f)) return;
        x = CellExitWithSlope(e.X, e.Y, known->heading, known->slope);
        span = known->span;
    } else {
        const int d = searched ? 0 : FirstDirectionWithAngle(sim, cell.FuelModel, e.Angle);
        r = d != 0 ? static_cast<float>(cell.FuelLeft * double(sim.spread.DirectionTemplates[cell.FuelModel][d].Rate) / 100.0)
                   : DirectionalRate(sim, e);
        // A fuel that does not burn this way stops the ray rather than giving it an endless arrival time.
        if (!(r > 0.0f)) return;
        x = CellExit(e.X, e.Y, e.Angle);
        span = CrossingLength(e.Angle, fire.CellSize, fire.DiagonalLength);
    }

    const double t = double(e.ArrivalTime) + double(fire.CellSize) * x.distance / r;
    // In the grid, as two unsigned tests.
    if (uint32_t(x.nx) >= uint32_t(fire.GridWidth) || uint32_t(x.ny) >= uint32_t(fire.GridHeight)) return;
    MapCell& next = fire.Cell(x.nx, x.ny);
    if (next.FuelLeft == 0) return;
    const double exitTime = t + span / r;

    FrontElement& n = AppendNextFront(fire);
    n.X = static_cast<float>(x.qx);
    n.Y = static_cast<float>(x.qy);
    n.CellX = x.nx;
    n.CellY = x.ny;
    n.Angle = e.Angle;
    n.Rate = r;
    n.ArrivalTime = static_cast<float>(t);
    n.ExitTime = static_cast<float>(exitTime);
    n.Life = e.Life;
    n.FlameLength = e.FlameLength;
    if (r > fire.MaxRate) fire.MaxRate = r;
    ArrivalClaim(next, t, e.FlameLength);
}

}  // namespace torvex
