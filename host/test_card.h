// A stand-in for the display application's frame until the application is
// wired into the shell: colour bars, a sweep line that moves one column per
// frame, and lamps that show the button levels sampled on the last fast tick
// and the page-enable bits of settings slot 2 as the frame saw them.
#pragma once

#include <cstdint>

inline constexpr uint32_t TEST_CARD_LAMP_ON = 0xFF00FF00u;
inline constexpr uint32_t TEST_CARD_LAMP_OFF = 0xFF003000u;
inline constexpr uint32_t TEST_CARD_PAGE_ON = 0xFFFFC000u;
inline constexpr uint32_t TEST_CARD_PAGE_OFF = 0xFF302000u;
// Centres of the View, Left and Right lamps in screen coordinates.
inline constexpr int TEST_CARD_LAMP_X[3] = {24, 64, 104};
inline constexpr int TEST_CARD_LAMP_Y = 88;
// Centre of the lamp of page p (1 to 7): x = TEST_CARD_PAGE_X0 + 16 * (p - 1).
inline constexpr int TEST_CARD_PAGE_X0 = 14;
inline constexpr int TEST_CARD_PAGE_Y = 118;

// Samples the three raw button levels, as the button decoder does each tick.
void testCardSampleButtons();
// Draws the card for frame number `frame` into the 128 x 160 framebuffer.
void testCardDraw(uint32_t* fb, long frame);
// Power-on state: no button seen.
void testCardPowerOnReset();
