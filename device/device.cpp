// The discrete inputs as the unit samples them and the demo motion; the
// simulated device's values themselves are simDevice (device.h).
#include "device/device.h"

#include <cmath>

// ---- Constants ------------------------------------------------------------

namespace {

constexpr double DEMO_STEP = 0.01;        // degrees per composed frame
constexpr double DEMO_ROLL_LIMIT = 5.0;   // roll swings within about +-5
constexpr double DEMO_PITCH_HIGH = 12.0;  // pitch swings within about 0..12
constexpr double DEMO_PITCH_LOW = 0.0;

// ---- Module state ---------------------------------------------------------

// `deviceState` and `simDevice`, declared in device.h.

}  // namespace

// ---- Public operations ----------------------------------------------------

// Latches both discrete inputs from their sources, as 0 or 1.
void sampleDiscreteInputs() {
    deviceState.discreteInput1 = devDiscreteInput1() != 0 ? 1 : 0;
    deviceState.discreteInput2 = devDiscreteInput2() != 0 ? 1 : 0;
}

// Discrete input 1 or 2 as last sampled; any other number reads 0.
int discreteInput(int n) {
    if (n == PROBE_INPUT) return deviceState.discreteInput1;
    if (n == EDITION_INPUT) return deviceState.discreteInput2;
    return 0;
}

// One frame of the demo motion: roll and pitch each move 0.01 degrees (in
// double precision, stored as float) and turn back beyond their limits.
void demoStep() {
    DeviceState& d = deviceState;
    d.demoRoll = static_cast<float>(static_cast<double>(d.demoRoll) + d.rollDirection * DEMO_STEP);
    if (std::fabs(static_cast<double>(d.demoRoll)) > DEMO_ROLL_LIMIT) {
        d.rollDirection = -d.rollDirection;
    }
    d.demoPitch =
        static_cast<float>(static_cast<double>(d.demoPitch) + d.pitchDirection * DEMO_STEP);
    if (d.demoPitch > DEMO_PITCH_HIGH) d.pitchDirection = -d.pitchDirection;
    if (d.demoPitch < DEMO_PITCH_LOW) d.pitchDirection = -d.pitchDirection;
}

// The simulator's fixed values, an empty journal, both inputs 0 and the demo
// motion at rest.
void devicePowerOnReset() {
    simDevice = {};
    devJournalClear();
    deviceState = {};
}
