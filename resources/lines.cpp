// Fireline drawing: SegMent, the ground-line rubber band, marker clicks and drags, fuel under a click.
#include "resources/lines.h"

#include <algorithm>
#include <cmath>

#include "app/common.h"
#include "app/sim.h"
#include "behaviour/adapter.h"
#include "driver/paint_log.h"

namespace torvex {

namespace {

constexpr double kLast = MapPicture::kSize - 1;

double Clamp(double v) { return std::clamp(v, 0.0, kLast); }

void Append(Sim& sim, double X, double Y, int32_t& count) {
    DeployState& d = sim.deploy;
    if (count >= static_cast<int32_t>(d.SegmentPoints.size())) return;
    LinePoint& p = d.SegmentPoints[count++];
    p.x = Round16(X);
    p.y = Round16(Y);
    p.colour = sim.picture.Get(p.x, p.y);
}

// The rubber band from the last accepted point to (x, y), shown white without logging.
void ShowPreview(Sim& sim, int32_t count) {
    DeployState& d = sim.deploy;
    d.PreviewCount = count;
    for (int32_t i = 0; i < count; ++i) {
        d.PreviewPoints[i] = d.SegmentPoints[i];
        sim.picture.Set(d.PreviewPoints[i].x, d.PreviewPoints[i].y, kWhite);
    }
}

const LinePoint& LastAccepted(const DeployState& d) { return d.DrawPoints[d.DrawCount - 1]; }

// The pointer moved back onto the picture along the segment from the last accepted point.
void ClippedPointer(const DeployState& d, float& x, float& y) {
    const LinePoint& last = LastAccepted(d);
    double cx = x, cy = y;
    ClipToPicture(last.x, last.y, cx, cy);
    x = static_cast<float>(cx);
    y = static_cast<float>(cy);
}

double DistanceFromLast(const DeployState& d, double x, double y) {
    const LinePoint& last = LastAccepted(d);
    return std::hypot(x - last.x, y - last.y);
}

int32_t ShownDistance(const Sim& sim, double pixels) {
    return Round32((sim.fire.CellSize / 2.0) * pixels);
}

}  // namespace

void ClipToPicture(double lx, double ly, double& x, double& y) {
    if (x >= 0 && x <= kLast && y >= 0 && y <= kLast) return;
    lx = Clamp(lx);
    ly = Clamp(ly);
    double dx = x - lx, dy = y - ly, t = 1.0;
    if (dx > 0) t = std::min(t, (kLast - lx) / dx);
    if (dx < 0) t = std::min(t, (0.0 - lx) / dx);
    if (dy > 0) t = std::min(t, (kLast - ly) / dy);
    if (dy < 0) t = std::min(t, (0.0 - ly) / dy);
    x = Clamp(lx + t * dx);
    y = Clamp(ly + t * dy);
}

void SegMent(Sim& sim, int16_t lx, int16_t ly, float xf, float yf, int32_t& count) {
    count = 0;
    double x = xf, y = yf;
    ClipToPicture(lx, ly, x, y);
    if (x == lx) {
        if (y == ly) return;
        int s = y > ly ? 1 : -1;
        for (double Y = ly; s > 0 ? Y <= y : Y >= y; Y += s) Append(sim, x, Y, count);
        return;
    }
    double m = (y - ly) / (x - lx);
    double b = y - m * x;
    if (std::fabs(x - lx) > std::fabs(y - ly)) {
        int s = x > lx ? 1 : -1;
        for (double X = lx; s > 0 ? X <= x : X >= x; X += s) Append(sim, X, RoundHalfEven(b + m * X), count);
    } else {
        int s = y > ly ? 1 : -1;
        for (double Y = ly; s > 0 ? Y <= y : Y >= y; Y += s) Append(sim, RoundHalfEven((Y - b) / m), Y, count);
    }
}

std::string DistanceText(int32_t value) {
    return (value < 0 ? "" : " ") + std::to_string(value);
}

void ErasePreview(Sim& sim) {
    DeployState& d = sim.deploy;
    for (int32_t i = 0; i < d.PreviewCount; ++i)
        sim.picture.Set(d.PreviewPoints[i].x, d.PreviewPoints[i].y, d.PreviewPoints[i].colour);
}

void GroundLineDown(Sim& sim, float x, float y) {
    DeployState& d = sim.deploy;
    x = static_cast<float>(Clamp(x));
    y = static_cast<float>(Clamp(y));
    if (d.DrawCount == 0) {
        LinePoint& p = d.DrawPoints[0];
        p.x = Round16(x);
        p.y = Round16(y);
        p.colour = sim.picture.Get(p.x, p.y);
        d.DrawCount = 1;
        PaintPixel(sim, p.x, p.y, kWhite);
    }
    const LinePoint& last = LastAccepted(d);
    int32_t count = 0;
    SegMent(sim, last.x, last.y, x, y, count);
    d.SegmentCount = count;
    ShowPreview(sim, count);
    sim.ui.SetPointer(Pointer::Crosshair);
    d.Drawing = true;
}

void GroundLineMove(Sim& sim, float x, float y) {
    DeployState& d = sim.deploy;
    if (!d.Drawing) return;
    ErasePreview(sim);
    ClippedPointer(d, x, y);
    const LinePoint& last = LastAccepted(d);
    int32_t count = 0;
    SegMent(sim, last.x, last.y, x, y, count);
    d.SegmentCount = count;
    ShowPreview(sim, count);
    double dist = DistanceFromLast(d, x, y);
    sim.ui.SetText(Control::lblDist, DistanceText(ShownDistance(sim, d.DrawnLength + dist)));
}

void GroundLineUp(Sim& sim, float x, float y) {
    DeployState& d = sim.deploy;
    if (!d.Drawing) return;
    ErasePreview(sim);
    d.PreviewCount = 0;
    ClippedPointer(d, x, y);
    const LinePoint last = LastAccepted(d);
    int32_t count = 0;
    SegMent(sim, last.x, last.y, x, y, count);
    d.SegmentCount = count;

    // A full line takes no more points; the length then runs only to the last point it took.
    const int32_t room = static_cast<int32_t>(d.DrawPoints.size()) - d.DrawCount;
    double dist = DistanceFromLast(d, x, y);
    if (count > room) {
        count = std::max(room, 0);
        dist = count > 0 ? std::hypot(d.SegmentPoints[count - 1].x - last.x, d.SegmentPoints[count - 1].y - last.y)
                         : 0.0;
        sim.ui.SetText(Control::lblMsg, kLineFull);
    }
    d.DrawnLength += dist;
    sim.ui.SetText(Control::lblDist, DistanceText(ShownDistance(sim, d.DrawnLength)));
    for (int32_t i = 0; i < count; ++i) d.DrawPoints[d.DrawCount++] = d.SegmentPoints[i];
    for (int32_t i = 0; i < d.DrawCount; ++i) PaintPixel(sim, d.DrawPoints[i].x, d.DrawPoints[i].y, kWhite);
    d.Drawing = false;
    sim.ui.SetPointer(Pointer::Arrow);
}

void MapClick(Sim& sim, float x, float y) {
    RosterState& roster = sim.roster;
    int resources = std::min<int>(roster.ResourceCount, static_cast<int>(roster.Roster.size()) - 1);
    for (int i = 1; i <= resources; ++i) {
        Resource& r = roster.Roster[i];
        if (r.LineSlot < 1 || r.LineSlot > kLineSlots) continue;
        const GroundMarker& m = roster.GrndRes[r.LineSlot - 1];
        if (!m.visible || std::fabs(x - r.PosX) >= 5 || std::fabs(y - r.PosY) >= 5) continue;
        std::string text = " Resource " + r.Name;
        if (m.fill == kMarkerRed) text += " Overrun by Fire";
        sim.ui.SetText(Control::lblMsg, text);
        if (r.Activity != "Deployed") {
            roster.SelectedResource = i;
            sim.deploy.DraggingMarker = true;
        }
        return;
    }
    if (x > 511 || y > 511 || x < 0 || y < 0 || !sim.run.LessonLoaded) return;
    int cx = Round16(x) / 2, cy = Round16(y) / 2;
    if (!sim.fire.InGrid(cx, cy)) return;
    sim.ui.SetText(Control::lblMsg, FuelModelName(sim.fire.Cell(cx, cy).FuelModel));
}

namespace {
Resource* DraggedResource(Sim& sim) {
    RosterState& roster = sim.roster;
    int i = roster.SelectedResource;
    if (i < 1 || i >= static_cast<int>(roster.Roster.size())) return nullptr;
    Resource& r = roster.Roster[i];
    return (r.LineSlot >= 1 && r.LineSlot <= kLineSlots) ? &r : nullptr;
}
}  // namespace

void MarkerDragMove(Sim& sim, float x, float y) {
    if (!sim.deploy.DraggingMarker) return;
    Resource* r = DraggedResource(sim);
    if (!r) return;
    GroundMarker& m = sim.roster.GrndRes[r->LineSlot - 1];
    m.left = Round16(Clamp(x)) - 8;
    m.top = Round16(Clamp(y)) - 5;
    ShowMarker(sim, r->LineSlot - 1);
}

void MarkerDragUp(Sim& sim, float x, float y) {
    if (!sim.deploy.DraggingMarker) return;
    sim.deploy.DraggingMarker = false;
    Resource* r = DraggedResource(sim);
    if (!r) return;
    // A marker dropped off the picture stays on its edge, where it can still be seen and picked up.
    r->PosX = Round16(Clamp(x));
    r->PosY = Round16(Clamp(y));
    GroundMarker& m = sim.roster.GrndRes[r->LineSlot - 1];
    m.left = r->PosX - 8;
    m.top = r->PosY - 5;
    ShowMarker(sim, r->LineSlot - 1);
}

}  // namespace torvex
