// Page 2: the flight time and engine run time counters and their clearing.
#pragma once

#include <cstdint>

#include "app/buttons.h"

// The page's state; only page_runtime.cpp writes it.
struct RunTimePageState {
    int flightTimeSelected = 0;  // 1: the flight time is bright and cleared
};
inline RunTimePageState runTimePage;

void runTimeDrawPage(uint32_t* fb);
// View selects the counter, both-press clears it; other events unchanged.
ButtonEvent runTimeHandleEvent(ButtonEvent e);
// Power-on state of the page.
void runTimePagePowerOnReset();
