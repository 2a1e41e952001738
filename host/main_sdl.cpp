// The window program: SDL events and a monotonic clock drive the shell. The
// loop sleeps in SDL_WaitEventTimeout until the next tick is due, so an idle
// window costs almost nothing.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "app/timekeeping.h"
#include "host/bezel.h"
#include "host/shell.h"
#include "host/sdl_window.h"
#include "host/tick_schedule.h"

namespace {

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

// Handles one event; false when the window was closed.
bool handleEvent(const SDL_Event& e, bool* repaintAll) {
    switch (e.type) {
        case SDL_QUIT:
            return false;
        case SDL_WINDOWEVENT:
            if (wantsFullRepaint(e.window)) *repaintAll = true;
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.button == SDL_BUTTON_LEFT) {
                bezelMouse(e.type == SDL_MOUSEBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP, e.button.x, e.button.y);
            }
            return true;
        default:
            return true;
    }
}

// Waits for an event or the next deadline; a unit that is off needs no ticks.
bool waitEvent(const TickSchedule& s, SDL_Event* e) {
    if (!hostUnitRunning()) return SDL_WaitEvent(e) == 1;
    return SDL_WaitEventTimeout(e, static_cast<int>(tickScheduleWait(s, nowMs()))) == 1;
}

// Runs the ticks due at one instant, so slow ticks can never keep the loop
// from reaching the events.
void runDueTicks(TickSchedule* s) {
    const int64_t now = nowMs();
    for (;;) {
        const TickKind k = tickScheduleNext(s, now);
        if (k == TickKind::None) return;
        if (k == TickKind::Fast) hostFastTick();
        if (k == TickKind::Slow) hostSlowTick();
    }
}

void present(bool repaintAll) {
    const HostRect r = hostTakeChanges();
    if (repaintAll) {
        sdlWindowPresentAll();
    } else if (r.w > 0 && r.h > 0) {
        sdlWindowPresent(r);
    }
}

int runLoop() {
    TickSchedule schedule = tickScheduleStart(nowMs());
    bool repaintAll = true;
    for (;;) {
        SDL_Event e;
        if (waitEvent(schedule, &e)) {
            do {
                if (!handleEvent(e, &repaintAll)) return 0;
            } while (SDL_PollEvent(&e) == 1);
        }
        runDueTicks(&schedule);
        present(repaintAll);
        repaintAll = false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    (void)argv;
    if (argc > 1) {
        std::fprintf(stderr, "qx70sim: takes no arguments\n");
        return 2;
    }
    if (!sdlWindowOpen()) return 1;
    setClockSource(hostUtcTime);
    unitPowerOnReset();
    HostOnCreate();
    hostStartup();
    sdlWindowShow();
    const int code = runLoop();
    sdlWindowClose();
    return code;
}
