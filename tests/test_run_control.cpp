// Pause and single steps: nothing runs while paused but the steps asked for,
// and resuming neither bursts nor loses the second's phase.
#include <gtest/gtest.h>

#include <vector>

#include "desk/run_control.h"

namespace {

struct Counts {
    int fast = 0;
    int slow = 0;
};

Counts runDue(RunControl* r, int64_t now) {
    Counts c;
    for (TickKind k; (k = runNext(r, now)) != TickKind::None;)
        (k == TickKind::Fast ? c.fast : c.slow)++;
    return c;
}

// Wakes on time at every deadline for duration ms from `from`, as the loop does.
Counts runFor(RunControl* r, int64_t from, int64_t duration) {
    Counts total;
    for (int64_t now = from; now <= from + duration;) {
        const Counts c = runDue(r, now);
        total.fast += c.fast;
        total.slow += c.slow;
        const int64_t wait = runWait(*r, now);
        if (wait < 0) break;
        now += wait > 0 ? wait : 1;
    }
    return total;
}

}  // namespace

TEST(RunControl, PausedRunsNothingAndWaitsForEvents) {
    RunControl r;
    runStart(&r, 0);
    runFor(&r, 0, 495);
    runSetPaused(&r, true, 495);
    EXPECT_EQ(runWait(r, 495), -1);
    const Counts c = runDue(&r, 60000);
    EXPECT_EQ(c.fast, 0);
    EXPECT_EQ(c.slow, 0);
}

// Ten seconds of pause: on resume no missed tick runs, the next fast tick
// comes where it was due in the unit's time, and the second keeps its phase.
TEST(RunControl, ResumeMovesTheDeadlinesOnByThePause) {
    RunControl r;
    runStart(&r, 0);
    runFor(&r, 0, 995);  // fast ticks up to 990, no second yet
    runSetPaused(&r, true, 995);
    runSetPaused(&r, false, 10995);
    EXPECT_EQ(runWait(r, 10995), 5) << "the fast tick that was 5 ms away";
    Counts c = runDue(&r, 10995);
    EXPECT_EQ(c.fast + c.slow, 0) << "no burst";
    c = runDue(&r, 11000);
    EXPECT_EQ(c.fast, 1);
    EXPECT_EQ(c.slow, 1) << "the second was due at unit time 1000";
    c = runFor(&r, 11001, 999);
    EXPECT_EQ(c.fast, 100);
    EXPECT_EQ(c.slow, 1);
}

TEST(RunControl, EachStepRunsOneFastTick) {
    RunControl r;
    runStart(&r, 0);
    runFor(&r, 0, 500);
    runSetPaused(&r, true, 500);
    runRequestStep(&r);
    EXPECT_EQ(runWait(r, 500), 0);
    Counts c = runDue(&r, 500);
    EXPECT_EQ(c.fast, 1);
    EXPECT_EQ(runWait(r, 9999), -1) << "paused again after the step";
    runRequestStep(&r);
    runRequestStep(&r);
    c = runDue(&r, 700);
    EXPECT_EQ(c.fast, 2);
    EXPECT_EQ(c.slow, 0);
}

// Steps walk the unit's time in 10 ms: the 50th step past 500 ms crosses
// the second, which runs before that step's fast tick.
TEST(RunControl, StepsCrossTheSecondInOrder) {
    RunControl r;
    runStart(&r, 0);
    runFor(&r, 0, 500);
    runSetPaused(&r, true, 505);
    int fast = 0, slowAfter = -1;
    for (int step = 0; step < 60; ++step) {
        runRequestStep(&r);
        for (TickKind k; (k = runNext(&r, 5000 + step)) != TickKind::None;) {
            if (k == TickKind::Slow) slowAfter = fast;
            if (k == TickKind::Fast) ++fast;
        }
    }
    EXPECT_EQ(fast, 60);
    EXPECT_EQ(slowAfter, 49) << "ticks at 510..990 first, then the second at 1000";
}

TEST(RunControl, StepsAskedWhileRunningAndRepeatedPausesChangeNothing) {
    RunControl r;
    runStart(&r, 0);
    runRequestStep(&r);
    EXPECT_EQ(runWait(r, 0), 10);
    runSetPaused(&r, false, 3);
    EXPECT_EQ(runWait(r, 3), 7);
    runSetPaused(&r, true, 4);
    runSetPaused(&r, true, 400);  // a second pause keeps the first moment
    runSetPaused(&r, false, 1004);
    EXPECT_EQ(runWait(r, 1004), 6);
}

// Seconds by frames: the slow tick comes right after every 100th fast tick,
// whatever the clock does, also when fast ticks were dropped after a stall
// and when stepping while paused.
TEST(RunControl, SecondsByFramesFollowEveryHundredthFastTick) {
    RunControl r;
    runStart(&r, 0, true);
    int fast = 0;
    std::vector<int> slowAfter;
    auto drain = [&](int64_t now) {
        for (TickKind k; (k = runNext(&r, now)) != TickKind::None;) {
            if (k == TickKind::Fast) ++fast;
            if (k == TickKind::Slow) slowAfter.push_back(fast);
        }
    };
    for (int64_t now = 0; now <= 1500; now += 10) drain(now);
    drain(9000);  // a stall: the missed fast ticks are dropped, and so are their seconds
    runSetPaused(&r, true, 9001);
    for (int i = 0; i < 200; ++i) {
        runRequestStep(&r);
        drain(9002);
    }
    ASSERT_GE(slowAfter.size(), 3u);
    for (size_t i = 0; i < slowAfter.size(); ++i)
        EXPECT_EQ(slowAfter[i], 100 * static_cast<int>(i + 1));
    EXPECT_EQ(r.fastTicks, fast);
    EXPECT_EQ(static_cast<int>(slowAfter.size()), fast / 100);
}
