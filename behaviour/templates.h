// Spread-direction templates and the per-fuel-model behaviour tables for the engine wind.
#pragma once

#include <array>
#include <cstdint>

namespace torvex {

struct Sim;

constexpr int kFuelModels = 13;
constexpr int kMaxDirections = 16;

struct SpreadDirection {
    float Angle = 0;   // degrees counter-clockwise from map east
    float Rate = 0;    // m/min
    int16_t Life = 0;
};

using DirectionSet = std::array<SpreadDirection, kMaxDirections + 1>;  // indexed 1..DirectionCount

struct SpreadData {
    std::array<DirectionSet, kFuelModels + 1> DirectionTemplates{};  // [model 1..13][direction 1..N]
    DirectionSet CurrentDirections{};
    std::array<float, kFuelModels + 1> FuelHeadRate{}, FuelBackRate{}, FuelFlameLength{}, FuelLengthToBreadth{};
};

// Rebuilds every fuel model's template for the engine wind; sets MaxRate. Yields 26 times.
void BuildSpreadTemplates(Sim& sim);
// Ellipse rays into CurrentDirections (rates relative to the head ray).
void EllipseDirections(Sim& sim, float L, float R, float B);

}  // namespace torvex
