// Spread from a front element that holds its cell's claim, and the ray rules shared with continuation.
#pragma once

#include <cstdint>

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
// Records arrival time t and flame length f in the cell when they win the race.
void ArrivalClaim(MapCell& cell, double t, double f);
// The due element ActiveFronts[i] ignites its cell and sends new rays across it.
void SpreadFromFront(Sim& sim, int32_t i);

// Whole part toward zero as a 16-bit value, saturating so that far-off crossings stay off the grid.
int16_t Trunc16(double v);
// -tan(a) for a ray at angle a (rows grow southwards); the few angles in use are remembered.
double RaySlope(float a);

// FireEngine::AppendNext with the common case (room left) inlined: this runs for every element of every step.
inline FrontElement& AppendNextFront(FireEngine& f) {
    if (f.NextCount + 1 < f.FrontCapacity) return f.NextFronts[++f.NextCount];
    return f.AppendNext();
}

}  // namespace torvex
