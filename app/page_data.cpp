// The data page's drawing and event handling land later; until then it draws nothing.
#include "app/page_data.h"

// Draws page 1.
void dataDrawPage(uint32_t*) {}

// Handles an event of page 1.
ButtonEvent dataHandleEvent(ButtonEvent e) { return e; }

// Power-on state of the page.
void dataPagePowerOnReset() {}
