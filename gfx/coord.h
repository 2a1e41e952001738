// Coordinate helpers shared by the drawing code and the pixel primitives.
#pragma once

#include <climits>
#include <cstdint>

// a + b, limited to the int range: offsets added to caller coordinates are
// summed in 64 bits, so extreme positions clip like any other off-buffer
// position instead of overflowing.
inline int coordAdd(int64_t a, int64_t b) {
    const int64_t s = a + b;
    if (s > INT_MAX) return INT_MAX;
    if (s < INT_MIN) return INT_MIN;
    return static_cast<int>(s);
}

// Element of pixel (x, y) in a bottom-up buffer: row 0 of the picture is the
// last row in memory.
inline int64_t pixelIndex(int w, int h, int x, int y) {
    return x + static_cast<int64_t>(w) * (h - 1 - y);
}
