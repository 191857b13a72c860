// The small window-system interface the logic talks through; Qt implements it, tests fake it, tools null it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvex {

// Controls the logic sets by name; the names are the window's own.
enum class Control {
    // main window frmAttack
    frmAttack,  // its caption
    btnPlay, btnPause, btnStop, cmdReplay, spnReplay,
    lblDay, lblTime, lblElapse, lblAcres, lblCost, lblWS, lblWD, lblMsg,
    btnHel, btnAT, btnBull, btnCrew,
    fraRes, lblDist, chkBurn, optBurnLeft, optBurnRight, cmdOK, cmdCancel,
    picFuel, mnuShow,
    Count
};

enum class Pointer { Arrow, Crosshair, Hourglass };

class ResourceListWindow;  // the modal list's logic (resources/resource_list.h)

// What the logic needs from the window system. Every call is cheap and returns at once,
// except the modal ones (MessageBox, OpenFileDialog, ShowResourceList).
class Ui {
public:
    virtual ~Ui() = default;

    virtual void SetText(Control c, std::string_view text) = 0;
    virtual void SetPressed(Control c, bool pressed) = 0;
    virtual void SetEnabled(Control c, bool enabled) = 0;
    virtual void SetVisible(Control c, bool visible) = 0;
    // Check boxes and option buttons: the logic reads what the trainee set.
    virtual bool IsChecked(Control c) const = 0;
    virtual void SetChecked(Control c, bool checked) = 0;

    // Ground marker GrndRes(index): visible, box left/top in map pixels, colours 0x00BBGGRR.
    virtual void SetMarker(int index, bool visible, int left, int top, uint32_t fill, uint32_t border) = 0;

    virtual void SetPointer(Pointer p) = 0;
    // Photograph of the active fuel in picFuel; an empty path clears it.
    virtual void ShowFuelPhoto(const std::string& path) = 0;

    // Modal message box with an OK button.
    virtual void MessageBox(std::string_view text) = 0;
    // Modal open-file dialog; nullopt when cancelled.
    virtual std::optional<std::string> OpenFileDialog(std::string_view title, std::string_view filter) = 0;
    // Modal resource list; returns when the trainee closes it.
    virtual void ShowResourceList(ResourceListWindow& window) = 0;

    // Let the window system deliver pending events (handlers run inside).
    virtual void ProcessEvents() = 0;
    // Block until an event arrives or maxMs pass; the idle loop's wait.
    virtual void WaitForEvents(int maxMs) = 0;
    // The map picture changed: show it again (the widget repaints its dirty area once per pass).
    virtual void RefreshMap() = 0;
};

// Headless: nothing is shown; the message line can be watched by a tool.
class NullUi : public Ui {
public:
    void SetText(Control, std::string_view) override {}
    void SetPressed(Control, bool) override {}
    void SetEnabled(Control, bool) override {}
    void SetVisible(Control, bool) override {}
    bool IsChecked(Control) const override { return false; }
    void SetChecked(Control, bool) override {}
    void SetMarker(int, bool, int, int, uint32_t, uint32_t) override {}
    void SetPointer(Pointer) override {}
    void ShowFuelPhoto(const std::string&) override {}
    void MessageBox(std::string_view) override {}
    std::optional<std::string> OpenFileDialog(std::string_view, std::string_view) override { return std::nullopt; }
    void ShowResourceList(ResourceListWindow&) override {}
    void ProcessEvents() override {}
    void WaitForEvents(int) override {}
    void RefreshMap() override {}
};

}  // namespace torvex
