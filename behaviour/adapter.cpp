// The thin adapter over our fire-behaviour library: moistures in, one fuel model's behaviour out.
#include "behaviour/adapter.h"

#include "app/common.h"
#include "app/sim.h"
#include "behaviour/korrin32/korrin32.h"

namespace torvex {

const std::array<const char*, 14> FuelModelNames = {
    "Water/Rock", "Short Grass", "Open Timber/Grass", "Tall Grass", "Chaparral", "Brush (2ft)",
    "Dormant Brush/Slash", "Southern Rough", "Closed Timber Litter", "Hardwood Litter",
    "Timber (litter/under.)", "Logging Slash - Light", "Logging Slash - Medium", "Logging Slash - Heavy"};

std::string FuelModelName(int model) {
    if (model < 1 || model > 13) return "Water/Rock";
    return FuelModelNames[model];
}

void StartFireBehaviourPercent(int16_t m1h, int16_t m10h, int16_t m100h, int16_t herb, int16_t woody) {
    Korrin32_Create();
    // Divided in single precision, so the library receives the float nearest to percent / 100.
    auto fraction = [](int16_t percent) { return static_cast<float>(percent) / 100.0f; };
    Korrin32_Moisture(fraction(m1h), fraction(m10h), fraction(m100h), fraction(herb), fraction(woody));
}

void StartFireBehaviour(Sim& sim) {
    const InitialConditions& c = sim.lesson.Conditions;
    StartFireBehaviourPercent(c.Moisture1Hour, c.Moisture10Hour, c.Moisture100Hour, c.MoistureHerbaceous,
                              c.MoistureWoody);
}

float LibraryWind(int16_t windSpeedMph) {
    return static_cast<float>(Round32(88.0 * windSpeedMph) / 2);
}

float BackingDirection(float maxSpreadDirection) {
    float sum = maxSpreadDirection + 180.0f;
    return static_cast<float>(Round32(sum) % 360);
}

FireBehaviour GetFireBehaviour(int16_t model, int16_t windSpeedMph, int16_t windDirection, float& maxSpreadDirection) {
    FireBehaviour b;
    if (model < 1 || model > 13) return b;
    float head = 0, lengthToBreadth = 0;
    Korrin32_Cell(model, LibraryWind(windSpeedMph), static_cast<float>(windDirection), 0.0f, 0.0f, &head,
                  &maxSpreadDirection, &lengthToBreadth);
    b.HeadRate = head;
    b.LengthToBreadth = lengthToBreadth;
    b.BackRate = Korrin32_BurnRate(BackingDirection(maxSpreadDirection));
    b.FlameLength = Korrin32_FlameLength();
    return b;
}

}  // namespace torvex
