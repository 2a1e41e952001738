// qx70-run: runs a script against the unit with no window, on a virtual
// clock, and writes (or compares) the pictures it takes.
//
//   qx70-run [--out DIR] [--compare DIR] SCRIPT
//   qx70-run --help | --version
//
// Exit status: 0 passed, 1 an expectation failed or a picture differs from
// its reference, 2 the script or the command line is wrong or a picture
// could not be written (nothing runs when the script has an error).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/files/whole_file.h"
#include "platform/headless/output.h"
#include "qx70_version.h"
#include "script/run.h"
#include "script/script.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int EXIT_USAGE = 2;
constexpr std::streamsize MAX_SCRIPT_BYTES = 4 * 1024 * 1024;
constexpr const char* VERSION_LINE = "qx70-run " QX70_VERSION_TEXT "\n";

constexpr const char* USAGE =
    "usage: qx70-run [--out DIR] [--compare DIR] SCRIPT\n"
    "  runs SCRIPT from power-on with no window (see docs/scripting.md)\n"
    "  --out DIR      relative shot paths are written under DIR (default: the script's folder)\n"
    "  --compare DIR  compare each shot with the picture of the same path under DIR instead of\n"
    "                 writing it; a differing one is written to the output folder as "
    "NAME_err.png\n"
    "  --version      print the version and exit\n";

// ---- Types --------------------------------------------------------------------

struct Options {
    const char* script = nullptr;
    HeadlessOutput out;
    bool outGiven = false;
};

// ---- Private helpers ----------------------------------------------------------

bool parseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--out") == 0 && hasValue) {
            o.out.outDir = argv[++i];
            o.outGiven = true;
        } else if (std::strcmp(argv[i], "--compare") == 0 && hasValue) {
            o.out.compareDir = argv[++i];
        } else if (argv[i][0] != '-' && o.script == nullptr) {
            o.script = argv[i];
        } else {
            return false;
        }
    }
    return o.script != nullptr;
}

// A regular file of at most MAX_SCRIPT_BYTES; a folder opens as a stream too,
// so it is refused by its type.
bool readScript(const char* path, std::string& text) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return !in.bad() && static_cast<std::streamsize>(text.size()) <= MAX_SCRIPT_BYTES;
}

void report(const char* script, const std::vector<ScriptError>& messages) {
    for (const ScriptError& e : messages)
        std::fprintf(stderr, "%s:%d: %s\n", script, e.line, e.message.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    wholeFileCleanUpOnSignals();
    Options o;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(VERSION_LINE, stdout);
        std::fputs(USAGE, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs(VERSION_LINE, stdout);
        return 0;
    }
    if (!parseArgs(argc, argv, o)) {
        std::fputs(USAGE, stderr);
        return EXIT_USAGE;
    }
    std::string text;
    if (!readScript(o.script, text)) {
        std::fprintf(stderr, "qx70-run: cannot read %s (a script of at most 4 MiB)\n", o.script);
        return EXIT_USAGE;
    }
    if (!o.outGiven) o.out.outDir = headlessFolderOf(o.script);
    Script script = scriptParse(text);
    if (script.errors.empty()) headlessCheckOutput(script, o.out, script.errors);
    if (!script.errors.empty()) {
        report(o.script, script.errors);
        return EXIT_USAGE;
    }
    const ScriptOutcome outcome = scriptRun(script, headlessShotSink(o.out));
    report(o.script, outcome.messages);
    return static_cast<int>(outcome.status);
}
