// The advance widths of the unit's two text fonts, in the order of their
// character set ('!' to '~'): fixed by the unit, whatever face renders the
// glyphs. fontgen builds the fonts with them; a test checks the committed
// tables against them.
#pragma once

#include <vector>

inline const std::vector<int> TEXT_14_ADVANCES = {
    4, 5, 7, 6, 10, 8, 3,  3,  4, 5, 6, 3, 4, 4, 3, 6, 6, 6, 6, 7, 6,  6, 7, 6,
    6, 4, 4, 6, 7,  6, 7,  11, 9, 8, 8, 8, 8, 7, 9, 8, 3, 6, 8, 7, 10, 7, 9, 8,
    9, 8, 7, 7, 8,  8, 10, 8,  7, 8, 3, 3, 3, 7, 7, 4, 6, 6, 7, 7, 6,  4, 7, 7,
    2, 4, 6, 3, 11, 6, 7,  7,  7, 4, 6, 5, 6, 7, 8, 6, 6, 6, 5, 2, 5,  6,
};

inline const std::vector<int> TEXT_18_ADVANCES = {
    5,  7,  8,  8, 14, 10, 3,  5,  5,  5,  9,  4,  5,  3, 5,  8,  7, 9, 7,  9, 8,  8,  8,  8,
    8,  5,  5,  8, 9,  8,  9,  14, 11, 11, 10, 11, 10, 8, 11, 10, 4, 9, 11, 8, 12, 11, 11, 10,
    11, 10, 10, 9, 10, 10, 14, 10, 9,  10, 4,  4,  5,  8, 9,  4,  8, 9, 8,  9, 8,  5,  9,  9,
    3,  5,  8,  3, 13, 9,  9,  9,  9,  6,  7,  6,  8,  8, 12, 8,  8, 7, 6,  3, 6,  9,
};
