// Alert logic (conditions, prerequisites, latches, sounds, pop-ups) and the
// blinking alert banner.
#include "app/alerts.h"

#include "app/colours.h"
#include "app/controller.h"
#include "app/page_gmeter.h"
#include "app/timekeeping.h"
#include "device/device.h"
#include "device/settings.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int SLOT_AUDIO_ALERTS = 3;
constexpr int SOUND_PLAY_ALERT = 2;
constexpr int SOUND_STOP = 0;
// The G and angle-of-attack alerts come first and need the edition input.
constexpr int FIRST_TIMER_ALERT = ALERT_TIMER1;

constexpr uint32_t LIGHT_GREY = 0xFFC0C0C0u;
constexpr int BAR_TOP = 5;
constexpr int BAR_WIDTH = 15;
constexpr int TEXT_CENTRE_X = 7;
constexpr int TEXT_TOP = 8;
// The bar shows while the blink counter is below this.
constexpr int BANNER_SHOW_BELOW = 10;

constexpr int bit(int alert) { return 1 << alert; }

// ---- Types ----------------------------------------------------------------------

enum class Source { GLimit, Aoa, Timer };

struct AlertSpec {
    Source source;
    int input;          // level 1 to 3, or the timer index
    int prerequisites;  // bit mask of alerts that must be active
    int sound;
    int audioEnableBit;  // in the low byte of slot 3
    int popupBit;        // in the low byte of slot 7; 0 for none
    int popupView;       // G-meter view of the pop-up
};

// One row of the banner; the row holds if any of its alerts is active.
struct BannerRow {
    int alerts;  // bit mask
    uint32_t colour;
    int barBottom;  // exclusive
    const char* text;
};

constexpr AlertSpec ALERTS[ALERT_COUNT] = {
    {Source::GLimit, 1, 0, 2, 0x08, 0, 0},
    {Source::GLimit, 2, bit(ALERT_G1), 1, 0x08, 0, 0},
    {Source::GLimit, 3, bit(ALERT_G1) | bit(ALERT_G2), 0, 0x08, 0x10, 2},
    {Source::Aoa, 1, 0, 5, 0x04, 0, 0},
    {Source::Aoa, 2, bit(ALERT_AOA1), 4, 0x04, 0, 0},
    {Source::Aoa, 3, bit(ALERT_AOA1) | bit(ALERT_AOA2), 3, 0x04, 0x20, 1},
    {Source::Timer, 0, 0, 6, 0x01, 0, 0},
    {Source::Timer, 1, 0, 7, 0x02, 0, 0},
};

// In order of priority.
constexpr BannerRow BANNER[] = {
    {bit(ALERT_G3), COLOUR_RED, 95, "GLIMIT"},
    {bit(ALERT_G1) | bit(ALERT_G2), COLOUR_YELLOW, 95, "GLIMIT"},
    {bit(ALERT_AOA3), COLOUR_RED, 80, "ANGLE"},
    {bit(ALERT_AOA1) | bit(ALERT_AOA2), COLOUR_YELLOW, 80, "ANGLE"},
    {bit(ALERT_TIMER1), LIGHT_GREY, 95, "TIMER1"},
    {bit(ALERT_TIMER2), LIGHT_GREY, 95, "TIMER2"},
};

}  // namespace

// ---- Shared state -------------------------------------------------------------

int alertActive[ALERT_COUNT] = {};
int alertLatched[ALERT_COUNT] = {};
int anyAlertActive = 0;

// ---- Module state -----------------------------------------------------------------

namespace {

int alertBlinkCounter = 0;

// ---- Private helpers --------------------------------------------------------------

bool conditionHolds(const AlertSpec& a) {
    switch (a.source) {
        case Source::GLimit: return devGLimitInput(a.input) != 0;
        case Source::Aoa: return devAoaInput(a.input) != 0;
        case Source::Timer: return timerExpired(a.input) != 0;
    }
    return false;
}

bool anyOfActive(int mask) {
    for (int i = 0; i < ALERT_COUNT; ++i) {
        if ((mask & bit(i)) && alertActive[i]) return true;
    }
    return false;
}

bool allOfActive(int mask) {
    for (int i = 0; i < ALERT_COUNT; ++i) {
        if ((mask & bit(i)) && !alertActive[i]) return false;
    }
    return true;
}

// Raise once per episode of the condition (the latch), sound if enabled,
// bring up the G-meter for the level-3 pop-ups; a false condition clears all.
void evaluate(int i) {
    const AlertSpec& a = ALERTS[i];
    if (!conditionHolds(a)) {
        devSound(a.sound, SOUND_STOP);
        alertActive[i] = 0;
        alertLatched[i] = 0;
        return;
    }
    if (alertLatched[i] || !allOfActive(a.prerequisites)) return;
    if (settingsReadByte(SLOT_AUDIO_ALERTS) & a.audioEnableBit) devSound(a.sound, SOUND_PLAY_ALERT);
    if (a.popupBit && (settingsReadByte(SLOT_OPTIONS) & a.popupBit)) {
        activePage = PAGE_GMETER;
        gmeterSetView(a.popupView);
    }
    alertActive[i] = 1;
    alertLatched[i] = 1;
}

// Sounds 2, 1, 0, 5, 4, 3 stopped in alert order; the latches stay.
void silenceEditionAlerts() {
    for (int i = 0; i < FIRST_TIMER_ALERT; ++i) devSound(ALERTS[i].sound, SOUND_STOP);
    for (int i = 0; i < FIRST_TIMER_ALERT; ++i) alertActive[i] = 0;
}

void drawBannerRow(uint32_t* fb, const BannerRow& row) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, 0, BAR_TOP, BAR_WIDTH, row.barBottom, row.colour);
    font_draw_text_vertical(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, TEXT_CENTRE_X, TEXT_TOP,
                            COLOUR_BLACK, row.text);
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Clears every alertActive entry; latches stay.
void clearAlerts() {
    for (int& a : alertActive) a = 0;
}

// Without the edition input the G and angle-of-attack alerts stay silent.
void alertLogic(uint32_t*) {
    if (editionUnit()) {
        for (int i = 0; i < FIRST_TIMER_ALERT; ++i) evaluate(i);
    } else {
        silenceEditionAlerts();
    }
    for (int i = FIRST_TIMER_ALERT; i < ALERT_COUNT; ++i) evaluate(i);
}

// Hidden for 11 frames, shown for 9, from the moment an alert becomes active.
void drawAlertBanner(uint32_t* fb) {
    anyAlertActive = anyOfActive(bit(ALERT_COUNT) - 1) ? 1 : 0;
    if (!anyAlertActive) {
        alertBlinkCounter = BANNER_BLINK_FRAMES;
        return;
    }
    if (alertBlinkCounter < BANNER_SHOW_BELOW) {
        for (const BannerRow& row : BANNER) {
            if (!anyOfActive(row.alerts)) continue;
            drawBannerRow(fb, row);
            break;
        }
    }
    if (--alertBlinkCounter <= 0) alertBlinkCounter = BANNER_BLINK_FRAMES;
}

// Power-on state: flags, latches and blink counter 0.
void alertsPowerOnReset() {
    clearAlerts();
    for (int& l : alertLatched) l = 0;
    anyAlertActive = 0;
    alertBlinkCounter = 0;
}
