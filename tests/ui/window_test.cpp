// Widget tests of the main window and its small windows on the offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/run_control.h"
#include "app/sim.h"
#include "behaviour/adapter.h"
#include "support/fake_ui.h"
#include "support/sim_fixture.h"
#include "ui/qt/main_window.h"
#include "ui/qt/map_widget.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/small_windows.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;

// A main window over a real QtUi, with the program folder in a fresh temporary directory.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              (std::string("torvex-ui-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        sim.programDir = dir.string();
        ui.recordMessageBoxes = true;
        ui.Attach(&window, dir.string());
    }
    void TearDown() override { fs::remove_all(dir); }

    // Sizes the window so that its client area is w x h.
    void SetClient(int w, int h) {
        const QSize extra = window.size() - window.Client()->size();
        window.resize(w + extra.width(), h + extra.height());
        QCoreApplication::processEvents();
        ASSERT_EQ(window.Client()->size(), QSize(w, h));
    }
    void ShowLoaded() {
        std::ofstream(dir / "FuelMap.cfg") << "Fuels.cfg\n";
        std::ofstream(dir / "Fuels.cfg") << "0\n";
        window.Load();
        window.show();
        QCoreApplication::processEvents();
    }
    template <class T>
    T* Find(const char* name) {
        return window.findChild<T*>(name);
    }

    fs::path dir;
    QtUi ui;
    FakeClock clock;
    Sim sim{ui, clock};
    MainWindow window{sim};
};

TEST_F(WindowTest, EveryControlTheLogicNamesHasAWidget) {
    for (int i = 0; i < static_cast<int>(Control::Count); ++i) {
        auto c = static_cast<Control>(i);
        if (c == Control::mnuShow) continue;
        EXPECT_NE(window.Widget(c), nullptr) << i;
    }
    ui.SetText(Control::fraRes, "Crew Smith & Sons");
    EXPECT_EQ(Find<QGroupBox>("fraRes")->title(), "Crew Smith && Sons");  // shown literally, not as an access key
    ui.SetText(Control::frmAttack, "Torvex - a.fgl");
    EXPECT_EQ(window.windowTitle(), "Torvex - a.fgl");
    ui.SetEnabled(Control::mnuShow, true);
    EXPECT_TRUE(window.ShowMenuAction()->isEnabled());
}

TEST_F(WindowTest, ControlsStandAtTheirDesignPlaces) {
    struct Place {
        const char* name;
        QRect rect;
    };
    const Place places[] = {
        {"btnPlay", {17, 3, 25, 25}},   {"btnPause", {57, 3, 25, 25}},  {"btnStop", {97, 3, 25, 25}},
        {"cmdReplay", {17, 7, 49, 17}}, {"spnReplay", {81, 4, 41, 23}}, {"fraSim", {8, 32, 121, 132}},
        {"lblTime", {56, 19, 57, 20}},  {"lblCost", {56, 107, 57, 17}}, {"fraWind", {8, 169, 121, 70}},
        {"lblWD", {64, 45, 41, 17}},    {"btnCrew", {96, 16, 25, 25}},  {"picFuel", {0, 44, 121, 111}},
        {"lblFuel", {24, 94, 65, 17}},  {"fraRes", {0, 44, 121, 111}},  {"optBurn1", {64, 62, 49, 17}},
        {"cmdCancel", {64, 85, 49, 17}}, {"picAir", {0, 0, 512, 512}},
    };
    for (const Place& p : places) {
        QWidget* w = window.findChild<QWidget*>(p.name);
        ASSERT_NE(w, nullptr) << p.name;
        EXPECT_EQ(w->geometry(), p.rect) << p.name;
    }
    EXPECT_EQ(Find<QAbstractButton>("optBurn1")->text(), " Right");
    EXPECT_EQ(Find<QLabel>("lblTime")->text(), "00:00");
    QStringList menus;
    for (QAction* a : window.menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Show"}));
    QStringList file;
    for (QAction* a : window.FileMenu()->actions()) file << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(file, (QStringList{"&Open Lesson", "-", "&Reset", "-", "E&xit"}));
    EXPECT_FALSE(window.ShowMenuAction()->isEnabled());
}

TEST_F(WindowTest, LayoutFollowsTheClientSize) {
    ShowLoaded();
    SetClient(650, 531);
    EXPECT_TRUE(window.HScroll()->isHidden());
    EXPECT_TRUE(window.VScroll()->isHidden());
    EXPECT_EQ(window.Viewport()->geometry(), QRect(136, 0, 514, 514));
    EXPECT_EQ(window.Message()->geometry(), QRect(136, 515, 498, 17));
    EXPECT_EQ(window.Frame1()->y(), 531 - 161);

    for (QSize shorter : {QSize(649, 531), QSize(650, 530)}) {
        SetClient(shorter.width(), shorter.height());
        EXPECT_FALSE(window.HScroll()->isHidden());
        EXPECT_FALSE(window.VScroll()->isHidden());
        SetClient(650, 531);
    }

    SetClient(400 + 136 + 17, 460);
    EXPECT_EQ(window.Viewport()->width(), 400);
    EXPECT_EQ(window.HScroll()->maximum(), 114);
    EXPECT_EQ(window.HScroll()->singleStep(), 5);
    EXPECT_EQ(window.HScroll()->pageStep(), 10);
    window.HScroll()->setValue(114);
    window.VScroll()->setValue(7);
    EXPECT_EQ(window.Map()->geometry().right() + 1, window.Viewport()->width() - 2);
    EXPECT_EQ(window.Map()->y(), -7);

    // Shrinking keeps the values; bars that disappear and come back start again at 0.
    SetClient(550, 430);
    EXPECT_EQ(window.HScroll()->value(), 114);
    EXPECT_EQ(window.VScroll()->value(), 7);
    SetClient(650, 531);
    EXPECT_EQ(window.Map()->pos(), QPoint(0, 0));
    SetClient(600, 500);
    EXPECT_EQ(window.HScroll()->value(), 0);
    EXPECT_EQ(window.Map()->pos(), QPoint(0, 0));
}

TEST_F(WindowTest, SizeLimitsHoldTheWindowBetweenTheirBounds) {
    ShowLoaded();
    const QSize extra = window.FrameExtra();
    window.resize(100, 100);
    EXPECT_EQ(window.size() + extra, QSize(550, 450));
    window.resize(2000, 2000);
    EXPECT_EQ(window.size() + extra, QSize(658, 577));
    window.MoveToCornerAtMinimumSize();  // what the load does on a small display
    EXPECT_EQ(window.frameGeometry().topLeft(), window.screen()->geometry().topLeft());
    EXPECT_EQ(window.size() + extra, QSize(550, 450));
    EXPECT_FALSE(window.DisplayTooSmall());  // the offscreen screen is 800 x 600
    window.close();
    EXPECT_EQ(sim.run.EndRequested, kTrue);
    EXPECT_EQ(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

TEST_F(WindowTest, StartUpWithoutTheStartupFile) {
    window.Load();
    EXPECT_EQ(ui.messageBoxes, std::vector<std::string>{"Default Fuel Map must be set"});
    EXPECT_EQ(window.Message()->text(), "");
    EXPECT_TRUE(window.Widget(Control::btnPlay)->isEnabled());  // as designed
    EXPECT_TRUE(window.Widget(Control::cmdReplay)->isHidden());
    EXPECT_TRUE(window.Widget(Control::spnReplay)->isHidden());
}

TEST_F(WindowTest, StartUpWithTheStartupFileWaitsForALesson) {
    ShowLoaded();
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(window.Message()->text(), "Click File - Open a lesson");
    EXPECT_EQ(sim.display.FuelTablePath, "Fuels.cfg");
    EXPECT_FALSE(window.Widget(Control::btnPlay)->isEnabled());
    EXPECT_FALSE(window.Widget(Control::fraRes)->isVisible());
    EXPECT_TRUE(window.Widget(Control::picFuel)->isVisible());
}

TEST_F(WindowTest, MapShowsOnlyWhatChangedOnRefresh) {
    ShowLoaded();
    sim.picture.ClearDirty();
    sim.picture.Set(10, 20, Rgb(200, 100, 50));
    ui.RefreshMap();
    EXPECT_EQ(window.Map()->Shown().pixel(10, 20), qRgb(200, 100, 50));
    EXPECT_FALSE(sim.picture.Dirty());
    // A pixel written behind the picture's back is not shown until it is marked.
    sim.picture.pixels[30 * 512 + 30] = Rgb(1, 2, 3);
    ui.RefreshMap();
    EXPECT_NE(window.Map()->Shown().pixel(30, 30), qRgb(1, 2, 3));
    // The idle and pacing waits show what handlers drew without waiting for the end of the pass.
    sim.picture.Set(40, 41, Rgb(9, 8, 7));
    ui.WaitForEvents(0);
    EXPECT_EQ(window.Map()->Shown().pixel(40, 41), qRgb(9, 8, 7));
}

TEST_F(WindowTest, HandlersReceiveTheTraineesClicks) {
    ShowLoaded();
    sim.lesson.MapBitmap = UniformMapBitmap(1);
    SetMapCell(sim.lesson.MapBitmap, 50, 60, 0);
    InitialiseRun(sim);
    sim.run.LessonLoaded = kTrue;
    sim.run.RunState = "STOP";
    // A click on the map names the fuel of the cell under the pointer, in picture pixels.
    QTest::mouseClick(window.Map(), Qt::LeftButton, {}, QPoint(101, 121));
    EXPECT_EQ(window.Message()->text(), "Water/Rock");
    QTest::mouseClick(window.Map(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(window.Message()->text().toStdString(), FuelModelNames[1]);
    // A deployment button before any run pops back up.
    auto* crew = static_cast<QAbstractButton*>(window.Widget(Control::btnCrew));
    QTest::mouseClick(crew, Qt::LeftButton);
    EXPECT_FALSE(crew->isChecked());
    // Play starts the run and is released and disabled by it.
    auto* play = static_cast<QAbstractButton*>(window.Widget(Control::btnPlay));
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_EQ(sim.run.RunState, "RUN");
    EXPECT_FALSE(play->isChecked());
    EXPECT_FALSE(play->isEnabled());
    EXPECT_EQ(window.Message()->text(), "Simulation Started");
}

TEST_F(WindowTest, OptionButtonsCanBeClearedTogether) {
    ui.SetChecked(Control::optBurnLeft, true);
    EXPECT_TRUE(ui.IsChecked(Control::optBurnLeft));
    ui.SetChecked(Control::optBurnRight, true);
    EXPECT_FALSE(ui.IsChecked(Control::optBurnLeft));
    ui.SetChecked(Control::optBurnRight, false);
    EXPECT_FALSE(ui.IsChecked(Control::optBurnLeft));
    EXPECT_FALSE(ui.IsChecked(Control::optBurnRight));
}

TEST_F(WindowTest, LegendSwatchesTakeTheMapsColours) {
    std::vector<uint8_t> map = UniformMapBitmap(3);
    map[54 + 12] = 0;
    map[54 + 13] = 128;
    map[54 + 14] = 255;
    const fs::path file = dir / "Current.Fue";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(map.data()), std::streamsize(map.size()));
    sim.lesson.MapFilePath = file.string();
    ShowLoaded();
    window.OpenLegend();
    FuelLegendWindow* legend = window.Legend();
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->windowTitle(), "Fuel Legend");
    const QImage swatches = legend->picLegend->pixmap().toImage();
    EXPECT_EQ(swatches.size(), QSize(17, 225));
    EXPECT_EQ(QColor(swatches.pixel(8, 2 * 16 + 5)), QColor(255, 128, 0));  // swatch 3
    EXPECT_EQ(QColor(swatches.pixel(8, 2 * 16 + 13)), legend->palette().color(QPalette::Window));
    EXPECT_EQ(legend->labels[2]->text(), "Tall Grass");
    EXPECT_EQ(legend->labels[13]->objectName(), "lblWater");
    const QImage cells = legend->picFuel->pixmap().toImage();
    EXPECT_EQ(cells.size(), QSize(256, 256));
    EXPECT_EQ(QColor(cells.pixel(100, 100)), QColor(255, 128, 0));
    // Asking again only brings the open window forward.
    window.OpenLegend();
    EXPECT_EQ(window.Legend(), legend);
}

TEST_F(WindowTest, InitialConditionsShowTheLessonsStart) {
    sim.lesson.Conditions.ConditionsSet = 1;
    sim.lesson.Conditions.StartWindSpeed = 20;
    sim.lesson.Conditions.StartWindDirection = 270;
    sim.lesson.Conditions.Temperature = 86;
    window.OpenInitialConditions();
    InitCondWindow* w = window.InitCond();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Initial Conditions");
    EXPECT_EQ(w->Box(InitCondBox::txtWS)->text(), "32");
    EXPECT_EQ(w->Box(InitCondBox::txtTemp)->text(), "30");
    EXPECT_EQ(w->Box(InitCondBox::txtWD)->text(), "270");
    EXPECT_TRUE(w->Box(InitCondBox::txtWS)->isReadOnly());
    // The open window keeps what it showed; reopening after closing rebuilds it.
    sim.lesson.Conditions.StartWindSpeed = 25;
    window.OpenInitialConditions();
    EXPECT_EQ(w->Box(InitCondBox::txtWS)->text(), "32");
    w->close();
    window.OpenInitialConditions();
    EXPECT_EQ(window.InitCond()->Box(InitCondBox::txtWS)->text(), "40");
}

TEST_F(WindowTest, ActiveFuelPictureOpensThePhotoOnlyForAShownFuel) {
    sim.display.FuelTable[4].FuelName = "Chaparral";
    QWidget* picFuel = window.Widget(Control::picFuel);
    window.show();
    QTest::mouseClick(picFuel, Qt::LeftButton);
    EXPECT_EQ(window.ActiveFuel(), nullptr);
    sim.clock.ShownFuel = 4;
    QTest::mouseClick(picFuel, Qt::LeftButton);
    ASSERT_NE(window.ActiveFuel(), nullptr);
    EXPECT_EQ(window.ActiveFuel()->windowTitle(), "Active Fuel - Chaparral");
}

TEST_F(WindowTest, FuelPhotoShowsAtItsOwnSizeFromTheTopLeft) {
    QImage photo(300, 200, QImage::Format_RGB32);
    photo.fill(QColor(10, 200, 30));
    photo.save(QString::fromStdString((dir / "grass.bmp").string()));
    ui.ShowFuelPhoto("grass.bmp");
    auto* pic = static_cast<QLabel*>(window.Widget(Control::picFuel));
    EXPECT_EQ(pic->pixmap().size(), QSize(300, 200));
    EXPECT_EQ(pic->size(), QSize(121, 111));
    ui.ShowFuelPhoto("");
    EXPECT_TRUE(pic->pixmap().isNull());
}

TEST_F(WindowTest, WaitForEventsBlocksUntilAnEventOrTheTimeout) {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();  // what the set-up left pending
    QElapsedTimer t;
    t.start();
    ui.WaitForEvents(200);
    EXPECT_GE(t.elapsed(), 100);  // blocked rather than returning at once
    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    ui.WaitForEvents(5000);
    EXPECT_TRUE(handled);
}

TEST(SplashTest, AKeyOrAClickOpensTheMainWindowOnce) {
    for (bool key : {true, false}) {
        int opened = 0;
        SplashWindow splash("/nonexistent", [&] { ++opened; });
        splash.show();
        EXPECT_EQ(splash.size(), QSize(601, 458));
        if (key)
            QTest::keyClick(&splash, Qt::Key_Space);
        else
            QTest::mouseClick(&splash, Qt::LeftButton);
        EXPECT_EQ(opened, 1) << key;
        EXPECT_FALSE(splash.isVisible());
        QTest::keyClick(&splash, Qt::Key_A);
        EXPECT_EQ(opened, 1);
    }
}

TEST(FileFilterTest, PairsBecomeQtFilters) {
    EXPECT_EQ(QtFileFilter("Fire Growth Lesson Files (*.fgl)|*.fgl"), "Fire Growth Lesson Files (*.fgl)");
    EXPECT_EQ(QtFileFilter("Lessons|*.fgl|All|*.*"), "Lessons (*.fgl);;All (*.*)");
}

}  // namespace
}  // namespace torvex::test

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
