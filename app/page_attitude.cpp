// The attitude page's drawing and event handling land later; the start-up is here.
#include "app/page_attitude.h"

#include "device/filter.h"

int attitudeWidgetsShown = 0;
int attitudeStatusShown = 0;

// Start-up: ladder and slip shown, status row hidden, slip smoothing configured.
void initAttitudePage() {
    attitudeWidgetsShown = 1;
    attitudeStatusShown = 0;
    filterConfigure(ATTITUDE_SLIP_CHANNEL, ATTITUDE_SLIP_DIVISOR);
}

// Draws page 6.
void attitudeDrawPage(uint32_t*) {}

// Handles an event of page 6.
ButtonEvent attitudeHandleEvent(ButtonEvent e) { return e; }

// Power-on state of the page.
void attitudePagePowerOnReset() {
    attitudeWidgetsShown = 0;
    attitudeStatusShown = 0;
}
