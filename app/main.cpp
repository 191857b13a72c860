// Start-up: the program folder made current, then the window where a display exists, otherwise a headless demo run.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "driver/headless.h"
#include "ui/qt/program.h"

namespace {

std::string ProgramFolder(const char* argv0) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string programDir = ProgramFolder(argv[0]);

    bool headless = false;
    torvex::WindowProgramOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            headless = true;
        } else if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc) {
            options.script = argv[++i];
        } else if (std::strcmp(argv[i], "--help") == 0) {
            std::cout << "usage: torvex [--headless] [--script \"step; step; ...\"]\n"
                         "  --headless  run the first demo lesson without a window and print a summary\n"
                         "  --script    play trainee steps into the window (splash, ok, open PATH, play, pause,\n"
                         "              stop, replay, back N, forward N, wait S, until-stopped S, legend,\n"
                         "              initcond, fuel, shot FILE, shot-legend FILE, shot-initcond FILE,\n"
                         "              shot-fuel FILE, shot-screen FILE, latency S, click BUTTON, row N,\n"
                         "              line X1 Y1 X2 Y2 ..., quit)\n";
            return 0;
        }
    }
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const bool hasDisplay = (display && *display) || (wayland && *wayland);
    // The headless demo finds its data by programDir and writes its picture where the user started it.
    if (headless || !hasDisplay) return torvex::HeadlessDemoMain(programDir, std::cout);
    // Data files named without a folder are the program's own.
    std::error_code ec;
    std::filesystem::current_path(programDir, ec);
    return torvex::RunWindowProgram(argc, argv, programDir, options);
}
