// Running a lesson without a window: the instructors' runner and the program's headless demo.
#pragma once

#include <ostream>
#include <string>

namespace torvex {

// The program started without a display: runs the first demo lesson of programDir/lessons,
// prints a summary to out and writes a picture of the final map. Returns the exit status.
int HeadlessDemoMain(const std::string& programDir, std::ostream& out);

}  // namespace torvex
