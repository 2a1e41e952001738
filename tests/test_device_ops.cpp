// Device operations: simulator values, the pitch ramp, the external
// interface, power-off and the journal of requests.
#include "app_support.h"
#include "device/device.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

class DeviceOps : public ::testing::Test {
  protected:
    void SetUp() override { devicePowerOnReset(); }
};

TEST_F(DeviceOps, SimulatorValuesAtPowerOn) {
    EXPECT_EQ(devBusVoltage(), 14.1f);
    EXPECT_EQ(devBatteryVoltage(), 3.7f);
    EXPECT_EQ(devInFlight(), 1);
    EXPECT_EQ(devCalibrateInput(), 1);
    EXPECT_EQ(devBusyInput(), 0);
    EXPECT_EQ(devDiscreteInput1(), 1);
    EXPECT_EQ(devDiscreteInput2(), 1);
    EXPECT_EQ(devReadValue(8), 0.0f);
    EXPECT_EQ(devAxisReading(2), 0.0f);
    EXPECT_EQ(devAxisPairReading(3, 2), 0.0f);
    EXPECT_EQ(devCalibrationReady(), 1);
    EXPECT_EQ(devRollAngle(), 10.0f);
    EXPECT_EQ(devSlipReading(), 0.0f);
    EXPECT_EQ(devAttitudeValid(), 1);
    EXPECT_EQ(devAlignCondition(3), 1);
    EXPECT_EQ(devStatusQuality('B'), 1.0f);
    EXPECT_EQ(devGReading(), 2.8f);
    EXPECT_EQ(devAoaScale(), 2.8f);
    EXPECT_EQ(devAoaAngle(), 13.5f);
    EXPECT_EQ(devAoaValid(), 1);
    EXPECT_EQ(devAoaLowest(), 2.0f);
    EXPECT_EQ(devAoaHighest(), 15.0f);
    EXPECT_EQ(devGLowest(), 0.5f);
    EXPECT_EQ(devGHighest(), 2.5f);
    EXPECT_EQ(devGLimitInput(1), 0);
    EXPECT_EQ(devAoaInput(3), 0);
    EXPECT_EQ(devOatCelsius(), 22.4f);
    EXPECT_EQ(devOatValid(), 1);
    EXPECT_EQ(devTrueAirspeed(), 152.0f);
    EXPECT_EQ(devDensityAltitude(), 1234.56f);
    EXPECT_EQ(devAirDataValid(), 1);
    EXPECT_EQ(devClockBlank(), 0);
    EXPECT_EQ(devBackgroundColour(), 0xFF000000u);
    EXPECT_EQ(devBrightnessManual(), 1);
    EXPECT_EQ(devManualBrightnessLevel(), 30);
    EXPECT_EQ(devAutoBrightnessLevel(), 50);
    EXPECT_EQ(simDevice.poweredOff, 0);
}

TEST_F(DeviceOps, FieldsDriveTheOperations) {
    simDevice.busVoltage = 4.5f;
    simDevice.gLimitInput[1] = 1;
    simDevice.axisPairReading[2][0] = 0.75f;
    simDevice.statusQuality[3] = 0.25f;  // 'J'
    EXPECT_EQ(devBusVoltage(), 4.5f);
    EXPECT_EQ(devGLimitInput(2), 1);
    EXPECT_EQ(devAxisPairReading(3, 1), 0.75f);
    EXPECT_EQ(devStatusQuality('J'), 0.25f);
    devicePowerOnReset();
    EXPECT_EQ(devBusVoltage(), 14.1f);
    EXPECT_EQ(devGLimitInput(2), 0);
}

TEST_F(DeviceOps, PitchRampsByFiveHundredthsPerCall) {
    EXPECT_FLOAT_EQ(devPitchAngle(), -19.95f);
    float last = 0;
    for (int i = 2; i <= 400; ++i) last = devPitchAngle();
    EXPECT_NEAR(last, 0.0f, 1e-4f);
    simDevice.pitchRamps = 0;
    EXPECT_EQ(devPitchAngle(), last);
    EXPECT_EQ(devPitchAngle(), last);
}

TEST_F(DeviceOps, PageRequestIsConsumedOnceAcknowledged) {
    simDevice.externalValue[8] = 3.0f;
    EXPECT_EQ(devReadValue(8), 3.0f);
    EXPECT_EQ(devReadValue(8), 3.0f);
    devWriteValue(8, 0.0f);
    EXPECT_EQ(devReadValue(8), 0.0f);
    ASSERT_EQ(devJournalSize(), 1);
    EXPECT_EQ(devJournalAt(0).op, DevOp::WriteValue);
    EXPECT_EQ(devJournalAt(0).a, 8);
    EXPECT_EQ(devJournalAt(0).x, 0.0f);
}

TEST_F(DeviceOps, IndicesOutsideTheirTablesReadZeroAndWriteNothing) {
    simDevice.externalValue[0] = 1.0f;
    simDevice.externalValue[DEV_EXTERNAL_VALUES - 1] = 2.0f;
    for (int i : {-1, DEV_EXTERNAL_VALUES, 1 << 30}) {
        devWriteValue(i, 9.0f);
        EXPECT_EQ(devReadValue(i), 0.0f);
    }
    EXPECT_EQ(devReadValue(0), 1.0f);
    EXPECT_EQ(devReadValue(DEV_EXTERNAL_VALUES - 1), 2.0f);
    EXPECT_EQ(journalCount(DevOp::WriteValue), 3);  // still journalled as asked
    simDevice.gLimitInput[2] = 1;
    simDevice.aoaInput[0] = 1;
    for (int n : {0, 4, -7, INT_MIN}) {
        EXPECT_EQ(devAxisReading(n), 0.0f);
        EXPECT_EQ(devAxisPairReading(n, 1), 0.0f);
        EXPECT_EQ(devAlignCondition(n), 0);
        EXPECT_EQ(devGLimitInput(n), 0);
        EXPECT_EQ(devAoaInput(n), 0);
    }
    EXPECT_EQ(devAxisPairReading(1, 0), 0.0f);
    EXPECT_EQ(devAxisPairReading(1, 3), 0.0f);
}

TEST_F(DeviceOps, StatusQualityKnowsOnlyItsSevenLetters) {
    for (int i = 0; i < DEV_STATUS_LETTERS; ++i) simDevice.statusQuality[i] = 0.1f * (i + 1);
    const char letters[] = "RPYJAWB";
    for (int i = 0; i < DEV_STATUS_LETTERS; ++i)
        EXPECT_FLOAT_EQ(devStatusQuality(letters[i]), 0.1f * (i + 1));
    for (char other : {'\0', 'r', 'Z', ' '}) EXPECT_EQ(devStatusQuality(other), 0.0f);
}

TEST_F(DeviceOps, PowerOffAndSwitchOffTurnTheUnitOff) {
    devPowerOffA();
    devPowerOffB(15);
    EXPECT_EQ(simDevice.poweredOff, 0);
    devPowerOffC();
    EXPECT_EQ(simDevice.poweredOff, 1);
    EXPECT_TRUE(journalIsPowerOff());
    devicePowerOnReset();
    devSwitchOff();
    EXPECT_EQ(simDevice.poweredOff, 1);
    EXPECT_EQ(journalCount(DevOp::SwitchOff), 1);
}

TEST_F(DeviceOps, RequestsAreJournalledWithTheirArguments) {
    devSound(3, 2);
    devWriteParameter(1, 81, 0.5f);
    devSetBrightnessLevel(40);
    devSetBrightnessMode(0);
    devNotify(1);
    devResetPeaks();
    devAlertAcknowledged();
    devDemoOff();
    devCalibrationDone();
    devSecondTick();
    const DevRequest expected[] = {
        {DevOp::Sound, 3, 2, 0.0f},
        {DevOp::WriteParameter, 81, 1, 0.5f},
        {DevOp::SetBrightnessLevel, 40, 0, 0.0f},
        {DevOp::SetBrightnessMode, 0, 0, 0.0f},
        {DevOp::Notify, 1, 0, 0.0f},
        {DevOp::ResetPeaks, 0, 0, 0.0f},
        {DevOp::AlertAcknowledged, 0, 0, 0.0f},
        {DevOp::DemoOff, 0, 0, 0.0f},
        {DevOp::CalibrationDone, 0, 0, 0.0f},
        {DevOp::SecondTick, 0, 0, 0.0f},
    };
    ASSERT_EQ(devJournalSize(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(devJournalAt(i).op, expected[i].op) << i;
        EXPECT_EQ(devJournalAt(i).a, expected[i].a) << i;
        EXPECT_EQ(devJournalAt(i).b, expected[i].b) << i;
        EXPECT_EQ(devJournalAt(i).x, expected[i].x) << i;
    }
}

TEST_F(DeviceOps, JournalKeepsTheNewestRequestsOnly) {
    const int n = DEV_JOURNAL_CAPACITY + 44;
    for (int i = 0; i < n; ++i) devNotify(i);
    EXPECT_EQ(devJournalTotal(), n);
    ASSERT_EQ(devJournalSize(), DEV_JOURNAL_CAPACITY);
    EXPECT_EQ(devJournalAt(0).a, 44);
    EXPECT_EQ(devJournalAt(DEV_JOURNAL_CAPACITY - 1).a, n - 1);
    EXPECT_EQ(journalCount(DevOp::Notify), DEV_JOURNAL_CAPACITY);
    EXPECT_EQ(devJournalAt(-1).op, DevOp::None);
    EXPECT_EQ(devJournalAt(DEV_JOURNAL_CAPACITY).op, DevOp::None);
    devJournalClear();
    EXPECT_EQ(devJournalSize(), 0);
    EXPECT_EQ(devJournalTotal(), 0);
    EXPECT_EQ(devJournalAt(0).op, DevOp::None);
    devSecondTick();
    EXPECT_EQ(devJournalAt(0).op, DevOp::SecondTick);
}
