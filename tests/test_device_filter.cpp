// The smoothing filter bank: time constants, feed order, resets and channels
// without a divisor.
#include "device/filter.h"

#include <gtest/gtest.h>

#include <cmath>

class FilterBank : public ::testing::Test {
  protected:
    void SetUp() override { filterPowerOnReset(); }

    // Feeds value and ticks n times; returns the output after the last tick.
    static float settle(int ch, float value, int n) {
        for (int i = 0; i < n; ++i) {
            filterFeed(ch, value);
            filterTick();
        }
        return filterFeed(ch, value);
    }
};

TEST_F(FilterBank, OutputMovesOneDivisorthOfTheWayPerTick) {
    filterConfigure(33, 10.0f);
    EXPECT_EQ(settle(33, 2.8f, 1), 0.0f);
    EXPECT_FLOAT_EQ(settle(33, 2.8f, 1), 0.28f);
    EXPECT_FLOAT_EQ(settle(33, 2.8f, 1), 0.532f);
    // output(n) = 2.8 (1 - 0.9^(n - 1)) after n ticks
    EXPECT_NEAR(settle(33, 2.8f, 8), 2.8f * (1.0f - std::pow(0.9f, 10.0f)), 1e-5f);
    EXPECT_NEAR(settle(33, 2.8f, 200), 2.8f, 1e-4f);
}

TEST_F(FilterBank, StateIsKeptInSinglePrecision) {
    // The first outputs for 2.8 on divisor 10, every step rounded to float;
    // an accumulator kept in double gives a different third output.
    filterConfigure(33, 10.0f);
    float output = 0.0f, accumulator = 0.0f;
    for (int tick = 1; tick <= 40; ++tick) {
        output = accumulator / 10.0f;
        accumulator = 2.8f - output + accumulator;
        ASSERT_EQ(settle(33, 2.8f, 1), output) << "tick " << tick;
    }
}

TEST_F(FilterBank, FeedReturnsTheLastTickNotTheNewReading) {
    filterConfigure(32, 100.0f);
    EXPECT_EQ(filterFeed(32, 1.0f), 0.0f);
    EXPECT_EQ(filterFeed(32, 1.0f), 0.0f);
    filterTick();
    filterTick();
    EXPECT_FLOAT_EQ(filterFeed(32, 5.0f), 0.01f);
}

TEST_F(FilterBank, ResetRestartsFromZeroAndClimbsBack) {
    filterConfigure(34, 5.0f);
    const float settled = settle(34, 4.0f, 300);
    EXPECT_NEAR(settled, 4.0f, 1e-4f);
    filterReset(34);
    EXPECT_EQ(filterFeed(34, 4.0f), settled);  // the output itself stays until the next tick
    EXPECT_EQ(settle(34, 4.0f, 1), 0.0f);
    EXPECT_FLOAT_EQ(settle(34, 4.0f, 1), 0.8f);
}

TEST_F(FilterBank, ConfigureClearsTheChannelAndLeavesOthers) {
    filterConfigure(33, 10.0f);
    filterConfigure(32, 100.0f);
    settle(33, 2.8f, 50);
    settle(32, 1.0f, 50);
    filterConfigure(33, 10.0f);
    EXPECT_EQ(filterFeed(33, 2.8f), 0.0f);
    EXPECT_EQ(settle(33, 2.8f, 1), 0.0f);
    EXPECT_GT(filterFeed(32, 1.0f), 0.3f);
}

TEST_F(FilterBank, CalibrationChannelsStartWithADivisorOfTen) {
    for (int ch : {27, 28, 29}) {
        EXPECT_EQ(settle(ch, 1.0f, 1), 0.0f);
        EXPECT_FLOAT_EQ(settle(ch, 1.0f, 1), 0.1f);
        EXPECT_NEAR(settle(ch, 1.0f, 200), 1.0f, 1e-4f);
    }
}

TEST_F(FilterBank, ChannelsWithoutADivisorStayAtZero) {
    filterConfigure(5, 0.0f);
    filterConfigure(6, NAN);
    for (int ch : {0, 5, 6, 30, 31}) {
        EXPECT_EQ(settle(ch, 3.0f, 1000), 0.0f) << ch;
        filterConfigure(ch, 2.0f);  // configured later, it works from a clean state
        EXPECT_EQ(settle(ch, 3.0f, 1), 0.0f) << ch;
        EXPECT_FLOAT_EQ(settle(ch, 3.0f, 1), 1.5f) << ch;
    }
}

TEST_F(FilterBank, ChannelsOutsideTheBankReadZeroAndChangeNothing) {
    filterConfigure(0, 1.0f);
    filterConfigure(34, 1.0f);
    for (int ch : {-1, 35, 1 << 20}) {
        filterConfigure(ch, 4.0f);
        EXPECT_EQ(filterFeed(ch, 9.0f), 0.0f);
        filterReset(ch);
    }
    filterTick();
    EXPECT_EQ(filterFeed(0, 0.0f), 0.0f);
    EXPECT_EQ(filterFeed(34, 0.0f), 0.0f);
}
