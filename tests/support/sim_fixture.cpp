// Small lessons in memory for headless tests.
#include "support/sim_fixture.h"

#include <cstring>

#include "app/run_control.h"

namespace torvex::test {

namespace {
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}
void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
}  // namespace

std::vector<uint8_t> UniformMapBitmap(uint8_t fuel, float cellSizeM) {
    std::vector<uint8_t> b(kMapBitmapBytes, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, kMapBitmapBytes);
    std::memcpy(&b[6], &cellSizeM, 4);
    Put32(b, 10, kMapBitmapHeaderBytes);
    Put32(b, 14, 40);
    Put32(b, 18, 256);
    Put32(b, 22, 256);
    Put16(b, 26, 1);
    Put16(b, 28, 8);
    Put32(b, 34, 65536);
    for (int i = 0; i < 256; ++i) {  // a grey ramp colour table (b, g, r, 0)
        b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = uint8_t(i);
    }
    std::memset(&b[kMapBitmapHeaderBytes], fuel, 65536);
    return b;
}

void SetMapCell(std::vector<uint8_t>& b, int x, int y, uint8_t fuel) {
    b[kMapBitmapHeaderBytes + static_cast<size_t>(255 - y) * 256 + x] = fuel;
}

void SimFixture::LoadInMemory(const InitialConditions& ic, std::vector<ScenarioEvent> events,
                              std::vector<uint8_t> bitmap) {
    sim->lesson.Conditions = ic;
    sim->lesson.ScenarioEvents = std::move(events);
    sim->lesson.MapBitmap = std::move(bitmap);
    sim->run.RunState = "STOP";
    InitialiseRun(*sim);
    sim->run.LessonLoaded = kTrue;
    sim->run.RunState = "STOP";
}

}  // namespace torvex::test
