// The bezel's four click areas: a left-button press or release inside one
// sets or clears the raw button levels it covers.
#include "shell/bezel.h"

// ---- Types ----------------------------------------------------------------

namespace {

struct ClickArea {
    BezelArea area;
    void (*press)();
    void (*release)();
};

// ---- Constants ------------------------------------------------------------

// Tested in this order; the areas do not overlap, so at most one applies.
constexpr ClickArea CLICK_AREAS[] = {
    {VIEW_BUTTON_AREA, pressView, releaseView},
    {LEFT_BUTTON_AREA, pressLeft, releaseLeft},
    {RIGHT_BUTTON_AREA, pressRight, releaseRight},
    {BOTH_BUTTON_AREA, pressBoth, releaseBoth},
};

// ---- Private helpers ------------------------------------------------------

// All four bounds are exclusive.
bool contains(const BezelArea& a, int x, int y) {
    return x > a.left && x < a.right && y > a.top && y < a.bottom;
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// A press sets, a release clears the levels of the area containing (x, y);
// a release elsewhere leaves a held button held.
void bezelMouse(int message, int x, int y) {
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONUP) return;
    for (const ClickArea& c : CLICK_AREAS) {
        if (!contains(c.area, x, y)) continue;
        if (message == WM_LBUTTONDOWN)
            c.press();
        else
            c.release();
    }
}
