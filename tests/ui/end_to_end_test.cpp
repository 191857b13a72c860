// End to end: the real main window through one whole demo lesson, from the File menu to replay.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "app/run_control.h"
#include "app/sim.h"
#include "lesson/lesson.h"
#include "support/fake_ui.h"
#include "support/lesson_bytes.h"
#include "tools/lesson_json.h"
#include "ui/qt/main_window.h"
#include "ui/qt/map_widget.h"
#include "ui/qt/qt_ui.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;

const QColor kYellowQ(255, 255, 0);
const QColor kWhiteQ(255, 255, 255);
const QColor kDarkRedQ(128, 0, 0);
const QColor kBlackQ(0, 0, 0);

constexpr int kStart = 840;  // 14:00, the lesson's first event
constexpr int kEnd = 930;    // 15:30, the end event the test adds

// "HH:MM" of a clock minute.
QString Clock(int minute) {
    return QString("%1:%2").arg((minute / 60) % 24, 2, 10, QChar('0')).arg(minute % 60, 2, 10, QChar('0'));
}

// The panel figures a replayed minute must show again.
struct Figures {
    QString acres, cost, speed, direction;
};

// The brush-and-timber demo lesson with an end event, opened in the real window over the real
// program folder (textures, fuel photographs); the wall clock is a fake and pacing is off, so
// the loop passes the test runs are the whole of the program's time.
class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(fs::path(TORVEX_PROGRAM_DIR) / "FuelMap.cfg"))
            << "the program folder " << TORVEX_PROGRAM_DIR << " has no data files: build the torvex_assets target";
        sim.programDir = TORVEX_PROGRAM_DIR;
        sim.unpaced = true;
        ui.recordMessageBoxes = true;
        ui.Attach(&window, sim.programDir);
        window.Load();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The demo lesson as its source gives it, checked for what the scenario relies on, plus the end.
    std::string WriteLesson() {
        LessonFile lesson =
            lessontool::LessonFromJsonFile(fs::path(TORVEX_SOURCE_DIR) / "lessons" / "02-brush-and-timber.json");
        const auto& ev = lesson.Events;
        EXPECT_EQ(ev.size(), 3u);
        if (ev.size() != 3u) return {};
        EXPECT_EQ(ev[0].EventType, "IGNITE");
        EXPECT_EQ(ev[0].EventTime, kStart);
        EXPECT_EQ(ev[0].IgniteX, 100);
        EXPECT_EQ(ev[0].IgniteY, 205);
        EXPECT_EQ(ev[1].EventType, "ARRIVAL");
        EXPECT_EQ(ev[1].EventTime, kStart + 15);
        EXPECT_EQ(ev[2].EventType, "WIND CHANGE");
        EXPECT_EQ(ev[2].EventTime, kStart + 60);
        EXPECT_EQ(lesson.Conditions.StartWindSpeed, 6);
        EXPECT_EQ(lesson.Conditions.StartWindDirection, 225);
        ScenarioEvent end;
        end.EventTime = kEnd;
        end.EventType = "END OF SIMULATION";
        lesson.Events.push_back(end);
        const std::string path = tmp.File("granite-ridge.fgl");
        WriteFileBytes(path, SerialiseLesson(lesson));
        return path;
    }

    QAbstractButton* Button(Control c) { return static_cast<QAbstractButton*>(window.Widget(c)); }
    QString Text(Control c) { return static_cast<QLabel*>(window.Widget(c))->text(); }
    QString Msg() { return window.Message()->text(); }
    const QImage& Shown() { return window.Map()->Shown(); }
    QColor Pixel(int x, int y) { return QColor(Shown().pixel(x, y)); }
    int ClockMinute() { return static_cast<int>(std::nearbyint(sim.run.SimTime)) + sim.run.StartTime; }

    Resource& Named(const std::string& name) {
        for (int i = 1; i <= sim.roster.ResourceCount; ++i)
            if (sim.roster.Roster[i].Name == name) return sim.roster.Roster[i];
        ADD_FAILURE() << "no resource " << name;
        return sim.roster.Roster[0];
    }

    // One pass of the program's loop, as the real loop makes it; while running, the panel it
    // showed is kept under the minute replay will show it for.
    void Pass() {
        const bool running = sim.run.RunState == "RUN";
        const float t = sim.run.SimTime;
        if (running)
            ui.ProcessEvents();
        else
            ui.WaitForEvents(0);
        RunPass(sim);
        if (running)
            shown[static_cast<int>(std::trunc(t)) + 1] = {Text(Control::lblAcres), Text(Control::lblCost),
                                                          Text(Control::lblWS), Text(Control::lblWD)};
    }

    // Runs passes until done holds; the run must not stop or take an unbounded number of passes first.
    void RunUntil(const std::function<bool()>& done, const char* what) {
        for (int n = 0; n < 200000; ++n) {
            if (done()) return;
            if (sim.run.RunState != "RUN") {
                ADD_FAILURE() << "the run stopped (" << Msg().toStdString() << ") before " << what;
                return;
            }
            Pass();
        }
        ADD_FAILURE() << "never reached: " << what;
    }

    // Clicks a deployment button and answers the modal resource list it opens with `answer`.
    void WithResourceList(Control button, const std::function<void(QDialog&, QTreeWidget&)>& answer) {
        bool answered = false;
        // Timers owned here: should no list open, they die with this call instead of firing later.
        QTimer answerer;
        answerer.setSingleShot(true);
        QObject::connect(&answerer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "no modal resource list";
            EXPECT_EQ(dialog->windowTitle(), "Resource List");
            auto* list = dialog->findChild<QTreeWidget*>("lvwResource");
            ASSERT_NE(list, nullptr);
            answer(*dialog, *list);
            answered = true;
        });
        answerer.start(0);
        // Should the answer stop half way, the list must still close.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            if (QWidget* m = QApplication::activeModalWidget()) m->close();
        });
        guard.start(10000);
        QTest::mouseClick(Button(button), Qt::LeftButton);
        EXPECT_TRUE(answered);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    // Clicks File on the menu bar, then the item.
    void ChooseFromFileMenu(const char* item) {
        QMenuBar* bar = window.menuBar();
        QMenu* file = window.FileMenu();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
        ASSERT_TRUE(file->isVisible());
        QAction* action = window.findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(action).center());
        EXPECT_FALSE(file->isVisible());
    }

    static void ClickRow(QTreeWidget& list, int row) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.topLevelItem(row)).center());
    }
    static QPushButton* ListButton(QDialog& d, const char* name) { return d.findChild<QPushButton*>(name); }

    // Press, drag and release on the map picture.
    void Drag(QPoint from, QPoint to) {
        QWidget* map = window.Map();
        QTest::mousePress(map, Qt::LeftButton, {}, from);
        for (int k = 1; k <= 4; ++k) QTest::mouseMove(map, from + (to - from) * k / 4);
        QTest::mouseRelease(map, Qt::LeftButton, {}, to);
    }

    TempDir tmp;
    ScopedEnv mapDir{"TORVEX_MAP_DIR", tmp.path()};
    QtUi ui;
    FakeClock clock;
    Sim sim{ui, clock};
    MainWindow window{sim};
    std::map<int, Figures> shown;
};

TEST_F(EndToEndTest, AWholeLessonFromTheMenuToReplay) {
    const std::string lessonPath = WriteLesson();
    ASSERT_FALSE(lessonPath.empty());
    ASSERT_EQ(Msg(), "Click File - Open a lesson");

    // ---- open the lesson through the File menu; the test answers the file dialog ----
    ui.presetFileAnswers.push_back(lessonPath);
    ChooseFromFileMenu("mnuOpen");
    EXPECT_TRUE(ui.presetFileAnswers.empty());
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(window.windowTitle().toStdString(), "Torvex - " + lessonPath);
    EXPECT_EQ(Msg(), "Click [ >] to start");
    EXPECT_TRUE(window.ShowMenuAction()->isEnabled());
    EXPECT_TRUE(Button(Control::btnPlay)->isEnabled());
    EXPECT_FALSE(Button(Control::btnPause)->isEnabled());
    Pass();  // idle: shows the composed map
    const QImage fresh = Shown().copy();
    // The ignition cell (100, 205) covers pixels 200..201 x 410..411; the map shows its fuel there.
    EXPECT_NE(Pixel(200, 410), kBlackQ);
    EXPECT_NE(Pixel(200, 410), kDarkRedQ);

    // ---- Play: the first pass lights the fire and fills the panel ----
    QTest::mouseClick(Button(Control::btnPlay), Qt::LeftButton);
    EXPECT_EQ(sim.run.RunState, "RUN");
    EXPECT_EQ(Msg(), "Simulation Started");
    EXPECT_FALSE(Button(Control::btnPlay)->isEnabled());
    EXPECT_TRUE(Button(Control::btnPause)->isEnabled());
    EXPECT_TRUE(Button(Control::btnStop)->isEnabled());
    Pass();
    EXPECT_EQ(Text(Control::lblDay), "1");
    EXPECT_EQ(Text(Control::lblTime), "14:00");
    EXPECT_EQ(Text(Control::lblElapse), "0 hr 0");
    EXPECT_EQ(Text(Control::lblWS), "10");  // 6 mi/h
    EXPECT_EQ(Text(Control::lblWD), "225");
    EXPECT_EQ(Text(Control::lblCost), "$0");
    EXPECT_EQ(Text(Control::lblAcres), "0");
    // The cell the event lit burns out in the first step.
    for (QPoint p : {QPoint(200, 410), QPoint(201, 410), QPoint(200, 411), QPoint(201, 411)})
        EXPECT_EQ(Pixel(p.x(), p.y()), kBlackQ) << p.x() << "," << p.y();

    // Nothing can be deployed before the resources arrive: the button pops back up, no list opens.
    QTest::mouseClick(Button(Control::btnAT), Qt::LeftButton);
    EXPECT_FALSE(Button(Control::btnAT)->isChecked());
    EXPECT_TRUE(sim.deploy.DeployMode.empty());

    RunUntil([&] { return ClockMinute() >= kStart + 5; }, "14:05");
    // Around the burned-out centre, the front cells are shown burning.
    int burning = 0;
    for (int y = 390; y < 430; ++y)
        for (int x = 180; x < 230; ++x) burning += Pixel(x, y) == kDarkRedQ;
    EXPECT_GT(burning, 0);
    // The photograph of the fuel the fire runs in, from the program folder.
    EXPECT_FALSE(static_cast<QLabel*>(window.Widget(Control::picFuel))->pixmap().isNull());

    // ---- arrival ----
    RunUntil([&] { return sim.run.OnSite != kFalse; }, "arrival");
    EXPECT_EQ(Msg(), "Arrive On Site");
    EXPECT_EQ(Text(Control::lblTime), "14:15");
    EXPECT_EQ(Text(Control::lblElapse), "0 hr 15");
    EXPECT_EQ(Text(Control::lblCost), "$75");  // the first minute of the tanker (3000/h) and helicopter (1500/h)

    // ---- an air tanker drop: list, select, press-drag-release, Accept ----
    WithResourceList(Control::btnAT, [&](QDialog& d, QTreeWidget& list) {
        EXPECT_EQ(list.headerItem()->text(0), "TANKER");
        ASSERT_EQ(list.topLevelItemCount(), 1);
        EXPECT_EQ(list.topLevelItem(0)->text(0), "Tanker 12");
        EXPECT_EQ(list.topLevelItem(0)->text(1), "Air Tanker (Type 2)");
        EXPECT_EQ(list.topLevelItem(0)->text(2), "Now");
        ClickRow(list, 0);
        QTest::mouseClick(ListButton(d, "cmdSelect"), Qt::LeftButton);
    });
    EXPECT_TRUE(Button(Control::btnAT)->isChecked());
    EXPECT_EQ(Msg(), "Deploy Resource Tanker 12");
    auto* fraRes = static_cast<QGroupBox*>(window.Widget(Control::fraRes));
    EXPECT_TRUE(fraRes->isVisible());
    EXPECT_EQ(fraRes->title(), "Air Tanker Tanker 12");
    EXPECT_FALSE(window.Widget(Control::chkBurn)->isEnabled());
    // A 400 m drop on 30 m cells reaches 26.7 pixels: the drag of 32 pixels is cut at x = 244.
    Drag({218, 392}, {250, 392});
    ui.RefreshMap();
    EXPECT_EQ(Pixel(218, 392), kWhiteQ);
    EXPECT_EQ(Pixel(244, 392), kWhiteQ);
    EXPECT_NE(Pixel(245, 392), kWhiteQ);
    QTest::mouseClick(Button(Control::cmdOK), Qt::LeftButton);
    ui.RefreshMap();
    EXPECT_FALSE(fraRes->isVisible());
    EXPECT_FALSE(Button(Control::btnAT)->isChecked());
    EXPECT_EQ(Msg(), "");
    for (int y = 391; y <= 393; ++y)
        for (int x = 217; x <= 245; ++x) EXPECT_EQ(Pixel(x, y), kYellowQ) << x << "," << y;
    EXPECT_NE(Pixel(246, 392), kYellowQ);
    EXPECT_NE(Pixel(230, 394), kYellowQ);
    for (int cx = 108; cx <= 122; ++cx) EXPECT_EQ(sim.fire.Cell(cx, 196).FuelLeft, 0) << cx;
    EXPECT_EQ(Named("Tanker 12").Activity, "Reload");

    RunUntil([&] { return ClockMinute() >= kStart + 20; }, "14:20");
    // 75 dollars a minute beat, and the drop.
    EXPECT_EQ(Text(Control::lblCost).toStdString(), "$" + std::to_string(75 * sim.clock.ResourceMinutes + 5000));

    // ---- the crew is still to be called up: Call Up in the list, Select refused, Close ----
    const int callupAt = kStart + static_cast<int>(std::nearbyint(sim.run.SimTime + 30.0));
    WithResourceList(Control::btnCrew, [&](QDialog& d, QTreeWidget& list) {
        EXPECT_EQ(list.headerItem()->text(0), "CREW");
        ASSERT_EQ(list.topLevelItemCount(), 1);
        EXPECT_EQ(list.topLevelItem(0)->text(0), "Crew 5 - Granite");
        EXPECT_EQ(list.topLevelItem(0)->text(2), "Callup");
        EXPECT_FALSE(ListButton(d, "cmdAbort")->isHidden());
        EXPECT_FALSE(ListButton(d, "cmdCallup")->isEnabled());
        ClickRow(list, 0);
        ASSERT_TRUE(ListButton(d, "cmdCallup")->isEnabled());
        QTest::mouseClick(ListButton(d, "cmdCallup"), Qt::LeftButton);
        EXPECT_EQ(list.topLevelItem(0)->text(2), Clock(callupAt));
        EXPECT_FALSE(ListButton(d, "cmdCallup")->isEnabled());
        QTest::mouseClick(ListButton(d, "cmdSelect"), Qt::LeftButton);
        EXPECT_EQ(ui.messageBoxes, std::vector<std::string>{"You must select an available resource."});
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(ListButton(d, "cmdCancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(Button(Control::btnCrew)->isChecked());
    EXPECT_TRUE(sim.deploy.DeployMode.empty());
    EXPECT_EQ(Named("Crew 5 - Granite").Status, "Active");

    // ---- once free, the crew is deployed along a line of two segments ----
    RunUntil([&] { return ClockMinute() >= callupAt; }, "the crew's call-up time");
    WithResourceList(Control::btnCrew, [&](QDialog& d, QTreeWidget& list) {
        ASSERT_EQ(list.topLevelItemCount(), 1);
        EXPECT_EQ(list.topLevelItem(0)->text(2), "Now");
        ClickRow(list, 0);
        EXPECT_TRUE(ListButton(d, "cmdRelease")->isEnabled());
        QTest::mouseClick(ListButton(d, "cmdSelect"), Qt::LeftButton);
    });
    EXPECT_TRUE(Button(Control::btnCrew)->isChecked());
    EXPECT_EQ(Msg(), "Deploy Resource Crew 5 - Granite");
    EXPECT_EQ(fraRes->title(), "Crew Crew 5 - Granite");
    EXPECT_TRUE(window.Widget(Control::chkBurn)->isEnabled());
    EXPECT_FALSE(window.Widget(Control::optBurnLeft)->isEnabled());
    // North of the fire: 8 pixels east, then 6 north; a pixel is 15 m.
    Drag({200, 376}, {208, 376});
    EXPECT_EQ(Text(Control::lblDist), " 120");
    Drag({208, 376}, {208, 370});
    EXPECT_EQ(Text(Control::lblDist), " 210");
    ui.RefreshMap();
    for (int x = 200; x <= 208; ++x) EXPECT_EQ(Pixel(x, 376), kWhiteQ) << x;
    for (int y = 370; y <= 376; ++y) EXPECT_EQ(Pixel(208, y), kWhiteQ) << y;
    const int lineAt = static_cast<int>(std::nearbyint(sim.run.SimTime));
    QTest::mouseClick(Button(Control::cmdOK), Qt::LeftButton);
    Resource& crew = Named("Crew 5 - Granite");
    EXPECT_EQ(crew.Activity, "Deployed");
    EXPECT_EQ(crew.LineSlot, 1);
    EXPECT_FLOAT_EQ(crew.LineLength, 14.0f);
    EXPECT_EQ(sim.roster.LinePointCount[1], 17);  // the start twice, 8 more east, the corner twice, 6 more north
    EXPECT_TRUE(window.Map()->MarkerVisible(0));
    EXPECT_FALSE(Button(Control::btnCrew)->isChecked());
    EXPECT_FALSE(fraRes->isVisible());

    // ---- a pause holds the simulation; the second click resumes it ----
    QTest::mouseClick(Button(Control::btnPause), Qt::LeftButton);
    EXPECT_EQ(Msg(), "Simulation Paused...");
    const float pausedAt = sim.run.SimTime;
    for (int i = 0; i < 3; ++i) Pass();
    EXPECT_EQ(sim.run.SimTime, pausedAt);
    QTest::mouseClick(Button(Control::btnPause), Qt::LeftButton);
    EXPECT_EQ(sim.run.RunState, "RUN");
    EXPECT_EQ(Msg(), "");

    // ---- the wind change at 15:00 ----
    RunUntil([&] { return sim.run.WindDirection == 280; }, "the wind change");
    EXPECT_EQ(Text(Control::lblTime), "15:00");
    EXPECT_EQ(Text(Control::lblWS), "24");  // 15 mi/h
    EXPECT_EQ(Text(Control::lblWD), "280");

    // ---- the crew finishes its line: every point's 3 x 3 block yellow, its cells without fuel ----
    RunUntil([&] { return crew.Activity == "Available"; }, "the crew's finished line");
    ui.RefreshMap();
    for (int i = 0; i < sim.roster.LinePointCount[1]; ++i) {
        const LinePoint& p = sim.roster.LinePoints[1][i];
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) EXPECT_EQ(Pixel(p.x + dx, p.y + dy), kYellowQ) << p.x + dx << "," << p.y + dy;
        EXPECT_EQ(sim.fire.Cell(p.x / 2, p.y / 2).FuelLeft, 0);
    }
    EXPECT_EQ(crew.PosX, 208);  // standing on the last point
    EXPECT_EQ(crew.PosY, 370);
    EXPECT_EQ(crew.Status, "Active");  // not overrun

    // ---- the end of the exercise, with the fire still burning ----
    for (int n = 0; n < 200000 && sim.run.RunState == "RUN"; ++n) Pass();
    EXPECT_EQ(Msg(), "Simulation Terminated");
    EXPECT_EQ(sim.run.RunState, "STOP");
    EXPECT_EQ(Text(Control::lblTime), "15:30");
    EXPECT_EQ(Text(Control::lblElapse), "1 hr 30");
    // The panel was updated before the pass's last fire step.
    EXPECT_GT(Text(Control::lblAcres).toDouble(), 10.0);
    EXPECT_LE(Text(Control::lblAcres).toDouble(), sim.fire.BurnedArea + 0.05);
    for (Control c : {Control::btnPlay, Control::btnPause, Control::btnStop}) EXPECT_TRUE(window.Widget(c)->isHidden());
    EXPECT_TRUE(window.Widget(Control::cmdReplay)->isVisible());
    EXPECT_TRUE(window.Widget(Control::cmdReplay)->isEnabled());
    EXPECT_TRUE(window.Widget(Control::spnReplay)->isVisible());
    EXPECT_FALSE(window.Widget(Control::spnReplay)->isEnabled());
    Pass();  // idle
    const QImage end = Shown().copy();
    int red = 0, black = 0;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            const QColor c = Pixel(x, y);
            red += c == kDarkRedQ;
            black += c == kBlackQ;
        }
    EXPECT_GT(red, 0);
    EXPECT_GT(black, 4 * 100);

    // ---- replay: back minute by minute to 0, then forward to the end ----
    QTest::mouseClick(Button(Control::cmdReplay), Qt::LeftButton);
    EXPECT_EQ(Msg(), "Replay Mode");
    EXPECT_TRUE(window.Widget(Control::spnReplay)->isEnabled());
    EXPECT_FALSE(window.Map()->MarkerVisible(0));
    const int last = sim.paint.ReplayMinute;
    EXPECT_EQ(last, sim.paint.ReplayLastMinute);
    EXPECT_GE(last, kEnd - kStart);

    auto panelIs = [&](int m) {
        SCOPED_TRACE("replay minute " + std::to_string(m));
        EXPECT_EQ(Text(Control::lblDay), "1");
        EXPECT_EQ(Text(Control::lblTime), Clock(kStart + m));
        EXPECT_EQ(Text(Control::lblElapse), QString("%1 hr %2").arg(m / 60).arg(m % 60));
        auto it = shown.find(m);
        if (it == shown.end()) return;
        EXPECT_EQ(Text(Control::lblAcres), it->second.acres);
        EXPECT_EQ(Text(Control::lblCost), it->second.cost);
        EXPECT_EQ(Text(Control::lblWS), it->second.speed);
        EXPECT_EQ(Text(Control::lblWD), it->second.direction);
    };
    auto dropShown = [&] { return Pixel(230, 392) == kYellowQ && Pixel(217, 391) == kYellowQ && Pixel(245, 393) == kYellowQ; };

    std::map<int, QImage> goingBack;
    for (int m = last - 1; m >= 0; --m) {
        QTest::mouseClick(window.ReplayBackArrow(), Qt::LeftButton);
        ASSERT_EQ(sim.paint.ReplayMinute, m);
        panelIs(m);
        if (m % 10 == 5) goingBack[m] = Shown().copy();
        // The drop, the drawn line and the lit cell come and go with their minutes.
        if (m == 17) {
            EXPECT_TRUE(dropShown());
        } else if (m == 15) {
            EXPECT_EQ(Pixel(230, 392), QColor(fresh.pixel(230, 392)));
        } else if (m == lineAt + 1) {
            EXPECT_EQ(Pixel(208, 370), kWhiteQ);
        } else if (m == lineAt) {
            EXPECT_EQ(Pixel(208, 370), QColor(fresh.pixel(208, 370)));
        } else if (m == 1) {
            EXPECT_EQ(Pixel(200, 410), kBlackQ);
        }
    }
    EXPECT_GT(shown.size(), 80u);  // nearly every minute had a panel to show again

    // Minute 0 is the freshly composed map, but for what was painted after the fire's last cell;
    // its panel entry was never written.
    QImage atZero = fresh.copy();
    for (int k = sim.paint.ReplayEndPosition + 1; k <= sim.paint.count; ++k) {
        const PaintRecord& r = sim.paint.PaintLog[k];
        if (r.x >= 0 && r.y >= 0 && r.x < 512 && r.y < 512)
            atZero.setPixel(r.x, r.y, qRgb(r.colour & 0xFF, (r.colour >> 8) & 0xFF, (r.colour >> 16) & 0xFF));
    }
    EXPECT_TRUE(Shown() == atZero);
    EXPECT_EQ(Text(Control::lblCost), "$0");
    EXPECT_EQ(Text(Control::lblAcres), "0");
    EXPECT_EQ(Text(Control::lblWS), "0");
    EXPECT_EQ(Text(Control::lblWD), "0");
    QTest::mouseClick(window.ReplayBackArrow(), Qt::LeftButton);
    EXPECT_EQ(sim.paint.ReplayMinute, 0);
    EXPECT_TRUE(Shown() == atZero);

    for (int m = 1; m <= last; ++m) {
        QTest::mouseClick(window.ReplayForwardArrow(), Qt::LeftButton);
        ASSERT_EQ(sim.paint.ReplayMinute, m);
        panelIs(m);
        if (auto it = goingBack.find(m); it != goingBack.end()) {
            EXPECT_TRUE(Shown() == it->second) << "minute " << m;
        }
    }
    EXPECT_TRUE(Shown() == end);
    QTest::mouseClick(window.ReplayForwardArrow(), Qt::LeftButton);
    EXPECT_EQ(sim.paint.ReplayMinute, last);
    EXPECT_TRUE(Shown() == end);

    // ---- File, Reset: the lesson as it was opened, and a second run plays the script again ----
    ChooseFromFileMenu("mnuReset");
    EXPECT_EQ(Msg(), "Click [ >] to start");
    EXPECT_FALSE(window.Widget(Control::btnPlay)->isHidden());
    EXPECT_TRUE(window.Widget(Control::btnPlay)->isEnabled());
    EXPECT_TRUE(window.Widget(Control::cmdReplay)->isHidden());
    EXPECT_TRUE(window.Widget(Control::spnReplay)->isHidden());
    EXPECT_EQ(Named("Crew 5 - Granite").Status, "Callup");
    EXPECT_EQ(Named("Tanker 12").Activity, "Available");
    Pass();
    EXPECT_TRUE(Shown() == fresh);
    QTest::mouseClick(Button(Control::btnPlay), Qt::LeftButton);
    EXPECT_EQ(Msg(), "Simulation Started");
    Pass();
    EXPECT_EQ(Text(Control::lblTime), "14:00");
    EXPECT_EQ(Text(Control::lblCost), "$0");
    EXPECT_EQ(Pixel(200, 410), kBlackQ);
    RunUntil([&] { return sim.run.OnSite != kFalse; }, "the second arrival");
    EXPECT_EQ(Msg(), "Arrive On Site");
    EXPECT_EQ(Text(Control::lblTime), "14:15");
}

}  // namespace
}  // namespace torvex::test
