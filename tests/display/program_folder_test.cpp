// The generated program folder: its data files are complete, readable and draw every demo lesson's map.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

#include "display/bmp.h"
#include "display/free_format.h"
#include "display/map_image.h"
#include "display/png.h"
#include "lesson/lesson.h"
#include "support/sim_fixture.h"

namespace torvex {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kBackground = Rgb(0, 40, 100);

// The folder is made by the build (the torvex_assets target); without it there is nothing to check.
class ProgramFolder : public ::testing::Test {
protected:
    test::SimFixture fx;
    Sim& sim = *fx.sim;
    fs::path dir = TORVEX_PROGRAM_DIR;

    void SetUp() override {
        if (!fs::exists(dir / "Fuels.cfg")) GTEST_SKIP() << "program folder not generated yet: build torvex_assets";
        sim.programDir = dir.string();
        Init_Graphics(sim);
        std::ifstream cfg(dir / "FuelMap.cfg");
        auto item = ReadFreeItem(cfg);
        ASSERT_TRUE(item.has_value());
        sim.display.FuelTablePath = *item;
        LoadMapFile(sim);
    }
};

std::pair<int32_t, int32_t> BmpSize(const fs::path& p, uint16_t* bits) {
    std::vector<uint8_t> b;
    if (!ReadFileBytes(p.string(), b) || b.size() < 54 || b[0] != 'B' || b[1] != 'M') return {0, 0};
    *bits = ReadLE16(&b[28]);
    return {int32_t(ReadLE32(&b[18])), int32_t(ReadLE32(&b[22]))};
}

TEST_F(ProgramFolder, DataFilesAreCompleteAndReadable) {
    EXPECT_TRUE(fx.ui.messageBoxes.empty());
    ASSERT_EQ(sim.display.FuelCount, 15);
    const char* legend[] = {"", "Short Grass", "Open Timber/Grass", "Tall Grass", "Chaparral", "Brush (2 ft)",
                            "Dormant Brush/Slash", "Southern Rough", "Closed Timber Litter", "Hardwood Litter",
                            "Timber (litter/under.)", "Logging Slash - Light", "Logging Slash - Medium",
                            "Logging Slash - Heavy", "Water"};
    for (int i = 1; i <= 14; ++i) EXPECT_EQ(sim.display.FuelTable[i].FuelName, legend[i]);
    std::set<std::string> photos;
    for (int i = 1; i <= 15; ++i) {
        const FuelEntry& e = sim.display.FuelTable[i];
        uint16_t bits = 0;
        EXPECT_EQ(BmpSize(e.PhotoPath, &bits), std::make_pair(257, 257)) << e.PhotoPath;
        std::vector<uint8_t> tex;
        Bitmap8 t;
        ASSERT_TRUE(ReadFileBytes(e.TexturePath, tex) && DecodeBitmap8(tex, t)) << e.TexturePath;
        EXPECT_EQ(t.width, 512);
        EXPECT_EQ(t.height, 512);
        photos.insert(e.PhotoPath);
    }
    EXPECT_EQ(photos.size(), 15u);
    uint16_t bits = 0;
    EXPECT_EQ(BmpSize(dir / "Splash.bmp", &bits), std::make_pair(601, 458));
    EXPECT_EQ(fs::file_size(dir / "Ostrel.Pal"), 1024u);

    std::vector<uint8_t> wav;
    ASSERT_TRUE(ReadFileBytes((dir / "TorvexIntroSound.wav").string(), wav));
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(ReadLE16(&wav[20]), 1);   // PCM
    EXPECT_EQ(ReadLE16(&wav[34]), 16);  // bits per sample
    EXPECT_EQ(ReadLE32(&wav[40]), wav.size() - 44);
}

TEST_F(ProgramFolder, EveryFuelIndexIsDrawnFromItsTexture) {
    auto map = test::UniformMapBitmap(1);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) test::SetMapCell(map, x, y, uint8_t(1 + (x / 17) % 15));
    const fs::path file = fs::temp_directory_path() / ("torvex-stripes-" + std::to_string(::getpid()) + ".Fue");
    ASSERT_TRUE(WriteFileBytes(file.string(), map));
    MakeAir(sim, file.string());
    fs::remove(file);
    EXPECT_EQ(sim.display.ComposeProblem, "");
    int background = 0;
    for (uint32_t p : sim.picture.pixels) background += p == kBackground;
    EXPECT_LT(background, 200);  // a texture may hold the colour by chance, never whole stripes
}

// Draws each demo lesson's map as the program does and leaves a picture of it in the build folder.
TEST_F(ProgramFolder, DemoLessonMapsAreDrawnWhole) {
    const fs::path lessons = dir / "lessons";
    if (!fs::is_directory(lessons)) GTEST_SKIP() << "demo lessons not built yet";
    const fs::path previews = dir.parent_path() / "map-previews";
    fs::create_directories(previews);
    int drawn = 0;
    for (const auto& entry : fs::directory_iterator(lessons)) {
        if (entry.path().extension() != ".fgl") continue;
        SCOPED_TRACE(entry.path().string());
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(ReadFileBytes(entry.path().string(), bytes));
        std::string error;
        auto lesson = ParseLesson(bytes, &error);
        ASSERT_TRUE(lesson.has_value()) << error;
        const fs::path map = previews / (entry.path().stem().string() + ".Fue");
        ASSERT_TRUE(WriteFileBytes(map.string(), lesson->MapBitmap));
        MakeAir(sim, map.string());
        EXPECT_EQ(sim.display.ComposeProblem, "");
        std::set<uint8_t> used(lesson->MapBitmap.begin() + kMapBitmapHeaderBytes, lesson->MapBitmap.end());
        for (uint8_t f : used) EXPECT_TRUE(f >= 1 && f <= sim.display.FuelCount) << "fuel code " << int(f);
        EXPECT_TRUE(WritePng(sim.picture, (previews / (entry.path().stem().string() + ".png")).string(), &error)) << error;
        ++drawn;
    }
    EXPECT_GE(drawn, 3);
}

}  // namespace
}  // namespace torvex
