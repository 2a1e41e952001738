// The eight alerts (three G-limit levels, three angle-of-attack levels, two
// timer expiries): per-frame logic with latches, sounds and pop-ups, and
// their acknowledgement. The banner that shows them is alert_banner.h.
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

// The bit of an alert in a mask of alerts.
constexpr int alertBit(int alert) { return 1 << alert; }

// The alerts' state; only alerts.cpp writes it.
struct AlertsState {
    int active[ALERT_COUNT] = {};   // shown and waiting for acknowledgement
    int latched[ALERT_COUNT] = {};  // raised since its condition was last false
};
inline AlertsState alerts;

// Clears every active flag; the latches stay.
void clearAlerts();
// Once per frame after the controller: raise and clear alerts; draws nothing.
void alertLogic(uint32_t* fb);
// Clears the group of the first active alert and tells the device (ViewButton).
void acknowledgeAlert();
// Power-on state: flags and latches 0.
void alertsPowerOnReset();
