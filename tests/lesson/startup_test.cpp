// The first load of the main window: controls, the start-up file and the small-display placement.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "lesson/startup.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;

struct RecordingWindow : StartupWindow {
    bool tooSmall = false;
    std::vector<std::string> calls;
    void InstallSizeLimits() override { calls.push_back("limits"); }
    bool DisplayTooSmall() override {
        calls.push_back("check");
        return tooSmall;
    }
    void MoveToCornerAtMinimumSize() override { calls.push_back("corner"); }
    void SetScrollSteps(int small, int large) override {
        calls.push_back("steps " + std::to_string(small) + " " + std::to_string(large));
    }
};

class StartupTest : public ::testing::Test, public SimFixture {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("torvex-startup-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        sim->programDir = dir.string();
    }
    void TearDown() override { fs::remove_all(dir); }
    void WriteConfig(const std::string& text) { std::ofstream(dir / "FuelMap.cfg") << text; }
    fs::path dir;
    RecordingWindow window;
};

TEST_F(StartupTest, MissingStartupFileSaysSoAndKeepsTheDesignedControls) {
    EXPECT_FALSE(LoadMainWindow(*sim, window));
    EXPECT_EQ(ui.messageBoxes, std::vector<std::string>{"Default Fuel Map must be set"});
    EXPECT_TRUE(ui.messages.empty());  // no start message
    EXPECT_TRUE(ui[Control::btnPlay].enabled);
    EXPECT_TRUE(ui[Control::mnuShow].enabled);
    EXPECT_FALSE(ui[Control::cmdReplay].visible);
    EXPECT_FALSE(ui[Control::spnReplay].visible);
    EXPECT_EQ(sim->display.FuelTablePath, "");
    EXPECT_EQ(window.calls, (std::vector<std::string>{"limits", "check", "steps 5 10"}));
}

TEST_F(StartupTest, FirstItemOfTheStartupFileNamesTheFuelTable) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\fuel\\fuels.txt\nsecond line\n", "C:\\fuel\\fuels.txt"},
        {"\"/data/my, fuels.cfg\", and more\n", "/data/my, fuels.cfg"},
        {"  Fuels.cfg\n", "Fuels.cfg"},
    };
    for (auto [text, path] : cases) {
        WriteConfig(text);
        sim->display.FuelTablePath.clear();
        EXPECT_TRUE(LoadMainWindow(*sim, window));
        EXPECT_EQ(sim->display.FuelTablePath, path) << text;
    }
}

TEST_F(StartupTest, LoadedWindowWaitsForALesson) {
    WriteConfig("Fuels.cfg\n");
    std::ofstream(dir / "Fuels.cfg") << "0\n";
    ASSERT_TRUE(LoadMainWindow(*sim, window));
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(ui[Control::lblMsg].text, "Click File - Open a lesson");
    EXPECT_FALSE(ui[Control::mnuShow].enabled);
    EXPECT_FALSE(ui[Control::optBurnLeft].enabled);
    EXPECT_FALSE(ui[Control::optBurnRight].enabled);
    EXPECT_FALSE(ui[Control::fraRes].visible);
    for (Control c : {Control::btnPlay, Control::btnPause, Control::btnStop, Control::cmdReplay, Control::spnReplay})
        EXPECT_FALSE(ui[c].enabled) << static_cast<int>(c);
    for (Control c : {Control::btnPlay, Control::btnPause, Control::btnStop}) EXPECT_FALSE(ui[c].pressed);
}

TEST_F(StartupTest, EmptyStartupFileLeavesThePathEmpty) {
    WriteConfig("");
    EXPECT_TRUE(LoadMainWindow(*sim, window));
    EXPECT_EQ(sim->display.FuelTablePath, "");
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(StartupTest, SmallDisplayMovesTheWindowToTheCorner) {
    window.tooSmall = true;
    LoadMainWindow(*sim, window);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"limits", "check", "corner", "steps 5 10"}));
}

}  // namespace
}  // namespace torvex::test
