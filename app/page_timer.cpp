// The timer pages' drawing and event handling land later; until then they draw nothing.
#include "app/page_timer.h"

int timerBlinkTicks = 0;

// Draws the page of timer i.
void timerDrawPage(uint32_t*, int) {}

// Handles an event of the page of timer i.
ButtonEvent timerHandleEvent(ButtonEvent e, int) { return e; }

// Power-on state of the pages.
void timerPagePowerOnReset() { timerBlinkTicks = 0; }
