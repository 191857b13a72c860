// torvex-run: runs a lesson without a window and prints the panel minute by minute.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "driver/headless.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return torvex::HeadlessMain("torvex-run", args, torvex::ExecutableDir(argv[0]), std::cout, std::cerr,
                                isatty(STDERR_FILENO) != 0);
}
