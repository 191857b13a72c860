// A small hand-made fire grid with templates filled by hand, for the spread engine's tests.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/sim.h"
#include "fire/fire_step.h"
#include "support/fake_ui.h"

namespace torvex::test {

struct EngineFixture {
    FakeUi ui;
    FakeClock clock;
    std::unique_ptr<Sim> owner = std::make_unique<Sim>(ui, clock);
    Sim& sim = *owner;
    FireEngine& fire = sim.fire;

    // Every cell of fuel model 1 and FuelLeft 100; wind from 270 (head east), empty lists.
    explicit EngineFixture(int width = 12, int height = 12, float cellSizeM = 30.0f) {
        fire.GridWidth = static_cast<int16_t>(width);
        fire.GridHeight = static_cast<int16_t>(height);
        fire.CellSize = cellSizeM;
        fire.FuelGrid.assign(static_cast<size_t>(width) * height, MapCell{1, 100, 0.0f, 0.0f});
        sim.run.WindSpeed = 0;
        sim.run.WindDirection = 270;
        sim.run.DirectionCount = 16;
        ResetEngine(sim);
        sim.spread = SpreadData{};  // the tests fill what they need
        fire.MaxRate = 0;
    }

    // Calm air: 16 rays at multiples of 22.5 degrees, all at the head rate; Life 7, 5 for the ray at 180.
    void CalmTemplate(int model, float rateMPerMin, float flameM = 2.0f) {
        DirectionSet& set = sim.spread.DirectionTemplates[model];
        for (int i = 1; i <= 16; ++i) {
            set[i].Angle = static_cast<float>((i - 1) * (360.0 / 16));
            set[i].Rate = rateMPerMin;
            set[i].Life = i == 9 ? 5 : 7;
        }
        SetBehaviour(model, rateMPerMin, rateMPerMin, 1.0f, flameM);
    }

    // The ellipse of length-to-breadth 2 and head : back 10 : 1, head east (rays as the template build gives them).
    void EllipseTemplate(int model, float headRateMPerMin, float flameM = 2.0f) {
        static const float kAngles[9] = {0.0f, 1.98f, 6.13f, 11.06f, 18.57f, 31.43f, 67.32f, 140.21f, 180.0f};
        static const float kRates[9] = {1.0f, 0.996f, 0.965f, 0.896f, 0.756f, 0.527f, 0.224f, 0.107f, 0.1f};
        DirectionSet& set = sim.spread.DirectionTemplates[model];
        for (int i = 1; i <= 9; ++i) {
            set[i].Angle = kAngles[i - 1];
            set[i].Rate = kRates[i - 1] * headRateMPerMin;
            set[i].Life = (i <= 6) ? 15 : 5;
        }
        for (int j = 1; j <= 7; ++j) {  // rays 10..16 mirror rays 8..2
            set[9 + j] = set[9 - j];
            set[9 + j].Angle = 360.0f - set[9 - j].Angle;
        }
        SetBehaviour(model, headRateMPerMin, 0.1f * headRateMPerMin, 2.0f, flameM);
    }

    void SetBehaviour(int model, float head, float back, float lengthToBreadth, float flameM) {
        sim.spread.FuelHeadRate[model] = head;
        sim.spread.FuelBackRate[model] = back;
        sim.spread.FuelLengthToBreadth[model] = lengthToBreadth;
        sim.spread.FuelFlameLength[model] = flameM;
    }

    FrontElement& AddActive(const FrontElement& e) { return fire.AppendActive() = e; }

    // A ray entering cell (cx, cy) at (x, y), due at `arrival`, holding the cell's claim when `claim`.
    FrontElement Ray(float x, float y, int cx, int cy, float angle, float rate, float arrival, int16_t life = 7,
                     bool claim = true) {
        FrontElement e;
        e.X = x;
        e.Y = y;
        e.CellX = static_cast<int16_t>(cx);
        e.CellY = static_cast<int16_t>(cy);
        e.Angle = angle;
        e.Rate = rate;
        e.ArrivalTime = arrival;
        e.ExitTime = arrival + 1.0f;
        e.Life = life;
        e.FlameLength = 1.0f;
        if (claim) fire.Cell(cx, cy).ArrivalTime = arrival;
        return e;
    }

    // Steps until no front is left (or the step limit), as the main loop would.
    int BurnOut(int maxSteps = 100000) {
        int steps = 0;
        while (!sim.run.FireStopped && steps < maxSteps) {
            FireStep(sim);
            ++steps;
        }
        return steps;
    }

    int BurnableCells() const {
        int n = 0;
        for (const MapCell& c : fire.FuelGrid) n += c.FuelLeft > 0;
        return n;
    }
    int IgnitedCells() const {
        int n = 0;
        for (const MapCell& c : fire.FuelGrid) n += c.ArrivalTime < 0.0f;
        return n;
    }
};

// FNV-1a over every field of every cell: equal runs give equal sums, bit for bit.
inline uint64_t GridChecksum(const FireEngine& fire) {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            h ^= (v >> (8 * i)) & 0xFFu;
            h *= 1099511628211ull;
        }
    };
    for (const MapCell& c : fire.FuelGrid) {
        mix(c.FuelModel | uint32_t(c.FuelLeft) << 8);
        mix(std::bit_cast<uint32_t>(c.ArrivalTime));
        mix(std::bit_cast<uint32_t>(c.FlameLength));
    }
    return h;
}

}  // namespace torvex::test
