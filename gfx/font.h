// The six built-in anti-aliased fonts and the text operations.
// Every text operation draws through font_draw_char, which blends each glyph
// pixel with color_lerp by its 4-bit coverage.
#pragma once

#include <cstdint>

struct FontRecord {
    const uint8_t* glyphs;  // 4-bit strip, two pixels per byte, rows bottom first
    int stripWidth;         // pixels, even
    int height;             // rows of every glyph
    int reserved;           // always 0
    const char* charset;    // characters in strip order
    const int* offsets;     // strip column of each glyph, plus one final entry
};

enum FontId : int {
    FONT_TEXT_14 = 0,
    FONT_TEXT_18 = 1,
    FONT_NUM_20 = 2,
    FONT_NUM_23 = 3,
    FONT_NUM_29 = 4,
    FONT_NUM_51 = 5,
};

inline constexpr int FONT_COUNT = 6;
// Advance of a character the font lacks (the space included).
inline constexpr int FONT_MISSING_ADVANCE = 7;

extern const FontRecord fontTable[FONT_COUNT];

// Index of ch in the font's charset, or -1.
int font_find_char(const FontRecord& font, char ch);
// Draws one glyph with its cell's top-left at (x, y); returns the advance.
int font_draw_char(uint32_t* buf, int w, int h, int font, int x, int y, uint32_t colour, char ch);
// Draws s left-aligned from (x, y).
void font_draw_text(uint32_t* buf, int w, int h, int font, int x, int y, uint32_t colour,
                    const char* s);
// Sum of the advances of s.
int font_text_width(int font, const char* s);
// Draws s centred on (cx, cy), halves in integer division.
void font_draw_text_centered(uint32_t* buf, int w, int h, int font, int cx, int cy, uint32_t colour,
                             const char* s);
// Draws s so that its advance ends at xr.
void font_draw_text_right(uint32_t* buf, int w, int h, int font, int xr, int y, uint32_t colour,
                          const char* s);
// The same operations for a face outside the table (the window's own texts).
int font_record_draw_char(uint32_t* buf, int w, int h, const FontRecord& f, int x, int y,
                          uint32_t colour, char ch);
void font_record_draw_text(uint32_t* buf, int w, int h, const FontRecord& f, int x, int y,
                           uint32_t colour, const char* s);
int font_record_text_width(const FontRecord& f, const char* s);
// Draws one character per line downwards, each centred on cx.
void font_draw_text_vertical(uint32_t* buf, int w, int h, int font, int cx, int y, uint32_t colour,
                             const char* s);
