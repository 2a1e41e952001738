// Text drawing with the six built-in fonts.
// Layering: font_draw_text, _centered, _right and _vertical all draw through
// font_draw_char, which blends each glyph pixel as color_lerp does, with the
// four-channel arithmetic of gfx.h; a cell reaching past the buffer goes
// through gfx_get_pixel and gfx_put_pixel, which clip.
#include "gfx/font.h"

#include "gfx/coord.h"
#include "gfx/gfx.h"

#include <array>
#include <cstring>

// ---- Constants ------------------------------------------------------------

namespace {

// A nibble n blends with weight (n x 16) / 255: full coverage (15) gives
// 240/255, so white text over black becomes 0xF0F0F0F0.
constexpr int NIBBLE_WEIGHT = 16;
constexpr float WEIGHT_DIVISOR = 255.0f;

// ---- Private helpers ------------------------------------------------------

// The font record, or nullptr for a number outside the table.
const FontRecord* fontAt(int font) {
    if (font < 0 || font >= FONT_COUNT) return nullptr;
    return &fontTable[font];
}

int glyphAdvance(const FontRecord& f, int k) { return f.offsets[k + 1] - f.offsets[k]; }

int advanceOf(const FontRecord& f, char ch) {
    int k = font_find_char(f, ch);
    return k < 0 ? FONT_MISSING_ADVANCE : glyphAdvance(f, k);
}

// Blend weight of each coverage nibble, (n x 16) / 255 in single precision.
constexpr std::array<float, 16> NIBBLE_WEIGHTS = [] {
    std::array<float, 16> weights{};
    for (int n = 0; n < 16; ++n)
        weights[n] = static_cast<float>(n * NIBBLE_WEIGHT) / WEIGHT_DIVISOR;
    return weights;
}();

// Moves a pixel towards the colour by a nibble's weight; both factors of the
// blend are taken from the nibble's entry, computed once per glyph.
struct NibbleBlend {
    float keep;                  // 1 - t
    gfx_detail::Floats4 toward;  // t times the colour's channels
};

// Blends the glyph at strip columns first .. first + advance - 1 into the
// buffer, data row j (bottom first) onto row y + height - j from column x.
// Two columns share a byte, and a zero byte (no coverage in either) is
// skipped whole; a cell wholly inside the buffer needs no check per pixel.
// The weights lie within 0..1, so a blend of channels within 0..255 stays
// within them but for a rounding far below 1, which the truncation absorbs:
// color_lerp's limits never act here.
void blendGlyph(uint32_t* buf, int w, int h, const FontRecord& f, int first, int advance, int x,
                int y, uint32_t colour) {
    using namespace gfx_detail;
    std::array<NibbleBlend, 16> blends;
    const Floats4 fg = channelsOf(colour);
    for (int n = 1; n < 16; ++n) blends[n] = {1.0f - NIBBLE_WEIGHTS[n], NIBBLE_WEIGHTS[n] * fg};

    const bool inside = x >= 0 && static_cast<int64_t>(x) + advance <= w && y + 1 >= 0 &&
                        static_cast<int64_t>(y) + f.height < h;
    const int end = first + advance;
    for (int j = 0; j < f.height; ++j) {
        const uint8_t* data = f.glyphs + (j * f.stripWidth) / 2;
        const int py = y + f.height - j;
        // color_lerp(p, colour, t) of column c with its two products taken apart.
        const auto blendColumn = [&](int c, int n) {
            // Weight 0 would leave the pixel exactly as it is: skip it.
            if (n == 0 || c < first || c >= end) return;
            const int px = x + (c - first);
            const auto blend = [&b = blends[n]](uint32_t p) {
                return pixelOf(b.keep * channelsOf(p) + b.toward);
            };
            if (inside) {
                uint32_t& p = buf[pixelIndex(w, h, px, py)];
                p = blend(p);
            } else {
                gfx_put_pixel(buf, w, h, px, py, blend(gfx_get_pixel(buf, w, h, px, py)));
            }
        };
        for (int i = first / 2; i < (end + 1) / 2; ++i) {
            const uint8_t byte = data[i];
            if (byte == 0) continue;
            blendColumn(2 * i, byte >> 4);
            blendColumn(2 * i + 1, byte & 0x0F);
        }
    }
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Index of the first occurrence of ch in the font's charset, or -1 (also for NUL).
int font_find_char(const FontRecord& font, char ch) {
    if (ch == '\0' || font.charset == nullptr) return -1;
    const char* at = std::strchr(font.charset, ch);
    return at == nullptr ? -1 : static_cast<int>(at - font.charset);
}

// Blends one glyph of f into rows y + 1 .. y + height from column x; returns
// its advance, 7 for a missing character.
int font_record_draw_char(uint32_t* buf, int w, int h, const FontRecord& f, int x, int y,
                          uint32_t colour, char ch) {
    int k = font_find_char(f, ch);
    if (k < 0) return FONT_MISSING_ADVANCE;
    int first = f.offsets[k];
    int advance = glyphAdvance(f, k);
    // A cell that starts right of or below the buffer shows nothing.
    if (x < w && y < h) blendGlyph(buf, w, h, f, first, advance, x, y, colour);
    return advance;
}

// Draws s from (x, y), each glyph after the previous one's advance.
void font_record_draw_text(uint32_t* buf, int w, int h, const FontRecord& f, int x, int y,
                           uint32_t colour, const char* s) {
    if (s == nullptr) return;
    // Once the pen is right of the buffer every later glyph is too.
    for (; *s != '\0' && x < w; ++s) x += font_record_draw_char(buf, w, h, f, x, y, colour, *s);
}

// Sum of the advances of s (7 per missing character); 0 for a null string.
int font_record_text_width(const FontRecord& f, const char* s) {
    if (s == nullptr) return 0;
    int width = 0;
    for (; *s != '\0'; ++s) width += advanceOf(f, *s);
    return width;
}

// The glyph of a font in the table; 0 for an unknown font.
int font_draw_char(uint32_t* buf, int w, int h, int font, int x, int y, uint32_t colour, char ch) {
    const FontRecord* f = fontAt(font);
    return f == nullptr ? 0 : font_record_draw_char(buf, w, h, *f, x, y, colour, ch);
}

void font_draw_text(uint32_t* buf, int w, int h, int font, int x, int y, uint32_t colour,
                    const char* s) {
    const FontRecord* f = fontAt(font);
    if (f != nullptr) font_record_draw_text(buf, w, h, *f, x, y, colour, s);
}

// 0 for an unknown font.
int font_text_width(int font, const char* s) {
    const FontRecord* f = fontAt(font);
    return f == nullptr ? 0 : font_record_text_width(*f, s);
}

// Draws s with its box centred on (cx, cy), halves rounded towards zero.
void font_draw_text_centered(uint32_t* buf, int w, int h, int font, int cx, int cy, uint32_t colour,
                             const char* s) {
    const FontRecord* f = fontAt(font);
    if (s == nullptr || f == nullptr) return;
    int x = coordAdd(cx, -(font_text_width(font, s) / 2));
    int y = coordAdd(cy, -(f->height / 2));
    font_draw_text(buf, w, h, font, x, y, colour, s);
}

// Draws s so that its last advance ends at column xr.
void font_draw_text_right(uint32_t* buf, int w, int h, int font, int xr, int y, uint32_t colour,
                          const char* s) {
    if (s == nullptr || fontAt(font) == nullptr) return;
    font_draw_text(buf, w, h, font, coordAdd(xr, -static_cast<int64_t>(font_text_width(font, s))),
                   y, colour, s);
}

// Draws one character per line of the font's height, each centred on cx; a
// missing character leaves its line empty.
void font_draw_text_vertical(uint32_t* buf, int w, int h, int font, int cx, int y, uint32_t colour,
                             const char* s) {
    const FontRecord* f = fontAt(font);
    if (s == nullptr || f == nullptr) return;
    // Once a line starts below the buffer every later line does too.
    for (; *s != '\0' && y < h; ++s, y += f->height) {
        int k = font_find_char(*f, *s);
        if (k >= 0)
            font_draw_char(buf, w, h, font, coordAdd(cx, -(glyphAdvance(*f, k) / 2)), y, colour,
                           *s);
    }
}
