// The page controller: draws the active page (or the brightness dialog) and
// the alert banner once per frame, takes page requests, and supervises the
// power supply (battery, standby with calibration sampling, power-off).
#pragma once

#include <cstdint>

#include "app/buttons.h"

enum PageId : int {
    PAGE_SPLASH = 0,
    PAGE_DATA = 1,
    PAGE_RUN_TIME = 2,
    PAGE_TIMER_1 = 3,
    PAGE_TIMER_2 = 4,
    PAGE_GMETER = 5,
    PAGE_ATTITUDE = 6,
    PAGE_SETUP = 7,
};

inline constexpr int PAGE_COUNT = 8;
inline constexpr int FIRST_NAVIGABLE_PAGE = PAGE_DATA;
inline constexpr int LAST_NAVIGABLE_PAGE = PAGE_SETUP;

// Settings slots the controller and the navigation share.
inline constexpr int SLOT_PAGE_ENABLE = 2;  // low byte: bit p-1 enables page p
inline constexpr int SLOT_OPTIONS = 7;      // low byte: option bits
inline constexpr int SLOT_LAST_PAGE = 9;    // low byte: page to show after the splash
inline constexpr int SLOT_DEMO_MODE = 16;   // low byte: 0 off, 1 or 2 demo mode
inline constexpr int OPTION_BATTERY_ATTITUDE = 0x40;

// Discrete inputs the pages read.
inline constexpr int PROBE_INPUT = 1;    // temperature probe fitted
inline constexpr int EDITION_INPUT = 2;  // the "QX-70-S" edition

inline constexpr int STANDBY_FRAMES = 50;

extern int activePage;            // a PageId
extern int brightnessDialogOpen;  // the dialog replaces the page
extern int onBattery;             // bus voltage below 5.0 V
extern int standbyActive;         // the standby countdown runs

// Window creation: splash page, decoder started, power state cleared.
void initController();
// One composed frame: draw, banner, page request, battery test, standby or bus power.
void renderFrame(uint32_t* fb);
// The strip of arrows and bars at the bottom that shows the page's position.
void drawPageIndicator(uint32_t* fb);
// The power-off sequence; afterwards the unit processes nothing more.
void powerOff();
// The active page's event handler by the dispatch table; unchanged for page 0.
ButtonEvent pageHandleEvent(int page, ButtonEvent e);
// Whether the edition input is set, as last sampled.
bool editionUnit();
// Whether slot 16 holds a demo mode (any value but 0).
bool demoModeOn();
// Power-on state of the controller.
void controllerPowerOnReset();
