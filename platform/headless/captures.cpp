// Capture files are read whole; a capture's own line numbers go into the
// message, which is reported at the feed line.
#include "platform/headless/captures.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "desk/feed.h"
#include "platform/headless/output.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr std::streamsize MAX_CAPTURE_BYTES = 64 * 1024 * 1024;

// ---- Private helpers ----------------------------------------------------------

bool readWhole(const std::string& path, std::string& text) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return !in.bad() && static_cast<std::streamsize>(text.size()) <= MAX_CAPTURE_BYTES;
}

}  // namespace

// ---- Public operations --------------------------------------------------------

void headlessReadCaptures(Script& script, const std::string& folder,
                          std::vector<ScriptError>& errors) {
    for (ScriptCommand& c : script.commands) {
        if (c.op != ScriptOp::Feed) continue;
        const std::string path = headlessResolve(folder, c.path);
        std::string text;
        if (!readWhole(path, text)) {
            errors.push_back({c.line, "feed: cannot read " + path + " (a file of at most 64 MiB)"});
            continue;
        }
        std::vector<ScriptError> problems;
        if (feedCaptureRead(text, c.capture, problems)) continue;
        for (const ScriptError& e : problems) {
            errors.push_back(
                {c.line, "feed: " + c.path + " line " + std::to_string(e.line) + ": " + e.message});
        }
    }
}
