// The SDL window that shows the window picture: opening with the video driver
// check, integer zoom, presenting only what changed, and an orderly close.
#pragma once

#include "shell/shell.h"

inline constexpr const char* WINDOW_TITLE = "Brelmont QX-70 PC Simulator";

// Opens SDL video and the window with its icon at the given zoom (0: one that
// suits the display, 1 on an ordinary one); on failure prints one line on
// stderr, leaves SDL shut down and returns false.
bool sdlWindowOpen(int zoom);
// Maps the window, which opens hidden so it never shows an unpainted frame.
void sdlWindowShow();
// The zoom in use.
int sdlWindowZoom();
// The largest zoom at which a picture viewWidth wide fits the usable area of
// the window's display.
int sdlWindowLargestZoom(int viewWidth);
// Sizes the window for a picture viewWidth wide at zoom z and repaints it.
void sdlWindowSetLayout(int viewWidth, int z);
// Shows rectangle r of the window picture (clipped to the window).
void sdlWindowPresent(HostRect r);
// Repaints the whole window: the picture at the top-left corner, black beyond.
void sdlWindowPresentAll();
// The title, with a note in brackets after it when note is not empty.
void sdlWindowSetTitleNote(const char* note);
// Destroys the window first, then shuts SDL down.
void sdlWindowClose();
