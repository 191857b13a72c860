// torvex-lesson: builds lesson files from JSON and fuel grids, shows them back and checks them.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "lesson/lesson.h"
#include "tools/lesson_json.h"
#include "tools/map_png.h"

namespace fs = std::filesystem;
using namespace torvex;
using namespace torvex::lessontool;

namespace {

constexpr int kOk = 0;
constexpr int kUsage = 1;    // bad command line, or a file that cannot be read or written
constexpr int kBadFile = 2;  // the input is faulty

const char* const kHelp = R"(Usage:
  torvex-lesson build LESSON.json -o LESSON.fgl
      Builds a lesson file from its JSON description and the fuel map it names.
  torvex-lesson show LESSON.fgl --map-out MAP.asc|MAP.bmp [-o LESSON.json] [--png-out MAP.png]
      Prints the lesson as JSON (or writes it to -o) and writes its fuel map; building what
      show gives back yields the same bytes. --png-out writes a picture of the map.
  torvex-lesson check LESSON.fgl
      Says what is wrong with a lesson file; exit status 2 when it is faulty.

The JSON holds "conditions" (ConditionsSet, StartWindSpeed in mi/h, StartWindDirection,
Temperature in F, RelativeHumidity, Moisture1Hour, Moisture10Hour, Moisture100Hour,
MoistureHerbaceous, MoistureWoody, TimeRatio, RefuelTime, ReloadTime), "classes" (ClassName,
Category, AirKind, AirSpareText, Endurance, AirSpareValue, DropLength in m, GroundKind,
RateUnits, ProductionRate), "resources" (Name, ClassName, InitialStatus, CallupDelay,
ResourceNote, DropCost, HourlyCost), "events" (Done, EventTime as a minute of the day,
EventType, IgniteX, IgniteY, NewWindDirection, NewWindSpeed, ResourceName, Permanent,
Duration) and "map": the path, relative to the JSON file, of an ESRI ASCII grid (.asc,
256 x 256 fuel codes: 0-13 fuel models, 14 water, 15 road or bare rock; cellsize in metres)
or of an 8-bit 256 x 256 BMP (then "cellsize" in the JSON when the BMP holds none).
// comments are allowed. Fields an event type or class category does not use may be left out.

Exit status: 0 done, 1 usage or unreadable file, 2 faulty input.
)";

int Usage(const std::string& why) {
    std::cerr << "torvex-lesson: " << why << "\n(torvex-lesson --help shows the usage)\n";
    return kUsage;
}

// Writes beside the target and renames, so that a failure never leaves half a file.
bool WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    const fs::path tmp = path.string() + ".part";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) fs::remove(tmp, ec);
    return !ec;
}

bool WriteText(const fs::path& path, const std::string& text) {
    return WriteFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void Report(const std::string& file, const std::vector<Finding>& findings) {
    for (const Finding& f : findings) std::cerr << file << ": " << (f.error ? "error: " : "warning: ") << f.text << "\n";
}

bool AnyError(const std::vector<Finding>& findings) {
    for (const Finding& f : findings)
        if (f.error) return true;
    return false;
}

// Reads and parses a lesson file; says why not on failure.
std::optional<LessonFile> LoadLesson(const std::string& name, int* status) {
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadBytes(name);
    } catch (const InputError& e) {
        std::cerr << "torvex-lesson: " << e.what() << "\n";
        *status = kUsage;
        return std::nullopt;
    }
    std::string why;
    std::optional<LessonFile> lesson = ParseLesson(bytes, &why);
    if (!lesson) {
        std::cerr << name << ": error: " << why << "\n";
        *status = kBadFile;
    }
    return lesson;
}

int Build(const std::vector<std::string>& args) {
    std::string input, output;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) output = args[++i];
        else if (input.empty() && args[i].rfind('-', 0) != 0) input = args[i];
        else return Usage("build: unexpected argument " + args[i]);
    }
    if (input.empty() || output.empty()) return Usage("build needs LESSON.json and -o LESSON.fgl");
    LessonFile lesson;
    try {
        lesson = LessonFromJsonFile(input);
    } catch (const InputError& e) {
        std::cerr << input << ": error: " << e.what() << "\n";
        return kBadFile;
    }
    const std::vector<Finding> findings = CheckLesson(lesson);
    Report(input, findings);
    if (AnyError(findings)) return kBadFile;
    if (std::string why; !CheckLessonLimits(lesson, &why)) {
        std::cerr << input << ": error: " << why << "\n";
        return kBadFile;
    }
    if (!WriteFile(output, SerialiseLesson(lesson))) {
        std::cerr << "torvex-lesson: " << output << ": cannot be written\n";
        return kUsage;
    }
    return kOk;
}

int Show(const std::vector<std::string>& args) {
    std::string input, mapOut, jsonOut, pngOut;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--map-out" && hasValue) mapOut = args[++i];
        else if (args[i] == "-o" && hasValue) jsonOut = args[++i];
        else if (args[i] == "--png-out" && hasValue) pngOut = args[++i];
        else if (input.empty() && args[i].rfind('-', 0) != 0) input = args[i];
        else return Usage("show: unexpected argument " + args[i]);
    }
    if (input.empty() || mapOut.empty()) return Usage("show needs LESSON.fgl and --map-out MAP.asc");
    const std::string ext = Lower(fs::path(mapOut).extension().string());
    if (ext != ".asc" && ext != ".bmp") return Usage("show: --map-out must name a .asc or .bmp file");

    int status = kOk;
    std::optional<LessonFile> lesson = LoadLesson(input, &status);
    if (!lesson) return status;
    FuelMap map;
    try {
        map = MapFromBitmap(lesson->MapBitmap);
    } catch (const InputError& e) {
        std::cerr << input << ": error: " << e.what() << "\n";
        return kBadFile;
    }
    for (const Finding& f : CheckLesson(*lesson))
        if (!f.error && f.text.find("not UTF-8") != std::string::npos)
            std::cerr << input << ": warning: " << f.text << "; the JSON shows it changed\n";

    std::vector<uint8_t> mapBytes;
    if (ext == ".bmp") {
        mapBytes = lesson->MapBitmap;
    } else {
        if (!IsStandardBitmap(lesson->MapBitmap))
            std::cerr << input << ": warning: the map bitmap's headers or colours are not the builder's own; "
                                  "write the map as .bmp to keep them\n";
        if (FirstUnknownCode(map))
            std::cerr << input << ": warning: the map holds codes above 15, which the builder refuses\n";
        const std::string text = WriteAscGrid(map);
        mapBytes.assign(text.begin(), text.end());
    }
    if (!WriteFile(mapOut, mapBytes)) {
        std::cerr << "torvex-lesson: " << mapOut << ": cannot be written\n";
        return kUsage;
    }
    if (!pngOut.empty() && !WriteFile(pngOut, MapPreviewPng(lesson->MapBitmap, 2))) {
        std::cerr << "torvex-lesson: " << pngOut << ": cannot be written\n";
        return kUsage;
    }

    // The map is named as the JSON file will find it: relative to the JSON's own folder.
    std::string mapRef = mapOut;
    if (!jsonOut.empty()) {
        const fs::path base = fs::absolute(jsonOut).parent_path();
        mapRef = fs::absolute(mapOut).lexically_normal().lexically_relative(base.lexically_normal()).string();
    }
    const std::string json = DumpJson(LessonToJson(*lesson, mapRef));
    if (jsonOut.empty()) {
        std::cout << json;
        return std::cout.flush() ? kOk : kUsage;
    }
    if (!WriteText(jsonOut, json)) {
        std::cerr << "torvex-lesson: " << jsonOut << ": cannot be written\n";
        return kUsage;
    }
    return kOk;
}

int Check(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].rfind('-', 0) == 0) return Usage("check needs one LESSON.fgl");
    int status = kOk;
    std::optional<LessonFile> lesson = LoadLesson(args[0], &status);
    if (!lesson) return status;
    const std::vector<Finding> findings = CheckLesson(*lesson);
    Report(args[0], findings);
    if (AnyError(findings)) return kBadFile;
    std::cout << args[0] << ": ok: " << lesson->Classes.size() << " classes, " << lesson->Resources.size()
              << " resources, " << lesson->Events.size() << " events, 256 x 256 map of "
              << FloatText(BitmapCellSize(lesson->MapBitmap)) << " m cells\n";
    return kOk;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage("no command given");
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kHelp;
        return kOk;
    }
    if (command == "build") return Build(args);
    if (command == "show") return Show(args);
    if (command == "check") return Check(args);
    return Usage("unknown command " + command);
}
