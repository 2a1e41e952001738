// Page 5: load factor and angle of attack in four views; also the fractions
// against the limits and the angle-of-attack ladder other pages draw.
#pragma once

#include <cstdint>

#include "app/buttons.h"

enum AoaLadderLayout : int {
    AOA_LADDER_ATTITUDE = 0,
    AOA_LADDER_DATA = 1,
};

enum GmeterView : int {
    GMETER_VIEW_TAPES = 0,
    GMETER_VIEW_AOA_CHEVRONS = 1,
    GMETER_VIEW_G_CHEVRONS = 2,
    GMETER_VIEW_G_DIGITS = 3,
};

inline constexpr int GMETER_VIEWS = 4;
inline constexpr int GMETER_G_CHANNEL = 33;
inline constexpr int GMETER_AOA_SCALE_CHANNEL = 34;
inline constexpr float GMETER_G_DIVISOR = 10.0f;
inline constexpr float GMETER_AOA_SCALE_DIVISOR = 500.0f;

// The page's state; only the G-meter's files write it.
struct GmeterState {
    int view = GMETER_VIEW_TAPES;  // a GmeterView
    int blinkPhase = 0;            // 0 to 20, shared with the ladder; blinking items show above 10
    float demoAoaAccumulator = 0.0f;  // of the demo angle of attack's smoother
};
inline GmeterState gmeter;

// Window creation: the view from slot 11, smoothing channels 33 and 34 configured.
void gmeterInit();
// Draws page 5 in the current view.
void gmeterDrawPage(uint32_t* fb);
// View cycling and the extremes reset; other events unchanged.
ButtonEvent gmeterHandleEvent(ButtonEvent e);
// Sets the view without storing it (the alert pop-ups).
void gmeterSetView(int view);
// Angle of attack against the cruise and pre-stall angles, in [-1, 1].
float aoaFraction(float aoa);
// Load factor against the positive or negative G limit, in [-1, 1].
float gloadFraction(float g);
// The small angle-of-attack bar indicator in one of its two layouts.
void drawAoaLadder(uint32_t* fb, AoaLadderLayout layout);
// Power-on state of the page.
void gmeterPowerOnReset();
