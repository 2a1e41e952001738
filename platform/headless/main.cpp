// qx70-run: runs scripts against the unit with no window, on a virtual
// clock, and writes (or compares) the pictures they take. One script runs in
// this process; many run each in a child process, side by side, with one
// line per script and a summary.
//
//   qx70-run [options] SCRIPT...
//   qx70-run --help | --version | --fields
//
// Exit status: 0 all passed, 1 an expectation failed or a picture differs
// from its reference, 2 a script or the command line is wrong or a file
// could not be written (nothing runs when a script has an error).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/files/whole_file.h"
#include "platform/headless/fields.h"
#include "platform/headless/job.h"
#include "platform/headless/junit.h"
#include "platform/headless/options.h"
#include "platform/headless/output.h"
#include "platform/headless/progress.h"
#include "platform/headless/suite.h"
#include "qx70_version.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int EXIT_USAGE = 2;
constexpr const char* VERSION_LINE = "qx70-run " QX70_VERSION_TEXT "\n";

constexpr const char* USAGE =
    "usage: qx70-run [options] SCRIPT...\n"
    "  runs each SCRIPT from power-on with no window (see docs/scripting.md); a folder\n"
    "  runs every *.qx70 inside in name order, and - reads a script from standard input;\n"
    "  a value may also follow its option after = (--out=DIR), and -- ends the options\n"
    "  --out DIR       relative shot paths are written under DIR (default: the script's folder)\n"
    "  --compare DIR   compare each shot with the picture of the same path under DIR instead\n"
    "                  of writing it; a differing one is written to the output folder as\n"
    "                  NAME_err.png, with NAME_diff.png marking the differences\n"
    "  -j, --jobs N    run N scripts side by side (default: one per processor)\n"
    "  --junit FILE    write a JUnit XML report of the scripts to FILE\n"
    "  -q, --quiet     print only what failed\n"
    "  -v, --verbose   print each script's result and a summary, even for one script\n"
    "  --fields        list the device fields that set takes\n"
    "  -h, --help      print the version and this text\n"
    "  --version       print the version\n"
    "exit status: 0 all passed, 1 an expect line failed or a picture differs,\n"
    "             2 a script or the command line is wrong, or a file could not be written\n";

// ---- Private helpers ----------------------------------------------------------

const char* statusWord(ScriptStatus s) {
    return s == ScriptStatus::Passed ? "PASS" : s == ScriptStatus::Failed ? "FAIL" : "ERROR";
}

// One script's line, then its messages; a passing script only when not quiet.
void printResult(const HeadlessJob& job, const HeadlessResult& r, bool quiet) {
    if (r.status == ScriptStatus::Passed && quiet) return;
    progressClear();
    if (r.status == ScriptStatus::Passed) {
        std::printf("PASS %s %.2f s\n", job.name.c_str(), r.seconds);
    } else {
        std::printf("%s %s\n%s", statusWord(r.status), job.name.c_str(),
                    headlessMessageLines(job.name, r.messages).c_str());
    }
    std::fflush(stdout);
}

// The worst status: an error over a failure over a pass.
int exitStatus(const std::vector<HeadlessResult>& results) {
    int status = 0;
    for (const HeadlessResult& r : results) status = std::max(status, static_cast<int>(r.status));
    return status;
}

void printSummary(const std::vector<HeadlessResult>& results) {
    int passed = 0, errors = 0;
    for (const HeadlessResult& r : results) {
        passed += r.status == ScriptStatus::Passed;
        errors += r.status == ScriptStatus::Error;
    }
    const int failed = static_cast<int>(results.size()) - passed;
    std::printf("%d passed, %d failed", passed, failed);
    if (errors > 0) std::printf(" (%d could not run)", errors);
    std::printf("\n");
}

// One script in this process, its messages on standard error as before.
std::vector<HeadlessResult> runOne(const HeadlessOptions& o, const HeadlessJob& job) {
    const auto start = std::chrono::steady_clock::now();
    const ScriptProgress progress = [&](int line, long long ticks) {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        progressUpdate({&job.name, line, ticks, seconds});
    };
    std::vector<HeadlessResult> results{headlessRunJob(job, o.job, progress)};
    progressClear();
    std::fputs(headlessMessageLines(job.name, results[0].messages).c_str(), stderr);
    return results;
}

std::vector<HeadlessResult> runMany(const HeadlessOptions& o,
                                    const std::vector<HeadlessJob>& jobs) {
    const int parallel = o.parallel > 0 ? o.parallel : headlessProcessors();
    std::vector<HeadlessResult> results = headlessRunSuite(
        jobs, o.job, parallel,
        [&](size_t i, const HeadlessResult& r) { printResult(jobs[i], r, o.quiet); });
    progressClear();
    if (!o.quiet) printSummary(results);
    return results;
}

}  // namespace

int main(int argc, char** argv) {
    wholeFileCleanUpOnSignals();
    HeadlessOptions o;
    std::string error;
    if (!headlessParseOptions(argc, argv, o, error)) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), USAGE);
        return EXIT_USAGE;
    }
    if (o.help || o.version) {
        std::fputs(VERSION_LINE, stdout);
        if (o.help) std::fputs(USAGE, stdout);
        return 0;
    }
    if (o.fields) {
        headlessPrintFields(stdout);
        return 0;
    }
    std::vector<HeadlessJob> jobs;
    const std::string junitProblem = o.junit.empty() ? "" : headlessWriteProblem(o.junit);
    if (!junitProblem.empty()) error = "qx70-run: cannot write " + o.junit + ": " + junitProblem;
    if (!error.empty() || !headlessListJobs(o, jobs, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return EXIT_USAGE;
    }
    progressStart(!o.quiet);
    const std::vector<HeadlessResult> results =
        jobs.size() == 1 && !o.verbose ? runOne(o, jobs[0]) : runMany(o, jobs);
    if (!o.junit.empty() && !wholeFileWrite(o.junit, junitReport(jobs, results), &error)) {
        std::fprintf(stderr, "qx70-run: the report: %s\n", error.c_str());
        return EXIT_USAGE;
    }
    return exitStatus(results);
}
