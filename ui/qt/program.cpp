// The windowed program: splash, main window, the main loop and the hand-off at its end.
#include "ui/qt/program.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>
#include <memory>

#include "app/run_control.h"
#include "app/sim.h"
#include "driver/hand_off.h"
#include "ui/clock.h"
#include "ui/qt/icons.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/script.h"
#include "ui/qt/small_windows.h"

namespace torvex {

int RunWindowProgram(int argc, char** argv, const std::string& programDir, const WindowProgramOptions& options) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Torvex");
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setWindowIcon(WindowIcon());
    // The window is laid out in pixels for a small sans face; a condensed one keeps the captions inside.
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setStretch(QFont::SemiCondensed);
    QApplication::setFont(font);

    QtUi ui;
    SystemClock wall;
    Sim sim(ui, wall);
    sim.programDir = programDir;
    MainWindow main(sim);
    ui.Attach(&main, programDir);

    SplashWindow splash(programDir, [&main] {
        main.Load();
        main.show();
        main.activateWindow();
    });
    splash.show();
    splash.activateWindow();
    splash.setFocus();
    splash.PlayIntroSound();

    std::unique_ptr<Script> script;
    if (!options.script.empty())
        script = std::make_unique<Script>(QString::fromStdString(options.script), sim, ui, main, splash);

    RunLoop(sim);
    HandOff(programDir);
    return 0;
}

}  // namespace torvex
