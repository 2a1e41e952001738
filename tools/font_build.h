// Renders the glyph strips of the six fonts and packs them into the unit's
// 4-bit strip format.
#pragma once

#include "tools/font_recipes.h"
#include "tools/glyph_raster.h"

#include <cstdint>
#include <vector>

// The font's whole strip as coverage, stripWidth x height, glyph k in columns
// offsets[k] .. offsets[k+1] - 1; ppem receives the face size used.
Coverage buildFontStrip(const FontRecipe& recipe, double* ppem = nullptr);

// Fills recipe's advances with the face's own (hinted, whole pixels) at the
// size its capital rows give, and sizes the strip to hold them.
void setNaturalAdvances(FontRecipe& recipe);

// Running sums of the advances, starting at 0 (one entry more than glyphs).
std::vector<int> fontOffsets(const FontRecipe& recipe);

// 4-bit coverage per pixel, two pixels per byte (high nibble left), rows
// bottom first; coverage c is stored as round(15 * c^(1/gamma)).
std::vector<uint8_t> packStrip(const Coverage& strip, double gamma);
