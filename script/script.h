// Scripts that drive the unit: the parsed form of each line, the parser, and
// the writer that turns a command back into its line. Platform-independent:
// the headless runner, the tests and the window's session recorder share it.
// The language itself is described in docs/scripting.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/device.h"
#include "device/device_fields.h"
#include "shell/host_time.h"
#include "shell/shell.h"

// ---- Constants ----------------------------------------------------------------

inline constexpr long long SCRIPT_MAX_TICKS = 100000000;  // one wait or press: about 11.5 days
inline constexpr int SCRIPT_CLICK_TICKS = 5;              // well below every hold time
inline constexpr int SCRIPT_MAX_SCALE = 8;
inline constexpr int SCRIPT_MAX_ERRORS = 20;  // errors listed before the parser gives up
inline constexpr int SCRIPT_PAGES = 8;
inline constexpr int SCRIPT_MAX_REPEAT = 100000;  // passes of one repeat
// Durations are written in seconds to the hundredth: one hundredth per fast tick.
static_assert(FAST_TICKS_PER_SECOND == 100, "a script's hundredth of a second is one fast tick");
inline constexpr long long SCRIPT_TICKS_PER_MINUTE = 60LL * FAST_TICKS_PER_SECOND;
inline constexpr long long SCRIPT_TICKS_PER_HOUR = 60 * SCRIPT_TICKS_PER_MINUTE;

// ---- Types --------------------------------------------------------------------

enum class ScriptOp : uint8_t {
    Press,          // button
    Release,        // button
    Click,          // button, ticks
    Hold,           // button, ticks
    Wait,           // ticks
    Clock,          // clock
    Set,            // field, row, col, value
    Slot,           // slot, slotValue
    JournalClear,   //
    Shot,           // path, window, scale
    ExpectPage,     // page
    ExpectSlot,     // slot, slotValue
    ExpectJournal,  // request, args, count
    ExpectPixel,    // window, x, y, colour
    ExpectScreen,   // path (the reference), window, x, y, width, height
    Repeat,         // repeat, match
    End,            // match
    Feed,           // path; capture
};

enum class ScriptButton : uint8_t { View, Left, Right, Both };

struct ScriptTimedCommand;

// One script line. Only the members its op names are meaningful.
struct ScriptCommand {
    ScriptOp op = ScriptOp::Wait;
    int line = 0;
    ScriptButton button = ScriptButton::View;
    long long ticks = 0;
    bool inSeconds = false;  // the wait was written in seconds
    HostDateTime clock = {};
    bool clockHasDate = false;
    const DeviceField* field = nullptr;
    int row = 0, col = 0;
    double value = 0.0;
    int slot = 0;
    int32_t slotValue = 0;
    std::string path;
    bool window = false;  // shot or pixel of the whole window, not the screen
    int scale = 1;
    int page = 0;
    DevRequest request = {};  // the journal entry looked for
    int args = 0;             // how many of request.a, .b, .x must match
    long long count = -1;     // exact count wanted; -1 for at least one
    int x = 0, y = 0;
    uint32_t colour = 0;        // 0xRRGGBB
    int width = 0, height = 0;  // expect screen's region at (x, y); 0 for the whole picture
    int repeat = 0;             // passes of a repeat
    int match = -1;             // index of a repeat's end, or of an end's repeat
    // A feed line's capture as set and slot lines by tick, filled in by the
    // program that reads the file; the parser leaves it empty.
    std::vector<ScriptTimedCommand> capture;
};

// A set or slot line due a number of ticks after its feed line started.
struct ScriptTimedCommand {
    long long tick;
    ScriptCommand command;
};

// A device field element as a set line names it: "name", "name[i]" or "name[i][j]".
struct ScriptFieldRef {
    const DeviceField* field = nullptr;
    int row = 0;
    int col = 0;
};

struct ScriptError {
    int line;
    std::string message;
};

struct Script {
    std::vector<ScriptCommand> commands;
    std::vector<ScriptError> errors;  // empty when the whole script parsed
};

// ---- Public operations --------------------------------------------------------

// Parses a whole script; every line that fails adds an error (at most
// SCRIPT_MAX_ERRORS, then one more saying the rest was not checked).
Script scriptParse(std::string_view text);
// Reads a field reference; false with the reason in error (field stays null
// when the name is unknown).
bool scriptFieldRef(std::string_view word, ScriptFieldRef& ref, std::string& error);
// A set line's value for field f: a whole number, or for a float field a
// decimal fraction rounded once to a float; true when f accepts it.
bool scriptFieldValue(const DeviceField& f, std::string_view w, double& v);
// The line that parses back to cmd (its line number aside).
std::string scriptFormat(const ScriptCommand& cmd);
// The ticks a click or hold lasts when the line gives none: a click stays
// short, a hold lasts until the decoder reports the button's hold.
long long scriptDefaultTicks(ScriptOp op, ScriptButton b);
// Lower-case names used in scripts and messages.
const char* scriptButtonName(ScriptButton b);
const char* scriptPageName(int page);
const char* scriptRequestName(DevOp op);
// A colour's red, green and blue as "0xRRGGBB", as scripts write it.
std::string scriptColourText(uint32_t rgb);
