// The window's tick deadlines: no drift, stalls dropped, seconds caught up.
#include <gtest/gtest.h>

#include "desk/tick_schedule.h"

namespace {

struct Counts {
    int fast = 0;
    int slow = 0;
};

// Runs everything due at `now`, as the window loop does after each wake.
Counts runDue(TickSchedule* s, int64_t now) {
    Counts c;
    for (TickKind k; (k = tickScheduleNext(s, now)) != TickKind::None;) {
        (k == TickKind::Fast ? c.fast : c.slow)++;
    }
    return c;
}

// Wakes `late` ms after each deadline for `duration` ms of schedule time.
Counts runWithLateness(TickSchedule* s, int64_t start, int64_t duration, int64_t late) {
    Counts total;
    int64_t now = start;
    while (now < start + duration) {
        now += tickScheduleWait(*s, now) + late;
        const Counts c = runDue(s, now);
        total.fast += c.fast;
        total.slow += c.slow;
    }
    return total;
}

}  // namespace

TEST(TickSchedule, OnTimeWakesGiveExactRates) {
    TickSchedule s = tickScheduleStart(1000);
    const Counts c = runWithLateness(&s, 1000, 10000, 0);
    EXPECT_EQ(c.fast, 1000);
    EXPECT_EQ(c.slow, 10);
    EXPECT_EQ(s.nextFast, 11010);
    EXPECT_EQ(s.nextSlow, 12000);
}

TEST(TickSchedule, LateWakesDoNotDrift) {
    // Every wake 7 ms late: each deadline still follows the previous one by
    // exactly one period, so the count over 10 s stays exact.
    TickSchedule s = tickScheduleStart(0);
    const Counts c = runWithLateness(&s, 0, 10000, 7);
    EXPECT_EQ(c.fast, 1000);
    EXPECT_EQ(c.slow, 10);
    EXPECT_EQ(s.nextFast % FAST_TICK_MS, 0);
    EXPECT_EQ(s.nextSlow % SLOW_TICK_MS, 0);
}

TEST(TickSchedule, ShortDelayIsCaughtUp) {
    TickSchedule s = tickScheduleStart(0);  // fast deadline at 10
    const Counts c = runDue(&s, 45);        // 10, 20, 30, 40 are due
    EXPECT_EQ(c.fast, 4);
    EXPECT_EQ(s.nextFast, 50);
}

TEST(TickSchedule, StallDropsFastTicksButCatchesUpSeconds) {
    TickSchedule s = tickScheduleStart(0);
    const Counts c = runDue(&s, 5005);  // suspended for five seconds
    EXPECT_EQ(c.fast, 1);
    EXPECT_EQ(c.slow, 5);
    EXPECT_EQ(s.nextFast, 5010);  // back on the 10 ms grid, after now
    EXPECT_EQ(s.nextSlow, 6000);
    EXPECT_EQ(runDue(&s, 5009).fast, 0);
    EXPECT_EQ(runDue(&s, 5010).fast, 1);
}

TEST(TickSchedule, DueTicksRunInDeadlineOrder) {
    TickSchedule s = tickScheduleStart(0);
    s.nextFast = 1000;
    s.nextSlow = 995;
    EXPECT_EQ(tickScheduleNext(&s, 1002), TickKind::Slow);
    EXPECT_EQ(tickScheduleNext(&s, 1002), TickKind::Fast);
    EXPECT_EQ(tickScheduleNext(&s, 1002), TickKind::None);
}

TEST(TickSchedule, WaitIsTimeToEarliestDeadline) {
    const TickSchedule s = tickScheduleStart(100);
    EXPECT_EQ(tickScheduleWait(s, 100), FAST_TICK_MS);
    EXPECT_EQ(tickScheduleWait(s, 104), 6);
    EXPECT_EQ(tickScheduleWait(s, 110), 0);
    EXPECT_EQ(tickScheduleWait(s, 500), 0);
    EXPECT_EQ(tickScheduleWait({2000, 1100}, 1000), 100);
}
