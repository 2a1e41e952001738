// Pause and single steps on top of the tick schedule. While paused the unit's
// time stands still: no ticks run, except the frame a step asks for, and on
// resume every deadline moves on by the time spent paused, so nothing runs in
// a burst and the unit's second keeps its phase.
#pragma once

#include <cstdint>

#include "desk/tick_schedule.h"

struct RunControl {
    TickSchedule schedule;
    bool paused;
    int64_t unitNow;       // while paused: the moment the unit's time stands at
    int stepsPending;      // frames asked for while paused
    bool secondsByFrames;  // a slow tick after every 100th fast tick, not by the clock
    bool slowOwed;         // that slow tick is due next
    long long fastTicks;   // fast ticks handed out since the start
};

// Running, deadlines one period after now. With secondsByFrames the slow
// tick follows every 100th fast tick, as a script run counts them, so a
// recorded session replays tick for tick even after the window stalled.
void runStart(RunControl* r, int64_t now, bool secondsByFrames = false);
// Pauses or resumes at real time now; a repeated call changes nothing.
void runSetPaused(RunControl* r, bool paused, int64_t now);
// While paused: one more fast tick (with its frame) to run. Ignored when running.
void runRequestStep(RunControl* r);
// The next tick to run at real time now, or None. While paused only the ticks
// of the requested steps come out: the unit's time moves to the next fast
// deadline, with the slow tick first when it falls due on the way.
TickKind runNext(RunControl* r, int64_t now);
// Milliseconds until a tick is due; -1 when only an event can wake the loop.
int64_t runWait(const RunControl& r, int64_t now);
