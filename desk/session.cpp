// Ticks of the window session and the recording hooks around them.
#include "desk/session.h"

#include "desk/session_record.h"
#include "shell/bezel.h"
#include "shell/host_time.h"
#include "shell/shell.h"

// ---- Module state ---------------------------------------------------------

namespace {

struct SessionState {
    RunControl run = {};
    HostDateTime hostBase = DEFAULT_HOST_TIME;  // the host time at fast tick hostBaseTick
    long long hostBaseTick = 0;
};

SessionState session;

}  // namespace

// ---- Public operations ----------------------------------------------------

// Seconds follow the frames while recording, as they do in a replay.
void deskSessionStart(int64_t now, bool recording, const HostDateTime& start) {
    runStart(&session.run, now, recording);
    session.hostBase = start;
    session.hostBaseTick = 0;
}

void deskSessionContinue(int64_t now, long long ticks, const HostDateTime& t) {
    runStart(&session.run, now, true);
    session.run.fastTicks = ticks;
    deskSessionSetHostTime(t);
}

RunControl& deskSessionRun() { return session.run; }

long long deskSessionTicks() { return session.run.fastTicks; }

// The ticks due at one instant, so slow ticks never keep the loop from
// reaching the events.
void deskSessionRunDue(int64_t now) {
    for (;;) {
        const TickKind k = runNext(&session.run, now);
        if (k == TickKind::None) return;
        if (k == TickKind::Fast) {
            recordLevels(session.run.fastTicks - 1, viewLevel(), leftLevel(), rightLevel());
            hostFastTick();
        }
        if (k == TickKind::Slow) hostSlowTick();
    }
}

void deskSessionHostTime(ClockTime* out) {
    *out = hostTimeAfter(session.hostBase, session.run.fastTicks - session.hostBaseTick);
}

void deskSessionSetHostTime(const HostDateTime& t) {
    session.hostBase = t;
    session.hostBaseTick = session.run.fastTicks;
}
