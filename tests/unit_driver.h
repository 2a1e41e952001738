// Drives the whole unit as a user does: power on, bezel clicks at their
// window positions, fast ticks and seconds, and reads the screen back from
// the composed window picture.
#pragma once

#include "shell/bezel.h"
#include "shell/shell.h"

#include <cstdint>

namespace unit {

enum class Button { View, Left, Right, Both };

// Ticks below the 60-tick hold time: a short click.
inline constexpr int CLICK_TICKS = 5;
// Frames the splash page stays before the unit moves on.
inline constexpr int SPLASH_FRAMES = 120;

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

// Press, hold for the given ticks, release, and one tick for the release.
inline void click(Button b, int heldTicks = CLICK_TICKS) {
    press(b);
    ticks(heldTicks);
    release(b);
    ticks(1);
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
