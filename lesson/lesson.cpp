// Lesson file reading (placeholder until it lands).
#include "lesson/lesson.h"

#include <cstdlib>

#include "app/sim.h"

namespace torvex {

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
