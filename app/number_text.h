// Numbers as the pages write them: whole numbers, whole degrees and one
// decimal place, each into a buffer of NUMBER_TEXT_SIZE characters.
#pragma once

// A sign, ten digits, a point or unit, one more character and the NUL.
inline constexpr int NUMBER_TEXT_SIZE = 16;

// value in decimal.
void intText(int value, char out[NUMBER_TEXT_SIZE]);
// The whole degrees (truncated) and the digit fonts' degree sign "d".
void degreesText(float degrees, char out[NUMBER_TEXT_SIZE]);
// "-" for a negative value, then its magnitude to one decimal, truncated.
void oneDecimalText(float v, char out[NUMBER_TEXT_SIZE]);
