// The unit's settings: 100 numbered signed 32-bit slots, all 0 at power-on,
// defaults applied once after the first frame.
#pragma once

#include <cstdint>

inline constexpr int SETTINGS_SLOTS = 100;

int32_t settingsReadInt(int slot);
void settingsWriteInt(int slot, int32_t value);
// The low 8 bits of the slot.
uint8_t settingsReadByte(int slot);
// Stores value AND 0xFF, zero-extended, in the whole slot.
void settingsWriteByte(int slot, int value);
void settingsApplyDefaults();
// Power-on state: every slot 0.
void settingsPowerOnReset();
