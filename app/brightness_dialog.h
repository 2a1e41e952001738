// The brightness and demo-mode dialog that replaces the page while open.
#pragma once

#include <cstdint>

#include "app/buttons.h"

// Draws the dialog over the whole screen.
void drawBrightnessDialog(uint32_t* fb);
// Level up and down, automatic brightness, demo mode; EVT_NONE when used.
ButtonEvent brightnessDialogEvent(ButtonEvent e);
