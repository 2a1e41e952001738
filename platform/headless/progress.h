// The one line of progress a long run shows on standard error: the script,
// its line, the virtual time reached and the speed as a multiple of real
// time, redrawn a few times a second and cleared at the end. Only when
// standard error is a terminal, and only once the run has taken a while.
#pragma once

#include <string>

// Where the runs stand. With many scripts, done of total are finished and
// the script shown is the first still running.
struct ProgressView {
    const std::string* script;
    int line;
    long long ticks;  // virtual fast ticks the script has run
    double seconds;   // real time the script has run
    int done = 0;
    int total = 1;
};

// Decides whether a line is shown at all (wanted, and standard error is a
// terminal) and starts the clock for the delay before the first one.
void progressStart(bool wanted);
// Redraws the line when it is due; does nothing when it is not shown.
void progressUpdate(const ProgressView& view);
// Erases the line, before other output and at the end.
void progressClear();
// A child process draws nothing, leaves the parent's line alone and keeps
// the signal handlers that were there before the line's.
void progressDetach();
