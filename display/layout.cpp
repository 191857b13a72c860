// The main window's layout rule and the small-display test.
#include "display/layout.h"

#include <algorithm>

namespace torvex {

namespace {
constexpr int kBarThickness = 17;
constexpr int kMessageHeight = 17;
}  // namespace

MainLayout LayoutMainWindow(int w, int h, const ScrollState& before) {
    MainLayout l;
    l.viewport.left = kViewportLeft;
    l.viewport.top = kViewportTop;
    const Box& p = l.viewport;
    if (w - p.left - 2 >= kMapPixels && h - p.top - 19 >= kMapPixels) {
        l.viewport.width = w - p.left;
        l.viewport.height = h - p.top - 17;
        l.barsVisible = false;
    } else {
        l.viewport.width = w - p.left - 17;
        l.viewport.height = h - p.top - 33;
        l.barsVisible = true;
        l.hBar = {p.left, h - 32, w - p.left - 16, kBarThickness};
        l.hMax = std::max(0, kMapPixels - p.width + 2);
        l.vBar = {w - 16, 0, kBarThickness, h - 32};
        l.vMax = std::max(0, kMapPixels - p.height + 2);
        // Bars that were already up keep their values (a larger maximum leaves them alone);
        // bars that appear start at the top-left.
        if (before.visible) {
            l.hValue = std::min(before.hValue, l.hMax);
            l.vValue = std::min(before.vValue, l.vMax);
        }
    }
    l.message = {p.left, h - 16, w - p.left - 16, kMessageHeight};
    l.frame1Top = h - kFrame1Height - 6;
    return l;
}

bool CheckDisplaySize(std::optional<int> screenWidth, std::optional<int> screenHeight) {
    if (!screenWidth || !screenHeight) return true;
    return *screenWidth < 800 || *screenHeight < 600;
}

}  // namespace torvex
