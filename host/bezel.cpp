// The bezel's four click areas and the three raw button levels they set; the
// button decoder samples the levels on every fast tick.
#include "host/bezel.h"

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

// ---- Module state ---------------------------------------------------------

int viewLevelValue = 0;   // 1 pressed, 0 released
int leftLevelValue = 0;
int rightLevelValue = 0;

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

// Level setters, one pair per button; the Both pair moves Left and Right together.
void pressView() { viewLevelValue = 1; }
void releaseView() { viewLevelValue = 0; }
void pressLeft() { leftLevelValue = 1; }
void releaseLeft() { leftLevelValue = 0; }
void pressRight() { rightLevelValue = 1; }
void releaseRight() { rightLevelValue = 0; }

void pressBoth() {
    pressLeft();
    pressRight();
}

void releaseBoth() {
    releaseLeft();
    releaseRight();
}

// Current raw levels for the button decoder.
int viewLevel() { return viewLevelValue; }
int leftLevel() { return leftLevelValue; }
int rightLevel() { return rightLevelValue; }

// Every level 0, as at program start.
void bezelPowerOnReset() {
    viewLevelValue = 0;
    leftLevelValue = 0;
    rightLevelValue = 0;
}
