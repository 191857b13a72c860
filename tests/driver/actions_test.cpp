// Scripted trainee actions: the file's checks, actions carried out through the handlers, skips that warn.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "driver/actions.h"
#include "driver/headless.h"
#include "support/sim_fixture.h"

namespace torvex::test {
namespace {

class ActionsTest : public ::testing::Test, public SimFixture {
protected:
    void SetUp() override {
        InitialConditions ic;
        ic.ConditionsSet = 1;
        ic.Moisture1Hour = ic.Moisture10Hour = ic.Moisture100Hour = 8;
        ic.MoistureHerbaceous = ic.MoistureWoody = 100;
        ic.ReloadTime = 10;
        LoadInMemory(ic, {}, UniformMapBitmap(1, 30.0f));
        Resource crew;
        crew.Name = "Crew 1";
        crew.Kind = "Crew      ";
        crew.Status = "Active";
        crew.Activity = "Available";
        crew.ProductionRate = 30;
        crew.RateUnits = "m/min";
        Resource heli = crew;
        heli.Name = "Heli 1";
        heli.Kind = "Helicopter";
        heli.Status = "Callup";
        heli.Activity = "";
        heli.CallupDelay = 5;
        heli.DropCost = 700;
        sim->roster.Roster = {Resource{}, crew, heli};
        sim->roster.ResourceCount = 2;
        sim->run.RunState = "RUN";
        sim->run.RunStarted = kTrue;
        sim->run.OnSite = kTrue;
    }
    ActionScript Script(const std::string& text) {
        ActionScript script;
        std::string error;
        EXPECT_TRUE(ParseActions(text, script, &error)) << error;
        return script;
    }
    std::string Apply(ActionScript& script, float simTime) {
        std::ostringstream warn;
        sim->run.SimTime = simTime;
        ApplyDueActions(*sim, script, simTime, warn, "torvex-run");
        return warn.str();
    }
    Resource& R(int i) { return sim->roster.Roster[i]; }
};

TEST_F(ActionsTest, RefusedFilesSayWhichEntryIsWrong) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"[{", "not valid JSON"},
        {"{\"minute\": 1}", "the file must hold a JSON array of actions"},
        {"[{\"do\": \"callup\", \"resource\": \"A\"}]", "action #1: \"minute\" must be a number of minutes, 0 or more"},
        {"[{\"minute\": 1, \"do\": \"callup\", \"resource\": \"A\"}, {\"minute\": 2, \"do\": \"dig\", \"resource\": \"A\"}]",
         "action #2: unknown \"do\" \"dig\" (callup, release, abort, crew, equipment, tanker or helicopter)"},
        {"[{\"minute\": 1, \"do\": \"tanker\", \"resource\": \"T\", \"points\": [[1, 2]]}]",
         "action #1: a tanker line takes exactly two points"},
        {"[{\"minute\": 1, \"do\": \"helicopter\", \"resource\": \"H\"}]", "action #1: \"at\" must be [x, y]"},
        {"[{\"minute\": 1, \"do\": \"crew\", \"resource\": \"C\", \"points\": [[1, \"2\"]]}]",
         "action #1: each point must be [x, y] with two numbers"},
        {"[{\"minute\": 1, \"do\": \"crew\", \"resource\": \"C\", \"points\": [[1, 2]], \"burnout\": \"up\"}]",
         "action #1: \"burnout\" must be \"left\" or \"right\""},
    };
    for (const Case& c : cases) {
        ActionScript script;
        script.actions.resize(3);
        std::string error;
        EXPECT_FALSE(ParseActions(c.text, script, &error)) << c.text;
        EXPECT_EQ(error, c.message);
        EXPECT_EQ(script.actions.size(), 3u);  // a refused file changes nothing
    }
}

TEST_F(ActionsTest, ActionsRunThroughTheHandlersAtTheirMinute) {
    ActionScript script = Script(R"([
        {"minute": 0, "do": "callup", "resource": "Heli 1"},
        {"minute": 2, "do": "crew", "resource": " Crew 1 ", "points": [[100, 100], [140, 100]], "burnout": "left"},
        {"minute": 3, "do": "helicopter", "resource": "Heli 1", "at": [50, 50]},
        {"minute": 6, "do": "helicopter", "resource": "Heli 1", "at": [50, 50]}
    ])");
    EXPECT_EQ(Apply(script, 0.5f), "");
    EXPECT_EQ(R(2).Status, "Active");
    EXPECT_EQ(R(2).BusyUntil, 6);  // 0.5 + 5 = 5.5, to the even 6
    EXPECT_EQ(R(1).Activity, "Available");  // minute 2 not reached yet

    EXPECT_EQ(Apply(script, 3.0f),
              "torvex-run: skipped action #3 (helicopter \"Heli 1\" at minute 3): it is not free (the list shows "
              "\"00:06\")\n");
    EXPECT_EQ(R(1).Activity, "Deployed");
    EXPECT_EQ(R(1).LineSlot, 1);
    EXPECT_EQ(sim->roster.LinePointCount[1], 42);
    EXPECT_EQ(R(1).BurnLeft, kTrue);
    EXPECT_EQ(sim->deploy.DeployMode, "");

    EXPECT_EQ(Apply(script, 6.0f), "");
    EXPECT_EQ(R(2).Activity, "Reload");
    EXPECT_FLOAT_EQ(R(2).Cost, 700.0f);
    EXPECT_EQ(sim->fire.Cell(25, 25).FuelLeft, 0);
    EXPECT_EQ(Apply(script, 60.0f), "");  // each action once
}

TEST_F(ActionsTest, ImpossibleActionsAreSkippedWithAWarning) {
    struct Case {
        const char* action;
        const char* reason;
    } cases[] = {
        {R"({"minute": 0, "do": "release", "resource": "Nobody"})", "no resource of that name"},
        {R"({"minute": 0, "do": "tanker", "resource": "Crew 1", "points": [[1, 1], [5, 5]]})",
         "it is a Crew, not a tanker"},
        {R"({"minute": 0, "do": "abort", "resource": "Crew 1"})", "the list does not offer that for it (it shows \"Now\")"},
        {R"({"minute": 0, "do": "helicopter", "resource": "Heli 1", "at": [5, 5]})",
         "it is not free (the list shows \"Callup\")"},
    };
    for (const Case& c : cases) {
        ActionScript script = Script(std::string("[") + c.action + "]");
        std::string warning = Apply(script, 0);
        EXPECT_NE(warning.find(DescribeAction(script.actions[0])), std::string::npos) << warning;
        EXPECT_NE(warning.find(c.reason), std::string::npos) << warning;
    }
    sim->run.OnSite = kFalse;
    ActionScript early = Script(R"([{"minute": 0, "do": "callup", "resource": "Heli 1"}])");
    EXPECT_NE(Apply(early, 0).find("resources are not on site yet"), std::string::npos);
    EXPECT_EQ(R(2).Status, "Callup");
}

TEST_F(ActionsTest, ResourcesAsJson) {
    R(1).Cost = 12.5f;
    nlohmann::ordered_json j = ResourcesJson(*sim);
    ASSERT_EQ(j.size(), 2u);
    EXPECT_EQ(j[0].dump(), R"({"name":"Crew 1","kind":"Crew","status":"Active","activity":"Available","cost":12.5})");
    EXPECT_EQ(j[1]["kind"], "Helicopter");
    EXPECT_EQ(j[1]["activity"], "");
}

TEST(ActionsOption, RunnerTakesAnActionsFile) {
    HeadlessOptions o;
    std::string error;
    ASSERT_TRUE(ParseHeadlessArgs({"a.fgl", "--actions", "plan.json", "--json"}, o, &error)) << error;
    EXPECT_EQ(o.actionsPath, "plan.json");
    HeadlessOptions missing;
    EXPECT_FALSE(ParseHeadlessArgs({"a.fgl", "--actions"}, missing, &error));
    EXPECT_EQ(error, "--actions needs a file name");
}

// The demo lesson's sample plan: a dozer line from the road to the north edge holds the fire's east side.
TEST(ActionsDemo, DozerLineHoldsTheFire) {
    const std::string dir = TORVEX_PROGRAM_DIR;
    const std::string lesson = dir + "/lessons/01-grass-fire.fgl";
    const std::string plan = std::string(TORVEX_SOURCE_DIR) + "/lessons/actions/01-grass-fire.actions.json";
    if (!std::ifstream(lesson)) GTEST_SKIP() << "demo lesson not built: " << lesson;
    auto run = [&](bool withPlan, int& burnedEast) {
        HeadlessUi ui;
        FakeClock clock;
        Sim sim(ui, clock);
        sim.programDir = dir;
        sim.unpaced = true;
        std::string error;
        EXPECT_TRUE(LoadHeadlessLesson(sim, ui, lesson, &error)) << error;
        ActionScript script;
        if (withPlan) {
            EXPECT_TRUE(ReadActions(plan, script, &error)) << error;
        }
        std::ostringstream warn;
        HeadlessResult r = RunHeadless(sim, ui, 0, [&](Sim& s, float t) { ApplyDueActions(s, script, t, warn, "test"); });
        EXPECT_EQ(warn.str(), "");
        EXPECT_EQ(r.stop, "fire stopped");
        burnedEast = 0;
        for (int y = 0; y < sim.fire.GridHeight; ++y)
            for (int x = 201; x < sim.fire.GridWidth; ++x) burnedEast += sim.fire.Cell(x, y).ArrivalTime < 0;
        return r.hectares;
    };
    int eastWithout = 0, eastWith = 0;
    float without = run(false, eastWithout);
    float with = run(true, eastWith);
    EXPECT_GT(eastWithout, 1000);
    EXPECT_EQ(eastWith, 0);
    EXPECT_LT(with, without);
}

}  // namespace
}  // namespace torvex::test
