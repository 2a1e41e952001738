// Screen checks that do not depend on glyph shapes: a region shows a given
// text, caption or highlighted row when its pixels equal that text drawn
// alone on the black background by the font operations; a region holds text
// of a colour when a pixel is that colour laid over what lies under it; and
// reference pictures built from pieces drawn where a page must draw them.
#pragma once

#include <cstdint>

#include "app/colours.h"
#include "app_support.h"
#include "gfx/font.h"
#include "gfx/icons.h"

// The cell a text covers: placed at y, rows y + 1 to y + the font's height.
Rect leftTextCell(int font, int x, int y, const char* text);
// The cell of a text that font_draw_text_centered centres on (cx, cy).
Rect centredTextCell(int font, int cx, int cy, const char* text);

// Whether the cell of text placed left-aligned at (x, y) in s equals the text
// drawn alone on black, and the text left ink there.
bool showsText(const Screen& s, int font, int x, int y, uint32_t colour, const char* text);
// The same for text centred on (cx, cy), checked at the cell the centring rule gives.
bool showsCentred(const Screen& s, int font, int cx, int cy, uint32_t colour, const char* text);
// The same for a font 0 caption written downwards, centred on cx from y.
bool showsVertical(const Screen& s, int cx, int y, uint32_t colour, const char* text);
// A magenta bar from (x - 2, y) to (right, y + 14) with the text in white on
// it, over the black background.
bool showsHighlightedRow(const Screen& s, int x, int y, int right, const char* text);

// What lies under text: one colour, or a whole picture.
struct Backdrop {
    uint32_t colour = COLOUR_BLACK;
    const Screen* picture = nullptr;
    Backdrop(uint32_t c) : colour(c) {}
    Backdrop(const Screen& p) : picture(&p) {}
    uint32_t at(int x, int y) const { return picture != nullptr ? picture->at(x, y) : colour; }
};

// Whether some pixel of r is colour c laid fully over the backdrop (a glyph's
// solid body): text of colour c stands there.
bool hasInk(const Screen& s, Rect r, uint32_t c, Backdrop under = COLOUR_BLACK);
// Whether no pixel of r is colour c over the backdrop at a coverage of 10/16
// or more, alpha aside: not even the edges of text of colour c are there.
bool noInk(const Screen& s, Rect r, uint32_t c, Backdrop under = COLOUR_BLACK);
// Whether every pixel of r is the black background.
bool blank(const Screen& s, Rect r);
// Whether w x h pixels of a from (ax, ay) equal those of b from (bx, by).
bool sameRegion(const Screen& a, int ax, int ay, const Screen& b, int bx, int by, int w, int h);

// Pieces drawn on black where a page is to draw them.
struct Reference {
    Screen s;
    Reference() { s.fill(COLOUR_BLACK); }
    Reference& text(int font, int x, int y, uint32_t c, const char* t);
    Reference& centred(int font, int x, int y, uint32_t c, const char* t);
    Reference& icon(const Icon4& i, int x, int y);
    // "hh:mm:ss" in the large look, hours' cell at (x, y): digits in font 3,
    // colons in font 4 two rows higher, at columns +24, +33, +57 and +66.
    Reference& largeTime(int x, int y, uint32_t c, const char* hhmmss);
    // "hh:mm:ss" in the small look: everything in font 2 on one row, at
    // columns +22, +29, +51 and +59.
    Reference& smallTime(int x, int y, uint32_t c, const char* hhmmss);
    // Whether rectangle r of other equals the reference there.
    bool matches(const Screen& other, Rect r) const {
        return sameRegion(s, r.x0, r.y0, other, r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    }
};
