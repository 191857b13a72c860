// Surface fire spread for one fuel model: Rothermel (1972) with Albini's (1976) revisions, no slope.
#pragma once

#include "behaviour/korrin32/fuel_models.h"

namespace korrin32 {

// Fuel moistures as fractions of oven-dry weight.
struct Moistures {
    double m1h = 0, m10h = 0, m100h = 0, herb = 0, woody = 0;
};

// Results and the intermediates worth checking, imperial units as the model works in them.
struct SurfaceFire {
    double characteristicSav = 0;       // 1/ft
    double packingRatio = 0;            // beta
    double relativePacking = 0;         // beta / beta_op
    double reactionIntensity = 0;       // Btu/ft^2/min
    double propagatingFluxRatio = 0;    // xi
    double windFactor = 0;              // phi_w
    double heatSink = 0;                // Btu/ft^3
    double noWindRate = 0;              // ft/min
    double rate = 0;                    // ft/min, head fire after the wind-speed cap
    double liveExtinction = 0;          // fraction; 0 without live fuel
    double heatPerArea = 0;             // Btu/ft^2
    double firelineIntensity = 0;       // Btu/ft/s
    double flameLength = 0;             // ft
};

// midflameWind in ft/min; the head rate never exceeds it unless the fire spreads faster in calm air.
SurfaceFire ComputeSurfaceFire(const FuelModel& model, const Moistures& m, double midflameWind);

// Ellipse length-to-breadth from the midflame wind in mi/h: 1 + 0.25 U, at most 8.
double LengthToBreadth(double midflameMph);
// Rate at angleDeg from the head direction, on the ellipse through the head and backing rates.
double EllipseRate(double headRate, double lengthToBreadth, double angleDeg);

}  // namespace korrin32
