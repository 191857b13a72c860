// libFuzzer target: arbitrary bytes as a lesson file, through the parser and the whole load.
//
// Every input is parsed, written to a file and opened the way the trainee opens a lesson. A file
// the loader refuses must leave the lesson loaded before it exactly as it was; a file it takes
// must round-trip through the writer, and loading the good lesson again afterwards must bring
// back exactly the first state. With TORVEX_FUZZ_RUN the taken lesson is also played for a few
// simulated minutes (TORVEX_FUZZ_MINUTES, 4 unless set), so its events, weather and map meet the
// fire engine and the resources.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "app/sim.h"
#include "display/bmp.h"
#include "driver/headless.h"
#include "fire/grid.h"
#include "lesson/lesson.h"
#include "resources/roster.h"

#ifndef TORVEX_PROGRAM_DIR
#define TORVEX_PROGRAM_DIR "."
#endif

namespace {

namespace fs = std::filesystem;
using namespace torvex;

[[noreturn]] void Fault(const std::string& what, const std::string& detail = {}) {
    std::fprintf(stderr, "lesson_fuzz: %s\n%s\n", what.c_str(), detail.c_str());
    std::fflush(stderr);
    std::abort();
}

// The standard library's hash runs uninstrumented: hashing a megabyte per state stays cheap.
size_t Hash(const void* data, size_t n) {
    return std::hash<std::string_view>{}(std::string_view(static_cast<const char*>(data), n));
}

// A lesson that uses every record kind: classes of both categories, resources, all event types.
std::vector<uint8_t> GoodLesson() {
    LessonFile f;
    InitialConditions& ic = f.Conditions;
    ic.ConditionsSet = -1;
    ic.StartWindSpeed = 8;
    ic.StartWindDirection = 225;
    ic.Temperature = 85;
    ic.RelativeHumidity = 20;
    ic.Moisture1Hour = 6;
    ic.Moisture10Hour = 7;
    ic.Moisture100Hour = 8;
    ic.MoistureHerbaceous = 120;
    ic.MoistureWoody = 150;
    ic.TimeRatio = 10;
    ic.RefuelTime = 30;
    ic.ReloadTime = 10;

    ResourceClass crew;
    crew.ClassName = "Hand Crew";
    crew.Category = "Ground";
    crew.GroundKind = "Crew";
    crew.RateUnits = "chains/hr";
    crew.ProductionRate = 20;
    ResourceClass tanker;
    tanker.ClassName = "Air Tanker";
    tanker.Category = "Air";
    tanker.AirKind = "Tanker";
    tanker.Endurance = 120;
    tanker.DropLength = 300;
    f.Classes = {crew, tanker};

    LessonResource r1;
    r1.Name = "Crew 1";
    r1.ClassName = "Hand Crew";
    r1.InitialStatus = "Active";
    r1.HourlyCost = 600;
    LessonResource r2;
    r2.Name = "Tanker 9";
    r2.ClassName = "Air Tanker";
    r2.InitialStatus = "Callup";
    r2.CallupDelay = 15;
    r2.DropCost = 3000;
    r2.HourlyCost = 2500;
    f.Resources = {r1, r2};

    auto event = [](int32_t time, const char* type) {
        ScenarioEvent e;
        e.EventTime = time;
        e.EventType = type;
        return e;
    };
    ScenarioEvent ignite = event(600, "IGNITE");
    ignite.IgniteX = 128;
    ignite.IgniteY = 128;
    ScenarioEvent wind = event(603, "WIND CHANGE");
    wind.NewWindDirection = 270;
    wind.NewWindSpeed = 12;
    ScenarioEvent injury = event(604, "INJURY/FAILURE");
    injury.ResourceName = "Crew 1";
    injury.Duration = 5;
    f.Events = {ignite, event(602, "ARRIVAL"), wind, injury, event(900, "END OF SIMULATION")};

    Bitmap8 map;
    map.width = map.height = 256;
    map.pixels.resize(65536);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) map.At(x, y) = uint8_t((x / 32 + y / 32) % 14);
    for (int i = 0; i < 256; ++i) map.SetColour(i, uint8_t(i), uint8_t(255 - i), uint8_t(i / 2));
    map.SetCellSize(30.0f);
    f.MapBitmap = EncodeBitmap8(map);

    std::string why;
    if (!CheckLessonLimits(f, &why)) Fault("the good lesson does not fit the file", why);
    return SerialiseLesson(f);
}

// Everything a load may set, in one text: two states that print alike are alike for the trainee.
std::string Snapshot(const Sim& sim) {
    std::ostringstream o;
    const InitialConditions& ic = sim.lesson.Conditions;
    o << "conditions " << Hash(&ic, sizeof ic) << '\n';
    for (const ScenarioEvent& e : sim.lesson.ScenarioEvents)
        o << "event " << e.Done << ' ' << e.EventTime << " [" << e.EventType << "] " << e.IgniteX << ' ' << e.IgniteY
          << ' ' << e.NewWindDirection << ' ' << e.NewWindSpeed << " [" << e.ResourceName << "] " << e.Permanent
          << ' ' << e.Duration << '\n';
    const RosterState& rs = sim.roster;
    o << "roster " << rs.ResourceCount << ' ' << rs.Roster.size() << ' ' << rs.SelectedResource << '\n';
    for (size_t i = 1; i < rs.Roster.size(); ++i) {
        const Resource& r = rs.Roster[i];
        o << " [" << r.Name << "] [" << r.ClassName << "] [" << r.Kind << "] " << r.Status << '/' << r.Activity << ' '
          << r.BusyUntil << ' ' << r.Endurance << ' ' << r.AirSpareValue << ' ' << r.DropLength << " [" << r.RateUnits
          << "] " << r.ProductionRate << " [" << r.SpareText << "] " << r.CallupDelay << " [" << r.ResourceNote << "] "
          << r.DropCost << ' ' << r.HourlyCost << ' ' << r.MinuteCount << ' ' << r.PixelsPerMinute << ' ' << r.Cost
          << ' ' << r.LineSlot << ' ' << r.PosX << ' ' << r.PosY << '\n';
    }
    for (int s = 1; s <= kLineSlots; ++s) o << rs.LineSlotUsed[s] << (rs.GrndRes[s - 1].visible ? 'v' : '-');
    o << '\n';
    const Lesson& l = sim.lesson;
    o << "map " << l.MapBitmap.size() << ' ' << Hash(l.MapBitmap.data(), l.MapBitmap.size()) << " path "
      << l.MapFilePath << " lesson [" << l.LessonPath << "]\n";
    const FireEngine& f = sim.fire;
    o << "grid " << f.GridWidth << 'x' << f.GridHeight << ' ' << f.CellSize << ' '
      << Hash(f.FuelGrid.data(), f.FuelGrid.size() * sizeof(MapCell)) << " fronts " << f.ActiveCount << ' '
      << f.NextCount << " burning " << f.BurningCount << " area " << f.BurnedArea << '\n';
    o << "picture " << Hash(sim.picture.pixels.data(), sim.picture.pixels.size() * 4) << " ["
      << sim.display.ComposeProblem << "]\n";
    const RunVars& run = sim.run;
    o << "run [" << run.RunState << "] " << run.LessonLoaded << ' ' << run.FireStopped << ' ' << run.OnSite << ' '
      << run.SimTime << ' ' << run.StartTime << ' ' << run.WindSpeed << ' ' << run.WindDirection << '\n';
    return o.str();
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> b;
    ReadFileBytes(path, b);
    return b;
}

struct Harness {
    fs::path dir;
    HeadlessUi ui;
    SystemClock clock;
    Sim sim{ui, clock};
    std::string goodPath, inputPath, goodState;
    int32_t runMinutes = 4;  // simulated minutes each taken lesson is played; TORVEX_FUZZ_MINUTES

    Harness() {
        // Prefer memory-backed storage: the loader syncs the map copy it writes.
        fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        dir = base / ("torvex-lesson-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(dir / "maps");
        ::setenv("TORVEX_MAP_DIR", (dir / "maps").c_str(), 1);
        goodPath = (dir / "good.fgl").string();
        inputPath = (dir / "input.fgl").string();
        WriteFileBytes(goodPath, GoodLesson());

        // Reading the textures costs most of a load and does not depend on the lesson, so the
        // map is drawn from them only when asked (TORVEX_FUZZ_PROGRAM_DIR=1: the build's folder).
        const char* programDir = std::getenv("TORVEX_FUZZ_PROGRAM_DIR");
        if (programDir && std::string(programDir) == "1") programDir = TORVEX_PROGRAM_DIR;
        sim.programDir = programDir && *programDir ? programDir : (dir / "no-program-folder").string();
        sim.unpaced = true;
        if (const char* m = std::getenv("TORVEX_FUZZ_MINUTES"); m && std::atoi(m) > 0) runMinutes = std::atoi(m);
        std::string why;
        if (!LoadHeadlessLesson(sim, ui, goodPath, &why)) Fault("the good lesson does not load", why);
        sim.lesson.LessonPath = goodPath;
        goodState = Snapshot(sim);
    }

    ~Harness() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    void Check(const uint8_t* data, size_t size) {
        const std::vector<uint8_t> bytes(data, data + size);
        std::string why;
        std::optional<LessonFile> parsed = ParseLesson(bytes, &why);
        if (parsed) {
            std::string limits;
            if (!CheckLessonLimits(*parsed, &limits)) Fault("a parsed lesson breaks the file's limits", limits);
            // Nothing is lost or made up: written back, the lesson is the input up to its map's end.
            const std::vector<uint8_t> again = SerialiseLesson(*parsed);
            if (again.size() > bytes.size() || !std::equal(again.begin(), again.end(), bytes.begin()))
                Fault("a parsed lesson does not write back as it was read");
        } else if (why.empty()) {
            Fault("a refused lesson gives no reason");
        }

        ui.messages.clear();
        ui.messageBoxes.clear();
        WriteFileBytes(inputPath, bytes);
        const bool loaded = ReadLesson(sim, inputPath);
        if (loaded != parsed.has_value()) Fault(loaded ? "the loader took a file the parser refuses" : "the loader refused a parsed file");
        if (!loaded) {
            if (ui.messageBoxes.size() != 1) Fault("a refused lesson did not show exactly one message box");
            const std::string now = Snapshot(sim);
            if (now != goodState) Fault("a refused lesson changed the loaded one", goodState + "----\n" + now);
            return;
        }

        // The taken lesson is the current one, and its map copy on disk is its bitmap.
        sim.lesson.LessonPath = inputPath;
        if (sim.roster.ResourceCount != static_cast<int16_t>(parsed->Resources.size()) ||
            sim.roster.Roster.size() != parsed->Resources.size() + 1)
            Fault("the roster does not hold the lesson's resources");
        if (sim.lesson.ScenarioEvents.size() != parsed->Events.size()) Fault("the script does not hold the lesson's events");
        if (FileBytes(sim.lesson.MapFilePath) != sim.lesson.MapBitmap) Fault("the map copy is not the lesson's bitmap");
        if (sim.fire.GridWidth != 256 || sim.fire.GridHeight != 256 || sim.fire.FuelGrid.size() != 65536)
            Fault("the grid is not the lesson's 256 x 256 map");
#ifdef TORVEX_FUZZ_RUN
        RunHeadless(sim, ui, runMinutes);
#endif

        // Back to the good lesson: nothing of this one may remain.
        ui.messages.clear();
        ui.messageBoxes.clear();
        if (!ReadLesson(sim, goodPath)) Fault("the good lesson no longer loads");
        sim.lesson.LessonPath = goodPath;
        const std::string now = Snapshot(sim);
        if (now != goodState) Fault("loading the good lesson again left something of the fuzzed one", goodState + "----\n" + now);
    }
};

Harness* harness = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    harness = new Harness();
    std::atexit([] { delete harness; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    harness->Check(data, size);
    return 0;
}
