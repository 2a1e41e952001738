// Recording a window session as a script for qx70-run: the host time it
// started with, every change of the button levels with its tick, the device
// values and settings changed from the panel, and the screenshots taken, so
// the replay goes through the same frames and takes the same pictures.
#pragma once

#include <string>

#include "desk/panel_model.h"
#include "script/script.h"

// Starts a recording of a session whose host time at tick 0 is start; notes
// are comment lines for its head (where the shots went, how to replay).
void recordStart(const HostDateTime& start, const std::string& notes);
bool recordActive();
// The levels the decoder is about to sample on fast tick tick + 1; changes
// since the last call become press and release lines.
void recordLevels(long long tick, int view, int left, int right);
// A panel change made after tick ticks.
void recordChange(long long tick, const PanelChange& change);
// A picture taken after tick ticks: the screen, or the window at a scale.
void recordShot(long long tick, const std::string& file, bool window, int scale);
// A script line applied after tick ticks (a set, slot or clock line from a
// page's controls); button lines come from the levels instead.
void recordCommand(long long tick, const ScriptCommand& c);
// The session ended after tick ticks: the last wait, and the recording stops.
void recordFinish(long long tick);
// The wait that would end the recording after tick ticks, as a line (empty
// when none is due); the recording goes on.
std::string recordEnding(long long tick);
// Goes on recording a session whose first lines, head, brought the unit to
// tick ticks with these button levels (a script run on the page).
void recordResume(const std::string& head, long long tick, int view, int left, int right);
// The script text recorded since the last call.
std::string recordTake();
