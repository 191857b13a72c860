// Windows bitmap files: 8-bit images with their own 256-entry colour table, and 24-bit pictures.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace torvex {

constexpr size_t kBmpFileHeaderBytes = 14;
constexpr size_t kBmpInfoHeaderBytes = 40;
constexpr size_t kBmpColourTableBytes = 1024;
constexpr size_t kBmp8HeaderBytes = kBmpFileHeaderBytes + kBmpInfoHeaderBytes + kBmpColourTableBytes;  // 1078

inline uint16_t ReadLE16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t ReadLE32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline void WriteLE16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void WriteLE32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

// An 8-bit image. The pixels are kept without row padding, row 0 the bottom row as in the file.
struct Bitmap8 {
    int32_t width = 0, height = 0;
    std::array<uint8_t, kBmpColourTableBytes> colourTable{};  // entries of blue, green, red, reserved
    std::vector<uint8_t> pixels;                              // width x height colour indices
    uint32_t reserved = 0;  // the file header's two reserved words; lesson maps keep their cell size there

    void SetColour(int index, uint8_t r, uint8_t g, uint8_t b);
    // Colour of a table entry as 0x00BBGGRR.
    uint32_t Colour(int index) const;
    uint8_t& At(int x, int yFromBottom) { return pixels[size_t(yFromBottom) * width + x]; }
    uint8_t At(int x, int yFromBottom) const { return pixels[size_t(yFromBottom) * width + x]; }
    float CellSize() const;
    void SetCellSize(float metres);
};

// Bytes per stored pixel row: rows are padded to a multiple of 4 bytes.
inline size_t Bmp8RowStride(int32_t width) { return (size_t(width) + 3) & ~size_t(3); }

std::vector<uint8_t> EncodeBitmap8(const Bitmap8& image);
// Accepts only uncompressed bottom-up 8-bit files whose pixel block is complete.
bool DecodeBitmap8(const std::vector<uint8_t>& bytes, Bitmap8& out, std::string* error = nullptr);

// A 24-bit picture from pixels 0x00BBGGRR, row 0 the top row.
std::vector<uint8_t> EncodeBitmap24(int32_t width, int32_t height, const std::vector<uint32_t>& pixelsTopDown);

// Whole-file helpers; false when the file cannot be opened or fully read/written.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace torvex
