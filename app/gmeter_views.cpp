// The four views of the G-meter page: the combined tapes, the two chevron
// stacks and the large G digits, with the row of recorded extremes.
#include <cmath>
#include <cstdlib>

#include "app/colours.h"
#include "app/gmeter_parts.h"
#include "app/number_text.h"
#include "app/page_gmeter.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/fmt.h"
#include "gfx/font.h"
#include "gfx/gfx.h"
#include "gfx/trunc.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr uint32_t SPINE_COLOUR = 0xFF595959u;
constexpr uint32_t DIM_BAR_COLOUR = 0xFF202020u;

// Tapes: rows of 1 G and 0 degrees, pixels per G and per degree, and the rows
// every mark is clamped to.
constexpr float TAPE_ZERO_ROW = 97.0f;
constexpr float ROWS_PER_G = 37.0f;
constexpr float ROWS_PER_DEGREE = 3.75f;
constexpr int TAPE_TOP = 24;
constexpr int TAPE_BOTTOM = 134;
constexpr float AOA_TAPE_MIN = -10.0f;
constexpr float AOA_TAPE_MAX = 20.0f;
constexpr int POINTER_HALF_HEIGHT = 5;

constexpr int G_LABEL_RIGHT = 42;
constexpr int MAJOR_TICK_ROWS[] = {24, 60, 97, 134};
constexpr int MINOR_TICK_ROWS[] = {42, 78, 115};

// Chevrons: bar i spans x 50 - 2i to 77 + 2i, lit on rows 128 - 4i to 130 - 4i.
constexpr int FIRST_BAR = 2;
constexpr int LAST_BAR = 25;
constexpr float BARS_PER_FRACTION = 25.0f;
constexpr int DIM_BAR_EVERY = 3;

// View 3: G limited to +-9 and shown to a tenth.
constexpr float G_DIGITS_LIMIT = 9.0f;

constexpr int TITLE_X = 64;
constexpr int TITLE_Y = 8;

// ---- Types ----------------------------------------------------------------------

// A horizontal run x0 <= x < x1 repeated on the rows centre - half to centre + half.
struct Mark {
    int x0, x1, half;
};
constexpr Mark AOA_EXTREME_MARK = {74, 84, 1};
constexpr Mark G_EXTREME_MARK = {45, 55, 1};
constexpr Mark AOA_LIMIT_MARK = {62, 72, 2};

struct ScaleLabel {
    const char* text;
    int x, y;
};
constexpr ScaleLabel G_LABELS[] = {{"+3", 0, 19}, {"+2", 0, 55}, {"+1", 0, 90}, {"+0", 0, 127}};
constexpr ScaleLabel AOA_LABELS[] = {
    {"+20", 85, 18}, {"+10", 85, 53}, {"+0", 87, 90}, {"-10", 87, 127}};

// ---- Private helpers --------------------------------------------------------------

void fillRect(uint32_t* fb, int x0, int y0, int x1, int y1, uint32_t c) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, x0, y0, x1, y1, c);
}

void hspan(uint32_t* fb, int x0, int x1, int y, uint32_t c) {
    gfx_hspan(fb, FB_WIDTH, FB_HEIGHT, x0, x1, y, c);
}

void textCentred(uint32_t* fb, int font, int x, int y, uint32_t c, const char* s) {
    font_draw_text_centered(fb, FB_WIDTH, FB_HEIGHT, font, x, y, c, s);
}

int tapeRow(float y) {
    const int row = truncToInt(y);
    if (row < TAPE_TOP) return TAPE_TOP;
    if (row > TAPE_BOTTOM) return TAPE_BOTTOM;
    return row;
}

int gRow(float g) { return tapeRow(TAPE_ZERO_ROW - (g - 1.0f) * ROWS_PER_G); }
int aoaRow(float aoa) { return tapeRow(TAPE_ZERO_ROW - aoa * ROWS_PER_DEGREE); }

void drawMark(uint32_t* fb, const Mark& m, int row, uint32_t c) {
    for (int d = -m.half; d <= m.half; ++d) hspan(fb, m.x0, m.x1, row + d, c);
}

// A chevron of runs four pixels wide that step one column per row away from
// the tip; direction -1 points right (the G pointer), +1 points left (AOA).
void drawPointer(uint32_t* fb, int tipX, int direction, int row, uint32_t c) {
    for (int i = 0; i <= POINTER_HALF_HEIGHT; ++i) {
        const int x0 = tipX + direction * i;
        hspan(fb, x0, x0 + 4, row - i, c);
        hspan(fb, x0, x0 + 4, row + i, c);
    }
}

void drawTapeScale(uint32_t* fb) {
    font_draw_text(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, 5, 2, COLOUR_GREY, "G Load");
    for (const ScaleLabel& l : G_LABELS) {
        font_draw_text_right(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, G_LABEL_RIGHT, l.y,
                             COLOUR_WHITE, l.text);
    }
    font_draw_text(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, 90, 2, COLOUR_LABEL, "AoA");
    for (const ScaleLabel& l : AOA_LABELS) {
        font_draw_text(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, l.x, l.y, COLOUR_LABEL, l.text);
    }
    fillRect(fb, 61, TAPE_TOP, 65, TAPE_BOTTOM, SPINE_COLOUR);
    for (int row : MAJOR_TICK_ROWS) hspan(fb, 53, 73, row, COLOUR_WHITE);
    for (int row : MINOR_TICK_ROWS) hspan(fb, 56, 70, row, COLOUR_WHITE);
}

// An invalid angle reads 0; its pointer and extremes then blink.
void drawAoaTape(uint32_t* fb, float aoa) {
    const bool valid = devAoaValid() != 0;
    if (!valid) aoa = 0.0f;
    if (aoa < AOA_TAPE_MIN) aoa = AOA_TAPE_MIN;
    if (aoa > AOA_TAPE_MAX) aoa = AOA_TAPE_MAX;
    if (valid || blinkShown()) {
        drawPointer(fb, 74, 1, aoaRow(aoa), COLOUR_LABEL);
        drawMark(fb, AOA_EXTREME_MARK, aoaRow(devAoaHighest()), COLOUR_CYAN);
        drawMark(fb, AOA_EXTREME_MARK, aoaRow(devAoaLowest()), COLOUR_CYAN);
    }
    const float prestall = static_cast<float>(settingsReadInt(SLOT_AOA_PRESTALL));
    const float cruise = static_cast<float>(settingsReadInt(SLOT_AOA_CRUISE));
    drawMark(fb, AOA_LIMIT_MARK, aoaRow(prestall), COLOUR_RED);
    drawMark(fb, AOA_LIMIT_MARK, aoaRow(cruise), COLOUR_GREEN);
}

// Only the row is clamped, never the load factor itself.
void drawGTape(uint32_t* fb, float g) {
    drawPointer(fb, 51, -1, gRow(g), COLOUR_WHITE);
    drawMark(fb, G_EXTREME_MARK, gRow(devGHighest()), COLOUR_CYAN);
    drawMark(fb, G_EXTREME_MARK, gRow(devGLowest()), COLOUR_CYAN);
}

void drawExtremesRow(uint32_t* fb, float lowest, float highest) {
    char text[NUMBER_TEXT_SIZE];
    textCentred(fb, FONT_TEXT_14, 18, 105, COLOUR_LABEL, "L");
    textCentred(fb, FONT_TEXT_14, 113, 105, COLOUR_LABEL, "H");
    oneDecimalText(lowest, text);
    textCentred(fb, FONT_TEXT_18, 20, 125, COLOUR_WHITE, text);
    oneDecimalText(highest, text);
    textCentred(fb, FONT_TEXT_18, 108, 125, COLOUR_WHITE, text);
}

uint32_t chevronBand(int view, int bar) {
    const int yellowFrom = view == GMETER_VIEW_AOA_CHEVRONS ? 14 : 20;
    const int redFrom = view == GMETER_VIEW_AOA_CHEVRONS ? 17 : 22;
    if (bar >= redFrom) return COLOUR_RED;
    if (bar >= yellowFrom) return COLOUR_YELLOW;
    return COLOUR_GREEN;
}

// Bars strictly below the level are lit; every third unlit bar leaves a dim
// row; the bar the level falls on exactly stays dark.
void drawChevronBars(uint32_t* fb, int view, float level) {
    for (int i = FIRST_BAR; i <= LAST_BAR; ++i) {
        const int x0 = 50 - 2 * i;
        const int x1 = 78 + 2 * i;
        const int top = 128 - 4 * i;
        if (level > static_cast<float>(i)) {
            for (int row = top; row <= top + 2; ++row) hspan(fb, x0, x1, row, chevronBand(view, i));
        } else if (level < static_cast<float>(i) && i % DIM_BAR_EVERY == 0) {
            hspan(fb, x0, x1, top, DIM_BAR_COLOUR);
        }
    }
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// -- Shared with the page's other files (gmeter_parts.h)

void drawGmeterTapes(uint32_t* fb, float g, float aoa) {
    drawTapeScale(fb);
    drawAoaTape(fb, aoa);
    drawGTape(fb, g);
}

// The angle-of-attack stack shows no negative level and, while the reading is
// invalid, none at all with a blinking base bar.
void drawGmeterChevrons(uint32_t* fb, int view, float fraction) {
    const bool aoaView = view == GMETER_VIEW_AOA_CHEVRONS;
    textCentred(fb, FONT_TEXT_14, TITLE_X, TITLE_Y, COLOUR_LABEL, aoaView ? "AoA" : "G Load");
    const bool valid = !aoaView || devAoaValid() != 0;
    if (valid || blinkShown()) fillRect(fb, 40, 126, 88, 132, COLOUR_CYAN);
    float level = BARS_PER_FRACTION * fraction;
    if (aoaView && (fraction < 0.0f || !valid)) level = 0.0f;
    drawChevronBars(fb, view, level);
    if (aoaView) {
        drawExtremesRow(fb, devAoaLowest(), devAoaHighest());
    } else {
        drawExtremesRow(fb, devGLowest(), devGHighest());
    }
}

// G to the nearest tenth, halves away from zero, with its sign.
void drawGmeterDigits(uint32_t* fb, float g) {
    textCentred(fb, FONT_TEXT_14, TITLE_X, TITLE_Y, COLOUR_LABEL, "G Load");
    if (g > G_DIGITS_LIMIT) g = G_DIGITS_LIMIT;
    if (g < -G_DIGITS_LIMIT) g = -G_DIGITS_LIMIT;
    const int tenths = truncToInt(std::round(g * 10.0f));
    const int magnitude = std::abs(tenths);
    char text[NUMBER_TEXT_SIZE];
    char* cursor = text;
    *cursor++ = tenths >= 0 ? '+' : '-';
    fmt_int(magnitude / 10, &cursor);
    *cursor++ = '.';
    *cursor++ = static_cast<char>('0' + magnitude % 10);
    *cursor = '\0';
    textCentred(fb, FONT_NUM_51, 59, 60, COLOUR_WHITE, text);
    drawExtremesRow(fb, devGLowest(), devGHighest());
}
