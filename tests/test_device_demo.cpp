// Discrete inputs and the demo motion.
#include "device/device.h"

#include <gtest/gtest.h>

class DeviceDemo : public ::testing::Test {
  protected:
    void SetUp() override { devicePowerOnReset(); }

    // Steps the demo motion to step n (counting from 1 at power-on).
    static void stepTo(int& step, int n) {
        for (; step < n; ++step) demoStep();
    }
};

TEST_F(DeviceDemo, DiscreteInputsReadZeroUntilSampled) {
    EXPECT_EQ(discreteInput(1), 0);
    EXPECT_EQ(discreteInput(2), 0);
    sampleDiscreteInputs();
    EXPECT_EQ(discreteInput(1), 1);
    EXPECT_EQ(discreteInput(2), 1);
}

TEST_F(DeviceDemo, SamplingLatchesTheSourcesAsFlags) {
    simDevice.discreteInput1Source = 0;
    simDevice.discreteInput2Source = 7;
    sampleDiscreteInputs();
    EXPECT_EQ(discreteInput(1), 0);
    EXPECT_EQ(discreteInput(2), 1);
    simDevice.discreteInput1Source = 1;
    EXPECT_EQ(discreteInput(1), 0);  // until the next sampling
    for (int n : {0, 3, -1}) EXPECT_EQ(discreteInput(n), 0);
}

TEST_F(DeviceDemo, RollTurnsBackAfter500StepsThenEvery1000) {
    int step = 0;
    stepTo(step, 499);
    EXPECT_LE(demoRoll, 5.0f);
    stepTo(step, 500);
    const float peak = demoRoll;
    EXPECT_GT(peak, 5.0f);
    EXPECT_LT(peak, 5.001f);
    stepTo(step, 501);
    EXPECT_LT(demoRoll, peak);
    stepTo(step, 1500);
    EXPECT_LT(demoRoll, -5.0f);
    stepTo(step, 1501);
    EXPECT_GT(demoRoll, -5.0f);
    stepTo(step, 2500);
    EXPECT_NEAR(demoRoll, peak, 1e-4f);
}

TEST_F(DeviceDemo, PitchTurnsBackAfter1200And2400Steps) {
    int step = 0;
    stepTo(step, 1199);
    EXPECT_LE(demoPitch, 12.0f);
    stepTo(step, 1200);
    const float top = demoPitch;
    EXPECT_GT(top, 12.0f);
    stepTo(step, 1201);
    EXPECT_LT(demoPitch, top);
    stepTo(step, 2399);
    EXPECT_GE(demoPitch, 0.0f);
    stepTo(step, 2400);
    EXPECT_LT(demoPitch, 0.0f);
    EXPECT_GT(demoPitch, -0.001f);
    stepTo(step, 2401);
    EXPECT_GT(demoPitch, 0.0f);
    stepTo(step, 3600);
    EXPECT_NEAR(demoPitch, top, 1e-4f);
}

TEST_F(DeviceDemo, PowerOnResetPutsTheMotionAtRest) {
    int step = 0;
    stepTo(step, 700);  // roll falling, pitch rising
    devicePowerOnReset();
    EXPECT_EQ(demoRoll, 0.0f);
    EXPECT_EQ(demoPitch, 0.0f);
    demoStep();
    EXPECT_FLOAT_EQ(demoRoll, 0.01f);
    EXPECT_FLOAT_EQ(demoPitch, 0.01f);
}

TEST_F(DeviceDemo, StepsAreAddedInDoublePrecision) {
    // Rounded to float after each double-precision addition, five steps give
    // exactly 0.05f; float additions would give 0.049999997.
    int step = 0;
    stepTo(step, 5);
    EXPECT_EQ(demoRoll, 0.05f);
    EXPECT_EQ(demoPitch, 0.05f);
}
