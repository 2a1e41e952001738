// Capture files are read whole; a capture's own line numbers go into the
// message, which is reported at the feed line.
#include "platform/headless/captures.h"

#include "desk/feed.h"
#include "platform/files/read_file.h"
#include "platform/headless/output.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr size_t MAX_CAPTURE_BYTES = 64 * 1024 * 1024;

}  // namespace

// ---- Public operations --------------------------------------------------------

void headlessReadCaptures(Script& script, const std::string& folder,
                          std::vector<ScriptError>& errors) {
    for (ScriptCommand& c : script.commands) {
        if (c.op != ScriptOp::Feed) continue;
        const std::string path = headlessResolve(folder, c.path);
        std::string text, why;
        if (!readBoundedFile(path, MAX_CAPTURE_BYTES, &text, &why)) {
            errors.push_back({c.line, "feed: cannot read " + path + ": " + why});
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
