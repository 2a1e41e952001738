// Command-line reading of the headless runner.
#include "platform/headless/options.h"

#include <sched.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "script/words.h"

// ---- Private helpers ----------------------------------------------------------

namespace {

bool is(const char* arg, const char* a, const char* b = nullptr) {
    return std::strcmp(arg, a) == 0 || (b != nullptr && std::strcmp(arg, b) == 0);
}

bool parseJobs(const char* text, int& parallel) {
    long long n = 0;
    if (!wordToInteger(text, n) || n < 1 || n > HEADLESS_MAX_JOBS) return false;
    parallel = static_cast<int>(n);
    return true;
}

// Every *.qx70 directly in the folder, hidden ones aside, in byte order of
// their names so the order is the same in every locale.
bool folderScripts(const std::string& dir, std::vector<HeadlessJob>& jobs, std::string& error) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = e.path().filename().string();
        std::error_code typeError;
        if (name[0] != '.' && e.path().extension() == SCRIPT_EXT && e.is_regular_file(typeError))
            names.push_back(name);
    }
    if (ec) {
        error = "qx70-run: cannot read the folder " + dir + ": " + ec.message();
        return false;
    }
    if (names.empty()) {
        error = "qx70-run: no *.qx70 scripts in " + dir;
        return false;
    }
    std::sort(names.begin(), names.end());
    const std::string prefix = dir.back() == '/' ? dir : dir + "/";
    for (const std::string& n : names) jobs.push_back({prefix + n, false, {}});
    return true;
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

// Options may come in any order before the scripts and among them; `--`
// ends them, so a script may be named like one. An option's value follows it
// as the next argument or after "=" (--out=DIR).
bool headlessParseOptions(int argc, char** argv, HeadlessOptions& o, std::string& error) {
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        const size_t equals = name.find('=');
        const bool joined = name.rfind("--", 0) == 0 && equals != std::string::npos;
        std::string joinedValue;
        if (joined && !optionsEnd) {
            joinedValue = name.substr(equals + 1);
            name.resize(equals);
            value = joinedValue.c_str();
        }
        const char* a = name.c_str();
        const bool takesValue =
            is(a, "--out") || is(a, "--compare") || is(a, "--jobs", "-j") || is(a, "--junit");
        if (optionsEnd || a[0] != '-' || std::strcmp(a, "-") == 0) {
            o.scripts.push_back(argv[i]);
            continue;
        }
        if (joined && !takesValue) {
            error = std::string("qx70-run: ") + a + " takes no value";
            return false;
        }
        if (takesValue && value == nullptr) {
            error = std::string("qx70-run: ") + a + " needs a value";
            return false;
        }
        if (takesValue && !joined) ++i;
        if (is(a, "--")) {
            optionsEnd = true;
        } else if (is(a, "--out")) {
            o.job.outDir = value;
        } else if (is(a, "--compare")) {
            o.job.compareDir = value;
        } else if (is(a, "--junit")) {
            o.junit = value;
        } else if (is(a, "--jobs", "-j")) {
            if (!parseJobs(value, o.parallel)) {
                error = "qx70-run: --jobs takes a number from 1 to " +
                        std::to_string(HEADLESS_MAX_JOBS);
                return false;
            }
        } else if (is(a, "--quiet", "-q")) {
            o.quiet = true;
        } else if (is(a, "--verbose", "-v")) {
            o.verbose = true;
        } else if (is(a, "--fields")) {
            o.fields = true;
        } else if (is(a, "--help", "-h")) {
            o.help = true;
        } else if (is(a, "--version")) {
            o.version = true;
        } else {
            error = std::string("qx70-run: unknown option ") + a;
            return false;
        }
    }
    if (o.quiet && o.verbose) {
        error = "qx70-run: --quiet and -v cannot be used together";
        return false;
    }
    if (o.scripts.empty() && !o.fields && !o.help && !o.version) {
        error = "qx70-run: no script given";
        return false;
    }
    return true;
}

// Files as given (a missing one fails when it runs, with the others run);
// folders opened; `-` once.
bool headlessListJobs(const HeadlessOptions& o, std::vector<HeadlessJob>& jobs,
                      std::string& error) {
    bool stdinTaken = false;
    for (const std::string& s : o.scripts) {
        std::error_code ec;
        if (s == "-") {
            if (stdinTaken) {
                error = "qx70-run: - (standard input) can be given only once";
                return false;
            }
            stdinTaken = true;
            HeadlessJob job{HEADLESS_STDIN_NAME, true, {}};
            std::string why;
            if (!headlessReadStdin(job.text, why)) {
                error = "qx70-run: cannot read standard input: " + why;
                return false;
            }
            jobs.push_back(std::move(job));
        } else if (std::filesystem::is_directory(s, ec)) {
            if (!folderScripts(s, jobs, error)) return false;
        } else {
            jobs.push_back({s, false, {}});
        }
    }
    return true;
}

// Honours a restricted CPU set (containers, taskset), as nproc does.
int headlessProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
    return 1;
}
