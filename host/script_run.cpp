// The script interpreter. It drives the unit only through what the window
// uses: power-on reset, window creation and start-up, bezel clicks at the
// buttons' positions, fast and slow ticks, and the composed window picture.
#include "host/script_run.h"

#include <bit>
#include <map>
#include <tuple>

#include "app/buttons.h"
#include "app/controller.h"
#include "app/timekeeping.h"
#include "device/device.h"
#include "device/settings.h"
#include "gfx/gfx.h"
#include "host/bezel.h"
#include "host/shell.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int LEVELS = 3;  // view, left, right
constexpr int VIEW = 0, LEFT = 1, RIGHT = 2;
constexpr long long SECONDS_PER_DAY = 86400;
constexpr int MS_PER_SECOND = 1000;
constexpr size_t SHOWN_REQUESTS = 6;  // journal entries listed in a failure message

// ---- Types --------------------------------------------------------------------

// A request's kind, integer arguments and the bits of its float argument: a
// NaN argument (a calibration channel without a divisor gives one) must not
// upset the map's ordering.
using JournalKey = std::tuple<int, int32_t, int32_t, uint32_t>;

// A failed expectation or an unusable picture stops the command loop.
enum class Step : uint8_t { Go, Stop };

// ---- Module state ---------------------------------------------------------------

struct RunState {
    long long ticks = 0;             // virtual fast ticks since the run began
    long long tickLimit = 0;
    bool windowCreated = false;
    bool levelUnseen[LEVELS] = {};   // a level changed since the last tick
    ScriptDateTime hostBase = SCRIPT_DEFAULT_HOST_TIME;
    long long hostBaseTick = 0;
    long journalSeen = 0;            // devJournalTotal() already tallied
    std::map<JournalKey, long long> journal;  // every request since the last clear
    ScriptOutcome outcome = {};
};

RunState run;

// ---- Private helpers ----------------------------------------------------------

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long long daysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// The clock source the unit loads its clock from: the script's host time.
void scriptClockSource(ClockTime* out) {
    int dayOfWeek = 0, millis = 0;
    const ScriptDateTime t = scriptHostTimeAfter(run.hostBase, run.ticks - run.hostBaseTick, &dayOfWeek, &millis);
    *out = {static_cast<uint16_t>(t.year),   static_cast<uint16_t>(t.month),  static_cast<uint16_t>(dayOfWeek),
            static_cast<uint16_t>(t.day),    static_cast<uint16_t>(t.hour),   static_cast<uint16_t>(t.minute),
            static_cast<uint16_t>(t.second), static_cast<uint16_t>(millis)};
}

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

void tick() {
    hostFastTick();
    ++run.ticks;
    if (run.ticks % SCRIPT_TICKS_PER_SECOND == 0) hostSlowTick();
    for (bool& unseen : run.levelUnseen) unseen = false;
    tallyJournal();
}

Step stop(const ScriptCommand& c, ScriptStatus status, const std::string& message) {
    run.outcome.status = status;
    run.outcome.messages.push_back({c.line, message});
    return Step::Stop;
}

Step ticks(const ScriptCommand& c, long long n) {
    if (run.tickLimit > 0 && run.ticks + n > run.tickLimit) {
        return stop(c, ScriptStatus::Error, "the run would pass its limit of " + std::to_string(run.tickLimit) + " ticks");
    }
    for (long long i = 0; i < n; ++i) tick();
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
    const bool touches[LEVELS] = {b == ScriptButton::View, b == ScriptButton::Left || b == ScriptButton::Both,
                                  b == ScriptButton::Right || b == ScriptButton::Both};
    bool needTick = false;
    for (int i = 0; i < LEVELS; ++i) needTick |= touches[i] && run.levelUnseen[i] && (level(i) != 0) != down;
    if (needTick) tick();
    int before[LEVELS];
    for (int i = 0; i < LEVELS; ++i) before[i] = level(i);
    const BezelArea& a = b == ScriptButton::View    ? VIEW_BUTTON_AREA
                         : b == ScriptButton::Left  ? LEFT_BUTTON_AREA
                         : b == ScriptButton::Right ? RIGHT_BUTTON_AREA
                                                    : BOTH_BUTTON_AREA;
    bezelMouse(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, (a.left + a.right) / 2, (a.top + a.bottom) / 2);
    for (int i = 0; i < LEVELS; ++i) run.levelUnseen[i] |= level(i) != before[i];
}

bool isHold(ButtonEvent e) { return e == EVT_VIEW_HOLD || e == EVT_LEFT_HOLD || e == EVT_RIGHT_HOLD; }

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
    ScriptDateTime t = c.clock;
    if (!c.clockHasDate) {
        int dayOfWeek = 0, millis = 0;
        const ScriptDateTime now = scriptHostTimeAfter(run.hostBase, run.ticks - run.hostBaseTick, &dayOfWeek, &millis);
        t.year = now.year;
        t.month = now.month;
        t.day = now.day;
    }
    run.hostBase = t;
    run.hostBaseTick = run.ticks;
}

// The screen or the whole window, each pixel a scale x scale block.
ScriptPicture takePicture(const ScriptCommand& c) {
    const int x0 = c.window ? 0 : SCREEN_X, y0 = c.window ? 0 : SCREEN_Y;
    const int w = c.window ? BEZEL_WIDTH : FB_WIDTH, h = c.window ? BEZEL_HEIGHT : FB_HEIGHT;
    ScriptPicture p{&c, w * c.scale, h * c.scale, {}};
    p.pixels.resize(static_cast<size_t>(p.width) * p.height);
    const uint32_t* canvas = hostCanvas();
    for (int y = 0; y < p.height; ++y) {
        const uint32_t* src = canvas + static_cast<size_t>(y0 + y / c.scale) * BEZEL_WIDTH + x0;
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
        run.outcome.messages.push_back({c.line, message});
    }
    return Step::Go;
}

Step expectPage(const ScriptCommand& c) {
    if (activePage == c.page) return Step::Go;
    return stop(c, ScriptStatus::Failed,
                std::string("expected page ") + scriptPageName(c.page) + ", found " + scriptPageName(activePage));
}

Step expectSlot(const ScriptCommand& c) {
    const int32_t v = settingsReadInt(c.slot);
    if (v == c.slotValue) return Step::Go;
    return stop(c, ScriptStatus::Failed,
                "expected slot " + std::to_string(c.slot) + " = " + std::to_string(c.slotValue) + ", found " +
                    std::to_string(v));
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
        seen.request = {c.request.op, std::get<1>(k), std::get<2>(k), std::bit_cast<float>(std::get<3>(k))};
        seen.args = 3;
        seen.count = -1;
        const std::string line = scriptFormat(seen);
        s += (s.empty() ? "" : ", ") + line.substr(line.find(scriptRequestName(c.request.op))) + " (" +
             std::to_string(n) + "x)";
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
                "expected request " + what + " " + times + ", found it " + std::to_string(n) + " times; seen: " +
                    requestsOfKind(c));
}

Step expectPixel(const ScriptCommand& c) {
    const int x = c.window ? c.x : SCREEN_X + c.x, y = c.window ? c.y : SCREEN_Y + c.y;
    const uint32_t found = hostCanvas()[static_cast<size_t>(y) * BEZEL_WIDTH + x] & 0xFFFFFFu;
    if (found == c.colour) return Step::Go;
    return stop(c, ScriptStatus::Failed,
                std::string("expected ") + (c.window ? "window " : "") + "pixel " + std::to_string(c.x) + " " +
                    std::to_string(c.y) + " = " + scriptColourText(c.colour) + ", found " + scriptColourText(found));
}

// Device fields and the host clock may be set before the window exists, as
// the hardware is when the unit is switched on; every other line needs it.
bool needsWindow(ScriptOp op) { return op != ScriptOp::Set && op != ScriptOp::Clock; }

Step execute(const ScriptCommand& c, const ScriptShotSink& sink) {
    if (needsWindow(c.op)) createWindow();
    switch (c.op) {
        case ScriptOp::Press: changeLevels(c.button, true); return Step::Go;
        case ScriptOp::Release: changeLevels(c.button, false); return Step::Go;
        case ScriptOp::Click:
        case ScriptOp::Hold: return pressFor(c);
        case ScriptOp::Wait: return ticks(c, c.ticks);
        case ScriptOp::Clock: setHostClock(c); return Step::Go;
        case ScriptOp::Set: deviceFieldWrite(simDevice, *c.field, c.row, c.col, c.value); return Step::Go;
        case ScriptOp::Slot: settingsWriteInt(c.slot, c.slotValue); return Step::Go;
        case ScriptOp::JournalClear: run.journal.clear(); return Step::Go;
        case ScriptOp::Shot: return shot(c, sink);
        case ScriptOp::ExpectPage: return expectPage(c);
        case ScriptOp::ExpectSlot: return expectSlot(c);
        case ScriptOp::ExpectJournal: return expectJournal(c);
        case ScriptOp::ExpectPixel: return expectPixel(c);
    }
    return Step::Go;
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

// Power-on reset, then each line in turn; the window is created at the first
// line that needs the unit, or at the end.
ScriptOutcome scriptRun(const Script& script, const ScriptShotSink& sink, long long tickLimit) {
    run = RunState{};
    run.tickLimit = tickLimit;
    run.outcome.status = ScriptStatus::Passed;
    if (!script.errors.empty()) {
        run.outcome.status = ScriptStatus::Error;
        run.outcome.messages = script.errors;
        return run.outcome;
    }
    setClockSource(scriptClockSource);
    unitPowerOnReset();
    for (const ScriptCommand& c : script.commands) {
        if (execute(c, sink) == Step::Stop) break;
    }
    createWindow();
    run.outcome.ticks = run.ticks;
    return run.outcome;
}

// Base time plus ticks of 10 ms, carried into the date.
ScriptDateTime scriptHostTimeAfter(const ScriptDateTime& base, long long ticks, int* dayOfWeek, int* millis) {
    const long long ms = ticks * SCRIPT_TICK_MS;
    const long long baseSeconds =
        daysFromCivil(base.year, base.month, base.day) * SECONDS_PER_DAY + base.hour * 3600LL + base.minute * 60LL +
        base.second;
    const long long seconds = baseSeconds + ms / MS_PER_SECOND;
    long long days = seconds / SECONDS_PER_DAY;
    long long inDay = seconds % SECONDS_PER_DAY;
    if (inDay < 0) {
        inDay += SECONDS_PER_DAY;
        --days;
    }
    ScriptDateTime t{};
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(inDay / 3600);
    t.minute = static_cast<int>(inDay / 60 % 60);
    t.second = static_cast<int>(inDay % 60);
    *dayOfWeek = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday (4)
    *millis = static_cast<int>(ms % MS_PER_SECOND);
    return t;
}
