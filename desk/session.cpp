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
    HostDateTime recordingStart = DEFAULT_HOST_TIME;  // the host time at tick 0
};

SessionState session;

}  // namespace

// ---- Public operations ----------------------------------------------------

// Seconds follow the frames while recording, as they do in a replay.
void deskSessionStart(int64_t now, bool recording, const HostDateTime& start) {
    runStart(&session.run, now, recording);
    session.recordingStart = start;
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
    *out = hostTimeAfter(session.recordingStart, session.run.fastTicks);
}
