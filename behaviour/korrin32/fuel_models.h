// The 13 standard surface fuel models: loads, surface-area-to-volume ratios, depths, extinction moistures.
#pragma once

namespace korrin32 {

constexpr int kModelCount = 13;

// One standard fuel model in the model's own imperial units.
struct FuelModel {
    double load1h, load10h, load100h;  // tons/acre
    double loadLive;                   // tons/acre
    bool liveIsHerb;                   // the live load is herbaceous (else woody)
    double sav1h;                      // 1/ft
    double savLive;                    // 1/ft; unused when there is no live load
    double depthFt;
    double deadExtinction;             // fraction
};

// Constants shared by every model.
constexpr double kSav10h = 109.0;            // 1/ft
constexpr double kSav100h = 30.0;            // 1/ft
constexpr double kHeatContent = 8000.0;      // Btu/lb
constexpr double kParticleDensity = 32.0;    // lb/ft^3
constexpr double kTotalMineral = 0.0555;
constexpr double kEffectiveMineral = 0.010;
constexpr double kTonsPerAcreToLbPerFt2 = 0.0459137;

// Models 1..13; nullptr for any other number.
const FuelModel* StandardModel(int number);

}  // namespace korrin32
