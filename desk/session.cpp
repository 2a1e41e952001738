// Ticks of the window session and the recording hooks around them.
#include "desk/session.h"

#include "desk/session_record.h"
#include "shell/bezel.h"
#include "shell/host_time.h"
#include "shell/shell.h"

// ---- Module state ---------------------------------------------------------

namespace {

RunControl run;
HostDateTime hostBase = DEFAULT_HOST_TIME;  // the host time at fast tick hostBaseTick
long long hostBaseTick = 0;

}  // namespace

// ---- Public operations ----------------------------------------------------

// Seconds follow the frames while recording, as they do in a replay.
void deskSessionStart(int64_t now, bool recording, const HostDateTime& start) {
    runStart(&run, now, recording);
    hostBase = start;
    hostBaseTick = 0;
}

void deskSessionContinue(int64_t now, long long ticks, const HostDateTime& t) {
    runStart(&run, now, true);
    run.fastTicks = ticks;
    deskSessionSetHostTime(t);
}

RunControl& deskSessionRun() { return run; }

long long deskSessionTicks() { return run.fastTicks; }

// The ticks due at one instant, so slow ticks never keep the loop from
// reaching the events.
void deskSessionRunDue(int64_t now) {
    for (;;) {
        const TickKind k = runNext(&run, now);
        if (k == TickKind::None) return;
        if (k == TickKind::Fast) {
            recordLevels(run.fastTicks - 1, viewLevel(), leftLevel(), rightLevel());
            hostFastTick();
        }
        if (k == TickKind::Slow) hostSlowTick();
    }
}

void deskSessionHostTime(ClockTime* out) {
    *out = hostTimeAfter(hostBase, run.fastTicks - hostBaseTick);
}

void deskSessionSetHostTime(const HostDateTime& t) {
    hostBase = t;
    hostBaseTick = run.fastTicks;
}
