// `qx70-run --fields`: the device fields that set lines take, listed from the
// table the window's panel uses.
#pragma once

#include <cstdio>

// One field a line: its name with index ranges, kind, accepted values and
// meaning (with the unit).
void headlessPrintFields(std::FILE* out);
