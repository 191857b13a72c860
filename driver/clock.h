// Simulation clock, status panel, pacing against the wall clock, and unit converters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

struct Sim;

struct MinuteRecord {
    float area = 0;         // hectares, rounded to tenths
    float cost = 0;         // whole dollars
    int16_t windSpeed = 0;  // mi/h
    int16_t windDirection = 0;
};

struct ClockState {
    std::string ShownDayText, ShownTimeText;
    double ShownArea = -1;
    int16_t ShownFuel = 0;
    std::vector<MinuteRecord> MinuteHistory = std::vector<MinuteRecord>(2);
    float OnSiteTime = 0;
    bool Busy = false;
    int32_t ResourceMinutes = 0;  // resource minute updates run so far (the minute beat)
};

// The one number-to-text rule of every label: shortest form (.5, -.5), 7 significant digits for
// floats, 15 for doubles, no thousands separators.
std::string NumberText(double v);
std::string NumberText(float v);
inline std::string NumberText(int v) { return NumberText(static_cast<double>(v)); }
inline std::string NumberText(int16_t v) { return NumberText(static_cast<double>(v)); }
inline std::string NumberText(int64_t v) { return NumberText(static_cast<double>(v)); }

std::string DayText(int32_t minuteOfClock);
std::string TimeText(int32_t minuteOfClock);
std::string ElapsedText(int32_t wholeMinutes);
std::string HectaresText(double area);
std::string CostText(int32_t dollars);
std::string WindSpeedText(int16_t mph);
std::string WindDirectionText(int16_t degrees);

double AcresToHectares(double value);
int16_t FahrenheitToCelsius(int16_t t);
int16_t MphToKph(int16_t v);

// The clock's minute count: StartTime plus the rounded SimTime.
int32_t ClockMinute(const Sim& sim);
void UpdateClock(Sim& sim);
void PaceToWallClock(Sim& sim);
void SetBusy(Sim& sim, std::string_view mode, std::string_view message);
void WaitSeconds(Sim& sim, double seconds);
void ResetClock(Sim& sim);  // InitialiseRun's part: forget what was shown

}  // namespace torvex
