// The end of the program: the follow-on program started once the main loop has ended.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace torvex {

// The follow-on program for a program folder: "<drive>:\kestrin.exe" on the folder's own drive,
// or nothing when the folder does not begin with a drive letter (network and Linux paths).
std::optional<std::string> FollowOnProgram(std::string_view programFolder);

// Starts the follow-on program detached, if there is one; failures are ignored.
void HandOff(const std::string& programFolder);

}  // namespace torvex
