// Glyphs of the four digit fonts: tabular digits, signs and punctuation
// centred on the digits, and the compact unit symbols built from small
// letters of the face.
#pragma once

#include "tools/font_recipes.h"
#include "tools/glyph_fit.h"

#include <vector>

// Renders every character of a digit font into its cell (cell k for charset
// character k); cellFor gives the layout of a cell of the given advance.
std::vector<Coverage> digitFontGlyphs(const FontRecipe& recipe, FT_Face face, double ppem,
                                      CellLayout (*cellFor)(const FontRecipe&, int));
