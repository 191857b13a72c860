// What the fire-behaviour library last received, for checks from outside its C interface.
#pragma once

#include <array>

namespace korrin32 {

struct Received {
    std::array<float, 5> moistures{};  // 1-hour, 10-hour, 100-hour, herbaceous, woody fractions
    int cellCalls = 0;                 // since the last Korrin32_Create
    int fuelModel = 0;
    float wind = 0;                    // ft/min
    float windDirection = 0;
    int burnRateCalls = 0;
    float burnRateDirection = 0;
};

const Received& LastReceived();

}  // namespace korrin32
