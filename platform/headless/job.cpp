// A script's run in the headless runner.
#include "platform/headless/job.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/headless/output.h"
#include "script/script.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr std::streamsize MAX_SCRIPT_BYTES = 4 * 1024 * 1024;

// ---- Private helpers ----------------------------------------------------------

// A regular file of at most MAX_SCRIPT_BYTES; a folder opens as a stream too,
// so it is refused by its type.
bool readScript(const std::string& path, std::string& text) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return !in.bad() && static_cast<std::streamsize>(text.size()) <= MAX_SCRIPT_BYTES;
}

HeadlessResult verdict(const Script& script, HeadlessOutput& out, const ScriptProgress& progress) {
    HeadlessResult r;
    r.messages = script.errors;
    if (r.messages.empty()) headlessCheckOutput(script, out, r.messages);
    if (!r.messages.empty()) return r;
    const ScriptOutcome outcome = scriptRun(script, headlessShotSink(out), 0, progress);
    r.status = outcome.status;
    r.messages = outcome.messages;
    return r;
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

// Reads one byte past the limit to tell a long script from one just at it.
bool headlessReadStdin(std::string& text) {
    std::vector<char> buffer(static_cast<size_t>(MAX_SCRIPT_BYTES) + 1);
    const size_t n = std::fread(buffer.data(), 1, buffer.size(), stdin);
    if (std::ferror(stdin) != 0 || n > static_cast<size_t>(MAX_SCRIPT_BYTES)) return false;
    text.assign(buffer.data(), n);
    return true;
}

// Reading, parsing, the checks of every file the run needs, then the run;
// a script that fails before the run is an error and nothing runs.
HeadlessResult headlessRunJob(const HeadlessJob& job, const HeadlessJobOptions& options,
                              const ScriptProgress& progress) {
    const auto start = std::chrono::steady_clock::now();
    std::string text = job.text;
    HeadlessResult r;
    if (!job.fromStdin && !readScript(job.name, text)) {
        r.messages.push_back(
            {0, "qx70-run: cannot read " + job.name + " (a script of at most 4 MiB)"});
    } else {
        const std::string folder = job.fromStdin ? "." : headlessFolderOf(job.name);
        HeadlessOutput out;
        out.outDir = options.outDir.empty() ? folder : options.outDir;
        out.compareDir = options.compareDir;
        out.refDir = folder;
        r = verdict(scriptParse(text), out, progress);
    }
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return r;
}

// Messages in the form editors and CI logs link to their lines.
std::string headlessMessageLines(const std::string& name,
                                 const std::vector<ScriptError>& messages) {
    std::string s;
    for (const ScriptError& e : messages) {
        s += e.line > 0 ? name + ":" + std::to_string(e.line) + ": " + e.message : e.message;
        s += '\n';
    }
    return s;
}
