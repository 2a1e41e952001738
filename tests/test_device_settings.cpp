// The settings store: slots, bytes, defaults and power-on state.
#include "device/settings.h"

#include <gtest/gtest.h>

class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override { settingsPowerOnReset(); }
};

TEST_F(SettingsStore, EverySlotReadsZeroBeforeTheDefaults) {
    for (int slot = 0; slot < SETTINGS_SLOTS; ++slot) EXPECT_EQ(settingsReadInt(slot), 0) << slot;
}

TEST_F(SettingsStore, DefaultsFillTheirSlotsAndLeaveTheOthers) {
    settingsWriteInt(8, -42);
    settingsWriteByte(9, 3);
    settingsWriteInt(2, 1);
    settingsApplyDefaults();
    const int expected[][2] = {{16, 1}, {2, 127}, {3, 7},   {4, 5},   {5, 15},
                               {6, 5},  {14, 3},  {15, -2}, {8, -42}, {9, 3}};
    for (auto& e : expected) EXPECT_EQ(settingsReadInt(e[0]), e[1]) << e[0];
    EXPECT_EQ(settingsReadByte(15), 254);  // the low byte of -2
    EXPECT_EQ(settingsReadInt(7), 0);
}

TEST_F(SettingsStore, BytesAreMaskedAndZeroExtended) {
    settingsWriteByte(2, 0x17F);
    EXPECT_EQ(settingsReadInt(2), 127);
    settingsWriteByte(7, -1);
    EXPECT_EQ(settingsReadInt(7), 255);
    settingsWriteInt(11, 0x12345678);
    EXPECT_EQ(settingsReadByte(11), 0x78);
    EXPECT_EQ(settingsReadInt(11), 0x12345678);
}

TEST_F(SettingsStore, SlotsOutsideTheTableReadZeroAndAreNotWritten) {
    settingsWriteInt(99, 7);
    settingsWriteInt(0, 5);
    for (int slot : {-1, 100, 1 << 30}) {
        settingsWriteInt(slot, 123);
        settingsWriteByte(slot, 45);
        EXPECT_EQ(settingsReadInt(slot), 0);
        EXPECT_EQ(settingsReadByte(slot), 0);
    }
    EXPECT_EQ(settingsReadInt(99), 7);
    EXPECT_EQ(settingsReadInt(0), 5);
}

TEST_F(SettingsStore, PowerOnResetClearsEverySlot) {
    settingsApplyDefaults();
    settingsPowerOnReset();
    for (int slot = 0; slot < SETTINGS_SLOTS; ++slot) EXPECT_EQ(settingsReadInt(slot), 0) << slot;
}
