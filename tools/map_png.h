// A small PNG writer for map previews: RGB pixels, stored (uncompressed) deflate blocks.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "tools/lesson_json.h"

namespace torvex::lessontool {

namespace png {

inline uint32_t Crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

inline void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

inline void Chunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace png

// rgb holds width x height pixels, three bytes each, top row first.
inline std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb) {
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (1 + 3 * width));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        raw.insert(raw.end(), rgb.begin() + static_cast<ptrdiff_t>(y) * 3 * width,
                   rgb.begin() + static_cast<ptrdiff_t>(y + 1) * 3 * width);
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0;) {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        const bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<ptrdiff_t>(at), raw.begin() + static_cast<ptrdiff_t>(at + n));
        at += n;
        if (last) break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    png::PutBig32(z, (b << 16) | a);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    png::PutBig32(ihdr, static_cast<uint32_t>(width));
    png::PutBig32(ihdr, static_cast<uint32_t>(height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    png::Chunk(out, "IHDR", ihdr);
    png::Chunk(out, "IDAT", z);
    png::Chunk(out, "IEND", {});
    return out;
}

// The map bitmap in its own colours, each cell scale x scale pixels, north at the top.
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
    return EncodePng(side, side, rgb);
}

}  // namespace torvex::lessontool
