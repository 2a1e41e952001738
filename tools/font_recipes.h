// The six fonts the unit carries: their fixed tables (character sets, advance
// widths, heights, strip widths, rows of capitals or digits) and the faces and
// settings the generator renders them with.
#pragma once

#include "tools/glyph_raster.h"

#include <string>
#include <vector>

struct FontRecipe {
    std::string name;           // identifier part: TEXT_14, NUM_20, ...
    int height = 0;             // rows of every glyph cell
    int stripWidth = 0;         // pixels, even
    std::string charset;        // strip order
    std::vector<int> advances;  // one per charset character
    int topRow = 0;             // first row (1 = top) of capitals or digits
    int bottomRow = 0;          // last row of capitals or digits; the baseline lies below it
    bool digitFont = false;
    // Rendering choices.
    const char* faceFile = nullptr;
    Hinting hinting = Hinting::Full;
    // Coverage c is stored as c^(1/gamma). The unit blends in plain 8-bit
    // channel values, which makes the partly covered edges of light text on
    // black look darker than their coverage; a gamma above 1 lifts them so
    // curves and diagonals keep their weight next to the whole-pixel stems.
    double gamma = 1.4;
};

const std::vector<FontRecipe>& fontRecipes();

// The face of the window's own texts (key help, device panel, message bar):
// DejaVu Sans with its own advances, the space included, so "/" keeps its
// slant and words their usual spacing. Its advances are set by
// setNaturalAdvances.
FontRecipe uiFontRecipe();
