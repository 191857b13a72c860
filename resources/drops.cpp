// Air drops: the tanker line and its rubber band, the helicopter disc, ClearFuelAtPixel.
#include "resources/drops.h"

#include <algorithm>
#include <cmath>

#include "app/common.h"
#include "app/sim.h"
#include "driver/paint_log.h"
#include "resources/lines.h"

namespace torvex {

namespace {

double DistanceToStart(const DeployState& d, const LinePoint& p) {
    return std::hypot(p.x - d.DrawPoints[0].x, p.y - d.DrawPoints[0].y);
}

bool InDisc(double cx, double cy, int j, int i, int radius) {
    if (std::sqrt(double(j * j + i * i)) > radius) return false;
    double px = cx + j, py = cy + i;
    return px >= 0 && px <= 511 && py >= 0 && py <= 511;
}

template <typename Fn>
void ForEachDiscPixel(const DeployState& d, Fn fn) {
    for (int i = -4; i <= 4; ++i)
        for (int j = -4; j <= 4; ++j)
            if (InDisc(d.DropCentreX, d.DropCentreY, j, i, d.DropRadius))
                fn(j, i, Round16(double(d.DropCentreX) + j), Round16(double(d.DropCentreY) + i));
}

bool DropPlaced(const DeployState& d) { return d.DropCentreX > 0 || d.DropCentreY > 0; }

void Thicken(Sim& sim, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            PaintPixel(sim, static_cast<int16_t>(x + dx), static_cast<int16_t>(y + dy), kYellow);
            ClearFuelAtPixel(sim, x + dx, y + dy);
        }
}

}  // namespace

void TankerLineDown(Sim& sim, float x, float y) {
    DeployState& d = sim.deploy;
    for (int32_t k = d.DrawCount - 1; k >= 0; --k) PaintPixel(sim, d.DrawPoints[k].x, d.DrawPoints[k].y, d.DrawPoints[k].colour);
    LinePoint& p = d.DrawPoints[0];
    p.x = Round16(std::clamp(double(x), 0.0, 511.0));
    p.y = Round16(std::clamp(double(y), 0.0, 511.0));
    p.colour = sim.picture.Get(p.x, p.y);
    d.DrawCount = 1;
    PaintPixel(sim, p.x, p.y, kWhite);
    sim.ui.SetPointer(Pointer::Crosshair);
    d.Drawing = true;
}

void TankerLineMove(Sim& sim, float x, float y) {
    DeployState& d = sim.deploy;
    if (!d.Drawing) return;
    ErasePreview(sim);
    const LinePoint last = d.DrawPoints[d.DrawCount - 1];
    int32_t count = 0;
    SegMent(sim, last.x, last.y, x, y, count);
    d.SegmentCount = count;
    int32_t shown = 0;
    while (shown < count && DistanceToStart(d, d.SegmentPoints[shown]) <= d.MaxDropPixels) {
        d.PreviewPoints[shown] = d.SegmentPoints[shown];
        sim.picture.Set(d.PreviewPoints[shown].x, d.PreviewPoints[shown].y, kWhite);
        ++shown;
    }
    d.PreviewCount = shown;
}

void TankerLineUp(Sim& sim, float x, float y) {
    DeployState& d = sim.deploy;
    if (!d.Drawing) return;
    ErasePreview(sim);
    d.PreviewCount = 0;
    const LinePoint last = d.DrawPoints[d.DrawCount - 1];
    int32_t count = 0;
    SegMent(sim, last.x, last.y, x, y, count);
    d.SegmentCount = count;
    for (int32_t k = 0; k < count && d.DrawCount < static_cast<int32_t>(d.DrawPoints.size()); ++k) {
        if (DistanceToStart(d, d.SegmentPoints[k]) > d.MaxDropPixels) break;
        d.DrawPoints[d.DrawCount++] = d.SegmentPoints[k];
    }
    for (int32_t k = 0; k < d.DrawCount; ++k) PaintPixel(sim, d.DrawPoints[k].x, d.DrawPoints[k].y, kWhite);
    d.Drawing = false;
    sim.ui.SetPointer(Pointer::Arrow);
}

void SetDrop(Sim& sim, float x, float y) {
    DeployState& d = sim.deploy;
    if (DropPlaced(d))
        ForEachDiscPixel(d, [&](int j, int i, int16_t px, int16_t py) { PaintPixel(sim, px, py, d.DropSaved[j + 4][i + 4]); });
    d.DropCentreX = x;
    d.DropCentreY = y;
    ForEachDiscPixel(d, [&](int j, int i, int16_t px, int16_t py) {
        d.DropSaved[j + 4][i + 4] = sim.picture.Get(px, py);
        PaintPixel(sim, px, py, kWhite);
    });
}

void RestoreDrop(Sim& sim) {
    DeployState& d = sim.deploy;
    if (!DropPlaced(d)) return;
    ForEachDiscPixel(d, [&](int j, int i, int16_t px, int16_t py) { PaintPixel(sim, px, py, d.DropSaved[j + 4][i + 4]); });
}

void ApplyTankerLine(Sim& sim) {
    DeployState& d = sim.deploy;
    for (int32_t k = 0; k < d.DrawCount; ++k) Thicken(sim, d.DrawPoints[k].x, d.DrawPoints[k].y);
}

void ApplyHelicopterDrop(Sim& sim) {
    DeployState& d = sim.deploy;
    if (!DropPlaced(d)) return;
    ForEachDiscPixel(d, [&](int, int, int16_t px, int16_t py) {
        PaintPixel(sim, px, py, kYellow);
        ClearFuelAtPixel(sim, px, py);
    });
}

void ClearFuelAtPixel(Sim& sim, double px, double py) {
    // Truncating division: pixel -1 still falls in cell 0.
    int cx = static_cast<int>(RoundHalfEven(std::clamp(px, -1e6, 1e6))) / 2;
    int cy = static_cast<int>(RoundHalfEven(std::clamp(py, -1e6, 1e6))) / 2;
    if (cx < 0 || cy < 0 || cx > 255 || cy > 255 || !sim.fire.InGrid(cx, cy)) return;
    sim.fire.Cell(cx, cy).FuelLeft = 0;
}

}  // namespace torvex
