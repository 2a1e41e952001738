// The brightness and demo-mode dialog that replaces the page while open.
#pragma once

#include <cstdint>

#include "app/buttons.h"

// The dialog's state; only brightness_dialog.cpp writes it.
struct BrightnessDialogState {
    int open = 0;  // the dialog replaces the page
};
inline BrightnessDialogState brightnessDialog;

// Opens the dialog (a lone right hold) and tells the device.
void openBrightnessDialog();
// Closes the dialog (a right release) and tells the device.
void closeBrightnessDialog();
// Draws the dialog over the whole screen.
void drawBrightnessDialog(uint32_t* fb);
// Level up and down, automatic brightness, demo mode; EVT_NONE when used.
ButtonEvent brightnessDialogEvent(ButtonEvent e);
// Power-on state: closed.
void brightnessDialogPowerOnReset();
