// The setup menu drawing and events land later; its state and forward-entry reset are here.
#include "app/setup.h"

int setupScreen = 0;
int setupCursor = -1;
int setupScroll = 0;
int pageEnableCursor = -1;
int audioAlertCursor = -1;
int miscOptionCursor = -1;

// Draws page 7.
void setupDrawPage(uint32_t*) {}

// Handles an event of page 7.
ButtonEvent setupHandleEvent(ButtonEvent e) { return e; }

// Browse mode when the menu is entered forwards; screen and scroll stay.
void resetSetupMenu() {
    setupCursor = -1;
    pageEnableCursor = -1;
}

// Power-on state of the menu.
void setupPowerOnReset() {
    setupScreen = 0;
    setupCursor = -1;
    setupScroll = 0;
    pageEnableCursor = -1;
    audioAlertCursor = -1;
    miscOptionCursor = -1;
}
