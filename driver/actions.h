// Scripted trainee actions for window-less runs: read from a JSON file, applied through the handlers
// of the main window and the resource list at the simulated minutes they name.
#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

struct Sim;

struct ScriptedAction {
    int number = 0;       // 1-based place in the file, for messages
    double minute = 0;    // simulated minutes since the run started
    std::string what;     // "callup", "release", "abort", "crew", "equipment", "tanker", "helicopter"
    std::string resource; // a roster Name
    std::vector<std::array<float, 2>> points;  // map pixels; "at" of a helicopter is its one point
    std::string burnout;  // "", "left", "right"
    bool done = false;    // applied or skipped
};

struct ActionScript {
    std::vector<ScriptedAction> actions;  // in file order
};

// Parses the JSON array. False with a one-line reason naming the entry when it is not valid.
bool ParseActions(std::string_view text, ActionScript& script, std::string* error);
bool ReadActions(const std::string& path, ActionScript& script, std::string* error);

// Applies, in file order, every action not yet done whose minute simTime has reached. An action
// that cannot be carried out is skipped with one warning line on warn naming it.
void ApplyDueActions(Sim& sim, ActionScript& script, float simTime, std::ostream& warn, std::string_view program);

// One line naming an action: what, resource and minute.
std::string DescribeAction(const ScriptedAction& a);

// Every roster entry in roster order: name, kind, status, activity, cost.
nlohmann::ordered_json ResourcesJson(const Sim& sim);

}  // namespace torvex
