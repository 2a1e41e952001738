// One script of the headless runner, from its file (or standard input) to its
// verdict: read, parse, check the files it needs, run. The same in the
// runner's own process (one script) and in a child process (many scripts).
#pragma once

#include <string>
#include <vector>

#include "script/run.h"

struct HeadlessJob {
    std::string name;        // the path as given or found in a folder; "<stdin>" for `-`
    bool fromStdin = false;  // then text holds the script
    std::string text;
};

struct HeadlessJobOptions {
    std::string outDir;  // empty: the script's own folder
    std::string compareDir;
};

struct HeadlessResult {
    ScriptStatus status = ScriptStatus::Error;
    double seconds = 0.0;               // real time from reading to the verdict
    std::vector<ScriptError> messages;  // line 0: a message about the whole script
};

// The name a script read from standard input has in messages.
inline constexpr const char* HEADLESS_STDIN_NAME = "<stdin>";

// Reads all of standard input as a script; false with the reason when it
// cannot be read or is longer than a script may be.
bool headlessReadStdin(std::string& text, std::string& why);
// Runs the job from power-on and tells progress about its lines and ticks.
HeadlessResult headlessRunJob(const HeadlessJob& job, const HeadlessJobOptions& options,
                              const ScriptProgress& progress);
// Each message as a line "FILE:LINE: message", or as it is for line 0.
std::string headlessMessageLines(const std::string& name, const std::vector<ScriptError>& messages);
