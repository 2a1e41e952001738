// The settings store: 100 signed 32-bit slots held in memory for the run.
#include "device/settings.h"

// ---- Constants ------------------------------------------------------------

namespace {

struct SlotDefault {
    int slot;
    int32_t value;
};

// Demo mode, page enables, audio alerts, volume, angle-of-attack pre-stall and
// cruise angles, positive and negative G limits.
constexpr SlotDefault DEFAULTS[] = {
    {16, 1}, {2, 127}, {3, 7}, {4, 5}, {5, 15}, {6, 5}, {14, 3}, {15, -2},
};

// ---- Module state ---------------------------------------------------------

int32_t slots[SETTINGS_SLOTS];

// ---- Private helpers ------------------------------------------------------

// Slot numbers come from callers' constants; one outside 0..99 must still
// never reach memory beyond the table, so it reads 0 and is not written.
bool validSlot(int slot) { return slot >= 0 && slot < SETTINGS_SLOTS; }

}  // namespace

// ---- Public operations ----------------------------------------------------

// The whole slot.
int32_t settingsReadInt(int slot) { return validSlot(slot) ? slots[slot] : 0; }

// Stores the whole value.
void settingsWriteInt(int slot, int32_t value) {
    if (validSlot(slot)) slots[slot] = value;
}

// The low 8 bits of the slot.
uint8_t settingsReadByte(int slot) { return static_cast<uint8_t>(settingsReadInt(slot) & 0xFF); }

// Stores value AND 0xFF, zero-extended, in the whole slot.
void settingsWriteByte(int slot, int value) { settingsWriteInt(slot, value & 0xFF); }

// Stores the defaults; slots without one keep their value.
void settingsApplyDefaults() {
    for (const SlotDefault& d : DEFAULTS) settingsWriteInt(d.slot, d.value);
}

// Every slot 0, as at program start.
void settingsPowerOnReset() {
    for (int32_t& s : slots) s = 0;
}
