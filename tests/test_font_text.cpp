// Text operations: advances and widths, the coverage blend inside each glyph
// cell, missing characters, centring, right alignment, vertical text and
// clipping at the buffer edges.
#include "gfx/font.h"

#include "canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

constexpr uint32_t BLACK = 0x00000000;
constexpr uint32_t WHITE = 0xFFFFFFFF;

// Coverage nibble of glyph k, cell column c, cell row r (1 = top row).
int nibble(const FontRecord& f, int k, int c, int r) {
    int col = f.offsets[k] + c;
    int j = f.height - r;  // data rows run bottom first
    uint8_t b = f.glyphs[(j * f.stripWidth) / 2 + col / 2];
    return col % 2 == 0 ? b >> 4 : b & 0x0F;
}

// Same pixels in both canvases, a's (x, y) compared with b's (x + dx, y + dy).
void expectSameWindow(const Canvas& a, const Canvas& b, int dx, int dy) {
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x) ASSERT_EQ(a.at(x, y), b.at(x + dx, y + dy)) << x << "," << y;
}

TEST(FontText, WidthsSumTheAdvances) {
    EXPECT_EQ(font_text_width(FONT_NUM_29, "12:30"), 15 + 15 + 8 + 15 + 15);
    // The space is missing from every font and counts 7.
    EXPECT_EQ(font_text_width(FONT_TEXT_14, "SET AUTO"), 7 + 8 + 7 + 7 + 9 + 8 + 7 + 9);
    EXPECT_EQ(font_text_width(FONT_NUM_51, "ABC"), 21);
    EXPECT_EQ(font_text_width(FONT_NUM_51, "-1.5"), 16 + 31 + 7 + 31);
    EXPECT_EQ(font_text_width(FONT_TEXT_18, ""), 0);
}

TEST(FontText, FindCharGivesTheCharsetIndexOrMinusOne) {
    const FontRecord& num20 = fontTable[FONT_NUM_20];
    EXPECT_EQ(font_find_char(num20, '0'), 0);
    EXPECT_EQ(font_find_char(num20, 'm'), 21);
    EXPECT_EQ(font_find_char(num20, '/'), -1);
    EXPECT_EQ(font_find_char(fontTable[FONT_TEXT_14], '~'), 93);
    // The terminating NUL and characters beyond ASCII are in no font.
    EXPECT_EQ(font_find_char(num20, '\0'), -1);
    EXPECT_EQ(font_find_char(fontTable[FONT_TEXT_14], static_cast<char>(0xB0)), -1);
}

// Every glyph of every font, coloured over a coloured background (and with
// channels at 0 and 255 on both sides): each cell pixel is the background
// moved towards the colour by (n x 16) / 255, a cell placed at y covers rows
// y + 1 to y + height, nothing outside it changes.
TEST(FontText, EveryGlyphBlendsByItsCoverageInsideItsCell) {
    const uint32_t colours[][2] = {{0xFF204060, 0xFFF0C010}, {0xFFFF00FF, 0xFFFFFF00}};
    const int x0 = 5, y0 = 3;
    for (int font = 0; font < FONT_COUNT; ++font) {
        const FontRecord& f = fontTable[font];
        for (int k = 0; f.charset[k] != '\0'; ++k) {
            const uint32_t bg = colours[k % 2][0], fg = colours[k % 2][1];
            SCOPED_TRACE(testing::Message() << font << " '" << f.charset[k] << "'");
            Canvas c(44, 60, bg);
            int adv = font_draw_char(c.data(), c.w, c.h, font, x0, y0, fg, f.charset[k]);
            ASSERT_EQ(adv, f.offsets[k + 1] - f.offsets[k]);
            for (int y = 0; y < c.h; ++y)
                for (int x = 0; x < c.w; ++x) {
                    int col = x - x0, row = y - y0;
                    bool inCell = col >= 0 && col < adv && row >= 1 && row <= f.height;
                    int n = inCell ? nibble(f, k, col, row) : 0;
                    uint32_t want =
                        n == 0 ? bg : color_lerp(bg, fg, static_cast<float>(n * 16) / 255.0f);
                    ASSERT_EQ(c.at(x, y), want) << x << "," << y;
                }
        }
    }
}

TEST(FontText, FullCoverageWhiteOverBlackIsF0F0F0F0) {
    Canvas c(20, 20, BLACK);
    font_draw_char(c.data(), c.w, c.h, FONT_TEXT_14, 0, 0, WHITE, 'H');
    int full = 0;
    for (int r = 1; r <= 14; ++r)
        for (int col = 0; col < 8; ++col) {
            int n = nibble(fontTable[FONT_TEXT_14], font_find_char(fontTable[FONT_TEXT_14], 'H'),
                           col, r);
            if (n == 15) {
                EXPECT_EQ(c.at(col, r), 0xF0F0F0F0u);
                ++full;
            }
            if (n == 0) {
                EXPECT_EQ(c.at(col, r), BLACK);
            }
        }
    EXPECT_GT(full, 20);  // the stems and the bar
}

TEST(FontText, MissingCharactersAdvanceSevenAndDrawNothing) {
    Canvas c(40, 30, BLACK);
    EXPECT_EQ(font_draw_char(c.data(), c.w, c.h, FONT_TEXT_14, 2, 2, WHITE, ' '), 7);
    EXPECT_EQ(font_draw_char(c.data(), c.w, c.h, FONT_NUM_51, 2, 2, WHITE, 'A'), 7);
    EXPECT_EQ(c.countNot(BLACK), 0);

    // "A B": B starts 9 + 7 columns after A.
    Canvas text(40, 30, BLACK), glyphs(40, 30, BLACK);
    font_draw_text(text.data(), text.w, text.h, FONT_TEXT_14, 3, 4, WHITE, "A B");
    font_draw_char(glyphs.data(), glyphs.w, glyphs.h, FONT_TEXT_14, 3, 4, WHITE, 'A');
    font_draw_char(glyphs.data(), glyphs.w, glyphs.h, FONT_TEXT_14, 3 + 9 + 7, 4, WHITE, 'B');
    EXPECT_EQ(text.px, glyphs.px);

    // Letters in the big digit font draw nothing but still take 7 columns
    // each when centring: "A1" centred on 64 puts the 1 at 64 - 19 + 7.
    Canvas big(128, 80, BLACK), one(128, 80, BLACK);
    font_draw_text_centered(big.data(), big.w, big.h, FONT_NUM_51, 64, 30, WHITE, "XYZ");
    EXPECT_EQ(big.countNot(BLACK), 0);
    font_draw_text_centered(big.data(), big.w, big.h, FONT_NUM_51, 64, 30, WHITE, "A1");
    font_draw_char(one.data(), one.w, one.h, FONT_NUM_51, 64 - 19 + 7, 30 - 25, WHITE, '1');
    EXPECT_EQ(big.px, one.px);
}

TEST(FontText, CentringHalvesTowardsZero) {
    // "AUTO" is 33 wide: centred on 64 it starts at 64 - 16 = 64 - (33 - 1) / 2;
    // height 14 centred on 150 puts the cell at 143, rows 144 to 157.
    ASSERT_EQ(font_text_width(FONT_TEXT_14, "AUTO"), 33);
    Canvas centred(128, 160, BLACK), left(128, 160, BLACK);
    font_draw_text_centered(centred.data(), 128, 160, FONT_TEXT_14, 64, 150, WHITE, "AUTO");
    font_draw_text(left.data(), 128, 160, FONT_TEXT_14, 48, 143, WHITE, "AUTO");
    EXPECT_EQ(centred.px, left.px);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 128; ++x)
            if (centred.at(x, y) != BLACK) {
                EXPECT_GE(y, 144);
                EXPECT_LE(y, 157);
                EXPECT_GE(x, 48);
                EXPECT_LT(x, 48 + 33);
            }
    // Odd heights halve the same way: 51 / 2 = 25 rows above the centre.
    Canvas g1(128, 160, BLACK), g2(128, 160, BLACK);
    font_draw_text_centered(g1.data(), 128, 160, FONT_NUM_51, 59, 60, WHITE, "+2.8");
    font_draw_text(g2.data(), 128, 160, FONT_NUM_51, 59 - 86 / 2, 60 - 25, WHITE, "+2.8");
    EXPECT_EQ(g1.px, g2.px);
}

TEST(FontText, RightAlignmentEndsTheAdvanceAtXr) {
    Canvas right(128, 40, BLACK), left(128, 40, BLACK);
    font_draw_text_right(right.data(), 128, 40, FONT_TEXT_14, 42, 19, WHITE, "+3");
    font_draw_text(left.data(), 128, 40, FONT_TEXT_14, 42 - 12, 19, WHITE, "+3");
    EXPECT_EQ(right.px, left.px);
    EXPECT_GT(right.countNot(BLACK), 0);
    for (int y = 0; y < 40; ++y)
        for (int x = 42; x < 128; ++x) EXPECT_EQ(right.at(x, y), BLACK);
}

TEST(FontText, VerticalTextTakesOneLinePerCharacter) {
    // "OK" beside the right button: each letter centred on 122, lines of 14.
    Canvas v(128, 160, BLACK), g(128, 160, BLACK);
    font_draw_text_vertical(v.data(), 128, 160, FONT_TEXT_14, 122, 100, WHITE, "OK");
    font_draw_char(g.data(), 128, 160, FONT_TEXT_14, 122 - 9 / 2, 100, WHITE, 'O');
    font_draw_char(g.data(), 128, 160, FONT_TEXT_14, 122 - 8 / 2, 114, WHITE, 'K');
    EXPECT_EQ(v.px, g.px);

    // A space leaves an empty line: B lands two lines below A.
    Canvas s(128, 160, BLACK), t(128, 160, BLACK);
    font_draw_text_vertical(s.data(), 128, 160, FONT_TEXT_14, 7, 8, WHITE, "A B");
    font_draw_char(t.data(), 128, 160, FONT_TEXT_14, 7 - 9 / 2, 8, WHITE, 'A');
    font_draw_char(t.data(), 128, 160, FONT_TEXT_14, 7 - 8 / 2, 8 + 28, WHITE, 'B');
    EXPECT_EQ(s.px, t.px);
    for (int y = 8 + 15; y <= 8 + 28; ++y)
        for (int x = 0; x < 20; ++x) EXPECT_EQ(s.at(x, y), BLACK);
}

// Text hanging over every edge of a small buffer shows exactly the part a
// larger buffer shows in that window.
TEST(FontText, ClipsAtTheBufferEdges) {
    const int W = 24, H = 18, M = 40;
    struct Place {
        int font, x, y;
        const char* s;
    } places[] = {{FONT_TEXT_18, -6, 2, "Wq"},
                  {FONT_TEXT_14, 15, -5, "gM"},
                  {FONT_NUM_29, 10, 4, "08"},
                  {FONT_NUM_51, -20, -30, "8"},
                  {FONT_TEXT_14, 20, 10, "@j"}};
    for (const Place& p : places) {
        SCOPED_TRACE(p.s);
        Canvas small(W, H, 0xFF102030), big(W + 2 * M, H + 2 * M, 0xFF102030);
        font_draw_text(small.data(), W, H, p.font, p.x, p.y, WHITE, p.s);
        font_draw_text(big.data(), big.w, big.h, p.font, p.x + M, p.y + M, WHITE, p.s);
        expectSameWindow(small, big, M, M);
        EXPECT_GT(small.countNot(0xFF102030), 0);
    }
    // Far-out positions draw nothing and do not overflow.
    Canvas c(W, H, BLACK);
    font_draw_text(c.data(), W, H, FONT_TEXT_14, INT_MAX - 3, INT_MAX, WHITE, "WWW");
    font_draw_text(c.data(), W, H, FONT_TEXT_14, INT_MIN, INT_MIN, WHITE, "WWW");
    font_draw_text_centered(c.data(), W, H, FONT_NUM_51, INT_MIN, INT_MIN, WHITE, "888");
    font_draw_text_right(c.data(), W, H, FONT_NUM_51, INT_MIN, INT_MAX, WHITE, "888");
    font_draw_text_vertical(c.data(), W, H, FONT_NUM_51, INT_MAX, INT_MAX - 10, WHITE, "888");
    EXPECT_EQ(c.countNot(BLACK), 0);
}

// Unknown font numbers and null strings draw nothing and measure 0.
TEST(FontText, UnknownFontOrNullStringDrawsNothing) {
    Canvas c(64, 64, BLACK);
    for (int font : {-1, FONT_COUNT, INT_MIN, INT_MAX}) {
        EXPECT_EQ(font_draw_char(c.data(), 64, 64, font, 2, 2, WHITE, '8'), 0);
        font_draw_text(c.data(), 64, 64, font, 2, 2, WHITE, "88");
        font_draw_text_centered(c.data(), 64, 64, font, 32, 32, WHITE, "88");
        font_draw_text_right(c.data(), 64, 64, font, 60, 2, WHITE, "88");
        font_draw_text_vertical(c.data(), 64, 64, font, 32, 2, WHITE, "88");
        EXPECT_EQ(font_text_width(font, "88"), 0);
    }
    font_draw_text(c.data(), 64, 64, FONT_TEXT_14, 2, 2, WHITE, nullptr);
    font_draw_text_centered(c.data(), 64, 64, FONT_TEXT_14, 32, 32, WHITE, nullptr);
    font_draw_text_right(c.data(), 64, 64, FONT_TEXT_14, 60, 2, WHITE, nullptr);
    font_draw_text_vertical(c.data(), 64, 64, FONT_TEXT_14, 32, 2, WHITE, nullptr);
    EXPECT_EQ(font_text_width(FONT_TEXT_14, nullptr), 0);
    EXPECT_EQ(c.countNot(BLACK), 0);
}

}  // namespace
