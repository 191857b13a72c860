// The library's C interface over the surface fire model; its state is the last Korrin32_Cell.
#include "behaviour/korrin32/korrin32.h"

#include <cmath>

#include "behaviour/korrin32/fuel_models.h"
#include "behaviour/korrin32/received.h"
#include "behaviour/korrin32/rothermel.h"

namespace korrin32 {
namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr double kFtPerMinPerMph = 88.0;

struct LibraryState {
    Moistures moistures;
    double headRate = 0;          // m/min
    double maxSpreadDirection = 0;
    double lengthToBreadth = 1;
    double flameLength = 0;       // m
    Received received;
};

LibraryState& State() {
    static LibraryState state;
    return state;
}

}  // namespace

const Received& LastReceived() { return State().received; }

}  // namespace korrin32

using korrin32::State;

extern "C" {

int32_t Korrin32_Create(void) {
    State() = {};
    return 0;
}

int32_t Korrin32_Moisture(float m1, float m10, float m100, float herb, float woody) {
    auto& s = State();
    s.moistures = {m1, m10, m100, herb, woody};
    s.received.moistures = {m1, m10, m100, herb, woody};
    return 0;
}

int32_t Korrin32_Cell(int16_t fuelModel, float windFtPerMin, float windDirection, float, float,
                      float* headRate, float* maxSpreadDirection, float* lengthToBreadth) {
    auto& s = State();
    s.received.cellCalls++;
    s.received.fuelModel = fuelModel;
    s.received.wind = windFtPerMin;
    s.received.windDirection = windDirection;

    double wind = std::isfinite(windFtPerMin) && windFtPerMin > 0 ? windFtPerMin : 0;
    double from = std::isfinite(windDirection) ? windDirection : 0;
    // The head runs downwind: away from where the wind comes from.
    double toward = std::fmod(from + 180.0, 360.0);
    if (toward < 0) toward += 360.0;

    s.maxSpreadDirection = toward;
    s.lengthToBreadth = korrin32::LengthToBreadth(wind / korrin32::kFtPerMinPerMph);
    s.headRate = 0;
    s.flameLength = 0;
    int32_t status = 1;
    if (const korrin32::FuelModel* model = korrin32::StandardModel(fuelModel)) {
        korrin32::SurfaceFire fire = korrin32::ComputeSurfaceFire(*model, s.moistures, wind);
        s.headRate = fire.rate * korrin32::kMetresPerFoot;
        s.flameLength = fire.flameLength * korrin32::kMetresPerFoot;
        status = 0;
    }
    if (headRate) *headRate = static_cast<float>(s.headRate);
    if (maxSpreadDirection) *maxSpreadDirection = static_cast<float>(s.maxSpreadDirection);
    if (lengthToBreadth) *lengthToBreadth = static_cast<float>(s.lengthToBreadth);
    return status;
}

float Korrin32_BurnRate(float direction) {
    auto& s = State();
    s.received.burnRateCalls++;
    s.received.burnRateDirection = direction;
    double d = std::isfinite(direction) ? direction : s.maxSpreadDirection;
    return static_cast<float>(korrin32::EllipseRate(s.headRate, s.lengthToBreadth, d - s.maxSpreadDirection));
}

float Korrin32_FlameLength(void) { return static_cast<float>(State().flameLength); }

void Korrin32_Destroy(void) { State() = {}; }

}  // extern "C"
