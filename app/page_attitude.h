// Page 6: the artificial horizon with pitch ladder, slip indicator, pitch
// trim and the hidden status letter row.
#pragma once

#include <cstdint>

#include "app/buttons.h"

inline constexpr int ATTITUDE_SLIP_CHANNEL = 32;
inline constexpr float ATTITUDE_SLIP_DIVISOR = 100.0f;

// The page's state; only page_attitude.cpp writes it.
struct AttitudePageState {
    int widgetsShown = 0;     // the ladder and slip indicator are drawn
    int statusShown = 0;      // the status letter row is drawn
    float pitchTrim = 0.0f;   // degrees, reloaded from slot 8 every frame
    float bankAngle = 0.0f;   // radians, the last drawn
    float pitchAngle = 0.0f;  // radians, the last drawn
    float slipValue = 0.0f;   // the ball moves 6 pixels per unit
};
inline AttitudePageState attitudePage;

// Program start-up after the first frame: display toggles and slip smoothing.
void initAttitudePage();
// Draws page 6 into the framebuffer.
void attitudeDrawPage(uint32_t* fb);
// Pitch synchronisation and the display toggles; other events unchanged.
ButtonEvent attitudeHandleEvent(ButtonEvent e);
// Power-on state of the page.
void attitudePagePowerOnReset();
