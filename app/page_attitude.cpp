// Page 6, the artificial horizon: attitude source, horizon picture, AOA
// ladder and slip indicator, caption, alignment message, aircraft symbol and
// the status letter row; events for the display toggles and the pitch trim.
#include "app/page_attitude.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/attitude_horizon.h"
#include "app/colours.h"
#include "app/furniture.h"
#include "app/page_gmeter.h"
#include "device/device.h"
#include "device/filter.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/font.h"
#include "gfx/gfx.h"
#include "gfx/icons.h"
#include "gfx/trunc.h"
#include "gfx/xform.h"

// ---- Constants ------------------------------------------------------------

namespace {

// SLOT_DEMO_MODE: the demo motion, or the sensors with the alignment check;
// any other value takes the sensors without the check.
constexpr int DEMO_MOTION = DEMO_MODE_1;
constexpr int SENSORS_ALIGNED = DEMO_OFF;
constexpr float TRIM_LIMIT = 15.0f;
constexpr double TRIM_TENTHS = 10.0;     // the stored trim is divided in double precision
constexpr float TRIM_TO_TENTHS = 10.0f;  // and the taken one multiplied in single

constexpr double TURN = 6.2831853072;
constexpr double DEGREES_PER_TURN = 360.0;
constexpr double DEG_TO_RAD = 0.01745329252;

// The horizon picture's columns 6 to 133 fill the screen; its centre lies at
// screen (64, 70).
constexpr int HORIZON_X = -6;
constexpr int HORIZON_Y = 0;

// Bottom strip with the caption and the page indicator.
constexpr int STRIP_TOP = 140;

// The alignment message box.
constexpr int ALIGN_X0 = 24, ALIGN_Y0 = 35, ALIGN_X1 = 104, ALIGN_Y1 = 54;
constexpr int ALIGN_TEXT_X = 64, ALIGN_TEXT_Y = 45;

// The fixed aircraft symbol: a centre block and two wing bars (below).
constexpr uint32_t AIRCRAFT_COLOUR = 0xFFFFFF50u;

// Slip indicator: the ball moves 6 pixels per unit of slip within +-7 units
// in a black tube between two marks.
constexpr int BALL_SIDE = 20;
constexpr uint32_t BALL_TINT = 0x40404040u;
constexpr float BALL_SCALE = 1.1f;
constexpr float SLIP_LIMIT = 7.0f;
constexpr float SLIP_READING_LIMIT = 1e30f;  // times the divisor 100, still a finite float
constexpr int SLIP_PIXELS = 6;
constexpr int BALL_CENTRE_X = 64;
constexpr int BALL_Y = 111;
constexpr int TUBE_X0 = 15, TUBE_Y0 = 111, TUBE_X1 = 113, TUBE_Y1 = 130;
constexpr float MARK_TOP = 114.0f, MARK_BOTTOM = 127.0f;

// Status letters: each coloured from red (quality 0) to green (quality 1).
constexpr int STATUS_Y0 = 120, STATUS_Y1 = 140, STATUS_TEXT_Y = 130;
constexpr float CHANNEL_FULL = 255.0f;

// ---- Types ----------------------------------------------------------------

struct Rect {
    int x0, y0, x1, y1;
};
constexpr Rect AIRCRAFT_PARTS[] = {{60, 67, 68, 73}, {24, 68, 49, 72}, {79, 68, 104, 72}};

// The tube's marks, a line each.
struct Mark {
    float x;
    uint32_t colour;
};
constexpr Mark SLIP_MARKS[] = {{53, COLOUR_CYAN}, {54, COLOUR_CYAN}, {55, 0},
                               {74, COLOUR_CYAN}, {75, COLOUR_CYAN}, {76, 0}};

struct StatusLetter {
    char letter;
    int x;
};
constexpr StatusLetter STATUS_LETTERS[] = {{'R', 10}, {'P', 25},  {'Y', 40}, {'J', 55},
                                           {'A', 70}, {'W', 105}, {'B', 120}};

// ---- Module state ---------------------------------------------------------

// The page's state is attitudePage (page_attitude.h). Working memory of one
// frame, drawn over in full before each use, so no state:
uint32_t horizonImage[HORIZON_SIDE * HORIZON_SIDE];
uint32_t ballScratch[BALL_SIDE * BALL_SIDE];

// ---- Private helpers ------------------------------------------------------

// Limited to -15..15 degrees; NaN gives 0 so that no trim can poison a frame.
float limitTrim(float t) {
    if (std::isnan(t)) return 0.0f;
    if (t > TRIM_LIMIT) return TRIM_LIMIT;
    if (t < -TRIM_LIMIT) return -TRIM_LIMIT;
    return t;
}

// The smoothed slip. A reading that is not a number would stay in the
// smoothing channel for good, so it is left out (the ball stays where it
// was); readings far beyond any real slip are limited so that the channel's
// accumulator stays finite.
void takeSlip(float reading) {
    if (!std::isfinite(reading)) return;
    reading = std::clamp(reading, -SLIP_READING_LIMIT, SLIP_READING_LIMIT);
    attitudePage.slipValue = filterFeed(ATTITUDE_SLIP_CHANNEL, reading);
}

// Bank, pitch and slip for this frame from the demo motion or the sensors;
// false when the sensors have no attitude solution (the angles keep their
// last values then).
bool takeAttitude(int mode) {
    AttitudePageState& a = attitudePage;
    if (mode == DEMO_MOTION) {
        a.bankAngle = static_cast<float>(deviceState.demoRoll * TURN / DEGREES_PER_TURN);
        a.pitchAngle = static_cast<float>(deviceState.demoPitch * TURN / DEGREES_PER_TURN);
        a.slipValue = deviceState.demoRoll;
        return true;
    }
    if (!devAttitudeValid()) return false;
    const float roll = devRollAngle();
    const float pitch = devPitchAngle() - a.pitchTrim;
    // A reading that is not a number is no attitude at all: the screen goes
    // black rather than showing a made-up level picture.
    if (!std::isfinite(roll) || !std::isfinite(pitch)) return false;
    a.bankAngle = static_cast<float>(-roll * DEG_TO_RAD);
    a.pitchAngle = static_cast<float>(pitch * DEG_TO_RAD);
    takeSlip(devSlipReading());
    return true;
}

// The ball between the two tube marks, 6 pixels per unit of slip.
void drawSlipIndicator(uint32_t* fb) {
    for (uint32_t& p : ballScratch) p = 0;
    gfx_draw_icon4(ballScratch, BALL_SIDE, BALL_SIDE, ICON_BALL.data, BALL_SIDE, BALL_SIDE, 0, 0,
                   BALL_TINT);
    Transform2D xf{1.0f, 0.0f, 0.0f, 1.0f, BALL_SCALE};
    xform_rotate(xf, 0.0f);

    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, TUBE_X0, TUBE_Y0, TUBE_X1, TUBE_Y1, 0);
    float s = attitudePage.slipValue;
    if (s > SLIP_LIMIT) s = SLIP_LIMIT;
    if (s < -SLIP_LIMIT) s = -SLIP_LIMIT;
    const float x = BALL_CENTRE_X + SLIP_PIXELS * s - BALL_SIDE / 2 + 2;
    gfx_blit_transformed(fb, FB_WIDTH, FB_HEIGHT, ballScratch, BALL_SIDE, BALL_SIDE, x, BALL_Y, xf,
                         true);

    for (const Mark& m : SLIP_MARKS)
        gfx_line_aa(fb, FB_WIDTH, FB_HEIGHT, m.x, MARK_TOP, m.x, MARK_BOTTOM, m.colour);
}

// Qualities outside 0..1 (and NaN, as 0) are limited, so that no reading can
// wrap a colour channel round.
float limitQuality(float q) {
    if (!(q > 0.0f)) return 0.0f;
    if (q > 1.0f) return 1.0f;
    return q;
}

uint32_t channelByte(float v) {
    return static_cast<uint32_t>(truncToInt(v * CHANNEL_FULL)) & 0xFFu;
}

// Seven letters, each red to green by its own quality, read just before it is drawn.
void drawStatusRow(uint32_t* fb) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, 0, STATUS_Y0, FB_WIDTH, STATUS_Y1, COLOUR_BLACK);
    for (const StatusLetter& s : STATUS_LETTERS) {
        const float q = limitQuality(devStatusQuality(s.letter));
        const uint32_t r = channelByte(1.0f - q), g = channelByte(q);
        const char text[2] = {s.letter, '\0'};
        font_draw_text_centered(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_18, s.x, STATUS_TEXT_Y,
                                COLOUR_BLACK | r << 16 | g << 8, text);
    }
}

// Asked in order, stopping at the first condition that is not met.
bool aligned() {
    for (int n = 1; n <= DEV_ALIGN_CONDITIONS; ++n)
        if (!devAlignCondition(n)) return false;
    return true;
}

void drawAligningMessage(uint32_t* fb) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, ALIGN_X0, ALIGN_Y0, ALIGN_X1, ALIGN_Y1, 0);
    font_draw_text_centered(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_18, ALIGN_TEXT_X, ALIGN_TEXT_Y,
                            COLOUR_RED, "ALIGNING");
}

void drawAircraftSymbol(uint32_t* fb) {
    for (const Rect& r : AIRCRAFT_PARTS)
        gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, r.x0, r.y0, r.x1, r.y1, AIRCRAFT_COLOUR);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Start-up: ladder and slip shown, status row hidden, slip smoothing configured.
void initAttitudePage() {
    attitudePage.widgetsShown = 1;
    attitudePage.statusShown = 0;
    filterConfigure(ATTITUDE_SLIP_CHANNEL, ATTITUDE_SLIP_DIVISOR);
}

// Draws page 6: the horizon (black without an attitude), the widgets, the
// bottom strip, the alignment message, the aircraft symbol and the status row.
void attitudeDrawPage(uint32_t* fb) {
    AttitudePageState& a = attitudePage;
    setHorizonColours(HORIZON_SKY, HORIZON_GROUND);
    a.pitchTrim = limitTrim(static_cast<float>(settingsReadInt(SLOT_PITCH_TRIM) / TRIM_TENTHS));

    const int mode = settingsReadByte(SLOT_DEMO_MODE);
    if (takeAttitude(mode)) {
        drawHorizon(horizonImage, HORIZON_SIDE, a.bankAngle, a.pitchAngle);
        gfx_blit(fb, FB_WIDTH, FB_HEIGHT, horizonImage, HORIZON_SIDE, HORIZON_SIDE, HORIZON_X,
                 HORIZON_Y);
    } else {
        gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, 0, 0, FB_WIDTH, FB_HEIGHT, 0);
    }

    if (a.widgetsShown) {
        drawAoaLadder(fb, AOA_LADDER_ATTITUDE);
        drawSlipIndicator(fb);
    }
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, 0, STRIP_TOP, FB_WIDTH, FB_HEIGHT, COLOUR_BLACK);
    drawBottomLabel(fb, "PSYNC", COLOUR_GREY);
    drawPageIndicator(fb);

    if (mode == SENSORS_ALIGNED && !aligned()) drawAligningMessage(fb);
    drawAircraftSymbol(fb);
    if (a.statusShown) drawStatusRow(fb);
}

// View release toggles the ladder and slip indicator, a View hold the status
// row; both-press takes the present pitch reading as the trim (slot 8).
ButtonEvent attitudeHandleEvent(ButtonEvent e) {
    AttitudePageState& a = attitudePage;
    switch (e) {
        case EVT_VIEW_RELEASE: a.widgetsShown = a.widgetsShown == 1 ? 0 : 1; return EVT_NONE;
        case EVT_VIEW_HOLD: a.statusShown = a.statusShown == 0 ? 1 : 0; return EVT_NONE;
        case EVT_BOTH_PRESS:
            a.pitchTrim = limitTrim(devPitchAngle());
            settingsWriteInt(SLOT_PITCH_TRIM, truncToInt(a.pitchTrim * TRIM_TO_TENTHS));
            return EVT_NONE;
        default: return e;
    }
}

// Power-on state of the page (initAttitudePage follows at start-up).
void attitudePagePowerOnReset() {
    attitudePage = {};
    setHorizonColours(HORIZON_SKY, HORIZON_GROUND);
}
