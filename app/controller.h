// The page controller: draws the active page (or the brightness dialog) and
// the alert banner once per frame, takes page requests, and supervises the
// power supply (battery, standby with calibration sampling, power-off). It
// alone changes the active page.
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

inline constexpr int STANDBY_FRAMES = 50;

// The controller's state; only controller.cpp writes it.
struct ControllerState {
    int activePage = PAGE_SPLASH;           // a PageId
    int onBattery = 0;                      // bus voltage below 5.0 V
    int standbyActive = 0;                  // the standby countdown runs
    int standbySavedPage = 0;               // the page standby returns to
    int standbyCountdown = STANDBY_FRAMES;  // frames of standby left
    int batteryAttitudeLatch = 0;           // the switch to the attitude page happened
};
inline ControllerState controller;

// Window creation: splash page, decoder started, power state cleared.
void initController();
// One composed frame: draw, banner, page request, battery test, standby or bus power.
void renderFrame(uint32_t* fb);
// Makes page the active page as it was left (the alert pop-ups, navigation backwards).
void controllerShowPage(int page);
// Navigation stepping forwards onto page: the page's onEnter hook runs, so
// the setup menu opens in browse mode.
void controllerEnterPage(int page);
// The power-off sequence; afterwards the unit processes nothing more.
void powerOff();
// The active page's event handler by the dispatch table; unchanged for page 0.
ButtonEvent pageHandleEvent(int page, ButtonEvent e);
// Power-on state of the controller.
void controllerPowerOnReset();
