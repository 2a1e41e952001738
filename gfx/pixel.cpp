// Pixel access and the three channel operations every blend rests on.
// Bottom layer: nothing here calls another drawing operation.
#include "gfx/gfx.h"

#include "gfx/coord.h"
#include "gfx/trunc.h"

#include <algorithm>

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int CHANNEL_MAX = 255;
constexpr int CHANNEL_SHIFTS[4] = {24, 16, 8, 0};  // A, R, G, B

// ---- Private helpers ------------------------------------------------------

bool inside(int w, int h, int x, int y) { return x >= 0 && x < w && y >= 0 && y < h; }

int channel(uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFFu); }

uint32_t packChannel(int v, int shift) { return static_cast<uint32_t>(v) << shift; }

// A channel value limited to 0..255 and truncated; NaN gives 0. Same result as
// clamping truncToInt(v), without its range tests on the hot blending path.
int channelFromFloat(float v) {
    if (!(v > 0.0f)) return 0;
    if (v >= static_cast<float>(CHANNEL_MAX)) return CHANNEL_MAX;
    return static_cast<int>(v);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Stores c at (x, y) when the point lies inside the buffer.
void gfx_put_pixel(uint32_t* buf, int w, int h, int x, int y, uint32_t c) {
    if (inside(w, h, x, y)) buf[pixelIndex(w, h, x, y)] = c;
}

// Stores c at (x, y); the caller has clipped.
void gfx_put_pixel_unchecked(uint32_t* buf, int w, int h, int x, int y, uint32_t c) {
    buf[pixelIndex(w, h, x, y)] = c;
}

// The pixel at (x, y), 0 for any point outside the buffer.
uint32_t gfx_get_pixel(const uint32_t* buf, int w, int h, int x, int y) {
    return inside(w, h, x, y) ? buf[pixelIndex(w, h, x, y)] : 0u;
}

// The pixel at (x, y); the caller has clipped.
uint32_t gfx_get_pixel_unchecked(const uint32_t* buf, int w, int h, int x, int y) {
    return buf[pixelIndex(w, h, x, y)];
}

// Each channel times k in double precision, truncated, limited to 0..255
// (the lower limit only guards against a negative k, which no caller passes).
uint32_t color_scale(uint32_t c, double k) {
    uint32_t out = 0;
    for (int shift : CHANNEL_SHIFTS) {
        const int v = truncToInt(channel(c, shift) * k);
        out |= packChannel(std::clamp(v, 0, CHANNEL_MAX), shift);
    }
    return out;
}

// Each channel (1 - t) a + t b in single precision, truncated, limited to
// 0..255; the lower limit keeps weights just outside 0..1 (a line grazing row 0)
// from spilling a negative channel into its neighbours.
uint32_t color_lerp(uint32_t a, uint32_t b, float t) {
    uint32_t out = 0;
    for (int shift : CHANNEL_SHIFTS) {
        const float v = (1.0f - t) * static_cast<float>(channel(a, shift)) +
                        t * static_cast<float>(channel(b, shift));
        out |= packChannel(channelFromFloat(v), shift);
    }
    return out;
}

// Each channel a + b, limited at 255.
uint32_t color_add_sat(uint32_t a, uint32_t b) {
    uint32_t out = 0;
    for (int shift : CHANNEL_SHIFTS)
        out |= packChannel(std::min(channel(a, shift) + channel(b, shift), CHANNEL_MAX), shift);
    return out;
}
