// The platform-independent host shell: start-up order, frame throttle, frame
// composition onto the bezel canvas, and the fast and slow tick order. The SDL
// window and the headless runner both drive the unit through these calls only.
#pragma once

#include <cstdint>

inline constexpr int BEZEL_WIDTH = 450;
inline constexpr int BEZEL_HEIGHT = 550;
inline constexpr int BEZEL_PIXELS = BEZEL_WIDTH * BEZEL_HEIGHT;
inline constexpr int SCREEN_X = 165;  // where the 128 x 160 screen sits on the bezel
inline constexpr int SCREEN_Y = 107;

// The two platform ticks.
inline constexpr int FAST_TICK_MS = 10;
inline constexpr int SLOW_TICK_MS = 1000;
inline constexpr int FAST_TICKS_PER_SECOND = SLOW_TICK_MS / FAST_TICK_MS;

// Paint requests per composed frame once the first frame is out.
inline constexpr int THROTTLE_PERIOD = 10;

// A rectangle of the canvas; empty when w or h is 0.
struct HostRect {
    int x, y, w, h;
};

// Puts every module back into its program-start state.
void unitPowerOnReset();
// Window creation: paints the bezel artwork and initialises the display application.
bool HostOnCreate();
// One paint request through the frame throttle; true when it composed a frame.
bool HostPaint();
// What follows window creation: the first frame, the attitude start-up, the settings defaults.
void hostStartup();
// Every 10 ms: paint request, filter step, button decoder, then paint requests
// until a frame is composed, so exactly one frame follows the decoder step.
void hostFastTick();
// Every second: clock, timers, run-time counters, device hook.
void hostSlowTick();
// The composed 450 x 550 window picture, rows top first, every pixel opaque.
const uint32_t* hostCanvas();
// The 128 x 160 screen as the window shows it, in place on the canvas: pixel
// (x, y) at [BEZEL_WIDTH * y + x]. Composes the screen only, so a caller that
// never needs the whole window never pays for the bezel artwork.
const uint32_t* hostScreen();
// False once the unit has powered or switched itself off.
bool hostUnitRunning();
// Frames composed since power-on.
long hostFrameCount();
// The smallest rectangle holding every canvas pixel changed since the last
// call (the whole canvas after window creation); the platform presents it.
HostRect hostTakeChanges();
