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
// The host time from now on: t at the present tick (a clock line).
void deskSessionSetHostTime(const HostDateTime& t);
// A recording session that goes on from a unit that ran ticks fast ticks
// since power-on (a script ran them) with host time t: its seconds keep
// following every 100th of those ticks, as in a replay of both.
void deskSessionContinue(int64_t now, long long ticks, const HostDateTime& t);
