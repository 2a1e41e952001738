// Bank of 35 first-order smoothing channels, advanced on every fast tick.
#pragma once

inline constexpr int FILTER_CHANNELS = 35;
// Channels 27 to 29 smooth the three sensor axes for both calibrations.
inline constexpr int FILTER_CAL_FIRST_CHANNEL = 27;

// One step of every channel.
void filterTick();
// Sets the divisor and clears the channel's input, output and accumulator.
void filterConfigure(int channel, float divisor);
// Stores the reading; returns the output of the last tick (without it).
float filterFeed(int channel, float value);
// Clears the accumulator only.
void filterReset(int channel);
// Power-on state of the bank (the calibration channels configured again).
void filterPowerOnReset();
