// Placeholder until the headless runner lands.
#include "driver/headless.h"

namespace torvex {

int HeadlessDemoMain(const std::string&, std::ostream& out) {
    out << "Torvex: headless demo not built yet.\n";
    return 0;
}

}  // namespace torvex
