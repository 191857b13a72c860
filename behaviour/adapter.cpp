// The thin adapter over our fire-behaviour library (placeholder until it lands).
#include "behaviour/adapter.h"

#include "app/sim.h"

namespace torvex {

const std::array<const char*, 14> FuelModelNames = {
    "Water/Rock", "Short Grass", "Open Timber/Grass", "Tall Grass", "Chaparral", "Brush (2ft)",
    "Dormant Brush/Slash", "Southern Rough", "Closed Timber Litter", "Hardwood Litter",
    "Timber (litter/under.)", "Logging Slash - Light", "Logging Slash - Medium", "Logging Slash - Heavy"};

std::string FuelModelName(int model) {
    if (model < 1 || model > 13) return "Water/Rock";
    return FuelModelNames[model];
}

void StartFireBehaviour(Sim&) {}

FireBehaviour GetFireBehaviour(int16_t, int16_t, int16_t, float&) { return {}; }

}  // namespace torvex
