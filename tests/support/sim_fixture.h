// Builds a Sim with a fake window and clock, and small lessons in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/sim.h"
#include "support/fake_ui.h"

namespace torvex::test {

// A 256 x 256 8-bit map bitmap, every cell of one fuel code, with the given cell size (m).
std::vector<uint8_t> UniformMapBitmap(uint8_t fuel, float cellSizeM = 30.0f);
// Sets one cell (x, y from the north-west corner) of a map bitmap.
void SetMapCell(std::vector<uint8_t>& bitmap, int x, int y, uint8_t fuel);

struct SimFixture {
    FakeUi ui;
    FakeClock clock;
    std::unique_ptr<Sim> sim = std::make_unique<Sim>(ui, clock);
    // Installs a lesson in memory as a load would, without a file: LessonLoaded, "STOP", a fresh run.
    void LoadInMemory(const InitialConditions& ic, std::vector<ScenarioEvent> events, std::vector<uint8_t> bitmap);
};

}  // namespace torvex::test
