// The unit's clock is real time minus the time spent paused: deadlines are
// kept in the unit's time while paused and shifted back into real time on
// resume.
#include "desk/run_control.h"

#include <cstdint>

// ---- Private helpers ------------------------------------------------------

namespace {

// A fast tick handed out; with secondsByFrames every 100th owes a slow tick.
TickKind countFast(RunControl* r) {
    ++r->fastTicks;
    if (r->secondsByFrames && r->fastTicks % FAST_TICKS_PER_SECOND == 0) r->slowOwed = true;
    return TickKind::Fast;
}

// The schedule's next tick, its own slow ticks left out when seconds follow frames.
TickKind scheduled(RunControl* r, int64_t now) {
    if (r->slowOwed) {
        r->slowOwed = false;
        return TickKind::Slow;
    }
    if (r->secondsByFrames) r->schedule.nextSlow = INT64_MAX;
    const TickKind k = tickScheduleNext(&r->schedule, now);
    return k == TickKind::Fast ? countFast(r) : k;
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Running from now.
void runStart(RunControl* r, int64_t now, bool secondsByFrames) {
    *r = {tickScheduleStart(now), false, now, 0, secondsByFrames, false, 0};
    if (secondsByFrames) r->schedule.nextSlow = INT64_MAX;
}

// Freezes the unit's time at now, or shifts the deadlines by the pause.
void runSetPaused(RunControl* r, bool paused, int64_t now) {
    if (paused == r->paused) return;
    r->paused = paused;
    r->stepsPending = 0;
    if (paused) {
        r->unitNow = now;
        return;
    }
    const int64_t shift = now - r->unitNow;
    r->schedule.nextFast += shift;
    if (!r->secondsByFrames) r->schedule.nextSlow += shift;
}

void runRequestStep(RunControl* r) {
    if (r->paused) ++r->stepsPending;
}

// Running: the schedule. Paused: the ticks up to the next fast deadline.
TickKind runNext(RunControl* r, int64_t now) {
    if (r->slowOwed || !r->paused) return scheduled(r, now);
    if (r->stepsPending <= 0) return TickKind::None;
    if (r->unitNow < r->schedule.nextFast) r->unitNow = r->schedule.nextFast;
    const TickKind k = scheduled(r, r->unitNow);
    if (k == TickKind::Fast) --r->stepsPending;
    return k;
}

// Paused with no step asked for: sleep until an event.
int64_t runWait(const RunControl& r, int64_t now) {
    if (r.slowOwed) return 0;
    if (r.paused) return r.stepsPending > 0 ? 0 : -1;
    return tickScheduleWait(r.schedule, now);
}
