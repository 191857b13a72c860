// The clock and status panel: number texts, panel formats, the minute beat, history, pacing and waits.
#include <gtest/gtest.h>

#include <cmath>

#include "app/run_control.h"
#include "driver/clock.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

TEST(NumberText, ShortestFormOfDoublesAndFloats) {
    struct Case {
        double value;
        bool asFloat;
        const char* text;
    };
    const Case cases[] = {
        {0, false, "0"},
        {-0.0, false, "0"},
        {0.5, false, ".5"},
        {-0.5, false, "-.5"},
        {1.25, false, "1.25"},
        {100, false, "100"},
        {1234567, false, "1234567"},
        {1234567.5, false, "1234567.5"},
        {0.0001, false, ".0001"},
        {-1e-5, false, "-1E-05"},
        {1.0 / 3, false, ".333333333333333"},
        {2.0 / 3, false, ".666666666666667"},
        {123456789012345.0, false, "123456789012345"},
        {1e15, false, "1E+15"},
        {0.1, true, ".1"},         // the float's binary error stays beyond seven digits
        {1.0 / 3, true, ".3333333"},
        {3276.7, true, "3276.7"},
        {-2.5, true, "-2.5"},
        {9999999, true, "9999999"},
        {16777216, true, "1.677722E+07"},
        {1234.5, true, "1234.5"},
    };
    for (const Case& c : cases) {
        std::string got = c.asFloat ? NumberText(static_cast<float>(c.value)) : NumberText(c.value);
        EXPECT_EQ(got, c.text) << c.value << (c.asFloat ? " as float" : " as double");
    }
    EXPECT_EQ(NumberText(32767), "32767");
    EXPECT_EQ(NumberText(int16_t{-40}), "-40");
}

TEST(PanelFormats, ExamplesAndConverters) {
    EXPECT_EQ(DayText(1445), "2");
    EXPECT_EQ(DayText(1439), "1");
    EXPECT_EQ(TimeText(1445), "00:05");
    EXPECT_EQ(TimeText(780), "13:00");
    EXPECT_EQ(TimeText(1439), "23:59");
    EXPECT_EQ(ElapsedText(125), "2 hr 5");
    EXPECT_EQ(ElapsedText(0), "0 hr 0");
    // The figure is hectares already: the acre factor would show 40 % of the area.
    EXPECT_EQ(HectaresText(10), "10");
    EXPECT_EQ(HectaresText(1.25), "1.2");
    EXPECT_EQ(HectaresText(8.55), "8.6");
    EXPECT_EQ(CostText(1234), "$1234");
    EXPECT_EQ(WindSpeedText(20), "32");
    EXPECT_EQ(WindDirectionText(270), "270");
    EXPECT_EQ(MphToKph(25), 40);
    EXPECT_DOUBLE_EQ(AcresToHectares(10), 4.0468564224);
    const std::pair<int16_t, int16_t> celsius[] = {{212, 100}, {32, 0}, {33, 1}, {-40, -40}};
    for (auto [f, c] : celsius) EXPECT_EQ(FahrenheitToCelsius(f), c) << f;
}

class ClockTest : public ::testing::Test, public SimFixture {
protected:
    void SetUp() override {
        InitialConditions ic;
        ic.StartWindSpeed = 20;
        ic.StartWindDirection = 270;
        ic.TimeRatio = 20;
        ScenarioEvent e;
        e.EventTime = 780;
        e.EventType = "ARRIVAL";
        LoadInMemory(ic, {e}, UniformMapBitmap(1));
    }
    Sim& s() { return *sim; }
    const std::string& Label(Control c) { return ui[c].text; }
    void AddResource(float cost) {
        if (s().roster.Roster.empty()) s().roster.Roster.resize(1);
        Resource r;
        r.Cost = cost;
        s().roster.Roster.push_back(r);
        s().roster.ResourceCount = static_cast<int16_t>(s().roster.Roster.size() - 1);
    }
};

TEST_F(ClockTest, PanelFromSimulationFigures) {
    struct Case {
        int32_t start;
        float simTime;
        float area;
        float cost;
        const char *day, *time, *elapsed, *hectares, *costText;
    };
    const Case cases[] = {
        {780, 0, 0, 0, "1", "13:00", "0 hr 0", "0", "$0"},
        {1430, 15, 0, 0, "2", "00:05", "0 hr 15", "0", "$0"},
        {0, 59.5f, 1.25f, 1234.5f, "1", "01:00", "1 hr 0", "1.2", "$1234"},  // halves to even
        {0, 58.5f, 0.04f, 1235.5f, "1", "00:58", "0 hr 58", "0", "$1236"},
        // Past 16-bit range the clock and the area keep counting.
        {0, 40000, 5000.04f, 0, "28", "18:40", "666 hr 40", "5000", "$0"},
    };
    for (const Case& c : cases) {
        InitialiseRun(s());
        s().roster.Roster.clear();
        AddResource(c.cost);
        s().run.StartTime = c.start;
        s().run.SimTime = c.simTime;
        s().fire.BurnedArea = c.area;
        UpdateClock(s());
        SCOPED_TRACE(c.simTime);
        EXPECT_EQ(Label(Control::lblDay), c.day);
        EXPECT_EQ(Label(Control::lblTime), c.time);
        EXPECT_EQ(Label(Control::lblElapse), c.elapsed);
        EXPECT_EQ(Label(Control::lblAcres), c.hectares);
        EXPECT_EQ(Label(Control::lblCost), c.costText);
        EXPECT_EQ(Label(Control::lblWS), "32");
        EXPECT_EQ(Label(Control::lblWD), "270");
    }
}

TEST_F(ClockTest, DayTimeAndAreaAreWrittenOnlyWhenTheyChange) {
    s().run.SimTime = 3.2f;
    s().fire.BurnedArea = 2.0f;
    UpdateClock(s());
    for (Control c : {Control::lblDay, Control::lblTime, Control::lblAcres, Control::lblElapse, Control::lblCost})
        ui[c].text = "x";
    s().run.SimTime = 3.4f;  // same minute, same tenths
    s().fire.BurnedArea = 2.01f;
    UpdateClock(s());
    EXPECT_EQ(Label(Control::lblDay), "x");
    EXPECT_EQ(Label(Control::lblTime), "x");
    EXPECT_EQ(Label(Control::lblAcres), "x");
    EXPECT_EQ(Label(Control::lblElapse), "0 hr 3");
    EXPECT_EQ(Label(Control::lblCost), "$0");
    // InitialiseRun makes the panel forget, so the next update writes everything again.
    InitialiseRun(s());
    UpdateClock(s());
    EXPECT_EQ(Label(Control::lblDay), "1");
    EXPECT_EQ(Label(Control::lblTime), "13:00");
    EXPECT_EQ(Label(Control::lblAcres), "0");
}

TEST_F(ClockTest, MinuteBeatRunsOncePerTimeChangeAndHistorySkipsJumpedMinutes) {
    s().run.OnSite = kTrue;
    s().roster.Roster.clear();
    AddResource(12.0f);
    s().run.SimTime = 10.9f;
    s().fire.BurnedArea = 0.5f;
    UpdateClock(s());
    EXPECT_EQ(s().clock.ResourceMinutes, 1);
    UpdateClock(s());  // same minute: no beat
    EXPECT_EQ(s().clock.ResourceMinutes, 1);
    s().run.SimTime = 12.4f;
    s().run.WindSpeed = 5;
    UpdateClock(s());
    EXPECT_EQ(s().clock.ResourceMinutes, 2);

    const auto& h = s().clock.MinuteHistory;
    ASSERT_EQ(h.size(), 14u);
    EXPECT_FLOAT_EQ(h[11].area, 0.5f);
    EXPECT_FLOAT_EQ(h[11].cost, 12.0f);
    EXPECT_EQ(h[11].windSpeed, 20);
    EXPECT_EQ(h[11].windDirection, 270);
    EXPECT_EQ(h[12].area, 0);
    EXPECT_EQ(h[12].windSpeed, 0);
    EXPECT_EQ(h[13].windSpeed, 5);

    // Not on site: the time still changes but the resources do not work.
    s().run.OnSite = kFalse;
    s().run.SimTime = 14;
    UpdateClock(s());
    EXPECT_EQ(s().clock.ResourceMinutes, 2);
    // A new run keeps entries 0 and 1 only.
    InitialiseRun(s());
    EXPECT_EQ(s().clock.MinuteHistory.size(), 2u);
}

TEST_F(ClockTest, ActiveFuelPhotoFollowsTheFuelTable) {
    s().programDir = "/prog";
    s().display.FuelTable[2].PhotoPath = "photos/grass.jpg";
    s().display.FuelTable[3].PhotoPath = "/abs/timber.jpg";
    const std::pair<int16_t, const char*> cases[] = {
        {2, "/prog/photos/grass.jpg"}, {3, "/abs/timber.jpg"}, {0, ""}, {25, ""}, {2, "/prog/photos/grass.jpg"}};
    for (auto [fuel, photo] : cases) {
        ui.photo = "unchanged";
        s().fire.ActiveFuel = fuel;
        UpdateClock(s());
        EXPECT_EQ(ui.photo, photo) << fuel;
        EXPECT_EQ(s().clock.ShownFuel, fuel);
    }
    ui.photo = "unchanged";
    UpdateClock(s());  // same fuel: the photograph is not loaded again
    EXPECT_EQ(ui.photo, "unchanged");
}

class PacingTest : public ClockTest {
protected:
    void SetUp() override {
        ClockTest::SetUp();
        PlayClicked(s(), true);
        s().run.OnSite = kTrue;
        s().clock.OnSiteTime = 0;
        s().run.PaceStart = clock.NowWholeSeconds();
        // Each time the window system gets a turn, one wall-clock second goes by.
        ui.onProcessEvents = [this] {
            lastTurnAt = clock.NowWholeSeconds();
            clock.seconds += 1;
        };
    }
    int64_t lastTurnAt = 0;
};

TEST_F(PacingTest, ReturnsOnceTheRatioAllowsTheSimulatedTime) {
    // Ratio 20, 30 simulated minutes since arrival, 60 seconds banked: 30 more seconds are needed.
    s().run.SimTime = 30;
    s().run.PacedSeconds = 60;
    const int64_t start = s().run.PaceStart;
    PaceToWallClock(s());
    EXPECT_EQ(lastTurnAt - start, 30);
    EXPECT_EQ(ui.processEventsCalls, 31);  // a blocking wait per second, one last turn when allowed
}

TEST_F(PacingTest, AheadOfTheBudgetOnlyLetsEventsThrough) {
    s().run.SimTime = 30;
    s().run.PacedSeconds = 120;
    PaceToWallClock(s());
    EXPECT_EQ(ui.processEventsCalls, 1);
}

TEST_F(PacingTest, StopDuringTheWaitEndsItAndUnpacedRunsNeverWait) {
    s().lesson.Conditions.TimeRatio = 0;  // the budget is never met
    s().run.SimTime = 5;
    ui.onProcessEvents = [this] {
        clock.seconds += 1;
        if (clock.seconds > 1010) StopClicked(s(), true);
    };
    PaceToWallClock(s());
    EXPECT_EQ(s().run.RunState, "STOP");

    SimFixture other;
    other.sim->unpaced = true;
    other.sim->run.SimTime = 100;
    other.sim->run.OnSite = kTrue;
    PaceToWallClock(*other.sim);
    EXPECT_EQ(other.ui.processEventsCalls, 0);
}

TEST_F(PacingTest, SetBusyBanksTheSecondsBetweenOnAndOff) {
    s().run.PaceStart = 1000;
    s().run.PacedSeconds = 4;
    clock.seconds = 1007.9;
    SetBusy(s(), "On", "Wind Change");
    EXPECT_EQ(ui.pointer, Pointer::Hourglass);
    EXPECT_FLOAT_EQ(s().run.PacedSeconds, 11);
    EXPECT_EQ(Label(Control::lblMsg), "Wind Change");
    clock.seconds = 1030;
    SetBusy(s(), "Off", "");
    EXPECT_EQ(ui.pointer, Pointer::Arrow);
    EXPECT_EQ(s().run.PaceStart, 1030);
    EXPECT_EQ(Label(Control::lblMsg), "");
    SetBusy(s(), "on", "Other");  // neither mode: only the message
    EXPECT_EQ(ui.pointer, Pointer::Arrow);
    EXPECT_EQ(s().run.PaceStart, 1030);
    EXPECT_FLOAT_EQ(s().run.PacedSeconds, 11);
    EXPECT_EQ(Label(Control::lblMsg), "Other");
}

TEST(WaitSeconds, SleepsWithoutServicingTheWindowAndEndsAcrossMidnight) {
    // Time of day at the start of the wait; the wait is counted from it rounded to whole seconds.
    for (double startOfDay : {3600.0, 3600.4, 3600.6, 86398.2, 86399.7}) {
        SimFixture f;
        f.clock.midnightOffset = startOfDay - f.clock.seconds;
        const double before = f.clock.seconds;
        WaitSeconds(*f.sim, 5);
        const double waited = f.clock.seconds - before;
        EXPECT_GE(waited, 4.5) << startOfDay;
        EXPECT_LE(waited, 5.5) << startOfDay;
        EXPECT_EQ(f.ui.processEventsCalls, 0);
    }
}

}  // namespace
}  // namespace torvex::test
