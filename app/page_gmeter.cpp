// The G-meter drawing, events, fractions and ladder land later; start-up and view are here.
#include "app/page_gmeter.h"

#include "device/filter.h"
#include "device/settings.h"

int gmeterView = 0;
int blinkPhase = 0;

// Window creation: the view from slot 11 (above 3 gives 0), channels 33 and 34.
void gmeterInit() {
    const int stored = settingsReadByte(SLOT_GMETER_VIEW);
    gmeterView = stored < GMETER_VIEWS ? stored : 0;
    filterConfigure(GMETER_G_CHANNEL, GMETER_G_DIVISOR);
    filterConfigure(GMETER_AOA_SCALE_CHANNEL, GMETER_AOA_SCALE_DIVISOR);
}

// Draws page 5.
void gmeterDrawPage(uint32_t*) {}

// Handles an event of page 5.
ButtonEvent gmeterHandleEvent(ButtonEvent e) { return e; }

// Sets the view without storing it; values outside the four views are ignored.
void gmeterSetView(int view) {
    if (view >= 0 && view < GMETER_VIEWS) gmeterView = view;
}

// Angle-of-attack fraction.
float aoaFraction(float) { return 0.0f; }

// Load-factor fraction.
float gloadFraction(float) { return 0.0f; }

// Draws the angle-of-attack ladder.
void drawAoaLadder(uint32_t*, AoaLadderLayout) {}

// Power-on state of the page.
void gmeterPowerOnReset() {
    gmeterView = 0;
    blinkPhase = 0;
}
