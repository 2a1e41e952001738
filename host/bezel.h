// The bezel's click areas and the three raw button levels they set.
#pragma once

inline constexpr int WM_LBUTTONDOWN = 513;
inline constexpr int WM_LBUTTONUP = 514;

// A click area; all four bounds are exclusive.
struct BezelArea {
    int left, top, right, bottom;
};

inline constexpr BezelArea VIEW_BUTTON_AREA = {100, 130, 140, 170};
inline constexpr BezelArea LEFT_BUTTON_AREA = {100, 200, 140, 240};
inline constexpr BezelArea RIGHT_BUTTON_AREA = {320, 200, 360, 240};
inline constexpr BezelArea BOTH_BUTTON_AREA = {200, 275, 260, 325};

// A left-button press (513) or release (514) at client position (x, y).
void bezelMouse(int message, int x, int y);

void pressView();
void releaseView();
void pressLeft();
void releaseLeft();
void pressRight();
void releaseRight();
void pressBoth();
void releaseBoth();

// The levels the decoder reads: 1 while the mouse (or a setter above) or the
// keyboard holds the button, so a button held both ways is released only when
// both let go.
int viewLevel();
int leftLevel();
int rightLevel();

// The keyboard's holds, a second source beside the mouse and the setters.
void bezelSetKeyLevels(int view, int left, int right);

// Power-on state: every level 0, for the mouse and the keyboard.
void bezelPowerOnReset();
