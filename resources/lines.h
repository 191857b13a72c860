// Fireline drawing on the map picture: the segment rasteriser, the ground-line mouse protocol,
// marker clicks and drags, and the fuel name under a click.
#pragma once

#include <cstdint>
#include <string>

namespace torvex {

struct Sim;

constexpr uint32_t kMarkerRed = 0x000000FFu;  // Rgb(255, 0, 0): the marker of an overrun resource
constexpr const char* kLineFull = "The line is full: accept or cancel it";

// Points from (lx, ly) to (x, y), both ends included, one per step of the longer axis, into
// sim.deploy.SegmentPoints from index 0 with the colours the picture has there now. The end is
// clipped to the map picture first, so a segment never holds more than 512 points.
void SegMent(Sim& sim, int16_t lx, int16_t ly, float x, float y, int32_t& count);
// Moves (x, y) back along the segment from (lx, ly) until it lies on the 512 x 512 picture.
void ClipToPicture(double lx, double ly, double& x, double& y);

// Rubber band: puts back the colours under the preview, directly (previews are never logged).
void ErasePreview(Sim& sim);

// The "Distance" label's text: the whole number with one leading blank when it is not negative.
std::string DistanceText(int32_t value);

// Ground line ("Bull", "Crew"): press, move and release on the map.
void GroundLineDown(Sim& sim, float x, float y);
void GroundLineMove(Sim& sim, float x, float y);
void GroundLineUp(Sim& sim, float x, float y);

// No deployment open: pick up a ground marker, or name the fuel under the click.
void MapClick(Sim& sim, float x, float y);
void MarkerDragMove(Sim& sim, float x, float y);
void MarkerDragUp(Sim& sim, float x, float y);

}  // namespace torvex
