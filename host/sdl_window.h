// The SDL window that shows the canvas: opening with the video driver check,
// presenting only what changed, and an orderly close.
#pragma once

#include "host/shell.h"

inline constexpr const char* WINDOW_TITLE = "Brelmont QX-70 PC Simulator";

// Opens SDL video and the window with its icon; on failure prints one line on
// stderr, leaves SDL shut down and returns false.
bool sdlWindowOpen();
// Maps the window, which opens hidden so it never shows an unpainted frame.
void sdlWindowShow();
// Shows the canvas rectangle r (clipped to the window).
void sdlWindowPresent(HostRect r);
// Repaints the whole window: the canvas at the top-left corner, black beyond.
void sdlWindowPresentAll();
// Destroys the window first, then shuts SDL down.
void sdlWindowClose();
