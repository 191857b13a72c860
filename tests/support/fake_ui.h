// A fake window system for headless tests: records what the logic showed.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/clock.h"
#include "ui/ui.h"

namespace torvex::test {

struct ControlState {
    std::string text;
    bool pressed = false;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
};

struct MarkerState {
    bool visible = false;
    int left = 0, top = 0;
    uint32_t fill = 0, border = 0;
};

class FakeUi : public Ui {
public:
    std::array<ControlState, static_cast<size_t>(Control::Count)> controls{};
    std::array<MarkerState, 10> markers{};
    std::vector<std::string> messageBoxes;
    std::vector<std::string> messages;  // every text written to lblMsg, in order
    // Answers for the next file dialogs; an empty optional is a cancel.
    std::vector<std::optional<std::string>> dialogAnswers;
    int dialogsShown = 0;
    Pointer pointer = Pointer::Arrow;
    std::string photo;
    int processEventsCalls = 0;
    int refreshes = 0;
    // Called on ProcessEvents: lets a test act as the trainee in the middle of a step.
    std::function<void()> onProcessEvents;
    // Called when the resource list is shown modally.
    std::function<void(ResourceListWindow&)> onResourceList;

    ControlState& operator[](Control c) { return controls[static_cast<size_t>(c)]; }
    const ControlState& operator[](Control c) const { return controls[static_cast<size_t>(c)]; }

    void SetText(Control c, std::string_view text) override {
        (*this)[c].text = std::string(text);
        if (c == Control::lblMsg) messages.emplace_back(text);
    }
    void SetPressed(Control c, bool p) override { (*this)[c].pressed = p; }
    void SetEnabled(Control c, bool e) override { (*this)[c].enabled = e; }
    void SetVisible(Control c, bool v) override { (*this)[c].visible = v; }
    bool IsChecked(Control c) const override { return (*this)[c].checked; }
    void SetChecked(Control c, bool v) override { (*this)[c].checked = v; }
    void SetMarker(int i, bool visible, int left, int top, uint32_t fill, uint32_t border) override {
        markers[i] = {visible, left, top, fill, border};
    }
    void SetPointer(Pointer p) override { pointer = p; }
    void ShowFuelPhoto(const std::string& path) override { photo = path; }
    void MessageBox(std::string_view text) override { messageBoxes.emplace_back(text); }
    std::optional<std::string> OpenFileDialog(std::string_view, std::string_view) override {
        ++dialogsShown;
        if (dialogAnswers.empty()) return std::nullopt;
        auto a = dialogAnswers.front();
        dialogAnswers.erase(dialogAnswers.begin());
        return a;
    }
    void ShowResourceList(ResourceListWindow& w) override {
        if (onResourceList) onResourceList(w);
    }
    void ProcessEvents() override {
        ++processEventsCalls;
        if (onProcessEvents) onProcessEvents();
    }
    void WaitForEvents(int) override { ProcessEvents(); }
    void RefreshMap() override { ++refreshes; }
};

// A clock the test moves by hand; sleeping advances it.
class FakeClock : public WallClock {
public:
    double seconds = 1000.0;  // wall-clock seconds
    double midnightOffset = 0;  // time of day = (seconds + offset) mod 86400
    int64_t NowWholeSeconds() override { return static_cast<int64_t>(seconds); }
    double SecondsSinceMidnight() override {
        double t = seconds + midnightOffset;
        return t - 86400.0 * static_cast<int64_t>(t / 86400.0);
    }
    int64_t MonotonicMs() override { return static_cast<int64_t>(seconds * 1000.0); }
    void SleepMs(int ms) override { seconds += ms / 1000.0; }
};

}  // namespace torvex::test
