// The unit as the frame benchmarks and the instruction counter start it.
#pragma once

#include "app/controller.h"
#include "app/page_attitude.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "tests/unit_driver.h"

namespace bench {

// The attitude page shown in demo mode at a fixed demo attitude (degrees).
inline void demoAttitude(float roll, float pitch) {
    unit::powerOn();
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_MODE_1);
    deviceState.demoRoll = roll;
    deviceState.demoPitch = pitch;
}

// Fixed attitudes measured: level, a steep bank with many numbers in view,
// and nearly inverted.
inline constexpr float STEEP_ROLL = 75.0f, STEEP_PITCH = 12.0f;
inline constexpr float INVERTED_ROLL = 170.0f, INVERTED_PITCH = -30.0f;

}  // namespace bench
