// Text checks that do not depend on glyph shapes: a region shows a given
// string when its pixels equal that string drawn alone over the background
// with the same text operation, and a region holds text of a colour when some
// pixel is that colour blended over the background by a high coverage.
#pragma once

#include <cstdint>

#include "app_support.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

namespace page_text {

inline constexpr uint32_t BACKGROUND = 0xFF000000u;

// The colours the pages draw in, as the user sees them.
inline constexpr uint32_t BLACK = 0xFF000000u;
inline constexpr uint32_t WHITE = 0xFFFFFFFFu;
inline constexpr uint32_t LABEL = 0xFF60F0F0u;
inline constexpr uint32_t GREY = 0xFF707070u;
inline constexpr uint32_t SEPARATOR = 0xFF888888u;
inline constexpr uint32_t CYAN = 0xFF00FFFFu;
inline constexpr uint32_t GREEN = 0xFF00FF00u;
inline constexpr uint32_t YELLOW = 0xFFFFFF00u;
inline constexpr uint32_t RED = 0xFFFF0000u;
inline constexpr int FONT_HEIGHTS[FONT_COUNT] = {14, 18, 20, 23, 29, 51};
// Coverages from this nibble up tell the unit's text colours apart.
inline constexpr int MIN_DISTINCT_NIBBLE = 10;

// The window shows the screen opaque; colours are compared without alpha.
inline bool sameRgb(uint32_t a, uint32_t b) { return ((a ^ b) & 0x00FFFFFFu) == 0; }

// Whether the cell of s drawn left-aligned at (x, y) looks exactly like s
// drawn alone, and is not empty.
template <class PixelAt>
bool showsText(PixelAt at, int font, int x, int y, uint32_t colour, const char* s) {
    static Screen alone;
    alone.fill(BACKGROUND);
    font_draw_text(alone.px, FB_WIDTH, FB_HEIGHT, font, x, y, colour, s);
    const int width = font_text_width(font, s);
    bool inked = false;
    for (int yy = y + 1; yy <= y + FONT_HEIGHTS[font]; ++yy) {
        for (int xx = x; xx < x + width; ++xx) {
            if (xx < 0 || yy < 0 || xx >= FB_WIDTH || yy >= FB_HEIGHT) continue;
            if (!sameRgb(at(xx, yy), alone.at(xx, yy))) return false;
            inked = inked || !sameRgb(alone.at(xx, yy), BACKGROUND);
        }
    }
    return inked;
}

// The same for s centred on (cx, cy) as font_draw_text_centered places it.
template <class PixelAt>
bool showsTextCentred(PixelAt at, int font, int cx, int cy, uint32_t colour, const char* s) {
    return showsText(at, font, cx - font_text_width(font, s) / 2, cy - FONT_HEIGHTS[font] / 2,
                     colour, s);
}

// Whether p is colour c laid over the background at a high coverage.
inline bool isInk(uint32_t p, uint32_t c) {
    for (int n = MIN_DISTINCT_NIBBLE; n <= 15; ++n) {
        if (sameRgb(p, color_lerp(BACKGROUND, c, static_cast<float>(n * 16) / 255.0f))) return true;
    }
    return false;
}

// Whether the rectangle x0 <= x < x1, y0 <= y < y1 holds text of colour c.
template <class PixelAt>
bool hasInk(PixelAt at, int x0, int y0, int x1, int y1, uint32_t c) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (isInk(at(x, y), c)) return true;
        }
    }
    return false;
}

// Whether every pixel of the rectangle is the background.
template <class PixelAt>
bool blank(PixelAt at, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (!sameRgb(at(x, y), BACKGROUND)) return false;
        }
    }
    return true;
}

}  // namespace page_text
