// A script's run in the headless runner.
#include "platform/headless/job.h"

#include <chrono>
#include <cstdio>

#include "platform/files/read_file.h"
#include "platform/headless/output.h"
#include "script/script.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr size_t MAX_SCRIPT_BYTES = 4 * 1024 * 1024;

// ---- Private helpers ----------------------------------------------------------

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

bool headlessReadStdin(std::string& text, std::string& why) {
    return readBoundedStream(stdin, MAX_SCRIPT_BYTES, &text, &why);
}

// Reading, parsing, the checks of every file the run needs, then the run;
// a script that fails before the run is an error and nothing runs.
HeadlessResult headlessRunJob(const HeadlessJob& job, const HeadlessJobOptions& options,
                              const ScriptProgress& progress) {
    const auto start = std::chrono::steady_clock::now();
    std::string text = job.text;
    HeadlessResult r;
    std::string why;
    if (!job.fromStdin && !readBoundedFile(job.name, MAX_SCRIPT_BYTES, &text, &why)) {
        r.messages.push_back({0, "qx70-run: cannot read " + job.name + ": " + why});
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
