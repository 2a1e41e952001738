// The generated font tables against the fixed character sets, heights, strip
// widths, advance widths and vertical metrics, and the shapes the unit's
// compact symbols must have.
#include "gfx/font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tools/text_advances.h"

namespace {

struct FontFacts {
    int height;
    int stripWidth;
    const char* charset;
    std::vector<int> advances;
    int top, bottom;  // rows (1 = top) of capitals or digits
};

const char* const PRINTABLE =
    "!\"#$%&'()*+,-./"
    "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";

const FontFacts FACTS[FONT_COUNT] = {
    {14, 588, PRINTABLE, TEXT_14_ADVANCES, 1, 11},
    {18, 756, PRINTABLE, TEXT_18_ADVANCES, 1, 14},
    {20,
     224,
     "0123456789+,-.tdkn:cfm",
     {11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 10, 4, 7, 4, 6, 8, 6, 10, 6, 9, 9, 21},
     1,
     18},
    {23,
     256,
     "0123456789+,-./dkn:cf",
     {12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 5, 8, 5, 7, 9, 7, 11, 6, 11, 9},
     2,
     21},
    {29,
     324,
     "0123456789+,-./dkn:cfm",
     {15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 6, 11, 6, 10, 12, 8, 14, 8, 14, 10, 26},
     2,
     26},
    {51, 360, "0123456789.+-", {31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 7, 17, 16}, 1, 51},
};

// Coverage nibble of strip column c on cell row r (1 = top row).
int nibble(const FontRecord& f, int c, int r) {
    int j = f.height - r;  // data rows run bottom first
    uint8_t b = f.glyphs[(j * f.stripWidth) / 2 + c / 2];
    return c % 2 == 0 ? b >> 4 : b & 0x0F;
}

// Rows (1 = top) holding any coverage of glyph ch; {0, 0} when it is empty.
struct RowSpan {
    int first = 0, last = 0;
};

RowSpan inkRows(int font, char ch) {
    const FontRecord& f = fontTable[font];
    int k = font_find_char(f, ch);
    RowSpan span;
    for (int r = 1; r <= f.height; ++r)
        for (int c = f.offsets[k]; c < f.offsets[k + 1]; ++c)
            if (nibble(f, c, r) != 0) {
                if (span.first == 0) span.first = r;
                span.last = r;
            }
    return span;
}

// Total coverage of glyph ch within rows [r0, r1] and columns [c0, c1) of its cell.
int inkIn(int font, char ch, int r0, int r1, int c0, int c1) {
    const FontRecord& f = fontTable[font];
    int k = font_find_char(f, ch);
    int sum = 0;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c < c1; ++c) sum += nibble(f, f.offsets[k] + c, r);
    return sum;
}

int advance(int font, char ch) {
    const FontRecord& f = fontTable[font];
    int k = font_find_char(f, ch);
    return f.offsets[k + 1] - f.offsets[k];
}

TEST(FontTables, RecordsMatchTheFixedTables) {
    for (int font = 0; font < FONT_COUNT; ++font) {
        SCOPED_TRACE(font);
        const FontRecord& f = fontTable[font];
        const FontFacts& want = FACTS[font];
        EXPECT_EQ(f.height, want.height);
        EXPECT_EQ(f.stripWidth, want.stripWidth);
        EXPECT_EQ(f.stripWidth % 2, 0);
        EXPECT_EQ(f.reserved, 0);
        ASSERT_STREQ(f.charset, want.charset);
        // One offset per glyph plus the end: running sums of the advances.
        int n = static_cast<int>(std::strlen(f.charset));
        ASSERT_EQ(static_cast<int>(want.advances.size()), n);
        EXPECT_EQ(f.offsets[0], 0);
        int sum = 0;
        for (int k = 0; k < n; ++k) {
            EXPECT_EQ(f.offsets[k + 1] - f.offsets[k], want.advances[k])
                << "glyph '" << f.charset[k] << "'";
            sum += want.advances[k];
        }
        EXPECT_EQ(f.offsets[n], sum);
        EXPECT_LE(f.offsets[n], f.stripWidth);
    }
}

TEST(FontTables, ColumnsPastTheLastGlyphStayEmpty) {
    for (int font = 0; font < FONT_COUNT; ++font) {
        const FontRecord& f = fontTable[font];
        int end = f.offsets[std::strlen(f.charset)];
        for (int c = end; c < f.stripWidth; ++c)
            for (int r = 1; r <= f.height; ++r)
                EXPECT_EQ(nibble(f, c, r), 0) << font << " column " << c;
    }
}

TEST(FontTables, EveryGlyphHasInkExceptTheEmptyCell) {
    for (int font = 0; font < FONT_COUNT; ++font)
        for (const char* p = fontTable[font].charset; *p != '\0'; ++p) {
            bool empty = font == FONT_NUM_20 && *p == 'm';
            EXPECT_EQ(inkRows(font, *p).first == 0, empty) << font << " '" << *p << "'";
        }
}

TEST(FontTables, CapitalsAndDigitsFillExactlyTheirRows) {
    for (int font = 0; font < FONT_COUNT; ++font) {
        const FontFacts& want = FACTS[font];
        std::string tall =
            font <= FONT_TEXT_18 ? "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789" : "0123456789";
        for (char ch : tall) {
            RowSpan span = inkRows(font, ch);
            EXPECT_EQ(span.first, want.top) << font << " '" << ch << "'";
            EXPECT_EQ(span.last, want.bottom) << font << " '" << ch << "'";
        }
    }
}

TEST(FontTables, TextStandsOnTheBaselineWithDescendersBelow) {
    for (int font : {FONT_TEXT_14, FONT_TEXT_18}) {
        int baselineRow = FACTS[font].bottom;
        for (char ch : std::string("acehikmnorsuvwxz"))
            EXPECT_EQ(inkRows(font, ch).last, baselineRow) << ch;
        for (char ch : std::string("gjpqy")) {
            EXPECT_GT(inkRows(font, ch).last, baselineRow + 1) << font << " '" << ch << "'";
            EXPECT_LE(inkRows(font, ch).last, fontTable[font].height);
        }
        // x-height letters are lower than the capitals.
        EXPECT_GT(inkRows(font, 'x').first, FACTS[font].top + 1);
    }
}

TEST(FontTables, UnitSymbolsHaveTheirShapes) {
    for (int font : {FONT_NUM_20, FONT_NUM_23, FONT_NUM_29}) {
        SCOPED_TRACE(font);
        const FontFacts& d = FACTS[font];
        int middle = (d.top + d.bottom) / 2;
        // The degree ring lies in the upper half of the digit rows.
        RowSpan ring = inkRows(font, 'd');
        EXPECT_GE(ring.first, d.top);
        EXPECT_LE(ring.last, middle);
        // Stacked symbols have a letter in each half with a gap between.
        std::string stacked = font == FONT_NUM_20 ? "tkn" : "kn";
        for (char ch : stacked) {
            int w = advance(font, ch);
            EXPECT_GT(inkIn(font, ch, d.top, middle - 1, 0, w), 0) << ch;
            EXPECT_GT(inkIn(font, ch, middle + 2, d.bottom, 0, w), 0) << ch;
            EXPECT_LT(inkIn(font, ch, d.bottom + 1, fontTable[font].height, 0, w), 1) << ch;
        }
        // C and F are capitals of the digits' height.
        for (char ch : {'c', 'f'}) {
            EXPECT_EQ(inkRows(font, ch).first, d.top) << ch;
            EXPECT_EQ(inkRows(font, ch).last, d.bottom) << ch;
        }
    }
    // Miles per hour steps down diagonally: ink in the upper left and lower
    // right, none in the lower left or upper right corner.
    const FontFacts& d = FACTS[FONT_NUM_29];
    int w = advance(FONT_NUM_29, 'm');
    int third = (d.bottom - d.top + 1) / 3;
    EXPECT_GT(inkIn(FONT_NUM_29, 'm', d.top, d.top + third, 0, w / 3), 0);
    EXPECT_GT(inkIn(FONT_NUM_29, 'm', d.bottom - third, d.bottom, 2 * w / 3, w), 0);
    EXPECT_EQ(inkIn(FONT_NUM_29, 'm', d.bottom - third, d.bottom, 0, w / 3), 0);
    EXPECT_EQ(inkIn(FONT_NUM_29, 'm', d.top, d.top + third, 2 * w / 3, w), 0);
}

}  // namespace
