// Contents of the fuel legend and the active-fuel window.
#include "display/small_windows.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "app/sim.h"
#include "display/picture.h"

namespace torvex {

namespace {
constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kColourTableOffset = kFileHeaderBytes + kInfoHeaderBytes;

std::vector<uint8_t> ReadPrefix(const std::string& path, size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes(maxBytes);
    if (!in) return {};
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(maxBytes));
    bytes.resize(static_cast<size_t>(std::max<std::streamsize>(0, in.gcount())));
    return bytes;
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
}  // namespace

const std::array<const char*, kLegendRows>& LegendCaptions() {
    static const std::array<const char*, kLegendRows> captions{
        "Short Grass",          "Open Timber/Grass",     "Tall Grass",
        "Chaparral",            "Brush (2 ft)",          "Dormant Brush/Slash",
        "Southern Rough",       "Closed Timber Litter",  "Hardwood Litter",
        "Timber (litter/under.)", "Logging Slash - Light", "Logging Slash - Medium",
        "Logging Slash - Heavy", "Water"};
    return captions;
}

std::array<uint32_t, kLegendRows + 1> LegendSwatchColours(const std::string& mapFilePath) {
    std::array<uint32_t, kLegendRows + 1> colours{};
    std::vector<uint8_t> head = ReadPrefix(mapFilePath, kColourTableOffset + 4 * (kLegendRows + 1));
    for (int i = 1; i <= kLegendRows; ++i) {
        size_t at = kColourTableOffset + 4 * static_cast<size_t>(i);
        if (at + 3 > head.size()) break;
        colours[i] = Rgb(head[at + 2], head[at + 1], head[at]);  // stored blue, green, red
    }
    return colours;
}

std::vector<uint32_t> LegendSwatchPixels(const std::array<uint32_t, kLegendRows + 1>& colours, uint32_t background) {
    std::vector<uint32_t> px(kLegendSwatchWidth * kLegendSwatchHeight, background);
    auto box = [&](int y0, int y1, uint32_t c) {  // inclusive rows, the full width
        for (int y = y0; y <= y1 && y < kLegendSwatchHeight; ++y)
            std::fill_n(px.begin() + y * kLegendSwatchWidth, kLegendSwatchWidth, c);
    };
    for (int i = 1; i <= kLegendRows; ++i) {
        int y = 16 * (i - 1);
        box(y, y + 10, colours[i]);
        box(y + 11, y + 16, background);
    }
    return px;
}

std::optional<CellImage> ReadMapBitmapImage(const std::string& mapFilePath) {
    std::ifstream in(mapFilePath, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    constexpr size_t kHeader = kFileHeaderBytes + kInfoHeaderBytes + 1024;
    if (b.size() < kHeader || b[0] != 'B' || b[1] != 'M') return std::nullopt;
    int32_t w = static_cast<int32_t>(Le32(b, 18));
    int32_t h = static_cast<int32_t>(Le32(b, 22));
    if (Le16(b, 28) != 8 || w <= 0 || h <= 0 || w > 4096 || h > 4096) return std::nullopt;
    size_t rowBytes = (static_cast<size_t>(w) + 3) / 4 * 4;
    size_t offset = Le32(b, 10);
    if (offset < kHeader || offset + rowBytes * static_cast<size_t>(h) > b.size()) return std::nullopt;
    CellImage img;
    img.width = w;
    img.height = h;
    img.pixels.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = &b[offset + rowBytes * static_cast<size_t>(h - 1 - y)];  // bottom-up
        for (int x = 0; x < w; ++x) {
            size_t e = kColourTableOffset + 4 * size_t(row[x]);
            img.pixels[static_cast<size_t>(y) * w + x] = Rgb(b[e + 2], b[e + 1], b[e]);
        }
    }
    return img;
}

std::string ProgramPath(const std::string& programDir, const std::string& path) {
    if (path.empty() || path[0] == '/' || programDir.empty()) return path;
    return programDir + "/" + path;
}

std::optional<ActiveFuelView> ActiveFuelContent(const Sim& sim) {
    int16_t f = sim.clock.ShownFuel;
    if (f <= 0) return std::nullopt;
    ActiveFuelView v;
    if (f <= kMaxFuelEntries) {
        const FuelEntry& e = sim.display.FuelTable[f];
        v.caption = "Active Fuel - " + e.FuelName;
        v.photoPath = ProgramPath(sim.programDir, e.PhotoPath);
    } else {
        v.caption = "Active Fuel - ";
    }
    return v;
}

}  // namespace torvex
