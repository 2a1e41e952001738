// Page 1: clock, bus voltage, outside-air temperature, airspeed, density
// altitude and the angle-of-attack ladder, with the set-clock dialog.
#pragma once

#include <cstdint>

#include "app/buttons.h"

// Draws page 1 in the layout its inputs allow, or the set-clock dialog.
void dataDrawPage(uint32_t* fb);
// Top-field selection and the set-clock dialog; other events unchanged.
ButtonEvent dataHandleEvent(ButtonEvent e);
// Power-on state of the page.
void dataPagePowerOnReset();
