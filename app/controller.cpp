// The page controller: frame cycle, page dispatch table, page indicator strip
// and power supervision.
#include "app/controller.h"

#include "app/alerts.h"
#include "app/brightness_dialog.h"
#include "app/colours.h"
#include "app/navigation.h"
#include "app/page_attitude.h"
#include "app/page_data.h"
#include "app/page_gmeter.h"
#include "app/page_runtime.h"
#include "app/page_timer.h"
#include "app/setup.h"
#include "app/splash.h"
#include "device/device.h"
#include "device/filter.h"
#include "device/settings.h"
#include "gfx/gfx.h"
#include "gfx/icons.h"
#include "gfx/trunc.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr float BUS_POWER_VOLTS = 5.0f;
constexpr float LOW_BATTERY_VOLTS = 3.3f;
constexpr int PAGE_REQUEST_VALUE = 8;
constexpr int POWER_OFF_CODE = 15;

// Standby calibration: one smoothing channel and reference value per axis,
// stored as calibration parameters 80 to 82.
constexpr int CAL_AXES = 3;
constexpr int CAL_FIRST_CHANNEL = 27;
constexpr int CAL_FIRST_PARAMETER = 80;
constexpr float CAL_LIMIT = 0.05f;

constexpr uint32_t INDICATOR_COLOUR = COLOUR_WHITE;
constexpr int INDICATOR_ARROW_Y = 143;
constexpr int INDICATOR_LEFT_ARROW_X = 2;
constexpr int INDICATOR_RIGHT_ARROW_X = 119;
constexpr int INDICATOR_BAR_TOP = 145;
constexpr int INDICATOR_BAR_BOTTOM = 156;
constexpr int INDICATOR_BAR_WIDTH = 2;
constexpr int INDICATOR_BAR_STEP = 4;
constexpr int INDICATOR_FIRST_LEFT_BAR = 12;
constexpr int INDICATOR_FIRST_RIGHT_BAR = 115;

// ---- Types ----------------------------------------------------------------------

// One row of the dispatch table. draw returns 1 when the page has finished
// and the controller is to move on (only the splash page does).
struct PageEntry {
    int (*draw)(uint32_t* fb);
    ButtonEvent (*handleEvent)(ButtonEvent e);
};

}  // namespace

// ---- Shared state -------------------------------------------------------------

int activePage = PAGE_SPLASH;
int brightnessDialogOpen = 0;
int onBattery = 0;
int standbyActive = 0;

// ---- Module state -----------------------------------------------------------------

namespace {

int standbySavedPage = 0;
int standbyCountdown = STANDBY_FRAMES;
int batteryAttitudeLatch = 0;

// ---- Private helpers --------------------------------------------------------------

template <void (*Draw)(uint32_t*)>
int drawOnly(uint32_t* fb) {
    Draw(fb);
    return 0;
}

void drawTimer1(uint32_t* fb) { timerDrawPage(fb, 0); }
void drawTimer2(uint32_t* fb) { timerDrawPage(fb, 1); }
ButtonEvent handleTimer1(ButtonEvent e) { return timerHandleEvent(e, 0); }
ButtonEvent handleTimer2(ButtonEvent e) { return timerHandleEvent(e, 1); }
// The splash page has no handler: its events pass on to the navigation.
ButtonEvent passEvent(ButtonEvent e) { return e; }

constexpr PageEntry PAGES[PAGE_COUNT] = {
    {drawSplash, passEvent},                            // PAGE_SPLASH
    {drawOnly<dataDrawPage>, dataHandleEvent},          // PAGE_DATA
    {drawOnly<runTimeDrawPage>, runTimeHandleEvent},    // PAGE_RUN_TIME
    {drawOnly<drawTimer1>, handleTimer1},               // PAGE_TIMER_1
    {drawOnly<drawTimer2>, handleTimer2},               // PAGE_TIMER_2
    {drawOnly<gmeterDrawPage>, gmeterHandleEvent},      // PAGE_GMETER
    {drawOnly<attitudeDrawPage>, attitudeHandleEvent},  // PAGE_ATTITUDE
    {drawOnly<setupDrawPage>, setupHandleEvent},        // PAGE_SETUP
};
static_assert(sizeof(PAGES) / sizeof(PAGES[0]) == PAGE_COUNT, "one entry per PageId");

bool validPage(int page) { return page >= 0 && page < PAGE_COUNT; }
bool navigablePage(int page) { return page >= FIRST_NAVIGABLE_PAGE && page <= LAST_NAVIGABLE_PAGE; }

// The splash has ended: the page last selected by navigation, else page 1.
void leaveSplash() {
    devNotify(1);
    const int page = settingsReadByte(SLOT_LAST_PAGE);
    activePage = navigablePage(page) ? page : PAGE_DATA;
}

void drawActivePage(uint32_t* fb) {
    if (brightnessDialogOpen) {
        drawBrightnessDialog(fb);
        return;
    }
    if (!validPage(activePage)) return;
    if (PAGES[activePage].draw(fb)) leaveSplash();
}

// A request from the external interface; anything but 1 to 7 is acknowledged
// and ignored, so a bad request can never select a page that draws nothing.
void takePageRequest() {
    const int request = truncToInt(devReadValue(PAGE_REQUEST_VALUE));
    if (request == 0) return;
    if (navigablePage(request)) activePage = request;
    devWriteValue(PAGE_REQUEST_VALUE, 0.0f);
}

float limitCalibration(float v) {
    if (v > CAL_LIMIT) v = CAL_LIMIT;
    if (!(v > -CAL_LIMIT)) v = -CAL_LIMIT;
    return v;
}

// Last standby frame: store the smoothed axes as calibration parameters.
void storeStandbyCalibration() {
    float averages[CAL_AXES];
    for (int axis = 0; axis < CAL_AXES; ++axis) {
        averages[axis] =
            limitCalibration(filterFeed(CAL_FIRST_CHANNEL + axis, devAxisReading(axis + 1)));
    }
    devWriteParameter(1, CAL_FIRST_PARAMETER, devReadValue(0) + averages[0]);
    devWriteParameter(1, CAL_FIRST_PARAMETER + 1, devReadValue(1) - averages[1]);
    devWriteParameter(1, CAL_FIRST_PARAMETER + 2, devReadValue(2) - averages[2]);
}

void sampleStandbyCalibration() {
    if (standbyCountdown == STANDBY_FRAMES) {
        for (int axis = 0; axis < CAL_AXES; ++axis) filterReset(CAL_FIRST_CHANNEL + axis);
    }
    if (devCalibrateInput()) {
        for (int axis = 0; axis < CAL_AXES; ++axis) {
            filterFeed(CAL_FIRST_CHANNEL + axis, devAxisReading(axis + 1));
        }
        if (standbyCountdown == 1) storeStandbyCalibration();
    }
    --standbyCountdown;
}

// On battery and on the ground: enter standby, count it down, then power off.
// While the busy input is above 0 the power-off waits, one frame at a time.
void standbyStep() {
    if (standbyCountdown > 0 && !standbyActive) {
        standbyActive = 1;
        standbySavedPage = activePage;
        activePage = PAGE_SPLASH;
        devNotify(1);
    } else if (standbyCountdown > 0) {
        sampleStandbyCalibration();
    } else if (devBusyInput() <= 0) {
        powerOff();
    }
}

// On bus power or in flight: leave standby, and on battery in flight switch to
// the attitude page once per battery episode if the option asks for it.
void busPowerStep() {
    standbyCountdown = STANDBY_FRAMES;
    if (devBusVoltage() > BUS_POWER_VOLTS) devNotify(0);
    if (standbyActive) {
        activePage = standbySavedPage;
        standbyActive = 0;
        devNotify(1);
    }
    if (onBattery && (settingsReadByte(SLOT_OPTIONS) & OPTION_BATTERY_ATTITUDE) && devInFlight() &&
        !batteryAttitudeLatch) {
        activePage = PAGE_ATTITUDE;
        batteryAttitudeLatch = 1;
    }
}

// Returns false when the battery is too low and the unit has powered off.
bool batteryTest() {
    if (devBusVoltage() < BUS_POWER_VOLTS) {
        onBattery = 1;
        if (devBatteryVoltage() < LOW_BATTERY_VOLTS && activePage != PAGE_SPLASH) {
            powerOff();
            return false;
        }
    } else {
        onBattery = 0;
        batteryAttitudeLatch = 0;
    }
    return true;
}

void drawIndicatorBar(uint32_t* fb, int x) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, x, INDICATOR_BAR_TOP, x + INDICATOR_BAR_WIDTH,
                  INDICATOR_BAR_BOTTOM, INDICATOR_COLOUR);
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Window creation: splash page, decoder started, power state cleared.
void initController() {
    activePage = PAGE_SPLASH;
    buttonDecoderStart();
    standbyCountdown = STANDBY_FRAMES;
    onBattery = 0;
    batteryAttitudeLatch = 0;
    devNotify(1);
}

// One composed frame, in the fixed order of the frame cycle.
void renderFrame(uint32_t* fb) {
    drawActivePage(fb);
    if (activePage != PAGE_SPLASH) drawAlertBanner(fb);
    takePageRequest();
    if (!batteryTest()) return;
    if (onBattery && !devInFlight()) {
        standbyStep();
        return;
    }
    busPowerStep();
}

// Arrows at both ends, a bar for each enabled page before and after the active one.
void drawPageIndicator(uint32_t* fb) {
    if (activePage >= 1) {
        gfx_draw_icon(fb, FB_WIDTH, FB_HEIGHT, ICON_TRI_LEFT, INDICATOR_LEFT_ARROW_X,
                      INDICATOR_ARROW_Y, INDICATOR_COLOUR);
    }
    if (activePage <= 7) {
        gfx_draw_icon(fb, FB_WIDTH, FB_HEIGHT, ICON_TRI_RIGHT, INDICATOR_RIGHT_ARROW_X,
                      INDICATOR_ARROW_Y, INDICATOR_COLOUR);
    }
    int x = INDICATOR_FIRST_LEFT_BAR;
    for (int page = FIRST_NAVIGABLE_PAGE; page < activePage && page <= LAST_NAVIGABLE_PAGE;
         ++page) {
        if (!pageEnabled(page)) continue;
        drawIndicatorBar(fb, x);
        x += INDICATOR_BAR_STEP;
    }
    x = INDICATOR_FIRST_RIGHT_BAR;
    for (int page = LAST_NAVIGABLE_PAGE; page > activePage && page >= FIRST_NAVIGABLE_PAGE;
         --page) {
        if (!pageEnabled(page)) continue;
        drawIndicatorBar(fb, x);
        x -= INDICATOR_BAR_STEP;
    }
}

// The power-off sequence. The device layer marks the unit off; the host then
// stops its ticks and frames while the window stays open.
void powerOff() {
    devPowerOffA();
    devPowerOffB(POWER_OFF_CODE);
    devPowerOffC();
}

// The page's handler by the dispatch table; pages outside 0 to 7 use nothing.
ButtonEvent pageHandleEvent(int page, ButtonEvent e) {
    if (!validPage(page)) return e;
    return PAGES[page].handleEvent(e);
}

// The input as sampled after the last frame.
bool editionUnit() { return discreteInput(EDITION_INPUT) != 0; }

// Any value but 0, even one the brightness dialog never sets.
bool demoModeOn() { return settingsReadByte(SLOT_DEMO_MODE) != 0; }

// Power-on state of the controller.
void controllerPowerOnReset() {
    activePage = PAGE_SPLASH;
    brightnessDialogOpen = 0;
    onBattery = 0;
    standbyActive = 0;
    standbySavedPage = 0;
    standbyCountdown = STANDBY_FRAMES;
    batteryAttitudeLatch = 0;
}
