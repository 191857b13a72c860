// Fireline drawing: SegMent, the ground-line rubber band and distance, marker clicks and drags, fuel names.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "behaviour/adapter.h"
#include "resources/deploy.h"
#include "resources/lines.h"
#include "resources_fixture.h"

namespace torvex::test {
namespace {

using Points = std::vector<std::pair<int, int>>;

class LinesTest : public ResourcesTest {
protected:
    Points Segment(int16_t lx, int16_t ly, float x, float y) {
        int32_t count = -1;
        SegMent(s(), lx, ly, x, y, count);
        Points out;
        for (int32_t i = 0; i < count; ++i) out.emplace_back(s().deploy.SegmentPoints[i].x, s().deploy.SegmentPoints[i].y);
        return out;
    }
    void OpenGroundDeployment() {
        s().deploy.DeployMode = "Crew";
        s().deploy.DrawCount = 0;
        s().deploy.DrawnLength = 0;
    }
    void Drag(float x0, float y0, float x1, float y1) {
        MapMouseDown(s(), x0, y0);
        MapMouseMove(s(), (x0 + x1) / 2, (y0 + y1) / 2);
        MapMouseUp(s(), x1, y1);
    }
};

TEST_F(LinesTest, SegMentCases) {
    struct Case {
        int16_t lx, ly;
        float x, y;
        Points expected;
    } cases[] = {
        {10, 10, 14, 12, {{10, 10}, {11, 10}, {12, 11}, {13, 12}, {14, 12}}},  // 10.5 -> 10, 11.5 -> 12
        {10, 10, 10, 7, {{10, 10}, {10, 9}, {10, 8}, {10, 7}}},
        {5, 5, 5, 5, {}},
        {10, 10, 11, 13, {{10, 10}, {10, 11}, {11, 12}, {11, 13}}},  // y-major: x = nearest((Y - b) / m)
        {3, 4, 0, 4, {{3, 4}, {2, 4}, {1, 4}, {0, 4}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Segment(c.lx, c.ly, c.x, c.y), c.expected) << c.lx << "," << c.ly << " -> " << c.x << "," << c.y;
}

TEST_F(LinesTest, SegMentRecordsColoursAndIsClippedToThePicture) {
    s().picture.Set(11, 10, Rgb(1, 2, 3));
    Segment(10, 10, 12, 10);
    EXPECT_EQ(s().deploy.SegmentPoints[1].colour, Rgb(1, 2, 3));

    Points p = Segment(500, 10, 700, 10);
    ASSERT_EQ(p.size(), 12u);
    EXPECT_EQ(p.back(), std::make_pair(511, 10));
    p = Segment(0, 0, 5000, 5000);  // diagonal far off the corner
    ASSERT_EQ(p.size(), 512u);
    EXPECT_EQ(p.back(), std::make_pair(511, 511));
    p = Segment(20, 20, -100, 20);
    EXPECT_EQ(p.back(), std::make_pair(0, 20));
}

TEST_F(LinesTest, DistanceLabelCarriesOneLeadingBlank) {
    EXPECT_EQ(DistanceText(750), " 750");
    EXPECT_EQ(DistanceText(0), " 0");
    EXPECT_EQ(DistanceText(-3), "-3");
    OpenGroundDeployment();
    MapMouseDown(s(), 100, 100);
    MapMouseMove(s(), 150, 100);
    EXPECT_EQ(ui[Control::lblDist].text, " 750");  // CellSize 30: 50 pixels are 750 m
}

TEST_F(LinesTest, EastwardDragBuildsTheLineAndPaintsOnlyWhatLasts) {
    OpenGroundDeployment();
    uint32_t under = s().picture.Get(120, 100);
    MapMouseDown(s(), 100, 100);
    EXPECT_EQ(LogCount(), 1);  // the start point
    EXPECT_EQ(ui.pointer, Pointer::Crosshair);
    MapMouseMove(s(), 130, 100);
    EXPECT_EQ(s().picture.Get(120, 100), kWhite);  // rubber band, not logged
    EXPECT_EQ(LogCount(), 1);
    MapMouseMove(s(), 110, 100);
    EXPECT_EQ(s().picture.Get(120, 100), under);  // erased when the band shrinks
    MapMouseUp(s(), 140, 100);

    const DeployState& d = s().deploy;
    ASSERT_EQ(d.DrawCount, 42);
    EXPECT_EQ(d.DrawPoints[0].x, 100);
    EXPECT_EQ(d.DrawPoints[1].x, 100);
    EXPECT_EQ(d.DrawPoints[41].x, 140);
    EXPECT_DOUBLE_EQ(d.DrawnLength, 40.0);
    EXPECT_EQ(ui[Control::lblDist].text, " 600");
    EXPECT_EQ(LogCount(), 1 + 42);  // every point painted white at the release
    EXPECT_EQ(s().picture.Get(120, 100), kWhite);
    EXPECT_EQ(ui.pointer, Pointer::Arrow);
    EXPECT_FALSE(d.Drawing);

    // A second segment starts at the joint, which is stored twice; Cancel restores the map.
    MapMouseDown(s(), 140, 110);
    MapMouseUp(s(), 140, 110);
    EXPECT_EQ(d.DrawCount, 42 + 11);
    EXPECT_DOUBLE_EQ(d.DrawnLength, 50.0);
    CancelClicked(s());
    EXPECT_EQ(s().picture.Get(100, 100), under);
    EXPECT_EQ(s().picture.Get(140, 100), under);
    EXPECT_EQ(s().picture.Get(140, 105), under);
    EXPECT_EQ(s().deploy.DeployMode, "");
}

TEST_F(LinesTest, FullLineTakesNoMorePointsAndSaysSo) {
    OpenGroundDeployment();
    MapMouseDown(s(), 0, 0);
    MapMouseUp(s(), 0, 0);
    // Back and forth across the map: 511 new points per segment, full after ten segments.
    for (int k = 0; k < 12; ++k) {
        float x = (k % 2 == 0) ? 511 : 0;
        MapMouseDown(s(), x, 0);
        MapMouseUp(s(), x, 0);
    }
    const DeployState& d = s().deploy;
    EXPECT_EQ(d.DrawCount, kMaxLinePoints);
    EXPECT_EQ(ui[Control::lblMsg].text, kLineFull);
    // The length runs to the last point the line took.
    double expected = 9 * 511.0 + std::abs(d.DrawPoints[kMaxLinePoints - 1].x - 511.0);
    EXPECT_DOUBLE_EQ(d.DrawnLength, expected);
}

TEST_F(LinesTest, MarkerClickNamesTheResourceAndDragMovesIt) {
    int dead = Add("Crew 1", "Crew", "Fatality", "Disabled");
    R(dead).LineSlot = 1;
    R(dead).PosX = 200;
    R(dead).PosY = 200;
    GroundMarker& m = s().roster.GrndRes[0];
    m.visible = true;
    m.fill = m.border = kMarkerRed;

    MapMouseDown(s(), 204, 196);
    EXPECT_EQ(ui[Control::lblMsg].text, " Resource Crew 1 Overrun by Fire");
    EXPECT_EQ(s().roster.SelectedResource, dead);
    MapMouseMove(s(), 300, 310);
    EXPECT_EQ(ui.markers[0].left, 292);
    EXPECT_EQ(ui.markers[0].top, 305);
    MapMouseUp(s(), 300.4f, 310.6f);
    EXPECT_EQ(R(dead).PosX, 300);
    EXPECT_EQ(R(dead).PosY, 311);
    EXPECT_FALSE(s().deploy.DraggingMarker);

    // A resource building its line is named but cannot be picked up.
    int busy = Add("Crew 2", "Crew", "Active", "Deployed");
    R(busy).LineSlot = 2;
    R(busy).PosX = 50;
    R(busy).PosY = 50;
    s().roster.GrndRes[1].visible = true;
    s().roster.SelectedResource = 0;
    MapMouseDown(s(), 50, 54);
    EXPECT_EQ(ui[Control::lblMsg].text, " Resource Crew 2");
    EXPECT_FALSE(s().deploy.DraggingMarker);
    EXPECT_EQ(s().roster.SelectedResource, 0);
}

TEST_F(LinesTest, ClickNamesTheFuelUnderThePointer) {
    s().fire.Cell(10, 20).FuelModel = 0;
    MapMouseDown(s(), 21, 41);
    EXPECT_EQ(ui[Control::lblMsg].text, "Water/Rock");
    MapMouseDown(s(), 100, 100);
    ASSERT_EQ(s().fire.Cell(50, 50).FuelModel, 1);
    EXPECT_EQ(ui[Control::lblMsg].text, FuelModelName(1));
    EXPECT_NE(FuelModelName(1), "Water/Rock");
    size_t shown = ui.messages.size();
    MapMouseDown(s(), 512, 10);
    s().run.LessonLoaded = kFalse;
    MapMouseDown(s(), 100, 100);
    EXPECT_EQ(ui.messages.size(), shown);
}

}  // namespace
}  // namespace torvex::test
