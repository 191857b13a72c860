// Run control: Play, Pause, Stop, the fire-stopped stop and the loop pass order.
#include <gtest/gtest.h>

#include "app/run_control.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

InitialConditions Conditions() {
    InitialConditions ic;
    ic.ConditionsSet = 1;
    ic.StartWindSpeed = 10;
    ic.StartWindDirection = 270;
    ic.Moisture1Hour = ic.Moisture10Hour = ic.Moisture100Hour = 8;
    ic.MoistureHerbaceous = ic.MoistureWoody = 100;
    ic.TimeRatio = 10;
    return ic;
}

ScenarioEvent Event(int32_t time, const char* word) {
    ScenarioEvent e;
    e.EventTime = time;
    e.EventType = word;
    return e;
}

class RunControlTest : public ::testing::Test, public SimFixture {
protected:
    void SetUp() override { LoadInMemory(Conditions(), {Event(600, "ARRIVAL")}, UniformMapBitmap(1)); }
    Sim& s() { return *sim; }
};

TEST_F(RunControlTest, PlayWithoutLessonChangesNothing) {
    SimFixture fresh;
    PlayClicked(*fresh.sim, true);
    EXPECT_EQ(fresh.sim->run.RunState, "");
    EXPECT_EQ(fresh.sim->run.RunStarted, kFalse);
    EXPECT_TRUE(fresh.ui.messages.empty());
}

TEST_F(RunControlTest, PlayStartsRunWithButtonStates) {
    PlayClicked(s(), true);
    EXPECT_EQ(s().run.RunState, "RUN");
    EXPECT_EQ(s().run.RunStarted, kTrue);
    EXPECT_FALSE(ui[Control::btnPlay].enabled);
    EXPECT_FALSE(ui[Control::btnPlay].pressed);
    EXPECT_TRUE(ui[Control::btnPause].enabled);
    EXPECT_TRUE(ui[Control::btnStop].enabled);
    EXPECT_EQ(ui[Control::lblMsg].text, "Simulation Started");
}

TEST_F(RunControlTest, PlayReleasedStateIsIgnored) {
    PlayClicked(s(), false);
    EXPECT_EQ(s().run.RunState, "STOP");
}

TEST_F(RunControlTest, PauseTwiceResumesAndBanksPacedSeconds) {
    PlayClicked(s(), true);
    s().run.PaceStart = 1000;
    clock.seconds = 1012.7;
    PauseClicked(s());
    EXPECT_EQ(s().run.RunState, "PAUSE");
    EXPECT_EQ(ui[Control::lblMsg].text, "Simulation Paused...");
    EXPECT_FLOAT_EQ(s().run.PacedSeconds, 12.0f);
    clock.seconds = 1100;
    PauseClicked(s());
    EXPECT_EQ(s().run.RunState, "RUN");
    EXPECT_EQ(ui[Control::lblMsg].text, "");
    EXPECT_EQ(s().run.PaceStart, 1100);
    EXPECT_FLOAT_EQ(s().run.PacedSeconds, 12.0f);
}

TEST_F(RunControlTest, PauseThenStopStopsTheRun) {
    PlayClicked(s(), true);
    PauseClicked(s());
    StopClicked(s(), true);
    EXPECT_EQ(s().run.RunState, "STOP");
    EXPECT_EQ(s().run.RunStarted, kFalse);
    EXPECT_EQ(ui[Control::lblMsg].text, "Simulation Stopped");
    EXPECT_FALSE(ui[Control::btnPlay].visible);
    EXPECT_FALSE(ui[Control::btnPause].visible);
    EXPECT_FALSE(ui[Control::btnStop].visible);
    EXPECT_TRUE(ui[Control::cmdReplay].visible);
    EXPECT_TRUE(ui[Control::cmdReplay].enabled);
    EXPECT_TRUE(ui[Control::spnReplay].visible);
    EXPECT_FALSE(ui[Control::spnReplay].enabled);
}

TEST_F(RunControlTest, PauseAndStopBeforeARunAreIgnored) {
    PauseClicked(s());
    StopClicked(s(), true);
    EXPECT_EQ(s().run.RunState, "STOP");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RunControlTest, NoIgnitionStopsAtOnceWithFireStopped) {
    PlayClicked(s(), true);
    RunPass(s());
    EXPECT_EQ(s().run.FireStopped, kTrue);
    EXPECT_EQ(s().run.RunState, "STOP");
    EXPECT_EQ(s().run.RunStarted, kFalse);
    EXPECT_EQ(ui[Control::lblMsg].text, "Fire Stopped");
    EXPECT_FALSE(ui[Control::btnPlay].visible);
    EXPECT_TRUE(ui[Control::cmdReplay].visible);
}

TEST_F(RunControlTest, IdlePassDoesNoSimulationWork) {
    RunPass(s());
    EXPECT_EQ(s().run.FireStopped, kFalse);
    EXPECT_EQ(s().run.RunState, "STOP");
}

TEST_F(RunControlTest, InitialiseRunShowsPlayAndHidesReplay) {
    PlayClicked(s(), true);
    StopClicked(s(), true);
    InitialiseRun(s());
    EXPECT_TRUE(ui[Control::btnPlay].visible);
    EXPECT_TRUE(ui[Control::btnPlay].enabled);
    EXPECT_TRUE(ui[Control::btnPause].visible);
    EXPECT_FALSE(ui[Control::btnPause].enabled);
    EXPECT_FALSE(ui[Control::btnStop].enabled);
    EXPECT_FALSE(ui[Control::cmdReplay].visible);
    EXPECT_FALSE(ui[Control::spnReplay].visible);
    EXPECT_EQ(s().run.StartTime, 600);
    EXPECT_EQ(s().run.OnSite, kFalse);
    for (const auto& m : ui.markers) {
        EXPECT_FALSE(m.visible);
        EXPECT_EQ(m.fill, Rgb(0, 255, 255));
        EXPECT_EQ(m.border, Rgb(0, 0, 255));
    }
}

TEST_F(RunControlTest, WorkQueuedDuringAStepRunsAfterIt) {
    int ran = 0;
    s().fire.Stepping = true;
    RunWhenNoStep(s(), [&](Sim&) { ++ran; });
    EXPECT_EQ(ran, 0);
    s().fire.Stepping = false;
    PlayClicked(s(), true);
    RunPass(s());
    EXPECT_EQ(ran, 1);
    RunWhenNoStep(s(), [&](Sim&) { ++ran; });
    EXPECT_EQ(ran, 2);
}

TEST_F(RunControlTest, YieldIsTimeSliced) {
    for (int i = 0; i < 10000; ++i) YieldToWindow(s());
    EXPECT_LE(ui.processEventsCalls, 1);  // the fake clock has not moved
    clock.seconds += 1;
    for (int i = 0; i < 64; ++i) YieldToWindow(s());
    EXPECT_GE(ui.processEventsCalls, 1);
}

}  // namespace
}  // namespace torvex::test
