// Page 5: load factor and angle of attack in four views, the fractions
// against the limits that other pages share, and the page's events.
// The views are drawn by gmeter_views.cpp, the ladder by aoa_ladder.cpp.
#include "app/page_gmeter.h"

#include <cmath>

#include "app/colours.h"
#include "app/furniture.h"
#include "app/gmeter_parts.h"
#include "app/unit_inputs.h"
#include "device/device.h"
#include "device/filter.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/gfx.h"

// ---- Constants ----------------------------------------------------------------

namespace {

// Limits closer to 0 G than this give no fraction at all.
constexpr float SANE_G_LIMIT = 0.5f;

constexpr int BLINK_LAST_PHASE = 20;
constexpr int BLINK_SHOWN_ABOVE = 10;

// demo G = demoPitch / 15 + 1, so 1.0 to 1.8 G over the pitch swing.
constexpr float DEMO_G_DIVISOR = 15.0f;
constexpr float DEMO_G_OFFSET = 1.0f;
constexpr float DEMO_AOA_CONSTANT = 10.0f;

// ---- Module state -------------------------------------------------------------

// `gmeter`, declared in page_gmeter.h.

// ---- Private helpers --------------------------------------------------------------

// Limits f to [-1, 1]; a reading that is not a number gives 0.
float clampFraction(float f) {
    if (f > 1.0f) return 1.0f;
    if (f < -1.0f) return -1.0f;
    if (std::isnan(f)) return 0.0f;
    return f;
}

float demoG() { return deviceState.demoPitch / DEMO_G_DIVISOR + DEMO_G_OFFSET; }

void drawFooter(uint32_t* fb) {
    drawBottomLabel(fb, "CLR PK", COLOUR_GREY);
    drawPageIndicator(fb);
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// -- Shared with the page's other files (gmeter_parts.h)

bool blinkShown() { return gmeter.blinkPhase > BLINK_SHOWN_ABOVE; }

void advanceBlinkPhase() {
    if (++gmeter.blinkPhase > BLINK_LAST_PHASE) gmeter.blinkPhase = 0;
}

float gmeterDemoAoa() {
    const float out = gmeter.demoAoaAccumulator / DEMO_AOA_CONSTANT;
    gmeter.demoAoaAccumulator = gmeter.demoAoaAccumulator + deviceState.demoPitch - out;
    return out;
}

// -- The page

// Window creation: the view from slot 11 (above 3 gives 0), channels 33 and 34.
void gmeterInit() {
    const int stored = settingsReadByte(SLOT_GMETER_VIEW);
    gmeter.view = stored < GMETER_VIEWS ? stored : GMETER_VIEW_TAPES;
    filterConfigure(GMETER_G_CHANNEL, GMETER_G_DIVISOR);
    filterConfigure(GMETER_AOA_SCALE_CHANNEL, GMETER_AOA_SCALE_DIVISOR);
}

// Draws page 5; the G reading is smoothed every frame, whatever the view.
void gmeterDrawPage(uint32_t* fb) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, 0, 0, FB_WIDTH, FB_HEIGHT, devBackgroundColour());
    const float sensorG = filterFeed(GMETER_G_CHANNEL, devGReading());
    const bool demo = demoModeOn();
    switch (gmeter.view) {
        case GMETER_VIEW_TAPES:
            drawGmeterTapes(fb, demo ? demoG() : sensorG, demo ? gmeterDemoAoa() : devAoaAngle());
            break;
        case GMETER_VIEW_AOA_CHEVRONS:
            drawGmeterChevrons(fb, gmeter.view,
                               aoaFraction(demo ? gmeterDemoAoa() : devAoaAngle()));
            break;
        case GMETER_VIEW_G_CHEVRONS:
            drawGmeterChevrons(fb, gmeter.view, gloadFraction(demo ? demoG() : sensorG));
            break;
        case GMETER_VIEW_G_DIGITS: drawGmeterDigits(fb, demo ? demoG() : sensorG); break;
        default: break;
    }
    drawFooter(fb);
    advanceBlinkPhase();
}

// View release cycles the views and stores the choice; both-press clears the peaks.
ButtonEvent gmeterHandleEvent(ButtonEvent e) {
    if (e == EVT_VIEW_RELEASE) {
        gmeter.view = (gmeter.view + 1) % GMETER_VIEWS;
        settingsWriteByte(SLOT_GMETER_VIEW, gmeter.view);
        return EVT_NONE;
    }
    if (e == EVT_BOTH_PRESS) {
        // The device layer takes the reset request twice.
        devResetPeaks();
        devResetPeaks();
        return EVT_NONE;
    }
    return e;
}

// Sets the view without storing it; values outside the four views are ignored.
void gmeterSetView(int view) {
    if (view >= 0 && view < GMETER_VIEWS) gmeter.view = view;
}

// 0 at the cruise angle, 1 at the pre-stall angle, times the smoothed scale
// reading when it is positive, limited to [-1, 1].
float aoaFraction(float aoa) {
    const float prestall = static_cast<float>(settingsReadInt(SLOT_AOA_PRESTALL));
    const float cruise = static_cast<float>(settingsReadInt(SLOT_AOA_CRUISE));
    const float scale = filterFeed(GMETER_AOA_SCALE_CHANNEL, devAoaScale());
    float f = prestall == cruise ? 0.0f : (aoa - cruise) / (prestall - cruise);
    if (scale > 0.0f) f = f * scale;
    return clampFraction(f);
}

// The load factor as a fraction of the positive or the negative limit, both
// positive; 0 when either limit is not sane.
float gloadFraction(float g) {
    const float positive = static_cast<float>(settingsReadInt(SLOT_G_LIMIT_POSITIVE));
    const float negative = static_cast<float>(settingsReadInt(SLOT_G_LIMIT_NEGATIVE));
    if (!(positive > SANE_G_LIMIT) || !(negative < -SANE_G_LIMIT)) return 0.0f;
    float f = 0.0f;
    if (g > 0.0f) f = g / positive;
    if (g < 0.0f) f = g / negative;
    return clampFraction(f);
}

// Power-on state of the page.
void gmeterPowerOnReset() { gmeter = {}; }
