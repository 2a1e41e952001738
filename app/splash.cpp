// The splash page: picture, model name, software version, demo mark, and the
// frame counter that ends the splash once.
#include "app/splash.h"

#include "app/colours.h"
#include "app/furniture.h"
#include "app/unit_inputs.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/font.h"
#include "gfx/gfx.h"
#include "gfx/splash_picture.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int MODEL_Y = 100;
constexpr int VERSION_Y = 143;
constexpr int DEMO_MARK_X = 10;
constexpr int DEMO_MARK_Y = 10;
constexpr const char* SOFTWARE_VERSION = "1.2";

// ---- Types ----------------------------------------------------------------------

struct SplashState {
    // Frames left; counts down once from start-up and is not reset by standby.
    int counter = SPLASH_FRAMES;
};

// ---- Module state -----------------------------------------------------------------

SplashState splash = {};

// ---- Private helpers --------------------------------------------------------------

const char* demoMark(int mode) {
    if (mode == DEMO_MODE_1) return "D1";
    if (mode == DEMO_MODE_2) return "D2";
    return nullptr;
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Draws the splash; 1 on exactly the frame on which its display time ends.
int drawSplash(uint32_t* fb) {
    gfx_draw_image444(fb, FB_WIDTH, FB_HEIGHT, SPLASH_PICTURE, SPLASH_WIDTH, SPLASH_HEIGHT, 0, 0);
    const char* model = editionUnit() ? "QX-70-S" : "QX-70";
    drawCentredText(fb, FONT_TEXT_18, MODEL_Y, COLOUR_GREY, model);
    drawCentredText(fb, FONT_TEXT_14, VERSION_Y, COLOUR_GREY, SOFTWARE_VERSION);
    if (const char* mark = demoMark(settingsReadByte(SLOT_DEMO_MODE))) {
        font_draw_text_centered(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, DEMO_MARK_X, DEMO_MARK_Y,
                                COLOUR_LABEL, mark);
    }
    // Once at 0 the counter stays there: later visits (standby) never end the splash.
    if (splash.counter <= 0) return 0;
    return --splash.counter == 0 ? 1 : 0;
}

// Power-on state: the display time starts again.
void splashPowerOnReset() { splash = {}; }
