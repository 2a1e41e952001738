// Page 0: the picture, model name, software version and demo mark shown for
// the first 120 frames, and again (without ending) during standby.
#pragma once

#include <cstdint>

inline constexpr int SPLASH_FRAMES = 120;

// Draws the splash page; 1 on the frame its display time ends, else 0.
int drawSplash(uint32_t* fb);
// Power-on state: the display time starts again.
void splashPowerOnReset();
