// The overlays of the window as the user sees them: the key help, toggled by
// F1, a message box that shows for a few seconds (where a screenshot went,
// or why it could not be written), and a feed's status bar under it.
#pragma once

#include <cstdint>

#include "desk/overlays.h"

inline constexpr int64_t MESSAGE_SHOW_MS = 4000;

// No overlay shown.
void deskUiReset();
void deskUiToggleHelp();
// Takes the help and the message away.
void deskUiCloseOverlays();
// Shows text in the message bar from now for MESSAGE_SHOW_MS.
void deskUiShowMessage(const char* text, int64_t now);
// Shows text in the status bar with its tone; "" hides it. Drawn only when
// text or tone change.
void deskUiSetStatus(const char* text, StatusTone tone);
// The message shown, or "" when none.
const char* deskUiMessage();
// Takes the message away once its time is up; milliseconds until that is
// due, or -1 when no message is shown.
int64_t deskUiExpire(int64_t now);
