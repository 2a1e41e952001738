// The page's script runs. The limit is checked before anything runs, from
// the ticks the lines ask for, so a run that would pass it never starts and
// a run that starts ends only at its last line or at an expectation that
// failed, which changes nothing: the lines before it are what brought the
// unit to its state, and they start the recording that follows.
#include "platform/web/script_run.h"

#include "platform/web/session.h"
#include "script/script.h"

// ---- Private helpers ------------------------------------------------------

namespace {

// The page's function that takes a picture: its path, size and RGBA bytes.
extern "C" __attribute__((import_module("env"), import_name("qx70_shot"))) void pageShot(
    const char* path, int pathLength, int width, int height, const uint32_t* rgba);

// The most ticks the lines can take: their durations, and for a button
// line the ticks the runner adds so the decoder sees each change (one before
// a press or release of a change not yet seen, one for a click's release,
// one more when a hold took that tick).
long long ticksAsked(const Script& s) {
    constexpr long long PER_CLICK = 4;
    constexpr long long PER_PRESS = 1;
    long long n = 0;
    for (const ScriptCommand& c : s.commands) {
        switch (c.op) {
            case ScriptOp::Wait: n += c.ticks; break;
            case ScriptOp::Click:
            case ScriptOp::Hold: n += c.ticks + PER_CLICK; break;
            case ScriptOp::Press:
            case ScriptOp::Release: n += PER_PRESS; break;
            default: break;
        }
    }
    return n;
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

}  // namespace

// ---- Public operations ----------------------------------------------------

ScriptOutcome webRunScript(const std::string& text, long long tickLimit, int64_t now) {
    Script script = scriptParse(text);
    const long long asked = ticksAsked(script);
    if (script.errors.empty() && tickLimit > 0 && asked > tickLimit) {
        script.errors.push_back({1, "the script runs up to " + std::to_string(asked) +
                                        " ticks, more than the page's limit of " +
                                        std::to_string(tickLimit)});
    }
    if (!script.errors.empty()) return {ScriptStatus::Error, script.errors, 0};
    webBeforeScript();
    const ScriptOutcome outcome = scriptRun(script, sendPicture);
    const bool stopped = outcome.status != ScriptStatus::Passed && !outcome.messages.empty();
    const int stop = stopped ? outcome.messages.back().line : 0;
    webAfterScript(
        now, outcome.ticks,
        "# Lines of a script run on the page, then what followed.\n" + linesBefore(text, stop));
    return outcome;
}
