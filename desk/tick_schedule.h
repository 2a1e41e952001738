// Drift-free scheduling of the 10 ms fast tick and the 1 s slow tick against a
// monotonic millisecond clock. Each deadline is the previous one plus the
// period, so neither tick drifts however late the loop wakes.
#pragma once

#include <cstdint>

#include "shell/shell.h"

// A fast tick this late means the process stalled: the missed fast ticks are
// dropped instead of run in a burst. Seconds are always caught up.
inline constexpr int64_t FAST_STALL_MS = 50;

struct TickSchedule {
    int64_t nextFast;
    int64_t nextSlow;
};

enum class TickKind { None, Fast, Slow };

// Both first deadlines one period after now.
TickSchedule tickScheduleStart(int64_t now);
// The earliest tick due at `now`, with its deadline moved on; None when nothing is due.
TickKind tickScheduleNext(TickSchedule* s, int64_t now);
// Milliseconds from now to the earliest deadline; 0 when a tick is due.
int64_t tickScheduleWait(const TickSchedule& s, int64_t now);
