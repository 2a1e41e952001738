// The pieces of the data page that its source files share: the clock field
// with the set-clock dialog, and the reading fields.
#pragma once

#include <cstdint>

#include "app/buttons.h"

// ---- Clock field and set-clock dialog (data_clock.cpp) ----------------------

// The clock with its top row at top: local time or GMT, 12- or 24-hour.
void drawClockField(uint32_t* fb, int top, bool local);
// The whole set-clock dialog with the selected field marked.
void drawClockDialog(uint32_t* fb);
bool clockDialogIsOpen();
// Opens the dialog on the time the last clock field showed (GMT), hours selected.
void openClockDialog();
// Closes the dialog, sets the clock to the edited time and stores the offset.
void acceptClockDialog();
// Field selection and value steps while the dialog is open; consumes every event.
ButtonEvent clockDialogEvent(ButtonEvent e);
// Power-on state of the clock field and the dialog.
void dataClockPowerOnReset();

// ---- Reading fields (data_readings.cpp) ---------------------------------------

// Label centred on (x, y), value below it.
void drawBusVoltage(uint32_t* fb, int x, int y);
void drawOat(uint32_t* fb, int x, int y);
// Top fields with their top row at top.
void drawTrueAirspeed(uint32_t* fb, int top);
void drawDensityAltitude(uint32_t* fb, int top);
