// The lesson file's byte layout: records read byte-exact, the writer's inverse, refused inputs.
#include <gtest/gtest.h>

#include "fire/grid.h"
#include "lesson/lesson.h"
#include "support/lesson_bytes.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

constexpr size_t kConditions = 26;

ResourceClass CrewClass() {
    ResourceClass c;
    c.ClassName = "Hotshot Crew";
    c.Category = "Ground";
    c.AirKind = "";
    c.AirSpareText = "spare";
    c.Endurance = 11;
    c.AirSpareValue = -12;
    c.DropLength = 13;
    c.GroundKind = "Crew";
    c.RateUnits = "chains/hr";
    c.ProductionRate = 14;
    return c;
}

LessonResource CrewResource(const std::string& name) {
    LessonResource r;
    r.Name = name;
    r.ClassName = "Hotshot Crew";
    r.InitialStatus = "Callup";
    r.CallupDelay = 45;
    r.ResourceNote = "note";
    r.DropCost = 300;
    r.HourlyCost = -2;
    return r;
}

std::string Padded(const std::string& s, size_t width) { return s + std::string(width - s.size(), ' '); }

TEST(LessonFile, EmptyLessonLoadsWithEmptyTables) {
    auto map = UniformMapBitmap(3);
    auto bytes = LessonFileBytes(SampleConditions(), {}, {}, {}, map);
    ASSERT_EQ(bytes.size(), kConditions + 6 + kMapBitmapBytes);
    std::string error;
    auto f = ParseLesson(bytes, &error);
    ASSERT_TRUE(f) << error;
    EXPECT_TRUE(f->Classes.empty());
    EXPECT_TRUE(f->Resources.empty());
    EXPECT_TRUE(f->Events.empty());
    EXPECT_EQ(f->MapBitmap, map);
    EXPECT_EQ(f->Conditions.Moisture100Hour, 8);
    EXPECT_EQ(f->Conditions.ReloadTime, 20);
}

TEST(LessonFile, ConditionsFieldsInOrder) {
    LessonBytes b;
    for (int16_t v = 1; v <= 13; ++v) b.I16(static_cast<int16_t>(v * 100 - 700));  // negatives too
    b.I16(0).I16(0).I16(0).Raw(UniformMapBitmap(1));
    auto f = ParseLesson(b.bytes, nullptr);
    ASSERT_TRUE(f);
    const InitialConditions& ic = f->Conditions;
    const int16_t got[] = {ic.ConditionsSet, ic.StartWindSpeed, ic.StartWindDirection, ic.Temperature,
                           ic.RelativeHumidity, ic.Moisture1Hour, ic.Moisture10Hour, ic.Moisture100Hour,
                           ic.MoistureHerbaceous, ic.MoistureWoody, ic.TimeRatio, ic.RefuelTime, ic.ReloadTime};
    for (int i = 0; i < 13; ++i) EXPECT_EQ(got[i], (i + 1) * 100 - 700) << "field " << i;
}

TEST(LessonFile, ClassRecordIs90BytesWithPaddingKept) {
    LessonBytes one;
    one.Class(CrewClass());
    ASSERT_EQ(one.size(), 90u);
    auto bytes = LessonFileBytes(SampleConditions(), {CrewClass()}, {}, {}, UniformMapBitmap(1));
    auto f = ParseLesson(bytes, nullptr);
    ASSERT_TRUE(f);
    ASSERT_EQ(f->Classes.size(), 1u);
    const ResourceClass& c = f->Classes[0];
    EXPECT_EQ(c.ClassName, Padded("Hotshot Crew", 32));
    EXPECT_EQ(c.Category, Padded("Ground", 10));
    EXPECT_EQ(c.AirKind, std::string(10, ' '));
    EXPECT_EQ(c.AirSpareText, Padded("spare", 10));
    EXPECT_EQ(c.Endurance, 11);
    EXPECT_EQ(c.AirSpareValue, -12);
    EXPECT_EQ(c.DropLength, 13);
    EXPECT_EQ(c.GroundKind, Padded("Crew", 10));
    EXPECT_EQ(c.RateUnits, Padded("chains/hr", 10));
    EXPECT_EQ(c.ProductionRate, 14);
}

TEST(LessonFile, ResourceWithEmptyNameIs60Bytes) {
    LessonBytes one;
    one.Resource(CrewResource(""));
    ASSERT_EQ(one.size(), 60u);
    auto bytes = LessonFileBytes(SampleConditions(), {}, {CrewResource(""), CrewResource("Crew 7")}, {},
                                 UniformMapBitmap(1));
    EXPECT_EQ(bytes.size(), kConditions + 2 + 2 + 60 + 66 + 2 + kMapBitmapBytes);
    auto f = ParseLesson(bytes, nullptr);
    ASSERT_TRUE(f);
    ASSERT_EQ(f->Resources.size(), 2u);
    for (const LessonResource& r : f->Resources) {
        EXPECT_EQ(r.ClassName, Padded("Hotshot Crew", 32));
        EXPECT_EQ(r.InitialStatus, Padded("Callup", 10));
        EXPECT_EQ(r.CallupDelay, 45);
        EXPECT_EQ(r.ResourceNote, Padded("note", 10));
        EXPECT_EQ(r.DropCost, 300);
        EXPECT_EQ(r.HourlyCost, -2);
    }
    EXPECT_EQ(f->Resources[0].Name, "");
    EXPECT_EQ(f->Resources[1].Name, "Crew 7");
}

TEST(LessonFile, IgniteEventIs22BytesPlusItsTexts) {
    ScenarioEvent e = MakeEvent(-70000, "IGNITE", 120, 131);
    e.Done = -1;
    e.NewWindDirection = 225;
    e.NewWindSpeed = 17;
    e.Permanent = -1;
    e.Duration = 90;
    LessonBytes one;
    one.Event(e);
    ASSERT_EQ(one.size(), 22u + 6u);
    ScenarioEvent injury = MakeEvent(800, "INJURY/FAILURE");
    injury.ResourceName = " Dozer 2 ";
    auto f = ParseLesson(LessonFileBytes(SampleConditions(), {}, {}, {e, injury}, UniformMapBitmap(1)), nullptr);
    ASSERT_TRUE(f);
    ASSERT_EQ(f->Events.size(), 2u);
    const ScenarioEvent& g = f->Events[0];
    EXPECT_EQ(g.Done, -1);
    EXPECT_EQ(g.EventTime, -70000);
    EXPECT_EQ(g.EventType, "IGNITE");
    EXPECT_EQ(g.IgniteX, 120);
    EXPECT_EQ(g.IgniteY, 131);
    EXPECT_EQ(g.NewWindDirection, 225);
    EXPECT_EQ(g.NewWindSpeed, 17);
    EXPECT_EQ(g.ResourceName, "");
    EXPECT_EQ(g.Permanent, -1);
    EXPECT_EQ(g.Duration, 90);
    EXPECT_EQ(f->Events[1].ResourceName, " Dozer 2 ");
}

TEST(LessonFile, AnythingAfterTheBitmapIsIgnored) {
    auto map = UniformMapBitmap(2);
    auto bytes = LessonFileBytes(SampleConditions(), {}, {}, {MakeEvent(600, "IGNITE")}, map);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    auto f = ParseLesson(bytes, nullptr);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->MapBitmap, map);
}

TEST(LessonFile, SerialiseWritesTheSameBytesAsTheFileLayout) {
    ResourceClass air = CrewClass();
    air.ClassName = "Heavy Tanker";
    air.Category = "Air";
    air.AirKind = "Tanker";
    ScenarioEvent wind = MakeEvent(610, "WIND CHANGE");
    wind.NewWindDirection = 180;
    wind.NewWindSpeed = 25;
    ScenarioEvent injury = MakeEvent(620, "INJURY/FAILURE");
    injury.ResourceName = "Crew 7";
    injury.Duration = 30;
    auto map = UniformMapBitmap(4, 20.0f);
    SetMapCell(map, 5, 6, 9);
    auto bytes = LessonFileBytes(SampleConditions(), {CrewClass(), air}, {CrewResource("Crew 7"), CrewResource("")},
                                 {MakeEvent(600, "IGNITE", 1, 2), wind, injury}, map);
    auto f = ParseLesson(bytes, nullptr);
    ASSERT_TRUE(f);
    EXPECT_EQ(SerialiseLesson(*f), bytes);
    std::string error;
    EXPECT_TRUE(CheckLessonLimits(*f, &error)) << error;

    // Unpadded texts in memory come out blank-padded; over-long ones are cut to the width.
    LessonFile mem = *f;
    mem.Classes[0].ClassName = "Hotshot Crew";
    mem.Resources[0].InitialStatus = "Callup";
    mem.Resources[0].ResourceNote = "note, longer than ten";
    auto out = SerialiseLesson(mem);
    auto back = ParseLesson(out, nullptr);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Classes[0].ClassName, Padded("Hotshot Crew", 32));
    EXPECT_EQ(back->Resources[0].ResourceNote, "note, long");
    EXPECT_EQ(out.size(), bytes.size());
}

TEST(LessonFile, CountsAtTheirMaximaLoad) {
    std::vector<ResourceClass> classes(kMaxClasses, CrewClass());
    std::vector<ScenarioEvent> events(kMaxEvents, MakeEvent(600, "END OF SIMULATION"));
    auto f = ParseLesson(LessonFileBytes(SampleConditions(), classes, {}, events, UniformMapBitmap(1)), nullptr);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Classes.size(), 100u);
    EXPECT_EQ(f->Events.size(), 1001u);
}

// Offsets into a lesson with one class, two resources ("Crew 7" and "") and two events.
struct Refusal {
    const char* what;
    std::vector<uint8_t> (*make)();
    const char* reason;
};

std::vector<uint8_t> GoodLesson() {
    return LessonFileBytes(SampleConditions(), {CrewClass()}, {CrewResource("Crew 7"), CrewResource("")},
                           {MakeEvent(600, "IGNITE", 3, 4), MakeEvent(700, "END OF SIMULATION")},
                           UniformMapBitmap(1));
}
constexpr size_t kResources = kConditions + 2 + 90;  // offset of the resource count
constexpr size_t kEvents = kResources + 2 + 66 + 60;  // offset of the event count
constexpr size_t kMap = kEvents + 2 + 28 + 39;        // offset of the map bitmap

std::vector<uint8_t> Cut(size_t n) {
    auto b = GoodLesson();
    b.resize(n);
    return b;
}
std::vector<uint8_t> With16(size_t at, int16_t v) {
    auto b = GoodLesson();
    b[at] = uint8_t(v & 0xff);
    b[at + 1] = uint8_t((uint16_t(v) >> 8) & 0xff);
    return b;
}
// A text length that reaches past the end can only be told from one swallowing the map when
// the map is missing.
std::vector<uint8_t> WithoutMap16(size_t at, int16_t v) {
    auto b = With16(at, v);
    b.resize(kMap);
    return b;
}
std::vector<uint8_t> With32(size_t at, int32_t v) {
    auto b = GoodLesson();
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t((uint32_t(v) >> (8 * i)) & 0xff);
    return b;
}

const Refusal kRefusals[] = {
    {"empty file", [] { return Cut(0); }, "the file ends inside the initial conditions"},
    {"inside conditions", [] { return Cut(25); }, "the file ends inside the initial conditions"},
    {"inside class count", [] { return Cut(kConditions + 1); }, "the file ends inside the class count"},
    {"inside class", [] { return Cut(kConditions + 2 + 89); }, "the file ends inside class 1 of 1"},
    {"inside resource", [] { return Cut(kResources + 2 + 66 + 59); }, "the file ends inside resource 2 of 2"},
    {"inside resource name", [] { return Cut(kResources + 2 + 4); },
     "the name of resource 1 of 2 is 6 bytes long, past the end of the file"},
    {"inside event", [] { return Cut(kEvents + 2 + 3); }, "the file ends inside event 1 of 2"},
    {"inside event type", [] { return Cut(kEvents + 2 + 10); },
     "the type of event 1 of 2 is 6 bytes long, past the end of the file"},
    {"inside map", [] { return Cut(kMap + 1000); }, "the file ends inside the map bitmap (1000 of 66614 bytes)"},
    {"no map", [] { return Cut(kMap); }, "the file ends inside the map bitmap (0 of 66614 bytes)"},
    {"negative class count", [] { return With16(kConditions, -1); }, "the class count is negative (-1)"},
    {"negative resource count", [] { return With16(kResources, -5); }, "the resource count is negative (-5)"},
    {"negative event count", [] { return With16(kEvents, -32768); }, "the event count is negative (-32768)"},
    {"too many classes", [] { return With16(kConditions, 101); },
     "the lesson has 101 resource classes; at most 100 are supported"},
    {"too many resources", [] { return With16(kResources, 1001); },
     "the lesson has 1001 resources; at most 1000 are supported"},
    {"too many events", [] { return With16(kEvents, 1002); },
     "the lesson has 1002 events; at most 1001 are supported"},
    {"name past the end", [] { return WithoutMap16(kResources + 2, 32000); },
     "the name of resource 1 of 2 is 32000 bytes long, past the end of the file"},
    {"negative name length", [] { return With16(kResources + 2, -3); },
     "the name of resource 1 of 2 has a negative length (-3)"},
    {"event type past the end", [] { return WithoutMap16(kEvents + 2 + 6, 30000); },
     "the type of event 1 of 2 is 30000 bytes long, past the end of the file"},
    {"map not 256 wide", [] { return With32(kMap + 18, 512); }, "the map bitmap is 512 x 256, not 256 x 256"},
    {"map not 8-bit", [] { return With16(kMap + 28, 4); }, "the map bitmap is not an 8-bit bitmap"},
};

TEST(LessonFile, MalformedFilesAreRefusedWithTheReason) {
    for (const Refusal& r : kRefusals) {
        std::string error;
        EXPECT_FALSE(ParseLesson(r.make(), &error)) << r.what;
        EXPECT_EQ(error, r.reason) << r.what;
    }
    EXPECT_TRUE(ParseLesson(GoodLesson(), nullptr));
}

}  // namespace
}  // namespace torvex::test
