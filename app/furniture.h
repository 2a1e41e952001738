// Screen furniture that the pages, the dialogs and the setup menu share: text
// centred on the screen's middle column, the hints beside the buttons, the
// vertical caption beside RightButton, the caption above BothButton and the
// page indicator strip.
#pragma once

#include <cstdint>

// The screen's middle column, on which titles and captions are centred.
inline constexpr int SCREEN_CENTRE_X = 64;

// Text centred on x 64 with its cell centred on y.
void drawCentredText(uint32_t* fb, int font, int y, uint32_t colour, const char* text);
// A whole number in decimal, centred the same way.
void drawCentredInt(uint32_t* fb, int font, int y, uint32_t colour, int value);
// White ICON_TRI_UP at (3, 35) beside ViewButton and ICON_TRI_DOWN at (3, 110)
// beside LeftButton, each when asked for.
void drawUpDownHints(uint32_t* fb, bool up, bool down);
// One character per line in font 0, centred on x 122 from y 100, beside RightButton.
void drawRightLabel(uint32_t* fb, const char* text, uint32_t colour);
// Font 0 caption centred at (64, 150), above BothButton.
void drawBottomLabel(uint32_t* fb, const char* text, uint32_t colour);
// The field editors' white hints (set-clock dialog, timer preset editor), a
// little further in than the others: up at (5, 36), down at (5, 110) and
// ICON_TRI_RIGHT (next field) at (115, 110).
void drawFieldEditorHints(uint32_t* fb);
// The strip of arrows and bars at the bottom that shows the active page's
// position among the enabled pages.
void drawPageIndicator(uint32_t* fb);
