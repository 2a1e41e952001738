// The unit's edition and demo mode as the pages ask for them.
#include "app/unit_inputs.h"

#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"

// ---- Public operations --------------------------------------------------------

// The input as sampled after the last frame.
bool editionUnit() { return discreteInput(EDITION_INPUT) != 0; }

// Any value but DEMO_OFF, even one the brightness dialog never sets.
bool demoModeOn() { return settingsReadByte(SLOT_DEMO_MODE) != DEMO_OFF; }
