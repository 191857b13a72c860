// Shared small helpers: flags, rounding halves-to-even, text trimming.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace torvex {

// Flags hold -1 for true and 0 for false.
using Flag = int16_t;
constexpr Flag kTrue = -1;
constexpr Flag kFalse = 0;
inline Flag ToFlag(bool b) { return b ? kTrue : kFalse; }

// Nearest whole number, halves to even (the default IEEE rounding mode).
inline double RoundHalfEven(double v) { return std::nearbyint(v); }

// Nearest 16-bit value, halves to even; saturates instead of overflowing.
inline int16_t Round16(double v) {
    double r = std::nearbyint(v);
    if (!(r >= -32768.0)) return std::isnan(r) ? 0 : -32768;
    if (r > 32767.0) return 32767;
    return static_cast<int16_t>(r);
}

// Nearest 32-bit value, halves to even; saturates instead of overflowing.
inline int32_t Round32(double v) {
    double r = std::nearbyint(v);
    if (!(r >= -2147483648.0)) return std::isnan(r) ? 0 : std::numeric_limits<int32_t>::min();
    if (r > 2147483647.0) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

// Surrounding blanks removed.
inline std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return std::string(s.substr(b, e - b));
}

}  // namespace torvex
