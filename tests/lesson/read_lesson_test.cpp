// Loading lessons: Open Lesson and Reset, the map copy, and refusals that change nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "app/run_control.h"
#include "fire/grid.h"
#include "lesson/lesson.h"
#include "support/lesson_bytes.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

ResourceClass Class(const std::string& name, const std::string& category, const std::string& kind) {
    ResourceClass c;
    c.ClassName = name;
    c.Category = category;
    c.AirKind = category == "Air" ? kind : "";
    c.GroundKind = category == "Air" ? "" : kind;
    c.Endurance = 120;
    c.RateUnits = "chains/hr";
    c.ProductionRate = 20;
    return c;
}

LessonResource Record(const std::string& name, const std::string& className, const std::string& status) {
    LessonResource r;
    r.Name = name;
    r.ClassName = className;
    r.InitialStatus = status;
    r.HourlyCost = 600;
    return r;
}

// Lesson A: two classes, three resources, three events, a fuel-1 map.
std::vector<uint8_t> LessonA() {
    ScenarioEvent injury = MakeEvent(640, "INJURY/FAILURE");
    injury.ResourceName = "Crew 1";
    injury.Duration = 20;
    return LessonFileBytes(SampleConditions(), {Class("Crew", "Ground", "Crew"), Class("AT", "Air", "Tanker")},
                           {Record("Crew 1", "Crew", "Active"), Record("Tanker 9", "AT", "Callup"),
                            Record("Lost", "None", "Active")},
                           {MakeEvent(600, "IGNITE", 100, 100), MakeEvent(630, "ARRIVAL"), injury},
                           UniformMapBitmap(1, 30.0f));
}

// Lesson B: other conditions, one resource, one event, a fuel-5 map with a different cell size.
std::vector<uint8_t> LessonB() {
    InitialConditions ic = SampleConditions();
    ic.StartWindSpeed = 3;
    ic.StartWindDirection = 45;
    ic.TimeRatio = 1;
    auto map = UniformMapBitmap(5, 10.0f);
    SetMapCell(map, 7, 9, 0);
    return LessonFileBytes(ic, {}, {Record("Dozer 4", "Dozer", "Callup")}, {MakeEvent(900, "IGNITE", 7, 8)}, map);
}

// Everything a load may touch, in one comparable text.
std::string Describe(Sim& sim, FakeUi& ui) {
    std::ostringstream o;
    const InitialConditions& ic = sim.lesson.Conditions;
    o << "conditions " << ic.ConditionsSet << ' ' << ic.StartWindSpeed << ' ' << ic.StartWindDirection << ' '
      << ic.Temperature << ' ' << ic.RelativeHumidity << ' ' << ic.Moisture1Hour << ' ' << ic.Moisture10Hour << ' '
      << ic.Moisture100Hour << ' ' << ic.MoistureHerbaceous << ' ' << ic.MoistureWoody << ' ' << ic.TimeRatio << ' '
      << ic.RefuelTime << ' ' << ic.ReloadTime << '\n';
    for (const ScenarioEvent& e : sim.lesson.ScenarioEvents)
        o << "event " << e.Done << ' ' << e.EventTime << " [" << e.EventType << "] " << e.IgniteX << ' ' << e.IgniteY
          << ' ' << e.NewWindDirection << ' ' << e.NewWindSpeed << " [" << e.ResourceName << "] " << e.Permanent << ' '
          << e.Duration << '\n';
    o << "roster " << sim.roster.ResourceCount << ' ' << sim.roster.Roster.size() << '\n';
    for (size_t i = 1; i < sim.roster.Roster.size(); ++i) {
        const Resource& r = sim.roster.Roster[i];
        o << " [" << r.Name << "] [" << r.ClassName << "] [" << r.Kind << "] " << r.Status << '/' << r.Activity << ' '
          << r.BusyUntil << ' ' << r.Endurance << ' ' << r.Cost << ' ' << r.MinuteCount << ' ' << r.LineSlot << '\n';
    }
    o << "map " << sim.lesson.MapBitmap.size() << ' ' << (sim.lesson.MapBitmap == ReadFileBytes(sim.lesson.MapFilePath))
      << " cell " << sim.fire.CellSize << " fuel(7,9) " << (sim.fire.FuelGrid.empty() ? -1 : sim.fire.Cell(7, 9).FuelModel)
      << " path " << sim.lesson.MapFilePath << '\n';
    // RunStarted is left out: a load keeps it as it was (the disabled Pause and Stop cannot act on it).
    o << "run [" << sim.run.RunState << "] " << sim.run.LessonLoaded << ' '
      << sim.run.StartTime << ' ' << sim.run.WindSpeed << ' ' << sim.run.SimTime << '\n';
    o << "lesson [" << sim.lesson.LessonPath << "] caption [" << ui[Control::frmAttack].text << "] msg ["
      << ui[Control::lblMsg].text << "] play " << ui[Control::btnPlay].visible << ui[Control::btnPlay].enabled << '\n';
    return o.str();
}

class LessonLoad : public ::testing::Test, public SimFixture {
protected:
    TempDir files;
    TempDir maps;
    ScopedEnv mapDir{"TORVEX_MAP_DIR", maps.path()};
    std::string a = files.File("a.fgl");
    std::string b = files.File("b lesson.fgl");

    void SetUp() override {
        WriteFileBytes(a, LessonA());
        WriteFileBytes(b, LessonB());
    }
    std::string CurrentFue() const { return maps.File("Current.Fue"); }
    void Open(const std::string& answer) {
        ui.dialogAnswers.push_back(answer);
        OpenLesson(*sim);
    }
    std::string State() { return Describe(*sim, ui); }
};

TEST_F(LessonLoad, OpenLessonMakesItCurrent) {
    Open("  " + a + " ");
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(ui.dialogsShown, 1);
    EXPECT_EQ(ui[Control::frmAttack].text, "Torvex - " + a);
    EXPECT_EQ(sim->lesson.LessonPath, a);
    EXPECT_EQ(sim->run.RunState, "STOP");
    EXPECT_EQ(sim->run.LessonLoaded, kTrue);
    EXPECT_TRUE(ui[Control::mnuShow].enabled);
    EXPECT_EQ(ui[Control::lblMsg].text, "Click [ >] to start");
    EXPECT_EQ(sim->lesson.MapFilePath, CurrentFue());
    EXPECT_EQ(ReadFileBytes(CurrentFue()), UniformMapBitmap(1, 30.0f));
    EXPECT_FALSE(std::filesystem::exists(CurrentFue() + ".part-" + std::to_string(getpid())));
    EXPECT_EQ(sim->lesson.EventCount(), 3);
    EXPECT_EQ(sim->run.StartTime, 600);
    EXPECT_EQ(sim->run.WindDirection, 270);
    ASSERT_EQ(sim->roster.ResourceCount, 3);
    EXPECT_EQ(sim->roster.Roster[2].Status, "Callup");
    EXPECT_EQ(sim->roster.Roster[2].Kind, "Tanker    ");
    EXPECT_EQ(sim->roster.Roster[3].Kind, "");  // its class is not in the lesson
    EXPECT_EQ(sim->fire.CellSize, 30.0f);
    EXPECT_TRUE(ui[Control::btnPlay].visible);
    EXPECT_TRUE(ui[Control::btnPlay].enabled);
}

TEST_F(LessonLoad, SecondLoadLeavesNothingOfTheFirst) {
    Open(a);
    sim->roster.Roster[1].Cost = 1234;
    PlayClicked(*sim, true);
    Open(b);

    SimFixture only;  // a program that has only ever opened lesson B
    only.ui.dialogAnswers.push_back(b);
    OpenLesson(*only.sim);
    EXPECT_EQ(State(), Describe(*only.sim, only.ui));
    EXPECT_EQ(ReadFileBytes(CurrentFue()), ParseLesson(LessonB(), nullptr)->MapBitmap);
    EXPECT_EQ(sim->fire.Cell(7, 9).FuelModel, 0);
    EXPECT_EQ(sim->fire.Cell(8, 9).FuelModel, 5);
}

TEST_F(LessonLoad, ResetRestoresTheLessonAsFirstLoaded) {
    Open(a);
    const std::string loaded = State();
    // A run that has moved on: events fired, a resource called up and costing money.
    PlayClicked(*sim, true);
    for (ScenarioEvent& e : sim->lesson.ScenarioEvents) e.Done = kTrue;
    sim->roster.Roster[2].Status = "Active";
    sim->roster.Roster[2].Cost = 77;
    sim->run.SimTime = 42;
    ui[Control::frmAttack].text = "Torvex - " + a;
    ResetLesson(*sim);
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(State(), loaded);
    for (const ScenarioEvent& e : sim->lesson.ScenarioEvents) EXPECT_EQ(e.Done, kFalse);
    EXPECT_EQ(ui.dialogsShown, 1);  // reset asks for nothing
}

TEST_F(LessonLoad, ResetWithoutLessonDoesNothing) {
    ResetLesson(*sim);
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(sim->run.LessonLoaded, kFalse);
    EXPECT_EQ(sim->run.RunState, "");
}

TEST_F(LessonLoad, ResetWhenTheFileHasGoneChangesNothing) {
    Open(a);
    const std::string before = State();
    std::filesystem::remove(a);
    ResetLesson(*sim);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0], "Cannot open lesson " + a + ": the file does not exist");
    EXPECT_EQ(State(), before);
}

TEST_F(LessonLoad, NotFoundAsksAgainUntilAFileOrCancel) {
    const std::string missing = files.File("missing.fgl");
    ui.dialogAnswers = {" " + missing + "  ", files.path(), "   ", a};
    OpenLesson(*sim);
    EXPECT_EQ(ui.dialogsShown, 4);
    EXPECT_EQ(ui.messageBoxes, (std::vector<std::string>{
                                   "File <" + missing + "> Not Found",
                                   "File <" + files.path() + "> Not Found",  // a folder is not a lesson file
                                   "File <> Not Found",
                               }));
    EXPECT_EQ(sim->lesson.LessonPath, a);

    const std::string before = State();
    ui.dialogAnswers = {missing, std::nullopt};
    OpenLesson(*sim);
    EXPECT_EQ(ui.dialogsShown, 6);
    EXPECT_EQ(ui.messageBoxes.size(), 4u);
    EXPECT_EQ(State(), before);
}

TEST_F(LessonLoad, CancelBeforeAnyLessonChangesNothing) {
    const std::string before = State();
    OpenLesson(*sim);
    EXPECT_EQ(ui.dialogsShown, 1);
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(State(), before);
    EXPECT_FALSE(std::filesystem::exists(CurrentFue()));
}

std::vector<uint8_t> Edited(size_t at, std::initializer_list<uint8_t> bytes, size_t keep = SIZE_MAX) {
    auto f = LessonB();
    size_t i = at;
    for (uint8_t v : bytes) f[i++] = v;
    if (keep != SIZE_MAX) f.resize(keep);
    return f;
}

TEST_F(LessonLoad, RefusedFilesChangeNothingAndSayWhy) {
    // Lesson B: conditions 26, class count at 26, resource count at 28, resource 1 at 30 (67 bytes),
    // event count at 97, event 1 at 99 (28 bytes), map at 127.
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* reason;
    } cases[] = {
        {"truncated in a resource", Edited(0, {}, 60), "the file ends inside resource 1 of 1"},
        {"truncated in the map", Edited(0, {}, 127 + 66000), "the file ends inside the map bitmap (66000 of 66614 bytes)"},
        {"negative count", Edited(28, {0xff, 0xff}), "the resource count is negative (-1)"},
        {"too many classes", Edited(26, {101, 0}), "the lesson has 101 resource classes; at most 100 are supported"},
        {"text past the end", Edited(30, {0xff, 0x7f}, 127),
         "the name of resource 1 of 1 is 32767 bytes long, past the end of the file"},
        {"map not 8-bit", Edited(127 + 28, {24, 0}), "the map bitmap is not an 8-bit bitmap"},
        {"empty file", {}, "the file ends inside the initial conditions"},
    };
    Open(a);
    const std::string before = State();
    const auto map = ReadFileBytes(CurrentFue());
    const std::string bad = files.File("bad.fgl");
    for (const Case& c : cases) {
        WriteFileBytes(bad, c.bytes);
        ui.messageBoxes.clear();
        Open(bad);
        ASSERT_EQ(ui.messageBoxes.size(), 1u) << c.what;
        EXPECT_EQ(ui.messageBoxes[0], "Cannot open lesson " + bad + ": " + c.reason) << c.what;
        EXPECT_EQ(State(), before) << c.what;
        EXPECT_EQ(ReadFileBytes(CurrentFue()), map) << c.what;
    }
    // The same file through Reset: still the loaded lesson, still one message.
    WriteFileBytes(a, {1, 2, 3});
    ui.messageBoxes.clear();
    ResetLesson(*sim);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0], "Cannot open lesson " + a + ": the file ends inside the initial conditions");
    EXPECT_EQ(State(), before);
}

TEST_F(LessonLoad, MapCopyThatCannotBeWrittenRefusesTheLoad) {
    Open(a);
    const std::string before = State();
    // A map folder below a plain file can never be made.
    const std::string blocker = files.File("blocker");
    WriteFileBytes(blocker, {0});
    ScopedEnv unwritable("TORVEX_MAP_DIR", blocker + "/maps");
    Open(b);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].rfind("Cannot open lesson " + b + ": the map copy cannot be written", 0), 0u)
        << ui.messageBoxes[0];
    EXPECT_EQ(State(), before);
}

TEST_F(LessonLoad, CurrentFueHoldsTheLastBitmapAndFolderIsMade) {
    ScopedEnv nested("TORVEX_MAP_DIR", maps.File("deeper/still"));
    Open(b);
    Open(a);
    EXPECT_EQ(ReadFileBytes(maps.File("deeper/still/Current.Fue")), UniformMapBitmap(1, 30.0f));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(maps.File("deeper/still")),
                            std::filesystem::directory_iterator{}),
              1);  // no temporary left behind
}

TEST_F(LessonLoad, LessonChosenDuringAFireStepLoadsAfterIt) {
    Open(a);
    PlayClicked(*sim, true);
    const std::string running = State();
    sim->fire.Stepping = true;  // as if the step had yielded to the window system
    Open(b);
    EXPECT_EQ(State(), running);
    sim->fire.Stepping = false;
    RunPass(*sim);
    EXPECT_EQ(sim->lesson.LessonPath, b);
    EXPECT_EQ(sim->run.RunState, "STOP");
    EXPECT_EQ(ui[Control::lblMsg].text, "Click [ >] to start");
    EXPECT_EQ(sim->lesson.ScenarioEvents.size(), 1u);
}

TEST_F(LessonLoad, LoadClosesAnOpenDeployment) {
    Open(a);
    sim->deploy.DeployMode = "Crew";
    sim->deploy.DrawCount = 3;
    sim->roster.SelectedResource = 1;
    ui.SetVisible(Control::fraRes, true);
    ui.SetPressed(Control::btnCrew, true);
    Open(b);
    EXPECT_EQ(sim->deploy.DeployMode, "");
    EXPECT_EQ(sim->deploy.DrawCount, 0);
    EXPECT_FALSE(ui[Control::fraRes].visible);
    EXPECT_FALSE(ui[Control::btnCrew].pressed);
    EXPECT_EQ(sim->roster.SelectedResource, 0);
}

TEST_F(LessonLoad, TextureThatFailsIsNamedBesideTheStartPrompt) {
    sim->display.FuelCount = 1;
    sim->display.FuelTable[1].TexturePath = files.File("missing-texture.bmp");
    Open(a);
    const std::string& msg = ui[Control::lblMsg].text;
    EXPECT_NE(msg.find("missing-texture.bmp"), std::string::npos) << msg;
    EXPECT_NE(msg.find(" - Click [ >] to start"), std::string::npos) << msg;
    EXPECT_EQ(sim->run.LessonLoaded, kTrue);
}

}  // namespace
}  // namespace torvex::test
