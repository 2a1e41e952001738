// The captures that a script's feed lines play: read from files (relative to
// the script's folder) before anything runs, through the feed's own steps.
#pragma once

#include <string>
#include <vector>

#include "script/script.h"

// Fills the capture of every feed line; each problem is added to errors with
// the feed line's number.
void headlessReadCaptures(Script& script, const std::string& folder,
                          std::vector<ScriptError>& errors);
