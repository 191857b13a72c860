// Composition of the map picture from 15 textures: a patchy landscape and the worst case of one-cell runs.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app/sim.h"
#include "display/bmp.h"
#include "display/map_image.h"

namespace {

namespace fs = std::filesystem;
using namespace torvex;

struct Folder {
    NullUi ui;
    SystemClock clock;
    Sim sim{ui, clock};
    fs::path dir = fs::temp_directory_path() / ("torvex-bench-map-" + std::to_string(getpid()));

    Folder() {
        fs::create_directories(dir);
        sim.programDir = dir.string();
        std::ofstream cfg(dir / "Fuels.cfg");
        cfg << "15\n";
        for (int f = 1; f <= 15; ++f) {
            Bitmap8 t;
            t.width = t.height = 512;
            t.pixels.assign(512 * 512, 0);
            for (size_t i = 0; i < t.pixels.size(); ++i) t.pixels[i] = uint8_t(i * 7 + f);
            for (int i = 0; i < 256; ++i) t.SetColour(i, uint8_t(i), uint8_t(f * 10), uint8_t(255 - i));
            const std::string name = "t" + std::to_string(f) + ".bmp";
            WriteFileBytes((dir / name).string(), EncodeBitmap8(t));
            cfg << f << ",\"Fuel\",p.bmp," << name << "\n";
        }
        cfg.close();
        sim.display.FuelTablePath = "Fuels.cfg";
        LoadMapFile(sim);
    }
    ~Folder() { fs::remove_all(dir); }

    std::string Map(int runLength) {
        Bitmap8 m;
        m.width = m.height = 256;
        m.pixels.resize(65536);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) m.At(x, y) = uint8_t(1 + ((x / runLength) * 5 + y / 16) % 15);
        const fs::path p = dir / ("map" + std::to_string(runLength) + ".Fue");
        WriteFileBytes(p.string(), EncodeBitmap8(m));
        return p.string();
    }
};

void BM_MakeAir(benchmark::State& state) {
    Folder folder;
    const std::string map = folder.Map(int(state.range(0)));
    for (auto _ : state) {
        MakeAir(folder.sim, map);
        benchmark::DoNotOptimize(folder.sim.picture.pixels.data());
    }
}
// Runs of 16 cells read like a landscape; runs of 1 cell are the most strips a map can need.
BENCHMARK(BM_MakeAir)->Arg(16)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
