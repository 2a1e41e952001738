// Reading the words of a script line: letter case, numbers, durations and
// dates, each accepted only when the whole word is valid. Used by the parser.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// ASCII letters to lower case; everything else as it is.
char wordLower(char c);
// Equal but for the case of ASCII letters.
bool wordEquals(std::string_view a, std::string_view b);
// A word for messages: printable, and cut short when long.
std::string wordQuoted(std::string_view w);
// A whole word as a signed integer, decimal or 0x hexadecimal.
bool wordToInteger(std::string_view w, long long& v);
// A whole word as a finite float, rounded once from the decimal text.
bool wordToFloat(std::string_view w, float& v);
// How a word reads as a double.
enum class WordNumber : uint8_t { Finite, NotFinite, OutOfRange, NotANumber };
// A whole word as a double, rounded once from the decimal text; d is set for
// Finite and NotFinite ("inf", "nan").
WordNumber wordToDouble(std::string_view w, double& d);
// The same reading by strtof, for a C++ library without a floating-point
// std::from_chars; wordToFloat uses it there.
bool wordToFloatByStrtof(std::string_view w, float& v);
// The shape of a decimal number that std::from_chars reads in general format.
bool wordIsDecimal(std::string_view w);
// Ticks in a decimal number of units (unitTicks ticks each), like 1.5, when
// they come out whole, without rounding.
bool wordToTicks(std::string_view w, long long unitTicks, long long& ticks);
// Hours, minutes and seconds in one word, largest first: 90s, 1.5h, 1h30m.
bool wordToDuration(std::string_view w, long long& ticks);
// Days in a month of the Gregorian calendar; month 1 to 12.
int scriptDaysInMonth(int year, int month);
// Splits "a<sep>b<sep>c" into three whole non-negative numbers.
bool wordToTriple(std::string_view w, char sep, long long out[3]);
