// Map previews: a lesson's map bitmap in its own colours as a PNG.
#pragma once

#include <cstdint>
#include <vector>

#include "display/png.h"
#include "tools/lesson_json.h"

namespace torvex::lessontool {

// Each cell scale x scale pixels, north at the top.
inline std::vector<uint8_t> MapPreviewPng(const std::vector<uint8_t>& bitmap, int scale) {
    const FuelMap map = MapFromBitmap(bitmap);
    const int side = kMapSide * scale;
    std::vector<uint8_t> rgb(static_cast<size_t>(side) * side * 3);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const size_t entry = 54 + 4 * size_t{map.At(x / scale, y / scale)};
            uint8_t* p = &rgb[(static_cast<size_t>(y) * side + x) * 3];
            p[0] = bitmap[entry + 2];
            p[1] = bitmap[entry + 1];
            p[2] = bitmap[entry];
        }
    return torvex::EncodePng(side, side, rgb);
}

}  // namespace torvex::lessontool
