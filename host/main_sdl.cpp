// The window program: SDL events and a monotonic clock drive the shell. The
// loop sleeps in SDL_WaitEventTimeout until the next tick is due, so an idle
// window costs almost nothing.
#include <SDL.h>

#include <cstdio>

#include "host/bezel.h"
#include "host/shell.h"
#include "host/sdl_window.h"
#include "host/tick_schedule.h"

namespace {

int64_t nowMs() { return static_cast<int64_t>(SDL_GetTicks64()); }

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
    unitPowerOnReset();
    HostOnCreate();
    hostStartup();
    sdlWindowShow();
    const int code = runLoop();
    sdlWindowClose();
    return code;
}
