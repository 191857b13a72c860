// Main window geometry: the layout rule of the viewport, scroll bars and message line, size limits, small displays.
#pragma once

#include <optional>

namespace torvex {

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

// Design figures of frmAttack, pixels.
constexpr int kMapPixels = 512;
constexpr int kViewportLeft = 136;  // Picture1 keeps its design left and top
constexpr int kViewportTop = 0;
constexpr int kFrame1Height = 155;
constexpr int kDesignClientWidth = 650, kDesignClientHeight = 531;
constexpr int kMinOuterWidth = 550, kMinOuterHeight = 450;
constexpr int kMaxOuterWidth = 658, kMaxOuterHeight = 577;

// The scroll bars as they stand before a layout.
struct ScrollState {
    bool visible = false;
    int hValue = 0, vValue = 0;
};

struct MainLayout {
    Box viewport;  // Picture1
    bool barsVisible = false;
    Box hBar, vBar;
    int hMax = 0, vMax = 0;
    int hValue = 0, vValue = 0;  // both 0 while hidden
    Box message;                 // lblMsg (its height stays at design)
    int frame1Top = 0;
};

// The layout rule for a client area of w x h pixels.
MainLayout LayoutMainWindow(int w, int h, const ScrollState& before);

// Where picAir lies inside the viewport for the bars' values (x and y, never positive).
inline int MapOffset(int barValue) { return -barValue; }

// True when the display is too small for the window, or its size is unknown.
bool CheckDisplaySize(std::optional<int> screenWidth, std::optional<int> screenHeight);

}  // namespace torvex
