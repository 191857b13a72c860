// The end of the program: the follow-on program started once the main loop has ended.
#include "driver/hand_off.h"

#include <spawn.h>

#include <cctype>
#include <filesystem>

extern char** environ;

namespace torvex {

std::optional<std::string> FollowOnProgram(std::string_view programFolder) {
    // Only a drive-letter path names a drive; "\\server\share" or "/home/..." would form a
    // command that cannot start, so it is not formed at all.
    if (programFolder.size() < 2 || !std::isalpha(static_cast<unsigned char>(programFolder[0])) ||
        programFolder[1] != ':')
        return std::nullopt;
    return std::string(1, programFolder[0]) + ":\\kestrin.exe";
}

void HandOff(const std::string& programFolder) {
    auto program = FollowOnProgram(programFolder);
    if (!program) return;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(*program, ec)) return;
    // The process ends right after this, so the child is adopted by init and never waited for.
    pid_t pid = 0;
    char* argv[] = {program->data(), nullptr};
    posix_spawn(&pid, program->c_str(), nullptr, nullptr, argv, environ);
}

}  // namespace torvex
