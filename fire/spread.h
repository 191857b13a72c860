// Spread from a front element that holds its cell's claim, and the ray rules shared with continuation.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "fire/grid.h"

namespace torvex {

struct Sim;

constexpr double kPi = 3.14159265358979;

// Where a ray leaving (px, py) on a cell boundary at angle a crosses the next grid line.
struct CellCrossing {
    double qx = 0, qy = 0;   // crossing point, cell units
    double distance = 0;     // cells travelled
    int16_t nx = 0, ny = 0;  // cell the ray enters next
};

CellCrossing CellExit(float px, float py, float a);
// Length (metres) a ray at angle a travels across one cell: an edge straight, a diagonal at 45.
double CrossingLength(float a, float cellSizeM, double diagonalLengthM);
// The same with nothing remembered, for tables built from it.
double ComputeCrossingLength(float a, float cellSizeM, double diagonalLengthM);
// The due element ActiveFronts[i] ignites its cell and sends new rays across it.
void SpreadFromFront(Sim& sim, int32_t i);

// Whole part toward zero as a 16-bit value, saturating so that far-off crossings stay off the grid.
int16_t Trunc16(double v);
// -tan(a) for a ray at angle a (rows grow southwards); the few angles in use are remembered.
double RaySlope(float a);

// Records arrival time t and flame length f in the cell when they win the race.
inline void ArrivalClaim(MapCell& cell, double t, double f) {
    if (cell.ArrivalTime == 0.0f || t < cell.ArrivalTime) {
        cell.ArrivalTime = static_cast<float>(t);
        cell.FlameLength = static_cast<float>(f);
    } else if (t == cell.ArrivalTime && f > cell.FlameLength) {
        cell.FlameLength = static_cast<float>(f);
    }
}

namespace ray {

// Whole part of a position, through integer conversion (std::trunc is a library sequence on baseline
// x86-64); positions are a few hundred cells at most, anything else is whole already.
inline double TruncPosition(float v) {
#if defined(__SSE2__)
    // The conversion gives INT32_MIN for anything it cannot hold; every other result is exact, and
    // a float beyond 2^23 is whole, so this equals the portable form below.
    const int32_t i = _mm_cvttss_si32(_mm_set_ss(v));
    return i != std::numeric_limits<int32_t>::min() ? double(i) : double(v);
#else
    return v < 8388608.0f && v > -8388608.0f ? double(int32_t(v)) : double(v);
#endif
}

// The cell a crossing coordinate falls in; a whole coordinate reached while moving toward smaller
// indices belongs to the cell before the line.
inline int16_t CellIndex(double q, bool backward) {
#if defined(__SSE2__)
    // Whole part by one conversion (INT32_MIN when out of its range): strictly inside +-30000 it
    // is the answer before the step back; anything else takes the general path.
    const int32_t whole = _mm_cvttsd_si32(_mm_set_sd(q));
    if (uint32_t(whole + 29999) < 59999u) [[likely]]
        return static_cast<int16_t>(whole - int32_t(backward && double(whole) == q));
#endif
    constexpr double kFar = 30000.0;  // far beyond any grid; minus one still fits in 16 bits
    if (!(q > -kFar)) return static_cast<int16_t>(-kFar);
    if (q > kFar) return static_cast<int16_t>(kFar);
    int32_t k = static_cast<int32_t>(q);
    if (backward && double(k) == q) --k;
    return static_cast<int16_t>(k);
}

}  // namespace ray

// What a ray's angle decides about its crossing, worked out once per angle by callers that remember it.
struct RayHeading {
    bool west = false, north = false;              // which lines it meets: a in [90, 270), [0, 180)
    bool backwardX = false, backwardY = false;     // a in (90, 270), (0, 180): whole coordinates step back
    bool alongColumn = false;                      // a is 90 or 270
};

inline RayHeading HeadingOf(float a) {
    return {a >= 90.0f && a < 270.0f, a >= 0.0f && a < 180.0f, a > 90.0f && a < 270.0f, a > 0.0f && a < 180.0f,
            a == 90.0f || a == 270.0f};
}

// CellExit for a caller that already holds the heading and m = RaySlope(a) of the ray's angle
// (m unused along a column); inline so the hot loops keep the crossing in registers.
[[gnu::always_inline]] inline CellCrossing CellExitWithSlope(float px, float py, const RayHeading& h, double m) {
    const double tpx = ray::TruncPosition(px), tpy = ray::TruncPosition(py);
    const double lineX = h.west ? (px == tpx ? double(px) - 1.0 : tpx) : tpx + 1.0;
    const double lineY = h.north ? (py == tpy ? double(py) - 1.0 : tpy) : tpy + 1.0;

    CellCrossing c;
    if (h.alongColumn) {
        // Straight along the column: counted as one whole cell whatever the start point.
        c.qx = px;
        c.qy = lineY;
        c.distance = 1.0;
    } else {
        const double b = double(py) - m * double(px);  // rows grow southwards
        const double yAtX = b + m * lineX;
        const double squareX = (lineX - px) * (lineX - px) + (yAtX - py) * (yAtX - py);
        double dX = 99999.0, dY = 99999.0, xAtY = 0.0;
        bool toX;
        if (m != 0.0) {
            xAtY = (lineY - b) / m;
            const double squareY = (xAtY - px) * (xAtY - px) + (lineY - py) * (lineY - py);
            // A rounded root never decreases, so squares well apart (or the first no smaller) decide
            // dX < dY alone and only the chosen root is taken; near-equal ones compare their roots.
            if (squareX < squareY * (1.0 - 0x1p-40) && squareY >= 0x1p-1000) {
                toX = true;
                dX = std::sqrt(squareX);
            } else if (squareX >= squareY) {
                toX = false;
                dY = std::sqrt(squareY);
            } else {
                dX = std::sqrt(squareX);
                dY = std::sqrt(squareY);
                toX = dX < dY;
            }
        } else {
            dX = std::sqrt(squareX);
            toX = dX < dY;
        }
        if (toX) {
            c.qx = lineX;
            c.qy = yAtX;
            c.distance = dX;
        } else {
            c.qx = xAtY;
            c.qy = lineY;
            c.distance = dY;
        }
    }
    c.nx = ray::CellIndex(c.qx, h.backwardX);
    c.ny = ray::CellIndex(c.qy, h.backwardY);
    return c;
}

// FireEngine::AppendNext with the common case (room left) inlined: this runs for every element of every step.
inline FrontElement& AppendNextFront(FireEngine& f) {
    if (f.NextCount + 1 < f.FrontCapacity) return f.NextFronts[++f.NextCount];
    return f.AppendNext();
}

}  // namespace torvex
