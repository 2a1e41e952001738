// The alert banner: the bar of the most important active alert with its
// name written downwards, blinking from the moment an alert becomes active.
#include "app/alert_banner.h"

#include "app/alerts.h"
#include "app/colours.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr uint32_t LIGHT_GREY = 0xFFC0C0C0u;
constexpr int BAR_TOP = 5;
constexpr int BAR_WIDTH = 15;
constexpr int TEXT_CENTRE_X = 7;
constexpr int TEXT_TOP = 8;
// The bar shows while the blink counter is below this.
constexpr int BANNER_SHOW_BELOW = 10;

constexpr int ALL_ALERTS = alertBit(ALERT_COUNT) - 1;

// ---- Types ----------------------------------------------------------------------

// One row of the banner; the row holds if any of its alerts is active.
struct BannerRow {
    int alerts;  // bit mask
    uint32_t colour;
    int barBottom;  // exclusive
    const char* text;
};

// In order of priority.
constexpr BannerRow BANNER[] = {
    {alertBit(ALERT_G3), COLOUR_RED, 95, "GLIMIT"},
    {alertBit(ALERT_G1) | alertBit(ALERT_G2), COLOUR_YELLOW, 95, "GLIMIT"},
    {alertBit(ALERT_AOA3), COLOUR_RED, 80, "ANGLE"},
    {alertBit(ALERT_AOA1) | alertBit(ALERT_AOA2), COLOUR_YELLOW, 80, "ANGLE"},
    {alertBit(ALERT_TIMER1), LIGHT_GREY, 95, "TIMER1"},
    {alertBit(ALERT_TIMER2), LIGHT_GREY, 95, "TIMER2"},
};

// ---- Module state -------------------------------------------------------------

// `alertBanner`, declared in alert_banner.h.

// ---- Private helpers --------------------------------------------------------------

bool anyOfActive(int mask) {
    for (int i = 0; i < ALERT_COUNT; ++i) {
        if ((mask & alertBit(i)) && alerts.active[i]) return true;
    }
    return false;
}

void drawBannerRow(uint32_t* fb, const BannerRow& row) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, 0, BAR_TOP, BAR_WIDTH, row.barBottom, row.colour);
    font_draw_text_vertical(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, TEXT_CENTRE_X, TEXT_TOP,
                            COLOUR_BLACK, row.text);
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Hidden for 11 frames, shown for 9, from the moment an alert becomes active.
void drawAlertBanner(uint32_t* fb) {
    AlertBannerState& b = alertBanner;
    b.anyActive = anyOfActive(ALL_ALERTS) ? 1 : 0;
    if (!b.anyActive) {
        b.blinkCounter = BANNER_BLINK_FRAMES;
        return;
    }
    if (b.blinkCounter < BANNER_SHOW_BELOW) {
        for (const BannerRow& row : BANNER) {
            if (!anyOfActive(row.alerts)) continue;
            drawBannerRow(fb, row);
            break;
        }
    }
    if (--b.blinkCounter <= 0) b.blinkCounter = BANNER_BLINK_FRAMES;
}

// Power-on state: nothing active, blink counter 0.
void alertBannerPowerOnReset() { alertBanner = {}; }
