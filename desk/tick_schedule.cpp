// Deadlines on fixed grids: fast ticks at start + k * 10 ms, slow ticks at
// start + k * 1000 ms.
#include "desk/tick_schedule.h"

#include <algorithm>

// Deadlines one period from now.
TickSchedule tickScheduleStart(int64_t now) { return {now + FAST_TICK_MS, now + SLOW_TICK_MS}; }

// After a stall the fast deadline first skips to the last missed grid point,
// so one fast tick stands for all the missed ones; due ticks then run in
// deadline order.
TickKind tickScheduleNext(TickSchedule* s, int64_t now) {
    const int64_t fastLate = now - s->nextFast;
    if (fastLate >= FAST_STALL_MS) s->nextFast += fastLate / FAST_TICK_MS * FAST_TICK_MS;
    const bool fastDue = now >= s->nextFast;
    const bool slowDue = now >= s->nextSlow;
    if (slowDue && (!fastDue || s->nextSlow <= s->nextFast)) {
        s->nextSlow += SLOW_TICK_MS;
        return TickKind::Slow;
    }
    if (fastDue) {
        s->nextFast += FAST_TICK_MS;
        return TickKind::Fast;
    }
    return TickKind::None;
}

// Time left to the earliest deadline.
int64_t tickScheduleWait(const TickSchedule& s, int64_t now) {
    return std::max<int64_t>(0, std::min(s.nextFast, s.nextSlow) - now);
}
