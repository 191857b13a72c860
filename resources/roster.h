// The resource roster, its states and the shared line store of the ground resources.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/common.h"

namespace torvex {

struct Sim;
struct ResourceClass;
struct LessonResource;

struct Resource {
    std::string Name;
    std::string ClassName;      // 32, blank-padded
    std::string Kind;           // 10 as copied from the class
    std::string Status;         // "Callup", "Active", "Released", "Fatality"
    std::string Activity;       // "", "Available", "Deployed", "Reload", "Refuel", "Disabled"
    int16_t BusyUntil = 0;      // 32767 = never
    int16_t Endurance = 0;
    int16_t AirSpareValue = 0;
    int16_t DropLength = 0;     // metres
    std::string RateUnits;      // 10
    int16_t ProductionRate = 0;
    std::string SpareText;
    int16_t CallupDelay = 0;
    std::string ResourceNote;
    int16_t DropCost = 0;
    int16_t HourlyCost = 0;
    float MinuteCount = 0;
    float PixelsPerMinute = 0;
    float Cost = 0;
    int16_t LineSlot = 0;       // 1..10, 0 = none yet
    int16_t NextPoint = 0;
    float LineLength = 0;       // pixels
    float LineBuilt = 0;        // pixels
    int16_t PosX = 0, PosY = 0; // map pixels; both 0 = not placed
    Flag BurnLeft = kFalse, BurnRight = kFalse;
};

struct LinePoint {
    int16_t x = 0, y = 0;
    uint32_t colour = 0;  // colour the pixel had before the line was drawn over it
};

constexpr int kLineSlots = 10;
constexpr int kMaxLinePoints = 5001;

struct GroundMarker {
    bool visible = false;
    int left = 0, top = 0;          // box in map pixels (17 x 9)
    uint32_t fill = 0, border = 0;  // 0x00BBGGRR
};

struct RosterState {
    std::vector<Resource> Roster;  // entries 1..ResourceCount; entry 0 unused
    int16_t ResourceCount = 0;
    int32_t SelectedResource = 0;
    std::string RequestedKind;
    // Line store: slots 1..10 (index 0 unused), points 0..5000.
    std::array<std::vector<LinePoint>, kLineSlots + 1> LinePoints;
    std::array<int32_t, kLineSlots + 1> LinePointCount{};
    std::array<Flag, kLineSlots + 1> LineSlotUsed{};
    std::array<GroundMarker, kLineSlots> GrndRes{};  // marker of slot s is GrndRes[s - 1]
};

// Builds the roster afresh from a lesson's classes and resource records.
void BuildRoster(RosterState& roster, const std::vector<ResourceClass>& classes,
                 const std::vector<LessonResource>& resources);
// Shows marker i on the window as it is held.
void ShowMarker(Sim& sim, int index);

}  // namespace torvex
