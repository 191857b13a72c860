// Scripted trainee actions: the JSON file, and carrying each action out through the window's handlers.
#include "driver/actions.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "app/common.h"
#include "app/sim.h"
#include "resources/deploy.h"
#include "resources/resource_list.h"

namespace torvex {

namespace {

using nlohmann::json;

bool IsDeployment(const std::string& what) {
    return what == "crew" || what == "equipment" || what == "tanker" || what == "helicopter";
}

bool KnownAction(const std::string& what) {
    return IsDeployment(what) || what == "callup" || what == "release" || what == "abort";
}

bool ReadPoint(const json& j, std::array<float, 2>& p) {
    if (!j.is_array() || j.size() != 2 || !j[0].is_number() || !j[1].is_number()) return false;
    p = {j[0].get<float>(), j[1].get<float>()};
    return std::isfinite(p[0]) && std::isfinite(p[1]);
}

// The roster's kind word for a deployment action, and the button that offers it.
bool KindOf(const std::string& word, DeployKind& kind) {
    if (word == "Helicopter") kind = DeployKind::Helicopter;
    else if (word == "Tanker") kind = DeployKind::Tanker;
    else if (word == "Equipment") kind = DeployKind::Equipment;
    else if (word == "Crew") kind = DeployKind::Crew;
    else return false;
    return true;
}

const char* KindWordFor(const std::string& what) {
    if (what == "crew") return "Crew";
    if (what == "equipment") return "Equipment";
    if (what == "tanker") return "Tanker";
    return "Helicopter";
}

int FindByName(const Sim& sim, const std::string& name) {
    const RosterState& roster = sim.roster;
    std::string wanted = Trim(name);
    int count = std::min<int>(roster.ResourceCount, static_cast<int>(roster.Roster.size()) - 1);
    for (int i = 1; i <= count; ++i)
        if (Trim(roster.Roster[i].Name) == wanted) return i;
    return 0;
}

// The list window's part of an action, as the trainee would click it. Returns why it failed.
std::string AnswerList(ResourceListWindow& w, const ScriptedAction& a) {
    std::string why;
    int row = w.FindRow(a.resource);
    if (row < 0) {
        why = "the resource list does not show it";
    } else {
        w.ClickRow(row);
        const std::string shown = w.Rows()[row].available;
        auto press = [&](ListButton b, void (ResourceListWindow::*click)()) {
            if (w.Visible(b) && w.Enabled(b))
                (w.*click)();
            else
                why = "the list does not offer that for it (it shows \"" + shown + "\")";
        };
        if (a.what == "callup")
            press(ListButton::cmdCallup, &ResourceListWindow::CallUpClicked);
        else if (a.what == "release")
            press(ListButton::cmdRelease, &ResourceListWindow::ReleaseClicked);
        else if (a.what == "abort")
            press(ListButton::cmdAbort, &ResourceListWindow::AbortClicked);
        else if (shown != "Now")
            why = "it is not free (the list shows \"" + shown + "\")";
        else
            w.SelectClicked();
    }
    if (!w.CloseRequested()) w.CloseClicked();
    return why;
}

void Click(Sim& sim, const std::array<float, 2>& p) {
    MapMouseDown(sim, p[0], p[1]);
    MapMouseUp(sim, p[0], p[1]);
}

// Carries one action out; returns why it could not be, or "" when it was.
std::string Carry(Sim& sim, const ScriptedAction& a) {
    int index = FindByName(sim, a.resource);
    if (!index) return "no resource of that name";
    const std::string kindWord = Trim(sim.roster.Roster[index].Kind);
    DeployKind kind;
    if (!KindOf(kindWord, kind)) return "its kind \"" + kindWord + "\" has no deployment button";
    if (IsDeployment(a.what) && kindWord != KindWordFor(a.what)) return "it is a " + kindWord + ", not a " + a.what;
    if (!sim.run.RunStarted) return "the run has not started";
    if (!sim.run.OnSite) return "resources are not on site yet";
    if (!sim.deploy.DeployMode.empty()) return "another deployment is open";

    std::string why = "the resource list did not open";
    sim.deploy.ScriptedList = [&](ResourceListWindow& w) { why = AnswerList(w, a); };
    DeployButtonClicked(sim, kind, true);
    sim.deploy.ScriptedList = nullptr;
    if (!why.empty() || !IsDeployment(a.what)) return why;
    if (sim.deploy.DeployMode.empty()) return "the deployment did not open";

    Ui& ui = sim.ui;
    if (a.what == "crew" || a.what == "equipment") {
        Control side = a.burnout == "right" ? Control::optBurnRight : Control::optBurnLeft;
        if (!a.burnout.empty()) {
            ui.SetChecked(Control::chkBurn, true);
            BurnOutClicked(sim);
            ui.SetChecked(side, true);
        }
        for (const auto& p : a.points) Click(sim, p);
        AcceptClicked(sim);
        if (!sim.deploy.DeployMode.empty()) {
            CancelClicked(sim);
            return "no free line slot";
        }
        // A window system without check boxes (the headless one) cannot hold the side; hand the
        // resource what the frame would have told it.
        Resource& r = sim.roster.Roster[index];
        if (!a.burnout.empty() && !ui.IsChecked(side)) {
            r.BurnLeft = ToFlag(a.burnout == "left");
            r.BurnRight = ToFlag(a.burnout == "right");
        }
    } else if (a.what == "tanker") {
        MapMouseDown(sim, a.points[0][0], a.points[0][1]);
        MapMouseMove(sim, a.points[1][0], a.points[1][1]);
        MapMouseUp(sim, a.points[1][0], a.points[1][1]);
        AcceptClicked(sim);
    } else {
        Click(sim, a.points[0]);
        AcceptClicked(sim);
    }
    return "";
}

}  // namespace

std::string DescribeAction(const ScriptedAction& a) {
    std::ostringstream s;
    s << "#" << a.number << " (" << a.what << " \"" << a.resource << "\" at minute " << a.minute << ")";
    return s.str();
}

bool ParseActions(std::string_view text, ActionScript& script, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    json j = json::parse(text, nullptr, false);
    if (j.is_discarded()) return fail("not valid JSON");
    if (!j.is_array()) return fail("the file must hold a JSON array of actions");
    ActionScript out;
    for (size_t k = 0; k < j.size(); ++k) {
        const json& e = j[k];
        ScriptedAction a;
        a.number = static_cast<int>(k + 1);
        std::string where = "action #" + std::to_string(k + 1);
        if (!e.is_object()) return fail(where + " is not an object");
        if (!e.contains("minute") || !e["minute"].is_number() || !(e["minute"].get<double>() >= 0))
            return fail(where + ": \"minute\" must be a number of minutes, 0 or more");
        a.minute = e["minute"].get<double>();
        if (!e.contains("do") || !e["do"].is_string()) return fail(where + ": \"do\" must be a text");
        a.what = e["do"].get<std::string>();
        if (!KnownAction(a.what))
            return fail(where + ": unknown \"do\" \"" + a.what +
                        "\" (callup, release, abort, crew, equipment, tanker or helicopter)");
        if (!e.contains("resource") || !e["resource"].is_string()) return fail(where + ": \"resource\" must be a text");
        a.resource = e["resource"].get<std::string>();

        if (a.what == "crew" || a.what == "equipment" || a.what == "tanker") {
            if (!e.contains("points") || !e["points"].is_array() || e["points"].empty())
                return fail(where + ": \"points\" must be a list of [x, y] map pixels");
            for (const json& p : e["points"]) {
                std::array<float, 2> xy{};
                if (!ReadPoint(p, xy)) return fail(where + ": each point must be [x, y] with two numbers");
                a.points.push_back(xy);
            }
            if (a.what == "tanker" && a.points.size() != 2)
                return fail(where + ": a tanker line takes exactly two points");
        }
        if (a.what == "helicopter") {
            std::array<float, 2> xy{};
            if (!e.contains("at") || !ReadPoint(e["at"], xy)) return fail(where + ": \"at\" must be [x, y]");
            a.points.push_back(xy);
        }
        if (e.contains("burnout")) {
            if (a.what != "crew" && a.what != "equipment")
                return fail(where + ": \"burnout\" is only for crew and equipment lines");
            if (!e["burnout"].is_string() || (e["burnout"] != "left" && e["burnout"] != "right"))
                return fail(where + ": \"burnout\" must be \"left\" or \"right\"");
            a.burnout = e["burnout"].get<std::string>();
        }
        out.actions.push_back(std::move(a));
    }
    script = std::move(out);
    return true;
}

bool ReadActions(const std::string& path, ActionScript& script, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot open actions file " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string why;
    if (!ParseActions(text.str(), script, &why)) {
        if (error) *error = path + ": " + why;
        return false;
    }
    return true;
}

void ApplyDueActions(Sim& sim, ActionScript& script, float simTime, std::ostream& warn, std::string_view program) {
    for (ScriptedAction& a : script.actions) {
        if (a.done || simTime < a.minute) continue;
        a.done = true;
        std::string why = Carry(sim, a);
        if (!why.empty()) warn << program << ": skipped action " << DescribeAction(a) << ": " << why << "\n";
    }
}

nlohmann::ordered_json ResourcesJson(const Sim& sim) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    const RosterState& roster = sim.roster;
    int count = std::min<int>(roster.ResourceCount, static_cast<int>(roster.Roster.size()) - 1);
    for (int i = 1; i <= count; ++i) {
        const Resource& r = roster.Roster[i];
        list.push_back({{"name", Trim(r.Name)},
                        {"kind", Trim(r.Kind)},
                        {"status", r.Status},
                        {"activity", r.Activity},
                        {"cost", std::round(static_cast<double>(r.Cost) * 100.0) / 100.0}});
    }
    return list;
}

}  // namespace torvex
