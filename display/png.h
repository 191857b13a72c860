// A small self-contained PNG writer for the map picture (stored deflate blocks, no compression library).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace torvex {

struct MapPicture;

// CRC-32 as PNG chunks use it; pass a previous result to continue over more bytes.
uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc = 0);
// Adler-32 as the zlib stream inside a PNG uses it.
uint32_t Adler32(const uint8_t* data, size_t n, uint32_t adler = 1);

// 8-bit RGB PNG of width x height pixels; rgb holds 3 bytes per pixel, rows top to bottom.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);
// The map picture as a PNG (colours are 0x00BBGGRR; the top byte is ignored).
std::vector<uint8_t> EncodePng(const MapPicture& picture);
// Writes the picture to path; false with *error set when the file cannot be written.
bool WritePng(const MapPicture& picture, const std::string& path, std::string* error);

}  // namespace torvex
