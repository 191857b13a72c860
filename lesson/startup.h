// The first load of the main window: its controls, the map drawing and the fuel map configuration.
#pragma once

#include <string>

namespace torvex {

struct Sim;

// The window-side steps of the load that only the real window can do.
class StartupWindow {
public:
    virtual ~StartupWindow() = default;
    virtual void InstallSizeLimits() = 0;
    virtual bool DisplayTooSmall() = 0;              // CheckDisplaySize on the current screen
    virtual void MoveToCornerAtMinimumSize() = 0;
    virtual void SetScrollSteps(int small, int large) = 0;
};

// Name of the start-up file, looked up in the program folder.
inline constexpr const char* kFuelMapConfig = "FuelMap.cfg";

// Load handler of frmAttack, in its order. Returns false when "FuelMap.cfg" could not be opened
// (the message box was shown and the controls keep their designed states).
bool LoadMainWindow(Sim& sim, StartupWindow& window);

}  // namespace torvex
