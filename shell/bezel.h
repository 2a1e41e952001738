// The bezel's click areas, which set the three raw button levels.
#pragma once

#include "device/button_levels.h"

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
