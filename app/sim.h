// One running program's state, owned in one place and passed to every operation.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/run_state.h"
#include "behaviour/templates.h"
#include "display/map_image.h"
#include "display/picture.h"
#include "driver/clock.h"
#include "driver/paint_log.h"
#include "fire/grid.h"
#include "lesson/lesson.h"
#include "resources/deploy.h"
#include "resources/roster.h"
#include "ui/clock.h"
#include "ui/ui.h"

namespace torvex {

// Time slicing of the yields inside long steps: the window system gets a pass only when
// some milliseconds have gone by, so a yield per front element costs a counter test.
struct YieldState {
    int64_t lastMs = 0;
    uint32_t calls = 0;
    int sliceMs = 15;
};

struct Sim {
    Sim(Ui& u, WallClock& w) : ui(u), wall(w) {}
    Sim(const Sim&) = delete;
    Sim& operator=(const Sim&) = delete;

    Ui& ui;
    WallClock& wall;

    RunVars run;
    Lesson lesson;
    FireEngine fire;
    SpreadData spread;
    RosterState roster;
    PaintLogState paint;
    ClockState clock;
    MapDisplay display;
    MapPicture picture;
    DeployState deploy;
    YieldState yield;

    // Work that must wait until the running fire step has returned (a lesson opened mid-step).
    std::vector<std::function<void(Sim&)>> afterStep;
    // Folder the program's data files are looked up in by bare name.
    std::string programDir = ".";
    // Headless tools leave out the five-second wait of an injury and the pacing.
    bool unpaced = false;
};

}  // namespace torvex
