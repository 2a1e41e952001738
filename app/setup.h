// Page 7: the setup menu, its screens and their shared state.
#pragma once

#include <cstdint>

#include "app/buttons.h"

// What SetupState::screen holds.
enum SetupScreen : int {
    SETUP_LIST = 0,
    SETUP_SYSTEM_INFO = 1,
    SETUP_PAGE_ENABLE = 2,
    SETUP_AUDIO_ALERTS = 3,
    SETUP_AUDIO_VOLUME = 4,
    SETUP_OAT_TRIM = 5,
    SETUP_MISC_OPTIONS = 6,
    SETUP_AOA_LIMITS = 7,
    SETUP_G_LIMITS = 8,
    SETUP_HARD_CAL = 9,
};

inline constexpr int SETUP_SCREEN_COUNT = 10;

// The menu's state; only setup.cpp writes it.
struct SetupState {
    int screen = SETUP_LIST;  // the list or an item screen
    int cursor = -1;          // selected list item, -1 browse mode
    int scroll = 0;           // first list item shown
};
inline SetupState setup;

void setupDrawPage(uint32_t* fb);
// Browsing, editing and the item screens; other events unchanged.
ButtonEvent setupHandleEvent(ButtonEvent e);
// Browse mode when the menu is entered forwards: the list's and the PAGE
// ENABLE cursors to -1.
void resetSetupMenu();
// Power-on state of the menu and of its screens.
void setupPowerOnReset();
