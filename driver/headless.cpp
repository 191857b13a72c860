// Running a lesson without a window through the loop's own pass: the runner, its outputs, the demo.
#include "driver/headless.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <thread>

#include "app/run_control.h"
#include "app/sim.h"
#include "display/free_format.h"
#include "display/map_image.h"
#include "display/png.h"
#include "driver/actions.h"
#include "driver/clock.h"
#include "lesson/lesson.h"

namespace torvex {

namespace fs = std::filesystem;

namespace {

// Passes in a row without the simulation clock moving before a run counts as stalled (every rate
// of spread 0 keeps the fire clock still while fronts wait forever).
constexpr int kStallPasses = 20000;
// The demo stops by itself at the latest after a simulated day.
constexpr int32_t kDemoMinutes = 1440;

std::string Shortest(float v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// A float as a JSON number with the digits the float holds, not its binary expansion.
double JsonNumber(float v) { return std::stod(Shortest(v)); }

MinuteLine PanelLine(const HeadlessUi& ui, int32_t minute) {
    MinuteLine l;
    l.minute = minute;
    l.day = ui.Text(Control::lblDay);
    l.time = ui.Text(Control::lblTime);
    l.elapsed = ui.Text(Control::lblElapse);
    l.hectares = ui.Text(Control::lblAcres);
    l.cost = ui.Text(Control::lblCost);
    l.windKph = ui.Text(Control::lblWS);
    l.windDirection = ui.Text(Control::lblWD);
    return l;
}

std::string TextLine(const MinuteLine& l) {
    return "minute " + std::to_string(l.minute) + "  day " + l.day + "  " + l.time + "  elapsed " + l.elapsed +
           "  hectares " + l.hectares + "  cost " + l.cost + "  wind " + l.windKph + " km/h from " + l.windDirection;
}

std::string SummaryLine(const HeadlessResult& r) {
    return "stop: " + r.stop + "  sim time " + Shortest(r.simTime) + " min  cells burned " +
           std::to_string(r.burnedCells) + ", burning " + std::to_string(r.burningCells) + "  hectares " +
           Shortest(r.hectares);
}

nlohmann::ordered_json Json(const HeadlessResult& r) {
    nlohmann::ordered_json minutes = nlohmann::ordered_json::array();
    for (const MinuteLine& l : r.minutes)
        minutes.push_back({{"minute", l.minute},
                           {"day", l.day},
                           {"time", l.time},
                           {"elapsed", l.elapsed},
                           {"hectares", l.hectares},
                           {"cost", l.cost},
                           {"wind_kph", l.windKph},
                           {"wind_direction", l.windDirection}});
    nlohmann::ordered_json j;
    j["minutes"] = std::move(minutes);
    j["final"] = {{"sim_time", JsonNumber(r.simTime)},
                  {"burned_cells", r.burnedCells},
                  {"burning_cells", r.burningCells},
                  {"hectares", JsonNumber(r.hectares)},
                  {"stop", r.stop}};
    return j;
}

fs::path InProgramDir(const std::string& programDir, const std::string& name) {
    fs::path p(name);
    return p.is_absolute() ? p : fs::path(programDir) / p;
}

// The main window's start-up share that a run needs: palette, picture, fuel table.
void PrepareDisplay(Sim& sim) {
    Init_Graphics(sim);
    std::ifstream cfg(InProgramDir(sim.programDir, "FuelMap.cfg"));
    if (!cfg) return;  // no fuel map configuration: the map keeps its background colour
    if (auto item = ReadFreeItem(cfg)) sim.display.FuelTablePath = InProgramDir(sim.programDir, *item).string();
    LoadMapFile(sim);
}

// A progress indicator on a terminal, shown only once a run has taken more than a second.
class Progress {
public:
    Progress(std::ostream& err, bool enabled) : err_(err), enabled_(enabled), start_(Clock::now()) {}
    ~Progress() { Clear(); }
    // Makes room for a line of other output; the indicator comes back at a later pass.
    void Clear() {
        if (shown_) err_ << "\r" << std::string(width_, ' ') << "\r" << std::flush;
        shown_ = false;
    }
    void Pass(const Sim& sim, float simTime) {
        if (!enabled_) return;
        auto now = Clock::now();
        if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::milliseconds(200)) return;
        last_ = now;
        std::string text = "torvex-run: minute " + std::to_string(Round32(simTime)) + ", " +
                           HectaresText(sim.fire.BurnedArea) + " ha ...";
        width_ = std::max(width_, text.size());
        err_ << "\r" << text << std::flush;
        shown_ = true;
    }

private:
    using Clock = std::chrono::steady_clock;
    std::ostream& err_;
    bool enabled_;
    Clock::time_point start_, last_{};
    bool shown_ = false;
    size_t width_ = 0;
};

// Everything one window-less run owns.
struct Session {
    explicit Session(const std::string& programDir) { sim.programDir = programDir; }
    HeadlessUi ui;
    SystemClock wall;
    Sim sim{ui, wall};
};

}  // namespace

void HeadlessUi::SetText(Control c, std::string_view text) {
    texts_[static_cast<size_t>(c)] = std::string(text);
    if (c == Control::lblMsg) messages.emplace_back(text);
}

void HeadlessUi::MessageBox(std::string_view text) { messageBoxes.emplace_back(text); }

void HeadlessUi::WaitForEvents(int maxMs) {
    if (maxMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(maxMs));
}

HeadlessResult RunHeadless(Sim& sim, const HeadlessUi& ui, int32_t minuteLimit, const PassHook& beforePass,
                           const MinuteHook& onMinute) {
    HeadlessResult result;
    const size_t firstMessage = ui.messages.size();
    PlayClicked(sim, true);
    if (sim.run.RunState != "RUN") {
        result.stop = "not started";
        return result;
    }

    RunVars& run = sim.run;
    int32_t lastMinute = INT32_MIN;
    float lastTime = run.SimTime;
    int still = 0;
    bool limited = false, stalled = false;
    while (run.RunState == "RUN" && !run.EndRequested) {
        const float t = run.SimTime;
        if (minuteLimit > 0 && t >= static_cast<float>(minuteLimit)) {
            limited = true;
            break;
        }
        if (beforePass) {
            beforePass(sim, t);
            if (run.RunState != "RUN") break;
        }
        RunPass(sim);
        // The panel this pass wrote shows the time the pass started from.
        const int32_t minute = Round32(t);
        if (minute != lastMinute) {
            result.minutes.push_back(PanelLine(ui, minute));
            lastMinute = minute;
            if (onMinute) onMinute(result.minutes.back());
        }
        still = run.SimTime == lastTime ? still + 1 : 0;
        lastTime = run.SimTime;
        if (still >= kStallPasses && run.RunState == "RUN") {
            stalled = true;
            break;
        }
    }

    const bool terminated = std::find(ui.messages.begin() + static_cast<std::ptrdiff_t>(firstMessage),
                                      ui.messages.end(), "Simulation Terminated") != ui.messages.end();
    if (limited)
        result.stop = "minutes";
    else if (stalled)
        result.stop = "stalled";
    else if (terminated)
        result.stop = "end of simulation";
    else if (run.FireStopped)
        result.stop = "fire stopped";
    else
        result.stop = "stopped";
    result.simTime = run.SimTime;
    result.burnedCells = sim.fire.BurnedOutCount;
    result.burningCells = sim.fire.BurningCount;
    result.hectares = sim.fire.BurnedArea;
    return result;
}

bool LoadHeadlessLesson(Sim& sim, HeadlessUi& ui, const std::string& lessonPath, std::string* error) {
    std::error_code ec;
    if (!fs::is_regular_file(lessonPath, ec)) {
        if (error) *error = "cannot open lesson " + lessonPath;
        return false;
    }
    PrepareDisplay(sim);
    const size_t boxes = ui.messageBoxes.size();
    if (!ReadLesson(sim, lessonPath)) {
        if (error) {
            // The loader's message box already names the file and what is wrong with it.
            *error = ui.messageBoxes.size() > boxes ? ui.messageBoxes.back() : "cannot read lesson " + lessonPath;
            std::replace(error->begin(), error->end(), '\n', ' ');
        }
        return false;
    }
    // What the menu command does after a successful read.
    sim.lesson.LessonPath = lessonPath;
    sim.run.LessonLoaded = kTrue;
    sim.run.RunState = "STOP";
    return true;
}

void WriteArrivalGrid(const FireEngine& fire, std::ostream& out) {
    out << "ncols " << fire.GridWidth << "\n"
        << "nrows " << fire.GridHeight << "\n"
        << "xllcorner 0\n"
        << "yllcorner 0\n"
        << "cellsize " << Shortest(fire.CellSize) << "\n"
        << "NODATA_value -9999\n";
    std::string row;
    for (int y = 0; y < fire.GridHeight; ++y) {
        row.clear();
        for (int x = 0; x < fire.GridWidth; ++x) {
            if (x) row += ' ';
            // Ignited cells hold minus their ignition time; claimed-only and untouched ones never burned.
            const float a = fire.Cell(x, y).ArrivalTime;
            row += a < 0 ? Shortest(-a) : "-9999";
        }
        out << row << "\n";
    }
}

bool WriteArrivalGrid(const FireEngine& fire, const std::string& path, std::string* error) {
    std::ofstream f(path, std::ios::trunc);
    if (f) WriteArrivalGrid(fire, f);
    if (f) f.close();
    if (!f) {
        if (error) *error = "cannot write " + path;
        return false;
    }
    return true;
}

std::string HeadlessUsage(std::string_view program) {
    std::string p(program);
    return "Usage: " + p +
           " LESSON.fgl [--minutes N] [--paced] [--png FILE] [--arrival-grid FILE] [--actions FILE] [--json]\n"
           "Runs a lesson without a window, through the simulator's own loop, events, clock and fire,\n"
           "until the end event, the fire stops or N simulated minutes have passed, and prints one\n"
           "line per simulated minute and a summary.\n"
           "  --minutes N          stop once the simulation has run N minutes\n"
           "  --paced              hold to the lesson's time ratio after arrival and wait out the\n"
           "                       five seconds of an injury, as the window does\n"
           "  --png FILE           write the final map picture as a PNG\n"
           "  --arrival-grid FILE  write each cell's ignition time (minutes) as an ESRI ASCII grid\n"
           "  --actions FILE       carry out the trainee actions of a JSON file at their minutes\n"
           "  --json               print one JSON object instead of text lines (with the resources)\n"
           "  --help               show this help\n"
           "Exit status: 0 after a run, 1 when an output cannot be written, 2 for bad arguments or an\n"
           "unreadable lesson.\n";
}

bool ParseHeadlessArgs(const std::vector<std::string>& args, HeadlessOptions& o, std::string* error) {
    auto fail = [&](std::string why) {
        if (error) *error = std::move(why);
        return false;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--paced") {
            o.paced = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--minutes") {
            std::string v;
            if (!value(v)) return fail("--minutes needs a number of minutes");
            int32_t n = 0;
            auto r = std::from_chars(v.data(), v.data() + v.size(), n);
            if (r.ec != std::errc() || r.ptr != v.data() + v.size() || n < 1)
                return fail("--minutes needs a whole number of minutes from 1 up, not '" + v + "'");
            o.minutes = n;
        } else if (a == "--png") {
            if (!value(o.pngPath) || o.pngPath.empty()) return fail("--png needs a file name");
        } else if (a == "--arrival-grid") {
            if (!value(o.arrivalGridPath) || o.arrivalGridPath.empty()) return fail("--arrival-grid needs a file name");
        } else if (a == "--actions") {
            if (!value(o.actionsPath) || o.actionsPath.empty()) return fail("--actions needs a file name");
        } else if (a.size() > 1 && a[0] == '-') {
            return fail("unknown option " + a);
        } else if (o.lessonPath.empty()) {
            o.lessonPath = a;
        } else {
            return fail("one lesson at a time (got " + o.lessonPath + " and " + a + ")");
        }
    }
    if (!o.help && o.lessonPath.empty()) return fail("no lesson given");
    return true;
}

int HeadlessMain(std::string_view program, const std::vector<std::string>& args, const std::string& programDir,
                 std::ostream& out, std::ostream& err, bool progress) {
    const std::string name(program);
    HeadlessOptions o;
    std::string error;
    if (!ParseHeadlessArgs(args, o, &error)) {
        err << name << ": " << error << " (try --help)\n";
        return 2;
    }
    if (o.help) {
        out << HeadlessUsage(name);
        return 0;
    }

    auto session = std::make_unique<Session>(programDir);
    Sim& sim = session->sim;
    sim.unpaced = !o.paced;
    if (!LoadHeadlessLesson(sim, session->ui, o.lessonPath, &error)) {
        err << name << ": " << error << "\n";
        return 2;
    }

    ActionScript actions;
    if (!o.actionsPath.empty() && !ReadActions(o.actionsPath, actions, &error)) {
        err << name << ": " << error << "\n";
        return 2;
    }

    HeadlessResult result;
    {
        Progress meter(err, progress);
        MinuteHook print;
        if (!o.json)
            print = [&](const MinuteLine& l) {
                meter.Clear();
                out << TextLine(l) << "\n" << std::flush;
            };
        result = RunHeadless(
            sim, session->ui, o.minutes,
            [&](Sim& s, float t) {
                meter.Pass(s, t);
                ApplyDueActions(s, actions, t, err, name);
            },
            print);
    }

    if (o.json) {
        nlohmann::ordered_json j = Json(result);
        j["final"]["resources"] = ResourcesJson(sim);
        out << j.dump(2) << "\n";
    } else {
        out << SummaryLine(result) << "\n";
    }

    int status = 0;
    if (!o.pngPath.empty() && !WritePng(sim.picture, o.pngPath, &error)) {
        err << name << ": " << error << "\n";
        status = 1;
    }
    if (!o.arrivalGridPath.empty() && !WriteArrivalGrid(sim.fire, o.arrivalGridPath, &error)) {
        err << name << ": " << error << "\n";
        status = 1;
    }
    return status;
}

int HeadlessDemoMain(const std::string& programDir, std::ostream& out) {
    std::vector<fs::path> lessons;
    std::error_code ec;
    const fs::path dir = fs::path(programDir) / "lessons";
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".fgl") lessons.push_back(it->path());
    if (lessons.empty()) {
        out << "Torvex: no display, and no demo lesson in " << dir.string() << ".\n";
        return 1;
    }
    std::sort(lessons.begin(), lessons.end());

    auto session = std::make_unique<Session>(programDir);
    Sim& sim = session->sim;
    sim.unpaced = true;
    std::string error;
    out << "Torvex: no display; running the demo lesson " << lessons.front().string() << " without a window.\n";
    if (!LoadHeadlessLesson(sim, session->ui, lessons.front().string(), &error)) {
        out << "Torvex: " << error << "\n";
        return 2;
    }
    HeadlessResult result = RunHeadless(sim, session->ui, kDemoMinutes);
    if (!result.minutes.empty()) out << TextLine(result.minutes.back()) << "\n";
    out << SummaryLine(result) << "\n";

    const fs::path png = fs::absolute("torvex-demo.png", ec);
    if (!WritePng(sim.picture, png.string(), &error)) {
        out << "Torvex: " << error << "\n";
        return 1;
    }
    out << "Final map picture written to " << png.string() << "\n";
    return 0;
}

std::string ExecutableDir(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) exe = fs::absolute(argv0 ? argv0 : ".", ec);
    fs::path dir = exe.parent_path();
    return dir.empty() ? "." : dir.string();
}

}  // namespace torvex
