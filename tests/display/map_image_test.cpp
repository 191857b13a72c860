// Palette, free-format items, bitmap files, the fuel table and the composition of the map picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

#include "display/bmp.h"
#include "display/free_format.h"
#include "display/map_image.h"
#include "support/sim_fixture.h"

namespace torvex {
namespace {

namespace fs = std::filesystem;
using test::SetMapCell;
using test::SimFixture;
using test::UniformMapBitmap;

constexpr uint32_t kBackground = Rgb(0, 40, 100);

std::vector<std::string> AllItems(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> items;
    while (auto item = ReadFreeItem(in)) items.push_back(*item);
    return items;
}

TEST(FreeFormat, ItemsAreSplitAtCommasAndLineEnds) {
    struct Case {
        const char* text;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"3,Short Grass,a.bmp\n", {"3", "Short Grass", "a.bmp"}},
        {"\"Brush, 2 ft\",next", {"Brush, 2 ft", "next"}},
        {"   lead,\t tab", {"lead", "tab"}},
        {"a\r\nb\rc\n", {"a", "b", "c"}},
        {"a,\nb", {"a", "b"}},                     // a comma ending a line makes no empty item
        {"a,,b", {"a", "", "b"}},
        {"\n\n  \nx", {"x"}},                      // blank lines hold no item
        {"\"quoted\" ignored, after", {"quoted", "after"}},
        {"\"unclosed, to the line end\nnext", {"unclosed, to the line end", "next"}},
        {"trailing   ,x", {"trailing", "x"}},
        {"C:\\fuel\\fuels.txt\nother line", {"C:\\fuel\\fuels.txt", "other line"}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(AllItems(c.text), c.items) << "input: " << c.text;
}

TEST(Bitmap, EightBitRoundTripKeepsPixelsTableAndReservedWords) {
    Bitmap8 img;
    img.width = 6;  // rows padded to 8 bytes in the file
    img.height = 3;
    img.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    img.SetColour(5, 10, 20, 30);
    img.SetCellSize(30.0f);
    const auto bytes = EncodeBitmap8(img);
    EXPECT_EQ(bytes.size(), kBmp8HeaderBytes + 8 * 3);

    Bitmap8 back;
    std::string error;
    ASSERT_TRUE(DecodeBitmap8(bytes, back, &error)) << error;
    EXPECT_EQ(back.width, 6);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(back.pixels, img.pixels);
    EXPECT_EQ(back.Colour(5), Rgb(10, 20, 30));
    EXPECT_EQ(back.CellSize(), 30.0f);

    auto cut = bytes;
    cut.resize(cut.size() - 3);
    EXPECT_FALSE(DecodeBitmap8(cut, back, &error));
    EXPECT_NE(error.find("cut short"), std::string::npos);
    EXPECT_EQ(back.pixels, img.pixels);  // a refused file leaves the target alone
}

TEST(Bitmap, LessonMapIsTheFullSizeFile) {
    Bitmap8 img;
    img.width = img.height = 256;
    img.pixels.assign(65536, 0);
    EXPECT_EQ(EncodeBitmap8(img).size(), kMapBitmapBytes);
}

// A program folder of its own per test, with textures that show where each picture pixel came from.
class MapFolder : public ::testing::Test {
public:
    SimFixture fx;
    Sim& sim = *fx.sim;
    fs::path dir;

    void SetUp() override {
        static int serial = 0;
        dir = fs::temp_directory_path() / ("torvex-display-" + std::to_string(getpid()) + "-" + std::to_string(++serial));
        fs::create_directories(dir);
        sim.programDir = dir.string();
    }
    void TearDown() override { fs::remove_all(dir); }

    void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        ASSERT_TRUE(WriteFileBytes((dir / name).string(), bytes));
    }
    void WriteText(const std::string& name, const std::string& text) {
        std::ofstream((dir / name).string()) << text;
    }

    // Texture f: pixel (x, y from the bottom) holds index (x + 3y) mod 256; index i is colour (f, i, 255 - i).
    static uint32_t TextureColour(int f, int x, int y) {
        const int i = (x + 3 * y) & 255;
        return Rgb(uint32_t(f), uint32_t(i), uint32_t(255 - i));
    }
    static std::vector<uint8_t> Texture(int f) {
        Bitmap8 t;
        t.width = t.height = 512;
        t.pixels.resize(512 * 512);
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x) t.At(x, y) = uint8_t((x + 3 * y) & 255);
        for (int i = 0; i < 256; ++i) t.SetColour(i, uint8_t(f), uint8_t(i), uint8_t(255 - i));
        return EncodeBitmap8(t);
    }
    // A configuration of n fuels with their textures written next to it.
    void MakeConfig(int n) {
        std::string cfg = std::to_string(n) + "\n";
        for (int f = 1; f <= n; ++f) {
            const std::string tex = "tex" + std::to_string(f) + ".bmp";
            Write(tex, Texture(f));
            cfg += std::to_string(f) + ",\"Fuel " + std::to_string(f) + "\",photo.bmp," + tex + "\n";
        }
        WriteText("Fuels.cfg", cfg);
        sim.display.FuelTablePath = "Fuels.cfg";
        LoadMapFile(sim);
        ASSERT_EQ(sim.display.FuelCount, n);
    }
    void Compose(const std::vector<uint8_t>& map) {
        Write("Current.Fue", map);
        MakeAir(sim, (dir / "Current.Fue").string());
    }
    // What picture pixel (px, py) must show for a map whose cell (k, row from the top) has fuel f.
    static uint32_t Expected(const std::vector<uint8_t>& map, int n, int px, int py) {
        const int r = (511 - py) / 2;  // map row from the bottom
        const int f = map[kMapBitmapHeaderBytes + size_t(r) * 256 + px / 2];
        if (f < 1 || f > n) return kBackground;
        const int textureRow = py == 510 - 2 * r ? 2 * r : 2 * r + 1;
        return TextureColour(f, px, textureRow);
    }
    void ExpectPicture(const std::vector<uint8_t>& map, int n) {
        int wrong = 0;
        for (int py = 0; py < 512; ++py)
            for (int px = 0; px < 512; ++px)
                if (sim.picture.Get(px, py) != Expected(map, n, px, py) && ++wrong <= 5)
                    ADD_FAILURE() << "pixel (" << px << ", " << py << ")";
        EXPECT_EQ(wrong, 0);
    }
};

TEST_F(MapFolder, PaletteEntriesAreTheFileBytes) {
    std::vector<uint8_t> pal(1024 + 16, 0xEE);  // bytes past 1024 are ignored
    for (int i = 0; i < 256; ++i) pal[4 * i] = pal[4 * i + 1] = pal[4 * i + 2] = pal[4 * i + 3] = uint8_t(i);
    pal[20] = 10, pal[21] = 20, pal[22] = 30, pal[23] = 0;
    Write("Ostrel.Pal", pal);
    sim.picture.Fill(kWhite);
    Init_Graphics(sim);
    const PaletteEntry& e = sim.display.Palette[5];
    EXPECT_EQ(std::vector<int>({e.red, e.green, e.blue, e.flags}), std::vector<int>({10, 20, 30, 0}));
    EXPECT_EQ(sim.display.Palette[255].red, 255);
    EXPECT_EQ(sim.picture.Get(0, 0), kBlack);
    EXPECT_EQ(sim.picture.Get(511, 511), kBlack);

    pal.resize(22);  // entry 5 half there, the rest missing
    Write("Ostrel.Pal", pal);
    Init_Palet(sim);
    EXPECT_EQ(sim.display.Palette[5].red, 10);
    EXPECT_EQ(sim.display.Palette[5].green, 20);
    EXPECT_EQ(sim.display.Palette[5].blue, 0);
    EXPECT_EQ(sim.display.Palette[6].red, 0);

    fs::remove(dir / "Ostrel.Pal");
    Init_Palet(sim);
    EXPECT_EQ(sim.display.Palette[1].red, 0);
}

TEST(MapRuns, RowsAreCutIntoRunsOfEqualCells) {
    const std::vector<uint8_t> mixed = {1, 1, 2, 0, 2};
    EXPECT_EQ(CutRuns(mixed.data(), 5),
              (std::vector<MapRun>{{0, 2, 1}, {2, 1, 2}, {3, 1, 0}, {4, 1, 2}}));
    const std::vector<uint8_t> uniform(256, 3);
    EXPECT_EQ(CutRuns(uniform.data(), 256), (std::vector<MapRun>{{0, 256, 3}}));
}

TEST_F(MapFolder, StripsPairMapImageRowsOppositeToPictureRows) {
    Write("tex.bmp", Texture(3));
    WriteText("Fuels.cfg", "3\n1,a,p,tex.bmp\n2,b,p,tex.bmp\n3,c,p,tex.bmp\n");
    sim.display.FuelTablePath = "Fuels.cfg";
    LoadMapFile(sim);
    Compose(UniformMapBitmap(0));  // loads no texture: everything background
    ASSERT_FALSE(sim.display.Textures[3].loaded);
    Compose(UniformMapBitmap(3));
    ASSERT_TRUE(sim.display.Textures[3].loaded);
    // MapImage row y holds 7 at column 0 and the row number elsewhere; the texture maps index i to (3, i, 255 - i).
    auto& image = sim.display.MapImage;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) image[size_t(y) * 512 + x] = uint8_t(x == 0 ? 7 : y & 255);
    struct Case {
        int ty, upperRow, lowerRow;
    };
    for (const Case& c : {Case{0, 510, 511}, Case{510, 0, 1}, Case{254, 256, 257}}) {
        sim.picture.Fill(kBlack);
        VBwrite(sim, 3, 0, c.ty, 4);
        SCOPED_TRACE("ty " + std::to_string(c.ty));
        EXPECT_EQ(sim.picture.Get(0, c.upperRow), Rgb(3, 7, 248));
        EXPECT_EQ(sim.picture.Get(3, c.upperRow), Rgb(3, uint32_t(c.ty & 255), uint32_t(255 - (c.ty & 255))));
        EXPECT_EQ(sim.picture.Get(3, c.lowerRow), Rgb(3, uint32_t((c.ty + 1) & 255), uint32_t(255 - ((c.ty + 1) & 255))));
        EXPECT_EQ(sim.picture.Get(4, c.upperRow), kBlack);  // n = 4 pixels only
        int drawn = 0;
        for (uint32_t p : sim.picture.pixels) drawn += p != kBlack;
        EXPECT_EQ(drawn, 8);
    }
    // Out of range calls draw nothing.
    sim.picture.Fill(kBlack);
    VBwrite(sim, 0, 0, 0, 4);
    VBwrite(sim, 21, 0, 0, 4);
    VBwrite(sim, 3, 0, 511, 4);
    VBwrite(sim, 3, 510, 0, 4);
    VBwrite(sim, 3, 0, 0, 513);
    VBwrite(sim, 2, 0, 0, 4);  // a texture this composition did not load
    for (uint32_t p : sim.picture.pixels) ASSERT_EQ(p, kBlack);
}

TEST_F(MapFolder, MapCellsShowTheirOwnPieceOfTheirTexture) {
    MakeConfig(3);
    auto map = UniformMapBitmap(1);
    // Bottom map row (grid row 255): 1, 1, 2, 0, 2, then 3s; a 3-cell block in the top-left corner.
    const uint8_t bottom[] = {1, 1, 2, 0, 2};
    for (int k = 0; k < 256; ++k) SetMapCell(map, k, 255, k < 5 ? bottom[k] : 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) SetMapCell(map, x, y, 3);
    SetMapCell(map, 100, 100, 0);
    Compose(map);
    EXPECT_EQ(sim.display.ComposeProblem, "");
    EXPECT_EQ(fx.ui.pointer, Pointer::Arrow);
    EXPECT_EQ(fx.ui.refreshes, 1);
    ExpectPicture(map, 3);
    // Spot checks of the pairing: map row 0 on picture rows 510 (texture row 0) and 511 (texture row 1).
    EXPECT_EQ(sim.picture.Get(0, 510), TextureColour(1, 0, 0));
    EXPECT_EQ(sim.picture.Get(0, 511), TextureColour(1, 0, 1));
    EXPECT_EQ(sim.picture.Get(6, 511), kBackground);
    EXPECT_EQ(sim.picture.Get(0, 0), TextureColour(3, 0, 510));
    EXPECT_EQ(sim.picture.Get(0, 1), TextureColour(3, 0, 511));
}

TEST_F(MapFolder, IndexesBeyondTheTableStayBackground) {
    MakeConfig(2);
    auto map = UniformMapBitmap(3);
    for (int x = 0; x < 256; ++x) SetMapCell(map, x, 10, uint8_t(1 + x % 2));
    SetMapCell(map, 5, 5, 200);
    Compose(map);
    EXPECT_EQ(sim.display.ComposeProblem, "");
    ExpectPicture(map, 2);
    EXPECT_EQ(sim.picture.Get(300, 300), kBackground);
}

TEST_F(MapFolder, BadTextureLeavesItsCellsBackgroundAndNamesTheFile) {
    struct Case {
        const char* name;
        std::function<void(MapFolder&)> spoil;
    };
    const Case cases[] = {
        {"missing", [](MapFolder& t) { fs::remove(t.dir / "tex2.bmp"); }},
        {"short", [](MapFolder& t) {
             auto bytes = Texture(2);
             bytes.resize(kBmp8HeaderBytes + 1000);
             t.Write("tex2.bmp", bytes);
         }},
        {"wrong size", [](MapFolder& t) {
             Bitmap8 small;
             small.width = small.height = 64;
             small.pixels.assign(64 * 64, 1);
             t.Write("tex2.bmp", EncodeBitmap8(small));
         }},
        {"not a bitmap", [](MapFolder& t) { t.WriteText("tex2.bmp", std::string(300000, 'x')); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeConfig(2);
        c.spoil(*this);
        auto map = UniformMapBitmap(1);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 256; ++x) SetMapCell(map, x, y, 2);
        Compose(map);
        ExpectPicture(map, 1);  // as if fuel 2 had no entry
        const std::string msg = fx.ui[Control::lblMsg].text;
        EXPECT_NE(msg.find((dir / "tex2.bmp").string()), std::string::npos) << msg;
        EXPECT_EQ(sim.display.ComposeProblem, msg);
        EXPECT_EQ(fx.ui.pointer, Pointer::Arrow);
    }
}

TEST_F(MapFolder, UnreadableMapLeavesTheBackground) {
    MakeConfig(1);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    auto cut = UniformMapBitmap(1);
    cut.resize(5000);
    auto wide = UniformMapBitmap(1);
    WriteLE32(&wide[18], 300);
    const Case cases[] = {{"cut short", cut}, {"too wide", wide}, {"empty", {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.picture.Fill(kWhite);
        Compose(c.bytes);
        for (uint32_t p : sim.picture.pixels) ASSERT_EQ(p, kBackground);
        EXPECT_NE(fx.ui[Control::lblMsg].text.find("Current.Fue"), std::string::npos);
    }
    MakeAir(sim, (dir / "nothing-here.Fue").string());
    EXPECT_NE(fx.ui[Control::lblMsg].text.find("nothing-here.Fue"), std::string::npos);
    EXPECT_EQ(sim.picture.Get(7, 7), kBackground);
}

TEST_F(MapFolder, FuelTableIsReadFromTheConfiguration) {
    WriteText("Fuels.cfg",
              "  2\r\n"
              "1, \"Brush, 2 ft\" , photos/b.bmp,\"/abs/t.bmp\"\r\n"
              "2,Water,w.bmp,w-tex.bmp\r\n");
    sim.display.FuelTablePath = "Fuels.cfg";
    LoadMapFile(sim);
    ASSERT_EQ(sim.display.FuelCount, 2);
    const FuelEntry& brush = sim.display.FuelTable[1];
    EXPECT_EQ(brush.FuelName, "Brush, 2 ft");
    EXPECT_EQ(brush.PhotoPath, (dir / "photos/b.bmp").string());
    EXPECT_EQ(brush.TexturePath, "/abs/t.bmp");
    EXPECT_EQ(sim.display.FuelTable[2].TexturePath, (dir / "w-tex.bmp").string());
    EXPECT_TRUE(fx.ui.messageBoxes.empty());
}

TEST_F(MapFolder, BadConfigurationIsRefusedWithAMessage) {
    struct Case {
        const char* text;
        int16_t count;       // entries kept
        const char* phrase;  // in the message; empty: no message
    };
    const Case cases[] = {
        {"21\n", 0, "21 fuels"},
        {"-1\n", 0, "-1 fuels"},
        {"many\n1,a,b,c\n", 0, "fuel count"},
        {"", 0, "fuel count"},
        {"2\n1,a,b,c\n2,only name", 2, "ends before"},
        {"0\n", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        fx.ui.messageBoxes.clear();
        WriteText("Fuels.cfg", c.text);
        sim.display.FuelTablePath = "Fuels.cfg";
        LoadMapFile(sim);
        EXPECT_EQ(sim.display.FuelCount, c.count);
        if (*c.phrase) {
            ASSERT_EQ(fx.ui.messageBoxes.size(), 1u);
            EXPECT_NE(fx.ui.messageBoxes[0].find("Fuels.cfg"), std::string::npos);
            EXPECT_NE(fx.ui.messageBoxes[0].find(c.phrase), std::string::npos) << fx.ui.messageBoxes[0];
        } else {
            EXPECT_TRUE(fx.ui.messageBoxes.empty());
        }
    }

    fx.ui.messageBoxes.clear();
    sim.display.FuelTablePath = "missing.cfg";
    LoadMapFile(sim);
    EXPECT_EQ(sim.display.FuelCount, 0);
    ASSERT_EQ(fx.ui.messageBoxes.size(), 1u);
    EXPECT_NE(fx.ui.messageBoxes[0].find("missing.cfg"), std::string::npos);
}

}  // namespace
}  // namespace torvex
