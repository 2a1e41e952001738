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

inline constexpr long long SCRIPT_LINES_PER_LIMIT = 10;

// A picture taken by a shot or an expect screen line: top-down 0xFFRRGGBB
// pixels, scaled (a shot) or cut to the line's region (expect screen).
struct ScriptPicture {
    const ScriptCommand* command;
    int width;
    int height;
    std::vector<uint32_t> pixels;
};

// What became of a picture: written or equal to its reference; found
// different from its reference (after a shot the run goes on and fails at
// the end, an expect screen line stops it); or not stored at all (the run
// stops).
enum class ShotResult : uint8_t { Stored, Differs, Failed };

// Stores a shot's picture, or checks it or an expect screen line's picture
// against a reference; fills message when the result is not Stored.
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

// Applies a set or slot line to the unit as a run does; other lines do nothing.
void scriptApplyWrite(const ScriptCommand& c);
// The host time a clock line sets: one without a date keeps the date of present.
HostDateTime scriptClockLineTime(const ScriptCommand& c, const ClockTime& present);
// Where a run stands, for a progress display: the line being run and the
// virtual ticks so far. Told at every line and every virtual second.
using ScriptProgress = std::function<void(int line, long long ticks)>;

// Runs a script that parsed without errors from power-on; tickLimit > 0 stops
// a run that would go further, or would run more than SCRIPT_LINES_PER_LIMIT
// lines per tick of the limit (an error), so fuzzing stays quick.
ScriptOutcome scriptRun(const Script& script, const ScriptShotSink& sink, long long tickLimit = 0,
                        const ScriptProgress& progress = {});
// The host time the last run reached: its last clock line plus its ticks since.
ClockTime scriptHostTime();
