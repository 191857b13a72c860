// Spread-direction templates: each fuel model's rays for the engine wind, and the behaviour tables.
#include "behaviour/templates.h"

#include <algorithm>
#include <cmath>

#include "app/common.h"
#include "app/run_control.h"
#include "app/sim.h"
#include "behaviour/adapter.h"

namespace torvex {

namespace {

constexpr double kPi = 3.14159265358979;

// A direction count the fixed-size sets can hold and the ellipse split can work with.
int DirectionsUsed(const Sim& sim) {
    return std::clamp<int>(sim.run.DirectionCount, 4, kMaxDirections);
}

double Degrees(double radians) { return radians * 180.0 / kPi; }

void SetRay(SpreadDirection& ray, double angle, double rate) {
    ray.Angle = static_cast<float>(angle);
    ray.Rate = static_cast<float>(rate);
}

// Evenly spaced rays of relative rate `rate`, the first pointing at 0.
void CircleDirections(DirectionSet& set, int n, float rate) {
    for (int i = 1; i <= n; ++i) {
        set[i].Angle = static_cast<float>((i - 1) * (360.0 / n));
        set[i].Rate = rate;
    }
}

// Sector j of an unrotated angle covers [45(j - 1), 45j).
int Sector(float angle) {
    for (int j = 1; j <= 8; ++j)
        if (static_cast<float>(j * 45) > angle) return j;
    return 8;
}

// Rays in the more crowded sectors travel longer before they are re-spread.
void SetLives(DirectionSet& set, int n) {
    int count[9];
    std::fill(std::begin(count), std::end(count), 3);
    int half = n / 2;
    for (int i = 1; i <= half + 1; ++i) count[Sector(set[i].Angle)] += 2;
    for (int i = 1; i <= half + 1; ++i) set[i].Life = static_cast<int16_t>(count[Sector(set[i].Angle)]);
    for (int i = 2; i <= half; ++i) set[n + 2 - i].Life = set[i].Life;
}

// Turns the head from map east to downwind; an angle of exactly 360 is left as 360.
void Rotate(DirectionSet& set, int n, int16_t windDirection) {
    int16_t v = static_cast<int16_t>(270 - windDirection);
    if (v < 0) v = static_cast<int16_t>(v + 360);
    for (int i = 1; i <= n; ++i) {
        set[i].Angle = set[i].Angle + static_cast<float>(v);
        int32_t w = Round32(set[i].Angle) / 360;
        if (static_cast<float>(360 * w) < set[i].Angle) set[i].Angle = set[i].Angle - static_cast<float>(360 * w);
    }
}

}  // namespace

void EllipseDirections(Sim& sim, float L, float R, float B) {
    DirectionSet& ray = sim.spread.CurrentDirections;
    int n = DirectionsUsed(sim);
    if (!(L > 0) || !(R > 0)) {
        // No ellipse to sample: rays that carry no rate die where they start.
        CircleDirections(ray, n, 0.0f);
        return;
    }

    float h = static_cast<float>(2.0 * L * R / (static_cast<double>(R) + B));
    float k = 2.0f * L - h;
    float c = h - L;
    double m = L > 3 ? 3.0 : L;
    int big = (n - 4) / 2;
    int back = Round32(big / (m + 1));
    if (back == 0) back = 1;
    int front = big - back;

    int next = 1;
    SetRay(ray[next++], 0.0, h);

    float s = 1.0f / static_cast<float>(front);
    float y = s / 2;
    for (int i = 0; i < front; ++i) {
        double yy = y;
        double x = c + std::sqrt(static_cast<double>(L) * L * (1 - yy * yy));
        double a = Degrees(std::atan(yy / x));
        if (a < 0) a += 180;
        SetRay(ray[next++], a, std::sqrt(x * x + yy * yy));
        y = y + s;
    }

    {
        double x = c;
        double a = x == 0 ? 90.0 : Degrees(std::atan(1 / x));
        // Only a backing rate above the head rate puts the centre behind the start; keep the side ray on the flank.
        if (a < 0) a += 180;
        SetRay(ray[next++], a, std::sqrt(x * x + 1));
    }

    float t = 1.0f / static_cast<float>(back);
    y = 1 - t / 2;
    for (int i = 0; i < back; ++i) {
        double yy = y;
        double x = c - std::sqrt(static_cast<double>(L) * L * (1 - yy * yy));
        double a = 90.0;
        if (x != 0) {
            a = Degrees(std::atan(yy / x));
            if (a < 0) a += 180;
        }
        SetRay(ray[next++], a, std::sqrt(x * x + yy * yy));
        y = y - t;
    }

    int headIndex = big + 3;
    SetRay(ray[headIndex], 180.0, k);
    for (int j = 1; j <= (n - 2) / 2; ++j) {
        const SpreadDirection& twin = ray[headIndex - j];
        ray[headIndex + j].Angle = (180 - twin.Angle) * 2 + twin.Angle;
        ray[headIndex + j].Rate = twin.Rate;
    }

    float head = ray[1].Rate;
    for (int i = 1; i <= n; ++i) ray[i].Rate = ray[i].Rate / head;
}

void BuildSpreadTemplates(Sim& sim) {
    SpreadData& sp = sim.spread;
    DirectionSet& cur = sp.CurrentDirections;
    int n = DirectionsUsed(sim);
    int16_t speed = sim.fire.EngineWindSpeed;
    int16_t direction = sim.fire.EngineWindDirection;
    float maxSpreadDirection = 0;

    for (int16_t f = 1; f <= kFuelModels; ++f) {
        FireBehaviour b = GetFireBehaviour(f, speed, direction, maxSpreadDirection);
        YieldToWindow(sim);
        sp.FuelHeadRate[f] = b.HeadRate;
        sp.FuelBackRate[f] = b.BackRate;
        sp.FuelFlameLength[f] = b.FlameLength;
        sp.FuelLengthToBreadth[f] = b.LengthToBreadth;

        if (speed != 0)
            EllipseDirections(sim, b.LengthToBreadth, b.HeadRate, b.BackRate);
        else
            CircleDirections(cur, n, 1.0f);

        float maxRate = 0;
        for (int i = 1; i <= n; ++i) {
            cur[i].Rate = cur[i].Rate * b.HeadRate;
            if (cur[i].Rate > maxRate) maxRate = cur[i].Rate;
        }
        sim.fire.MaxRate = maxRate;

        SetLives(cur, n);
        Rotate(cur, n, direction);

        std::copy(cur.begin() + 1, cur.begin() + 1 + n, sp.DirectionTemplates[f].begin() + 1);
        YieldToWindow(sim);
    }
}

}  // namespace torvex
