// Numbers as text: every operation -> fmt_int.
#include "app/number_text.h"

#include <cmath>

#include "gfx/fmt.h"
#include "gfx/trunc.h"

// ---- Public operations --------------------------------------------------------

// The digits and the NUL.
void intText(int value, char out[NUMBER_TEXT_SIZE]) {
    char* cursor = out;
    fmt_int(value, &cursor);
    *cursor = '\0';
}

// Truncated toward zero: -12.7 gives "-12d".
void degreesText(float degrees, char out[NUMBER_TEXT_SIZE]) {
    char* cursor = out;
    fmt_int(truncToInt(degrees), &cursor);
    *cursor++ = 'd';
    *cursor = '\0';
}

// The sign comes first so the digits always describe the magnitude; beyond
// the int range there is no meaningful decimal left, and it shows as 0.
void oneDecimalText(float v, char out[NUMBER_TEXT_SIZE]) {
    char* cursor = out;
    if (v < 0.0f) {
        *cursor++ = '-';
        v = -v;
    }
    fmt_int(truncToInt(v), &cursor);
    *cursor++ = '.';
    const int tenth = truncToInt(std::fmod(v, 1.0f) * 10.0f);
    *cursor++ = static_cast<char>('0' + (tenth >= 0 && tenth <= 9 ? tenth : 0));
    *cursor = '\0';
}
