// Timekeeping: clock loading and roll-overs, timers up and down with expiry,
// the run-time counters and their voltage bounds.
#include "app_support.h"

#include "app/controller.h"
#include "app/timekeeping.h"
#include "device/settings.h"
#include "device/settings_slots.h"

namespace {

struct Hms {
    int h, m, s;
    bool operator==(const Hms&) const = default;
};

Hms of(const UnitTimer& t) { return {t.hours, t.minutes, t.seconds}; }
Hms of(const RunTimeCounter& c) { return {c.hours, c.minutes, c.seconds}; }

void seconds(int n) {
    for (int i = 0; i < n; ++i) {
        clockTick();
        timersTick();
        runTimesTick();
    }
}

ClockTime at(int h, int m, int s) {
    ClockTime t = {};
    t.hour = static_cast<uint16_t>(h);
    t.minute = static_cast<uint16_t>(m);
    t.second = static_cast<uint16_t>(s);
    return t;
}

Hms clockNow() {
    ClockTime t;
    clockRead(&t);
    return {t.hour, t.minute, t.second};
}

void fixedSource(ClockTime* out) { *out = {2030, 3, 2, 4, 7, 8, 9, 0}; }
int sourceCalls = 0;
void countingSource(ClockTime* out) {
    ++sourceCalls;
    *out = at(1, 2, 3);
}

using Timekeeping = UnitTest;

TEST_F(Timekeeping, FirstReadLoadsTheClockSourceOnce) {
    sourceCalls = 0;
    setClockSource(countingSource);
    EXPECT_EQ(clockNow(), (Hms{1, 2, 3}));
    seconds(5);
    EXPECT_EQ(clockNow(), (Hms{1, 2, 8}));
    EXPECT_EQ(sourceCalls, 1);
}

TEST_F(Timekeeping, AllEightFieldsComeFromTheSource) {
    setClockSource(fixedSource);
    ClockTime t;
    clockRead(&t);
    EXPECT_EQ(t.year, 2030);
    EXPECT_EQ(t.month, 3);
    EXPECT_EQ(t.dayOfWeek, 2);
    EXPECT_EQ(t.day, 4);
    EXPECT_EQ(t.hour, 7);
    EXPECT_EQ(t.minute, 8);
    EXPECT_EQ(t.second, 9);
}

TEST_F(Timekeeping, WithoutASourceTheDefaultTimeLoads) {
    ClockTime t;
    clockRead(&t);
    EXPECT_EQ(t.hour, DEFAULT_CLOCK_TIME.hour);
    EXPECT_EQ(t.minute, DEFAULT_CLOCK_TIME.minute);
    EXPECT_EQ(t.year, DEFAULT_CLOCK_TIME.year);
}

TEST_F(Timekeeping, TicksBeforeTheFirstReadAreReplacedByTheSource) {
    setClockSource(countingSource);
    seconds(100);
    EXPECT_EQ(clockNow(), (Hms{1, 2, 3}));
}

TEST_F(Timekeeping, ClockRollsOverSecondsMinutesAndHours) {
    clockNow();
    const ClockTime before = at(23, 59, 59);
    clockSet(&before);
    clockTick();
    EXPECT_EQ(clockNow(), (Hms{0, 0, 0}));
    const ClockTime eleven = at(10, 59, 59);
    clockSet(&eleven);
    clockTick();
    EXPECT_EQ(clockNow(), (Hms{11, 0, 0}));
}

TEST_F(Timekeeping, ClockSetIsNotOverwrittenByALaterRead) {
    setClockSource(countingSource);
    clockNow();
    const ClockTime t = at(12, 34, 56);
    clockSet(&t);
    clockTick();
    EXPECT_EQ(clockNow(), (Hms{12, 34, 57}));
}

TEST_F(Timekeeping, CountDownFromFiveMinutesExpiresAndStops) {
    UnitTimer& t = timekeeping.timers[0];
    t = {};
    t.running = 1;
    t.countDown = 1;
    t.minutes = 5;
    seconds(1);
    EXPECT_EQ(of(t), (Hms{0, 4, 59}));
    seconds(59);
    EXPECT_EQ(of(t), (Hms{0, 4, 0}));
    seconds(239);
    EXPECT_EQ(of(t), (Hms{0, 0, 1}));
    EXPECT_EQ(timerExpired(0), 0);
    seconds(1);
    EXPECT_EQ(of(t), (Hms{0, 0, 0}));
    EXPECT_EQ(timerExpired(0), 1);
    EXPECT_EQ(t.running, 0);
    seconds(10);
    EXPECT_EQ(of(t), (Hms{0, 0, 0}));
}

TEST_F(Timekeeping, CountDownBorrowsAnHour) {
    timekeeping.timers[1] = {};
    timekeeping.timers[1].running = 1;
    timekeeping.timers[1].countDown = 1;
    timekeeping.timers[1].hours = 1;
    seconds(1);
    EXPECT_EQ(of(timekeeping.timers[1]), (Hms{0, 59, 59}));
    EXPECT_EQ(timerExpired(1), 0);
}

TEST_F(Timekeeping, CountDownStartedAtZeroExpiresAtOnce) {
    timekeeping.timers[0] = {};
    timekeeping.timers[0].running = 1;
    timekeeping.timers[0].countDown = 1;
    seconds(1);
    EXPECT_EQ(of(timekeeping.timers[0]), (Hms{0, 0, 0}));
    EXPECT_EQ(timerExpired(0), 1);
    EXPECT_EQ(timekeeping.timers[0].running, 0);
}

TEST_F(Timekeeping, CountUpWrapsFrom98HoursAndKeepsRunning) {
    timekeeping.timers[0] = {};
    timekeeping.timers[0].running = 1;
    timekeeping.timers[0].hours = 98;
    timekeeping.timers[0].minutes = 59;
    timekeeping.timers[0].seconds = 59;
    seconds(1);
    EXPECT_EQ(of(timekeeping.timers[0]), (Hms{0, 0, 0}));
    EXPECT_EQ(timekeeping.timers[0].running, 1);
    EXPECT_EQ(timerExpired(0), 0);
    seconds(61);
    EXPECT_EQ(of(timekeeping.timers[0]), (Hms{0, 1, 1}));
}

TEST_F(Timekeeping, StoppedTimersStandStill) {
    timekeeping.timers[0] = {};
    timekeeping.timers[0].minutes = 3;
    timekeeping.timers[1] = {};
    timekeeping.timers[1].countDown = 1;
    timekeeping.timers[1].seconds = 2;
    seconds(10);
    EXPECT_EQ(of(timekeeping.timers[0]), (Hms{0, 3, 0}));
    EXPECT_EQ(of(timekeeping.timers[1]), (Hms{0, 0, 2}));
    EXPECT_EQ(timerExpired(1), 0);
}

TEST_F(Timekeeping, TimerExpiredOfAnUnknownTimerIsZero) {
    timekeeping.timers[0].expired = 1;
    timekeeping.timers[1].expired = 1;
    EXPECT_EQ(timerExpired(-1), 0);
    EXPECT_EQ(timerExpired(2), 0);
}

TEST_F(Timekeeping, RunTimesCountInFlightAndOnTheSimulatedBus) {
    seconds(3661);
    EXPECT_EQ(of(timekeeping.flightTime), (Hms{1, 1, 1}));
    EXPECT_EQ(of(timekeeping.engineTime), (Hms{1, 1, 1}));
}

TEST_F(Timekeeping, RunTimesWrapFrom98Hours) {
    timekeeping.flightTime = {98, 59, 59};
    timekeeping.engineTime = {98, 59, 58};
    seconds(2);
    EXPECT_EQ(of(timekeeping.flightTime), (Hms{0, 0, 1}));
    EXPECT_EQ(of(timekeeping.engineTime), (Hms{0, 0, 0}));
}

TEST_F(Timekeeping, EngineTimeVoltageBoundsAreExclusive) {
    struct Case {
        float volts;
        bool counts;
    };
    const Case cases[] = {
        {13.0f, false}, {13.01f, true}, {17.99f, true}, {18.0f, false},
        {22.0f, false}, {26.0f, false}, {26.01f, true}, {4.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.volts);
        timekeeping.engineTime = {};
        timekeeping.flightTime = {};
        simDevice.busVoltage = c.volts;
        runTimesTick();
        EXPECT_EQ(timekeeping.engineTime.seconds, c.counts ? 1 : 0);
        EXPECT_EQ(timekeeping.flightTime.seconds, 1);
    }
}

TEST_F(Timekeeping, DemoModeCountsBothWhateverTheInputs) {
    simDevice.busVoltage = 20.0f;
    simDevice.inFlight = 0;
    runTimesTick();
    EXPECT_EQ(of(timekeeping.flightTime), (Hms{0, 0, 0}));
    EXPECT_EQ(of(timekeeping.engineTime), (Hms{0, 0, 0}));
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_MODE_2);
    runTimesTick();
    EXPECT_EQ(of(timekeeping.flightTime), (Hms{0, 0, 1}));
    EXPECT_EQ(of(timekeeping.engineTime), (Hms{0, 0, 1}));
}

}  // namespace
