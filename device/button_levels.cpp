// The three raw button levels, each held by the mouse or by a key. A press
// stays visible until the decoder has sampled it once, so a click whose press
// and release both fall between two fast ticks (a tap on a touchpad, a
// synthetic click) still reaches the unit as a press and a release.
#include "device/button_levels.h"

// ---- Types ----------------------------------------------------------------

namespace {

struct ButtonLevels {
    int view, left, right;              // 1 pressed, 0 released; mouse and setters
    int viewKey, leftKey, rightKey;     // 1 while a key holds the button
    int viewRose, leftRose, rightRose;  // pressed since the decoder last sampled
};

// ---- Module state ---------------------------------------------------------

ButtonLevels levels = {};

}  // namespace

// ---- Public operations ----------------------------------------------------

// Level setters, one pair per button; the Both pair moves Left and Right together.
void pressView() { levels.view = levels.viewRose = 1; }
void releaseView() { levels.view = 0; }
void pressLeft() { levels.left = levels.leftRose = 1; }
void releaseLeft() { levels.left = 0; }
void pressRight() { levels.right = levels.rightRose = 1; }
void releaseRight() { levels.right = 0; }

void pressBoth() {
    pressLeft();
    pressRight();
}

void releaseBoth() {
    releaseLeft();
    releaseRight();
}

// Current raw levels for the button decoder: held by either source, or
// pressed and not yet sampled.
int viewLevel() { return levels.view | levels.viewKey | levels.viewRose; }
int leftLevel() { return levels.left | levels.leftKey | levels.leftRose; }
int rightLevel() { return levels.right | levels.rightKey | levels.rightRose; }

// The keyboard's holds; any non-zero value holds.
void setButtonKeyLevels(int view, int left, int right) {
    levels.viewRose |= view != 0 && !levels.viewKey;
    levels.leftRose |= left != 0 && !levels.leftKey;
    levels.rightRose |= right != 0 && !levels.rightKey;
    levels.viewKey = view != 0;
    levels.leftKey = left != 0;
    levels.rightKey = right != 0;
}

void buttonLevelsTaken(bool view, bool left, bool right) {
    if (view) levels.viewRose = 0;
    if (left) levels.leftRose = 0;
    if (right) levels.rightRose = 0;
}

// Every level 0, as at program start.
void buttonLevelsPowerOnReset() { levels = {}; }
