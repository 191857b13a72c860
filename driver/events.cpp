// The lesson's timed script: ignitions, arrival on site, wind changes, injuries and failures, the end.
#include "driver/events.h"

#include <cctype>
#include <string>

#include "app/run_control.h"
#include "app/sim.h"
#include "behaviour/ignition.h"
#include "driver/clock.h"

namespace torvex {

namespace {

std::string UpperCase(const std::string& s) {
    std::string u = s;
    for (char& ch : u) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return u;
}

void Arrival(Sim& sim) {
    RunVars& run = sim.run;
    run.OnSite = kTrue;
    sim.clock.OnSiteTime = run.SimTime;
    run.PaceStart = sim.wall.NowWholeSeconds();
    run.PacedSeconds = 0;
    sim.ui.SetText(Control::lblMsg, "Arrive On Site");
}

void WindChange(Sim& sim, const ScenarioEvent& e) {
    sim.run.WindDirection = e.NewWindDirection;
    sim.fire.WeatherChanged = kTrue;  // the next fire step rebuilds its spread data
    sim.run.WindSpeed = e.NewWindSpeed;
}

void InjuryFailure(Sim& sim, const ScenarioEvent& e) {
    auto& roster = sim.roster.Roster;
    for (int j = 1; j <= sim.roster.ResourceCount && j < static_cast<int>(roster.size()); ++j) {
        Resource& r = roster[j];
        if (r.Name != e.ResourceName) continue;
        r.Activity = "Disabled";
        std::string message = r.Kind + " " + r.Name;
        if (e.Permanent != 0) {
            r.BusyUntil = 32767;
            message += " disabled forever";
        } else {
            r.BusyUntil = Round16(static_cast<float>(e.Duration) + sim.run.SimTime);
            message += " temporarily disabled";
        }
        sim.ui.SetText(Control::lblMsg, message);
        // The trainee gets time to read it; nothing is serviced meanwhile.
        if (!sim.unpaced) WaitSeconds(sim, 5);
    }
}

void EndOfSimulation(Sim& sim) {
    sim.run.RunState = "STOP";
    sim.run.RunStarted = kFalse;
    ShowStoppedControls(sim, "Simulation Terminated");
}

}  // namespace

void ProcessEvents(Sim& sim) {
    // Computed once: events due later in this pass do not see a moved clock.
    const int32_t due = ClockMinute(sim);
    auto& events = sim.lesson.ScenarioEvents;
    // No early exit: events after an END OF SIMULATION still take effect in the same pass.
    for (size_t i = 0; i < events.size(); ++i) {
        ScenarioEvent& e = events[i];
        if (e.Done || e.EventTime > due) continue;
        const std::string word = UpperCase(e.EventType);
        if (word == "IGNITE")
            IgniteCell(sim, e.IgniteX, e.IgniteY);
        else if (word == "ARRIVAL")
            Arrival(sim);
        else if (word == "WIND CHANGE")
            WindChange(sim, e);
        else if (word == "INJURY/FAILURE")
            InjuryFailure(sim, e);
        else if (word == "END OF SIMULATION")
            EndOfSimulation(sim);
        e.Done = kTrue;
    }
}

}  // namespace torvex
