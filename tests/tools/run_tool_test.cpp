// torvex-run as a process: minute lines, the PNG of the burn, a repeatable second run, JSON, exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "lesson/lesson.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;

struct Ran {
    int status = -1;
    std::string out;
};

class RunToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("torvex-run-test-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "map");
        // A grass lesson: one ignition in the middle at 13:00, the end of the exercise at 13:15.
        LessonFile l;
        l.Conditions.ConditionsSet = 1;
        l.Conditions.StartWindSpeed = 10;
        l.Conditions.StartWindDirection = 270;
        l.Conditions.Moisture1Hour = l.Conditions.Moisture10Hour = l.Conditions.Moisture100Hour = 6;
        l.Conditions.MoistureHerbaceous = l.Conditions.MoistureWoody = 100;
        l.Conditions.TimeRatio = 10;
        ScenarioEvent ignite;
        ignite.EventTime = 780;
        ignite.EventType = "IGNITE";
        ignite.IgniteX = ignite.IgniteY = 128;
        ScenarioEvent end;
        end.EventTime = 795;
        end.EventType = "END OF SIMULATION";
        l.Events = {ignite, end};
        l.MapBitmap = UniformMapBitmap(1);
        const std::vector<uint8_t> bytes = SerialiseLesson(l);
        lesson = dir / "small.fgl";
        std::ofstream(lesson, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the tool with stdout captured; stderr goes to a file of its own.
    Ran Run(const std::string& args) {
        const std::string cmd = "TORVEX_MAP_DIR='" + (dir / "map").string() + "' '" TORVEX_PROGRAM_DIR "/torvex-run' " +
                                args + " 2>'" + (dir / "stderr.txt").string() + "'";
        Ran r;
        FILE* p = ::popen(cmd.c_str(), "r");
        if (!p) return r;
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
        const int st = ::pclose(p);
        r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        return r;
    }
    std::string Stderr() {
        std::ifstream f(dir / "stderr.txt");
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

    fs::path dir, lesson;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// Pixel rows of a truecolour PNG made of stored deflate blocks (what the runner writes).
std::vector<uint8_t> StoredPngPixels(const fs::path& file) {
    std::ifstream f(file, std::ios::binary);
    std::vector<uint8_t> png((std::istreambuf_iterator<char>(f)), {});
    std::vector<uint8_t> z, raw;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t len = Be32(png, at);
        if (std::string(png.begin() + at + 4, png.begin() + at + 8) == "IDAT")
            z.insert(z.end(), png.begin() + at + 8, png.begin() + at + 8 + len);
        at += 12 + len;
    }
    for (size_t at = 2; at + 5 <= z.size();) {
        const size_t len = z[at + 1] | z[at + 2] << 8;
        const bool last = z[at] & 1;
        raw.insert(raw.end(), z.begin() + at + 5, z.begin() + at + 5 + len);
        at += 5 + len;
        if (last) break;
    }
    return raw;
}

TEST_F(RunToolTest, PrintsTheMinutesWritesTheBurnAndRepeatsItself) {
    const fs::path png = dir / "final.png";
    Ran first = Run(Quoted(lesson) + " --png " + Quoted(png));
    ASSERT_EQ(first.status, 0) << Stderr();
    const std::vector<std::string> lines = Lines(first.out);
    ASSERT_GE(lines.size(), 10u) << first.out;
    EXPECT_EQ(lines.front(), "minute 0  day 1  13:00  elapsed 0 hr 0  hectares 0  cost $0  wind 16 km/h from 270");
    // The end falls due in the first pass that shows 13:15 or later (a step may cross half a minute).
    const std::string& last = lines[lines.size() - 2];
    EXPECT_TRUE(last.rfind("minute 15  day 1  13:15  elapsed 0 hr 15  hectares ", 0) == 0 ||
                last.rfind("minute 16  day 1  13:16  elapsed 0 hr 16  hectares ", 0) == 0)
        << last;
    EXPECT_EQ(lines.back().rfind("stop: end of simulation", 0), 0u) << lines.back();

    // The burn shows on the picture: the ignition cell's pixels are burned black on the blue background.
    const std::vector<uint8_t> raw = StoredPngPixels(png);
    ASSERT_EQ(raw.size(), 512u * (1 + 512 * 3));
    auto rgb = [&](int x, int y) {
        const size_t o = size_t(y) * (1 + 512 * 3) + 1 + size_t(x) * 3;
        return std::vector<int>{raw[o], raw[o + 1], raw[o + 2]};
    };
    EXPECT_EQ(rgb(256, 256), (std::vector<int>{0, 0, 0}));
    EXPECT_NE(rgb(5, 5), (std::vector<int>{0, 0, 0}));

    Ran second = Run(Quoted(lesson));
    ASSERT_EQ(second.status, 0) << Stderr();
    EXPECT_EQ(second.out, first.out);
}

TEST_F(RunToolTest, JsonAndArrivalGrid) {
    const fs::path grid = dir / "arrival.asc";
    Ran r = Run(Quoted(lesson) + " --minutes 8 --json --arrival-grid " + Quoted(grid));
    ASSERT_EQ(r.status, 0) << Stderr();
    const nlohmann::json j = nlohmann::json::parse(r.out);
    ASSERT_TRUE(j["minutes"].is_array());
    const nlohmann::json& m0 = j["minutes"][0];
    EXPECT_EQ(m0["minute"], 0);
    for (const char* key : {"day", "time", "elapsed", "hectares", "cost", "wind_kph", "wind_direction"})
        EXPECT_TRUE(m0[key].is_string()) << key;
    EXPECT_EQ(m0["time"], "13:00");
    const nlohmann::json& fin = j["final"];
    EXPECT_EQ(fin["stop"], "minutes");
    EXPECT_GE(fin["sim_time"].get<double>(), 8.0);
    EXPECT_GT(fin["burned_cells"].get<int>(), 0);
    EXPECT_TRUE(fin["burning_cells"].is_number());
    EXPECT_GT(fin["hectares"].get<double>(), 0);

    std::ifstream g(grid);
    std::vector<std::string> rows;
    for (std::string l; std::getline(g, l);) rows.push_back(l);
    ASSERT_EQ(rows.size(), 6u + 256u);
    EXPECT_EQ(rows[5], "NODATA_value -9999");
    std::istringstream row(rows[6 + 128]);
    std::vector<std::string> cells{std::istream_iterator<std::string>(row), {}};
    ASSERT_EQ(cells.size(), 256u);
    EXPECT_EQ(cells[128], "1");  // lit by the event at the first step, fire time 1
    EXPECT_EQ(cells[0], "-9999");
}

TEST_F(RunToolTest, RefusesBadArgumentsAndUnreadableLessonsWithStatusTwo) {
    const fs::path junk = dir / "junk.fgl";
    std::ofstream(junk) << "not a lesson";
    for (const std::string& args : {Quoted(lesson) + " --minutes 0", Quoted(junk), Quoted(dir / "missing.fgl")}) {
        Ran r = Run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(r.out.empty());
        const std::vector<std::string> err = Lines(Stderr());
        ASSERT_EQ(err.size(), 1u) << Stderr();
        EXPECT_EQ(err[0].rfind("torvex-run: ", 0), 0u);
    }
}

}  // namespace
}  // namespace torvex::test
