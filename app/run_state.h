// Run state shared by the whole system.
#pragma once

#include <cstdint>
#include <string>

#include "app/common.h"

namespace torvex {

struct RunVars {
    std::string RunState;        // "RUN", "PAUSE", "STOP"; empty until the first lesson opens
    Flag RunStarted = kFalse;
    Flag EndRequested = kFalse;
    Flag FireStopped = kFalse;
    Flag LessonLoaded = kFalse;
    Flag OnSite = kFalse;
    int64_t PaceStart = 0;       // wall-clock whole seconds
    float PacedSeconds = 0;
    float SimTime = 0;           // minutes since the run started
    int32_t StartTime = 0;       // clock minute of scenario event 0
    int16_t WindSpeed = 0;       // mi/h
    int16_t WindDirection = 0;   // degrees
    int16_t DirectionCount = 16;
};

}  // namespace torvex
