// Running a lesson without a window: the instructors' runner and the program's headless demo.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "ui/ui.h"

namespace torvex {

struct Sim;
struct FireEngine;

// Shows nothing, but keeps what the logic wrote: the panel labels, the message line, message boxes.
class HeadlessUi : public NullUi {
public:
    void SetText(Control c, std::string_view text) override;
    void MessageBox(std::string_view text) override;
    // No event can arrive without a window: waiting for one is sleeping out the time.
    void WaitForEvents(int maxMs) override;
    const std::string& Text(Control c) const { return texts_[static_cast<size_t>(c)]; }

    std::vector<std::string> messages;      // every text written to lblMsg, in order
    std::vector<std::string> messageBoxes;  // every message box, in order

private:
    std::array<std::string, static_cast<size_t>(Control::Count)> texts_{};
};

// The panel as it stood after the first pass that showed a simulated minute.
struct MinuteLine {
    int32_t minute = 0;  // elapsed minutes shown (SimTime rounded)
    std::string day, time, elapsed, hectares, cost, windKph, windDirection;
};

struct HeadlessResult {
    std::vector<MinuteLine> minutes;
    float simTime = 0;
    int32_t burnedCells = 0;   // the engine's burned-out count, the one the area is made from
    int32_t burningCells = 0;
    float hectares = 0;
    // "fire stopped", "end of simulation", "minutes"; "stopped" when a pass hook stopped the run,
    // "stalled" when the simulation clock stood still for many passes, "not started" without a lesson.
    std::string stop;
};

// Called before every pass with the SimTime the pass starts from: where scripted trainee actions go.
using PassHook = std::function<void(Sim& sim, float simTime)>;

// Called with each minute line as soon as its pass is done (a paced run takes real minutes).
using MinuteHook = std::function<void(const MinuteLine& line)>;

// Plays the loaded lesson and runs the loop's own pass until the run stops or SimTime reaches
// minuteLimit (0: no limit). ui must be the window the Sim was made with.
HeadlessResult RunHeadless(Sim& sim, const HeadlessUi& ui, int32_t minuteLimit, const PassHook& beforePass = {},
                           const MinuteHook& onMinute = {});

// Prepares the map display as the main window would (palette, fuel map configuration named by
// programDir/FuelMap.cfg) and reads the lesson. False with a one-line reason when it cannot be read.
bool LoadHeadlessLesson(Sim& sim, HeadlessUi& ui, const std::string& lessonPath, std::string* error);

// Each cell's ignition time (fire minutes) as an ESRI ASCII grid, north row first; -9999 where no
// fire was lit.
void WriteArrivalGrid(const FireEngine& fire, std::ostream& out);
bool WriteArrivalGrid(const FireEngine& fire, const std::string& path, std::string* error);

struct HeadlessOptions {
    std::string lessonPath;
    int32_t minutes = 0;  // 0: until the run stops
    bool paced = false;
    std::string pngPath;
    std::string arrivalGridPath;
    std::string actionsPath;  // scripted trainee actions (driver/actions.h)
    bool json = false;
    bool help = false;
};

// Parses the runner's arguments (without the program name). False with a one-line error.
bool ParseHeadlessArgs(const std::vector<std::string>& args, HeadlessOptions& options, std::string* error);
std::string HeadlessUsage(std::string_view program);

// `torvex-run` and `torvex --headless`: parse, run, print. progress: stderr is a terminal, so a
// progress indicator may be shown there once the run takes longer than a second. Returns the exit
// status: 0 after a run, 1 when an output file cannot be written, 2 for bad arguments or lessons.
int HeadlessMain(std::string_view program, const std::vector<std::string>& args, const std::string& programDir,
                 std::ostream& out, std::ostream& err, bool progress = false);

// The program started without a display: runs the first demo lesson of programDir/lessons,
// prints a summary to out and writes a picture of the final map. Returns the exit status.
int HeadlessDemoMain(const std::string& programDir, std::ostream& out);

// Folder of the running executable (the program folder); argv0's folder if it cannot be read.
std::string ExecutableDir(const char* argv0);

}  // namespace torvex
