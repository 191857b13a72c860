// The paint log and minute-by-minute replay: records, undo and redo order, both ends, the replay panel.
#include <gtest/gtest.h>

#include "app/run_control.h"
#include "driver/paint_log.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

constexpr uint32_t kGround = Rgb(10, 80, 20);
constexpr uint32_t kLine = Rgb(255, 255, 0);

class PaintLogTest : public ::testing::Test, public SimFixture {
protected:
    void SetUp() override {
        ScenarioEvent e;
        e.EventTime = 600;
        e.EventType = "IGNITE";
        LoadInMemory(InitialConditions{}, {e}, UniformMapBitmap(1));
        sim->picture.Fill(kGround);
    }
    Sim& s() { return *sim; }
    PaintLogState& log() { return s().paint; }
    uint32_t Pixel(int x, int y) { return s().picture.Get(x, y); }
    void PaintAt(float simTime, int16_t cx, int16_t cy, int16_t state) {
        s().run.SimTime = simTime;
        PaintCell(s(), cx, cy, state);
    }
    void Back(int steps) {
        for (int i = 0; i < steps; ++i) ReplayBack(s());
    }
    void Forward(int steps) {
        for (int i = 0; i < steps; ++i) ReplayForward(s());
    }
};

TEST_F(PaintLogTest, PaintCellLogsFourPixelsInRowOrder) {
    PaintAt(2.5f, 3, 5, 1);
    ASSERT_EQ(log().count, 4);
    const int xy[4][2] = {{6, 10}, {7, 10}, {6, 11}, {7, 11}};
    for (int i = 0; i < 4; ++i) {
        const PaintRecord& r = log().PaintLog[i + 1];
        EXPECT_EQ(r.x, xy[i][0]);
        EXPECT_EQ(r.y, xy[i][1]);
        EXPECT_EQ(r.time, 2);  // 2.5 rounds to even
        EXPECT_EQ(r.previous, kGround);
        EXPECT_EQ(r.colour, kBurningRed);
        EXPECT_EQ(Pixel(xy[i][0], xy[i][1]), kBurningRed);
    }
    EXPECT_EQ(log().ReplayPosition, 4);
    EXPECT_EQ(log().ReplayMinute, 3);  // the whole minute plus one
    EXPECT_EQ(log().ReplayLastMinute, 3);

    PaintAt(3.5f, 3, 5, 0);
    EXPECT_EQ(log().PaintLog[5].time, 4);
    EXPECT_EQ(log().PaintLog[5].previous, kBurningRed);
    EXPECT_EQ(Pixel(6, 10), kBlack);

    // A new run empties the log and the replay position.
    InitialiseRun(s());
    EXPECT_EQ(log().count, 0);
    EXPECT_EQ(log().ReplayPosition, 0);
    EXPECT_EQ(log().ReplayMinute, 0);
}

TEST_F(PaintLogTest, PixelOutsideThePictureIsLoggedAndNeverPainted) {
    s().run.SimTime = 1;
    PaintPixel(s(), -1, 5, kLine);
    PaintPixel(s(), 600, 5, kLine);
    ASSERT_EQ(log().count, 2);
    EXPECT_EQ(log().PaintLog[1].previous, kOutsidePicture);
    EXPECT_EQ(log().PaintLog[2].previous, kOutsidePicture);
    PaintAt(1, 0, 0, 1);
    Back(2);
    Forward(2);
    EXPECT_EQ(Pixel(0, 0), kBurningRed);
}

TEST_F(PaintLogTest, CellBurningAtFourAndOutAtNineReplaysBothWays) {
    PaintAt(4, 3, 5, 1);
    PaintAt(9, 3, 5, 0);
    ASSERT_EQ(log().ReplayMinute, 10);
    StartReplay(s());
    EXPECT_EQ(ui[Control::lblMsg].text, "Replay Mode");
    EXPECT_TRUE(ui[Control::spnReplay].enabled);
    EXPECT_EQ(Pixel(6, 10), kBlack);  // replay starts from the end of the run

    struct Step {
        bool back;
        int32_t minute;
        uint32_t colour;
    };
    const Step steps[] = {
        {true, 9, kBurningRed},  // the burn-out at 9 is undone at minute 9
        {true, 8, kBurningRed}, {true, 5, kBurningRed},
        {true, 4, kGround},  // the ignition record at 4 is undone at minute 4
        {true, 0, kGround},
        {false, 4, kGround},  // a record of minute 4 is not redone at minute 4
        {false, 5, kBurningRed}, {false, 9, kBurningRed}, {false, 10, kBlack},
    };
    for (const Step& st : steps) {
        while (log().ReplayMinute != st.minute) {
            if (st.back)
                ReplayBack(s());
            else
                ReplayForward(s());
        }
        for (auto [x, y] : {std::pair{6, 10}, {7, 10}, {6, 11}, {7, 11}})
            EXPECT_EQ(Pixel(x, y), st.colour) << "minute " << st.minute << " pixel " << x << "," << y;
    }
}

TEST_F(PaintLogTest, SteppingPastBothEndsChangesNothingButTheWholePanel) {
    PaintAt(0.2f, 1, 1, 1);
    PaintAt(1.4f, 1, 1, 0);
    ASSERT_EQ(log().ReplayMinute, 2);
    Back(2);
    EXPECT_EQ(log().ReplayMinute, 0);
    EXPECT_EQ(log().ReplayPosition, 1);  // the whole log undone, position left at 1
    EXPECT_EQ(Pixel(2, 2), kGround);
    const int refreshes = ui.refreshes;
    ui[Control::lblElapse].text = "x";
    Back(1);
    EXPECT_EQ(log().ReplayMinute, 0);
    EXPECT_EQ(log().ReplayPosition, 1);
    EXPECT_EQ(Pixel(2, 2), kGround);
    EXPECT_EQ(ui[Control::lblElapse].text, "0 hr 0");
    EXPECT_EQ(ui.refreshes, refreshes + 1);

    Forward(5);
    EXPECT_EQ(log().ReplayMinute, 2);
    EXPECT_EQ(log().ReplayPosition, log().count);
    EXPECT_EQ(Pixel(2, 2), kBlack);
    EXPECT_EQ(ui.refreshes, refreshes + 6);
}

TEST_F(PaintLogTest, LastMinuteShowsTheStopPictureEvenForRoundedUpRecords) {
    // A last step painting while SimTime was 19.6: records of minute 20, the last replay minute 20.
    PaintAt(18.2f, 2, 2, 1);
    PaintAt(19.6f, 2, 2, 0);
    PaintAt(19.6f, 3, 3, 1);
    ASSERT_EQ(log().ReplayLastMinute, 20);
    const std::vector<uint32_t> stop = s().picture.pixels;
    Back(1);
    EXPECT_EQ(Pixel(4, 4), kBurningRed);
    EXPECT_EQ(Pixel(6, 6), kGround);
    Forward(1);
    EXPECT_EQ(s().picture.pixels, stop);
}

TEST_F(PaintLogTest, PixelPaintedTwiceInAMinuteGetsItsFirstColourBack) {
    PaintAt(3, 2, 2, 1);
    PaintAt(3.2f, 2, 2, 0);  // red, then black, both in minute 3
    Back(1);
    EXPECT_EQ(Pixel(4, 4), kGround);
    Forward(1);
    EXPECT_EQ(Pixel(4, 4), kBlack);
}

TEST_F(PaintLogTest, PixelsPaintedAfterTheLastCellStayThroughReplay) {
    PaintAt(2, 0, 0, 1);
    s().run.SimTime = 2;
    PaintPixel(s(), 100, 100, kLine);  // a line drawn after the fire stopped spreading
    Back(3);
    EXPECT_EQ(Pixel(0, 0), kGround);
    EXPECT_EQ(Pixel(100, 100), kLine);
}

TEST_F(PaintLogTest, RunWithoutCellsReplaysNothingOntoTheCorner) {
    PaintAt(5, 10, 10, 1);
    InitialiseRun(s());  // ReplayLastMinute keeps the old run's value
    s().picture.Fill(kGround);
    Forward(3);
    EXPECT_EQ(Pixel(0, 0), kGround);
    EXPECT_EQ(Pixel(20, 20), kGround);
}

TEST_F(PaintLogTest, ReplayPanelShowsTheMinutesHistory) {
    s().run.StartTime = 1430;
    auto& h = s().clock.MinuteHistory;
    h.resize(4);
    h[3] = {12.3f, 1234.0f, 20, 270};
    PaintAt(2.5f, 1, 1, 1);  // replay minute 3
    ReplayBack(s());
    ReplayForward(s());
    EXPECT_EQ(ui[Control::lblDay].text, "1");
    EXPECT_EQ(ui[Control::lblTime].text, "23:53");
    EXPECT_EQ(ui[Control::lblElapse].text, "0 hr 3");
    EXPECT_EQ(ui[Control::lblAcres].text, "12.3");
    EXPECT_EQ(ui[Control::lblCost].text, "$1234");
    EXPECT_EQ(ui[Control::lblWS].text, "32");
    EXPECT_EQ(ui[Control::lblWD].text, "270");
    ReplayBack(s());  // minute 2 was never reached by a clock update: zeros
    EXPECT_EQ(ui[Control::lblAcres].text, "0");
    EXPECT_EQ(ui[Control::lblCost].text, "$0");
    EXPECT_EQ(ui[Control::lblWS].text, "0");
}

}  // namespace
}  // namespace torvex::test
