// The unit's clock is real time minus the time spent paused: deadlines are
// kept in the unit's time while paused and shifted back into real time on
// resume.
#include "host/run_control.h"

// ---- Public operations ----------------------------------------------------

// Running from now.
void runStart(RunControl* r, int64_t now) { *r = {tickScheduleStart(now), false, now, 0}; }

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
    r->schedule.nextSlow += shift;
}

void runRequestStep(RunControl* r) {
    if (r->paused) ++r->stepsPending;
}

// Running: the schedule. Paused: the ticks up to the next fast deadline.
TickKind runNext(RunControl* r, int64_t now) {
    if (!r->paused) return tickScheduleNext(&r->schedule, now);
    if (r->stepsPending <= 0) return TickKind::None;
    if (r->unitNow < r->schedule.nextFast) r->unitNow = r->schedule.nextFast;
    const TickKind k = tickScheduleNext(&r->schedule, r->unitNow);
    if (k == TickKind::Fast) --r->stepsPending;
    return k;
}

// Paused with no step asked for: sleep until an event.
int64_t runWait(const RunControl& r, int64_t now) {
    if (r.paused) return r.stepsPending > 0 ? 0 : -1;
    return tickScheduleWait(r.schedule, now);
}
