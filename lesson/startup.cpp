// The first load of the main window: its controls, the map drawing and the fuel map configuration.
#include "lesson/startup.h"

#include <fstream>

#include "app/sim.h"
#include "display/free_format.h"
#include "display/map_image.h"

namespace torvex {

namespace {
std::string InProgramDir(const Sim& sim, const std::string& name) {
    if (sim.programDir.empty()) return name;
    return sim.programDir + "/" + name;
}
}  // namespace

bool LoadMainWindow(Sim& sim, StartupWindow& window) {
    Ui& ui = sim.ui;
    window.InstallSizeLimits();
    if (window.DisplayTooSmall()) window.MoveToCornerAtMinimumSize();
    window.SetScrollSteps(5, 10);
    ui.SetVisible(Control::cmdReplay, false);
    ui.SetVisible(Control::spnReplay, false);
    Init_Graphics(sim);

    std::ifstream cfg(InProgramDir(sim, kFuelMapConfig));
    if (!cfg) {
        ui.MessageBox("Default Fuel Map must be set");
        return false;
    }
    if (auto item = ReadFreeItem(cfg)) sim.display.FuelTablePath = *item;
    cfg.close();

    LoadMapFile(sim);

    ui.SetEnabled(Control::mnuShow, false);
    ui.SetEnabled(Control::optBurnLeft, false);
    ui.SetEnabled(Control::optBurnRight, false);
    ui.SetVisible(Control::fraRes, false);
    ui.SetText(Control::lblMsg, "Click File - Open a lesson");
    for (Control c : {Control::btnPlay, Control::btnPause, Control::btnStop}) {
        ui.SetPressed(c, false);
        ui.SetEnabled(c, false);
    }
    ui.SetEnabled(Control::cmdReplay, false);
    ui.SetEnabled(Control::spnReplay, false);
    return true;
}

}  // namespace torvex
