// Scripts run on the page: checked as qx70-run checks them, run from
// power-on on the virtual clock, their pictures handed to the page; the
// unit then goes on from where the script left it.
#pragma once

#include <cstdint>
#include <string>

#include "script/run.h"

// Runs text at page time now; tickLimit 0 for no limit. With errors (a
// script too long for the limit among them) nothing runs and the unit is
// left as it was. Each picture goes to the page as it is taken.
ScriptOutcome webRunScript(const std::string& text, long long tickLimit, int64_t now);
