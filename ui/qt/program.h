// The windowed program: splash, main window, the main loop and the hand-off at its end.
#pragma once

#include <string>

namespace torvex {

struct WindowProgramOptions {
    // Steps a scripted run performs as if the trainee did them (see ui/qt/script.h).
    std::string script;
};

// Runs the program with its windows until the main window closes. Returns the exit status.
int RunWindowProgram(int argc, char** argv, const std::string& programDir, const WindowProgramOptions& options);

}  // namespace torvex
