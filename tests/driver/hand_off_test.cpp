// The follow-on program started at exit.
#include <gtest/gtest.h>

#include "driver/hand_off.h"

namespace torvex {
namespace {

TEST(HandOffTest, FollowOnProgramLiesOnTheProgramsDrive) {
    struct Case {
        const char* folder;
        std::optional<std::string> program;
    };
    const Case cases[] = {
        {"D:\\Training\\Sim", "D:\\kestrin.exe"},
        {"c:\\", "c:\\kestrin.exe"},
        {"\\\\server\\share\\torvex", std::nullopt},  // network path: nothing starts
        {"/opt/torvex", std::nullopt},                 // Linux paths have no drive letter
        {"", std::nullopt},
        {"1:\\x", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(FollowOnProgram(c.folder), c.program) << c.folder;
}

TEST(HandOffTest, NothingToStartReturnsQuietly) {
    HandOff("/opt/torvex");
    HandOff("Q:\\no\\such\\drive");
}

}  // namespace
}  // namespace torvex
