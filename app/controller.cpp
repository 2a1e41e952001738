// The page controller: frame cycle, page dispatch table and power supervision.
#include "app/controller.h"

#include "app/alert_banner.h"
#include "app/brightness_dialog.h"
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
#include "device/settings_slots.h"
#include "gfx/trunc.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr float BUS_POWER_VOLTS = 5.0f;
constexpr float LOW_BATTERY_VOLTS = 3.3f;
constexpr int POWER_OFF_CODE = 15;
// Standby calibration: each axis's smoothed reading is limited to this either
// way before it corrects the axis's reference value.
constexpr float CAL_LIMIT = 0.05f;

// ---- Types ----------------------------------------------------------------------

// One row of the dispatch table. draw returns 1 when the page has finished
// and the controller is to move on (only the splash page does); onEnter, where
// there is one, runs when navigation steps forwards onto the page.
struct PageEntry {
    int (*draw)(uint32_t* fb);
    ButtonEvent (*handleEvent)(ButtonEvent e);
    void (*onEnter)();
};

// ---- Module state -------------------------------------------------------------

// `controller`, declared in controller.h.

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
    {drawSplash, passEvent, nullptr},                             // PAGE_SPLASH
    {drawOnly<dataDrawPage>, dataHandleEvent, nullptr},           // PAGE_DATA
    {drawOnly<runTimeDrawPage>, runTimeHandleEvent, nullptr},     // PAGE_RUN_TIME
    {drawOnly<drawTimer1>, handleTimer1, nullptr},                // PAGE_TIMER_1
    {drawOnly<drawTimer2>, handleTimer2, nullptr},                // PAGE_TIMER_2
    {drawOnly<gmeterDrawPage>, gmeterHandleEvent, nullptr},       // PAGE_GMETER
    {drawOnly<attitudeDrawPage>, attitudeHandleEvent, nullptr},   // PAGE_ATTITUDE
    {drawOnly<setupDrawPage>, setupHandleEvent, resetSetupMenu},  // PAGE_SETUP
};
static_assert(sizeof(PAGES) / sizeof(PAGES[0]) == PAGE_COUNT, "one entry per PageId");

bool validPage(int page) { return page >= 0 && page < PAGE_COUNT; }
bool navigablePage(int page) { return page >= FIRST_NAVIGABLE_PAGE && page <= LAST_NAVIGABLE_PAGE; }

// The splash has ended: the page last selected by navigation, else page 1.
void leaveSplash() {
    devNotify(1);
    const int page = settingsReadByte(SLOT_LAST_PAGE);
    controller.activePage = navigablePage(page) ? page : PAGE_DATA;
}

void drawActivePage(uint32_t* fb) {
    if (brightnessDialog.open) {
        drawBrightnessDialog(fb);
        return;
    }
    if (!validPage(controller.activePage)) return;
    if (PAGES[controller.activePage].draw(fb)) leaveSplash();
}

// A request from the external interface; anything but 1 to 7 is acknowledged
// and ignored, so a bad request can never select a page that draws nothing.
void takePageRequest() {
    const int request = truncToInt(devReadValue(DEV_PAGE_REQUEST));
    if (request == 0) return;
    if (navigablePage(request)) controller.activePage = request;
    devWriteValue(DEV_PAGE_REQUEST, 0.0f);
}

float limitCalibration(float v) {
    if (v > CAL_LIMIT) v = CAL_LIMIT;
    if (!(v > -CAL_LIMIT)) v = -CAL_LIMIT;
    return v;
}

// Last standby frame: store the smoothed axes as calibration parameters 80 to 82.
void storeStandbyCalibration() {
    float averages[DEV_AXES];
    for (int axis = 0; axis < DEV_AXES; ++axis) {
        averages[axis] =
            limitCalibration(filterFeed(FILTER_CAL_FIRST_CHANNEL + axis, devAxisReading(axis + 1)));
    }
    const int first = DEV_CAL_FIRST_PARAMETER;
    devWriteParameter(DEV_PARAMETER_BANK, first, devReadValue(0) + averages[0]);
    devWriteParameter(DEV_PARAMETER_BANK, first + 1, devReadValue(1) - averages[1]);
    devWriteParameter(DEV_PARAMETER_BANK, first + 2, devReadValue(2) - averages[2]);
}

void sampleStandbyCalibration() {
    if (controller.standbyCountdown == STANDBY_FRAMES) {
        for (int axis = 0; axis < DEV_AXES; ++axis) filterReset(FILTER_CAL_FIRST_CHANNEL + axis);
    }
    if (devCalibrateInput()) {
        for (int axis = 0; axis < DEV_AXES; ++axis) {
            filterFeed(FILTER_CAL_FIRST_CHANNEL + axis, devAxisReading(axis + 1));
        }
        if (controller.standbyCountdown == 1) storeStandbyCalibration();
    }
    --controller.standbyCountdown;
}

// On battery and on the ground: enter standby, count it down, then power off.
// While the busy input is above 0 the power-off waits, one frame at a time.
void standbyStep() {
    ControllerState& c = controller;
    if (c.standbyCountdown > 0 && !c.standbyActive) {
        c.standbyActive = 1;
        c.standbySavedPage = c.activePage;
        c.activePage = PAGE_SPLASH;
        devNotify(1);
    } else if (c.standbyCountdown > 0) {
        sampleStandbyCalibration();
    } else if (devBusyInput() <= 0) {
        powerOff();
    }
}

// On bus power or in flight: leave standby, and on battery in flight switch to
// the attitude page once per battery episode if the option asks for it.
void busPowerStep() {
    ControllerState& c = controller;
    c.standbyCountdown = STANDBY_FRAMES;
    if (devBusVoltage() > BUS_POWER_VOLTS) devNotify(0);
    if (c.standbyActive) {
        c.activePage = c.standbySavedPage;
        c.standbyActive = 0;
        devNotify(1);
    }
    if (c.onBattery && (settingsReadByte(SLOT_OPTIONS) & OPTION_BATTERY_ATTITUDE) &&
        devInFlight() && !c.batteryAttitudeLatch) {
        c.activePage = PAGE_ATTITUDE;
        c.batteryAttitudeLatch = 1;
    }
}

// Returns false when the battery is too low and the unit has powered off.
bool batteryTest() {
    if (devBusVoltage() < BUS_POWER_VOLTS) {
        controller.onBattery = 1;
        if (devBatteryVoltage() < LOW_BATTERY_VOLTS && controller.activePage != PAGE_SPLASH) {
            powerOff();
            return false;
        }
    } else {
        controller.onBattery = 0;
        controller.batteryAttitudeLatch = 0;
    }
    return true;
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Window creation: splash page, decoder started, power state cleared.
void initController() {
    controller.activePage = PAGE_SPLASH;
    buttonDecoderStart();
    controller.standbyCountdown = STANDBY_FRAMES;
    controller.onBattery = 0;
    controller.batteryAttitudeLatch = 0;
    devNotify(1);
}

// One composed frame, in the fixed order of the frame cycle.
void renderFrame(uint32_t* fb) {
    drawActivePage(fb);
    if (controller.activePage != PAGE_SPLASH) drawAlertBanner(fb);
    takePageRequest();
    if (!batteryTest()) return;
    if (controller.onBattery && !devInFlight()) {
        standbyStep();
        return;
    }
    busPowerStep();
}

// The page as it was left.
void controllerShowPage(int page) { controller.activePage = page; }

// The page first, then its onEnter hook.
void controllerEnterPage(int page) {
    controller.activePage = page;
    if (validPage(page) && PAGES[page].onEnter != nullptr) PAGES[page].onEnter();
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

// Power-on state of the controller.
void controllerPowerOnReset() { controller = {}; }
