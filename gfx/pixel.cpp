// Channel scaling for the icons. Pixel access, color_lerp and color_add_sat
// are inline in gfx.h, where every drawing file can inline them.
#include "gfx/gfx.h"

#include "gfx/coord.h"
#include "gfx/trunc.h"

#include <algorithm>

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int CHANNEL_MAX = 255;
constexpr int CHANNEL_SHIFTS[4] = {24, 16, 8, 0};  // A, R, G, B

// ---- Private helpers ------------------------------------------------------

int channel(uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFFu); }

uint32_t packChannel(int v, int shift) { return static_cast<uint32_t>(v) << shift; }

}  // namespace

// ---- Public operations ----------------------------------------------------

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
