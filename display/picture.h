// The 512 x 512 map picture picAir: a pixel buffer owned by the logic, shown by the window.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace torvex {

// Colours are 0x00BBGGRR: red in the lowest byte.
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
constexpr uint32_t kBlack = 0;
constexpr uint32_t kWhite = Rgb(255, 255, 255);
constexpr uint32_t kYellow = Rgb(255, 255, 0);
constexpr uint32_t kBurningRed = 128;  // dark red, red 128
constexpr uint32_t kOutsidePicture = 0xFFFFFFFFu;  // -1: a pixel outside the picture

struct MapPicture {
    static constexpr int kSize = 512;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(kSize * kSize, kBlack);
    // Area changed since the window last showed it (inclusive bounds; empty when x0 > x1).
    int dirtyX0 = 0, dirtyY0 = 0, dirtyX1 = kSize - 1, dirtyY1 = kSize - 1;

    static bool Inside(int x, int y) { return x >= 0 && y >= 0 && x < kSize && y < kSize; }
    uint32_t Get(int x, int y) const { return Inside(x, y) ? pixels[y * kSize + x] : kOutsidePicture; }
    void Set(int x, int y, uint32_t colour) {
        if (!Inside(x, y)) return;
        pixels[y * kSize + x] = colour;
        MarkDirty(x, y, x, y);
    }
    void Fill(uint32_t colour) {
        std::fill(pixels.begin(), pixels.end(), colour);
        MarkDirty(0, 0, kSize - 1, kSize - 1);
    }
    void MarkDirty(int x0, int y0, int x1, int y1) {
        if (dirtyX0 > dirtyX1) { dirtyX0 = x0; dirtyY0 = y0; dirtyX1 = x1; dirtyY1 = y1; return; }
        dirtyX0 = std::min(dirtyX0, x0); dirtyY0 = std::min(dirtyY0, y0);
        dirtyX1 = std::max(dirtyX1, x1); dirtyY1 = std::max(dirtyY1, y1);
    }
    bool Dirty() const { return dirtyX0 <= dirtyX1; }
    void ClearDirty() { dirtyX0 = kSize; dirtyY0 = kSize; dirtyX1 = -1; dirtyY1 = -1; }
};

}  // namespace torvex
