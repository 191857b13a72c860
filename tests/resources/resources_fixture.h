// A running lesson on a uniform map with resources added by hand, for the suppression tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "resources/resource_list.h"
#include "support/sim_fixture.h"

namespace torvex::test {

class ResourcesTest : public ::testing::Test, public SimFixture {
protected:
    static constexpr float kCellSize = 30.0f;

    void SetUp() override {
        InitialConditions ic;
        ic.ConditionsSet = 1;
        ic.Moisture1Hour = ic.Moisture10Hour = ic.Moisture100Hour = 8;
        ic.MoistureHerbaceous = ic.MoistureWoody = 100;
        ic.TimeRatio = 10;
        ic.RefuelTime = 20;
        ic.ReloadTime = 12;
        LoadInMemory(ic, {}, UniformMapBitmap(1, kCellSize));
        sim->roster.Roster.assign(1, Resource{});
        sim->roster.ResourceCount = 0;
        sim->run.RunState = "RUN";
        sim->run.RunStarted = kTrue;
        sim->run.OnSite = kTrue;
    }

    Sim& s() { return *sim; }
    Resource& R(int i) { return sim->roster.Roster[i]; }

    // Appends a roster entry; kind as a class would hand it over (blank-padded to 10).
    int Add(const std::string& name, const std::string& kind, const std::string& status = "Active",
            const std::string& activity = "Available") {
        Resource r;
        r.Name = name;
        r.ClassName = (kind + " class").append(32 - kind.size() - 6, ' ');
        r.Kind = kind + std::string(10 - kind.size(), ' ');
        r.Status = status;
        r.Activity = activity;
        sim->roster.Roster.push_back(r);
        return ++sim->roster.ResourceCount;
    }

    // The trainee's answer to the modal list: pick the named row and press Select.
    void AnswerListWith(const std::string& name) {
        ui.onResourceList = [name](ResourceListWindow& w) {
            w.ClickRow(w.FindRow(name));
            w.SelectClicked();
        };
    }

    int LogCount() const { return sim->paint.count; }
};

}  // namespace torvex::test
