// The script parser: one command per line, words separated by blanks, '#'
// starts a comment. Every value is checked here (numbers, ranges, names,
// indices) so that a script that parses can only fail at run time on an
// expectation or on writing a picture.
#include "script/script.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "app/buttons.h"
#include "app/controller.h"
#include "device/settings.h"
#include "gfx/gfx.h"
#include "script/words.h"
#include "shell/shell.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int MAX_WORDS = 12;
constexpr int MIN_YEAR = 1601;  // the range of the platform's date record
constexpr int MAX_YEAR = 30827;
// Both buttons held: the decoder tests the release of both before any hold,
// so the left hold needs one tick more than a single press's.
constexpr int BOTH_HOLD_TICKS = LEFT_HOLD_TICKS + 1;

constexpr const char* BUTTON_NAMES[] = {"view", "left", "right", "both"};
constexpr const char* PAGE_NAMES[SCRIPT_PAGES] = {"splash", "data",   "runtime",  "timer1",
                                                  "timer2", "gmeter", "attitude", "setup"};
static_assert(SCRIPT_PAGES == PAGE_COUNT, "one name per PageId, in PageId order");

struct RequestName {
    DevOp op;
    const char* name;
};

constexpr RequestName REQUEST_NAMES[] = {
    {DevOp::PowerOffA, "powerOffA"},
    {DevOp::PowerOffB, "powerOffB"},
    {DevOp::PowerOffC, "powerOffC"},
    {DevOp::SwitchOff, "switchOff"},
    {DevOp::WriteValue, "writeValue"},
    {DevOp::WriteParameter, "writeParameter"},
    {DevOp::ResetPeaks, "resetPeaks"},
    {DevOp::SetBrightnessLevel, "setBrightnessLevel"},
    {DevOp::SetBrightnessMode, "setBrightnessMode"},
    {DevOp::Sound, "sound"},
    {DevOp::Notify, "notify"},
    {DevOp::AlertAcknowledged, "alertAcknowledged"},
    {DevOp::DemoOff, "demoOff"},
    {DevOp::CalibrationDone, "calibrationDone"},
    {DevOp::SecondTick, "secondTick"},
};

// ---- Types --------------------------------------------------------------------

// The words of one line and where the parse stands in them.
struct Line {
    std::string_view word[MAX_WORDS];
    int count = 0;
    int next = 0;
    std::string error;  // the first problem found; empty while all is well
};

// ---- Private helpers ----------------------------------------------------------

bool fail(Line& l, const std::string& message) {
    if (l.error.empty()) l.error = message;
    return false;
}

// Splits off the comment and the words; false (with the error) on a control
// character or too many words.
bool splitWords(std::string_view text, Line& l) {
    const size_t hash = text.find('#');
    if (hash != std::string_view::npos) text = text.substr(0, hash);
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t' && text[end] != '\r') {
            const unsigned char d = static_cast<unsigned char>(text[end]);
            if (d < 0x20 || d == 0x7F) return fail(l, "control character in the line");
            ++end;
        }
        if (l.count == MAX_WORDS) return fail(l, "too many words");
        l.word[l.count++] = text.substr(i, end - i);
        i = end;
    }
    return true;
}

bool atEnd(const Line& l) { return l.next >= l.count; }

std::string_view peek(const Line& l) { return atEnd(l) ? std::string_view{} : l.word[l.next]; }

// The next word, or an error naming what was missing.
bool take(Line& l, const char* what, std::string_view& w) {
    if (atEnd(l)) return fail(l, std::string("missing ") + what);
    w = l.word[l.next++];
    return true;
}

bool takeKeyword(Line& l, std::string_view keyword) {
    if (atEnd(l) || !wordEquals(l.word[l.next], keyword)) return false;
    ++l.next;
    return true;
}

bool finish(Line& l) {
    if (atEnd(l)) return true;
    return fail(l, "unexpected " + wordQuoted(l.word[l.next]));
}

bool takeInteger(Line& l, const char* what, long long lo, long long hi, long long& v) {
    std::string_view w;
    if (!take(l, what, w)) return false;
    if (!wordToInteger(w, v)) {
        return fail(l, std::string("bad ") + what + " " + wordQuoted(w) + ": a whole number from " +
                           std::to_string(lo) + " to " + std::to_string(hi) +
                           ", decimal or 0x hexadecimal");
    }
    if (v < lo || v > hi) {
        return fail(l, std::string(what) + " " + std::to_string(v) + " outside " +
                           std::to_string(lo) + " to " + std::to_string(hi));
    }
    return true;
}

struct DurationUnit {
    const char* word;
    long long ticks;
};

constexpr DurationUnit UNIT_WORDS[] = {
    {"tick", 1},
    {"ticks", 1},
    {"s", FAST_TICKS_PER_SECOND},
    {"sec", FAST_TICKS_PER_SECOND},
    {"second", FAST_TICKS_PER_SECOND},
    {"seconds", FAST_TICKS_PER_SECOND},
    {"m", SCRIPT_TICKS_PER_MINUTE},
    {"min", SCRIPT_TICKS_PER_MINUTE},
    {"minute", SCRIPT_TICKS_PER_MINUTE},
    {"minutes", SCRIPT_TICKS_PER_MINUTE},
    {"h", SCRIPT_TICKS_PER_HOUR},
    {"hour", SCRIPT_TICKS_PER_HOUR},
    {"hours", SCRIPT_TICKS_PER_HOUR},
};

// The ticks of the unit word that follows a number, taken when there is one;
// a plain number counts ticks.
long long takeUnitWord(Line& l) {
    for (const DurationUnit& u : UNIT_WORDS) {
        if (takeKeyword(l, u.word)) return u.ticks;
    }
    return 1;
}

bool endsInUnit(std::string_view w) {
    const char last = wordLower(w.back());
    return w.size() > 1 && (last == 'h' || last == 'm' || last == 's');
}

// A duration: N, N ticks, or hours, minutes and seconds to the tick, in one
// word (2s, 1.5h, 1h30m) or with a unit word (1.5 s, 5 minutes).
bool takeDuration(Line& l, const char* what, long long lo, long long& ticks, bool& inSeconds) {
    std::string_view w;
    if (!take(l, what, w)) return false;
    long long n = 0;
    bool ok = false;
    if (endsInUnit(w)) {
        inSeconds = true;
        ok = wordToDuration(w, n);
    } else {
        const long long unit = takeUnitWord(l);
        inSeconds = unit != 1;
        ok = inSeconds ? wordToTicks(w, unit, n) : wordToInteger(w, n);
    }
    if (!ok) {
        return fail(l, std::string("bad ") + what + " " + wordQuoted(w) +
                           ": ticks, or a time such as 2s, 1.5m or 1h30m");
    }
    if (n < lo || n > SCRIPT_MAX_TICKS) {
        return fail(l, std::string(what) + " of " + std::to_string(n) + " ticks outside " +
                           std::to_string(lo) + " to " + std::to_string(SCRIPT_MAX_TICKS));
    }
    ticks = n;
    return true;
}

bool takeButton(Line& l, ScriptButton& b) {
    std::string_view w;
    if (!take(l, "button (view, left, right or both)", w)) return false;
    for (int i = 0; i < static_cast<int>(std::size(BUTTON_NAMES)); ++i) {
        if (wordEquals(w, BUTTON_NAMES[i])) {
            b = static_cast<ScriptButton>(i);
            return true;
        }
    }
    return fail(l, "unknown button " + wordQuoted(w) + " (view, left, right or both)");
}

bool parseButtonOnly(Line& l, ScriptCommand& c) { return takeButton(l, c.button) && finish(l); }

bool parseTimedButton(Line& l, ScriptCommand& c) {
    if (!takeButton(l, c.button)) return false;
    c.ticks = scriptDefaultTicks(c.op, c.button);
    if (!atEnd(l) && !takeDuration(l, "duration", 1, c.ticks, c.inSeconds)) return false;
    return finish(l);
}

bool parseWait(Line& l, ScriptCommand& c) {
    return takeDuration(l, "duration", 0, c.ticks, c.inSeconds) && finish(l);
}

bool parseClock(Line& l, ScriptCommand& c) {
    std::string_view w;
    if (!take(l, "time HH:MM:SS", w)) return false;
    long long d[3] = {};
    if (w.find('-') != std::string_view::npos) {
        if (!wordToTriple(w, '-', d) || d[0] < MIN_YEAR || d[0] > MAX_YEAR || d[1] < 1 ||
            d[1] > 12 || d[2] < 1 ||
            d[2] > scriptDaysInMonth(static_cast<int>(d[0]), static_cast<int>(d[1]))) {
            return fail(l, "bad date " + wordQuoted(w) + " (YYYY-MM-DD)");
        }
        c.clock.year = static_cast<int>(d[0]);
        c.clock.month = static_cast<int>(d[1]);
        c.clock.day = static_cast<int>(d[2]);
        c.clockHasDate = true;
        if (!take(l, "time HH:MM:SS", w)) return false;
    }
    long long t[3] = {};
    if (!wordToTriple(w, ':', t) || t[0] > 23 || t[1] > 59 || t[2] > 59) {
        return fail(l, "bad time " + wordQuoted(w) + " (HH:MM:SS)");
    }
    c.clock.hour = static_cast<int>(t[0]);
    c.clock.minute = static_cast<int>(t[1]);
    c.clock.second = static_cast<int>(t[2]);
    return finish(l);
}

std::string numberText(double v) {
    char text[32];
    *std::to_chars(text, text + sizeof text - 1, v).ptr = '\0';
    return text;
}

std::string rangeText(const DeviceField& f) {
    return numberText(f.min) + " to " + numberText(f.max);
}

// The indices a field takes, for messages.
std::string indexText(const DeviceField& f) {
    const std::string rows = "0 to " + std::to_string(f.rows - 1);
    if (f.indices == 1) return "the index of " + std::string(f.name) + " runs " + rows;
    return "the indices of " + std::string(f.name) + " run " + rows + " and 0 to " +
           std::to_string(f.cols - 1);
}

// The values a field takes, for messages.
std::string valueForm(const DeviceField& f) {
    if (f.type == FieldType::Float) return "a number from " + rangeText(f);
    if (f.type == FieldType::Colour) return "a colour 0xAARRGGBB";
    if (f.min == 0 && f.max == 1) return "0 or 1";
    return "a whole number from " + rangeText(f);
}

bool parseFieldRef(Line& l, std::string_view w, ScriptCommand& c) {
    ScriptFieldRef ref;
    std::string error;
    if (!scriptFieldRef(w, ref, error)) return fail(l, error);
    c.field = ref.field;
    c.row = ref.row;
    c.col = ref.col;
    return true;
}

// Whole numbers in decimal or 0x hexadecimal fit every field; a float field
// also takes decimal fractions.
bool parseSet(Line& l, ScriptCommand& c) {
    std::string_view w;
    if (!take(l, "device field", w) || !parseFieldRef(l, w, c)) return false;
    if (!take(l, "value", w)) return false;
    const DeviceField& f = *c.field;
    if (!scriptFieldValue(f, w, c.value))
        return fail(l, std::string(f.name) + " takes " + valueForm(f) + ", not " + wordQuoted(w));
    return finish(l);
}

bool takeSlot(Line& l, ScriptCommand& c) {
    long long n = 0;
    if (!takeInteger(l, "slot", 0, SETTINGS_SLOTS - 1, n)) return false;
    c.slot = static_cast<int>(n);
    if (!takeInteger(l, "value", INT32_MIN, UINT32_MAX, n)) return false;
    c.slotValue = static_cast<int32_t>(static_cast<uint32_t>(n));  // 0xFFFFFFFF reads as -1
    return finish(l);
}

bool pngName(std::string_view w) {
    constexpr std::string_view EXT = ".png";
    return w.size() > EXT.size() && wordEquals(w.substr(w.size() - EXT.size()), EXT) &&
           w.back() != '/';
}

// A picture's file name into c.path; what names it in the message.
bool takePngPath(Line& l, const char* what, ScriptCommand& c) {
    std::string_view w;
    if (!take(l, what, w)) return false;
    if (!pngName(w)) return fail(l, std::string(what) + " " + wordQuoted(w) + " must end in .png");
    c.path = std::string(w);
    return true;
}

// "screen" or "window", when it comes next: the part of the picture a line takes.
bool takePictureArea(Line& l, ScriptCommand& c) {
    if (takeKeyword(l, "screen")) {
        c.window = false;
        return true;
    }
    if (takeKeyword(l, "window")) {
        c.window = true;
        return true;
    }
    return false;
}

bool parseShot(Line& l, ScriptCommand& c) {
    if (!takePngPath(l, "file name", c)) return false;
    while (!atEnd(l)) {
        if (takePictureArea(l, c)) continue;
        if (takeKeyword(l, "scale")) {
            long long s = 0;
            if (!takeInteger(l, "scale", 1, SCRIPT_MAX_SCALE, s)) return false;
            c.scale = static_cast<int>(s);
        } else {
            return finish(l);
        }
    }
    return true;
}

bool parseExpectPage(Line& l, ScriptCommand& c) {
    std::string_view w;
    if (!take(l, "page", w)) return false;
    long long n = -1;
    if (!wordToInteger(w, n)) {
        for (int p = 0; p < SCRIPT_PAGES; ++p) {
            if (wordEquals(w, PAGE_NAMES[p])) n = p;
        }
    }
    if (n < 0 || n >= SCRIPT_PAGES) {
        return fail(
            l, "unknown page " + wordQuoted(w) +
                   " (0 to 7, or splash, data, runtime, timer1, timer2, gmeter, attitude, setup)");
    }
    c.page = static_cast<int>(n);
    return finish(l);
}

bool parseExpectJournal(Line& l, ScriptCommand& c) {
    std::string_view w;
    if (!take(l, "request", w)) return false;
    c.request.op = DevOp::None;
    for (const RequestName& r : REQUEST_NAMES) {
        if (wordEquals(w, r.name)) c.request.op = r.op;
    }
    if (c.request.op == DevOp::None) return fail(l, "unknown request " + wordQuoted(w));
    long long n = 0;
    while (!atEnd(l) && !wordEquals(peek(l), "count") && c.args < 3) {
        if (c.args < 2) {
            if (!takeInteger(l, "argument", INT32_MIN, INT32_MAX, n)) return false;
            (c.args == 0 ? c.request.a : c.request.b) = static_cast<int32_t>(n);
        } else {
            take(l, "value", w);
            if (!wordToFloat(w, c.request.x)) return fail(l, "bad value " + wordQuoted(w));
        }
        ++c.args;
    }
    if (takeKeyword(l, "count") && !takeInteger(l, "count", 0, SCRIPT_MAX_TICKS, c.count))
        return false;
    return finish(l);
}

bool parseExpectPixel(Line& l, ScriptCommand& c) {
    takePictureArea(l, c);
    const int width = c.window ? BEZEL_WIDTH : FB_WIDTH;
    const int height = c.window ? BEZEL_HEIGHT : FB_HEIGHT;
    long long x = 0, y = 0, colour = 0;
    if (!takeInteger(l, "x", 0, width - 1, x) || !takeInteger(l, "y", 0, height - 1, y) ||
        !takeInteger(l, "colour", 0, UINT32_MAX, colour)) {
        return false;
    }
    c.x = static_cast<int>(x);
    c.y = static_cast<int>(y);
    c.colour = static_cast<uint32_t>(colour) & 0xFFFFFFu;
    return finish(l);
}

// "REF.png [window] [region X Y W H]": the region must lie inside the
// picture, which is known only once the whole line is read.
bool parseExpectScreen(Line& l, ScriptCommand& c) {
    if (!takePngPath(l, "reference", c)) return false;
    constexpr long long MAX_SIDE = BEZEL_HEIGHT;
    while (!atEnd(l)) {
        if (takePictureArea(l, c)) continue;
        if (takeKeyword(l, "region")) {
            long long r[4] = {};
            if (!takeInteger(l, "x", 0, MAX_SIDE - 1, r[0]) ||
                !takeInteger(l, "y", 0, MAX_SIDE - 1, r[1]) ||
                !takeInteger(l, "width", 1, MAX_SIDE, r[2]) ||
                !takeInteger(l, "height", 1, MAX_SIDE, r[3])) {
                return false;
            }
            c.x = static_cast<int>(r[0]);
            c.y = static_cast<int>(r[1]);
            c.width = static_cast<int>(r[2]);
            c.height = static_cast<int>(r[3]);
        } else {
            return finish(l);
        }
    }
    const int w0 = c.window ? BEZEL_WIDTH : FB_WIDTH, h0 = c.window ? BEZEL_HEIGHT : FB_HEIGHT;
    if (c.width > 0 && (c.x + c.width > w0 || c.y + c.height > h0)) {
        return fail(l, "region " + std::to_string(c.x) + " " + std::to_string(c.y) + " " +
                           std::to_string(c.width) + " " + std::to_string(c.height) +
                           " reaches outside the " + (c.window ? "window (" : "screen (") +
                           std::to_string(w0) + " x " + std::to_string(h0) + ")");
    }
    return true;
}

bool parseExpect(Line& l, ScriptCommand& c) {
    std::string_view w;
    if (!take(l, "what to expect (page, slot, journal, pixel or screen)", w)) return false;
    if (wordEquals(w, "page")) {
        c.op = ScriptOp::ExpectPage;
        return parseExpectPage(l, c);
    }
    if (wordEquals(w, "slot")) {
        c.op = ScriptOp::ExpectSlot;
        return takeSlot(l, c);
    }
    if (wordEquals(w, "journal")) {
        c.op = ScriptOp::ExpectJournal;
        return parseExpectJournal(l, c);
    }
    if (wordEquals(w, "pixel")) {
        c.op = ScriptOp::ExpectPixel;
        return parseExpectPixel(l, c);
    }
    if (wordEquals(w, "screen")) {
        c.op = ScriptOp::ExpectScreen;
        return parseExpectScreen(l, c);
    }
    return fail(l, "cannot expect " + wordQuoted(w) + " (page, slot, journal, pixel or screen)");
}

// A capture file of the feed; the program that runs the script reads it.
bool parseFeed(Line& l, ScriptCommand& c) {
    std::string_view w;
    if (!take(l, "file name", w)) return false;
    c.path = std::string(w);
    return finish(l);
}

bool parseJournal(Line& l, ScriptCommand& c) {
    c.op = ScriptOp::JournalClear;
    if (!takeKeyword(l, "clear")) return fail(l, "journal takes 'clear'");
    return finish(l);
}

bool parseRepeat(Line& l, ScriptCommand& c) {
    long long n = 0;
    if (!takeInteger(l, "count", 1, SCRIPT_MAX_REPEAT, n)) return false;
    c.repeat = static_cast<int>(n);
    return finish(l);
}

bool parseEnd(Line& l, ScriptCommand&) { return finish(l); }

struct CommandParser {
    const char* name;
    ScriptOp op;
    bool (*parse)(Line&, ScriptCommand&);
};

constexpr CommandParser PARSERS[] = {
    {"press", ScriptOp::Press, parseButtonOnly},
    {"release", ScriptOp::Release, parseButtonOnly},
    {"click", ScriptOp::Click, parseTimedButton},
    {"hold", ScriptOp::Hold, parseTimedButton},
    {"wait", ScriptOp::Wait, parseWait},
    {"clock", ScriptOp::Clock, parseClock},
    {"set", ScriptOp::Set, parseSet},
    {"slot", ScriptOp::Slot, takeSlot},
    {"journal", ScriptOp::JournalClear, parseJournal},
    {"shot", ScriptOp::Shot, parseShot},
    {"expect", ScriptOp::ExpectPage, parseExpect},
    {"repeat", ScriptOp::Repeat, parseRepeat},
    {"end", ScriptOp::End, parseEnd},
    {"feed", ScriptOp::Feed, parseFeed},
};

// One non-empty line into c; false with l.error set when it does not parse.
bool parseLine(Line& l, ScriptCommand& c) {
    const std::string_view verb = l.word[l.next++];
    for (const CommandParser& p : PARSERS) {
        if (wordEquals(verb, p.name)) {
            c.op = p.op;
            const bool ok = p.parse(l, c);
            if (!ok && !l.error.empty()) l.error = std::string(p.name) + ": " + l.error;
            return ok;
        }
    }
    return fail(l, "unknown command " + wordQuoted(verb));
}

// A picture taken twice in one run would silently replace the first.
void checkShotPaths(Script& s) {
    for (size_t i = 0; i < s.commands.size(); ++i) {
        const ScriptCommand& c = s.commands[i];
        if (c.op != ScriptOp::Shot) continue;
        for (size_t j = 0; j < i; ++j) {
            const ScriptCommand& d = s.commands[j];
            if (d.op == ScriptOp::Shot && d.path == c.path) {
                s.errors.push_back({c.line, "shot: " + c.path + " is already taken on line " +
                                                std::to_string(d.line)});
                break;
            }
        }
    }
}

// Pairs each repeat with its end. An end without a repeat and a repeat
// without an end are errors, and those lines are dropped, so the commands
// left always nest.
void matchRepeats(Script& s) {
    std::vector<size_t> open;
    std::vector<bool> drop(s.commands.size(), false);
    for (size_t i = 0; i < s.commands.size(); ++i) {
        const ScriptCommand& c = s.commands[i];
        if (c.op == ScriptOp::Repeat) open.push_back(i);
        if (c.op != ScriptOp::End) continue;
        if (open.empty()) {
            s.errors.push_back({c.line, "end without repeat"});
            drop[i] = true;
        } else {
            open.pop_back();
        }
    }
    for (size_t i : open) {
        s.errors.push_back({s.commands[i].line, "repeat without end"});
        drop[i] = true;
    }
    std::vector<ScriptCommand> kept;
    for (size_t i = 0; i < s.commands.size(); ++i) {
        if (!drop[i]) kept.push_back(s.commands[i]);
    }
    s.commands = std::move(kept);
    open.clear();
    for (size_t i = 0; i < s.commands.size(); ++i) {
        ScriptCommand& c = s.commands[i];
        if (c.op == ScriptOp::Repeat) open.push_back(i);
        if (c.op != ScriptOp::End) continue;
        c.match = static_cast<int>(open.back());
        s.commands[open.back()].match = static_cast<int>(i);
        open.pop_back();
    }
}

// A shot inside a repeat that runs more than once would replace its own
// picture on every pass.
void checkRepeatedShots(Script& s) {
    std::vector<int> passing;  // lines of the enclosing repeats of more than one pass
    for (const ScriptCommand& c : s.commands) {
        if (c.op == ScriptOp::Repeat && c.repeat > 1) passing.push_back(c.line);
        if (c.op == ScriptOp::End && s.commands[c.match].repeat > 1) passing.pop_back();
        if (c.op != ScriptOp::Shot || passing.empty()) continue;
        s.errors.push_back({c.line, "shot: " + c.path +
                                        " would be taken again on each pass of the "
                                        "repeat on line " +
                                        std::to_string(passing.back()) +
                                        ", each picture replacing the last"});
    }
}

// Repeats inside one another multiply: a line may run at most
// SCRIPT_MAX_REPEAT times in all, as in a single repeat.
void checkNestedPasses(Script& s) {
    std::vector<long long> passes = {1};  // of the lines at this depth
    for (const ScriptCommand& c : s.commands) {
        if (c.op == ScriptOp::End) passes.pop_back();
        if (c.op != ScriptOp::Repeat) continue;
        const long long n = passes.back() * c.repeat;
        if (n > SCRIPT_MAX_REPEAT && passes.back() <= SCRIPT_MAX_REPEAT)
            s.errors.push_back({c.line, "repeat: with the repeats around it, its lines would run " +
                                            std::to_string(n) + " times; at most " +
                                            std::to_string(SCRIPT_MAX_REPEAT)});
        passes.push_back(std::min<long long>(n, SCRIPT_MAX_REPEAT + 1LL));
    }
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

bool scriptFieldValue(const DeviceField& f, std::string_view w, double& v) {
    long long n = 0;
    float x = 0.0f;
    if (wordToInteger(w, n)) {
        v = static_cast<double>(n);
    } else if (f.type == FieldType::Float && wordToFloat(w, x)) {
        v = x;
    } else {
        return false;
    }
    return deviceFieldAccepts(f, v);
}

// "name", "name[i]" or "name[i][j]", each index inside the field's shape.
bool scriptFieldRef(std::string_view w, ScriptFieldRef& ref, std::string& error) {
    const size_t bracket = w.find('[');
    const std::string_view name = w.substr(0, bracket);
    ref = {};
    const DeviceField* f = deviceFieldFind(name);
    if (f == nullptr) {
        error = "unknown device field " + wordQuoted(name);
        return false;
    }
    ref.field = f;
    long long index[2] = {0, 0};
    int given = 0;
    std::string_view rest =
        bracket == std::string_view::npos ? std::string_view{} : w.substr(bracket);
    while (!rest.empty()) {
        const size_t close = rest.find(']');
        if (rest[0] != '[' || close == std::string_view::npos || given == 2 ||
            !wordToInteger(rest.substr(1, close - 1), index[given])) {
            error = "bad index in " + wordQuoted(w) + (f->indices > 0 ? ": " + indexText(*f) : "");
            return false;
        }
        ++given;
        rest.remove_prefix(close + 1);
    }
    if (given != f->indices) {
        constexpr const char* INDEX_COUNT[] = {" takes no index", " takes one index",
                                               " takes two indices"};
        error = std::string(f->name) + INDEX_COUNT[f->indices];
        return false;
    }
    if (index[0] < 0 || index[0] >= f->rows || index[1] < 0 || index[1] >= f->cols) {
        error = indexText(*f) + ", not " + wordQuoted(w);
        return false;
    }
    ref.row = static_cast<int>(index[0]);
    ref.col = static_cast<int>(index[1]);
    return true;
}

// Parses line by line; a failing line is reported and skipped.
Script scriptParse(std::string_view text) {
    Script s;
    int number = 0;
    while (!text.empty() || number == 0) {
        ++number;
        const size_t nl = text.find('\n');
        const std::string_view rawLine = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        Line l;
        ScriptCommand c;
        c.line = number;
        bool ok = splitWords(rawLine, l);
        if (ok && l.count == 0) continue;
        if (ok) ok = parseLine(l, c);
        if (ok) {
            s.commands.push_back(c);
            continue;
        }
        if (static_cast<int>(s.errors.size()) == SCRIPT_MAX_ERRORS) {
            s.errors.push_back({number, "too many errors; the rest of the script was not checked"});
            s.commands.clear();  // half a script never runs, nor nests
            return s;
        }
        s.errors.push_back({number, l.error});
    }
    matchRepeats(s);
    checkShotPaths(s);
    checkRepeatedShots(s);
    checkNestedPasses(s);
    std::stable_sort(s.errors.begin(), s.errors.end(),
                     [](const ScriptError& a, const ScriptError& b) { return a.line < b.line; });
    if (static_cast<int>(s.errors.size()) > SCRIPT_MAX_ERRORS) {
        const int line = s.errors[SCRIPT_MAX_ERRORS].line;
        s.errors.resize(SCRIPT_MAX_ERRORS);
        s.errors.push_back({line, "too many errors; the rest are not listed"});
    }
    return s;
}

// Default durations of click and hold.
long long scriptDefaultTicks(ScriptOp op, ScriptButton b) {
    if (op != ScriptOp::Hold) return SCRIPT_CLICK_TICKS;
    switch (b) {
        case ScriptButton::View: return VIEW_HOLD_TICKS;
        case ScriptButton::Left: return LEFT_HOLD_TICKS;
        case ScriptButton::Right: return RIGHT_HOLD_TICKS;
        case ScriptButton::Both: return BOTH_HOLD_TICKS;
    }
    return SCRIPT_CLICK_TICKS;
}

const char* scriptButtonName(ScriptButton b) { return BUTTON_NAMES[static_cast<int>(b)]; }

const char* scriptPageName(int page) {
    return page >= 0 && page < SCRIPT_PAGES ? PAGE_NAMES[page] : "?";
}

const char* scriptRequestName(DevOp op) {
    for (const RequestName& r : REQUEST_NAMES) {
        if (r.op == op) return r.name;
    }
    return "none";
}
