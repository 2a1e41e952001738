// What must hold for any script text, shared by the fuzzers (tests/fuzz) and
// the regression test over their kept inputs: parsing never crashes, every
// command that parses is written as a line that parses back to the same
// command, and a script that parses runs without crashing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "script/run.h"
#include "script/script.h"

namespace fuzzcheck {

// Ticks a fuzzed run may take: past the splash page, yet quick.
inline constexpr long long RUN_TICK_LIMIT = 200;

// Two commands mean the same (their line numbers aside).
inline bool sameCommand(const ScriptCommand& a, const ScriptCommand& b) {
    const bool request = a.request.op == b.request.op && a.args == b.args &&
                         (a.args < 1 || a.request.a == b.request.a) &&
                         (a.args < 2 || a.request.b == b.request.b) &&
                         (a.args < 3 || a.request.x == b.request.x);
    const bool clock = a.clockHasDate == b.clockHasDate && a.clock.year == b.clock.year &&
                       a.clock.month == b.clock.month && a.clock.day == b.clock.day &&
                       a.clock.hour == b.clock.hour && a.clock.minute == b.clock.minute &&
                       a.clock.second == b.clock.second;
    return a.op == b.op && a.button == b.button && a.ticks == b.ticks && a.field == b.field &&
           a.row == b.row && a.col == b.col && a.value == b.value && a.slot == b.slot &&
           a.slotValue == b.slotValue && a.path == b.path && a.window == b.window &&
           a.scale == b.scale && a.page == b.page && a.count == b.count && a.x == b.x &&
           a.y == b.y && a.colour == b.colour && request && clock;
}

// Empty when every property holds, else what broke.
inline std::string check(const uint8_t* data, size_t size, bool run) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Script script = scriptParse(text);
    for (const ScriptCommand& c : script.commands) {
        const std::string line = scriptFormat(c);
        const Script again = scriptParse(line);
        if (!again.errors.empty() || again.commands.size() != 1)
            return "written line does not parse: " + line;
        if (!sameCommand(again.commands[0], c))
            return "written line parses to another command: " + line;
    }
    if (run && script.errors.empty()) {
        scriptRun(
            script, [](const ScriptPicture&, std::string&) { return ShotResult::Stored; },
            RUN_TICK_LIMIT);
    }
    return {};
}

}  // namespace fuzzcheck
