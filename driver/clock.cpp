// Simulation clock, status panel texts, minute history, wall-clock pacing, waits and unit converters.
#include "driver/clock.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/sim.h"
#include "resources/resource_minute.h"

namespace torvex {

namespace {

// Shortest decimal form with at most `digits` significant digits: no trailing zeros, no "0" before
// the point of a magnitude below 1, exponent form only for values far outside the panel's range.
std::string Significant(double v, int digits) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-Infinity" : "Infinity";
    if (v == 0) return "0";  // also -0

    char buf[64];
    // %e rounds the binary value exactly to the requested digits; take its digits and exponent apart.
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(v));
    std::string mant;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') mant.push_back(*p);
    int exp = std::atoi(p + 1);
    while (mant.size() > 1 && mant.back() == '0') mant.pop_back();

    std::string out = v < 0 ? "-" : "";
    if (exp >= digits || exp < -4) {
        out += mant.substr(0, 1);
        if (mant.size() > 1) out += "." + mant.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exp < 0 ? '-' : '+', std::abs(exp));
        return out + e;
    }
    if (exp < 0) return out + "." + std::string(static_cast<size_t>(-exp - 1), '0') + mant;
    size_t whole = static_cast<size_t>(exp) + 1;
    if (mant.size() <= whole) return out + mant + std::string(whole - mant.size(), '0');
    return out + mant.substr(0, whole) + "." + mant.substr(whole);
}

// Last two characters of "00" + text: the two-digit fields of the time of day.
std::string TwoDigits(int32_t v) {
    std::string s = "00" + NumberText(v);
    return s.substr(s.size() - 2);
}

// Tenths of an area figure. 32-bit rounding: with 16 bits the figure would stick at 3,276.7.
double Tenths(double area) { return Round32(area * 10.0) / 10.0; }

}  // namespace

std::string NumberText(double v) { return Significant(v, 15); }
std::string NumberText(float v) { return Significant(static_cast<double>(v), 7); }

std::string DayText(int32_t m) { return NumberText(m / 1440 + 1); }
std::string TimeText(int32_t m) { return TwoDigits((m / 60) % 24) + ":" + TwoDigits(m % 60); }
std::string ElapsedText(int32_t e) { return NumberText(e / 60) + " hr " + NumberText(e % 60); }
// The figure is hectares already (cells of CellSize metres over 10,000), so no acre factor applies.
std::string HectaresText(double area) { return NumberText(Tenths(area)); }
std::string CostText(int32_t dollars) { return "$" + NumberText(dollars); }
std::string WindSpeedText(int16_t mph) { return NumberText(MphToKph(mph)); }
std::string WindDirectionText(int16_t degrees) { return NumberText(degrees); }

double AcresToHectares(double value) { return value * 0.40468564224; }
int16_t FahrenheitToCelsius(int16_t t) { return Round16((5.0 / 9.0) * static_cast<int16_t>(t - 32)); }
int16_t MphToKph(int16_t v) { return Round16(v * 1.609344); }

int32_t ClockMinute(const Sim& sim) {
    // 32-bit rounding keeps the clock counting past 32,767 minutes.
    return Round32(sim.run.SimTime) + sim.run.StartTime;
}

void UpdateClock(Sim& sim) {
    ClockState& c = sim.clock;
    Ui& ui = sim.ui;
    const float simTime = sim.run.SimTime;
    const int32_t m = ClockMinute(sim);

    std::string day = DayText(m);
    if (day != c.ShownDayText) {
        ui.SetText(Control::lblDay, day);
        c.ShownDayText = std::move(day);
    }

    std::string time = TimeText(m);
    if (time != c.ShownTimeText) {
        ui.SetText(Control::lblTime, time);
        c.ShownTimeText = std::move(time);
        // The only minute beat of the resources: once per change of the shown time of day.
        if (sim.run.OnSite) {
            ++c.ResourceMinutes;
            UpdateResources(sim);
        }
    }

    const double area = Round32(sim.fire.BurnedArea * 10.0f) / 10.0;
    if (area != c.ShownArea) {
        ui.SetText(Control::lblAcres, HectaresText(area));
        c.ShownArea = area;
    }

    ui.SetText(Control::lblElapse, ElapsedText(Round32(simTime)));
    ui.SetText(Control::lblWD, WindDirectionText(sim.run.WindDirection));
    ui.SetText(Control::lblWS, WindSpeedText(sim.run.WindSpeed));

    float sum = 0;
    const auto& roster = sim.roster.Roster;
    for (int j = 1; j <= sim.roster.ResourceCount && j < static_cast<int>(roster.size()); ++j) sum += roster[j].Cost;
    const int32_t cost = Round32(sum);
    ui.SetText(Control::lblCost, CostText(cost));

    const int16_t fuel = sim.fire.ActiveFuel;
    if (fuel != c.ShownFuel) {
        c.ShownFuel = fuel;
        std::string path;
        if (fuel >= 0 && fuel <= kMaxFuelEntries) path = sim.display.FuelTable[fuel].PhotoPath;
        if (!path.empty() && path.front() != '/' && !sim.programDir.empty()) path = sim.programDir + "/" + path;
        ui.ShowFuelPhoto(path);
    }

    // Entry m holds the last update made while SimTime was in [m - 1, m).
    const double whole = std::trunc(static_cast<double>(simTime));
    const size_t entry = whole > 0 ? static_cast<size_t>(whole) + 1 : 1;
    c.MinuteHistory.resize(entry + 1);
    c.MinuteHistory[entry] = {static_cast<float>(area), static_cast<float>(cost), sim.run.WindSpeed,
                              sim.run.WindDirection};
}

void PaceToWallClock(Sim& sim) {
    if (sim.unpaced) return;
    RunVars& run = sim.run;
    const float behind = run.SimTime - sim.clock.OnSiteTime;
    const double ratio = sim.lesson.Conditions.TimeRatio;
    for (;;) {
        const double paced = static_cast<double>(sim.wall.NowWholeSeconds() - run.PaceStart) + run.PacedSeconds;
        if (ratio * (paced / 60.0) >= behind) {
            sim.ui.ProcessEvents();
            return;
        }
        // A close, pause or stop handled during the wait ends it: the budget may never be met
        // (a time ratio of 0), and nobody is waiting for the paced step any more.
        if (run.EndRequested || run.RunState != "RUN") return;
        // Block in the event loop rather than spin; whole seconds make finer slices pointless.
        sim.ui.WaitForEvents(50);
    }
}

void SetBusy(Sim& sim, std::string_view mode, std::string_view message) {
    RunVars& run = sim.run;
    if (mode == "On") {
        sim.ui.SetPointer(Pointer::Hourglass);
        run.PacedSeconds += static_cast<float>(sim.wall.NowWholeSeconds() - run.PaceStart);
        sim.clock.Busy = true;
    } else if (mode == "Off") {
        sim.ui.SetPointer(Pointer::Arrow);
        run.PaceStart = sim.wall.NowWholeSeconds();
        sim.clock.Busy = false;
    }
    sim.ui.SetText(Control::lblMsg, message);
}

void WaitSeconds(Sim& sim, double seconds) {
    WallClock& wall = sim.wall;
    double last = wall.SecondsSinceMidnight();
    // Counted from the reading rounded to whole seconds, so the wait lies within half a second of asked.
    double waited = last - RoundHalfEven(last);
    while (waited < seconds) {
        double msLeft = (seconds - waited) * 1000.0;
        wall.SleepMs(msLeft > 100 ? 100 : msLeft < 1 ? 1 : static_cast<int>(std::ceil(msLeft)));
        double now = wall.SecondsSinceMidnight();
        double step = now - last;
        if (step < -43200) step += 86400;  // the time of day went past midnight
        if (step > 0) waited += step;
        last = now;
    }
}

void ResetClock(Sim& sim) {
    ClockState& c = sim.clock;
    c.ShownDayText.clear();
    c.ShownTimeText.clear();
    c.ShownArea = -1;
    c.MinuteHistory.resize(2);
}

}  // namespace torvex
