// Ticks of the window session and the recording hooks around them.
#include "host/desk_session.h"

#include "host/bezel.h"
#include "host/script_run.h"
#include "host/session_record.h"
#include "host/shell.h"

// ---- Module state ---------------------------------------------------------

namespace {

RunControl run;
ScriptDateTime recordingStart = SCRIPT_DEFAULT_HOST_TIME;

}  // namespace

// ---- Public operations ----------------------------------------------------

// Seconds follow the frames while recording, as they do in a replay.
void deskSessionStart(int64_t now, bool recording, const ScriptDateTime& start) {
    runStart(&run, now, recording);
    recordingStart = start;
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
    int dayOfWeek = 0, millis = 0;
    const ScriptDateTime t = scriptHostTimeAfter(recordingStart, run.fastTicks, &dayOfWeek, &millis);
    *out = {static_cast<uint16_t>(t.year),   static_cast<uint16_t>(t.month),  static_cast<uint16_t>(dayOfWeek),
            static_cast<uint16_t>(t.day),    static_cast<uint16_t>(t.hour),   static_cast<uint16_t>(t.minute),
            static_cast<uint16_t>(t.second), static_cast<uint16_t>(millis)};
}
