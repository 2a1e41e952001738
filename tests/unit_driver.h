// Drives the unit as a user does: power on, bezel clicks at their window
// positions, fast ticks and seconds, and reads the screen back from the
// composed window picture. The tests and the benchmarks start the unit here.
//
// A click goes through the bezel either way; its ticks run the whole unit
// (filter, decoder, a composed frame) or, for tests that arrange what a frame
// would change, the button decoder alone.
#pragma once

#include <cstdint>

#include "app/buttons.h"
#include "app/splash.h"
#include "shell/bezel.h"
#include "shell/shell.h"

namespace unit {

enum class Button { View, Left, Right, Both };

// What one tick of a click runs.
enum class Drive { Unit, DecoderOnly };

// Ticks below the 60-tick hold time: a short click.
inline constexpr int CLICK_TICKS = 5;

// Program start: every module reset, window created, first frame, defaults.
inline void powerOn() {
    unitPowerOnReset();
    HostOnCreate();
    hostStartup();
}

inline void ticks(int n) {
    for (int i = 0; i < n; ++i) hostFastTick();
}

inline void seconds(int n) {
    for (int i = 0; i < n; ++i) hostSlowTick();
}

// The middle of the button's click area, in window coordinates.
inline void centre(Button b, int& x, int& y) {
    const BezelArea& a = b == Button::View    ? VIEW_BUTTON_AREA
                         : b == Button::Left  ? LEFT_BUTTON_AREA
                         : b == Button::Right ? RIGHT_BUTTON_AREA
                                              : BOTH_BUTTON_AREA;
    x = (a.left + a.right) / 2;
    y = (a.top + a.bottom) / 2;
}

inline void press(Button b) {
    int x, y;
    centre(b, x, y);
    bezelMouse(WM_LBUTTONDOWN, x, y);
}

inline void release(Button b) {
    int x, y;
    centre(b, x, y);
    bezelMouse(WM_LBUTTONUP, x, y);
}

// One fast tick of the whole unit, or the decoder's step of it.
inline void tick(Drive d) {
    if (d == Drive::Unit) {
        hostFastTick();
    } else {
        buttonTick();
    }
}

// Press, hold for the given ticks, release, and one tick for the release.
inline void click(Button b, int heldTicks = CLICK_TICKS, Drive d = Drive::Unit) {
    press(b);
    for (int i = 0; i < heldTicks; ++i) tick(d);
    release(b);
    tick(d);
}

// n short clicks.
inline void clicks(Button b, int n, Drive d = Drive::Unit) {
    for (int i = 0; i < n; ++i) click(b, CLICK_TICKS, d);
}

// A click whose ticks run the button decoder alone.
inline void decoderClick(Button b, int heldTicks = CLICK_TICKS) {
    click(b, heldTicks, Drive::DecoderOnly);
}

// Power on and let the splash page end.
inline void powerOnPastSplash() {
    powerOn();
    ticks(SPLASH_FRAMES);
}

// Pixel (x, y) of the unit's screen as the window shows it (always opaque).
inline uint32_t screen(int x, int y) {
    return hostCanvas()[(SCREEN_Y + y) * BEZEL_WIDTH + SCREEN_X + x];
}

// Pixels of the screen rectangle x0 <= x < x1, y0 <= y < y1 equal to c.
inline int countScreen(int x0, int y0, int x1, int y1, uint32_t c) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += screen(x, y) == c;
    return n;
}

}  // namespace unit
