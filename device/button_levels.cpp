// The three raw button levels, each held by the mouse or by a key.
#include "device/button_levels.h"

// ---- Types ----------------------------------------------------------------

namespace {

struct ButtonLevels {
    int view, left, right;           // 1 pressed, 0 released; mouse and setters
    int viewKey, leftKey, rightKey;  // 1 while a key holds the button
};

// ---- Module state ---------------------------------------------------------

ButtonLevels levels = {};

}  // namespace

// ---- Public operations ----------------------------------------------------

// Level setters, one pair per button; the Both pair moves Left and Right together.
void pressView() { levels.view = 1; }
void releaseView() { levels.view = 0; }
void pressLeft() { levels.left = 1; }
void releaseLeft() { levels.left = 0; }
void pressRight() { levels.right = 1; }
void releaseRight() { levels.right = 0; }

void pressBoth() {
    pressLeft();
    pressRight();
}

void releaseBoth() {
    releaseLeft();
    releaseRight();
}

// Current raw levels for the button decoder: held by either source.
int viewLevel() { return levels.view | levels.viewKey; }
int leftLevel() { return levels.left | levels.leftKey; }
int rightLevel() { return levels.right | levels.rightKey; }

// The keyboard's holds; any non-zero value holds.
void setButtonKeyLevels(int view, int left, int right) {
    levels.viewKey = view != 0;
    levels.leftKey = left != 0;
    levels.rightKey = right != 0;
}

// Every level 0, as at program start.
void buttonLevelsPowerOnReset() { levels = {}; }
