// The host shell: the order in which the platform's window events reach the
// unit. Window creation paints the bezel and initialises the application;
// paint requests pass a throttle that lets every tenth one compose a frame;
// the fast tick forces paint requests around the filter and decoder steps so
// that exactly one frame follows each decoder step.
#include "shell/shell.h"

#include <algorithm>
#include <iterator>

#include "app/alert_banner.h"
#include "app/alerts.h"
#include "app/brightness_dialog.h"
#include "app/buttons.h"
#include "app/controller.h"
#include "app/page_attitude.h"
#include "app/page_data.h"
#include "app/page_gmeter.h"
#include "app/page_runtime.h"
#include "app/page_timer.h"
#include "app/setup.h"
#include "app/splash.h"
#include "app/timekeeping.h"
#include "device/device.h"
#include "device/filter.h"
#include "device/settings.h"
#include "gfx/gfx.h"
#include "shell/bezel.h"
#include "shell/bezel_art.h"
#include "shell/compose.h"

namespace {

constexpr HostRect WHOLE_CANVAS = {0, 0, BEZEL_WIDTH, BEZEL_HEIGHT};

// What a power-on puts back.
struct ShellState {
    int32_t throttleCounter = 1;
    long frameCount = 0;
    HostRect changes = {};  // canvas area changed since the platform last looked
};

ShellState shell;
uint32_t canvas[BEZEL_PIXELS];
uint32_t framebuffer[FB_PIXELS];  // bottom-up, lives for one frame
// The artwork never changes; painting it once per process keeps the many
// power-ons of the tests cheap.
uint32_t bezelPicture[BEZEL_PIXELS];  // bottom-up, as the artwork paints it
bool bezelPainted = false;

// ---- Display application hooks ---------------------------------------------
// The only places where the shell calls the display application.

// Window creation: alerts cleared, controller and decoder started, G-meter view and channels.
void appOnCreate() {
    clearAlerts();
    initController();
    gmeterInit();
}
// After the first frame.
void appAttitudeStartup() { initAttitudePage(); }
// Fast tick, after the filter step.
void appButtonTick() { buttonTick(); }
// Frame, first.
void appRenderFrame(uint32_t* fb) { renderFrame(fb); }
// Frame, after demoStep().
void appAlertLogic(uint32_t* fb) { alertLogic(fb); }
// Slow tick, before devSecondTick().
void appSecondTick() {
    clockTick();
    timersTick();
    runTimesTick();
}
// unitPowerOnReset(): the power-on reset of every application module.
void appPowerOnReset() {
    controllerPowerOnReset();
    brightnessDialogPowerOnReset();
    buttonsPowerOnReset();
    timekeepingPowerOnReset();
    alertsPowerOnReset();
    alertBannerPowerOnReset();
    splashPowerOnReset();
    dataPagePowerOnReset();
    runTimePagePowerOnReset();
    timerPagePowerOnReset();
    gmeterPowerOnReset();
    attitudePagePowerOnReset();
    setupPowerOnReset();
}

// ---- Shell internals --------------------------------------------------------

void shellPowerOnReset() {
    shell = {};
    std::fill(std::begin(canvas), std::end(canvas), CANVAS_OPAQUE);
    shell.changes = WHOLE_CANVAS;
}

// One frame: the application draws into a framebuffer that starts zeroed,
// like a freshly created bitmap section, the per-frame device and alert work
// follows in its fixed order, and the result lands on the canvas. A unit that
// powers off inside renderFrame draws nothing more: the rest of the frame does
// not run and the screen goes dark.
bool composeFrame() {
    std::fill(std::begin(framebuffer), std::end(framebuffer), 0u);
    appRenderFrame(framebuffer);
    if (!hostUnitRunning()) {
        composeBlankScreen(canvas, &shell.changes);
        return false;
    }
    demoStep();
    appAlertLogic(framebuffer);
    sampleDiscreteInputs();
    composeScreen(canvas, framebuffer, &shell.changes);
    ++shell.frameCount;
    return true;
}

}  // namespace

// Every module back to its program-start state.
void unitPowerOnReset() {
    settingsPowerOnReset();
    devicePowerOnReset();
    filterPowerOnReset();
    buttonLevelsPowerOnReset();
    appPowerOnReset();
    shellPowerOnReset();
}

// Paints the bezel, initialises the application, samples the discrete inputs.
bool HostOnCreate() {
    if (!bezelPainted) bezelArtPaint(bezelPicture);
    bezelPainted = true;
    composeBezel(canvas, bezelPicture);
    shell.changes = WHOLE_CANVAS;
    appOnCreate();
    sampleDiscreteInputs();
    return true;
}

// The throttle: only the request that brings the counter to 0 composes.
bool HostPaint() {
    if (!hostUnitRunning()) {
        composeBlankScreen(canvas, &shell.changes);
        return false;
    }
    if (--shell.throttleCounter != 0) return false;
    const bool composed = composeFrame();
    shell.throttleCounter = THROTTLE_PERIOD;
    return composed;
}

// The window's first update, then the attitude start-up, then the defaults.
void hostStartup() {
    HostPaint();
    appAttitudeStartup();
    settingsApplyDefaults();
}

// One paint request, the filter and decoder steps, then requests until a frame.
// A unit switched off from outside (a script, the live controls) goes dark here.
void hostFastTick() {
    if (!hostUnitRunning()) {
        composeBlankScreen(canvas, &shell.changes);
        return;
    }
    HostPaint();
    filterTick();
    appButtonTick();
    buttonLevelsSampled();
    while (!HostPaint() && hostUnitRunning()) {}
}

// Timekeeping, then the device's once-a-second hook.
void hostSlowTick() {
    if (!hostUnitRunning()) return;
    appSecondTick();
    devSecondTick();
}

// The canvas the platform presents.
const uint32_t* hostCanvas() { return canvas; }

// The device layer records power-off and switch-off.
bool hostUnitRunning() { return simDevice.poweredOff == 0; }

// Frames composed since power-on.
long hostFrameCount() { return shell.frameCount; }

// Hands over the changed area and starts a new one.
HostRect hostTakeChanges() {
    const HostRect r = shell.changes;
    shell.changes = {};
    return r;
}
