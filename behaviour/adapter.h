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
// The same from five whole percents, for callers without a lesson (tools).
void StartFireBehaviourPercent(int16_t m1h, int16_t m10h, int16_t m100h, int16_t herb, int16_t woody);
// Behaviour of one fuel model for one wind; maxSpreadDirection is in-out.
FireBehaviour GetFireBehaviour(int16_t model, int16_t windSpeedMph, int16_t windDirection, float& maxSpreadDirection);

// The wind handed to the library: (88 x speed, rounded) \ 2, the midflame wind in ft/min.
float LibraryWind(int16_t windSpeedMph);
// (direction + 180) mod 360 with both operands rounded halves-to-even first, as a whole number.
float BackingDirection(float maxSpreadDirection);

}  // namespace torvex
