// The script interpreter. It drives the unit only through what the window
// uses: power-on reset, window creation and start-up, bezel clicks at the
// buttons' positions, fast and slow ticks, and the composed window picture.
#include "script/run.h"

#include <bit>
#include <map>
#include <tuple>
#include <vector>

#include "app/buttons.h"
#include "app/controller.h"
#include "app/timekeeping.h"
#include "device/device.h"
#include "device/settings.h"
#include "gfx/gfx.h"
#include "shell/bezel.h"
#include "shell/shell.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int LEVELS = 3;  // view, left, right
constexpr int VIEW = 0, LEFT = 1, RIGHT = 2;
constexpr size_t SHOWN_REQUESTS = 6;  // journal entries listed in a failure message

// ---- Types --------------------------------------------------------------------

// A request's kind, integer arguments and the bits of its float argument: a
// NaN argument (a calibration channel without a divisor gives one) must not
// upset the map's ordering.
using JournalKey = std::tuple<int, int32_t, int32_t, uint32_t>;

// A failed expectation or an unusable picture stops the command loop.
enum class Step : uint8_t { Go, Stop };

// A feed line's capture being played from the tick its line ran.
struct Playing {
    const std::vector<ScriptTimedCommand>* capture;
    long long start;
    size_t next;
};

// A repeat being run and the pass it is in, counted from 1.
struct Pass {
    const ScriptCommand* repeat;
    int pass;
};

// ---- Module state ---------------------------------------------------------------

struct RunState {
    long long ticks = 0;  // virtual fast ticks since the run began
    long long tickLimit = 0;
    bool windowCreated = false;
    bool levelUnseen[LEVELS] = {};  // a level changed since the last tick
    HostDateTime hostBase = DEFAULT_HOST_TIME;
    long long hostBaseTick = 0;
    long journalSeen = 0;                     // devJournalTotal() already tallied
    std::map<JournalKey, long long> journal;  // every request since the last clear
    std::vector<Playing> feeds;               // captures of feed lines being played
    std::vector<Pass> passes;                 // the repeats being run, innermost last
    long long lines = 0;                      // lines run, repeated ones each time
    const ScriptProgress* progress = nullptr;
    ScriptOutcome outcome = {};
};

RunState run;

// ---- Private helpers ----------------------------------------------------------

// The clock source the unit loads its clock from: the script's host time.
void scriptClockSource(ClockTime* out) { *out = scriptHostTime(); }

// Adds the requests recorded since the last look to the run's tally, which
// outlives the device's small ring of recent requests.
void tallyJournal() {
    const long total = devJournalTotal();
    long fresh = total >= run.journalSeen ? total - run.journalSeen : total;
    const int kept = devJournalSize();
    if (fresh > kept) fresh = kept;
    for (int i = kept - static_cast<int>(fresh); i < kept; ++i) {
        const DevRequest& r = devJournalAt(i);
        ++run.journal[{static_cast<int>(r.op), r.a, r.b, std::bit_cast<uint32_t>(r.x)}];
    }
    run.journalSeen = total;
}

// Window creation and start-up, once, before anything that needs the unit.
void createWindow() {
    if (run.windowCreated) return;
    run.windowCreated = true;
    HostOnCreate();
    hostStartup();
    tallyJournal();
}

// The capture lines due after the ticks run so far, before the next tick,
// as the window applies what its feed received. A capture played to its end
// is let go, so a feed line in a long repeat costs nothing once it is over.
void playFeeds() {
    for (Playing& p : run.feeds) {
        while (p.next < p.capture->size() && p.start + (*p.capture)[p.next].tick <= run.ticks)
            scriptApplyWrite((*p.capture)[p.next++].command);
    }
    std::erase_if(run.feeds, [](const Playing& p) { return p.next >= p.capture->size(); });
}

void tick() {
    playFeeds();
    hostFastTick();
    ++run.ticks;
    if (run.ticks % FAST_TICKS_PER_SECOND == 0) hostSlowTick();
    for (bool& unseen : run.levelUnseen) unseen = false;
    tallyJournal();
}

// A line's message, then a note at each repeat of more than one pass that
// runs it, innermost first, saying which pass it was.
void addMessage(const ScriptCommand& c, const std::string& message) {
    run.outcome.messages.push_back({c.line, message});
    for (auto p = run.passes.rbegin(); p != run.passes.rend(); ++p) {
        if (p->repeat->repeat == 1) continue;
        run.outcome.messages.push_back(
            {p->repeat->line, "in pass " + std::to_string(p->pass) + " of " +
                                  std::to_string(p->repeat->repeat) + " of this repeat"});
    }
}

Step stop(const ScriptCommand& c, ScriptStatus status, const std::string& message) {
    run.outcome.status = status;
    addMessage(c, message);
    return Step::Stop;
}

Step ticks(const ScriptCommand& c, long long n) {
    if (run.tickLimit > 0 && run.ticks + n > run.tickLimit) {
        return stop(c, ScriptStatus::Error,
                    "the run would pass its limit of " + std::to_string(run.tickLimit) + " ticks");
    }
    for (long long i = 0; i < n; ++i) {
        tick();
        if (run.progress != nullptr && run.ticks % FAST_TICKS_PER_SECOND == 0)
            (*run.progress)(c.line, run.ticks);
    }
    return Step::Go;
}

int level(int which) {
    switch (which) {
        case VIEW: return viewLevel();
        case LEFT: return leftLevel();
        case RIGHT: return rightLevel();
    }
    return 0;
}

// A press or release the decoder has not yet seen would be lost if the same
// level changed back before a tick: such a change gets one tick first.
void changeLevels(ScriptButton b, bool down) {
    const bool touches[LEVELS] = {b == ScriptButton::View,
                                  b == ScriptButton::Left || b == ScriptButton::Both,
                                  b == ScriptButton::Right || b == ScriptButton::Both};
    bool needTick = false;
    for (int i = 0; i < LEVELS; ++i)
        needTick |= touches[i] && run.levelUnseen[i] && (level(i) != 0) != down;
    if (needTick) tick();
    int before[LEVELS];
    for (int i = 0; i < LEVELS; ++i) before[i] = level(i);
    const BezelArea& a = b == ScriptButton::View    ? VIEW_BUTTON_AREA
                         : b == ScriptButton::Left  ? LEFT_BUTTON_AREA
                         : b == ScriptButton::Right ? RIGHT_BUTTON_AREA
                                                    : BOTH_BUTTON_AREA;
    bezelMouse(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, (a.left + a.right) / 2,
               (a.top + a.bottom) / 2);
    for (int i = 0; i < LEVELS; ++i) run.levelUnseen[i] |= level(i) != before[i];
}

bool isHold(ButtonEvent e) {
    return e == EVT_VIEW_HOLD || e == EVT_LEFT_HOLD || e == EVT_RIGHT_HOLD;
}

// Press, hold, release, and a tick for the decoder to take the release. When
// that tick reports the hold instead (a release on the hold's own tick), the
// release waits for one more, so the next line starts with the button up as
// far as the decoder knows.
Step pressFor(const ScriptCommand& c) {
    changeLevels(c.button, true);
    if (ticks(c, c.ticks) == Step::Stop) return Step::Stop;
    changeLevels(c.button, false);
    if (ticks(c, 1) == Step::Stop) return Step::Stop;
    return isHold(lastDecodedEvent()) ? ticks(c, 1) : Step::Go;
}

// A time without a date keeps the host's present date.
void setHostClock(const ScriptCommand& c) {
    run.hostBase = scriptClockLineTime(c, scriptHostTime());
    run.hostBaseTick = run.ticks;
}

// The screen or the whole window, or a region of it, each pixel a scale x
// scale block.
ScriptPicture takePicture(const ScriptCommand& c) {
    int w = c.window ? BEZEL_WIDTH : FB_WIDTH, h = c.window ? BEZEL_HEIGHT : FB_HEIGHT;
    const uint32_t* from = c.window ? hostCanvas() : hostScreen();
    if (c.width > 0) {
        from += static_cast<size_t>(c.y) * BEZEL_WIDTH + c.x;
        w = c.width;
        h = c.height;
    }
    ScriptPicture p{&c, w * c.scale, h * c.scale, {}};
    p.pixels.resize(static_cast<size_t>(p.width) * p.height);
    for (int y = 0; y < p.height; ++y) {
        const uint32_t* src = from + static_cast<size_t>(y / c.scale) * BEZEL_WIDTH;
        uint32_t* dst = p.pixels.data() + static_cast<size_t>(y) * p.width;
        for (int x = 0; x < p.width; ++x) dst[x] = 0xFF000000u | src[x / c.scale];
    }
    return p;
}

Step shot(const ScriptCommand& c, const ScriptShotSink& sink) {
    std::string message;
    const ShotResult r = sink ? sink(takePicture(c), message) : ShotResult::Stored;
    if (r == ShotResult::Failed) return stop(c, ScriptStatus::Error, message);
    if (r == ShotResult::Differs) {
        run.outcome.status = ScriptStatus::Failed;
        addMessage(c, message);
    }
    return Step::Go;
}

// Unlike a shot's comparison, a differing picture stops the run here.
Step expectScreen(const ScriptCommand& c, const ScriptShotSink& sink) {
    std::string message;
    const ShotResult r = sink ? sink(takePicture(c), message) : ShotResult::Stored;
    if (r == ShotResult::Stored) return Step::Go;
    return stop(c, r == ShotResult::Differs ? ScriptStatus::Failed : ScriptStatus::Error, message);
}

Step expectPage(const ScriptCommand& c) {
    if (controller.activePage == c.page) return Step::Go;
    return stop(c, ScriptStatus::Failed,
                std::string("expected page ") + scriptPageName(c.page) + ", found " +
                    scriptPageName(controller.activePage));
}

Step expectSlot(const ScriptCommand& c) {
    const int32_t v = settingsReadInt(c.slot);
    if (v == c.slotValue) return Step::Go;
    return stop(c, ScriptStatus::Failed,
                "expected slot " + std::to_string(c.slot) + " = " + std::to_string(c.slotValue) +
                    ", found " + std::to_string(v));
}

bool matches(const ScriptCommand& c, const JournalKey& k) {
    if (std::get<0>(k) != static_cast<int>(c.request.op)) return false;
    if (c.args >= 1 && std::get<1>(k) != c.request.a) return false;
    if (c.args >= 2 && std::get<2>(k) != c.request.b) return false;
    return c.args < 3 || std::bit_cast<float>(std::get<3>(k)) == c.request.x;
}

// The requests of the same kind that were seen, for a failure message.
std::string requestsOfKind(const ScriptCommand& c) {
    std::string s;
    size_t listed = 0;
    for (const auto& [k, n] : run.journal) {
        if (std::get<0>(k) != static_cast<int>(c.request.op)) continue;
        if (listed++ == SHOWN_REQUESTS) return s + ", ...";
        ScriptCommand seen = c;
        seen.request = {c.request.op, std::get<1>(k), std::get<2>(k),
                        std::bit_cast<float>(std::get<3>(k))};
        seen.args = 3;
        seen.count = -1;
        const std::string line = scriptFormat(seen);
        s += (s.empty() ? "" : ", ") + line.substr(line.find(scriptRequestName(c.request.op))) +
             " (" + std::to_string(n) + "x)";
    }
    return s.empty() ? "no such request" : s;
}

Step expectJournal(const ScriptCommand& c) {
    long long n = 0;
    for (const auto& [k, count] : run.journal) n += matches(c, k) ? count : 0;
    if (c.count < 0 ? n > 0 : n == c.count) return Step::Go;
    ScriptCommand wanted = c;
    wanted.count = -1;
    const std::string what = scriptFormat(wanted).substr(std::string("expect journal ").size());
    const std::string times = c.count < 0 ? "at least once" : std::to_string(c.count) + " times";
    return stop(c, ScriptStatus::Failed,
                "expected request " + what + " " + times + ", found it " + std::to_string(n) +
                    " times; seen: " + requestsOfKind(c));
}

Step expectPixel(const ScriptCommand& c) {
    const uint32_t* from = c.window ? hostCanvas() : hostScreen();
    const uint32_t found = from[static_cast<size_t>(c.y) * BEZEL_WIDTH + c.x] & 0xFFFFFFu;
    if (found == c.colour) return Step::Go;
    return stop(c, ScriptStatus::Failed,
                std::string("expected ") + (c.window ? "window " : "") + "pixel " +
                    std::to_string(c.x) + " " + std::to_string(c.y) + " = " +
                    scriptColourText(c.colour) + ", found " + scriptColourText(found));
}

// Device fields and the host clock may be set before the window exists, as
// the hardware is when the unit is switched on; the lines of a repeat do
// nothing themselves; every other line needs the window.
bool needsWindow(ScriptOp op) {
    return op != ScriptOp::Set && op != ScriptOp::Clock && op != ScriptOp::Repeat &&
           op != ScriptOp::End;
}

Step execute(const ScriptCommand& c, const ScriptShotSink& sink) {
    if (needsWindow(c.op)) createWindow();
    switch (c.op) {
        case ScriptOp::Press: changeLevels(c.button, true); return Step::Go;
        case ScriptOp::Release: changeLevels(c.button, false); return Step::Go;
        case ScriptOp::Click:
        case ScriptOp::Hold: return pressFor(c);
        case ScriptOp::Wait: return ticks(c, c.ticks);
        case ScriptOp::Clock: setHostClock(c); return Step::Go;
        case ScriptOp::Set:
        case ScriptOp::Slot: scriptApplyWrite(c); return Step::Go;
        case ScriptOp::JournalClear: run.journal.clear(); return Step::Go;
        case ScriptOp::Shot: return shot(c, sink);
        case ScriptOp::ExpectPage: return expectPage(c);
        case ScriptOp::ExpectSlot: return expectSlot(c);
        case ScriptOp::ExpectJournal: return expectJournal(c);
        case ScriptOp::ExpectPixel: return expectPixel(c);
        case ScriptOp::ExpectScreen: return expectScreen(c, sink);
        case ScriptOp::Repeat:
        case ScriptOp::End: return Step::Go;
        case ScriptOp::Feed: run.feeds.push_back({&c.capture, run.ticks, 0}); return Step::Go;
    }
    return Step::Go;
}

// The line after commands[i]: an end goes back to the first line of its
// repeat until the last pass is done.
size_t nextLine(const Script& script, size_t i) {
    const ScriptCommand& c = script.commands[i];
    if (c.op == ScriptOp::Repeat) run.passes.push_back({&c, 1});
    if (c.op != ScriptOp::End) return i + 1;
    Pass& p = run.passes.back();
    if (p.pass < p.repeat->repeat) {
        ++p.pass;
        return static_cast<size_t>(c.match) + 1;
    }
    run.passes.pop_back();
    return i + 1;
}

// Runs one line; a run under a tick limit also has a limit on its lines.
Step runLine(const ScriptCommand& c, const ScriptShotSink& sink) {
    if (run.progress != nullptr) (*run.progress)(c.line, run.ticks);
    if (run.tickLimit > 0 && ++run.lines > run.tickLimit * SCRIPT_LINES_PER_LIMIT) {
        return stop(c, ScriptStatus::Error,
                    "the run would pass its limit of " +
                        std::to_string(run.tickLimit * SCRIPT_LINES_PER_LIMIT) + " lines");
    }
    return execute(c, sink);
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

// A set line writes a device field, a slot line a setting.
void scriptApplyWrite(const ScriptCommand& c) {
    if (c.op == ScriptOp::Set && c.field != nullptr) {
        deviceFieldWrite(simDevice, *c.field, c.row, c.col, c.value);
    } else if (c.op == ScriptOp::Slot) {
        settingsWriteInt(c.slot, c.slotValue);
    }
}

HostDateTime scriptClockLineTime(const ScriptCommand& c, const ClockTime& present) {
    HostDateTime t = c.clock;
    if (!c.clockHasDate) {
        t.year = present.year;
        t.month = present.month;
        t.day = present.day;
    }
    return t;
}

// Power-on reset, then each line in turn; the window is created at the first
// line that needs the unit, or at the end.
ScriptOutcome scriptRun(const Script& script, const ScriptShotSink& sink, long long tickLimit,
                        const ScriptProgress& progress) {
    run = RunState{};
    run.tickLimit = tickLimit;
    run.outcome.status = ScriptStatus::Passed;
    if (!script.errors.empty()) {
        run.outcome.status = ScriptStatus::Error;
        run.outcome.messages = script.errors;
        return run.outcome;
    }
    if (progress) run.progress = &progress;
    setClockSource(scriptClockSource);
    unitPowerOnReset();
    for (size_t i = 0; i < script.commands.size(); i = nextLine(script, i)) {
        if (runLine(script.commands[i], sink) == Step::Stop) break;
    }
    createWindow();
    run.outcome.ticks = run.ticks;
    run.progress = nullptr;
    return run.outcome;
}

ClockTime scriptHostTime() { return hostTimeAfter(run.hostBase, run.ticks - run.hostBaseTick); }
