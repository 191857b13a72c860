// Windows bitmap files: encoding and decoding of 8-bit and 24-bit images.
#include "display/bmp.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace torvex {

void Bitmap8::SetColour(int index, uint8_t r, uint8_t g, uint8_t b) {
    uint8_t* e = &colourTable[size_t(index) * 4];
    e[0] = b;
    e[1] = g;
    e[2] = r;
    e[3] = 0;
}

uint32_t Bitmap8::Colour(int index) const {
    const uint8_t* e = &colourTable[size_t(index) * 4];
    return uint32_t(e[2]) | (uint32_t(e[1]) << 8) | (uint32_t(e[0]) << 16);
}

float Bitmap8::CellSize() const {
    float f;
    std::memcpy(&f, &reserved, 4);
    return f;
}

void Bitmap8::SetCellSize(float metres) { std::memcpy(&reserved, &metres, 4); }

namespace {

void WriteFileHeader(uint8_t* p, uint32_t fileSize, uint32_t reserved, uint32_t pixelOffset) {
    p[0] = 'B';
    p[1] = 'M';
    WriteLE32(p + 2, fileSize);
    WriteLE32(p + 6, reserved);
    WriteLE32(p + 10, pixelOffset);
}

void WriteInfoHeader(uint8_t* p, int32_t width, int32_t height, uint16_t bits, uint32_t imageSize,
                     uint32_t coloursUsed) {
    WriteLE32(p, 40);
    WriteLE32(p + 4, uint32_t(width));
    WriteLE32(p + 8, uint32_t(height));
    WriteLE16(p + 12, 1);
    WriteLE16(p + 14, bits);
    WriteLE32(p + 16, 0);  // uncompressed
    WriteLE32(p + 20, imageSize);
    WriteLE32(p + 24, 2835);  // 72 dots per inch
    WriteLE32(p + 28, 2835);
    WriteLE32(p + 32, coloursUsed);
    WriteLE32(p + 36, 0);
}

bool Fail(std::string* error, const std::string& what) {
    if (error) *error = what;
    return false;
}

}  // namespace

std::vector<uint8_t> EncodeBitmap8(const Bitmap8& image) {
    const size_t stride = Bmp8RowStride(image.width);
    const size_t imageSize = stride * size_t(image.height);
    std::vector<uint8_t> out(kBmp8HeaderBytes + imageSize, 0);
    WriteFileHeader(out.data(), uint32_t(out.size()), image.reserved, uint32_t(kBmp8HeaderBytes));
    WriteInfoHeader(out.data() + kBmpFileHeaderBytes, image.width, image.height, 8, uint32_t(imageSize), 256);
    std::memcpy(out.data() + kBmpFileHeaderBytes + kBmpInfoHeaderBytes, image.colourTable.data(),
                kBmpColourTableBytes);
    for (int32_t r = 0; r < image.height; ++r) {
        std::memcpy(out.data() + kBmp8HeaderBytes + size_t(r) * stride, image.pixels.data() + size_t(r) * image.width,
                    size_t(image.width));
    }
    return out;
}

bool DecodeBitmap8(const std::vector<uint8_t>& bytes, Bitmap8& out, std::string* error) {
    if (bytes.size() < kBmpFileHeaderBytes + kBmpInfoHeaderBytes) return Fail(error, "too short for a bitmap header");
    const uint8_t* p = bytes.data();
    if (p[0] != 'B' || p[1] != 'M') return Fail(error, "not a bitmap (no \"BM\" at the start)");
    const uint32_t pixelOffset = ReadLE32(p + 10);
    const uint8_t* info = p + kBmpFileHeaderBytes;
    const uint32_t infoSize = ReadLE32(info);
    if (infoSize < kBmpInfoHeaderBytes || kBmpFileHeaderBytes + infoSize > bytes.size())
        return Fail(error, "unsupported bitmap info header");
    const int32_t width = int32_t(ReadLE32(info + 4));
    const int32_t rawHeight = int32_t(ReadLE32(info + 8));
    const uint16_t bits = ReadLE16(info + 14);
    const uint32_t compression = ReadLE32(info + 16);
    uint32_t coloursUsed = ReadLE32(info + 32);
    if (bits != 8) return Fail(error, "not an 8-bit bitmap (" + std::to_string(bits) + " bits per pixel)");
    if (compression != 0) return Fail(error, "compressed bitmaps are not supported");
    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || width > 65535 || rawHeight > 65535 ||
        rawHeight < -65535)
        return Fail(error, "bitmap size out of range");
    const int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (coloursUsed == 0 || coloursUsed > 256) coloursUsed = 256;
    const size_t tableAt = kBmpFileHeaderBytes + infoSize;
    const size_t tableBytes = size_t(coloursUsed) * 4;
    if (tableAt + tableBytes > bytes.size() || pixelOffset < tableAt)
        return Fail(error, "colour table cut short");
    const size_t stride = Bmp8RowStride(width);
    if (size_t(pixelOffset) + stride * size_t(height - 1) + size_t(width) > bytes.size())
        return Fail(error, "pixel rows cut short");

    Bitmap8 img;
    img.width = width;
    img.height = height;
    img.reserved = ReadLE32(p + 6);
    std::memcpy(img.colourTable.data(), p + tableAt, tableBytes);
    img.pixels.resize(size_t(width) * height);
    for (int32_t r = 0; r < height; ++r) {
        const int32_t stored = rawHeight < 0 ? height - 1 - r : r;  // top-down files are turned over
        std::memcpy(img.pixels.data() + size_t(r) * width, p + pixelOffset + size_t(stored) * stride, size_t(width));
    }
    out = std::move(img);
    return true;
}

std::vector<uint8_t> EncodeBitmap24(int32_t width, int32_t height, const std::vector<uint32_t>& pixelsTopDown) {
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    const size_t headerBytes = kBmpFileHeaderBytes + kBmpInfoHeaderBytes;
    std::vector<uint8_t> out(headerBytes + stride * size_t(height), 0);
    WriteFileHeader(out.data(), uint32_t(out.size()), 0, uint32_t(headerBytes));
    WriteInfoHeader(out.data() + kBmpFileHeaderBytes, width, height, 24, uint32_t(stride * size_t(height)), 0);
    for (int32_t r = 0; r < height; ++r) {
        uint8_t* row = out.data() + headerBytes + size_t(height - 1 - r) * stride;
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t c = pixelsTopDown[size_t(r) * width + x];
            row[3 * x] = uint8_t(c >> 16);
            row[3 * x + 1] = uint8_t(c >> 8);
            row[3 * x + 2] = uint8_t(c);
        }
    }
    return out;
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    out = std::move(bytes);
    return true;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream outFile(path, std::ios::binary | std::ios::trunc);
    if (!outFile) return false;
    outFile.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    outFile.close();
    return bool(outFile);
}

}  // namespace torvex
