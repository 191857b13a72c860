// Deployment state of the main window: which deployment is open and what has been drawn.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "resources/roster.h"

namespace torvex {

struct Sim;
class ResourceListWindow;

struct DeployState {
    std::string DeployMode;  // "", "AT", "Hel", "Bull", "Crew"
    std::vector<LinePoint> DrawPoints = std::vector<LinePoint>(kMaxLinePoints);
    int32_t DrawCount = 0;
    double DrawnLength = 0;  // pixels
    float MaxDropPixels = 0;
    float DropCentreX = 0, DropCentreY = 0;
    int DropRadius = 4;
    std::array<std::array<uint32_t, 9>, 9> DropSaved{};  // [j + 4][i + 4]
    std::vector<LinePoint> SegmentPoints = std::vector<LinePoint>(1001);
    int32_t SegmentCount = 0;
    std::vector<LinePoint> PreviewPoints = std::vector<LinePoint>(1001);
    int32_t PreviewCount = 0;
    bool Drawing = false;
    bool DraggingMarker = false;
    // When set, answers the resource list in place of the window system (scripted trainee actions).
    std::function<void(ResourceListWindow&)> ScriptedList;
};

}  // namespace torvex

namespace torvex {

// Handlers of the main window that the Qt layer forwards to (the names are the controls').
enum class DeployKind { Helicopter, Tanker, Equipment, Crew };
void DeployButtonClicked(Sim& sim, DeployKind kind, bool pressed);  // btnHel, btnAT, btnBull, btnCrew
void BurnOutClicked(Sim& sim);                                      // chkBurn
void AcceptClicked(Sim& sim);                                       // cmdOK
void CancelClicked(Sim& sim);                                       // cmdCancel
// A new lesson replaces the roster and the map under an open deployment: close it without repainting.
void AbandonDeployment(Sim& sim);
// Mouse on the map picture picAir, in picture pixels.
void MapMouseDown(Sim& sim, float x, float y);
void MapMouseMove(Sim& sim, float x, float y);
void MapMouseUp(Sim& sim, float x, float y);

}  // namespace torvex
