// The deployment dialog: opening through the list, the "Resource" frame, Accept and Cancel of ground lines.
#include <gtest/gtest.h>

#include "resources/deploy.h"
#include "resources_fixture.h"

namespace torvex::test {
namespace {

class DeployTest : public ResourcesTest {
protected:
    int AddCrew(const std::string& name, int16_t rate = 10, const std::string& units = "m/min   ") {
        int i = Add(name, "Crew");
        R(i).ProductionRate = rate;
        R(i).RateUnits = units;
        return i;
    }
    // Opens a crew deployment for the named crew and draws one eastward segment.
    void DeployAndDraw(const std::string& name, float x0, float y0, float x1) {
        AnswerListWith(name);
        ui[Control::btnCrew].pressed = true;
        DeployButtonClicked(s(), DeployKind::Crew, true);
        ASSERT_EQ(s().deploy.DeployMode, "Crew");
        MapMouseDown(s(), x0, y0);
        MapMouseUp(s(), x0, y0);
        MapMouseDown(s(), x1, y0);
        MapMouseUp(s(), x1, y0);
    }
};

TEST_F(DeployTest, RefusedWithoutArrivalRunOrPress) {
    AddCrew("Crew 1");
    int listsShown = 0;
    ui.onResourceList = [&](ResourceListWindow&) { ++listsShown; };
    struct Case {
        Flag onSite, started;
        bool pressed;
    } cases[] = {{kFalse, kTrue, true}, {kTrue, kFalse, true}, {kTrue, kTrue, false}};
    for (const Case& c : cases) {
        s().run.OnSite = c.onSite;
        s().run.RunStarted = c.started;
        ui[Control::btnCrew].pressed = true;
        DeployButtonClicked(s(), DeployKind::Crew, c.pressed);
        EXPECT_FALSE(ui[Control::btnCrew].pressed);
        EXPECT_EQ(s().deploy.DeployMode, "");
    }
    EXPECT_EQ(listsShown, 0);

    // Closing the list without a selection pops the button up as well.
    s().run.OnSite = s().run.RunStarted = kTrue;
    ui[Control::btnCrew].pressed = true;
    DeployButtonClicked(s(), DeployKind::Crew, true);
    EXPECT_EQ(listsShown, 1);
    EXPECT_EQ(s().roster.RequestedKind, "Crew");
    EXPECT_FALSE(ui[Control::btnCrew].pressed);
    EXPECT_EQ(s().deploy.DeployMode, "");
}

TEST_F(DeployTest, OpeningShowsTheFrameAndASecondButtonOpensNothing) {
    AddCrew("Crew 1");
    AnswerListWith("Crew 1");
    DeployButtonClicked(s(), DeployKind::Crew, true);
    EXPECT_EQ(s().deploy.DeployMode, "Crew");
    EXPECT_EQ(ui[Control::lblMsg].text, "Deploy Resource Crew 1");
    EXPECT_EQ(ui[Control::fraRes].text, "Crew Crew 1");
    EXPECT_TRUE(ui[Control::fraRes].visible);
    EXPECT_TRUE(ui[Control::chkBurn].enabled);
    EXPECT_FALSE(ui[Control::optBurnLeft].enabled);
    EXPECT_FALSE(ui[Control::optBurnRight].enabled);

    int listsShown = 0;
    ui.onResourceList = [&](ResourceListWindow&) { ++listsShown; };
    ui[Control::btnHel].pressed = true;
    DeployButtonClicked(s(), DeployKind::Helicopter, true);
    EXPECT_TRUE(ui[Control::btnHel].pressed);
    EXPECT_EQ(listsShown, 0);
    EXPECT_EQ(s().deploy.DeployMode, "Crew");
}

TEST_F(DeployTest, AcceptWithNothingDrawnChangesNoRosterField) {
    int i = AddCrew("Crew 1");
    AnswerListWith("Crew 1");
    ui[Control::btnCrew].pressed = true;
    DeployButtonClicked(s(), DeployKind::Crew, true);
    AcceptClicked(s());
    EXPECT_EQ(R(i).Activity, "Available");
    EXPECT_EQ(R(i).LineSlot, 0);
    EXPECT_FALSE(ui[Control::btnCrew].pressed);
    EXPECT_EQ(s().deploy.DeployMode, "");
    EXPECT_FALSE(ui[Control::fraRes].visible);
    EXPECT_EQ(ui[Control::lblMsg].text, "");
}

TEST_F(DeployTest, AcceptCommitsTheLineWithRateAndSides) {
    struct Case {
        const char* units;
        float pixelsPerMinute;
    } cases[] = {
        {"chains/hr ", static_cast<float>(2 * (12 * 20.1168 / 60) / 30)},  // a chain is 20.1168 m
        {"m/min     ", 0.8f},
        {"Chains/hr ", 0.8f},  // compared with case
    };
    for (const Case& c : cases) {
        SetUp();
        int i = AddCrew("Crew 1", 12, c.units);
        DeployAndDraw("Crew 1", 100, 100, 140);
        // Checking BurnOut, choosing Left, then clearing BurnOut still burns out on the left.
        ui[Control::chkBurn].checked = true;
        BurnOutClicked(s());
        EXPECT_TRUE(ui[Control::optBurnLeft].enabled);
        ui[Control::optBurnLeft].checked = true;
        ui[Control::chkBurn].checked = false;
        BurnOutClicked(s());
        EXPECT_FALSE(ui[Control::optBurnLeft].enabled);
        AcceptClicked(s());

        EXPECT_EQ(R(i).Activity, "Deployed");
        EXPECT_EQ(R(i).LineSlot, 1);
        EXPECT_EQ(s().roster.LineSlotUsed[1], kTrue);
        EXPECT_EQ(s().roster.LinePointCount[1], 42);
        EXPECT_EQ(s().roster.LinePoints[1][41].x, 140);
        EXPECT_EQ(R(i).NextPoint, 1);
        EXPECT_FLOAT_EQ(R(i).LineLength, 40.0f);
        EXPECT_FLOAT_EQ(R(i).PixelsPerMinute, c.pixelsPerMinute) << c.units;
        EXPECT_EQ(R(i).BurnLeft, kTrue);
        EXPECT_EQ(R(i).BurnRight, kFalse);
        EXPECT_TRUE(ui.markers[0].visible);
        EXPECT_EQ(ui.markers[0].left, 92);
        EXPECT_EQ(ui.markers[0].top, 95);
        EXPECT_EQ(R(i).PosX, 0);  // the minute update places it
        EXPECT_FALSE(ui[Control::btnCrew].pressed);
    }
}

TEST_F(DeployTest, SecondDeploymentReusesTheSlot) {
    int i = AddCrew("Crew 1");
    DeployAndDraw("Crew 1", 100, 100, 140);
    AcceptClicked(s());
    R(i).Activity = "Available";
    DeployAndDraw("Crew 1", 200, 50, 210);
    AcceptClicked(s());
    EXPECT_EQ(R(i).LineSlot, 1);
    EXPECT_EQ(s().roster.LineSlotUsed[2], kFalse);
    EXPECT_EQ(s().roster.LinePointCount[1], 12);
    EXPECT_EQ(s().roster.LinePoints[1][0].x, 200);
    EXPECT_EQ(s().roster.LinePoints[1][0].y, 50);
}

TEST_F(DeployTest, NoFreeSlotRefusesTheAcceptAndKeepsTheDeploymentOpen) {
    for (int k = 1; k <= kLineSlots; ++k) {
        int i = AddCrew("Held " + std::to_string(k));
        R(i).LineSlot = static_cast<int16_t>(k);
        s().roster.LineSlotUsed[k] = kTrue;
        s().roster.GrndRes[k - 1].visible = true;
    }
    int late = AddCrew("Late");
    DeployAndDraw("Late", 100, 100, 140);
    int logged = LogCount();
    AcceptClicked(s());
    EXPECT_EQ(ui[Control::lblMsg].text, "No free line slot: release a ground resource first");
    EXPECT_EQ(s().deploy.DeployMode, "Crew");
    EXPECT_TRUE(ui[Control::btnCrew].pressed);
    EXPECT_TRUE(ui[Control::fraRes].visible);
    EXPECT_EQ(R(late).Activity, "Available");
    EXPECT_EQ(R(late).LineSlot, 0);
    EXPECT_EQ(LogCount(), logged);

    // Releasing a ground resource through the list gives its slot to the waiting line.
    s().roster.RequestedKind = "Crew";
    ResourceListWindow list(s());
    list.Load();
    list.ClickRow(list.FindRow("Held 4"));
    list.ReleaseClicked();
    AcceptClicked(s());
    EXPECT_EQ(R(late).LineSlot, 4);
    EXPECT_EQ(R(late).Activity, "Deployed");
    EXPECT_EQ(s().deploy.DeployMode, "");
}

TEST_F(DeployTest, CancelPutsBackTheMapAndChangesNothing) {
    int i = AddCrew("Crew 1");
    s().picture.Set(120, 100, Rgb(5, 6, 7));
    const uint32_t start = s().picture.Get(100, 100);
    DeployAndDraw("Crew 1", 100, 100, 140);
    ASSERT_EQ(s().picture.Get(120, 100), kWhite);
    int logged = LogCount();
    CancelClicked(s());
    EXPECT_EQ(LogCount() - logged, 42);  // every drawn point repainted through the log
    EXPECT_EQ(s().picture.Get(120, 100), Rgb(5, 6, 7));
    EXPECT_EQ(s().picture.Get(100, 100), start);
    EXPECT_EQ(R(i).Activity, "Available");
    EXPECT_EQ(R(i).LineSlot, 0);
    EXPECT_FALSE(ui[Control::btnCrew].pressed);
    EXPECT_EQ(s().deploy.DeployMode, "");
}

}  // namespace
}  // namespace torvex::test
