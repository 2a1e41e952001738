// Float-to-int conversion used wherever the unit truncates a reading.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Truncates toward zero like a plain cast, but saturates at the int range and
// takes NaN as 0, so replaced sensor values can never cause undefined behaviour.
inline int truncToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}
