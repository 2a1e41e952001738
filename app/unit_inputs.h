// What the pages ask about the unit itself: the edition input as last sampled
// and whether demo mode is on.
#pragma once

// Whether the edition input is set, as last sampled.
bool editionUnit();
// Whether SLOT_DEMO_MODE holds a demo mode (any value but DEMO_OFF).
bool demoModeOn();
