// The thin adapter over our fire-behaviour library.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace torvex {

struct Sim;

// Names shown for fuel models 1..13; index 0 and anything else is "Water/Rock".
extern const std::array<const char*, 14> FuelModelNames;
std::string FuelModelName(int model);

struct FireBehaviour {
    float HeadRate = 0;        // m/min
    float BackRate = 0;        // m/min
    float LengthToBreadth = 0;
    float FlameLength = 0;     // m
};

// Creates the library and hands it the lesson's five fuel moistures.
void StartFireBehaviour(Sim& sim);
// Behaviour of one fuel model for one wind; maxSpreadDirection is in-out.
FireBehaviour GetFireBehaviour(int16_t model, int16_t windSpeedMph, int16_t windDirection, float& maxSpreadDirection);

}  // namespace torvex
