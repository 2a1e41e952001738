// The host's date and time on a virtual clock: a base date and time plus the
// fast ticks since, carried into the date. The headless runner and a recorded
// window session both give the unit its clock this way.
#pragma once

#include "app/timekeeping.h"

// A date and time of day for the host clock.
struct HostDateTime {
    int year, month, day;
    int hour, minute, second;
};

// The host time a run starts with when nothing sets one.
inline constexpr HostDateTime DEFAULT_HOST_TIME = {2024, 6, 1, 12, 0, 0};

// The clock record `ticks` fast ticks after base (proleptic Gregorian dates,
// day of week 0 for Sunday, milliseconds from the ticks).
ClockTime hostTimeAfter(const HostDateTime& base, long long ticks);
