// Window-less runs: argument parsing, the run through the loop's pass, the PNG and the arrival grid.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/run_control.h"
#include "display/png.h"
#include "driver/paint_log.h"
#include "driver/headless.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

TEST(HeadlessArgs, ParsesOptionsAndRefusesBadOnes) {
    HeadlessOptions o;
    std::string error;
    ASSERT_TRUE(ParseHeadlessArgs({"a.fgl", "--minutes", "30", "--paced", "--png", "m.png", "--arrival-grid",
                                   "g.asc", "--json"},
                                  o, &error));
    EXPECT_EQ(o.lessonPath, "a.fgl");
    EXPECT_EQ(o.minutes, 30);
    EXPECT_TRUE(o.paced);
    EXPECT_EQ(o.pngPath, "m.png");
    EXPECT_EQ(o.arrivalGridPath, "g.asc");
    EXPECT_TRUE(o.json);

    HeadlessOptions help;
    EXPECT_TRUE(ParseHeadlessArgs({"--help"}, help, &error));
    EXPECT_TRUE(help.help);

    const std::vector<std::vector<std::string>> bad = {
        {},
        {"a.fgl", "--minutes"},
        {"a.fgl", "--minutes", "0"},
        {"a.fgl", "--minutes", "12x"},
        {"a.fgl", "--minutes", "-3"},
        {"a.fgl", "--png"},
        {"a.fgl", "--arrival-grid"},
        {"a.fgl", "--fast"},
        {"a.fgl", "b.fgl"},
    };
    for (const auto& args : bad) {
        HeadlessOptions b;
        error.clear();
        EXPECT_FALSE(ParseHeadlessArgs(args, b, &error)) << ::testing::PrintToString(args);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(HeadlessMainTest, BadArgumentsAndMissingLessonsExitWithTwoAndOneLine) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--bogus"}, {"/nonexistent/lesson.fgl"}, {}}) {
        std::ostringstream out, err;
        EXPECT_EQ(HeadlessMain("torvex-run", args, ".", out, err), 2);
        EXPECT_TRUE(out.str().empty());
        const std::string e = err.str();
        EXPECT_EQ(e.rfind("torvex-run: ", 0), 0u) << e;
        EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;
    }
    std::ostringstream out, err;
    EXPECT_EQ(HeadlessMain("torvex-run", {"--help"}, ".", out, err), 0);
    EXPECT_NE(out.str().find("--arrival-grid FILE"), std::string::npos);
}

TEST(Checksums, KnownValues) {
    const std::string digits = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(digits.data()), digits.size()), 0xCBF43926u);
    const std::string iend = "IEND";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(iend.data()), iend.size()), 0xAE426082u);
    const std::string wiki = "Wikipedia";
    EXPECT_EQ(Adler32(reinterpret_cast<const uint8_t*>(wiki.data()), wiki.size()), 0x11E60398u);
}

uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

TEST(Png, MapPictureRoundTripsThroughStoredBlocks) {
    MapPicture pic;
    pic.Fill(Rgb(0, 40, 100));
    pic.Set(0, 0, Rgb(1, 2, 3));
    pic.Set(511, 511, kBurningRed);
    pic.Set(300, 7, 0xAB000000u | Rgb(9, 8, 7));  // a marker byte on top is not a colour
    const std::vector<uint8_t> png = EncodePng(pic);

    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_TRUE(std::equal(signature, signature + 8, png.begin()));
    // Walk the chunks, checking each CRC; gather the zlib stream.
    std::vector<std::string> types;
    std::vector<uint8_t> z;
    for (size_t at = 8; at < png.size();) {
        const uint32_t len = Be32(png, at);
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        types.push_back(type);
        EXPECT_EQ(Be32(png, at + 8 + len), Crc32(png.data() + at + 4, len + 4)) << type;
        if (type == "IHDR") {
            EXPECT_EQ(Be32(png, at + 8), 512u);
            EXPECT_EQ(Be32(png, at + 12), 512u);
            EXPECT_EQ(png[at + 16], 8);  // bit depth
            EXPECT_EQ(png[at + 17], 2);  // truecolour
        }
        if (type == "IDAT") z.insert(z.end(), png.begin() + at + 8, png.begin() + at + 8 + len);
        at += 12 + len;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));

    ASSERT_GE(z.size(), 6u);
    EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0);  // zlib header check bits
    std::vector<uint8_t> raw;
    size_t at = 2;
    for (bool last = false; !last;) {
        ASSERT_LT(at + 5, z.size());
        last = z[at] & 1;
        ASSERT_EQ(z[at] & 6, 0);  // stored
        const size_t len = z[at + 1] | z[at + 2] << 8;
        EXPECT_EQ(len ^ 0xFFFF, size_t(z[at + 3] | z[at + 4] << 8));
        raw.insert(raw.end(), z.begin() + at + 5, z.begin() + at + 5 + len);
        at += 5 + len;
    }
    ASSERT_EQ(at + 4, z.size());
    EXPECT_EQ(Be32(z, at), Adler32(raw.data(), raw.size()));

    ASSERT_EQ(raw.size(), 512u * (1 + 512 * 3));
    auto px = [&](int x, int y) {
        const size_t o = size_t(y) * (1 + 512 * 3) + 1 + size_t(x) * 3;
        return std::vector<int>{raw[o], raw[o + 1], raw[o + 2]};
    };
    EXPECT_EQ(raw[0], 0);  // filter none
    EXPECT_EQ(px(0, 0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(px(1, 0), (std::vector<int>{0, 40, 100}));
    EXPECT_EQ(px(511, 511), (std::vector<int>{128, 0, 0}));
    EXPECT_EQ(px(300, 7), (std::vector<int>{9, 8, 7}));
}

TEST(ArrivalGrid, IgnitionTimesWithNoDataElsewhere) {
    FireEngine f;
    f.GridWidth = 3;
    f.GridHeight = 2;
    f.CellSize = 12.5f;
    f.FuelGrid.assign(6, MapCell{});
    f.Cell(0, 0).ArrivalTime = -1.0f;   // lit by an event at the first step
    f.Cell(2, 0).ArrivalTime = -3.25f;
    f.Cell(1, 1).ArrivalTime = 7.5f;    // only claimed: never burned
    std::ostringstream out;
    WriteArrivalGrid(f, out);
    EXPECT_EQ(out.str(),
              "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 12.5\nNODATA_value -9999\n"
              "1 -9999 3.25\n"
              "-9999 -9999 -9999\n");
}

// A lesson installed in memory behind a HeadlessUi, as the runner uses it.
struct HeadlessFixture {
    HeadlessUi ui;
    FakeClock clock;
    Sim sim{ui, clock};

    explicit HeadlessFixture(std::vector<ScenarioEvent> events) {
        InitialConditions ic;
        ic.ConditionsSet = 1;
        ic.StartWindSpeed = 10;
        ic.StartWindDirection = 270;
        ic.Moisture1Hour = ic.Moisture10Hour = ic.Moisture100Hour = 8;
        ic.MoistureHerbaceous = ic.MoistureWoody = 100;
        ic.TimeRatio = 10;
        sim.lesson.Conditions = ic;
        sim.lesson.ScenarioEvents = std::move(events);
        sim.lesson.MapBitmap = UniformMapBitmap(1);
        sim.unpaced = true;
        InitialiseRun(sim);
        sim.run.LessonLoaded = kTrue;
        sim.run.RunState = "STOP";
    }
};

ScenarioEvent Event(int32_t time, const char* word, int16_t x = 0, int16_t y = 0) {
    ScenarioEvent e;
    e.EventTime = time;
    e.EventType = word;
    e.IgniteX = x;
    e.IgniteY = y;
    return e;
}

TEST(RunHeadless, RunsTheScriptToItsEndAndPrintsEveryShownMinute) {
    const std::vector<ScenarioEvent> script = {Event(780, "IGNITE", 128, 128), Event(790, "END OF SIMULATION")};
    HeadlessFixture a(script);
    std::vector<float> hookTimes;
    HeadlessResult r = RunHeadless(a.sim, a.ui, 0, [&](Sim&, float t) { hookTimes.push_back(t); });
    EXPECT_EQ(r.stop, "end of simulation");
    ASSERT_FALSE(r.minutes.empty());
    EXPECT_EQ(r.minutes.front().minute, 0);
    EXPECT_EQ(r.minutes.front().time, "13:00");
    EXPECT_EQ(r.minutes.front().elapsed, "0 hr 0");
    EXPECT_EQ(r.minutes.front().windKph, "16");
    EXPECT_EQ(r.minutes.front().windDirection, "270");
    EXPECT_EQ(r.minutes.back().minute, 10);
    EXPECT_EQ(r.minutes.back().time, "13:10");
    for (size_t i = 1; i < r.minutes.size(); ++i) EXPECT_GT(r.minutes[i].minute, r.minutes[i - 1].minute);
    EXPECT_GT(r.burnedCells, 0);
    EXPECT_GT(r.hectares, 0);
    EXPECT_NE(r.minutes.back().hectares, "0");
    EXPECT_TRUE(std::is_sorted(hookTimes.begin(), hookTimes.end()));
    EXPECT_EQ(hookTimes.front(), 0);

    // The same lesson runs the same way again.
    HeadlessFixture b(script);
    HeadlessResult again = RunHeadless(b.sim, b.ui, 0);
    ASSERT_EQ(again.minutes.size(), r.minutes.size());
    for (size_t i = 0; i < r.minutes.size(); ++i) {
        EXPECT_EQ(again.minutes[i].minute, r.minutes[i].minute);
        EXPECT_EQ(again.minutes[i].hectares, r.minutes[i].hectares);
    }
    EXPECT_EQ(again.simTime, r.simTime);
    EXPECT_EQ(b.sim.picture.pixels, a.sim.picture.pixels);
}

TEST(RunHeadless, StopsAtTheMinuteLimitOrWhenTheFireStops) {
    HeadlessFixture limited({Event(780, "IGNITE", 128, 128)});
    HeadlessResult r = RunHeadless(limited.sim, limited.ui, 5);
    EXPECT_EQ(r.stop, "minutes");
    EXPECT_GE(r.simTime, 5.0f);
    EXPECT_LE(r.minutes.back().minute, 5);

    HeadlessFixture nothing({Event(780, "ARRIVAL")});  // no ignition: the first step finds no front
    HeadlessResult n = RunHeadless(nothing.sim, nothing.ui, 0);
    EXPECT_EQ(n.stop, "fire stopped");
    ASSERT_EQ(n.minutes.size(), 1u);
    EXPECT_EQ(n.burnedCells, 0);

    HeadlessFixture unloaded({});
    unloaded.sim.run.LessonLoaded = kFalse;
    EXPECT_EQ(RunHeadless(unloaded.sim, unloaded.ui, 0).stop, "not started");
}

TEST(RunHeadless, ReplayOfARealRunUndoesToTheMapAndRedoesToTheEnd) {
    HeadlessFixture f({Event(780, "IGNITE", 100, 100), Event(780, "IGNITE", 102, 100), Event(800, "END OF SIMULATION")});
    f.sim.picture.Fill(Rgb(0, 40, 100));
    const std::vector<uint32_t> map = f.sim.picture.pixels;
    RunHeadless(f.sim, f.ui, 0);
    const std::vector<uint32_t> end = f.sim.picture.pixels;
    ASSERT_NE(end, map);
    StartReplay(f.sim);
    while (f.sim.paint.ReplayMinute > 0) ReplayBack(f.sim);
    EXPECT_EQ(f.sim.picture.pixels, map);
    while (f.sim.paint.ReplayMinute < f.sim.paint.ReplayLastMinute) ReplayForward(f.sim);
    EXPECT_EQ(f.sim.picture.pixels, end);
}

TEST(HeadlessDemo, RunsTheFirstLessonAndWritesThePictureInTheCurrentFolder) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("torvex-demo-test-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "prog" / "lessons");
    fs::create_directories(root / "work");
    ::setenv("TORVEX_MAP_DIR", (root / "map").c_str(), 1);
    const fs::path before = fs::current_path();
    fs::current_path(root / "work");

    std::ostringstream none;
    EXPECT_EQ(HeadlessDemoMain((root / "prog").string(), none), 1);
    EXPECT_NE(none.str().find("no demo lesson"), std::string::npos) << none.str();

    LessonFile l;
    l.Conditions.StartWindSpeed = 5;
    l.Conditions.Moisture1Hour = l.Conditions.Moisture10Hour = l.Conditions.Moisture100Hour = 8;
    l.Conditions.MoistureHerbaceous = l.Conditions.MoistureWoody = 100;
    l.Events = {Event(600, "IGNITE", 20, 20), Event(606, "END OF SIMULATION")};
    l.MapBitmap = UniformMapBitmap(1);
    const std::vector<uint8_t> bytes = SerialiseLesson(l);
    for (const char* name : {"b-second.fgl", "a-first.fgl"})
        std::ofstream(root / "prog" / "lessons" / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

    std::ostringstream out;
    EXPECT_EQ(HeadlessDemoMain((root / "prog").string(), out), 0);
    const std::string text = out.str();
    EXPECT_NE(text.find("a-first.fgl"), std::string::npos) << text;
    EXPECT_NE(text.find("stop: end of simulation"), std::string::npos) << text;
    const fs::path png = root / "work" / "torvex-demo.png";
    EXPECT_NE(text.find(png.string()), std::string::npos) << text;
    EXPECT_GT(fs::file_size(png), 512u * 512u * 3u);

    fs::current_path(before);
    fs::remove_all(root);
}

}  // namespace
}  // namespace torvex::test
