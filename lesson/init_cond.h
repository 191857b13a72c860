// The read-only texts of the Initial Conditions window, from the lesson's starting conditions.
#pragma once

#include <array>
#include <string>

namespace torvex {

struct InitialConditions;

// The twelve boxes, in window order.
enum class InitCondBox {
    txtWS, txtWD, txtTemp, txtRH,
    txt1hr, txt10hr, txt100hr, txtHerb, txtWoody,
    txtSimulationTimeRatio,
    txtRefuelTime, txtReloadTime,
    Count
};
constexpr int kInitCondBoxes = static_cast<int>(InitCondBox::Count);

struct InitCondRow {
    InitCondBox box;
    const char* group;
    const char* label;
    const char* after;  // text after the box, or empty
};

// Groups, labels and boxes as the window shows them, top to bottom.
const std::array<InitCondRow, kInitCondBoxes>& InitCondRows();

// The box texts: all empty while ConditionsSet is 0.
std::array<std::string, kInitCondBoxes> InitialConditionTexts(const InitialConditions& ic);

}  // namespace torvex
