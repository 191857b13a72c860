// The event script: due rules, list order, event words, the injury wait and the end of a run.
#include <gtest/gtest.h>

#include "app/run_control.h"
#include "driver/events.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

ScenarioEvent Event(int32_t time, const char* word) {
    ScenarioEvent e;
    e.EventTime = time;
    e.EventType = word;
    return e;
}

ScenarioEvent Ignite(int32_t time, const char* word, int16_t x, int16_t y) {
    ScenarioEvent e = Event(time, word);
    e.IgniteX = x;
    e.IgniteY = y;
    return e;
}

ScenarioEvent Wind(int32_t time, const char* word, int16_t direction, int16_t speed) {
    ScenarioEvent e = Event(time, word);
    e.NewWindDirection = direction;
    e.NewWindSpeed = speed;
    return e;
}

ScenarioEvent Injury(int32_t time, const char* name, int16_t permanent, int16_t duration) {
    ScenarioEvent e = Event(time, "INJURY/FAILURE");
    e.ResourceName = name;
    e.Permanent = permanent;
    e.Duration = duration;
    return e;
}

class EventsTest : public ::testing::Test, public SimFixture {
protected:
    // Loads the script with a lesson start at minute 600 and starts the run.
    void Start(std::vector<ScenarioEvent> events) {
        InitialConditions ic;
        ic.StartWindSpeed = 10;
        ic.StartWindDirection = 270;
        ic.Moisture1Hour = ic.Moisture10Hour = ic.Moisture100Hour = 8;
        ic.MoistureHerbaceous = ic.MoistureWoody = 100;
        ic.TimeRatio = 10;
        events.insert(events.begin(), Event(600, "ARRIVAL"));
        LoadInMemory(ic, std::move(events), UniformMapBitmap(1));
        PlayClicked(*sim, true);
    }
    Sim& s() { return *sim; }
    bool Done(size_t i) { return s().lesson.ScenarioEvents[i].Done != kFalse; }
    void AddResource(const char* name, const char* kind) {
        auto& roster = s().roster.Roster;
        if (roster.empty()) roster.resize(1);
        Resource r;
        r.Name = name;
        r.Kind = kind;
        r.Status = "Active";
        r.Activity = "Available";
        roster.push_back(r);
        s().roster.ResourceCount = static_cast<int16_t>(roster.size() - 1);
    }
};

TEST_F(EventsTest, DueWhenTheRoundedClockReachesTheEventTime) {
    struct Case {
        float simTime;
        int32_t eventTime;
        bool due;
    };
    const Case cases[] = {
        {0, 600, true},      // at the starting minute
        {0, 590, true},      // before the start: carried out in the first pass
        {0, 601, false},
        {9.5f, 610, true},   // 9.5 rounds to 10, halves to even
        {10.5f, 611, false}, // 10.5 rounds to 10 as well
        {10.6f, 611, true},
        {40000, 40600, true},  // past 16-bit minutes the script keeps up with the clock
    };
    for (const Case& c : cases) {
        Start({Wind(c.eventTime, "WIND CHANGE", 90, 3)});
        s().run.SimTime = c.simTime;
        ProcessEvents(s());
        EXPECT_EQ(Done(1), c.due) << c.simTime << " " << c.eventTime;
        EXPECT_EQ(s().run.WindDirection, c.due ? 90 : 270);
        EXPECT_TRUE(Done(0));  // event 0 is always due at once
    }
}

TEST_F(EventsTest, EventWordsAreUpperCasedButNotTrimmed) {
    Start({Ignite(600, "ignite", 10, 10), Ignite(600, "IGNITE ", 20, 20), Wind(600, "Wind Change", 45, 7),
           Wind(600, " WIND CHANGE", 180, 30), Event(600, "SMOKE")});
    ProcessEvents(s());
    EXPECT_LT(s().fire.Cell(10, 10).ArrivalTime, 0);  // lit
    EXPECT_EQ(s().fire.Cell(20, 20).ArrivalTime, 0);  // a word with a blank is no event word
    EXPECT_EQ(s().run.WindDirection, 45);
    EXPECT_EQ(s().run.WindSpeed, 7);
    EXPECT_EQ(s().fire.WeatherChanged, kTrue);
    for (size_t i = 0; i < s().lesson.ScenarioEvents.size(); ++i) EXPECT_TRUE(Done(i)) << i;  // all consumed
}

TEST_F(EventsTest, EventsOfAPassRunInListOrderAndOnlyOnce) {
    Start({Wind(605, "WIND CHANGE", 90, 5), Wind(602, "WIND CHANGE", 180, 6), Wind(601, "WIND CHANGE", 45, 7),
           Injury(603, "Alpha", 0, 30)});
    AddResource("Alpha", "Crew      ");
    s().unpaced = true;
    s().run.SimTime = 4;  // one step jumped past 601, 602 and 603; 605 is not yet due
    ProcessEvents(s());
    EXPECT_EQ(s().run.WindDirection, 45);  // list order, not time order
    EXPECT_EQ(s().run.WindSpeed, 7);
    EXPECT_EQ(ui.messages.back(), "Crew       Alpha temporarily disabled");
    EXPECT_FALSE(Done(1));
    const size_t messages = ui.messages.size();
    s().run.WindDirection = 0;
    ProcessEvents(s());  // nothing new is due: done events do not run again
    EXPECT_EQ(s().run.WindDirection, 0);
    EXPECT_EQ(ui.messages.size(), messages);
    s().run.SimTime = 5;
    ProcessEvents(s());
    EXPECT_EQ(s().run.WindDirection, 90);

    // A new run carries out the whole script again.
    PlayClicked(s(), true);
    EXPECT_FALSE(Done(0));
    s().run.SimTime = 4;
    ProcessEvents(s());
    EXPECT_EQ(s().run.WindDirection, 45);
}

TEST_F(EventsTest, ArrivalSetsThePacingReferenceAndASecondOneRestartsIt) {
    Start({Event(610, "ARRIVAL")});
    clock.seconds = 2000;
    s().run.SimTime = 0.4f;
    ProcessEvents(s());
    EXPECT_EQ(s().run.OnSite, kTrue);
    EXPECT_FLOAT_EQ(s().clock.OnSiteTime, 0.4f);
    EXPECT_EQ(s().run.PaceStart, 2000);
    EXPECT_EQ(ui.messages.back(), "Arrive On Site");
    s().run.PacedSeconds = 50;
    clock.seconds = 2600;
    s().run.SimTime = 10.2f;
    ProcessEvents(s());
    EXPECT_FLOAT_EQ(s().clock.OnSiteTime, 10.2f);
    EXPECT_EQ(s().run.PaceStart, 2600);
    EXPECT_EQ(s().run.PacedSeconds, 0);
}

TEST_F(EventsTest, InjuryDisablesEveryEntryOfThatNameAndWaitsAfterEach) {
    Start({Injury(600, "Alpha", 0, 30), Injury(601, "Bravo", 1, 0), Injury(601, "Nobody", 1, 0)});
    AddResource("Alpha", "Crew      ");
    AddResource(" Alpha", "Crew      ");  // blanks count: not the same name
    AddResource("Alpha", "Bulldozer ");
    AddResource("Bravo", "Tanker    ");
    s().run.SimTime = 0.25f;
    ui.messages.clear();
    const double before = clock.seconds;
    ProcessEvents(s());
    const auto& r = s().roster.Roster;
    EXPECT_EQ(r[1].Activity, "Disabled");
    EXPECT_EQ(r[1].BusyUntil, 30);  // Round16(30 + 0.25)
    EXPECT_EQ(r[2].Activity, "Available");
    EXPECT_EQ(r[3].Activity, "Disabled");
    EXPECT_EQ(r[1].Status, "Active");  // the status stays
    const std::vector<std::string> shown = {"Arrive On Site", "Crew       Alpha temporarily disabled",
                                            "Bulldozer  Alpha temporarily disabled"};
    EXPECT_EQ(ui.messages, shown);
    EXPECT_NEAR(clock.seconds - before, 10, 1.0);  // five seconds after each message
    EXPECT_EQ(ui.processEventsCalls, 0);           // and nothing serviced meanwhile

    s().run.SimTime = 1;
    ProcessEvents(s());
    EXPECT_EQ(r[4].Activity, "Disabled");
    EXPECT_EQ(r[4].BusyUntil, 32767);
    EXPECT_EQ(ui.messages.back(), "Tanker     Bravo disabled forever");
    EXPECT_TRUE(Done(3));  // no such resource: only consumed
}

TEST_F(EventsTest, EndOfSimulationStopsTheRunAndLaterDueEventsStillTakeEffect) {
    Start({Event(600, "end of simulation"), Wind(600, "WIND CHANGE", 90, 12)});
    ProcessEvents(s());
    EXPECT_EQ(s().run.RunState, "STOP");
    EXPECT_EQ(s().run.RunStarted, kFalse);
    EXPECT_EQ(s().run.WindDirection, 90);  // after the stop, in the same pass
    EXPECT_EQ(ui[Control::lblMsg].text, "Simulation Terminated");
    EXPECT_FALSE(ui[Control::btnPlay].visible);
    EXPECT_FALSE(ui[Control::btnPause].visible);
    EXPECT_FALSE(ui[Control::btnStop].visible);
    EXPECT_FALSE(ui[Control::btnPause].enabled);
    EXPECT_TRUE(ui[Control::cmdReplay].visible);
    EXPECT_TRUE(ui[Control::cmdReplay].enabled);
    EXPECT_TRUE(ui[Control::spnReplay].visible);
    EXPECT_FALSE(ui[Control::spnReplay].enabled);
}

}  // namespace
}  // namespace torvex::test
