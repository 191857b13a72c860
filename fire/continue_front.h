// A due ray that lost its cell travels on across it; the rate of a fuel's fire in any direction.
#pragma once

#include <cstdint>

namespace torvex {

struct Sim;
struct FrontElement;

// Halvings the ellipse search makes at most; ordinary ellipses settle long before.
constexpr int kMaxHalvings = 40;

// ActiveFronts[i], due in a cell it does not hold and with Life left, crosses that cell.
void ContinueFront(Sim& sim, int32_t i);
// The same for a copy of that element, with its Life already lowered: the step holds one.
void ContinueElement(Sim& sim, const FrontElement& e);
// The fire step's tables from angle to template direction and that ray's rate, slope and crossing
// length, valid once the step's templates are final and released when it returns; without them
// ContinueFront works each out itself.
void PrepareDirectionLookup(const Sim& sim);
void ReleaseDirectionLookup();
// Rate (m/min) of the fire in e's cell in the direction e.Angle, scaled by the cell's FuelLeft.
// 0 when the fuel's ellipse is degenerate (no head and back rate, or no length).
float DirectionalRate(const Sim& sim, const FrontElement& e);

}  // namespace torvex
