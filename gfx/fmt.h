// Number strings built with a moving cursor; there is no formatted printing.
#pragma once

// Writes the decimal text of value at *cursor and advances the cursor past it.
// Zero is written as "0" plus a NUL with the cursor on the NUL; any other value
// gets no terminator.
void fmt_int(int value, char** cursor);
// Appends src to the NUL-terminated dst; returns the new terminating NUL.
char* str_append(char* dst, const char* src);
// c x 1.8 + 32, computed in double precision.
float celsius_to_fahrenheit(float c);
