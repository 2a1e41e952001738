// The seam between the files of the setup menu: the way back to the list, the
// furniture every screen draws, and each screen's opening, drawing and events.
// Only the setup menu's own files (and their tests) include this header.
#pragma once

#include <cstdint>

#include "app/buttons.h"

// Item texts are fixed NUL-padded fields of this size.
inline constexpr int SETUP_ITEM_TEXT_SIZE = 31;

// Rows of the lists: the first at y 30, each further one 15 pixels lower.
inline constexpr int SETUP_ROW_TOP = 30;
inline constexpr int SETUP_ROW_STEP = 15;

// ---- The menu (setup.cpp) --------------------------------------------------------

// Back to the list as it was left (each screen's way out).
void setupShowList();
// Back to the list in browse mode, scrolled to its top (the end of the hard
// calibration).
void setupShowListBrowsing();

// ---- Furniture (setup.cpp; the furniture shared with other screens is in
// app/furniture.h) ---------------------------------------------------------------

// How many items of a list are listed: all of them, or those before the
// edition-only tail.
int setupListedCount(int full, int withoutEdition);
// The screen title, centred at (64, 10) in green.
void setupDrawTitle(uint32_t* fb, const char* title);
// A magenta bar from (x - 2, y) to (rightEdge, y + 14) with the text in white at (x, y).
void setupDrawHighlightedRow(uint32_t* fb, int x, int y, int rightEdge, const char* text);

// ---- SYSTEM INFO (setup_info.cpp) ---------------------------------------------

void setupInfoDraw(uint32_t* fb);
ButtonEvent setupInfoEvent(ButtonEvent e);

// ---- PAGE ENABLE, AUDIO ALERTS, MISC OPTIONS (setup_lists.cpp) -----------------

// The lists' cursors (the selected row, -1 none); only setup_lists.cpp writes them.
struct SetupListsState {
    int pageEnableCursor = -1;
    int audioAlertCursor = -1;
    int miscOptionCursor = -1;
};
inline SetupListsState setupLists;

// Each opens with its cursor on the first row.
void setupPageEnableOpen();
void setupAudioAlertsOpen();
void setupMiscOptionsOpen();
// No row of PAGE ENABLE selected (the menu entered forwards).
void setupPageEnableDeselect();
// Draws the on/off list that setup.screen names.
void setupOnOffDraw(uint32_t* fb);
ButtonEvent setupOnOffEvent(ButtonEvent e);
void setupListsPowerOnReset();

// ---- AUDIO VOLUME, OAT TRIM (setup_editors.cpp) --------------------------------

// Each loads its working copy from the settings.
void setupVolumeOpen();
void setupOatTrimOpen();
void setupVolumeDraw(uint32_t* fb);
ButtonEvent setupVolumeEvent(ButtonEvent e);
void setupOatTrimDraw(uint32_t* fb);
ButtonEvent setupOatTrimEvent(ButtonEvent e);
void setupEditorsPowerOnReset();

// ---- AOA LIMITS (CAL), G LIMITS (setup_limits.cpp) -----------------------------

// Each loads both values and starts at the first one.
void setupAoaLimitsOpen();
void setupGLimitsOpen();
void setupAoaLimitsDraw(uint32_t* fb);
ButtonEvent setupAoaLimitsEvent(ButtonEvent e);
void setupGLimitsDraw(uint32_t* fb);
ButtonEvent setupGLimitsEvent(ButtonEvent e);
void setupLimitsPowerOnReset();

// ---- HARD CALIBRATION (setup_hardcal.cpp); opening keeps the step it was left on --

// Draws the step and, while sampling, runs one sampling step.
void setupHardCalDraw(uint32_t* fb);
ButtonEvent setupHardCalEvent(ButtonEvent e);
void setupHardCalPowerOnReset();
