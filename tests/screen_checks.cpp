// Screen checks that do not depend on glyph shapes.
#include "screen_checks.h"

#include <algorithm>

#include "gfx/font.h"

namespace {

// Cell heights of the six fonts.
constexpr int FONT_HEIGHTS[FONT_COUNT] = {14, 18, 20, 23, 29, 51};
// Coverages from this nibble up tell the unit's text colours apart.
constexpr int MIN_DISTINCT_NIBBLE = 10;
constexpr int FULL_NIBBLE = 15;
// Captions are a few characters of at most 11 pixels each.
constexpr int CAPTION_HALF_WIDTH = 6;
constexpr int HIGHLIGHT_INSET = 2;
constexpr int HIGHLIGHT_HEIGHT = 14;

Rect onScreen(Rect r) {
    return {std::max(r.x0, 0), std::max(r.y0, 0), std::min(r.x1, FB_WIDTH),
            std::min(r.y1, FB_HEIGHT)};
}

bool sameIn(const Screen& a, const Screen& b, Rect r) {
    return sameRegion(a, r.x0, r.y0, b, r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
}

// The on-screen part of r matches the expected picture, which holds ink there.
bool matchesInk(const Screen& s, const Screen& expected, Rect r) {
    r = onScreen(r);
    return !blank(expected, r) && sameIn(s, expected, r);
}

// c laid over bg with coverage nibble n (weight n * 16 / 255), as the glyph
// drawing blends it.
uint32_t inkAt(uint32_t bg, uint32_t c, int n) {
    return color_lerp(bg, c, static_cast<float>(n * 16) / 255.0f);
}

bool sameRgb(uint32_t a, uint32_t b) { return ((a ^ b) & 0x00FFFFFFu) == 0; }

// The hours, minutes and seconds of "hh:mm:ss".
struct Fields {
    char h[3], m[3], s[3];
};

Fields split(const char* t) { return {{t[0], t[1], '\0'}, {t[3], t[4], '\0'}, {t[6], t[7], '\0'}}; }

bool inkedWith(uint32_t p, uint32_t bg, uint32_t c) {
    for (int n = MIN_DISTINCT_NIBBLE; n <= FULL_NIBBLE; ++n) {
        if (sameRgb(p, inkAt(bg, c, n))) return true;
    }
    return false;
}

}  // namespace

Rect leftTextCell(int font, int x, int y, const char* text) {
    return {x, y + 1, x + font_text_width(font, text), y + 1 + FONT_HEIGHTS[font]};
}

Rect centredTextCell(int font, int cx, int cy, const char* text) {
    return leftTextCell(font, cx - font_text_width(font, text) / 2, cy - FONT_HEIGHTS[font] / 2,
                        text);
}

bool showsText(const Screen& s, int font, int x, int y, uint32_t colour, const char* text) {
    static Screen alone;
    alone.fill(COLOUR_BLACK);
    font_draw_text(alone.px, FB_WIDTH, FB_HEIGHT, font, x, y, colour, text);
    return matchesInk(s, alone, leftTextCell(font, x, y, text));
}

bool showsCentred(const Screen& s, int font, int cx, int cy, uint32_t colour, const char* text) {
    const Rect cell = centredTextCell(font, cx, cy, text);
    return showsText(s, font, cell.x0, cell.y0 - 1, colour, text);
}

bool showsVertical(const Screen& s, int cx, int y, uint32_t colour, const char* text) {
    static Screen alone;
    alone.fill(COLOUR_BLACK);
    font_draw_text_vertical(alone.px, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, cx, y, colour, text);
    int lines = 0;
    while (text[lines] != '\0') ++lines;
    return matchesInk(s, alone,
                      {cx - CAPTION_HALF_WIDTH, y + 1, cx + CAPTION_HALF_WIDTH,
                       y + 1 + lines * FONT_HEIGHTS[FONT_TEXT_14]});
}

bool showsHighlightedRow(const Screen& s, int x, int y, int right, const char* text) {
    static Screen expected;
    expected.fill(COLOUR_BLACK);
    gfx_fill_rect(expected.px, FB_WIDTH, FB_HEIGHT, x - HIGHLIGHT_INSET, y, right,
                  y + HIGHLIGHT_HEIGHT, COLOUR_HIGHLIGHT);
    font_draw_text(expected.px, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, x, y, COLOUR_WHITE, text);
    const Rect cell = leftTextCell(FONT_TEXT_14, x, y, text);
    return sameIn(s, expected, {x - HIGHLIGHT_INSET - 1, y - 1, right + 1, cell.y1 + 1}) &&
           s.all(x - HIGHLIGHT_INSET, y, right, y + 1, COLOUR_HIGHLIGHT);
}

bool hasInk(const Screen& s, Rect r, uint32_t c, Backdrop under) {
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x) {
            if (s.at(x, y) == inkAt(under.at(x, y), c, FULL_NIBBLE)) return true;
        }
    }
    return false;
}

bool noInk(const Screen& s, Rect r, uint32_t c, Backdrop under) {
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x) {
            if (inkedWith(s.at(x, y), under.at(x, y), c)) return false;
        }
    }
    return true;
}

bool blank(const Screen& s, Rect r) { return s.all(r.x0, r.y0, r.x1, r.y1, COLOUR_BLACK); }

bool sameRegion(const Screen& a, int ax, int ay, const Screen& b, int bx, int by, int w, int h) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (a.at(ax + x, ay + y) != b.at(bx + x, by + y)) return false;
        }
    }
    return true;
}

Reference& Reference::text(int font, int x, int y, uint32_t c, const char* t) {
    font_draw_text(s.px, FB_WIDTH, FB_HEIGHT, font, x, y, c, t);
    return *this;
}

Reference& Reference::centred(int font, int x, int y, uint32_t c, const char* t) {
    font_draw_text_centered(s.px, FB_WIDTH, FB_HEIGHT, font, x, y, c, t);
    return *this;
}

Reference& Reference::icon(const Icon4& i, int x, int y) {
    gfx_draw_icon(s.px, FB_WIDTH, FB_HEIGHT, i, x, y, COLOUR_WHITE);
    return *this;
}

Reference& Reference::largeTime(int x, int y, uint32_t c, const char* hhmmss) {
    const Fields f = split(hhmmss);
    return text(FONT_NUM_23, x, y, c, f.h)
        .text(FONT_NUM_29, x + 24, y - 2, c, ":")
        .text(FONT_NUM_23, x + 33, y, c, f.m)
        .text(FONT_NUM_29, x + 57, y - 2, c, ":")
        .text(FONT_NUM_23, x + 66, y, c, f.s);
}

Reference& Reference::smallTime(int x, int y, uint32_t c, const char* hhmmss) {
    const Fields f = split(hhmmss);
    return text(FONT_NUM_20, x, y, c, f.h)
        .text(FONT_NUM_20, x + 22, y, c, ":")
        .text(FONT_NUM_20, x + 29, y, c, f.m)
        .text(FONT_NUM_20, x + 51, y, c, ":")
        .text(FONT_NUM_20, x + 59, y, c, f.s);
}
