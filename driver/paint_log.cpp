// Paint log and replay (placeholder until it lands).
#include "driver/paint_log.h"

#include "app/sim.h"

namespace torvex {

void PaintPixel(Sim& sim, int16_t x, int16_t y, uint32_t colour) { sim.picture.Set(x, y, colour); }
void PaintCell(Sim& sim, int16_t cx, int16_t cy, int16_t state) {
    uint32_t c = state == 1 ? kBurningRed : kBlack;
    for (int py = 2 * cy; py <= 2 * cy + 1; ++py)
        for (int px = 2 * cx; px <= 2 * cx + 1; ++px) PaintPixel(sim, int16_t(px), int16_t(py), c);
}
void ResetPaintLog(PaintLogState& log) {
    log.count = 0;
    log.PaintLog.resize(2);
    log.ReplayPosition = 0;
    log.ReplayMinute = 0;
}
void StartReplay(Sim&) {}
void ReplayBack(Sim&) {}
void ReplayForward(Sim&) {}

}  // namespace torvex
