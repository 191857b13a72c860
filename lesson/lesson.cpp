// Lesson file reading (placeholder until it lands).
#include "lesson/lesson.h"

#include <cstdlib>

#include "app/sim.h"

namespace torvex {

std::optional<LessonFile> ParseLesson(const std::vector<uint8_t>&, std::string* error) {
    if (error) *error = "not implemented";
    return std::nullopt;
}
std::vector<uint8_t> SerialiseLesson(const LessonFile&) { return {}; }
std::string MapCacheDir() {
    if (const char* d = std::getenv("TORVEX_MAP_DIR"); d && *d) return d;
    if (const char* d = std::getenv("XDG_CACHE_HOME"); d && *d) return std::string(d) + "/torvex";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.cache/torvex";
}
bool ReadLesson(Sim&, const std::string&) { return false; }
void OpenLesson(Sim&) {}
void ResetLesson(Sim&) {}

}  // namespace torvex
