// Surface fire spread for one fuel model: Rothermel (1972) with Albini's (1976) revisions, no slope.
#include "behaviour/korrin32/rothermel.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace korrin32 {

namespace {

constexpr double kPi = 3.14159265358979;

struct Particle {
    double sav = 0;       // 1/ft
    double load = 0;      // lb/ft^2
    double moisture = 0;  // fraction
};

// One category (dead or live) with its surface-area weights already worked out.
struct Category {
    std::array<Particle, 3> particles{};
    int count = 0;
    double area = 0;                   // mean total surface area per unit fuel bed area
    std::array<double, 3> weight{};    // f_j: share of the category's surface area

    void Add(double sav, double loadTonsPerAcre, double moisture) {
        if (loadTonsPerAcre <= 0) return;
        particles[count++] = {sav, loadTonsPerAcre * kTonsPerAcreToLbPerFt2, moisture};
    }
    void Weigh() {
        area = 0;
        for (int j = 0; j < count; ++j) area += particles[j].sav * particles[j].load / kParticleDensity;
        for (int j = 0; j < count; ++j)
            weight[j] = area > 0 ? particles[j].sav * particles[j].load / kParticleDensity / area : 0;
    }
    template <class F>
    double Weighted(F value) const {
        double s = 0;
        for (int j = 0; j < count; ++j) s += weight[j] * value(particles[j]);
        return s;
    }
    double Load() const {
        double s = 0;
        for (int j = 0; j < count; ++j) s += particles[j].load;
        return s;
    }
};

double MoistureDamping(double moisture, double extinction) {
    if (extinction <= 0) return 0;
    double r = moisture / extinction;
    // The weighted moisture of a category at exactly its extinction value can come out a hair below
    // it; that must still put the fire out rather than leave a creeping rate of 1e-14.
    if (r >= 1 - 1e-9) return 0;
    return std::clamp(1 - 2.59 * r + 5.11 * r * r - 3.52 * r * r * r, 0.0, 1.0);
}

}  // namespace

SurfaceFire ComputeSurfaceFire(const FuelModel& model, const Moistures& m, double midflameWind) {
    SurfaceFire out;
    double u = std::isfinite(midflameWind) && midflameWind > 0 ? midflameWind : 0;

    Category dead, live;
    dead.Add(model.sav1h, model.load1h, m.m1h);
    dead.Add(kSav10h, model.load10h, m.m10h);
    dead.Add(kSav100h, model.load100h, m.m100h);
    live.Add(model.savLive, model.loadLive, model.liveIsHerb ? m.herb : m.woody);
    dead.Weigh();
    live.Weigh();

    double totalArea = dead.area + live.area;
    double bulkDensity = (dead.Load() + live.Load()) / model.depthFt;
    if (totalArea <= 0 || bulkDensity <= 0) return out;
    double fDead = dead.area / totalArea, fLive = live.area / totalArea;

    auto sav = [](const Particle& p) { return p.sav; };
    double sigma = fDead * dead.Weighted(sav) + fLive * live.Weighted(sav);
    out.characteristicSav = sigma;

    double beta = bulkDensity / kParticleDensity;
    double betaOp = 3.348 * std::pow(sigma, -0.8189);
    double ratio = beta / betaOp;
    out.packingRatio = beta;
    out.relativePacking = ratio;

    // Reaction velocity.
    double s15 = std::pow(sigma, 1.5);
    double gammaMax = s15 / (495 + 0.0594 * s15);
    double a = 133 * std::pow(sigma, -0.7913);
    double gamma = gammaMax * std::pow(ratio, a) * std::exp(a * (1 - ratio));

    // Live fuel extinction moisture: how far the dead fines can dry out the live fuel.
    double deadExt = model.deadExtinction;
    double liveExt = deadExt;
    if (live.count > 0) {
        double deadFine = 0, deadFineWet = 0, liveFine = 0;
        for (int j = 0; j < dead.count; ++j) {
            double w = dead.particles[j].load * std::exp(-138 / dead.particles[j].sav);
            deadFine += w;
            deadFineWet += w * dead.particles[j].moisture;
        }
        for (int j = 0; j < live.count; ++j) liveFine += live.particles[j].load * std::exp(-500 / live.particles[j].sav);
        double fineMoisture = deadFine > 0 ? deadFineWet / deadFine : 0;
        double wPrime = liveFine > 0 ? deadFine / liveFine : 0;
        liveExt = std::max(deadExt, 2.9 * wPrime * (1 - fineMoisture / deadExt) - 0.226);
        out.liveExtinction = liveExt;
    }

    // Net loads have the mineral fraction taken out; damping per category on its weighted moisture.
    auto load = [](const Particle& p) { return p.load * (1 - kTotalMineral); };
    auto moisture = [](const Particle& p) { return p.moisture; };
    double mineralDamping = std::min(1.0, 0.174 * std::pow(kEffectiveMineral, -0.19));
    double deadTerm = dead.Weighted(load) * MoistureDamping(dead.Weighted(moisture), deadExt) * mineralDamping;
    double liveTerm = live.count > 0
        ? live.Weighted(load) * MoistureDamping(live.Weighted(moisture), liveExt) * mineralDamping
        : 0;
    double ir = gamma * kHeatContent * (deadTerm + liveTerm);
    out.reactionIntensity = ir;

    double xi = std::exp((0.792 + 0.681 * std::sqrt(sigma)) * (beta + 0.1)) / (192 + 0.2595 * sigma);
    out.propagatingFluxRatio = xi;

    double c = 7.47 * std::exp(-0.133 * std::pow(sigma, 0.55));
    double b = 0.02526 * std::pow(sigma, 0.54);
    double e = 0.715 * std::exp(-3.59e-4 * sigma);
    double phiW = u > 0 ? c * std::pow(u, b) * std::pow(ratio, -e) : 0;
    out.windFactor = phiW;

    auto preheat = [](const Particle& p) { return std::exp(-138 / p.sav) * (250 + 1116 * p.moisture); };
    double heatSink = bulkDensity * (fDead * dead.Weighted(preheat) + fLive * live.Weighted(preheat));
    out.heatSink = heatSink;
    if (heatSink <= 0) return out;

    double r0 = ir * xi / heatSink;
    double r = r0 * (1 + phiW);
    // A fire does not outrun the wind that drives it; in calm or near-calm air the no-wind rate stands.
    if (r > u) r = std::max(u, r0);
    out.noWindRate = r0;
    out.rate = r;

    out.heatPerArea = ir * 384 / sigma;
    out.firelineIntensity = out.heatPerArea * r / 60;
    out.flameLength = out.firelineIntensity > 0 ? 0.45 * std::pow(out.firelineIntensity, 0.46) : 0;
    return out;
}

double LengthToBreadth(double midflameMph) {
    double u = std::isfinite(midflameMph) && midflameMph > 0 ? midflameMph : 0;
    return std::min(8.0, 1 + 0.25 * u);
}

double EllipseRate(double headRate, double lengthToBreadth, double angleDeg) {
    if (!(lengthToBreadth > 1)) return headRate;
    double e = std::sqrt(lengthToBreadth * lengthToBreadth - 1) / lengthToBreadth;
    return headRate * (1 - e) / (1 - e * std::cos(angleDeg * kPi / 180));
}

}  // namespace korrin32
