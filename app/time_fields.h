// Hours, minutes and seconds as three two-digit fields with colons between
// them: the look that the run-time counters and the timers share.
#pragma once

#include <cstdint>

#include "gfx/font.h"

// Fonts and columns of one way of drawing the fields; columns and the colons'
// row are relative to the top-left corner of the hours.
struct TimeFieldsLayout {
    int digitFont;
    int colonFont;
    int colonDy;    // colons sit this many rows from the digits
    int colon1Dx;   // first colon
    int minutesDx;  // minutes
    int colon2Dx;   // second colon
    int secondsDx;  // seconds
};

// Large digits with taller colons: run-time counters and the timers' value.
inline constexpr TimeFieldsLayout TIME_FIELDS_LARGE = {FONT_NUM_23, FONT_NUM_29, -2, 24,
                                                       33,          57,          66};
// Small digits and colons in one font: the timers' preset.
inline constexpr TimeFieldsLayout TIME_FIELDS_SMALL = {FONT_NUM_20, FONT_NUM_20, 0, 22, 29, 51, 59};

// Characters of a two-digit field and its NUL.
inline constexpr int TWO_DIGIT_FIELD_SIZE = 3;

// v as exactly two digits with a leading zero, and a NUL; values outside
// 0 to 99 give the last two digits of their magnitude.
void twoDigitField(int v, char out[TWO_DIGIT_FIELD_SIZE]);
// Draws hours:minutes:seconds left-aligned with the hours' cell at (x, y).
void drawTimeFields(uint32_t* fb, const TimeFieldsLayout& layout, int x, int y, int hours,
                    int minutes, int seconds, uint32_t colour);
