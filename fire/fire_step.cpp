// The adaptive fire time step and the engine reset.
#include "fire/fire_step.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "app/run_control.h"
#include "app/sim.h"
#include "behaviour/wind_change.h"
#include "driver/paint_log.h"
#include "fire/continue_front.h"
#include "fire/spread.h"

namespace torvex {

void ResetEngine(Sim& sim) {
    FireEngine& f = sim.fire;
    f.EngineWindSpeed = sim.run.WindSpeed;
    f.EngineWindDirection = sim.run.WindDirection;
    f.WeatherChanged = kFalse;
    f.DiagonalLength = std::sqrt(static_cast<double>(f.CellSize) * f.CellSize + static_cast<double>(f.CellSize) * f.CellSize);
    f.FrontCapacity = 50000;
    f.ActiveFronts.assign(static_cast<size_t>(f.FrontCapacity) + 1, FrontElement{});
    f.NextFronts.assign(static_cast<size_t>(f.FrontCapacity) + 1, FrontElement{});
    f.BurningCapacity = 1000;
    f.BurningCells.assign(static_cast<size_t>(f.BurningCapacity) + 1, BurningCell{});
    sim.spread = SpreadData{};
    f.BurnedOutCount = 0;
    f.FireTime = 1.0f;
    f.TimeStep = 0;
    f.BurningCount = 0;
    f.ActiveCount = 0;
    f.NextCount = 0;
    f.BurnedArea = 0;
    f.ActiveFuel = 0;
    f.ActiveFuelFlame = 0;
    BuildSpreadTemplates(sim);
}

namespace {

void TakeOverWeather(Sim& sim) {
    FireEngine& f = sim.fire;
    const int16_t oldDirection = f.EngineWindDirection;
    f.EngineWindSpeed = sim.run.WindSpeed;
    f.EngineWindDirection = sim.run.WindDirection;
    BuildSpreadTemplates(sim);
    if (oldDirection != f.EngineWindDirection) ApplyWindChange(sim);
    f.WeatherChanged = kFalse;
}

// Cells past their burn-out time turn black and leave the list; newly ignited ones turn red.
void UpdateBurningCells(Sim& sim) {
    FireEngine& f = sim.fire;
    int32_t kept = 0;
    for (int32_t j = 1; j <= f.BurningCount; ++j) {
        BurningCell c = f.BurningCells[j];
        if (f.FireTime >= c.BurnOutTime) {
            PaintCell(sim, c.CellX, c.CellY, 0);
            ++f.BurnedOutCount;
            continue;
        }
        if (c.State == -1) {
            c.State = 1;
            PaintCell(sim, c.CellX, c.CellY, 1);
        }
        f.BurningCells[++kept] = c;  // kept never passes j, so the list needs no room
    }
    f.BurningCount = kept;
}

// The first index in [from, to) whose flame length is `flame`.
int32_t FirstWithFlame(const FrontElement* a, int32_t from, int32_t to, float flame) {
    for (int32_t k = from; k < to; ++k)
        if (a[k].FlameLength == flame) return k;
    return 0;
}

// Carries ActiveFronts[from..] over to NextFronts up to the first due element, gathering the rate and
// flame of each; returns that element's index, or last + 1 when none is due.
// Kept out of the step: inlined there, its running maxima were kept in memory rather than registers.
int32_t CarryOverUntilDue(FireEngine& f, int32_t from, int32_t last) {
    const FrontElement* a = f.ActiveFronts.data();
    const float now = f.FireTime;
    // Gathered in locals: a store to the engine's floats could otherwise alias every element read.
    const float startFlame = f.ActiveFuelFlame;
    float maxRate = f.MaxRate, maxFlame = startFlame;
    int32_t k = from;
    if (f.NextCount + (last - from + 1) < f.FrontCapacity) {
        // Room for every element left: each is copied as it is read, in one pass, two at a time.
        FrontElement* out = f.NextFronts.data() + f.NextCount + 1 - from;
#if defined(__SSE2__)
        // The element as three loads and stores whose registers give the maxima directly (the
        // compiler reloads each field); MAXSS keeps its second operand unless the first is greater,
        // as the comparisons below do, NaN and signed zeros included.
        static_assert(sizeof(FrontElement) == 36 && offsetof(FrontElement, Rate) == 16 &&
                      offsetof(FrontElement, FlameLength) == 32);
        __m128 rateMax = _mm_set_ss(maxRate), flameMax = _mm_set_ss(maxFlame);
        const auto carry = [&](int32_t j) {
            const float* from = reinterpret_cast<const float*>(&a[j]);
            float* to = reinterpret_cast<float*>(&out[j]);
            const __m128 head = _mm_loadu_ps(from), middle = _mm_loadu_ps(from + 4);
            int32_t flameBits;
            std::memcpy(&flameBits, from + 8, 4);
            const __m128 flame = _mm_castsi128_ps(_mm_cvtsi32_si128(flameBits));
            _mm_storeu_ps(to, head);
            _mm_storeu_ps(to + 4, middle);
            std::memcpy(to + 8, &flameBits, 4);
            rateMax = _mm_max_ss(middle, rateMax);
            flameMax = _mm_max_ss(flame, flameMax);
        };
#else
        const auto carry = [&](int32_t j) {
            const float rate = a[j].Rate, flame = a[j].FlameLength;
            out[j] = a[j];
            maxRate = rate > maxRate ? rate : maxRate;
            maxFlame = flame > maxFlame ? flame : maxFlame;
        };
#endif
        for (;;) {
            if (k < last) {
                if (now >= a[k].ArrivalTime) break;
                carry(k);
                if (now >= a[k + 1].ArrivalTime) {
                    ++k;
                    break;
                }
                carry(k + 1);
                k += 2;
            } else {
                if (k == last && !(now >= a[k].ArrivalTime)) {
                    carry(k);
                    ++k;
                }
                break;
            }
        }
#if defined(__SSE2__)
        maxRate = _mm_cvtss_f32(rateMax);
        maxFlame = _mm_cvtss_f32(flameMax);
#endif
        f.NextCount += k - from;
    } else {
        for (; k <= last; ++k) {
            const FrontElement e = f.ActiveFronts[k];  // a copy: growing moves both lists
            if (now >= e.ArrivalTime) break;
            f.AppendNext() = e;
            maxRate = e.Rate > maxRate ? e.Rate : maxRate;
            maxFlame = e.FlameLength > maxFlame ? e.FlameLength : maxFlame;
        }
        a = f.ActiveFronts.data();
    }
    f.MaxRate = maxRate;
    // The fuel shown is that of the first element with the greatest flame; a new greatest is rare,
    // so it is looked for only then.
    if (maxFlame > startFlame) {
        f.ActiveFuelFlame = maxFlame;
        const FrontElement& e = a[FirstWithFlame(a, from, k, maxFlame)];
        f.ActiveFuel = f.Cell(e.CellX, e.CellY).FuelModel;
    }
    return k;
}

// Some element can still act: it is due now, or its rate will give the clock a step.
bool AnyCanMove(const FireEngine& f) {
    for (int32_t i = 1; i <= f.ActiveCount; ++i) {
        const FrontElement& e = f.ActiveFronts[i];
        if (e.Rate > 0.0f || f.FireTime >= e.ArrivalTime) return true;
    }
    return false;
}

}  // namespace

void FireStep(Sim& sim) {
    FireEngine& f = sim.fire;
    if (f.ActiveCount == 0) {
        sim.run.FireStopped = kTrue;
        return;
    }
    if (f.WeatherChanged) TakeOverWeather(sim);

    if (f.MaxRate > 0.0f) {
        f.TimeStep = f.CellSize / (2.0f * f.MaxRate);
        if (f.TimeStep > 1.0f) f.TimeStep = 1.0f;
        f.MaxRate = 0.0f;
        f.ActiveFuelFlame = 0.0f;
    }
    // Every waiting ray has rate 0 and none is due: the clock could never move and the fire would
    // wait for ever, so it stops like a fire with no front left.
    if (!(f.TimeStep > 0.0f) && !AnyCanMove(f)) {
        sim.run.FireStopped = kTrue;
        return;
    }
    f.FireTime = f.FireTime + f.TimeStep;

    PrepareDirectionLookup(sim);
    struct Release {
        ~Release() { ReleaseDirectionLookup(); }
    } release;
    const int32_t n = f.ActiveCount;
    int32_t i = 1;
    while (i <= n) {
        // Carrying a waiting element over reads nothing a handler could change, so a run of them is
        // carried in one block and the window system gets its turn after the block.
        const int32_t due = CarryOverUntilDue(f, i, n);
        if (due > i) {
            YieldToWindow(sim);
            if (sim.run.EndRequested) return;
        }
        if (due > n) break;
        // A copy: the spread may grow (and so move) both lists.
        FrontElement e = f.ActiveFronts[due];
        if (e.ArrivalTime == f.Cell(e.CellX, e.CellY).ArrivalTime) {
            SpreadFromFront(sim, due);
        } else {
            e.Life = static_cast<int16_t>(e.Life - 1);
            f.ActiveFronts[due].Life = e.Life;
            // The continuation takes the copy: reading the list back would wait on the store just made.
            if (e.Life > 0) ContinueElement(sim, e);
        }
        YieldToWindow(sim);
        if (sim.run.EndRequested) return;
        i = due + 1;
    }

    // Rays lit by a handler while the step yielded wait beyond n; carry them over with the rest.
    for (int32_t i = n + 1; i <= f.ActiveCount; ++i) {
        const FrontElement e = f.ActiveFronts[i];
        AppendNextFront(f) = e;
        if (e.Rate > f.MaxRate) f.MaxRate = e.Rate;
    }
    // Both lists always have the same capacity, so trading them is the end-of-step copy.
    std::swap(f.ActiveFronts, f.NextFronts);
    f.ActiveCount = f.NextCount;
    f.NextCount = 0;

    UpdateBurningCells(sim);
    sim.run.SimTime = f.FireTime;
    f.BurnedArea = static_cast<float>(double(f.CellSize) * double(f.CellSize) *
                                      (double(f.BurningCount) / 2.0 + double(f.BurnedOutCount)) / 10000.0);
}

}  // namespace torvex
