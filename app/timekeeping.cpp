// Timekeeping: the GMT clock, the two timers and the run-time counters.
#include "app/timekeeping.h"

#include "app/unit_inputs.h"
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

// ---- Module state -----------------------------------------------------------------

// Timekeeping's state is `timekeeping` (timekeeping.h). The host's clock
// source is not unit state: a power-on reset keeps it.
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
    TimekeepingState& k = timekeeping;
    if (k.clockNotLoaded) {
        if (clockSource) {
            clockSource(&k.clock);
        } else {
            k.clock = DEFAULT_CLOCK_TIME;
        }
        k.clockNotLoaded = 0;
    }
    *out = k.clock;
}

// Sets the clock (the set-clock dialog).
void clockSet(const ClockTime* t) { timekeeping.clock = *t; }

// One second of the clock; the date and the milliseconds stay.
void clockTick() {
    ClockTime& c = timekeeping.clock;
    if (++c.second < SECONDS_PER_MINUTE) return;
    c.second = 0;
    if (++c.minute < MINUTES_PER_HOUR) return;
    c.minute = 0;
    if (++c.hour >= HOURS_PER_DAY) c.hour = 0;
}

// One second of each running timer; a count-down stops and expires at 0:00:00.
void timersTick() {
    for (UnitTimer& t : timekeeping.timers) {
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
    RunTimeCounter& flight = timekeeping.flightTime;
    RunTimeCounter& engine = timekeeping.engineTime;
    if (devInFlight() || demo) countUp(flight.hours, flight.minutes, flight.seconds);
    if (engineRunning(devBusVoltage()) || demo) {
        countUp(engine.hours, engine.minutes, engine.seconds);
    }
}

// 1 while timer i has expired and not been started again; 0 for other indices.
int timerExpired(int i) {
    if (!validTimer(i)) return 0;
    return timekeeping.timers[i].expired;
}

// Running from the present value; a new expiry may come.
void timerStart(int i) {
    if (!validTimer(i)) return;
    timekeeping.timers[i].running = 1;
    timekeeping.timers[i].expired = 0;
}

// Stopped where it stands.
void timerStop(int i) {
    if (validTimer(i)) timekeeping.timers[i].running = 0;
}

// The preset as the value, whether running or not.
void timerLoadPreset(int i) {
    if (!validTimer(i)) return;
    UnitTimer& t = timekeeping.timers[i];
    t.hours = t.presetHours;
    t.minutes = t.presetMinutes;
    t.seconds = t.presetSeconds;
}

void clearFlightTime() { timekeeping.flightTime = {}; }
void clearEngineTime() { timekeeping.engineTime = {}; }

// Power-on state: clock not loaded and counting from zero, timers and counters 0.
void timekeepingPowerOnReset() { timekeeping = {}; }
