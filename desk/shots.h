// Screenshots of the window (F12): the unit's screen at 1:1 and the whole
// window picture at the zoom in use, with names from the time they were taken.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The screen as the window shows it: FB_WIDTH x FB_HEIGHT, rows top first, opaque.
std::vector<uint32_t> shotScreen();
// The window picture (bezel, and the panel while shown, without overlays)
// scaled by zoom; its size goes to *width and *height.
std::vector<uint32_t> shotWindow(int zoom, int* width, int* height);
// "qx70-YYYYMMDD-HHMMSS", and "-N" after it for the N-th shot (N > 1) of
// the same second.
std::string shotBaseName(int year, int month, int day, int hour, int minute, int second, int n);
