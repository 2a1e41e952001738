// Timekeeping: the GMT clock, the two timers and the run-time counters.
#include "app/timekeeping.h"

#include "app/controller.h"
#include "device/device.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int SECONDS_PER_MINUTE = 60;
constexpr int MINUTES_PER_HOUR = 60;
constexpr int HOURS_PER_DAY = 24;

// Engine run time counts in the 14 V band and above 26 V (24 V systems);
// every bound is exclusive.
constexpr float ENGINE_BAND_LOW = 13.0f;
constexpr float ENGINE_BAND_HIGH = 18.0f;
constexpr float ENGINE_HIGH_SYSTEM = 26.0f;

}  // namespace

// ---- Shared state -------------------------------------------------------------

UnitTimer timers[TIMER_COUNT] = {};
RunTimeCounter flightTime = {};
RunTimeCounter engineTime = {};

// A Saturday noon; only the time of day is ever shown.
const ClockTime DEFAULT_CLOCK_TIME = {2024, 6, 6, 1, 12, 0, 0, 0};

// ---- Module state -----------------------------------------------------------------

namespace {

ClockTime unitClock = {};
int clockNotLoaded = 1;
ClockSource clockSource = nullptr;

// ---- Private helpers --------------------------------------------------------------

// One second up; seconds and minutes roll over at 60, hours from 98 to 0.
void countUp(int& hours, int& minutes, int& seconds) {
    if (++seconds < SECONDS_PER_MINUTE) return;
    seconds = 0;
    if (++minutes < MINUTES_PER_HOUR) return;
    minutes = 0;
    if (++hours > MAX_SHOWN_HOURS) hours = 0;
}

// One second down, borrowing a minute and an hour; 0:00:00 stays.
void countDown(UnitTimer& t) {
    if (t.hours == 0 && t.minutes == 0 && t.seconds == 0) return;
    if (t.seconds > 0) {
        --t.seconds;
        return;
    }
    t.seconds = SECONDS_PER_MINUTE - 1;
    if (t.minutes > 0) {
        --t.minutes;
        return;
    }
    t.minutes = MINUTES_PER_HOUR - 1;
    --t.hours;
}

bool engineRunning(float volts) {
    return (volts > ENGINE_BAND_LOW && volts < ENGINE_BAND_HIGH) || volts > ENGINE_HIGH_SYSTEM;
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// The host decides where the clock's first load comes from; null for the default.
void setClockSource(ClockSource source) { clockSource = source; }

// The first call loads the clock from the clock source; later calls only copy.
void clockRead(ClockTime* out) {
    if (clockNotLoaded) {
        if (clockSource) {
            clockSource(&unitClock);
        } else {
            unitClock = DEFAULT_CLOCK_TIME;
        }
        clockNotLoaded = 0;
    }
    *out = unitClock;
}

// Sets the clock (the set-clock dialog).
void clockSet(const ClockTime* t) { unitClock = *t; }

// One second of the clock; the date and the milliseconds stay.
void clockTick() {
    if (++unitClock.second < SECONDS_PER_MINUTE) return;
    unitClock.second = 0;
    if (++unitClock.minute < MINUTES_PER_HOUR) return;
    unitClock.minute = 0;
    if (++unitClock.hour >= HOURS_PER_DAY) unitClock.hour = 0;
}

// One second of each running timer; a count-down stops and expires at 0:00:00.
void timersTick() {
    for (UnitTimer& t : timers) {
        if (!t.running) continue;
        if (!t.countDown) {
            countUp(t.hours, t.minutes, t.seconds);
            continue;
        }
        countDown(t);
        if (t.hours == 0 && t.minutes == 0 && t.seconds == 0) {
            t.expired = 1;
            t.running = 0;
        }
    }
}

// Flight time in flight or in demo mode; engine time by the bus voltage or in demo mode.
void runTimesTick() {
    const bool demo = demoModeOn();
    if (devInFlight() || demo) countUp(flightTime.hours, flightTime.minutes, flightTime.seconds);
    if (engineRunning(devBusVoltage()) || demo) {
        countUp(engineTime.hours, engineTime.minutes, engineTime.seconds);
    }
}

// 1 while timer i has expired and not been started again; 0 for other indices.
int timerExpired(int i) {
    if (i < 0 || i >= TIMER_COUNT) return 0;
    return timers[i].expired;
}

// Power-on state: clock not loaded and counting from zero, timers and counters 0.
void timekeepingPowerOnReset() {
    unitClock = {};
    clockNotLoaded = 1;
    for (UnitTimer& t : timers) t = {};
    flightTime = {};
    engineTime = {};
}
