// Placeholder until the free-format reader lands.
#include "display/free_format.h"

namespace torvex {

std::optional<std::string> ReadFreeItem(std::istream&) { return std::nullopt; }

}  // namespace torvex
