// Bank of 35 first-order smoothing channels in single precision: each tick
// moves a channel's output one divisor-th of the way to its last input.
#include "device/filter.h"

#include <cmath>

// ---- Constants ------------------------------------------------------------

namespace {

// The calibration channels are fed and read by the standby and the hard
// calibration but configured by nobody; without a divisor they would divide
// by zero, so the bank starts with this one (0.1 s).
constexpr int CALIBRATION_CHANNELS[] = {FILTER_CAL_FIRST_CHANNEL, FILTER_CAL_FIRST_CHANNEL + 1,
                                        FILTER_CAL_FIRST_CHANNEL + 2};
constexpr float CALIBRATION_DIVISOR = 10.0f;

// ---- Types ----------------------------------------------------------------

struct FilterBank {
    float divisor[FILTER_CHANNELS];
    float input[FILTER_CHANNELS];
    float output[FILTER_CHANNELS];
    float accumulator[FILTER_CHANNELS];  // settles at divisor x input
};

constexpr FilterBank powerOnBank() {
    FilterBank bank{};
    for (int ch : CALIBRATION_CHANNELS) bank.divisor[ch] = CALIBRATION_DIVISOR;
    return bank;
}

// ---- Module state ---------------------------------------------------------

FilterBank bank = powerOnBank();

// ---- Private helpers ------------------------------------------------------

// Channel numbers come from callers' constants; one outside 0..34 must still
// never reach memory beyond the bank, so it reads 0 and changes nothing.
bool validChannel(int ch) { return ch >= 0 && ch < FILTER_CHANNELS; }

// A divisor of 0 (a channel nobody configured) or NaN cannot divide: such a
// channel keeps its output at 0 instead of producing NaN or infinity.
bool usableDivisor(float k) { return k != 0.0f && !std::isnan(k); }

}  // namespace

// ---- Public operations ----------------------------------------------------

// One step of every channel: output = accumulator / divisor, then
// accumulator = input - output + accumulator.
void filterTick() {
    for (int i = 0; i < FILTER_CHANNELS; ++i) {
        if (!usableDivisor(bank.divisor[i])) {
            bank.output[i] = 0.0f;
            continue;
        }
        bank.output[i] = bank.accumulator[i] / bank.divisor[i];
        bank.accumulator[i] = bank.input[i] - bank.output[i] + bank.accumulator[i];
    }
}

// Sets the divisor and clears the channel's input, output and accumulator.
void filterConfigure(int channel, float divisor) {
    if (!validChannel(channel)) return;
    bank.divisor[channel] = divisor;
    bank.input[channel] = 0.0f;
    bank.output[channel] = 0.0f;
    bank.accumulator[channel] = 0.0f;
}

// Stores the reading; returns the output of the last tick (without it).
float filterFeed(int channel, float value) {
    if (!validChannel(channel)) return 0.0f;
    bank.input[channel] = value;
    return bank.output[channel];
}

// Clears the accumulator only, so the output restarts from 0.
void filterReset(int channel) {
    if (validChannel(channel)) bank.accumulator[channel] = 0.0f;
}

// The bank as at program start: everything 0, the calibration channels configured.
void filterPowerOnReset() { bank = powerOnBank(); }
