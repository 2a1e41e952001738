// The unit's GMT clock, the two count-up/count-down timers and the flight and
// engine run-time counters, all advanced once a second.
#pragma once

#include <cstdint>

// The clock record: the layout of the platform's time-of-day record.
struct ClockTime {
    uint16_t year;
    uint16_t month;
    uint16_t dayOfWeek;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
};

// One timer. Timekeeping writes the running value; the timer page writes the
// mode, the preset and the editor's fields.
struct UnitTimer {
    int running;        // advances on each second
    int countDown;      // 0 counts up, 1 counts down to 0:00:00
    int hours;          // 0 to 98
    int minutes;        // 0 to 59
    int seconds;        // 0 to 59
    int presetHours;    // 0 to 10
    int presetMinutes;  // 0 to 59
    int presetSeconds;  // 0 to 59
    int expired;        // a count-down reached 0:00:00; cleared on start
    uint8_t editing;    // the preset editor is shown
    uint8_t editField;  // 0 hours, 1 minutes, 2 seconds
};

struct RunTimeCounter {
    int hours;    // 0 to 98
    int minutes;  // 0 to 59
    int seconds;  // 0 to 59
};

inline constexpr int TIMER_COUNT = 2;
// True for a timer's index, 0 to TIMER_COUNT - 1.
inline bool validTimer(int i) { return i >= 0 && i < TIMER_COUNT; }
// Largest hour value shown; one more wraps to 0.
inline constexpr int MAX_SHOWN_HOURS = 98;

// Timekeeping's state; only timekeeping.cpp writes it, but for the timer
// fields that UnitTimer gives to the timer page.
struct TimekeepingState {
    ClockTime clock = {};    // the unit's GMT clock
    int clockNotLoaded = 1;  // the next clockRead loads it from the clock source
    UnitTimer timers[TIMER_COUNT] = {};
    RunTimeCounter flightTime = {};
    RunTimeCounter engineTime = {};
};
inline TimekeepingState timekeeping;

// Where the clock's first load takes the time of day from. The window sets the
// host's UTC time; tests and the headless runner set a fixed time.
using ClockSource = void (*)(ClockTime* out);
void setClockSource(ClockSource source);
// The time the clock loads when no source is set: a Saturday noon (only the
// time of day is ever shown).
inline constexpr ClockTime DEFAULT_CLOCK_TIME = {2024, 6, 6, 1, 12, 0, 0, 0};

// Copies the clock into out; the first call loads it from the clock source.
void clockRead(ClockTime* out);
// Sets the clock to t.
void clockSet(const ClockTime* t);
// One second of the clock: seconds, minutes and hours roll over, the date stays.
void clockTick();
// One second of each running timer, up or down; a count-down expires at 0:00:00.
void timersTick();
// One second of flight time (in flight or demo) and engine time (bus voltage or demo).
void runTimesTick();
// 1 while timer i has expired and not been started again.
int timerExpired(int i);
// Timer i runs from its present value and is no longer expired.
void timerStart(int i);
// Timer i stops and keeps its value.
void timerStop(int i);
// Timer i's value becomes its preset.
void timerLoadPreset(int i);
// The flight time or the engine run time back to 0:00:00.
void clearFlightTime();
void clearEngineTime();
// Power-on state: clock not loaded, timers and counters 0. The clock source stays.
void timekeepingPowerOnReset();
