// torvex-assets: writes the program folder's data files (palette, fuel configuration, textures,
// photographs, splash picture, intro sound), drawn and synthesised here, the same bytes every run.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "display/bmp.h"
#include "tools/assets/photos.h"
#include "tools/assets/raster.h"
#include "tools/assets/sound.h"
#include "tools/assets/textures.h"

namespace {

namespace fs = std::filesystem;
using namespace assets;

struct Fuel {
    const char* name;
    const char* file;  // base name of its texture and photograph
};

// Indexes 1-13 are the fuel models; 14 and 15 are drawn but never burn.
constexpr Fuel kFuels[] = {
    {"Short Grass", "ShortGrass"},
    {"Open Timber/Grass", "OpenTimberGrass"},
    {"Tall Grass", "TallGrass"},
    {"Chaparral", "Chaparral"},
    {"Brush (2 ft)", "Brush"},
    {"Dormant Brush/Slash", "DormantBrush"},
    {"Southern Rough", "SouthernRough"},
    {"Closed Timber Litter", "ClosedTimber"},
    {"Hardwood Litter", "HardwoodLitter"},
    {"Timber (litter/under.)", "TimberUnderstory"},
    {"Logging Slash - Light", "SlashLight"},
    {"Logging Slash - Medium", "SlashMedium"},
    {"Logging Slash - Heavy", "SlashHeavy"},
    {"Water", "Water"},
    {"Road/Bare Rock", "RoadRock"},
};
constexpr int kFuelCount = int(sizeof(kFuels) / sizeof(kFuels[0]));

bool Save(const fs::path& path, const std::vector<uint8_t>& bytes) {
    if (torvex::WriteFileBytes(path.string(), bytes)) return true;
    std::cerr << "torvex-assets: cannot write " << path.string() << "\n";
    return false;
}

bool SaveText(const fs::path& path, const std::string& text) {
    return Save(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> EncodeTexture(const Canvas& c) {
    const Quantised q = MedianCut(c);
    torvex::Bitmap8 bmp;
    bmp.width = c.w;
    bmp.height = c.h;
    for (size_t i = 0; i < q.colours.size(); ++i)
        bmp.SetColour(int(i), uint8_t(q.colours[i]), uint8_t(q.colours[i] >> 8), uint8_t(q.colours[i] >> 16));
    bmp.pixels.resize(size_t(c.w) * c.h);
    for (int y = 0; y < c.h; ++y)  // the file keeps its rows from the bottom up
        std::memcpy(&bmp.pixels[size_t(c.h - 1 - y) * c.w], &q.index[size_t(y) * c.w], size_t(c.w));
    return torvex::EncodeBitmap8(bmp);
}

std::vector<uint8_t> EncodePicture(const Canvas& c) {
    std::vector<uint32_t> px(c.px.size());
    for (size_t i = 0; i < px.size(); ++i) px[i] = ToRgb(c.px[i]);
    return torvex::EncodeBitmap24(c.w, c.h, px);
}

// A 256-colour palette: the 16 basic colours, a 6 x 6 x 6 colour cube and a 24-step grey ramp.
std::vector<uint8_t> MakePalette() {
    std::vector<uint8_t> pal(1024, 0);
    auto put = [&](int i, int r, int g, int b) {
        pal[size_t(4 * i)] = uint8_t(r);
        pal[size_t(4 * i + 1)] = uint8_t(g);
        pal[size_t(4 * i + 2)] = uint8_t(b);
    };
    const int basic[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
                              {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
                              {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (int i = 0; i < 16; ++i) put(i, basic[i][0], basic[i][1], basic[i][2]);
    const int level[6] = {0, 95, 135, 175, 215, 255};
    for (int i = 0; i < 216; ++i) put(16 + i, level[i / 36], level[(i / 6) % 6], level[i % 6]);
    for (int i = 0; i < 24; ++i) put(232 + i, 8 + 10 * i, 8 + 10 * i, 8 + 10 * i);
    return pal;
}

std::string FuelConfiguration() {
    std::string cfg = std::to_string(kFuelCount) + "\n";
    for (int i = 0; i < kFuelCount; ++i) {
        cfg += std::to_string(i + 1) + ",\"" + kFuels[i].name + "\",\"photos/" + kFuels[i].file + ".bmp\",\"textures/" +
               kFuels[i].file + ".bmp\"\n";
    }
    cfg += "\n"
           "Fuel indexes 1 to 13 are the fuel models; 14 (water) and 15 (road or bare rock) are shown on the map\n"
           "and never burn. Only the count and the entries it covers are read.\n";
    return cfg;
}

void Usage(std::ostream& out) {
    out << "Usage: torvex-assets OUTPUT_FOLDER\n"
           "Writes the program's data files into OUTPUT_FOLDER:\n"
           "  Ostrel.Pal               the 256-colour palette (1024 bytes)\n"
           "  FuelMap.cfg, Fuels.cfg   the start-up file and the fuel map configuration it names\n"
           "  textures/*.bmp           8-bit 512 x 512 aerial textures, one per fuel index 1-15\n"
           "  photos/*.bmp             a picture of each fuel (257 x 257)\n"
           "  Splash.bmp         the title picture (601 x 458)\n"
           "  TorvexIntroSound.wav     the introduction sound (16-bit PCM)\n"
           "The files are the same, byte for byte, on every run.\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        const bool help = argc == 2;
        Usage(help ? std::cout : std::cerr);
        return help ? 0 : 2;
    }
    const fs::path out = argv[1];
    std::error_code ec;
    fs::create_directories(out / "textures", ec);
    fs::create_directories(out / "photos", ec);
    if (!fs::is_directory(out / "textures") || !fs::is_directory(out / "photos")) {
        std::cerr << "torvex-assets: cannot create folders in " << out.string() << "\n";
        return 1;
    }
    bool ok = Save(out / "Ostrel.Pal", MakePalette());
    ok = SaveText(out / "FuelMap.cfg", "\"Fuels.cfg\"\n") && ok;
    ok = SaveText(out / "Fuels.cfg", FuelConfiguration()) && ok;
    for (int i = 0; i < kFuelCount && ok; ++i) {
        ok = Save(out / "textures" / (std::string(kFuels[i].file) + ".bmp"), EncodeTexture(MakeFuelTexture(i + 1)));
        ok = ok && Save(out / "photos" / (std::string(kFuels[i].file) + ".bmp"), EncodePicture(MakeFuelPhoto(i + 1)));
    }
    ok = ok && Save(out / "Splash.bmp", EncodePicture(MakeSplash()));
    ok = ok && Save(out / "TorvexIntroSound.wav", MakeIntroSound());
    return ok ? 0 : 1;
}
