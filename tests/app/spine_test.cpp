// The run spine headless: a lesson file opened through the dialog, played, paused, resumed,
// stopped and opened again, with the messages and button states the trainee sees.
#include <gtest/gtest.h>

#include "app/run_control.h"
#include "lesson/lesson.h"
#include "support/lesson_bytes.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

// What the run buttons look like: shown, enabled, pressed for Play, Pause, Stop; then Replay.
struct Buttons {
    bool playShown, playEnabled, pauseShown, pauseEnabled, stopShown, stopEnabled, replayShown, replayEnabled,
        spinShown, spinEnabled;
    bool operator==(const Buttons&) const = default;
};

Buttons Read(FakeUi& ui) {
    EXPECT_FALSE(ui[Control::btnPlay].pressed);
    EXPECT_FALSE(ui[Control::btnPause].pressed);
    EXPECT_FALSE(ui[Control::btnStop].pressed);
    return {ui[Control::btnPlay].visible,   ui[Control::btnPlay].enabled,   ui[Control::btnPause].visible,
            ui[Control::btnPause].enabled,  ui[Control::btnStop].visible,   ui[Control::btnStop].enabled,
            ui[Control::cmdReplay].visible, ui[Control::cmdReplay].enabled, ui[Control::spnReplay].visible,
            ui[Control::spnReplay].enabled};
}

std::ostream& operator<<(std::ostream& o, const Buttons& b) {
    return o << "play " << b.playShown << b.playEnabled << " pause " << b.pauseShown << b.pauseEnabled << " stop "
             << b.stopShown << b.stopEnabled << " replay " << b.replayShown << b.replayEnabled << " spin "
             << b.spinShown << b.spinEnabled;
}

//                          play        pause        stop        replay       spin
const Buttons kReady{true, true, true, false, true, false, false, false, false, false};
const Buttons kRunning{true, false, true, true, true, true, false, false, false, false};
const Buttons kStopped{false, false, false, false, false, false, true, true, true, false};

class Spine : public ::testing::Test, public SimFixture {
protected:
    TempDir files;
    TempDir maps;
    ScopedEnv mapDir{"TORVEX_MAP_DIR", maps.path()};
    std::string path = files.File("spine.fgl");

    void Write(const std::vector<ScenarioEvent>& events) {
        WriteFileBytes(path, LessonFileBytes(SampleConditions(), {}, {}, events, UniformMapBitmap(1)));
    }
    void Open() {
        ui.dialogAnswers.push_back(path);
        OpenLesson(*sim);
    }
    RunVars& run() { return sim->run; }
};

TEST_F(Spine, OpenPlayPauseResumeStopAndOpenAgain) {
    Write({MakeEvent(600, "IGNITE", 128, 128), MakeEvent(900, "END OF SIMULATION")});

    PlayClicked(*sim, true);  // no lesson yet: nothing happens
    EXPECT_EQ(run().RunState, "");
    EXPECT_TRUE(ui.messages.empty());

    Open();
    EXPECT_EQ(ui[Control::frmAttack].text, "Torvex - " + path);
    EXPECT_EQ(run().RunState, "STOP");
    EXPECT_EQ(Read(ui), kReady);
    PauseClicked(*sim);  // before Play both are ignored
    StopClicked(*sim, true);
    EXPECT_EQ(run().RunState, "STOP");

    PlayClicked(*sim, true);
    EXPECT_EQ(run().RunState, "RUN");
    EXPECT_EQ(run().RunStarted, kTrue);
    EXPECT_EQ(Read(ui), kRunning);

    clock.seconds = 2000;
    PauseClicked(*sim);
    EXPECT_EQ(run().RunState, "PAUSE");
    RunPass(*sim);  // a paused loop only idles: no step, so no "Fire Stopped" either
    EXPECT_EQ(run().FireStopped, kFalse);
    EXPECT_EQ(run().SimTime, 0.0f);
    EXPECT_EQ(Read(ui), kRunning);

    clock.seconds = 2030;
    PauseClicked(*sim);
    EXPECT_EQ(run().RunState, "RUN");
    EXPECT_EQ(run().PaceStart, 2030);
    EXPECT_EQ(Read(ui), kRunning);

    StopClicked(*sim, true);
    EXPECT_EQ(run().RunState, "STOP");
    EXPECT_EQ(run().RunStarted, kFalse);
    EXPECT_EQ(Read(ui), kStopped);
    RunPass(*sim);
    EXPECT_EQ(Read(ui), kStopped);

    Open();  // opening again brings Play back
    EXPECT_EQ(run().RunState, "STOP");
    EXPECT_EQ(Read(ui), kReady);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Click [ >] to start", "Simulation Started",
                                                     "Simulation Paused...", "", "Simulation Stopped",
                                                     "Click [ >] to start"}));
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(Spine, PassesAdvanceTheFireOnlyWhileRunning) {
    Write({MakeEvent(600, "IGNITE", 128, 128), MakeEvent(2000, "END OF SIMULATION")});
    Open();
    PlayClicked(*sim, true);
    for (int i = 0; i < 5; ++i) RunPass(*sim);
    ASSERT_EQ(run().RunState, "RUN") << ui[Control::lblMsg].text;
    const float running = run().SimTime;
    EXPECT_GT(running, 0.0f);
    EXPECT_GT(sim->fire.ActiveCount, 0);

    PauseClicked(*sim);
    for (int i = 0; i < 5; ++i) RunPass(*sim);
    EXPECT_EQ(run().SimTime, running);

    PauseClicked(*sim);
    for (int i = 0; i < 5; ++i) RunPass(*sim);
    EXPECT_GT(run().SimTime, running);
    EXPECT_EQ(Read(ui), kRunning);

    StopClicked(*sim, true);
    const float stopped = run().SimTime;
    RunPass(*sim);
    EXPECT_EQ(run().SimTime, stopped);
    EXPECT_EQ(Read(ui), kStopped);
    EXPECT_EQ(ui[Control::lblMsg].text, "Simulation Stopped");

    // Reset abandons the run: a fresh run of the same lesson, the fire gone.
    ResetLesson(*sim);
    EXPECT_EQ(run().SimTime, 0.0f);
    EXPECT_EQ(sim->fire.ActiveCount, 0);
    EXPECT_EQ(Read(ui), kReady);
}

TEST_F(Spine, NoIgnitionAtTheFirstPassStopsAtOnce) {
    const std::vector<std::vector<ScenarioEvent>> lessons = {
        {},                                                                     // no script at all
        {MakeEvent(600, "WIND CHANGE"), MakeEvent(700, "IGNITE", 128, 128)},  // ignition not yet due
    };
    for (size_t i = 0; i < lessons.size(); ++i) {
        Write(lessons[i]);
        Open();
        ui.messages.clear();
        PlayClicked(*sim, true);
        RunPass(*sim);
        EXPECT_EQ(run().FireStopped, kTrue) << "lesson " << i;
        EXPECT_EQ(run().RunState, "STOP") << "lesson " << i;
        EXPECT_EQ(run().RunStarted, kFalse) << "lesson " << i;
        EXPECT_EQ(Read(ui), kStopped) << "lesson " << i;
        EXPECT_EQ(ui.messages, (std::vector<std::string>{"Simulation Started", "Fire Stopped"})) << "lesson " << i;
    }
    ResetLesson(*sim);
    EXPECT_EQ(Read(ui), kReady);
    EXPECT_EQ(ui[Control::lblMsg].text, "Click [ >] to start");
}

TEST_F(Spine, WholeLoopDrivenByTheTrainee) {
    Write({});
    // Each time the loop lets the window system run, the trainee does the next thing.
    std::vector<std::function<void()>> actions = {
        [&] { Open(); },
        [&] { PlayClicked(*sim, true); },
        [&] {},  // the fire stops by itself in the pass after Play
        [&] { Open(); },
        [&] { run().EndRequested = kTrue; },
    };
    size_t next = 0;
    ui.onProcessEvents = [&] {
        if (next < actions.size()) actions[next++]();
        else run().EndRequested = kTrue;
    };
    RunLoop(*sim);
    EXPECT_EQ(next, actions.size());
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"Click [ >] to start", "Simulation Started", "Fire Stopped", "Click [ >] to start"}));
    EXPECT_EQ(Read(ui), kReady);
}

}  // namespace
}  // namespace torvex::test
