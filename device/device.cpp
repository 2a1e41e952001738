// The simulated device's values, the discrete inputs and the demo motion.
#include "device/device.h"

#include <cmath>

// ---- Constants ------------------------------------------------------------

namespace {

constexpr double DEMO_STEP = 0.01;        // degrees per composed frame
constexpr double DEMO_ROLL_LIMIT = 5.0;   // roll swings within about +-5
constexpr double DEMO_PITCH_HIGH = 12.0;  // pitch swings within about 0..12
constexpr double DEMO_PITCH_LOW = 0.0;

// ---- Module state ---------------------------------------------------------

int discreteInput1 = 0;  // a temperature probe is fitted
int discreteInput2 = 0;  // the "QX-70-S" edition
int rollDirection = 1;
int pitchDirection = 1;

}  // namespace

SimDevice simDevice;
float demoRoll = 0.0f;
float demoPitch = 0.0f;

// ---- Public operations ----------------------------------------------------

// Latches both discrete inputs from their sources, as 0 or 1.
void sampleDiscreteInputs() {
    discreteInput1 = devDiscreteInput1() != 0 ? 1 : 0;
    discreteInput2 = devDiscreteInput2() != 0 ? 1 : 0;
}

// Discrete input 1 or 2 as last sampled; any other number reads 0.
int discreteInput(int n) {
    if (n == 1) return discreteInput1;
    if (n == 2) return discreteInput2;
    return 0;
}

// One frame of the demo motion: roll and pitch each move 0.01 degrees (in
// double precision, stored as float) and turn back beyond their limits.
void demoStep() {
    demoRoll = static_cast<float>(static_cast<double>(demoRoll) + rollDirection * DEMO_STEP);
    if (std::fabs(static_cast<double>(demoRoll)) > DEMO_ROLL_LIMIT) rollDirection = -rollDirection;
    demoPitch = static_cast<float>(static_cast<double>(demoPitch) + pitchDirection * DEMO_STEP);
    if (demoPitch > DEMO_PITCH_HIGH) pitchDirection = -pitchDirection;
    if (demoPitch < DEMO_PITCH_LOW) pitchDirection = -pitchDirection;
}

// The simulator's fixed values, an empty journal, both inputs 0 and the demo
// motion at rest.
void devicePowerOnReset() {
    simDevice = SimDevice{};
    devJournalClear();
    discreteInput1 = 0;
    discreteInput2 = 0;
    demoRoll = 0.0f;
    demoPitch = 0.0f;
    rollDirection = 1;
    pitchDirection = 1;
}
