// Screen checks for the run-time and timer page tests, on top of page_text:
// the unit's screen captured from the window picture, and whole regions
// compared with text and icons drawn alone where a page must draw them.
#pragma once

#include <cstdint>

#include "app/colours.h"
#include "app_support.h"
#include "gfx/font.h"
#include "gfx/gfx.h"
#include "gfx/icons.h"
#include "page_text.h"
#include "unit_driver.h"

namespace page_screen {

// The screen as the window shows it now.
inline void capture(Screen& s) {
    for (int y = 0; y < FB_HEIGHT; ++y) {
        for (int x = 0; x < FB_WIDTH; ++x) {
            gfx_put_pixel(s.px, FB_WIDTH, FB_HEIGHT, x, y, unit::screen(x, y));
        }
    }
}

// Reads a captured screen for the checks of page_text.
inline auto pixelsOf(const Screen& s) {
    return [&s](int x, int y) { return s.at(x, y); };
}

// Whether the rectangle x0 <= x < x1, y0 <= y < y1 holds text of colour c.
inline bool ink(const Screen& s, int x0, int y0, int x1, int y1, uint32_t c) {
    return page_text::hasInk(pixelsOf(s), x0, y0, x1, y1, c);
}

// Whether every pixel of the rectangle is the black background.
inline bool blank(const Screen& s, int x0, int y0, int x1, int y1) {
    return page_text::blank(pixelsOf(s), x0, y0, x1, y1);
}

// Whether w x h pixels of a from (ax, ay) equal those of b from (bx, by),
// alpha aside (the window shows every pixel opaque).
inline bool sameRegion(const Screen& a, int ax, int ay, const Screen& b, int bx, int by, int w,
                       int h) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!page_text::sameRgb(a.at(ax + x, ay + y), b.at(bx + x, by + y))) return false;
        }
    }
    return true;
}

// Pieces of text drawn on black where a page is to draw them.
struct Reference {
    Screen s;
    Reference() { s.fill(COLOUR_BLACK); }
    Reference& text(int font, int x, int y, uint32_t c, const char* t) {
        font_draw_text(s.px, FB_WIDTH, FB_HEIGHT, font, x, y, c, t);
        return *this;
    }
    Reference& centred(int font, int x, int y, uint32_t c, const char* t) {
        font_draw_text_centered(s.px, FB_WIDTH, FB_HEIGHT, font, x, y, c, t);
        return *this;
    }
    Reference& icon(const Icon4& i, int x, int y) {
        gfx_draw_icon(s.px, FB_WIDTH, FB_HEIGHT, i, x, y, COLOUR_WHITE);
        return *this;
    }
    // "hh:mm:ss" in the large look, hours' cell at (x, y): digits in font 3,
    // colons in font 4 two rows higher, at columns +24, +33, +57 and +66.
    Reference& largeTime(int x, int y, uint32_t c, const char* hhmmss) {
        const Fields f = split(hhmmss);
        return text(FONT_NUM_23, x, y, c, f.h)
            .text(FONT_NUM_29, x + 24, y - 2, c, ":")
            .text(FONT_NUM_23, x + 33, y, c, f.m)
            .text(FONT_NUM_29, x + 57, y - 2, c, ":")
            .text(FONT_NUM_23, x + 66, y, c, f.s);
    }
    // "hh:mm:ss" in the small look: everything in font 2 on one row, at
    // columns +22, +29, +51 and +59.
    Reference& smallTime(int x, int y, uint32_t c, const char* hhmmss) {
        const Fields f = split(hhmmss);
        return text(FONT_NUM_20, x, y, c, f.h)
            .text(FONT_NUM_20, x + 22, y, c, ":")
            .text(FONT_NUM_20, x + 29, y, c, f.m)
            .text(FONT_NUM_20, x + 51, y, c, ":")
            .text(FONT_NUM_20, x + 59, y, c, f.s);
    }
    // Whether the rectangle of screen s matches the reference.
    bool matches(const Screen& other, int x0, int y0, int x1, int y1) const {
        return sameRegion(s, x0, y0, other, x0, y0, x1 - x0, y1 - y0);
    }

private:
    struct Fields {
        char h[3], m[3], s[3];
    };
    static Fields split(const char* t) {
        return {{t[0], t[1], '\0'}, {t[3], t[4], '\0'}, {t[6], t[7], '\0'}};
    }
};

}  // namespace page_screen
