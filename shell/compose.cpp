// Copies onto the top-down window canvas. The alpha byte of the unit's pixels
// is ignored: everything lands opaque, as on the real screen.
#include "shell/compose.h"

#include <algorithm>

#include "gfx/gfx.h"

static_assert(SCREEN_X + FB_WIDTH <= BEZEL_WIDTH && SCREEN_Y + FB_HEIGHT <= BEZEL_HEIGHT,
              "the screen must lie inside the bezel");

namespace {

// Copies one framebuffer row to screen row y of the canvas, opaque, and grows
// *changed by the span between the first and the last pixel that differed.
// Most rows of most frames are unchanged: one pass without branches tells.
void copyScreenRow(uint32_t* canvas, int y, const uint32_t* src, HostRect* changed) {
    uint32_t* dst = canvas + BEZEL_WIDTH * (SCREEN_Y + y) + SCREEN_X;
    uint32_t differ = 0;
    for (int x = 0; x < FB_WIDTH; ++x) differ |= dst[x] ^ (src[x] | CANVAS_OPAQUE);
    if (differ == 0) return;
    int first = 0;
    while (dst[first] == (src[first] | CANVAS_OPAQUE)) ++first;
    int last = FB_WIDTH - 1;
    while (dst[last] == (src[last] | CANVAS_OPAQUE)) --last;
    for (int x = first; x <= last; ++x) dst[x] = src[x] | CANVAS_OPAQUE;
    *changed = rectUnion(*changed, {SCREEN_X + first, SCREEN_Y + y, last - first + 1, 1});
}

}  // namespace

// Smallest rectangle holding a and b.
HostRect rectUnion(HostRect a, HostRect b) {
    if (a.w <= 0 || a.h <= 0) return b;
    if (b.w <= 0 || b.h <= 0) return a;
    const int x0 = std::min(a.x, b.x);
    const int y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.x + a.w, b.x + b.w);
    const int y1 = std::max(a.y + a.h, b.y + b.h);
    return {x0, y0, x1 - x0, y1 - y0};
}

// Flips the bottom-up bezel picture into the canvas.
void composeBezel(uint32_t* canvas, const uint32_t* picture) {
    for (int y = 0; y < BEZEL_HEIGHT; ++y) {
        const uint32_t* src = picture + BEZEL_WIDTH * (BEZEL_HEIGHT - 1 - y);
        uint32_t* dst = canvas + BEZEL_WIDTH * y;
        for (int x = 0; x < BEZEL_WIDTH; ++x) dst[x] = src[x] | CANVAS_OPAQUE;
    }
}

// Copies the framebuffer to (SCREEN_X, SCREEN_Y), rows turned top first.
void composeScreen(uint32_t* canvas, const uint32_t* fb, HostRect* changed) {
    for (int y = 0; y < FB_HEIGHT; ++y) {
        copyScreenRow(canvas, y, fb + FB_WIDTH * (FB_HEIGHT - 1 - y), changed);
    }
}

// Paints the screen area black.
void composeBlankScreen(uint32_t* canvas, HostRect* changed) {
    static constexpr uint32_t BLACK_ROW[FB_WIDTH] = {};
    for (int y = 0; y < FB_HEIGHT; ++y) {
        copyScreenRow(canvas, y, BLACK_ROW, changed);
    }
}
