// Page 7: the setup menu, its screens and their shared state.
#pragma once

#include <cstdint>

#include "app/buttons.h"

extern int setupScreen;       // 0 list, 1 to 9 the item screens
extern int setupCursor;       // selected list item, -1 browse mode
extern int setupScroll;       // first list item shown
extern int pageEnableCursor;  // selected row of PAGE ENABLE, -1 none
extern int audioAlertCursor;  // selected row of AUDIO ALERTS, -1 none
extern int miscOptionCursor;  // selected row of MISC OPTIONS, -1 none

void setupDrawPage(uint32_t* fb);
// Browsing, editing and the item screens; other events unchanged.
ButtonEvent setupHandleEvent(ButtonEvent e);
// Browse mode when the menu is entered forwards: both cursors to -1.
void resetSetupMenu();
// Power-on state of the menu.
void setupPowerOnReset();
