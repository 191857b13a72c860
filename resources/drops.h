// Air drops: the air tanker drop line, the helicopter disc, and taking fuel out of a cell.
#pragma once

namespace torvex {

struct Sim;

// Air tanker ("AT"): one straight line from the press point, no longer than MaxDropPixels.
void TankerLineDown(Sim& sim, float x, float y);
void TankerLineMove(Sim& sim, float x, float y);
void TankerLineUp(Sim& sim, float x, float y);

// Helicopter ("Hel"): places or moves the drop disc at the pointer.
void SetDrop(Sim& sim, float x, float y);
// Puts back the colours under a placed disc (Cancel).
void RestoreDrop(Sim& sim);

// Accept: the footprint painted yellow and its cells made unburnable.
void ApplyTankerLine(Sim& sim);
void ApplyHelicopterDrop(Sim& sim);

// Makes the cell under pixel (px, py) unburnable for the rest of the run; off the grid, nothing.
void ClearFuelAtPixel(Sim& sim, double px, double py);

}  // namespace torvex
