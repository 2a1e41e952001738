// The brightness and demo-mode dialog: level number and bar, mode title, demo line.
#include "app/brightness_dialog.h"

#include <cstdint>

#include "app/colours.h"
#include "app/furniture.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int LEVEL_Y = 60;
constexpr int BAR_LEFT = 20;
constexpr int BAR_TOP = 80;
constexpr int BAR_BOTTOM = 95;
// Beyond this the bar lies outside the screen anyway; keeps 20 + level in range.
constexpr int BAR_LEVEL_LIMIT = 1000;
constexpr int TITLE_Y = 10;
constexpr int SUBTITLE_Y = 25;
constexpr int DEMO_Y = 130;
constexpr int FINE_STEP_BELOW = 10;  // levels below this move in steps of 1
constexpr int COARSE_STEP = 10;

// ---- Module state -------------------------------------------------------------

// `brightnessDialog`, declared in brightness_dialog.h.

// ---- Private helpers --------------------------------------------------------------

// Computed in 64 bits and limited to the int range, so no device level can
// overflow; the device layer limits the level it is given to 0..100.
int toInt(int64_t v) {
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int>(v);
}

int levelUp(int v) {
    if (v < FINE_STEP_BELOW) return v + 1;
    return toInt(int64_t{v / COARSE_STEP} * COARSE_STEP + COARSE_STEP);
}

int levelDown(int v) {
    if (v <= FINE_STEP_BELOW) return toInt(int64_t{v} - 1);
    return v / COARSE_STEP * COARSE_STEP - COARSE_STEP;
}

// Changing the level always selects manual brightness.
void setManualLevel(int level) {
    devSetBrightnessLevel(level);
    devSetBrightnessMode(1);
}

// 0 becomes 1, 1 becomes 2, anything else switches demo mode off.
void cycleDemoMode() {
    const int mode = settingsReadByte(SLOT_DEMO_MODE);
    if (mode == DEMO_OFF || mode == DEMO_MODE_1) {
        settingsWriteByte(SLOT_DEMO_MODE, mode + 1);
        return;
    }
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_OFF);
    devDemoOff();
}

// Manual level as it stands, or the automatic level, which follows the device.
int shownLevel() {
    if (devBrightnessManual()) return devManualBrightnessLevel();
    const int level = devAutoBrightnessLevel();
    devSetBrightnessLevel(level);
    return level;
}

void drawLevel(uint32_t* fb, int level) {
    drawCentredInt(fb, FONT_NUM_23, LEVEL_Y, COLOUR_WHITE, level);
    int barLength = level;
    if (barLength > BAR_LEVEL_LIMIT) barLength = BAR_LEVEL_LIMIT;
    if (barLength < -BAR_LEVEL_LIMIT) barLength = -BAR_LEVEL_LIMIT;
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, BAR_LEFT, BAR_TOP, BAR_LEFT + barLength, BAR_BOTTOM,
                  COLOUR_WHITE);
}

void drawTitle(uint32_t* fb) {
    if (devBrightnessManual() == 1) {
        drawCentredText(fb, FONT_TEXT_14, TITLE_Y, COLOUR_TITLE_GREEN, "MANUAL");
        drawCentredText(fb, FONT_TEXT_14, SUBTITLE_Y, COLOUR_TITLE_GREEN, "BRIGHTNESS");
        drawBottomLabel(fb, "SET AUTO", COLOUR_GREY);
        return;
    }
    drawCentredText(fb, FONT_TEXT_14, TITLE_Y, COLOUR_TITLE_GREEN, "AUTO");
    drawCentredText(fb, FONT_TEXT_14, SUBTITLE_Y, COLOUR_TITLE_GREEN, "BRIGHTNESS");
}

void drawDemoLine(uint32_t* fb) {
    const int mode = settingsReadByte(SLOT_DEMO_MODE);
    if (mode == DEMO_MODE_1) drawCentredText(fb, FONT_TEXT_14, DEMO_Y, COLOUR_LABEL, "DEMO MODE 1");
    if (mode == DEMO_MODE_2) drawCentredText(fb, FONT_TEXT_14, DEMO_Y, COLOUR_LABEL, "DEMO MODE 2");
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Open and closed each tell the device.
void openBrightnessDialog() {
    brightnessDialog.open = 1;
    devNotify(1);
}

void closeBrightnessDialog() {
    brightnessDialog.open = 0;
    devNotify(1);
}

// The whole dialog, redrawn every frame while it is open.
void drawBrightnessDialog(uint32_t* fb) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, 0, 0, FB_WIDTH, FB_HEIGHT, devBackgroundColour());
    drawLevel(fb, shownLevel());
    drawUpDownHints(fb, true, true);
    drawRightLabel(fb, "OK", COLOUR_LABEL);
    drawTitle(fb);
    drawDemoLine(fb);
}

// View and Left step the manual level, both-press selects automatic
// brightness, a View hold cycles the demo mode; anything else is returned.
ButtonEvent brightnessDialogEvent(ButtonEvent e) {
    switch (e) {
        case EVT_VIEW_RELEASE: setManualLevel(levelUp(devManualBrightnessLevel())); return EVT_NONE;
        case EVT_LEFT_RELEASE:
            setManualLevel(levelDown(devManualBrightnessLevel()));
            return EVT_NONE;
        case EVT_BOTH_PRESS: devSetBrightnessMode(0); return EVT_NONE;
        case EVT_VIEW_HOLD: cycleDemoMode(); return EVT_NONE;
        default: return e;
    }
}

// Power-on state: closed.
void brightnessDialogPowerOnReset() { brightnessDialog = {}; }
