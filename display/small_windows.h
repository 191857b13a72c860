// Contents of the fuel legend and the active-fuel window, built from the state when they open.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace torvex {

struct Sim;

constexpr int kLegendRows = 14;
constexpr int kLegendSwatchWidth = 17, kLegendSwatchHeight = 225;  // picLegend

// Captions of lblF1 .. lblF13 and lblWater, top to bottom (index 0 is row 1).
const std::array<const char*, kLegendRows>& LegendCaptions();

// Colour table entries 1..14 of the map bitmap file as 0x00BBGGRR (index 0 unused). Read errors are
// ignored: what the file does not hold stays black.
std::array<uint32_t, kLegendRows + 1> LegendSwatchColours(const std::string& mapFilePath);

// picLegend's pixels, row by row: swatch i fills rows 16(i-1) .. 16(i-1)+10, the gap below it the background.
std::vector<uint32_t> LegendSwatchPixels(const std::array<uint32_t, kLegendRows + 1>& colours, uint32_t background);

// The map bitmap at one pixel per cell in its own colours (row 0 at the top), or nullopt when the file
// is not an 8-bit bitmap the legend can show.
struct CellImage {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00BBGGRR
};
std::optional<CellImage> ReadMapBitmapImage(const std::string& mapFilePath);

// The active-fuel window: nothing while no fuel is shown, else its caption and photograph.
struct ActiveFuelView {
    std::string caption;
    std::string photoPath;  // resolved against the program folder
};
std::optional<ActiveFuelView> ActiveFuelContent(const Sim& sim);

// A path from the program's data files: relative ones are taken from the program folder.
std::string ProgramPath(const std::string& programDir, const std::string& path);

}  // namespace torvex
