// The device panel's model: the simulated device values a user wants to vary
// (power, G and angle-of-attack inputs, air data, attitude, edition and probe,
// demo mode), how each is shown and how it moves. Every change goes through
// the device-field table into simDevice, as a script's set line does, or into
// the settings store, as a slot line does, and is reported so a session
// recording can repeat it.
#pragma once

#include <cstdint>

#include "device/device_fields.h"

inline constexpr int PANEL_ROWS = 23;
inline constexpr int PANEL_MORE_STEPS = 10;  // Shift moves ten steps at once
inline constexpr int PANEL_TEXT_CAPACITY = 24;
inline constexpr int PANEL_MAX_CHANGES = 2;  // a pitch change also stops the pitch ramp

enum class PanelKind : uint8_t { Number, Flag };

// One write a panel change made: an element of a device field, or (field
// null) a settings slot.
struct PanelChange {
    const DeviceField* field;
    int row;
    double value;
    int slot;
    int32_t slotValue;
};

// The first row selected.
void panelModelReset();
int panelSelected();
// Moves the selection by delta rows, wrapping around.
void panelSelectBy(int delta);
// Selects row (ignored outside the rows).
void panelSelect(int row);
PanelKind panelKind(int row);
const char* panelLabel(int row);
// What the row's value means: its device field's line of the device-field table.
const char* panelMeaning(int row);
// The value as the panel shows it, e.g. "14.1 V" or "on".
void panelValueText(int row, char (&out)[PANEL_TEXT_CAPACITY]);
// A flag row that is on, or a number row's value not 0.
bool panelOn(int row);
// Moves a number row by steps of its step (clamped to the field's range) or
// switches a flag row on (steps > 0) or off (steps < 0). Returns how many
// writes it made into changes (0 when the value stayed).
int panelAdjust(int row, int steps, PanelChange (&changes)[PANEL_MAX_CHANGES]);
// Flips a flag row; number rows do nothing.
int panelToggle(int row, PanelChange (&changes)[PANEL_MAX_CHANGES]);
// True when every row names a field of the device-field table.
bool panelRowsResolve();
