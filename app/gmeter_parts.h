// The pieces of the G-meter page that its source files share: the blink
// counter steps, the demo angle of attack and the drawing of each view.
#pragma once

#include <cstdint>

// Whether blinking items are drawn in this frame (blinkPhase above 10).
bool blinkShown();
// One step of blinkPhase: 0 to 20, then 0 again.
void advanceBlinkPhase();
// The demo angle of attack: demoPitch through a private first-order smoother
// with constant 10. Every call advances the smoother.
float gmeterDemoAoa();

// View 0: the G and angle-of-attack tapes on one spine.
void drawGmeterTapes(uint32_t* fb, float g, float aoa);
// Views 1 and 2: the bar stack lit in proportion to the fraction.
void drawGmeterChevrons(uint32_t* fb, int view, float fraction);
// View 3: the load factor to a tenth in large digits.
void drawGmeterDigits(uint32_t* fb, float g);
