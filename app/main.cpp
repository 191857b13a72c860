// Start-up: the window where a display exists, otherwise a headless demo run.
#include <cstdio>

int main(int argc, char** argv) {
    std::puts("Torvex: the window is not built yet.");
    return 0;
}
