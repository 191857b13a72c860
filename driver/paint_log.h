// Every lasting pixel painted on the map, and minute-by-minute replay of them.
#pragma once

#include <cstdint>
#include <vector>

namespace torvex {

struct Sim;

struct PaintRecord {
    int32_t time = 0;       // SimTime rounded, halves to even
    int16_t x = 0, y = 0;
    uint32_t previous = 0;  // 0xFFFFFFFF (-1) outside the picture
    uint32_t colour = 0;
};
static_assert(sizeof(PaintRecord) == 16);

struct PaintLogState {
    std::vector<PaintRecord> PaintLog = std::vector<PaintRecord>(2);  // indexes 0..count; 0 unused
    int32_t count = 0;
    int32_t ReplayMinute = 0;
    int32_t ReplayLastMinute = 0;
    int32_t ReplayPosition = 0;
    // Record count at the last PaintCell: everything the picture showed of the fire when the run stopped.
    int32_t ReplayEndPosition = 0;
};

void PaintPixel(Sim& sim, int16_t x, int16_t y, uint32_t colour);
void PaintCell(Sim& sim, int16_t cx, int16_t cy, int16_t state);
void ResetPaintLog(PaintLogState& log);  // InitialiseRun's part
void StartReplay(Sim& sim);              // click on cmdReplay
void ReplayBack(Sim& sim);
void ReplayForward(Sim& sim);

}  // namespace torvex
