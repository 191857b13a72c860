// Free-format text items: leading blanks skipped, "quoted" items may hold commas, else up to a comma or line end.
#pragma once

#include <istream>
#include <optional>
#include <string>

namespace torvex {

// Reads the next item; nullopt at the end of the input.
std::optional<std::string> ReadFreeItem(std::istream& in);

}  // namespace torvex
