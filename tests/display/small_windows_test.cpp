// Contents of the fuel legend and the active-fuel window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "display/picture.h"
#include "display/small_windows.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;

fs::path WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
    fs::path p = fs::temp_directory_path() / name;
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
    return p;
}

std::vector<uint8_t> MapWithEntry3() {
    std::vector<uint8_t> b = UniformMapBitmap(1);
    b[54 + 4 * 3] = 0;      // blue
    b[54 + 4 * 3 + 1] = 128;  // green
    b[54 + 4 * 3 + 2] = 255;  // red
    return b;
}

TEST(SmallWindowsTest, SwatchColoursComeFromTheMapsColourTable) {
    fs::path p = WriteBytes("torvex-legend-map.fue", MapWithEntry3());
    auto colours = LegendSwatchColours(p.string());
    EXPECT_EQ(colours[3], Rgb(255, 128, 0));
    EXPECT_EQ(colours[14], Rgb(14, 14, 14));  // the grey ramp of the fixture
    fs::remove(p);
}

TEST(SmallWindowsTest, UnreadableColourTableLeavesSwatchesBlack) {
    std::vector<uint8_t> b = MapWithEntry3();
    b.resize(54 + 4 * 4 + 2);  // ends inside entry 4
    fs::path p = WriteBytes("torvex-legend-short.fue", b);
    auto colours = LegendSwatchColours(p.string());
    EXPECT_EQ(colours[3], Rgb(255, 128, 0));
    for (int i = 4; i <= kLegendRows; ++i) EXPECT_EQ(colours[i], kBlack) << i;
    fs::remove(p);
    for (uint32_t c : LegendSwatchColours("/no/such/map.fue")) EXPECT_EQ(c, kBlack);
}

TEST(SmallWindowsTest, SwatchesSitBesideTheirRowsWithGapsBetween) {
    std::array<uint32_t, kLegendRows + 1> colours{};
    for (int i = 1; i <= kLegendRows; ++i) colours[i] = Rgb(i * 10, 0, 0);
    const uint32_t bg = Rgb(200, 200, 200);
    auto px = LegendSwatchPixels(colours, bg);
    ASSERT_EQ(px.size(), size_t(kLegendSwatchWidth * kLegendSwatchHeight));
    auto at = [&](int x, int y) { return px[y * kLegendSwatchWidth + x]; };
    const std::pair<int, uint32_t> rows[] = {{0, colours[1]},   {10, colours[1]},  {11, bg},  {15, bg},
                                             {16, colours[2]},  {26, colours[2]},  {27, bg},
                                             {208, colours[14]}, {218, colours[14]}, {219, bg}, {224, bg}};
    for (auto [y, c] : rows) {
        EXPECT_EQ(at(0, y), c) << y;
        EXPECT_EQ(at(16, y), c) << y;
    }
}

TEST(SmallWindowsTest, MapBitmapShowsOnePixelPerCellTopRowFirst) {
    std::vector<uint8_t> b = UniformMapBitmap(1);
    SetMapCell(b, 3, 0, 5);    // north edge
    SetMapCell(b, 7, 255, 9);  // south edge
    fs::path p = WriteBytes("torvex-legend-cells.fue", b);
    auto img = ReadMapBitmapImage(p.string());
    ASSERT_TRUE(img);
    EXPECT_EQ(img->width, 256);
    EXPECT_EQ(img->height, 256);
    EXPECT_EQ(img->pixels[3], Rgb(5, 5, 5));
    EXPECT_EQ(img->pixels[255 * 256 + 7], Rgb(9, 9, 9));
    EXPECT_EQ(img->pixels[0], Rgb(1, 1, 1));
    b.resize(2000);  // truncated: nothing to show
    WriteBytes("torvex-legend-cells.fue", b);
    EXPECT_FALSE(ReadMapBitmapImage(p.string()));
    fs::remove(p);
}

TEST(SmallWindowsTest, ActiveFuelWindowNeedsAShownFuel) {
    SimFixture f;
    f.sim->programDir = "/opt/torvex";
    f.sim->display.FuelTable[4] = {"Chaparral", "photos/chaparral.bmp", "tex/4.bmp"};
    EXPECT_FALSE(ActiveFuelContent(*f.sim));
    f.sim->clock.ShownFuel = 4;
    auto view = ActiveFuelContent(*f.sim);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->caption, "Active Fuel - Chaparral");
    EXPECT_EQ(view->photoPath, "/opt/torvex/photos/chaparral.bmp");
}

TEST(SmallWindowsTest, LegendCaptionsTopToBottom) {
    const auto& c = LegendCaptions();
    EXPECT_STREQ(c[0], "Short Grass");
    EXPECT_STREQ(c[9], "Timber (litter/under.)");
    EXPECT_STREQ(c[12], "Logging Slash - Heavy");
    EXPECT_STREQ(c[13], "Water");
}

}  // namespace
}  // namespace torvex::test
