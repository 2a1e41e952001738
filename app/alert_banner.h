// The blinking bar at the left edge of the screen that shows the most
// important active alert.
#pragma once

#include <cstdint>

// Frames of one banner blink period; the bar shows for 9 of them.
inline constexpr int BANNER_BLINK_FRAMES = 20;

// The banner's state; only alert_banner.cpp writes it.
struct AlertBannerState {
    int anyActive = 0;     // some alert is active, as of the last banner
    int blinkCounter = 0;  // counts down the blink period
};
inline AlertBannerState alertBanner;

// The bar of the most important active alert (not on the splash page).
void drawAlertBanner(uint32_t* fb);
// Power-on state: nothing active, blink counter 0.
void alertBannerPowerOnReset();
