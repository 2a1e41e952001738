// The settings store: 100 signed 32-bit slots held in memory for the run.
#include "device/settings.h"

#include "device/settings_slots.h"

// ---- Types ----------------------------------------------------------------

namespace {

struct SlotDefault {
    int slot;
    int32_t value;
};

struct SettingsStore {
    int32_t slots[SETTINGS_SLOTS];
};

// Applied in this order.
constexpr SlotDefault DEFAULTS[] = {
    {SLOT_DEMO_MODE, DEMO_MODE_1},
    {SLOT_PAGE_ENABLE, PAGE_ENABLE_ALL},
    {SLOT_AUDIO_ALERTS, AUDIO_TIMER1 | AUDIO_TIMER2 | AUDIO_AOA_LIMIT},
    {SLOT_VOLUME, 5},
    {SLOT_AOA_PRESTALL, 15},
    {SLOT_AOA_CRUISE, 5},
    {SLOT_G_LIMIT_POSITIVE, 3},
    {SLOT_G_LIMIT_NEGATIVE, -2},
};

// ---- Module state ---------------------------------------------------------

SettingsStore store = {};

// ---- Private helpers ------------------------------------------------------

// Slot numbers come from callers' constants; one outside 0..99 must still
// never reach memory beyond the table, so it reads 0 and is not written.
bool validSlot(int slot) { return slot >= 0 && slot < SETTINGS_SLOTS; }

}  // namespace

// ---- Public operations ----------------------------------------------------

// The whole slot.
int32_t settingsReadInt(int slot) { return validSlot(slot) ? store.slots[slot] : 0; }

// Stores the whole value.
void settingsWriteInt(int slot, int32_t value) {
    if (validSlot(slot)) store.slots[slot] = value;
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
void settingsPowerOnReset() { store = {}; }
