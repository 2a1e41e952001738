// What must hold for any script text, shared by the fuzzers (tests/fuzz) and
// the regression test over their kept inputs: parsing never crashes, the
// commands that parse are written as lines that parse back to the same
// commands, and a script that parses runs without crashing.
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
           a.y == b.y && a.colour == b.colour && a.width == b.width && a.height == b.height &&
           a.repeat == b.repeat && a.match == b.match && request && clock;
}

// Empty when every property holds, else what broke.
inline std::string check(const uint8_t* data, size_t size, bool run) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Script script = scriptParse(text);
    std::string written;
    for (const ScriptCommand& c : script.commands) written += scriptFormat(c) + "\n";
    const Script again = scriptParse(written);
    if (script.errors.empty() && !again.errors.empty())
        return "written line does not parse: " + again.errors[0].message;
    if (again.commands.size() != script.commands.size())
        return "written lines parse to " + std::to_string(again.commands.size()) + " commands:\n" +
               written;
    for (size_t i = 0; i < script.commands.size(); ++i) {
        if (!sameCommand(again.commands[i], script.commands[i]))
            return "written line parses to another command: " + scriptFormat(script.commands[i]);
    }
    if (run && script.errors.empty()) {
        scriptRun(
            script, [](const ScriptPicture&, std::string&) { return ShotResult::Stored; },
            RUN_TICK_LIMIT);
    }
    return {};
}

}  // namespace fuzzcheck
