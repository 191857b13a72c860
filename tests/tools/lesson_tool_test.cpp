// The lesson builder: JSON and fuel grids to lesson files and back, its refusals, and the demo lessons.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "fire/grid.h"
#include "lesson/lesson.h"
#include "tools/lesson_json.h"
#include "tools/map_png.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
using namespace torvex::lessontool;
using nlohmann::json;

fs::path TempRoot() { return fs::temp_directory_path() / ("torvex-lesson-test-" + std::to_string(::getpid())); }

// Each test works in its own folder; the run's folders go when the run ends.
class TempCleanup : public ::testing::Environment {
public:
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(TempRoot(), ec);
    }
};
[[maybe_unused]] const auto* const kCleanup = ::testing::AddGlobalTestEnvironment(new TempCleanup);

fs::path TempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    const fs::path dir = TempRoot() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void WriteText(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

void WriteBytes(const fs::path& p, const std::vector<uint8_t>& b) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A map with every code and a marked north-west corner, to see orientation and values survive.
FuelMap PatternMap() {
    FuelMap m;
    m.cellSizeM = 12.5f;
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x) m.At(x, y) = static_cast<uint8_t>((x / 16 + y / 16) % 16);
    m.At(0, 0) = 14;
    m.At(255, 255) = 13;
    return m;
}

// A small valid lesson: one ground and one air class, two resources, one event of each kind.
json SmallLesson() {
    return json::parse(R"({
      "conditions": { "ConditionsSet": 1, "StartWindSpeed": 10, "StartWindDirection": 270, "Temperature": 85,
        "RelativeHumidity": 20, "Moisture1Hour": 8, "Moisture10Hour": 9, "Moisture100Hour": 10,
        "MoistureHerbaceous": 100, "MoistureWoody": 100, "TimeRatio": 10, "RefuelTime": 30, "ReloadTime": 15 },
      "classes": [
        { "ClassName": "Crew", "Category": "Ground", "GroundKind": "Crew", "RateUnits": "chains/hr", "ProductionRate": 20 },
        { "ClassName": "Tanker", "Category": "Air", "AirKind": "Tanker", "Endurance": 120, "DropLength": 300 } ],
      "resources": [
        { "Name": "Crew 1", "ClassName": "Crew", "InitialStatus": "Active", "CallupDelay": 0,
          "DropCost": 0, "HourlyCost": 500 },
        { "Name": "Tanker 9", "ClassName": "Tanker", "InitialStatus": "Callup", "CallupDelay": 20,
          "ResourceNote": "Type 2", "DropCost": 4000, "HourlyCost": 2500 } ],
      "events": [
        { "EventTime": 780, "EventType": "IGNITE", "IgniteX": 128, "IgniteY": 100 },
        { "EventTime": 800, "EventType": "ARRIVAL" },
        { "EventTime": 830, "EventType": "WIND CHANGE", "NewWindDirection": 315, "NewWindSpeed": 15 },
        { "EventTime": 840, "EventType": "INJURY/FAILURE", "ResourceName": "Crew 1", "Permanent": 0, "Duration": 30 },
        { "EventTime": 900, "EventType": "END OF SIMULATION" } ],
      "map": "grass.asc"
    })");
}

// Any map reference gives a uniform short-grass map: the JSON tests do not need files.
std::vector<uint8_t> GrassLoader(const std::string&, std::optional<float>) {
    FuelMap m;
    std::fill(m.codes.begin(), m.codes.end(), 1);
    return MakeMapBitmap(m);
}

std::string BuildError(const json& doc) {
    try {
        LessonFromJson(doc, GrassLoader);
    } catch (const InputError& e) {
        return e.what();
    }
    return "(built)";
}

std::string GridError(const std::string& text) {
    try {
        ReadAscGrid(text);
    } catch (const InputError& e) {
        return e.what();
    }
    return "(read)";
}

// --------------------------------------------------------------------------------------------
// Fuel grids and the map bitmap.

TEST(LessonMap, GridAndBitmapKeepCodesOrientationAndCellSize) {
    const FuelMap m = PatternMap();
    const std::string asc = WriteAscGrid(m);
    const FuelMap back = ReadAscGrid(asc);
    EXPECT_EQ(back.codes, m.codes);
    EXPECT_EQ(back.cellSizeM, 12.5f);

    const std::vector<uint8_t> bmp = MakeMapBitmap(m);
    ASSERT_EQ(bmp.size(), 66614u);
    // The north-west cell is the first pixel of the last stored row; the south-east the last of the first.
    EXPECT_EQ(bmp[1078 + 255 * 256 + 0], 14);
    EXPECT_EQ(bmp[1078 + 255], 13);
    EXPECT_EQ(BitmapCellSize(bmp), 12.5f);
    EXPECT_EQ(MapFromBitmap(bmp).codes, m.codes);
    // The program's own check of a map bitmap accepts it.
    std::string why;
    EXPECT_TRUE(ValidateMapBitmap(bmp, &why)) << why;
    // Colour table entry 14 is water blue (blue, green, red order), 1..13 are not black.
    EXPECT_GT(bmp[54 + 4 * 14], bmp[54 + 4 * 14 + 2]);
    for (int i = 1; i <= 15; ++i) EXPECT_NE(bmp[54 + 4 * i] + bmp[54 + 4 * i + 1] + bmp[54 + 4 * i + 2], 0) << i;
}

TEST(LessonMap, GridReaderTakesHeaderVariantsNoDataAndCrLf) {
    std::string text = "NCOLS 256\r\nnrows 256\r\nxllcenter 500.5\r\nyllcenter -20\r\ncellsize 25\r\nNODATA_value -9999\r\n";
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) text += (x ? " " : "") + std::string(x == 3 ? "-9999" : "5");
        text += "\r\n";
    }
    const FuelMap m = ReadAscGrid(text);
    EXPECT_EQ(m.cellSizeM, 25.0f);
    EXPECT_EQ(m.At(2, 7), 5);
    EXPECT_EQ(m.At(3, 7), 0);  // no data cannot burn
}

TEST(LessonMap, GridFaultsNameTheLine) {
    const std::string good = WriteAscGrid(PatternMap());
    std::vector<std::string> lines;
    for (size_t at = 0, nl; (nl = good.find('\n', at)) != std::string::npos; at = nl + 1)
        lines.push_back(good.substr(at, nl - at));
    ASSERT_EQ(lines.size(), 6u + 256u);
    auto join = [](const std::vector<std::string>& ls) {
        std::string s;
        for (const auto& l : ls) s += l + "\n";
        return s;
    };
    auto edit = [&](size_t line, const std::string& text) {  // line numbers from 1
        auto ls = lines;
        ls[line - 1] = text;
        return join(ls);
    };
    std::string row = lines[6];
    const std::string shortRow = row.substr(0, row.rfind(' '));
    auto withValue = [&](const std::string& v) { return v + row.substr(row.find(' ')); };
    auto dropLast = lines;
    dropLast.pop_back();
    auto extra = lines;
    extra.push_back(row);
    auto noCellSize = lines;
    noCellSize.erase(noCellSize.begin() + 4);

    const struct {
        std::string text, error;
    } cases[] = {
        {edit(7, shortRow), "grid line 7: expected 256 values, found 255"},
        {edit(9, withValue("16")), "grid line 9: value 16 in column 0 is not a fuel code 0-15"},
        {edit(9, withValue("-1")), "grid line 9: value -1 in column 0 is not a fuel code 0-15"},
        {edit(10, withValue("3.5")), "grid line 10: value \"3.5\" in column 0 is not a whole number"},
        {edit(1, "ncols 300"), "grid line 1: ncols is 300, expected 256"},
        {edit(2, "nrows 128"), "grid line 2: nrows is 128, expected 256"},
        {edit(5, "cellsize -30"), "grid line 5: cellsize must be a positive number of metres"},
        {edit(5, "cellsize 0"), "grid line 5: cellsize must be a positive number of metres"},
        {edit(3, "colour red"), "grid line 3: unknown header key \"colour\""},
        {join(noCellSize), "grid line 6: the header needs ncols, nrows and cellsize before the rows"},
        {join(dropLast), "grid: 255 rows, expected 256"},
        {join(extra), "grid line 263: more than 256 rows"},
        {"", "grid: the header needs ncols, nrows and cellsize"},
    };
    for (const auto& c : cases) EXPECT_EQ(GridError(c.text), c.error);
}

TEST(LessonMap, BmpFromAnEditorIsBroughtToTheStoredLayout) {
    // Top-down, a 16-entry colour table, no cell size: what a paint program might write.
    const FuelMap m = PatternMap();
    std::vector<uint8_t> f(14 + 40 + 16 * 4 + 256 * 256, 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 10, 14 + 40 + 64);
    Put32(f, 14, 40);
    Put32(f, 18, 256);
    Put32(f, 22, static_cast<uint32_t>(-256));
    Put16(f, 26, 1);
    Put16(f, 28, 8);
    Put32(f, 46, 16);
    for (int i = 0; i < 16; ++i) f[54 + 4 * i + 2] = static_cast<uint8_t>(i * 10);  // red = 10 i
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) f[118 + y * 256 + x] = m.At(x, y);

    try {
        ImportBmp(f, std::nullopt);
        ADD_FAILURE() << "a bitmap without a cell size was taken";
    } catch (const InputError& e) {
        EXPECT_STREQ(e.what(), "bitmap: holds no cell size; give \"cellsize\" (metres) in the lesson");
    }
    const std::vector<uint8_t> b = ImportBmp(f, 20.0f);
    ASSERT_EQ(b.size(), 66614u);
    const FuelMap back = MapFromBitmap(b);
    EXPECT_EQ(back.codes, m.codes);
    EXPECT_EQ(back.cellSizeM, 20.0f);
    EXPECT_EQ(b[54 + 4 * 7 + 2], 70);      // its own colours kept
    EXPECT_EQ(b[54 + 4 * 200 + 2], 0);     // entries it lacks are black
    EXPECT_FALSE(IsStandardBitmap(b));     // so show warns that a grid alone loses them

    f[118 + 5] = 200;
    try {
        ImportBmp(f, 20.0f);
        ADD_FAILURE() << "pixel 200 was taken";
    } catch (const InputError& e) {
        EXPECT_STREQ(e.what(), "bitmap: code 200 at column 5, row 0 is not a fuel code 0-15");
    }
    Put16(f, 28, 24);
    EXPECT_THROW(ImportBmp(f, 20.0f), InputError);
}

// --------------------------------------------------------------------------------------------
// Lesson JSON.

TEST(LessonJson, FixedTextsArePaddedOnBuildAndShownTrimmed) {
    json doc = SmallLesson();
    doc["classes"][0]["ClassName"] = std::string(32, 'C');  // exactly its width
    doc["resources"][0]["ClassName"] = std::string(32, 'C');
    const LessonFile lesson = LessonFromJson(doc, GrassLoader);
    EXPECT_EQ(lesson.Classes[0].Category, "Ground    ");
    EXPECT_EQ(lesson.Classes[1].GroundKind, std::string(10, ' '));  // not needed by an air class: blanks
    EXPECT_EQ(lesson.Resources[0].ResourceNote, std::string(10, ' '));
    EXPECT_EQ(lesson.Resources[0].Name, "Crew 1");  // variable texts are kept as written
    EXPECT_EQ(lesson.Events[1].IgniteX, 0);
    EXPECT_EQ(lesson.Events[0].Done, 0);

    const auto shown = LessonToJson(lesson, "grass.asc");
    EXPECT_EQ(shown["classes"][0]["Category"], "Ground");
    EXPECT_EQ(shown["classes"][0]["ClassName"], std::string(32, 'C'));
    // Unused fields at their defaults are left out; needed ones are always shown.
    EXPECT_FALSE(shown["classes"][1].contains("GroundKind"));
    EXPECT_FALSE(shown["events"][1].contains("IgniteX"));
    EXPECT_TRUE(shown["resources"][0].contains("DropCost"));
}

TEST(LessonJson, ShownLessonRebuildsTheSameBytes) {
    json doc = SmallLesson();
    // Values an event type does not use, and a stored Done flag, must survive too.
    doc["events"][1]["IgniteX"] = 7;
    doc["events"][1]["Done"] = -1;
    doc["classes"][0]["AirSpareText"] = " spare";
    const std::vector<uint8_t> first = SerialiseLesson(LessonFromJson(doc, GrassLoader));

    std::string why;
    const auto parsed = ParseLesson(first, &why);
    ASSERT_TRUE(parsed) << why;
    const json shown = json::parse(DumpJson(LessonToJson(*parsed, "grass.asc")));
    EXPECT_EQ(SerialiseLesson(LessonFromJson(shown, GrassLoader)), first);
}

TEST(LessonJson, FaultsNameTheField) {
    auto with = [](const std::string& pointer, json value) {
        json d = SmallLesson();
        d[json::json_pointer(pointer)] = std::move(value);
        return d;
    };
    auto without = [](const std::string& pointer) {
        json d = SmallLesson();
        const json::json_pointer p(pointer);
        d[p.parent_pointer()].erase(p.back());
        return d;
    };
    auto many = [](const char* key, size_t n) {
        json d = SmallLesson();
        json item = d[key][0];
        d[key] = json::array();
        for (size_t i = 0; i < n; ++i) d[key].push_back(item);
        return d;
    };
    const std::string int16 = ": expected an integer from -32768 to 32767";
    const struct {
        json doc;
        std::string error;
    } cases[] = {
        {without("/conditions/TimeRatio"), "conditions.TimeRatio: missing"},
        {without("/conditions"), "conditions: missing"},
        {without("/map"), "map: missing"},
        {with("/map", 3), "map: expected the path of a .asc grid or an 8-bit .bmp"},
        {without("/classes/1/Endurance"), "classes[1].Endurance: missing"},
        {without("/classes/0/ProductionRate"), "classes[0].ProductionRate: missing"},
        {without("/events/0/IgniteY"), "events[0].IgniteY: missing"},
        {without("/events/2/NewWindSpeed"), "events[2].NewWindSpeed: missing"},
        {without("/events/3/ResourceName"), "events[3].ResourceName: missing"},
        {without("/resources/1/HourlyCost"), "resources[1].HourlyCost: missing"},
        {with("/classes/1/Endurance", "long"), "classes[1].Endurance" + int16},
        {with("/classes/1/Endurance", 40000), "classes[1].Endurance" + int16},
        {with("/classes/1/Endurance", -32769), "classes[1].Endurance" + int16},
        {with("/classes/1/Endurance", 1.5), "classes[1].Endurance" + int16},
        {with("/classes/1/Endurance", true), "classes[1].Endurance" + int16},
        {with("/events/0/EventTime", 3000000000u), "events[0].EventTime: expected an integer from -2147483648 to 2147483647"},
        {with("/classes/0/Category", 5), "classes[0].Category: expected a text"},
        {with("/resources/0/ClassName", std::string(33, 'x')), "resources[0].ClassName: 33 bytes do not fit its width of 32"},
        {with("/resources/1/InitialStatus", "Called up now"), "resources[1].InitialStatus: 13 bytes do not fit its width of 10"},
        {with("/resources/0/Name", std::string(32768, 'n')), "resources[0].Name: 32768 bytes do not fit its width of 32767"},
        {with("/resources/0/Nmae", "typo"), "resources[0].Nmae: not a field of this record"},
        {with("/events/1", "ARRIVAL"), "events[1]: expected an object"},
        {with("/classes", json::object()), "classes: expected a list"},
        {with("/resource", json::array()), "resource: not a part of a lesson (conditions, classes, resources, events, map)"},
        {with("/cellsize", -3), "cellsize: expected a positive number of metres"},
        {many("classes", 101), "classes: 101 classes, at most 100 fit in a lesson"},
        {many("events", 1002), "events: 1002 events, at most 1001 fit in a lesson"},
    };
    for (const auto& c : cases) EXPECT_EQ(BuildError(c.doc), c.error);
    // The limits themselves are allowed.
    EXPECT_EQ(BuildError(many("classes", 100)), "(built)");
    EXPECT_EQ(BuildError(with("/resources/0/ClassName", std::string(32, 'x'))), "(built)");
}

TEST(LessonJson, SyntaxErrorsNameLineAndColumn) {
    try {
        ParseJsonText("{\n  \"conditions\": {\n    \"TimeRatio\": 10,\n  }\n}");
        ADD_FAILURE() << "parsed";
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("line 4, column 3"), std::string::npos) << e.what();
    }
    // Instructors may comment their lessons.
    EXPECT_NO_THROW(ParseJsonText("// a lesson\n{ \"map\": \"x.asc\" /* grid */ }"));
}

TEST(LessonCheck, FindsWhatWouldMisleadTheRun) {
    FuelMap m;
    std::fill(m.codes.begin(), m.codes.end(), 1);
    m.At(10, 20) = 14;
    const json base = SmallLesson();
    auto loader = [&](const std::string&, std::optional<float>) { return MakeMapBitmap(m); };
    auto findings = [&](const char* pointer, json value) {
        json d = base;
        d[json::json_pointer(pointer)] = std::move(value);
        std::string all;
        for (const Finding& f : CheckLesson(LessonFromJson(d, loader)))
            all += std::string(f.error ? "error: " : "warning: ") + f.text + "\n";
        return all;
    };
    EXPECT_EQ(findings("/description", "clean"), "");
    const struct {
        const char* pointer;
        json value;
        std::string finding;
    } cases[] = {
        {"/events/0/IgniteX", 256, "error: events[0]: ignition cell (256, 100) lies outside the 256 x 256 map\n"},
        {"/events/0/IgniteY", -1, "error: events[0]: ignition cell (128, -1) lies outside the 256 x 256 map\n"},
        {"/events/0", json{{"EventTime", 780}, {"EventType", "IGNITE"}, {"IgniteX", 10}, {"IgniteY", 20}},
         "warning: events[0]: ignition cell (10, 20) holds code 14, which cannot burn\n"},
        {"/events/0/EventType", "IGNITE ",
         "warning: events[0].EventType: \"IGNITE \" is not an event word; the run skips it\n"
         "warning: events: no IGNITE event; the fire never starts\n"},
        {"/events/3/ResourceName", "crew 1", "warning: events[3].ResourceName: no resource is named \"crew 1\"\n"},
        {"/events/4/EventTime", 700,
         "warning: events[4].EventTime: 700 lies before the start minute 780; it happens at once\n"},
        {"/resources/0/ClassName", "Crews", "warning: resources[0].ClassName: no class \"Crews\"; the resource can never be deployed\n"},
        {"/classes/0/GroundKind", "Dozer", "warning: classes[0].GroundKind: \"Dozer\" is not a kind any deployment button offers\n"},
        {"/conditions/TimeRatio", 0, "warning: conditions.TimeRatio: 0 holds the run still once resources arrive\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(findings(c.pointer, c.value), c.finding) << c.pointer;
    // Event words are recognised whatever their case, as the run does.
    EXPECT_EQ(findings("/events/1/EventType", "arrival"), "");
}

// --------------------------------------------------------------------------------------------
// The tool itself.

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun Tool(const std::string& args, const fs::path& dir) {
    const fs::path tool = fs::path(TORVEX_PROGRAM_DIR) / "torvex-lesson";
    const std::string cmd = tool.string() + " " + args + " >" + (dir / "out.txt").string() + " 2>" +
                            (dir / "err.txt").string();
    const int raw = std::system(cmd.c_str());
    auto slurp = [](const fs::path& p) {
        std::ifstream in(p);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir / "out.txt"), slurp(dir / "err.txt")};
}

std::vector<uint8_t> Slurp(const fs::path& p) { return ReadBytes(p); }

TEST(LessonTool, BuildShowBuildGivesTheSameBytes) {
    const fs::path dir = TempDir();
    const fs::path src = fs::path(TORVEX_SOURCE_DIR) / "lessons";
    const std::string lesson = (src / "02-brush-and-timber.json").string();
    ASSERT_EQ(Tool("build " + lesson + " -o " + (dir / "a.fgl").string(), dir).status, 0);
    fs::create_directories(dir / "shown");
    // show to stdout names the map as given; -o names it relative to the JSON's folder.
    ToolRun show = Tool("show " + (dir / "a.fgl").string() + " --map-out " + (dir / "shown/map.asc").string() +
                        " -o " + (dir / "shown/lesson.json").string() + " --png-out " + (dir / "map.png").string(),
                    dir);
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_EQ(json::parse(std::ifstream(dir / "shown/lesson.json"))["map"], "map.asc");
    ASSERT_EQ(Tool("build " + (dir / "shown/lesson.json").string() + " -o " + (dir / "b.fgl").string(), dir).status, 0);
    EXPECT_EQ(Slurp(dir / "a.fgl"), Slurp(dir / "b.fgl"));
    const std::vector<uint8_t> png = Slurp(dir / "map.png");
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');

    ToolRun stdoutShow = Tool("show " + (dir / "a.fgl").string() + " --map-out " + (dir / "m.bmp").string(), dir);
    ASSERT_EQ(stdoutShow.status, 0) << stdoutShow.err;
    EXPECT_EQ(json::parse(stdoutShow.out)["map"], (dir / "m.bmp").string());
}

TEST(LessonTool, CheckAndBuildRefuseFaultyInput) {
    const fs::path dir = TempDir();
    const fs::path src = fs::path(TORVEX_SOURCE_DIR) / "lessons" / "01-grass-fire.json";
    ASSERT_EQ(Tool("build " + src.string() + " -o " + (dir / "good.fgl").string(), dir).status, 0);
    const ToolRun good = Tool("check " + (dir / "good.fgl").string(), dir);
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_NE(good.out.find("ok: 2 classes, 4 resources, 2 events"), std::string::npos) << good.out;

    std::vector<uint8_t> bytes = Slurp(dir / "good.fgl");
    for (size_t keep : {size_t{10}, bytes.size() - 66614 - 3, bytes.size() - 1}) {
        WriteBytes(dir / "cut.fgl", std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(keep)));
        const ToolRun cut = Tool("check " + (dir / "cut.fgl").string(), dir);
        EXPECT_EQ(cut.status, 2) << keep;
        EXPECT_NE(cut.err.find("the file ends inside"), std::string::npos) << cut.err;
    }
    // A lesson that lays out fine but ignites off the map is faulty too.
    json doc = SmallLesson();
    doc["events"][0]["IgniteX"] = 300;
    WriteText(dir / "grass.asc", WriteAscGrid(FuelMap{}));
    WriteText(dir / "off.json", doc.dump());
    const ToolRun off = Tool("build " + (dir / "off.json").string() + " -o " + (dir / "off.fgl").string(), dir);
    EXPECT_EQ(off.status, 2);
    EXPECT_NE(off.err.find("lies outside the 256 x 256 map"), std::string::npos) << off.err;
    EXPECT_FALSE(fs::exists(dir / "off.fgl"));

    // Grid faults reach the instructor with the grid's name and line.
    WriteText(dir / "grass.asc", "ncols 256\nnrows 256\ncellsize 30\n1 2 3\n");
    doc["events"][0]["IgniteX"] = 3;
    WriteText(dir / "bad-grid.json", doc.dump());
    const ToolRun grid = Tool("build " + (dir / "bad-grid.json").string() + " -o " + (dir / "x.fgl").string(), dir);
    EXPECT_EQ(grid.status, 2);
    EXPECT_NE(grid.err.find("grass.asc: grid line 4: expected 256 values, found 3"), std::string::npos) << grid.err;

    EXPECT_EQ(Tool("check " + (dir / "missing.fgl").string(), dir).status, 1);
    EXPECT_EQ(Tool("frobnicate", dir).status, 1);
    EXPECT_EQ(Tool("--help", dir).status, 0);
}

// --------------------------------------------------------------------------------------------
// The demo lessons shipped in lessons/.

struct Demo {
    const char* name;
    std::vector<std::string> eventWords;  // in script order
    std::multiset<std::string> kinds;     // of the resources, as the roster will see them
    int arrivalAfter;                     // minutes from the start to the ARRIVAL event
};

class DemoLesson : public ::testing::TestWithParam<Demo> {};

std::string KindOf(const LessonFile& l, const LessonResource& r) {
    for (const auto& c : l.Classes)
        if (c.ClassName == r.ClassName) return Trim(Trim(c.Category) == "Air" ? c.AirKind : c.GroundKind);
    return "";
}

// Whether some 4-connected strip of cells of this code touches two different edges of the map.
bool CrossesTheMap(const FuelMap& m, uint8_t code) {
    std::vector<uint8_t> seen(kMapSide * kMapSide, 0);
    for (int start = 0; start < kMapSide * kMapSide; ++start) {
        if (seen[start] || m.codes[start] != code) continue;
        int edges = 0;  // west, east, north, south as bits
        std::vector<int> todo = {start};
        seen[start] = 1;
        while (!todo.empty()) {
            const int i = todo.back(), x = i % kMapSide, y = i / kMapSide;
            todo.pop_back();
            edges |= (x == 0) | (x == kMapSide - 1) << 1 | (y == 0) << 2 | (y == kMapSide - 1) << 3;
            const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[1] < 0 || n[0] >= kMapSide || n[1] >= kMapSide) continue;
                const int j = n[1] * kMapSide + n[0];
                if (!seen[j] && m.codes[j] == code) {
                    seen[j] = 1;
                    todo.push_back(j);
                }
            }
        }
        if (std::popcount(static_cast<unsigned>(edges)) >= 2) return true;
    }
    return false;
}

TEST_P(DemoLesson, BuildsCleanlyAndHoldsItsExercise) {
    const Demo& demo = GetParam();
    const fs::path src = fs::path(TORVEX_SOURCE_DIR) / "lessons" / (std::string(demo.name) + ".json");
    const LessonFile lesson = LessonFromJsonFile(src);
    for (const Finding& f : CheckLesson(lesson)) ADD_FAILURE() << f.text;

    std::vector<std::string> words;
    for (const auto& e : lesson.Events) words.push_back(e.EventType);
    EXPECT_EQ(words, demo.eventWords);
    for (const auto& e : lesson.Events)
        if (e.EventType == "ARRIVAL") {
            EXPECT_EQ(e.EventTime - lesson.Events[0].EventTime, demo.arrivalAfter);
        }
    std::multiset<std::string> kinds;
    for (const auto& r : lesson.Resources) kinds.insert(KindOf(lesson, r));
    EXPECT_EQ(kinds, demo.kinds);

    const FuelMap map = MapFromBitmap(lesson.MapBitmap);
    EXPECT_EQ(map.cellSizeM, 30.0f);
    std::vector<int> count(16, 0);
    for (uint8_t c : map.codes) ++count[c];
    const double cells = kMapSide * kMapSide;
    auto share = [&](std::initializer_list<int> codes) {
        int n = 0;
        for (int c : codes) n += count[c];
        return n / cells;
    };
    EXPECT_GT(share({1, 2, 3}), 0.05) << "meadows";
    EXPECT_GT(share({4, 5, 6}), 0.03) << "brush";
    EXPECT_GT(share({8, 9, 10}), 0.05) << "timber";
    EXPECT_GT(share({14}), 0.02) << "river and lake";
    EXPECT_GT(share({15}), 0.005) << "road";
    EXPECT_EQ(count[0], 0);
    EXPECT_TRUE(CrossesTheMap(map, 15)) << "the road runs across the map";

    // A picture of the map in its own colours, for a person to look at.
    const fs::path pictures = fs::path(TORVEX_PROGRAM_DIR).parent_path() / "lesson-maps";
    fs::create_directories(pictures);
    WriteBytes(pictures / (std::string(demo.name) + ".png"), MapPreviewPng(lesson.MapBitmap, 2));
}

TEST_P(DemoLesson, ShownSourceRebuildsTheSameBytes) {
    const Demo& demo = GetParam();
    const fs::path dir = TempDir();
    const fs::path src = fs::path(TORVEX_SOURCE_DIR) / "lessons" / (std::string(demo.name) + ".json");
    const std::vector<uint8_t> built = SerialiseLesson(LessonFromJsonFile(src));
    std::string why;
    const auto parsed = ParseLesson(built, &why);
    ASSERT_TRUE(parsed) << why;
    WriteText(dir / "map.asc", WriteAscGrid(MapFromBitmap(parsed->MapBitmap)));
    WriteText(dir / "lesson.json", DumpJson(LessonToJson(*parsed, "map.asc")));
    EXPECT_EQ(SerialiseLesson(LessonFromJsonFile(dir / "lesson.json")), built);
}

INSTANTIATE_TEST_SUITE_P(
    Lessons, DemoLesson,
    ::testing::Values(
        Demo{"01-grass-fire", {"IGNITE", "ARRIVAL"}, {"Crew", "Crew", "Crew", "Equipment"}, 20},
        Demo{"02-brush-and-timber", {"IGNITE", "ARRIVAL", "WIND CHANGE"}, {"Tanker", "Helicopter", "Crew"}, 15},
        Demo{"03-slash-fire", {"IGNITE", "ARRIVAL", "INJURY/FAILURE", "END OF SIMULATION"},
             {"Crew", "Crew", "Equipment", "Helicopter"}, 15}),
    [](const ::testing::TestParamInfo<Demo>& info) {
        std::string n = info.param.name;
        for (char& c : n)
            if (c == '-') c = '_';
        return "L" + n;
    });

}  // namespace
}  // namespace torvex::test
