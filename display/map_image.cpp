// Palette, fuel table and the composition of the map picture from the fuel textures.
#include "display/map_image.h"

#include <cctype>
#include <charconv>
#include <cstring>
#include <fstream>

#include "app/common.h"
#include "app/sim.h"
#include "display/bmp.h"
#include "display/free_format.h"

namespace torvex {

namespace {

constexpr uint32_t kBackground = Rgb(0, 40, 100);
constexpr int kMaxMapSide = MapPicture::kSize / 2;  // a cell is 2 x 2 pixels of the picture

// Whole signed number, blanks around it allowed; nothing else.
bool ParseWhole(const std::string& text, long& out) {
    const std::string t = Trim(text);
    if (t.empty()) return false;
    const char* b = t.data();
    const char* e = t.data() + t.size();
    if (*b == '+') ++b;
    auto [ptr, ec] = std::from_chars(b, e, out);
    return ec == std::errc() && ptr == e;
}

// A texture of one composition: its whole file once it has been checked, or why it could not be used.
struct TextureFile {
    bool tried = false;
    std::vector<uint8_t> bytes;
    std::string problem;
};

// Reads texture f the first time a run needs it: opened once per composition, not per run.
TextureFile& UseTexture(Sim& sim, std::vector<TextureFile>& files, int f, int mapW, int mapH) {
    TextureFile& t = files[size_t(f)];
    if (t.tried) return t;
    t.tried = true;
    const std::string& path = sim.display.FuelTable[size_t(f)].TexturePath;
    TextureHeader& header = sim.display.Textures[size_t(f)];
    header = TextureHeader{};
    if (path.empty()) {
        t.problem = "fuel " + std::to_string(f) + " has no texture file";
        return t;
    }
    if (!ReadFileBytes(path, t.bytes)) {
        t.problem = "texture " + path + " could not be opened";
        return t;
    }
    const size_t stride = Bmp8RowStride(2 * mapW);
    const size_t needed = kBmp8HeaderBytes + stride * size_t(2 * mapH);
    bool ok = t.bytes.size() >= needed;
    if (ok) {
        const uint8_t* info = t.bytes.data() + kBmpFileHeaderBytes;
        ok = t.bytes[0] == 'B' && t.bytes[1] == 'M' && int32_t(ReadLE32(info + 4)) == 2 * mapW &&
             int32_t(ReadLE32(info + 8)) == 2 * mapH && ReadLE16(info + 14) == 8 && ReadLE32(info + 16) == 0;
    }
    if (!ok) {
        t.problem = "texture " + path + " is not an 8-bit " + std::to_string(2 * mapW) + " x " +
                    std::to_string(2 * mapH) + " bitmap";
        t.bytes.clear();
        return t;
    }
    std::memcpy(header.fileHeader.data(), t.bytes.data(), header.fileHeader.size());
    std::memcpy(header.infoBlock.data(), t.bytes.data() + kBmpFileHeaderBytes, header.infoBlock.size());
    header.loaded = true;
    return t;
}

// Everything of MakeAir between the background fill and the refresh; returns what could not be drawn.
std::string ComposeMap(Sim& sim, const std::string& path) {
    MapDisplay& d = sim.display;
    d.MapImage.clear();
    d.MapImageWidth = d.MapImageHeight = 0;
    for (auto& header : d.Textures) header = TextureHeader{};
    std::vector<uint8_t> map;
    if (!ReadFileBytes(path, map)) return "Map file " + path + " could not be opened";
    if (map.size() < kBmp8HeaderBytes || map[0] != 'B' || map[1] != 'M')
        return "Map file " + path + " is not a bitmap";
    const uint8_t* info = map.data() + kBmpFileHeaderBytes;
    const int32_t w = int32_t(ReadLE32(info + 4));
    const int32_t h = int32_t(ReadLE32(info + 8));
    if (ReadLE16(info + 14) != 8 || ReadLE32(info + 16) != 0)
        return "Map file " + path + " is not an uncompressed 8-bit bitmap";
    if (w < 1 || h < 1 || w > kMaxMapSide || h > kMaxMapSide)
        return "Map file " + path + " is " + std::to_string(w) + " x " + std::to_string(h) + " cells, more than the picture holds";
    const size_t mapStride = Bmp8RowStride(w);
    if (map.size() < kBmp8HeaderBytes + mapStride * size_t(h)) return "Map file " + path + " is cut short";

    std::vector<TextureFile> textures(kMaxFuelEntries + 1);
    d.MapImageWidth = 2 * w;
    d.MapImageHeight = 2 * h;
    d.MapImage.assign(size_t(d.MapImageWidth) * d.MapImageHeight, 0);
    const size_t texStride = Bmp8RowStride(2 * w);

    for (int32_t r = 0; r < h; ++r) {
        const uint8_t* cells = map.data() + kBmp8HeaderBytes + size_t(r) * mapStride;
        for (const MapRun& run : CutRuns(cells, w)) {
            const int32_t e = run.first, j = run.length;
            const uint8_t f = run.fuel;
            if (f >= 1 && f <= d.FuelCount) {
                TextureFile& t = UseTexture(sim, textures, f, w, h);
                if (!t.bytes.empty()) {
                    const size_t offset = kBmp8HeaderBytes + size_t(2 * r) * texStride + size_t(2 * e);
                    uint8_t* lower = d.MapImage.data() + size_t(2 * r) * d.MapImageWidth + 2 * e;
                    std::memcpy(lower, t.bytes.data() + offset, size_t(2 * j));
                    std::memcpy(lower + d.MapImageWidth, t.bytes.data() + offset + texStride, size_t(2 * j));
                    VBwrite(sim, f, 2 * e, 2 * r, 2 * j);
                }
            }
        }
    }

    std::string problem;
    int more = 0;
    for (const TextureFile& t : textures) {
        if (t.problem.empty()) continue;
        if (problem.empty()) problem = t.problem;
        else ++more;
    }
    if (problem.empty()) return problem;
    problem[0] = char(std::toupper(static_cast<unsigned char>(problem[0])));
    if (more > 0) problem += " (and " + std::to_string(more) + " more)";
    return problem + "; its cells show the background";
}

}  // namespace

std::vector<MapRun> CutRuns(const uint8_t* cells, int32_t w) {
    std::vector<MapRun> runs;
    for (int32_t e = 0; e < w;) {
        int32_t j = 1;
        while (e + j < w && cells[e + j] == cells[e]) ++j;
        runs.push_back(MapRun{e, j, cells[e]});
        e += j;
    }
    return runs;
}

std::string ProgramFilePath(const Sim& sim, const std::string& path) {
    if (path.empty() || path.front() == '/' || sim.programDir.empty() || sim.programDir == ".") return path;
    if (sim.programDir.back() == '/') return sim.programDir + path;
    return sim.programDir + "/" + path;
}

void Init_Palet(Sim& sim) {
    std::array<uint8_t, 1024> table{};
    std::ifstream in(ProgramFilePath(sim, "Ostrel.Pal"), std::ios::binary);
    if (in) in.read(reinterpret_cast<char*>(table.data()), std::streamsize(table.size()));
    // Whatever the file did not reach stays black.
    for (size_t i = 0; i < 256; ++i) {
        sim.display.Palette[i] = PaletteEntry{table[4 * i], table[4 * i + 1], table[4 * i + 2], table[4 * i + 3]};
    }
}

void Init_Graphics(Sim& sim) {
    // The picture is true colour: the palette is kept for reference and the buffer cleared.
    Init_Palet(sim);
    sim.picture.Fill(kBlack);
}

void VBwrite(Sim& sim, int16_t f, int32_t tx, int32_t ty, int32_t n) {
    const MapDisplay& d = sim.display;
    if (f < 1 || f > kMaxFuelEntries || n < 1 || n > 512) return;
    const TextureHeader& tex = d.Textures[size_t(f)];
    if (!tex.loaded) return;
    if (tx < 0 || ty < 0 || tx + n > d.MapImageWidth || ty + 1 >= d.MapImageHeight) return;
    if (tx + n > MapPicture::kSize || ty > MapPicture::kSize - 2) return;

    const uint8_t* table = tex.infoBlock.data() + kBmpInfoHeaderBytes;  // blue, green, red, reserved
    auto colour = [table](uint8_t i) {
        const uint8_t* c = table + 4 * size_t(i);
        return Rgb(c[2], c[1], c[0]);
    };
    // Row ty goes on the upper picture row of the pair, row ty + 1 below it.
    const uint8_t* rowLow = d.MapImage.data() + size_t(ty) * d.MapImageWidth + tx;
    const uint8_t* rowHigh = rowLow + d.MapImageWidth;
    uint32_t* upper = sim.picture.pixels.data() + size_t(510 - ty) * MapPicture::kSize + tx;
    uint32_t* lower = upper + MapPicture::kSize;
    for (int32_t i = 0; i < n; ++i) {
        upper[i] = colour(rowLow[i]);
        lower[i] = colour(rowHigh[i]);
    }
    sim.picture.MarkDirty(tx, 510 - ty, tx + n - 1, 511 - ty);
}

void LoadMapFile(Sim& sim) {
    MapDisplay& d = sim.display;
    d.FuelCount = 0;
    d.FuelTable = {};
    if (d.FuelTablePath.empty()) return;
    const std::string path = ProgramFilePath(sim, d.FuelTablePath);
    std::ifstream in(path);
    if (!in) {
        sim.ui.MessageBox("Fuel map configuration " + path + " could not be opened");
        return;
    }
    long count = 0;
    const auto first = ReadFreeItem(in);
    if (!first || !ParseWhole(*first, count)) {
        sim.ui.MessageBox("Fuel map configuration " + path + " does not start with a fuel count");
        return;
    }
    if (count < 0 || count > kMaxFuelEntries) {
        sim.ui.MessageBox("Fuel map configuration " + path + " lists " + std::to_string(count) +
                          " fuels; from 0 to " + std::to_string(kMaxFuelEntries) + " are supported");
        return;
    }
    bool cutShort = false;
    for (long i = 1; i <= count && !cutShort; ++i) {
        FuelEntry& entry = d.FuelTable[size_t(i)];
        std::string* fields[] = {nullptr, &entry.FuelName, &entry.PhotoPath, &entry.TexturePath};
        for (std::string* field : fields) {
            auto item = ReadFreeItem(in);
            if (!item) {
                cutShort = true;
                break;
            }
            if (field) *field = *item;
        }
        entry.PhotoPath = ProgramFilePath(sim, entry.PhotoPath);
        entry.TexturePath = ProgramFilePath(sim, entry.TexturePath);
    }
    d.FuelCount = int16_t(count);
    if (cutShort) {
        sim.ui.MessageBox("Fuel map configuration " + path + " ends before all of its " + std::to_string(count) +
                          " fuels are listed");
    }
}

void MakeAir(Sim& sim, const std::string& path) {
    sim.ui.SetPointer(Pointer::Hourglass);
    sim.picture.Fill(kBackground);
    sim.display.ComposeProblem = ComposeMap(sim, path);
    sim.ui.RefreshMap();
    sim.ui.SetPointer(Pointer::Arrow);
    if (!sim.display.ComposeProblem.empty()) sim.ui.SetText(Control::lblMsg, sim.display.ComposeProblem);
}

}  // namespace torvex
