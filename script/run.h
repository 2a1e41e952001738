// The script interpreter: runs a parsed script against the whole unit through
// the host shell, on a virtual clock (a fast tick every 10 ms, a slow tick
// every 100 fast ticks), with no window and no real waiting. Platform-
// independent: what happens to a picture is up to the caller's sink.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "script/script.h"

// A picture taken by a shot line: top-down 0xFFRRGGBB pixels, scaled.
struct ScriptPicture {
    const ScriptCommand* command;
    int width;
    int height;
    std::vector<uint32_t> pixels;
};

// What became of a picture: written, found different from a reference (the
// run goes on and fails at the end), or not stored at all (the run stops).
enum class ShotResult : uint8_t { Stored, Differs, Failed };

// Stores or checks one picture; fills message when the result is not Stored.
using ScriptShotSink = std::function<ShotResult(const ScriptPicture&, std::string& message)>;

enum class ScriptStatus : int {
    Passed = 0,
    Failed = 1,  // an expectation did not hold or a picture differs
    Error = 2,   // the script is not valid or a picture could not be stored
};

struct ScriptOutcome {
    ScriptStatus status;
    std::vector<ScriptError> messages;  // what failed, each with its line
    long long ticks;                    // virtual fast ticks the run took
};

// Runs a script that parsed without errors from power-on; tickLimit > 0 stops
// a run that would go further (an error), so fuzzing stays quick.
ScriptOutcome scriptRun(const Script& script, const ScriptShotSink& sink, long long tickLimit = 0);
// The host time the last run reached: its last clock line plus its ticks since.
ClockTime scriptHostTime();
