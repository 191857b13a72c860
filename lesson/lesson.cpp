// Loading a lesson: reading the file, the map copy, and the Open Lesson and Reset commands.
#include "lesson/lesson.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/run_control.h"
#include "app/sim.h"
#include "display/map_image.h"
#include "fire/grid.h"
#include "resources/deploy.h"
#include "resources/roster.h"

namespace torvex {

namespace {

namespace fs = std::filesystem;

// The largest file the layout can describe; anything after the map is ignored, so a file picked
// by mistake is never read further than this.
constexpr uintmax_t kMaxLessonBytes = 26 + 2 + uintmax_t(kMaxClasses) * 90 + 2 +
                                      uintmax_t(kMaxResources) * (60 + 32767) + 2 +
                                      uintmax_t(kMaxEvents) * (22 + 2 * 32767) + kMapBitmapBytes;

bool ReadWholeFile(const std::string& name, std::vector<uint8_t>* out, std::string* why) {
    std::error_code ec;
    fs::file_status st = fs::status(name, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) {
        *why = "the file cannot be read (" + ec.message() + ")";
        return false;
    }
    if (!fs::exists(st)) {
        *why = "the file does not exist";
        return false;
    }
    if (fs::is_directory(st)) {
        *why = "it is a folder, not a file";
        return false;
    }
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        *why = std::string("the file cannot be read (") + std::strerror(errno) + ")";
        return false;
    }
    out->clear();
    char chunk[65536];
    while (in && out->size() < kMaxLessonBytes) {
        size_t want = static_cast<size_t>(std::min<uintmax_t>(sizeof chunk, kMaxLessonBytes - out->size()));
        in.read(chunk, static_cast<std::streamsize>(want));
        out->insert(out->end(), chunk, chunk + in.gcount());
    }
    if (in.bad()) {
        *why = "the file cannot be read";
        return false;
    }
    return true;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes the map to a temporary name beside Current.Fue and renames it over, so the file is
// always either the previous map or the new one, never half of one.
bool WriteMapCopy(const std::vector<uint8_t>& bitmap, std::string* path, std::string* why) {
    const std::string dir = MapCacheDir();
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        *why = "the map copy cannot be written: the folder " + dir + " cannot be made (" + ec.message() + ")";
        return false;
    }
    const std::string final = (fs::path(dir) / "Current.Fue").string();
    const std::string temp = final + ".part-" + std::to_string(::getpid());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        *why = "the map copy " + final + " cannot be written (" + std::strerror(errno) + ")";
        return false;
    }
    bool ok = WriteAll(fd, bitmap) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok) {
        fs::rename(temp, final, ec);
        if (ec) {
            ok = false;
            err = ec.value();
        }
    }
    if (!ok) {
        ::unlink(temp.c_str());
        *why = "the map copy " + final + " cannot be written (" + std::strerror(err) + ")";
        return false;
    }
    *path = final;
    return true;
}

// The common end of Open Lesson and Reset once the file has been read.
void LessonReady(Sim& sim) {
    sim.ui.SetEnabled(Control::mnuShow, true);
    // A texture that failed to draw is named on the message line rather than hidden behind the prompt.
    const std::string& problem = sim.display.ComposeProblem;
    sim.ui.SetText(Control::lblMsg, problem.empty() ? std::string("Click [ >] to start") : problem + " - Click [ >] to start");
    sim.run.LessonLoaded = kTrue;
    sim.run.RunState = "STOP";
}

bool IsFile(const std::string& name) {
    std::error_code ec;
    return !name.empty() && fs::is_regular_file(name, ec);
}

}  // namespace

std::string MapCacheDir() {
    if (const char* d = std::getenv("TORVEX_MAP_DIR"); d && *d) return d;
    if (const char* d = std::getenv("XDG_CACHE_HOME"); d && *d) return std::string(d) + "/torvex";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.cache/torvex";
}

bool ReadLesson(Sim& sim, const std::string& name) {
    // Everything is read and checked before anything current is touched.
    std::string why;
    std::vector<uint8_t> bytes;
    std::optional<LessonFile> file;
    std::string mapPath;
    if (ReadWholeFile(name, &bytes, &why)) file = ParseLesson(bytes, &why);
    if (!file || !WriteMapCopy(file->MapBitmap, &mapPath, &why)) {
        sim.ui.MessageBox("Cannot open lesson " + name + ": " + why);
        return false;
    }
    bytes = {};

    sim.run.RunState = "STOP";
    AbandonDeployment(sim);
    Lesson& lesson = sim.lesson;
    lesson.Conditions = file->Conditions;
    lesson.ScenarioEvents = std::move(file->Events);
    lesson.MapBitmap = std::move(file->MapBitmap);
    lesson.MapFilePath = mapPath;
    // The classes live only as long as the roster build needs them.
    BuildRoster(sim.roster, file->Classes, file->Resources);
    file.reset();

    MakeAir(sim, lesson.MapFilePath);
    InitialiseRun(sim);
    return true;
}

void OpenLesson(Sim& sim) {
    std::string name;
    for (;;) {
        std::optional<std::string> chosen = sim.ui.OpenFileDialog("Open Lesson", "Fire Growth Lesson Files (*.fgl)");
        if (!chosen) return;
        name = Trim(*chosen);
        if (IsFile(name)) break;
        sim.ui.MessageBox("File <" + name + "> Not Found");
    }
    // The dialog may run while a fire step has yielded; the load waits for the step to return.
    RunWhenNoStep(sim, [name](Sim& s) {
        if (!ReadLesson(s, name)) return;
        s.ui.SetText(Control::frmAttack, "Torvex - " + name);
        s.lesson.LessonPath = name;
        LessonReady(s);
    });
}

void ResetLesson(Sim& sim) {
    if (sim.lesson.LessonPath.empty()) return;
    RunWhenNoStep(sim, [](Sim& s) {
        const std::string name = s.lesson.LessonPath;
        if (name.empty() || !ReadLesson(s, name)) return;
        LessonReady(s);
    });
}

}  // namespace torvex
