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
    EXPECT_LE(deviceState.demoRoll, 5.0f);
    stepTo(step, 500);
    const float peak = deviceState.demoRoll;
    EXPECT_GT(peak, 5.0f);
    EXPECT_LT(peak, 5.001f);
    stepTo(step, 501);
    EXPECT_LT(deviceState.demoRoll, peak);
    stepTo(step, 1500);
    EXPECT_LT(deviceState.demoRoll, -5.0f);
    stepTo(step, 1501);
    EXPECT_GT(deviceState.demoRoll, -5.0f);
    stepTo(step, 2500);
    EXPECT_NEAR(deviceState.demoRoll, peak, 1e-4f);
}

TEST_F(DeviceDemo, PitchTurnsBackAfter1200And2400Steps) {
    int step = 0;
    stepTo(step, 1199);
    EXPECT_LE(deviceState.demoPitch, 12.0f);
    stepTo(step, 1200);
    const float top = deviceState.demoPitch;
    EXPECT_GT(top, 12.0f);
    stepTo(step, 1201);
    EXPECT_LT(deviceState.demoPitch, top);
    stepTo(step, 2399);
    EXPECT_GE(deviceState.demoPitch, 0.0f);
    stepTo(step, 2400);
    EXPECT_LT(deviceState.demoPitch, 0.0f);
    EXPECT_GT(deviceState.demoPitch, -0.001f);
    stepTo(step, 2401);
    EXPECT_GT(deviceState.demoPitch, 0.0f);
    stepTo(step, 3600);
    EXPECT_NEAR(deviceState.demoPitch, top, 1e-4f);
}

TEST_F(DeviceDemo, PowerOnResetPutsTheMotionAtRest) {
    int step = 0;
    stepTo(step, 700);  // roll falling, pitch rising
    devicePowerOnReset();
    EXPECT_EQ(deviceState.demoRoll, 0.0f);
    EXPECT_EQ(deviceState.demoPitch, 0.0f);
    demoStep();
    EXPECT_FLOAT_EQ(deviceState.demoRoll, 0.01f);
    EXPECT_FLOAT_EQ(deviceState.demoPitch, 0.01f);
}

TEST_F(DeviceDemo, StepsAreAddedInDoublePrecision) {
    // Rounded to float after each double-precision addition, five steps give
    // exactly 0.05f; float additions would give 0.049999997.
    int step = 0;
    stepTo(step, 5);
    EXPECT_EQ(deviceState.demoRoll, 0.05f);
    EXPECT_EQ(deviceState.demoPitch, 0.05f);
}
