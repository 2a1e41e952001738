// The eight alerts (three G-limit levels, three angle-of-attack levels, two
// timer expiries): per-frame logic with latches, sounds and pop-ups, and the
// blinking banner at the left edge of the screen.
#pragma once

#include <cstdint>

inline constexpr int ALERT_COUNT = 8;

enum AlertIndex : int {
    ALERT_G1 = 0,
    ALERT_G2 = 1,
    ALERT_G3 = 2,
    ALERT_AOA1 = 3,
    ALERT_AOA2 = 4,
    ALERT_AOA3 = 5,
    ALERT_TIMER1 = 6,
    ALERT_TIMER2 = 7,
};

// Frames of one banner blink period; the bar shows for 9 of them.
inline constexpr int BANNER_BLINK_FRAMES = 20;

extern int alertActive[ALERT_COUNT];   // shown and waiting for acknowledgement
extern int alertLatched[ALERT_COUNT];  // raised since its condition was last false
extern int anyAlertActive;             // recomputed by the banner

// Clears every alertActive entry.
void clearAlerts();
// Once per frame after the controller: raise and clear alerts; draws nothing.
void alertLogic(uint32_t* fb);
// The blinking bar of the most important active alert (not on the splash page).
void drawAlertBanner(uint32_t* fb);
// Power-on state: flags, latches and blink counter 0.
void alertsPowerOnReset();
