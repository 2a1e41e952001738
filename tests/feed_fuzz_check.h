// What must hold for any datagram and any capture text, shared by the feed
// fuzzer (tests/fuzz) and the regression test over its kept inputs: parsing
// never crashes, every datagram is counted, every accepted value is finite,
// inside its field and given once, and every line the feed makes of it is a
// script line that parses back to itself (so a recording replays).
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "desk/feed.h"
#include "script/script.h"
#include "tests/script_fuzz_check.h"

namespace feedcheck {

inline std::string checkSet(const FeedDataSet& set) {
    for (int i = 0; i < set.count; ++i) {
        const FeedValue& v = set.values[i];
        if (v.field == nullptr || !deviceFieldHasElement(*v.field, v.row, v.col))
            return "a value without its field";
        if (!std::isfinite(v.value) || !deviceFieldAccepts(*v.field, v.value))
            return std::string("a value the field refuses: ") + v.field->name;
        for (int j = 0; j < i; ++j) {
            const FeedValue& w = set.values[j];
            if (w.field == v.field && w.row == v.row && w.col == v.col)
                return std::string("an element given twice: ") + v.field->name;
        }
    }
    return {};
}

inline std::string checkLines(const std::vector<ScriptCommand>& lines) {
    for (const ScriptCommand& c : lines) {
        const std::string line = scriptFormat(c);
        const Script again = scriptParse(line);
        if (!again.errors.empty() || again.commands.size() != 1 ||
            !fuzzcheck::sameCommand(again.commands[0], c))
            return "a line that does not parse back: " + line;
    }
    return {};
}

// Empty when every property holds, else what broke.
inline std::string check(const uint8_t* data, size_t size) {
    FeedDataSet set;
    const FeedParsed p = feedParseDatagram(data, size, &set);
    if (p.accepted + p.dropped < 1) return "a datagram counted as nothing";
    if ((p.dropped > 0) != (p.reject != FeedReject::None)) return "a drop without its reason";
    std::string broken = checkSet(set);
    if (!broken.empty()) return broken;
    FeedState feed;
    feedReset(feed, "fuzz");
    std::vector<ScriptCommand> lines;
    for (long long tick : {0LL, 1LL, 200LL}) {
        if (tick < 200) feedReceive(feed, data, size);
        feedStep(feed, tick, lines);
        broken = checkLines(lines);
        if (!broken.empty()) return broken;
    }
    std::vector<ScriptTimedCommand> timed;
    std::vector<ScriptError> errors;
    feedCaptureRead(std::string_view(reinterpret_cast<const char*>(data), size), timed, errors);
    for (size_t i = 0; i < timed.size(); ++i) {
        if (i > 0 && timed[i].tick < timed[i - 1].tick) return "capture lines out of order";
        broken = checkLines({timed[i].command});
        if (!broken.empty()) return broken;
    }
    return {};
}

}  // namespace feedcheck
