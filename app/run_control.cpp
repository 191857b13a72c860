// The main loop pass, run control (Play, Pause, Stop) and InitialiseRun.
#include "app/run_control.h"

#include "app/sim.h"
#include "behaviour/adapter.h"
#include "driver/clock.h"
#include "driver/events.h"
#include "driver/paint_log.h"
#include "fire/fire_step.h"
#include "fire/grid.h"

namespace torvex {

namespace {
constexpr uint32_t kCyan = Rgb(0, 255, 255);
constexpr uint32_t kBlue = Rgb(0, 0, 255);
}  // namespace

void InitialiseRun(Sim& sim) {
    RunVars& run = sim.run;
    const InitialConditions& ic = sim.lesson.Conditions;

    // Steps 1 and 3: the grid from the lesson's map bitmap (checked when the lesson was read).
    BuildGrid(sim.fire, sim.lesson.MapBitmap);
    run.DirectionCount = 16;
    run.WindSpeed = ic.StartWindSpeed;
    run.WindDirection = ic.StartWindDirection;
    run.SimTime = 0;
    run.FireStopped = kFalse;

    StartFireBehaviour(sim);
    ResetEngine(sim);

    for (ScenarioEvent& e : sim.lesson.ScenarioEvents) e.Done = kFalse;

    for (int slot = 1; slot <= kLineSlots; ++slot) {
        sim.roster.LineSlotUsed[slot] = kFalse;
        GroundMarker& m = sim.roster.GrndRes[slot - 1];
        m.visible = false;
        m.fill = kCyan;
        m.border = kBlue;
        ShowMarker(sim, slot - 1);
    }

    run.StartTime = sim.lesson.ScenarioEvents.empty() ? 0 : sim.lesson.ScenarioEvents[0].EventTime;
    ResetClock(sim);
    ResetPaintLog(sim.paint);

    Ui& ui = sim.ui;
    ui.SetPressed(Control::btnPlay, false);
    ui.SetEnabled(Control::btnPlay, true);
    ui.SetPressed(Control::btnPause, false);
    ui.SetEnabled(Control::btnPause, false);
    ui.SetEnabled(Control::btnStop, false);
    ui.SetEnabled(Control::cmdReplay, false);
    ui.SetEnabled(Control::spnReplay, false);
    ui.SetVisible(Control::cmdReplay, false);
    ui.SetVisible(Control::spnReplay, false);
    ui.SetVisible(Control::btnPlay, true);
    ui.SetVisible(Control::btnPause, true);
    ui.SetVisible(Control::btnStop, true);
    for (Control c : {Control::lblDay, Control::lblTime, Control::lblElapse, Control::lblWD, Control::lblWS,
                      Control::lblAcres, Control::lblCost})
        ui.SetText(c, "");

    run.OnSite = kFalse;
    sim.clock.ShownDayText.clear();
}

void ShowStoppedControls(Sim& sim, const char* message) {
    Ui& ui = sim.ui;
    ui.SetPressed(Control::btnPause, false);
    ui.SetEnabled(Control::btnPause, false);
    ui.SetPressed(Control::btnStop, false);
    ui.SetEnabled(Control::btnStop, false);
    ui.SetVisible(Control::btnPlay, false);
    ui.SetVisible(Control::btnPause, false);
    ui.SetVisible(Control::btnStop, false);
    ui.SetVisible(Control::cmdReplay, true);
    ui.SetVisible(Control::spnReplay, true);
    ui.SetEnabled(Control::cmdReplay, true);
    ui.SetText(Control::lblMsg, message);
}

void FireStoppedStop(Sim& sim) {
    sim.run.RunState = "STOP";
    sim.run.RunStarted = kFalse;
    ShowStoppedControls(sim, "Fire Stopped");
}

void PlayClicked(Sim& sim, bool pressed) {
    if (!sim.run.LessonLoaded || !pressed) return;
    InitialiseRun(sim);
    sim.run.RunState = "RUN";
    sim.run.RunStarted = kTrue;
    Ui& ui = sim.ui;
    ui.SetPressed(Control::btnPlay, false);
    ui.SetEnabled(Control::btnPlay, false);
    ui.SetPressed(Control::btnPause, false);
    ui.SetEnabled(Control::btnPause, true);
    ui.SetPressed(Control::btnStop, false);
    ui.SetEnabled(Control::btnStop, true);
    ui.SetText(Control::lblMsg, "Simulation Started");
}

void PauseClicked(Sim& sim) {
    RunVars& run = sim.run;
    if (!run.RunStarted) return;
    if (run.RunState == "RUN") {
        run.RunState = "PAUSE";
        sim.ui.SetText(Control::lblMsg, "Simulation Paused...");
        run.PacedSeconds += static_cast<float>(sim.wall.NowWholeSeconds() - run.PaceStart);
    } else {
        run.RunState = "RUN";
        sim.ui.SetText(Control::lblMsg, "");
        run.PaceStart = sim.wall.NowWholeSeconds();
    }
}

void StopClicked(Sim& sim, bool pressed) {
    if (!sim.run.RunStarted || !pressed) return;
    sim.run.RunState = "STOP";
    sim.run.RunStarted = kFalse;
    ShowStoppedControls(sim, "Simulation Stopped");
}

void RunWhenNoStep(Sim& sim, std::function<void(Sim&)> fn) {
    if (sim.fire.Stepping)
        sim.afterStep.push_back(std::move(fn));
    else
        fn(sim);
}

void YieldToWindow(Sim& sim) {
    YieldState& y = sim.yield;
    // Reading the clock costs more than a counter test, so look at it every 64th call only.
    if ((++y.calls & 63u) != 0) return;
    int64_t now = sim.wall.MonotonicMs();
    if (now - y.lastMs < y.sliceMs) return;
    y.lastMs = now;
    sim.ui.ProcessEvents();
}

void RunPass(Sim& sim) {
    RunVars& run = sim.run;
    if (run.RunState == "RUN") {
        ProcessEvents(sim);
        UpdateClock(sim);
        if (run.OnSite) PaceToWallClock(sim);
        sim.fire.Stepping = true;
        FireStep(sim);
        sim.fire.Stepping = false;
        // A lesson opened while the step yielded is loaded now that the lists are free again.
        auto pending = std::move(sim.afterStep);
        sim.afterStep.clear();
        for (auto& fn : pending) fn(sim);
        if (run.RunState == "RUN" && run.FireStopped) FireStoppedStop(sim);
    }
    sim.ui.RefreshMap();
}

void RunLoop(Sim& sim) {
    while (!sim.run.EndRequested) {
        if (sim.run.RunState == "RUN") {
            sim.ui.ProcessEvents();
        } else {
            // Idle: block until the window system has something, rather than spinning.
            sim.ui.WaitForEvents(100);
        }
        if (sim.run.EndRequested) break;
        RunPass(sim);
    }
}

}  // namespace torvex
