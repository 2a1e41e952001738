// The run-time page's drawing and event handling land later; until then it draws nothing.
#include "app/page_runtime.h"

int flightTimeSelected = 0;

// Draws page 2.
void runTimeDrawPage(uint32_t*) {}

// Handles an event of page 2.
ButtonEvent runTimeHandleEvent(ButtonEvent e) { return e; }

// Power-on state of the page.
void runTimePagePowerOnReset() { flightTimeSelected = 0; }
