// Palette, off-screen map image, fuel table and the composition of the map picture.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace torvex {

struct Sim;

struct PaletteEntry {
    uint8_t red = 0, green = 0, blue = 0, flags = 0;
};

struct FuelEntry {
    std::string FuelName;
    std::string PhotoPath;
    std::string TexturePath;
};

constexpr int kMaxFuelEntries = 20;

struct TextureHeader {
    std::array<uint8_t, 14> fileHeader{};
    std::array<uint8_t, 1064> infoBlock{};  // 40-byte info header + 256 colour entries (b, g, r, 0)
    bool loaded = false;
};

struct MapDisplay {
    std::array<PaletteEntry, 256> Palette{};
    std::array<FuelEntry, kMaxFuelEntries + 1> FuelTable{};  // entries 1..20; 0 empty
    int16_t FuelCount = 0;
    std::string FuelTablePath;
    std::vector<uint8_t> MapImage;  // 2w x 2h colour indices, row 0 at the bottom
    int MapImageWidth = 0, MapImageHeight = 0;
    std::array<TextureHeader, kMaxFuelEntries + 1> Textures{};
    // What the last composition could not draw (also put on the message line); empty when all was drawn.
    std::string ComposeProblem;
};

// One run of consecutive map cells of a row with the same fuel index.
struct MapRun {
    int32_t first = 0, length = 0;
    uint8_t fuel = 0;
    bool operator==(const MapRun&) const = default;
};
// Cuts a map row of w cells into its runs, left to right.
std::vector<MapRun> CutRuns(const uint8_t* cells, int32_t w);

void Init_Palet(Sim& sim);
void Init_Graphics(Sim& sim);
void VBwrite(Sim& sim, int16_t f, int32_t tx, int32_t ty, int32_t n);
void LoadMapFile(Sim& sim);
void MakeAir(Sim& sim, const std::string& path);

// A data file's path as the program opens it: relative paths are taken from the program folder.
// The fuel table keeps its photograph and texture paths already resolved this way.
std::string ProgramFilePath(const Sim& sim, const std::string& path);

}  // namespace torvex
