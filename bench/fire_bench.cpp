// Benchmark: a whole uniform 256 x 256 grass map burned from one ignition at its west edge, headless.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "app/run_control.h"
#include "app/sim.h"
#include "behaviour/ignition.h"
#include "fire/fire_step.h"
#include "ui/clock.h"
#include "ui/ui.h"

namespace {

using namespace torvex;

// The lesson map bitmap: 256 x 256 cells of one fuel code and the cell size in the header.
std::vector<uint8_t> UniformMap(uint8_t fuel, float cellSizeM) {
    std::vector<uint8_t> b(kMapBitmapBytes, 0);
    auto put32 = [&b](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, kMapBitmapBytes);
    std::memcpy(&b[6], &cellSizeM, 4);
    put32(10, kMapBitmapHeaderBytes);
    put32(14, 40);
    put32(18, 256);
    put32(22, 256);
    b[26] = 1;
    b[28] = 8;
    std::memset(&b[kMapBitmapHeaderBytes], fuel, 256 * 256);
    return b;
}

void BM_WholeMapBurn(benchmark::State& state) {
    NullUi ui;
    SystemClock clock;
    Sim sim(ui, clock);
    sim.unpaced = true;
    InitialConditions& ic = sim.lesson.Conditions;
    ic.StartWindSpeed = 20;
    ic.StartWindDirection = 270;
    ic.Moisture1Hour = 6;
    ic.Moisture10Hour = 7;
    ic.Moisture100Hour = 8;
    ic.MoistureHerbaceous = 60;
    ic.MoistureWoody = 90;
    sim.lesson.MapBitmap = UniformMap(1, 30.0f);

    int64_t handled = 0, steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        InitialiseRun(sim);
        IgniteCell(sim, 0, 128);
        state.ResumeTiming();
        while (!sim.run.FireStopped) {
            handled += sim.fire.ActiveCount;
            FireStep(sim);
            ++steps;
        }
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["elements"] = benchmark::Counter(static_cast<double>(handled) / runs);
    state.counters["elements_per_s"] = benchmark::Counter(static_cast<double>(handled), benchmark::Counter::kIsRate);
    state.counters["s_per_element"] = benchmark::Counter(
        static_cast<double>(handled), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["steps"] = benchmark::Counter(static_cast<double>(steps) / runs);
    state.counters["fire_minutes"] = sim.fire.FireTime - 1.0f;
    state.counters["burned_cells"] = sim.fire.BurnedOutCount + sim.fire.BurningCount;
}
BENCHMARK(BM_WholeMapBurn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
