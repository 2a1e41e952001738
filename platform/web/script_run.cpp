// The page's script runs. The limit is checked before anything runs, from
// the ticks the lines ask for, so a run that would pass it never starts and
// a run that starts ends only at its last line or at an expectation that
// failed, which changes nothing: the lines before it are what brought the
// unit to its state, and they start the recording that follows.
#include "platform/web/script_run.h"

#include <vector>

#include "platform/web/session.h"
#include "script/script.h"

// ---- Private helpers ------------------------------------------------------

namespace {

// The page's function that takes a picture: its path, size and RGBA bytes.
extern "C" __attribute__((import_module("env"), import_name("qx70_shot"))) void pageShot(
    const char* path, int pathLength, int width, int height, const uint32_t* rgba);

// The most ticks and lines a run can take: each line's ticks (its duration,
// and for a button line the ticks the runner adds so the decoder sees each
// change: one before a press or release of a change not yet seen, one for a
// click's release, one more when a hold took that tick) and the line itself,
// times the passes of the repeats around it. Counted in double, as nested
// repeats can pass any integer.
struct Cost {
    double ticks = 0.0;
    double lines = 0.0;
};

Cost costOf(const Script& s) {
    constexpr double PER_CLICK = 4.0;
    constexpr double PER_PRESS = 1.0;
    Cost cost;
    std::vector<double> passes = {1.0};
    for (const ScriptCommand& c : s.commands) {
        const double n = passes.back();
        cost.lines += n;
        switch (c.op) {
            case ScriptOp::Wait: cost.ticks += n * static_cast<double>(c.ticks); break;
            case ScriptOp::Click:
            case ScriptOp::Hold:
                cost.ticks += n * (static_cast<double>(c.ticks) + PER_CLICK);
                break;
            case ScriptOp::Press:
            case ScriptOp::Release: cost.ticks += n * PER_PRESS; break;
            case ScriptOp::Repeat: passes.push_back(n * c.repeat); break;
            case ScriptOp::End:
                if (passes.size() > 1) passes.pop_back();
                break;
            default: break;
        }
    }
    return cost;
}

// What keeps a script from running on the page: a run longer than the
// limit, a comparison with reference pictures, which the page has not, or a
// feed capture, which it cannot read.
void refuse(Script& script, long long tickLimit) {
    for (const ScriptCommand& c : script.commands) {
        if (c.op == ScriptOp::ExpectScreen)
            script.errors.push_back({c.line,
                                     "expect screen: the page has no reference pictures; "
                                     "qx70-run compares them"});
        if (c.op == ScriptOp::Feed)
            script.errors.push_back(
                {c.line, "feed: the page reads no capture files; qx70-run plays them"});
    }
    const Cost cost = costOf(script);
    const double lineLimit = static_cast<double>(tickLimit) * SCRIPT_LINES_PER_LIMIT;
    if (tickLimit > 0 && (cost.ticks > static_cast<double>(tickLimit) || cost.lines > lineLimit)) {
        script.errors.push_back(
            {1, "the run would pass the page's limit of " + std::to_string(tickLimit) +
                    " ticks and " + std::to_string(tickLimit * SCRIPT_LINES_PER_LIMIT) + " lines"});
    }
}

ShotResult sendPicture(const ScriptPicture& p, std::string&) {
    std::vector<uint32_t> rgba(p.pixels.size());
    webToRgba(p.pixels.data(), rgba.data(), rgba.size());
    const std::string& path = p.command->path;
    pageShot(path.data(), static_cast<int>(path.size()), p.width, p.height, rgba.data());
    return ShotResult::Stored;
}

// The lines of text before line `stop` (all of them for 0), ending in a newline.
std::string linesBefore(const std::string& text, int stop) {
    size_t end = stop > 0 ? 0 : text.size();
    for (int line = 1; line < stop; ++line) {
        const size_t newline = text.find('\n', end);
        if (newline == std::string::npos) {
            end = text.size();
            break;
        }
        end = newline + 1;
    }
    std::string head = text.substr(0, end);
    if (!head.empty() && head.back() != '\n') head += '\n';
    return head;
}

// The lines that brought the unit where a run left it: the whole script,
// or the lines before the one it stopped at. A stop inside a repeat cannot
// be cut that way (the passes before it would be lost): the recording then
// says so and starts after the run.
std::string recordingHead(const Script& script, const std::string& text, int stop) {
    int open = 0;
    for (const ScriptCommand& c : script.commands) {
        if (stop == 0 || c.line >= stop) break;
        open += c.op == ScriptOp::Repeat ? 1 : c.op == ScriptOp::End ? -1 : 0;
    }
    if (open > 0) {
        return "# A script run on the page stopped inside a repeat on line " +
               std::to_string(stop) +
               ";\n# this recording starts after it, so it does not replay the same pictures.\n";
    }
    return "# Lines of a script run on the page, then what followed.\n" + linesBefore(text, stop);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

ScriptOutcome webRunScript(const std::string& text, long long tickLimit, int64_t now) {
    Script script = scriptParse(text);
    if (script.errors.empty()) refuse(script, tickLimit);
    if (!script.errors.empty()) return {ScriptStatus::Error, script.errors, 0};
    webBeforeScript();
    // The runner keeps to the limit too, should the count above fall short.
    const ScriptOutcome outcome = scriptRun(script, sendPicture, tickLimit);
    const bool stopped = outcome.status != ScriptStatus::Passed && !outcome.messages.empty();
    const int stop = stopped ? outcome.messages.back().line : 0;
    webAfterScript(now, outcome.ticks, recordingHead(script, text, stop));
    return outcome;
}
