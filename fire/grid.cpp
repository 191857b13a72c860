// Grid build from the map bitmap and the list growth rules.
#include "fire/grid.h"

#include <cstring>

namespace torvex {

namespace {
int32_t ReadI32(const std::vector<uint8_t>& b, size_t at) {
    uint32_t v = uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
    return static_cast<int32_t>(v);
}
uint16_t ReadU16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
}  // namespace

void FireEngine::GrowFronts() {
    FrontCapacity += 10000;
    ActiveFronts.resize(static_cast<size_t>(FrontCapacity) + 1);
    NextFronts.resize(static_cast<size_t>(FrontCapacity) + 1);
}

FrontElement& FireEngine::AppendNext() {
    ++NextCount;
    if (NextCount >= FrontCapacity) GrowFronts();
    return NextFronts[NextCount];
}

FrontElement& FireEngine::AppendActive() {
    ++ActiveCount;
    if (ActiveCount >= FrontCapacity) GrowFronts();
    return ActiveFronts[ActiveCount];
}

BurningCell& FireEngine::AppendBurning() {
    ++BurningCount;
    if (BurningCount > BurningCapacity) {
        BurningCapacity += 1000;
        BurningCells.resize(static_cast<size_t>(BurningCapacity) + 1);
    }
    return BurningCells[BurningCount];
}

bool ValidateMapBitmap(const std::vector<uint8_t>& b, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    if (b.size() < kMapBitmapBytes)
        return fail("the map bitmap is " + std::to_string(b.size()) + " bytes, not " + std::to_string(kMapBitmapBytes));
    if (b[0] != 'B' || b[1] != 'M') return fail("the map bitmap does not start with \"BM\"");
    int32_t width = ReadI32(b, 18), height = ReadI32(b, 22);
    if (width != 256 || height != 256)
        return fail("the map bitmap is " + std::to_string(width) + " x " + std::to_string(height) + ", not 256 x 256");
    if (ReadU16(b, 28) != 8) return fail("the map bitmap is not an 8-bit bitmap");
    if (ReadI32(b, 30) != 0) return fail("the map bitmap is compressed");
    float cell;
    std::memcpy(&cell, &b[6], 4);
    if (!(cell > 0.0f) || !(cell < 1.0e6f)) return fail("the map bitmap's cell size is not a positive number of metres");
    return true;
}

bool BuildGrid(FireEngine& fire, const std::vector<uint8_t>& b, std::string* error) {
    if (!ValidateMapBitmap(b, error)) return false;
    float cell;
    std::memcpy(&cell, &b[6], 4);
    const int w = static_cast<int16_t>(ReadI32(b, 18));
    const int h = static_cast<int16_t>(ReadI32(b, 22));
    fire.GridWidth = static_cast<int16_t>(w);
    fire.GridHeight = static_cast<int16_t>(h);
    fire.CellSize = cell;
    fire.FuelGrid.assign(static_cast<size_t>(w) * h, MapCell{});
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = &b[kMapBitmapHeaderBytes + static_cast<size_t>(h - 1 - y) * w];
        for (int x = 0; x < w; ++x) {
            uint8_t v = row[x];
            if (v >= 14) v = 0;
            MapCell& c = fire.Cell(x, y);
            c.FuelModel = v;
            c.FuelLeft = v != 0 ? 100 : 0;
        }
    }
    return true;
}

}  // namespace torvex
