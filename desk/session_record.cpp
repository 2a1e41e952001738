// The session recorder. Levels are taken as the decoder sees them, once per
// fast tick, so a press and release between two ticks (which the unit never
// sees) is not recorded, and a level changes at most once per tick: the
// replay never needs the runner's extra tick between a press and a release.
#include "desk/session_record.h"

// ---- Module state ---------------------------------------------------------

namespace {

constexpr int LEVELS = 3;

struct Recorder {
    bool active = false;
    bool windowCreated = false;  // a line that creates the window was written
    long long lastTick = 0;      // ticks covered by the lines so far
    int levels[LEVELS] = {};     // view, left, right as last recorded
    std::string text;
};

Recorder rec;

// ---- Private helpers ------------------------------------------------------

void line(const std::string& s) { rec.text += s + "\n"; }

void command(const ScriptCommand& c) {
    line(scriptFormat(c));
    if (c.op != ScriptOp::Set && c.op != ScriptOp::Clock) rec.windowCreated = true;
}

// Lets the ticks since the last line pass. A set line at the very start gets
// a wait of 0 first: set lines before any other line would apply before the
// window is created, and these came after.
void reach(long long tick, ScriptOp next) {
    const long long ticks = tick - rec.lastTick;
    if (ticks > 0 || (next == ScriptOp::Set && !rec.windowCreated)) {
        ScriptCommand wait;
        wait.op = ScriptOp::Wait;
        wait.ticks = ticks > 0 ? ticks : 0;
        command(wait);
    }
    if (tick > rec.lastTick) rec.lastTick = tick;
}

void button(ScriptOp op, ScriptButton b) {
    ScriptCommand c;
    c.op = op;
    c.button = b;
    command(c);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// The head: notes, then the host time as a clock line.
void recordStart(const HostDateTime& start, const std::string& notes) {
    rec = Recorder{};
    rec.active = true;
    size_t from = 0;
    while (from < notes.size()) {
        const size_t end = notes.find('\n', from);
        line("# " + notes.substr(from, end == std::string::npos ? std::string::npos : end - from));
        if (end == std::string::npos) break;
        from = end + 1;
    }
    ScriptCommand clock;
    clock.op = ScriptOp::Clock;
    clock.clock = start;
    clock.clockHasDate = true;
    command(clock);
}

bool recordActive() { return rec.active; }

// Left and Right moving together are the Both button.
void recordLevels(long long tick, int view, int left, int right) {
    if (!rec.active) return;
    const int now[LEVELS] = {view != 0, left != 0, right != 0};
    if (now[0] == rec.levels[0] && now[1] == rec.levels[1] && now[2] == rec.levels[2]) return;
    reach(tick, ScriptOp::Press);
    if (now[0] != rec.levels[0])
        button(now[0] ? ScriptOp::Press : ScriptOp::Release, ScriptButton::View);
    if (now[1] != rec.levels[1] && now[2] != rec.levels[2] && now[1] == now[2]) {
        button(now[1] ? ScriptOp::Press : ScriptOp::Release, ScriptButton::Both);
    } else {
        if (now[1] != rec.levels[1])
            button(now[1] ? ScriptOp::Press : ScriptOp::Release, ScriptButton::Left);
        if (now[2] != rec.levels[2])
            button(now[2] ? ScriptOp::Press : ScriptOp::Release, ScriptButton::Right);
    }
    for (int i = 0; i < LEVELS; ++i) rec.levels[i] = now[i];
}

// A set line for a device field, a slot line for a setting.
void recordChange(long long tick, const PanelChange& change) {
    ScriptCommand c;
    if (change.field != nullptr) {
        c.op = ScriptOp::Set;
        c.field = change.field;
        c.row = change.row;
        c.value = change.value;
    } else {
        c.op = ScriptOp::Slot;
        c.slot = change.slot;
        c.slotValue = change.slotValue;
    }
    recordCommand(tick, c);
}

void recordCommand(long long tick, const ScriptCommand& c) {
    if (!rec.active) return;
    reach(tick, c.op);
    command(c);
}

void recordShot(long long tick, const std::string& file, bool window, int scale) {
    if (!rec.active) return;
    reach(tick, ScriptOp::Shot);
    ScriptCommand c;
    c.op = ScriptOp::Shot;
    c.path = file;
    c.window = window;
    c.scale = scale;
    command(c);
}

// The replay runs as long as the session did.
void recordFinish(long long tick) {
    if (!rec.active) return;
    reach(tick, ScriptOp::Wait);
    rec.active = false;
}

std::string recordEnding(long long tick) {
    if (!rec.active || tick <= rec.lastTick) return {};
    ScriptCommand wait;
    wait.op = ScriptOp::Wait;
    wait.ticks = tick - rec.lastTick;
    return scriptFormat(wait) + "\n";
}

// The head created the window: a script run always does by its end.
void recordResume(const std::string& head, long long tick, int view, int left, int right) {
    rec = Recorder{};
    rec.active = true;
    rec.windowCreated = true;
    rec.lastTick = tick;
    rec.levels[0] = view != 0;
    rec.levels[1] = left != 0;
    rec.levels[2] = right != 0;
    rec.text = head;
}

std::string recordTake() {
    std::string s;
    s.swap(rec.text);
    return s;
}
