// Pages 3 and 4: timer 0 and timer 1 with their start, stop, reset and
// preset editor; one drawing and one handler serve both.
#pragma once

#include <cstdint>

#include "app/buttons.h"

// Draws the page of timer i (0 or 1).
void timerDrawPage(uint32_t* fb, int i);
// Start, stop, reset and preset editing of timer i; other events unchanged.
ButtonEvent timerHandleEvent(ButtonEvent e, int i);
// Power-on state of the pages.
void timerPagePowerOnReset();
