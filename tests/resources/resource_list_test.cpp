// The resource list window: availability texts, rows, the row-click button table and its buttons.
#include <gtest/gtest.h>

#include "resources/resource_list.h"
#include "resources_fixture.h"

namespace torvex::test {
namespace {

using B = ListButton;

class ResourceListTest : public ResourcesTest {
protected:
    ResourceListWindow Open(const std::string& kind) {
        s().roster.RequestedKind = kind;
        ResourceListWindow w(s());
        w.Load();
        return w;
    }
};

TEST_F(ResourceListTest, AvailabilityTexts) {
    struct Case {
        const char* status;
        const char* activity;
        int16_t busyUntil;
        float simTime;
        const char* text;
    } cases[] = {
        {" Callup ", "", 0, 0, "Callup"},
        {"Active", "Deployed  ", 0, 0, "Deployed"},
        {"Fatality", "Disabled", 0, 0, "Injury/Failure"},
        {"Active", "Disabled", 32767, 0, "Injury/Failure"},
        {"Active", "Reload", 200, 150, "13:20"},
        {"Active", "Reload", 200, 199.6f, "Now"},  // the clock rounds to 200
        {"Active", "Reload", 200, 200, "Now"},
        {"Active", "Disabled", 90, 100, "Now"},  // a temporary injury that has ended
    };
    s().run.StartTime = 600;
    for (const Case& c : cases) {
        Resource r;
        r.Status = c.status;
        r.Activity = c.activity;
        r.BusyUntil = c.busyUntil;
        s().run.SimTime = c.simTime;
        EXPECT_EQ(AvailabilityText(s(), r), c.text) << c.status << "/" << c.activity << " at " << c.simTime;
    }
}

TEST_F(ResourceListTest, OpeningListsTheRequestedKindInRosterOrder) {
    Add("  Crew A ", "Crew");
    Add("Dozer", "Equipment");
    int gone = Add("Crew B", "Crew");
    R(gone).Status = "Released";
    Add("Crew C", "Crew", "Callup", "");

    ResourceListWindow w = Open("Crew");
    ASSERT_EQ(w.Rows().size(), 2u);
    EXPECT_EQ(w.Rows()[0].name, "Crew A");
    EXPECT_EQ(w.Rows()[0].className, "Crew class");
    EXPECT_EQ(w.Rows()[0].available, "Now");
    EXPECT_EQ(w.Rows()[1].name, "Crew C");
    EXPECT_EQ(w.Rows()[1].available, "Callup");
    EXPECT_EQ(w.Columns()[0].header, "CREW");
    EXPECT_EQ(w.Columns()[1].header, "CLASS");
    EXPECT_EQ(w.Columns()[2].header, "AVAILABLE AT");
    EXPECT_TRUE(w.Visible(B::cmdAbort));
    EXPECT_FALSE(w.Enabled(B::cmdAbort));
    EXPECT_FALSE(w.Enabled(B::cmdCallup));
    EXPECT_FALSE(w.Enabled(B::cmdRelease));
    EXPECT_TRUE(w.Enabled(B::cmdSelect));

    EXPECT_FALSE(Open("Tanker").Visible(B::cmdAbort));
}

TEST_F(ResourceListTest, RowClickButtonTable) {
    struct Case {
        const char* kind;
        const char* third;
        bool callup, release, abort;
    } cases[] = {
        {"Tanker", "Callup", true, false, false},
        {"Helicopter", "Now", false, true, false},
        {"Tanker", "Injury/Failure", false, true, false},
        {"Crew", "Callup", true, false, false},
        {"Crew", "Deployed", false, false, true},
        {"Equipment", "Now", false, true, false},
        {"Crew", "12:30", false, false, false},
        {"Crew", "Injury/Failure", false, false, false},
    };
    s().run.StartTime = 720;
    for (const Case& c : cases) {
        s().roster.Roster.assign(1, Resource{});
        s().roster.ResourceCount = 0;
        int i = Add("X", c.kind);
        std::string third = c.third;
        if (third == "Callup") R(i).Status = "Callup";
        if (third == "Deployed") R(i).Activity = "Deployed";
        if (third == "Injury/Failure") R(i).Status = "Fatality";
        if (third == "12:30") R(i).BusyUntil = 30;
        ResourceListWindow w = Open(c.kind);
        ASSERT_EQ(w.Rows().at(0).available, third);
        w.ClickRow(0);
        EXPECT_EQ(w.Enabled(B::cmdCallup), c.callup) << c.kind << " " << c.third;
        EXPECT_EQ(w.Enabled(B::cmdRelease), c.release) << c.kind << " " << c.third;
        EXPECT_EQ(w.Enabled(B::cmdAbort), c.abort) << c.kind << " " << c.third;
    }
}

TEST_F(ResourceListTest, CallUpRoundsHalvesToEvenAndShowsTheTime) {
    int i = Add("Tanker 1", "Tanker", "Callup", "");
    R(i).CallupDelay = 15;
    s().run.SimTime = 30.5f;
    s().run.StartTime = 600;
    ResourceListWindow w = Open("Tanker");
    w.ClickRow(0);
    w.CallUpClicked();
    EXPECT_EQ(R(i).Status, "Active");
    EXPECT_EQ(R(i).BusyUntil, 46);
    EXPECT_EQ(w.Rows()[0].available, "10:46");
    EXPECT_FALSE(w.Enabled(B::cmdCallup));
    EXPECT_FALSE(w.Enabled(B::cmdRelease));
    // Not selectable before the list is opened again after that time.
    w.SelectClicked();
    EXPECT_FALSE(w.CloseRequested());
    s().run.SimTime = 46;
    EXPECT_EQ(Open("Tanker").Rows()[0].available, "Now");
}

TEST_F(ResourceListTest, AbortStopsTheLineAndTheRowCannotBeSelected) {
    int i = Add("Crew 1", "Crew", "Active", "Deployed");
    ResourceListWindow w = Open("Crew");
    w.ClickRow(0);
    EXPECT_TRUE(w.Enabled(B::cmdAbort));
    w.AbortClicked();
    EXPECT_EQ(w.Rows()[0].available, "Aborted");
    EXPECT_EQ(R(i).Activity, "Available");
    EXPECT_EQ(R(i).Status, "Active");
    w.SelectClicked();
    EXPECT_FALSE(w.CloseRequested());
    EXPECT_EQ(ui.messageBoxes, std::vector<std::string>{"You must select an available resource."});
    w.Closing();
    EXPECT_EQ(s().roster.SelectedResource, 0);
}

TEST_F(ResourceListTest, ReleaseRemovesTheRowHidesTheMarkerAndFreesTheSlot) {
    int heli = Add("Heli", "Helicopter", "Fatality", "Disabled");
    ResourceListWindow air = Open("Helicopter");
    air.ClickRow(0);
    ASSERT_TRUE(air.Enabled(B::cmdRelease));
    air.ReleaseClicked();
    EXPECT_EQ(R(heli).Status, "Released");
    EXPECT_TRUE(air.Rows().empty());
    EXPECT_FALSE(air.Enabled(B::cmdRelease));

    int crew = Add("Crew 1", "Crew");
    R(crew).LineSlot = 3;
    s().roster.LineSlotUsed[3] = kTrue;
    s().roster.GrndRes[2].visible = true;
    ResourceListWindow ground = Open("Crew");
    ground.ClickRow(0);
    ground.ReleaseClicked();
    EXPECT_FALSE(ui.markers[2].visible);
    EXPECT_EQ(s().roster.LineSlotUsed[3], kFalse);
    EXPECT_EQ(R(crew).LineSlot, 0);
    EXPECT_TRUE(Open("Crew").Rows().empty());
}

TEST_F(ResourceListTest, SelectHandsTheFirstOfTwoSameNamesToTheCaller) {
    Add("Dozer", "Equipment", "Callup", "");
    int first = Add(" Twin ", "Equipment");
    Add("Twin", "Equipment");
    ResourceListWindow w = Open("Equipment");

    w.SelectClicked();  // no row selected
    EXPECT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_FALSE(w.CloseRequested());

    w.ClickRow(2);  // the second Twin's row still finds the first Twin
    w.SelectClicked();
    EXPECT_TRUE(w.CloseRequested());
    EXPECT_EQ(w.SelectedName(), "Twin");
    w.Closing();
    EXPECT_EQ(s().roster.SelectedResource, first);
}

}  // namespace
}  // namespace torvex::test
