// The angle-of-attack ladder: a base bar and a column of bars lit in
// proportion to the angle-of-attack fraction, drawn by the data page and the
// attitude page in their own places.
#include "app/colours.h"
#include "app/gmeter_parts.h"
#include "app/page_gmeter.h"
#include "app/unit_inputs.h"
#include "device/device.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr uint32_t DIM_TICK_COLOUR = 0xFF101010u;
constexpr int LAST_GREEN_BAR = 5;
constexpr int LAST_YELLOW_BAR = 7;
// Bar i sits 5 rows above bar i - 1.
constexpr int BAR_PITCH = 5;

// ---- Types ----------------------------------------------------------------------

struct Rect {
    int x0, y0, x1, y1;
};

// Bar i is the given rectangle moved up by BAR_PITCH x i rows.
struct LadderLayout {
    bool labelRightAligned;  // else centred on the point
    int labelX, labelY;
    Rect base;
    float scale;  // bars per unit of fraction
    int bars;
    Rect lit;
    Rect dim;
};

constexpr LadderLayout ATTITUDE_LAYOUT = {
    true, 128, 4, {110, 68, 126, 72}, 10.0f, 9, {114, 67, 122, 71}, {111, 69, 125, 70}};
constexpr LadderLayout DATA_LAYOUT = {
    false, 92, 66, {74, 133, 110, 137}, 12.0f, 11, {78, 132, 106, 136}, {89, 134, 95, 135}};

// ---- Private helpers --------------------------------------------------------------

void fillRect(uint32_t* fb, const Rect& r, int up, uint32_t c) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, r.x0, r.y0 - up, r.x1, r.y1 - up, c);
}

void drawLabel(uint32_t* fb, const LadderLayout& l) {
    if (l.labelRightAligned) {
        font_draw_text_right(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, l.labelX, l.labelY,
                             COLOUR_LABEL, "AoA");
    } else {
        font_draw_text_centered(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, l.labelX, l.labelY,
                                COLOUR_LABEL, "AoA");
    }
}

uint32_t barColour(int bar) {
    if (bar <= LAST_GREEN_BAR) return COLOUR_GREEN;
    if (bar <= LAST_YELLOW_BAR) return COLOUR_YELLOW;
    return COLOUR_RED;
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Draws the ladder and advances blinkPhase; an invalid angle lights no bar
// and its base bar blinks.
void drawAoaLadder(uint32_t* fb, AoaLadderLayout layout) {
    const LadderLayout& l = layout == AOA_LADDER_DATA ? DATA_LAYOUT : ATTITUDE_LAYOUT;
    const bool demo = demoModeOn();
    const float fraction = aoaFraction(demo ? gmeterDemoAoa() : devAoaAngle());
    drawLabel(fb, l);
    float lit = 0.0f;
    if (devAoaValid()) {
        fillRect(fb, l.base, 0, COLOUR_CYAN);
        lit = fraction * l.scale;
    } else if (blinkShown()) {
        fillRect(fb, l.base, 0, COLOUR_CYAN);
    }
    advanceBlinkPhase();
    for (int i = 1; i <= l.bars; ++i) {
        if (static_cast<float>(i) <= lit) {
            fillRect(fb, l.lit, BAR_PITCH * i, barColour(i));
        } else {
            fillRect(fb, l.dim, BAR_PITCH * i, DIM_TICK_COLOUR);
        }
    }
}
