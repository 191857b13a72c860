// Roster build: the class lookup, the kind word, the Callup rule and a fresh roster per load.
#include <gtest/gtest.h>

#include "lesson/lesson.h"
#include "resources/roster.h"

namespace torvex::test {
namespace {

ResourceClass Class(const std::string& name, const std::string& category, const std::string& airKind,
                    const std::string& groundKind, int16_t endurance) {
    ResourceClass c;
    c.ClassName = name;
    c.Category = category;
    c.AirKind = airKind;
    c.GroundKind = groundKind;
    c.Endurance = endurance;
    c.AirSpareValue = static_cast<int16_t>(endurance + 1);
    c.DropLength = static_cast<int16_t>(endurance + 2);
    c.RateUnits = "chains/hr";
    c.ProductionRate = static_cast<int16_t>(endurance + 3);
    return c;
}

LessonResource Record(const std::string& name, const std::string& className, const std::string& status = "Active") {
    LessonResource r;
    r.Name = name;
    r.ClassName = className;
    r.InitialStatus = status;
    r.CallupDelay = 25;
    r.ResourceNote = "n";
    r.DropCost = 4000;
    r.HourlyCost = 900;
    return r;
}

std::string W(const std::string& s, size_t width) { return s + std::string(width - s.size(), ' '); }

TEST(Roster, EntriesFollowTheRecordsWithTheirClassData) {
    RosterState roster;
    roster.Roster.assign(3, Resource{});
    roster.Roster[1].Cost = 55;
    roster.ResourceCount = 2;
    roster.SelectedResource = 2;
    BuildRoster(roster, {Class(W("Dozer", 32), "Ground", "", W("Equipment", 10), 0)},
                {Record("Dozer 1", W("Dozer", 32))});
    ASSERT_EQ(roster.ResourceCount, 1);
    ASSERT_EQ(roster.Roster.size(), 2u);  // entry 0 unused
    EXPECT_EQ(roster.SelectedResource, 0);
    const Resource& r = roster.Roster[1];
    EXPECT_EQ(r.Name, "Dozer 1");
    EXPECT_EQ(r.ClassName, W("Dozer", 32));
    EXPECT_EQ(r.Kind, W("Equipment", 10));
    EXPECT_EQ(r.Status, "Active");
    EXPECT_EQ(r.Activity, "Available");
    EXPECT_EQ(r.RateUnits, W("chains/hr", 10));
    EXPECT_EQ(r.ProductionRate, 3);
    EXPECT_EQ(r.CallupDelay, 25);
    EXPECT_EQ(r.DropCost, 4000);
    EXPECT_EQ(r.HourlyCost, 900);
    EXPECT_EQ(r.BusyUntil, 0);
    EXPECT_EQ(r.Cost, 0.0f);  // nothing of the previous roster survives
    EXPECT_EQ(r.MinuteCount, 0.0f);
}

TEST(Roster, ClassLookupRules) {
    // Classes in lesson order; the resource's class name picks one of them or none.
    const std::vector<ResourceClass> classes = {
        Class("Tanker T1", "Air", "Tanker    ", "", 120),
        Class("Helo", "  Air  ", "Helicopter", "Crew", 90),
        Class("Helo", "Air", "Tanker", "", 999),  // same name again: never used
        Class("Strike Team", "air", "Tanker", "Crew      ", 5),
        Class(W("Dozer", 32), "Ground", "Tanker", "Equipment", 7),
    };
    struct Case {
        const char* resourceClass;
        const char* kind;  // empty: no class found
        int16_t endurance;
    } cases[] = {
        {"Tanker T1", "Tanker    ", 120},       // Air: the air kind, trailing blanks as copied
        {"Helo", "Helicopter", 90},             // the first of two classes of that name
        {"Strike Team", "Crew      ", 5},       // "air" is not "Air": the ground kind
        {"Dozer", "Equipment ", 7},             // differs only by trailing blanks within 32
        {"Dozer      ", "Equipment ", 7},
        {"dozer", "", 0},                       // letter case differs: no class
        {" Dozer", "", 0},                      // a leading blank is not padding
        {"Bulldozer", "", 0},
    };
    for (const Case& c : cases) {
        RosterState roster;
        BuildRoster(roster, classes, {Record("R", c.resourceClass)});
        const Resource& r = roster.Roster[1];
        EXPECT_EQ(r.Kind, c.kind[0] ? W(c.kind, 10) : std::string(c.kind)) << c.resourceClass;
        EXPECT_EQ(r.Endurance, c.endurance) << c.resourceClass;
        EXPECT_EQ(r.DropLength, c.kind[0] ? c.endurance + 2 : 0) << c.resourceClass;
        EXPECT_EQ(r.RateUnits, c.kind[0] ? W("chains/hr", 10) : "") << c.resourceClass;
        // A resource without a class still has its own record's data.
        EXPECT_EQ(r.HourlyCost, 900) << c.resourceClass;
    }
}

TEST(Roster, CallupWordWithSurroundingBlanks) {
    struct Case {
        const char* initial;
        const char* status;
        const char* activity;
    } cases[] = {
        {"Callup", "Callup", ""},
        {"  Callup  ", "Callup", ""},
        {"callup", "Active", "Available"},
        {"Call up", "Active", "Available"},
        {"", "Active", "Available"},
        {"Active", "Active", "Available"},
    };
    for (const Case& c : cases) {
        RosterState roster;
        BuildRoster(roster, {}, {Record("R", "X", c.initial)});
        EXPECT_EQ(roster.Roster[1].Status, c.status) << '"' << c.initial << '"';
        EXPECT_EQ(roster.Roster[1].Activity, c.activity) << '"' << c.initial << '"';
    }
}

TEST(Roster, EmptyLessonGivesAnEmptyRoster) {
    RosterState roster;
    BuildRoster(roster, {}, {Record("A", "X"), Record("B", "X")});
    BuildRoster(roster, {}, {});
    EXPECT_EQ(roster.ResourceCount, 0);
    EXPECT_EQ(roster.Roster.size(), 1u);
}

}  // namespace
}  // namespace torvex::test
