// Decimal number strings written at a moving cursor, without formatted printing.
#include "gfx/fmt.h"

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int DIGIT_SCRATCH = 16;  // more than the 10 digits of any int

}  // namespace

// ---- Public operations ----------------------------------------------------

// Writes value in decimal at *cursor and advances it; zero also gets a NUL
// (the cursor rests on it), any other value none.
void fmt_int(int value, char** cursor) {
    char* out = *cursor;
    if (value == 0) {
        out[0] = '0';
        out[1] = '\0';
        *cursor = out + 1;
        return;
    }
    // The magnitude as unsigned, so the most negative int negates without overflow.
    unsigned magnitude = static_cast<unsigned>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
    }
    char digits[DIGIT_SCRATCH];
    int n = 0;
    while (magnitude != 0) {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    while (n > 0) *out++ = digits[--n];
    *cursor = out;
}

// Appends src to the NUL-terminated dst; returns the new terminating NUL so
// appends can be chained.
char* str_append(char* dst, const char* src) {
    while (*dst != '\0') ++dst;
    while (*src != '\0') *dst++ = *src++;
    *dst = '\0';
    return dst;
}

// c x 1.8 + 32 in double precision, rounded to float.
float celsius_to_fahrenheit(float c) {
    return static_cast<float>(static_cast<double>(c) * 1.8 + 32.0);
}
