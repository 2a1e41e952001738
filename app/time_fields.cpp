// Two-digit time fields: each field always shows a leading zero, the colons
// are drawn as separate strings so each piece stands at its own column.
#include "app/time_fields.h"

#include "gfx/gfx.h"

// ---- Private helpers --------------------------------------------------------------

namespace {

void drawField(uint32_t* fb, int font, int x, int y, int v, uint32_t colour) {
    char text[TWO_DIGIT_FIELD_SIZE];
    twoDigitField(v, text);
    font_draw_text(fb, FB_WIDTH, FB_HEIGHT, font, x, y, colour, text);
}

void drawColon(uint32_t* fb, const TimeFieldsLayout& layout, int x, int y, uint32_t colour) {
    font_draw_text(fb, FB_WIDTH, FB_HEIGHT, layout.colonFont, x, y + layout.colonDy, colour, ":");
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Tens and units as characters. The shown values lie in 0 to 99; any other
// still gives two digits (the last two of its magnitude), never other glyphs.
void twoDigitField(int v, char out[TWO_DIGIT_FIELD_SIZE]) {
    v %= 100;
    if (v < 0) v = -v;
    out[0] = static_cast<char>('0' + v / 10);
    out[1] = static_cast<char>('0' + v % 10);
    out[2] = '\0';
}

// Hours, colon, minutes, colon, seconds, each at its own column.
void drawTimeFields(uint32_t* fb, const TimeFieldsLayout& layout, int x, int y, int hours,
                    int minutes, int seconds, uint32_t colour) {
    drawField(fb, layout.digitFont, x, y, hours, colour);
    drawColon(fb, layout, x + layout.colon1Dx, y, colour);
    drawField(fb, layout.digitFont, x + layout.minutesDx, y, minutes, colour);
    drawColon(fb, layout, x + layout.colon2Dx, y, colour);
    drawField(fb, layout.digitFont, x + layout.secondsDx, y, seconds, colour);
}
