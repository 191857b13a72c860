// The paint log of every lasting pixel on the map picture, and minute-by-minute replay from it.
#include "driver/paint_log.h"

#include <cmath>

#include "app/sim.h"
#include "driver/clock.h"

namespace torvex {

namespace {

// Replay paints straight onto the picture: stepping must never add to the log it walks.
void PaintDirect(Sim& sim, int16_t x, int16_t y, uint32_t colour) { sim.picture.Set(x, y, colour); }

void ShowReplayPanel(Sim& sim, int32_t m) {
    const auto& history = sim.clock.MinuteHistory;
    // Minutes no clock update reached read as zeros.
    MinuteRecord entry = m >= 0 && static_cast<size_t>(m) < history.size() ? history[m] : MinuteRecord{};
    Ui& ui = sim.ui;
    const int32_t clock = sim.run.StartTime + m;
    ui.SetText(Control::lblDay, DayText(clock));
    ui.SetText(Control::lblTime, TimeText(clock));
    ui.SetText(Control::lblElapse, ElapsedText(m));
    ui.SetText(Control::lblWD, WindDirectionText(entry.windDirection));
    ui.SetText(Control::lblWS, WindSpeedText(entry.windSpeed));
    ui.SetText(Control::lblAcres, HectaresText(entry.area));
    ui.SetText(Control::lblCost, "$" + NumberText(entry.cost));
    ui.RefreshMap();
}

}  // namespace

void PaintPixel(Sim& sim, int16_t x, int16_t y, uint32_t colour) {
    PaintLogState& log = sim.paint;
    ++log.count;
    if (log.PaintLog.size() < static_cast<size_t>(log.count) + 1) log.PaintLog.resize(static_cast<size_t>(log.count) + 1);
    PaintRecord& r = log.PaintLog[log.count];
    r.time = Round32(sim.run.SimTime);
    r.x = x;
    r.y = y;
    r.previous = sim.picture.Get(x, y);  // kOutsidePicture (-1) off the picture
    r.colour = colour;
    sim.picture.Set(x, y, colour);
}

void PaintCell(Sim& sim, int16_t cx, int16_t cy, int16_t state) {
    const uint32_t colour = state == 1 ? kBurningRed : kBlack;
    for (int py = 2 * cy; py <= 2 * cy + 1; ++py)
        for (int px = 2 * cx; px <= 2 * cx + 1; ++px)
            PaintPixel(sim, static_cast<int16_t>(px), static_cast<int16_t>(py), colour);
    PaintLogState& log = sim.paint;
    log.ReplayMinute = log.ReplayLastMinute = static_cast<int32_t>(std::trunc(sim.run.SimTime)) + 1;
    log.ReplayPosition = log.ReplayEndPosition = log.count;
}

void ResetPaintLog(PaintLogState& log) {
    log.count = 0;
    log.PaintLog.resize(2);
    log.ReplayPosition = 0;
    log.ReplayEndPosition = 0;
    log.ReplayMinute = 0;
}

void StartReplay(Sim& sim) {
    for (int i = 0; i < kLineSlots; ++i) {
        sim.roster.GrndRes[i].visible = false;
        ShowMarker(sim, i);
    }
    sim.ui.SetEnabled(Control::spnReplay, true);
    sim.ui.SetText(Control::lblMsg, "Replay Mode");
}

void ReplayBack(Sim& sim) {
    PaintLogState& log = sim.paint;
    if (log.ReplayMinute > 0) {
        --log.ReplayMinute;
        int32_t k = log.ReplayPosition;
        // Undo strictly in reverse order, so a pixel painted several times gets its oldest colour back.
        while (k >= 1 && log.PaintLog[k].time >= log.ReplayMinute) {
            const PaintRecord& r = log.PaintLog[k];
            PaintDirect(sim, r.x, r.y, r.previous);
            --k;
        }
        log.ReplayPosition = k >= 1 ? k : 1;
    }
    ShowReplayPanel(sim, log.ReplayMinute);
}

void ReplayForward(Sim& sim) {
    PaintLogState& log = sim.paint;
    if (log.ReplayMinute < log.ReplayLastMinute) {
        ++log.ReplayMinute;
        const int32_t n = log.count;
        // Record 0 is never written: a run that painted no cell has position 0 but a stale last
        // minute from the run before, and must not replay that empty slot onto pixel (0, 0).
        int32_t k = log.ReplayPosition >= 1 ? log.ReplayPosition : 1;
        // The cells of the last step are painted before the step publishes its time, so their records
        // may carry the rounded-up minute that is the last one here; the last minute shows them all,
        // as the picture did when the run stopped.
        const bool last = log.ReplayMinute == log.ReplayLastMinute;
        while (k <= n && (log.PaintLog[k].time < log.ReplayMinute || (last && k <= log.ReplayEndPosition))) {
            const PaintRecord& r = log.PaintLog[k];
            PaintDirect(sim, r.x, r.y, r.colour);
            ++k;
        }
        log.ReplayPosition = k <= n ? k : n;
    }
    ShowReplayPanel(sim, log.ReplayMinute);
}

}  // namespace torvex
