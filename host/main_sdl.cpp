// The window program: SDL events and a monotonic clock drive the shell. The
// loop sleeps in SDL_WaitEventTimeout until the next tick is due, so an idle
// window costs almost nothing. Beside the mouse on the bezel it offers keys
// for the buttons, zoom, the key help, pause and single steps, and sound.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "app/timekeeping.h"
#include "device/device.h"
#include "device/settings.h"
#include "host/bezel.h"
#include "host/desk_keys.h"
#include "host/desk_options.h"
#include "host/desk_ui.h"
#include "host/desk_view.h"
#include "host/run_control.h"
#include "host/sdl_audio.h"
#include "host/sdl_keys.h"
#include "host/sdl_window.h"
#include "host/shell.h"
#include "host/zoom.h"

namespace {

constexpr int VOLUME_SLOT = 4;

// ---- Module state ---------------------------------------------------------

RunControl run;
bool repaintAll = true;
bool unitWasRunning = true;

// ---- Private helpers ------------------------------------------------------

int64_t nowMs() { return static_cast<int64_t>(SDL_GetTicks64()); }

// The unit's clock counts GMT, so its first load takes the host's UTC time.
void hostUtcTime(ClockTime* out) {
    using namespace std::chrono;
    const system_clock::time_point now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm utc = {};
    gmtime_r(&seconds, &utc);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    out->year = static_cast<uint16_t>(utc.tm_year + 1900);
    out->month = static_cast<uint16_t>(utc.tm_mon + 1);
    out->dayOfWeek = static_cast<uint16_t>(utc.tm_wday);
    out->day = static_cast<uint16_t>(utc.tm_mday);
    out->hour = static_cast<uint16_t>(utc.tm_hour);
    out->minute = static_cast<uint16_t>(utc.tm_min);
    out->second = static_cast<uint16_t>(std::min(utc.tm_sec, 59));  // a leap second shows as 59
    out->milliseconds = static_cast<uint16_t>(ms);
}

bool wantsFullRepaint(const SDL_WindowEvent& w) {
    switch (w.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
            return true;
        default:
            return false;
    }
}

void setZoom(int z) {
    z = zoomClamp(z);
    if (z == sdlWindowZoom()) return;
    sdlWindowSetLayout(deskViewWidth(), z);
    repaintAll = true;
}

void setPaused(bool paused) {
    runSetPaused(&run, paused, nowMs());
    sdlAudioSetPaused(paused);
    sdlWindowSetTitleNote(paused ? "paused" : "");
}

void toggleMute() {
    const bool muted = !sdlAudioMuted();
    sdlAudioSetMuted(muted);
    deskUiShowMessage(muted ? "Sound off (M turns it on)" : "Sound on", nowMs());
}

void runCommand(DeskCommand c) {
    switch (c) {
        case DeskCommand::ToggleHelp:
            deskUiToggleHelp();
            return;
        case DeskCommand::ZoomIn:
            setZoom(sdlWindowZoom() + 1);
            return;
        case DeskCommand::ZoomOut:
            setZoom(sdlWindowZoom() - 1);
            return;
        case DeskCommand::ZoomReset:
            setZoom(ZOOM_MIN);
            return;
        case DeskCommand::TogglePause:
            setPaused(!run.paused);
            return;
        case DeskCommand::StepFrame:
            runRequestStep(&run);
            return;
        case DeskCommand::ToggleMute:
            toggleMute();
            return;
        case DeskCommand::CloseOverlays:
            deskUiCloseOverlays();
            return;
        default:
            return;
    }
}

// Mouse positions are window units; the bezel works in picture pixels.
void mouseButton(const SDL_MouseButtonEvent& b) {
    if (b.button != SDL_BUTTON_LEFT) return;
    const int z = sdlWindowZoom();
    const int message = b.type == SDL_MOUSEBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    bezelMouse(message, zoomToPicture(b.x, z), zoomToPicture(b.y, z));
}

// Handles one event; false when the window was closed.
bool handleEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            return false;
        case SDL_WINDOWEVENT:
            if (wantsFullRepaint(e.window)) repaintAll = true;
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) deskKeysReleaseAll();
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            mouseButton(e.button);
            return true;
        case SDL_KEYDOWN:
            runCommand(deskKeyDown(sdlDeskKey(e.key.keysym.sym), sdlDeskMods(e.key.keysym.mod), e.key.repeat != 0,
                                   false));
            return true;
        case SDL_KEYUP:
            deskKeyUp(sdlDeskKey(e.key.keysym.sym));
            return true;
        default:
            return true;
    }
}

// The time to sleep: until the next tick or the message bar's end, whichever
// comes first; -1 for no limit. A unit that is off needs no ticks.
int waitLimit() {
    const int64_t now = nowMs();
    const int64_t tick = hostUnitRunning() ? runWait(run, now) : -1;
    const int64_t message = deskUiExpire(now);
    const int64_t limit = tick < 0 ? message : message < 0 ? tick : std::min(tick, message);
    return limit < 0 ? -1 : static_cast<int>(std::min<int64_t>(limit, SDL_MAX_SINT32));
}

bool waitEvent(SDL_Event* e) {
    const int limit = waitLimit();
    if (limit < 0) return SDL_WaitEvent(e) == 1;
    return SDL_WaitEventTimeout(e, limit) == 1;
}

// Runs the ticks due at one instant, so slow ticks can never keep the loop
// from reaching the events.
void runDueTicks() {
    const int64_t now = nowMs();
    for (;;) {
        const TickKind k = runNext(&run, now);
        if (k == TickKind::None) return;
        if (k == TickKind::Fast) hostFastTick();
        if (k == TickKind::Slow) hostSlowTick();
    }
}

// What the unit asked of the sound since the last turn.
void followUnitSound() {
    if (hostUnitRunning()) {
        sdlAudioSetVolume(settingsReadByte(VOLUME_SLOT));
    } else if (unitWasRunning) {
        sdlAudioSilence();  // a unit that is off sounds nothing more
    }
    unitWasRunning = hostUnitRunning();
    sdlAudioIdle();
}

void present() {
    const HostRect r = deskViewUpdate(hostTakeChanges());
    if (repaintAll) {
        sdlWindowPresentAll();
    } else if (r.w > 0 && r.h > 0) {
        sdlWindowPresent(r);
    }
    repaintAll = false;
}

int runLoop() {
    runStart(&run, nowMs());
    for (;;) {
        SDL_Event e;
        if (waitEvent(&e)) {
            do {
                if (!handleEvent(e)) return 0;
            } while (SDL_PollEvent(&e) == 1);
        }
        runDueTicks();
        followUnitSound();
        present();
    }
}

int usage(const char* error) {
    std::fprintf(stderr, "qx70sim: %s\n%s\n", error, DESK_USAGE);
    return 2;
}

void printHelp() {
    std::printf("%s\n\n", DESK_USAGE);
    std::printf("  --zoom N       start at zoom N (1 to 4)\n");
    std::printf("  --shots DIR    save F12 screenshots in DIR (default: the current folder)\n");
    std::printf("  --record FILE  record the session as a script for qx70-run\n");
    std::printf("  --mute         no sound\n\nKeys:\n");
    for (const DeskKeyHelp& k : deskKeyHelp) std::printf("  %-18s %s\n", k.keys, k.action);
}

}  // namespace

int main(int argc, char** argv) {
    DeskOptions options;
    char error[DESK_OPTION_ERROR_CAPACITY];
    if (!deskParseOptions(argc, argv, &options, error)) return usage(error);
    if (options.help) {
        printHelp();
        return 0;
    }
    if (options.mute) sdlAudioDisable();
    if (!sdlWindowOpen(options.zoom)) return 1;
    setClockSource(hostUtcTime);
    unitPowerOnReset();
    deskViewReset();
    deskUiReset();
    devSetSoundListener(sdlAudioRequest);
    HostOnCreate();
    hostStartup();
    deskViewUpdate(hostTakeChanges());
    sdlWindowShow();
    const int code = runLoop();
    devSetSoundListener(nullptr);
    sdlAudioClose();
    sdlWindowClose();
    return code;
}
