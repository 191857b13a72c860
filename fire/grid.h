// The fuel grid, the front-element and burning-cell lists, and the engine's counters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/common.h"

namespace torvex {

struct MapCell {
    uint8_t FuelModel = 0;    // 1..13, or 0 for a cell that cannot burn
    uint8_t FuelLeft = 0;     // percent of fuel left; 0 takes no front and spreads nothing
    float ArrivalTime = 0;    // 0 untouched, >0 claimed for that time, <0 ignited at -t
    float FlameLength = 0;    // metres, brought by the claiming element
};

struct FrontElement {
    float X = 0, Y = 0;       // where the ray reaches its cell, in cell units
    int16_t CellX = 0, CellY = 0;
    float Angle = 0;          // degrees counter-clockwise from map east
    float Rate = 0;           // m/min in the cell just crossed
    float ArrivalTime = 0;
    float ExitTime = 0;
    int16_t Life = 0;
    float FlameLength = 0;    // metres
};

struct BurningCell {
    int16_t CellX = 0, CellY = 0;
    int16_t State = 0;        // -1 ignited, not yet shown; 1 shown burning
    float BurnOutTime = 0;
};

// Map bitmap layout: 14-byte file header, 40-byte info header, 1024-byte colour table, pixels.
constexpr size_t kMapBitmapHeaderBytes = 1078;
constexpr size_t kMapBitmapBytes = 66614;  // 256 x 256 lesson map

// Everything the fire engine owns; one per running program.
struct FireEngine {
    int16_t GridWidth = 0, GridHeight = 0;
    float CellSize = 0;          // metres
    double DiagonalLength = 0;   // metres
    std::vector<MapCell> FuelGrid;  // GridWidth x GridHeight, row-major from the north-west corner

    // Lists indexed from 1; entry 0 is unused. Both front lists always share FrontCapacity.
    std::vector<FrontElement> ActiveFronts, NextFronts;
    int32_t ActiveCount = 0, NextCount = 0, FrontCapacity = 0;
    std::vector<BurningCell> BurningCells;
    int32_t BurningCount = 0, BurningCapacity = 0;  // wider than 16 bits: no limit at 32,000 cells

    int32_t BurnedOutCount = 0;
    float FireTime = 1.0f;
    float TimeStep = 0;
    float MaxRate = 0;
    int16_t EngineWindSpeed = 0, EngineWindDirection = 0;
    Flag WeatherChanged = kFalse;
    int16_t ActiveFuel = 0;
    float ActiveFuelFlame = 0;
    float BurnedArea = 0;        // hectares
    bool Stepping = false;       // a FireStep is running (it may yield to handlers)

    MapCell& Cell(int x, int y) { return FuelGrid[static_cast<size_t>(y) * GridWidth + x]; }
    const MapCell& Cell(int x, int y) const { return FuelGrid[static_cast<size_t>(y) * GridWidth + x]; }
    bool InGrid(int x, int y) const { return x >= 0 && y >= 0 && x < GridWidth && y < GridHeight; }

    // Growth rules: appending the element that makes NextCount reach FrontCapacity grows both
    // lists by 10,000; a burning cell beyond BurningCapacity grows that list by 1,000.
    FrontElement& AppendNext();
    FrontElement& AppendActive();
    BurningCell& AppendBurning();
    void GrowFronts();
};

// Reads the header fields and pixels of a map bitmap held in memory. Returns false (and leaves
// the engine untouched) when the bytes are not the 8-bit layout the grid needs.
bool BuildGrid(FireEngine& fire, const std::vector<uint8_t>& bitmap, std::string* error = nullptr);

// Checks a map bitmap without building anything: the 66,614-byte 8-bit 256 x 256 layout.
bool ValidateMapBitmap(const std::vector<uint8_t>& bitmap, std::string* error);

}  // namespace torvex
