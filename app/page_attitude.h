// Page 6: the artificial horizon with pitch ladder, slip indicator, pitch
// trim and the hidden status letter row.
#pragma once

#include <cstdint>

#include "app/buttons.h"

inline constexpr int ATTITUDE_SLIP_CHANNEL = 32;
inline constexpr float ATTITUDE_SLIP_DIVISOR = 100.0f;

extern int attitudeWidgetsShown;  // the ladder and slip indicator are drawn
extern int attitudeStatusShown;   // the status letter row is drawn

// Program start-up after the first frame: display toggles and slip smoothing.
void initAttitudePage();
// Draws page 6 into the framebuffer.
void attitudeDrawPage(uint32_t* fb);
// Pitch synchronisation and the display toggles; other events unchanged.
ButtonEvent attitudeHandleEvent(ButtonEvent e);
// Power-on state of the page.
void attitudePagePowerOnReset();
