// The unit as the frame benchmarks and the instruction counter start it.
#pragma once

#include "app/controller.h"
#include "app/page_attitude.h"
#include "device/device.h"
#include "device/settings.h"
#include "shell/shell.h"

namespace bench {

inline constexpr int DEMO_MOTION = 1;
inline constexpr int SENSORS = 0;

// Program start as the window performs it: every module reset, window
// creation, the first frame, the attitude start-up and the settings defaults.
inline void startUnit() {
    unitPowerOnReset();
    HostOnCreate();
    hostStartup();
}

// The attitude page shown in demo mode at a fixed demo attitude (degrees).
inline void demoAttitude(float roll, float pitch) {
    startUnit();
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_MOTION);
    demoRoll = roll;
    demoPitch = pitch;
}

// Fixed attitudes measured: level, a steep bank with many numbers in view,
// and nearly inverted.
inline constexpr float STEEP_ROLL = 75.0f, STEEP_PITCH = 12.0f;
inline constexpr float INVERTED_ROLL = 170.0f, INVERTED_PITCH = -30.0f;

}  // namespace bench
