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

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr HostRect WHOLE_CANVAS = {0, 0, BEZEL_WIDTH, BEZEL_HEIGHT};

// ---- Types ------------------------------------------------------------------

// What the screen area of the canvas shows once it is composed.
enum class ScreenShows : uint8_t {
    Bezel,  // no frame since power-on: the bezel picture's own pixels
    Frame,  // the latest frame, still in the framebuffer
    Blank,  // black: the unit is off
};

// What a power-on puts back. The canvas is composed when someone looks at
// it, not every frame: a headless run that never looks at the window never
// paints the bezel, and one that looks at the screen now and then composes
// it only then.
struct ShellState {
    int32_t throttleCounter = 1;
    long frameCount = 0;
    HostRect changes = {};  // canvas area changed since the platform last looked
    bool canvasDue = true;  // to be cleared to opaque black at the next look
    bool bezelDue = false;  // the artwork to be copied onto the canvas
    bool screenDue = false;
    ScreenShows screenShows = ScreenShows::Bezel;
};

// ---- Module state -------------------------------------------------------------

ShellState shell;
uint32_t canvas[BEZEL_PIXELS];
uint32_t framebuffer[FB_PIXELS];  // bottom-up, kept until the next frame starts
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
    shell.changes = WHOLE_CANVAS;
}

// The screen area is to show s from the next look on.
void showOnScreen(ScreenShows s) {
    shell.screenShows = s;
    shell.screenDue = true;
}

// The canvas as the power-on leaves it: opaque black.
void clearCanvasIfDue() {
    if (shell.canvasDue) std::fill(std::begin(canvas), std::end(canvas), CANVAS_OPAQUE);
    shell.canvasDue = false;
}

// Composes the screen area if a frame or a blank screen came since the last look.
void composeScreenIfDue() {
    clearCanvasIfDue();
    if (!shell.screenDue) return;
    shell.screenDue = false;
    if (shell.screenShows == ScreenShows::Frame) composeScreen(canvas, framebuffer, &shell.changes);
    if (shell.screenShows == ScreenShows::Blank) composeBlankScreen(canvas, &shell.changes);
}

// Paints the artwork the first time any window needs it, copies it onto the
// canvas, then brings the screen area on top up to date.
void composeWindowIfDue() {
    clearCanvasIfDue();
    if (shell.bezelDue) {
        if (!bezelPainted) bezelArtPaint(bezelPicture);
        bezelPainted = true;
        composeBezel(canvas, bezelPicture);
        shell.changes = WHOLE_CANVAS;
        shell.bezelDue = false;
        shell.screenDue = shell.screenShows != ScreenShows::Bezel;
    }
    composeScreenIfDue();
}

// One frame: the application draws into a framebuffer that starts zeroed,
// like a freshly created bitmap section, the per-frame device and alert work
// follows in its fixed order, and the result is due on the canvas. A unit
// that powers off inside renderFrame draws nothing more: the rest of the
// frame does not run and the screen goes dark. (The clearing uses the row
// fill: the C library's memset repeats a byte store that callgrind counts
// once per byte, which would swamp the frame's own count.)
bool composeFrame() {
    gfx_fill_rect(framebuffer, FB_WIDTH, FB_HEIGHT, 0, 0, FB_WIDTH, FB_HEIGHT, 0u);
    appRenderFrame(framebuffer);
    if (!hostUnitRunning()) {
        showOnScreen(ScreenShows::Blank);
        return false;
    }
    demoStep();
    appAlertLogic(framebuffer);
    sampleDiscreteInputs();
    showOnScreen(ScreenShows::Frame);
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

// The bezel becomes due, the application is initialised and the discrete
// inputs sampled.
bool HostOnCreate() {
    shell.bezelDue = true;
    shell.changes = WHOLE_CANVAS;
    appOnCreate();
    sampleDiscreteInputs();
    return true;
}

// The throttle: only the request that brings the counter to 0 composes.
bool HostPaint() {
    if (!hostUnitRunning()) {
        showOnScreen(ScreenShows::Blank);
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
        showOnScreen(ScreenShows::Blank);
        return;
    }
    HostPaint();
    filterTick();
    appButtonTick();
    while (!HostPaint() && hostUnitRunning()) {}
}

// Timekeeping, then the device's once-a-second hook.
void hostSlowTick() {
    if (!hostUnitRunning()) return;
    appSecondTick();
    devSecondTick();
}

// The canvas the platform presents, composed up to this moment.
const uint32_t* hostCanvas() {
    composeWindowIfDue();
    return canvas;
}

// The screen area of the canvas, composed up to this moment.
const uint32_t* hostScreen() {
    composeScreenIfDue();
    return canvas + BEZEL_WIDTH * SCREEN_Y + SCREEN_X;
}

// The device layer records power-off and switch-off.
bool hostUnitRunning() { return simDevice.poweredOff == 0; }

// Frames composed since power-on.
long hostFrameCount() { return shell.frameCount; }

// Hands over the changed area and starts a new one.
HostRect hostTakeChanges() {
    composeWindowIfDue();
    const HostRect r = shell.changes;
    shell.changes = {};
    return r;
}
