// The window's session clock: which tick runs when (pause, single frames,
// seconds by frames while recording), what a recording notes around each
// tick, and the host time the unit reads while recording. Platform-
// independent, so a test can run a session the way the window does.
#pragma once

#include <cstdint>

#include "app/timekeeping.h"
#include "desk/run_control.h"
#include "shell/host_time.h"

// A session from real time now; when recording, with the host time at tick 0.
void deskSessionStart(int64_t now, bool recording, const HostDateTime& start);
RunControl& deskSessionRun();
// Fast ticks run so far.
long long deskSessionTicks();
// Runs every tick due at now; a recording sees the levels before each fast tick.
void deskSessionRunDue(int64_t now);
// While recording, the unit's host time: the start plus 10 ms per fast tick,
// as a replay computes it.
void deskSessionHostTime(ClockTime* out);
