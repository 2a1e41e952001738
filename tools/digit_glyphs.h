// Glyphs of the four digit fonts: tabular digits, signs and punctuation
// centred on the digits, and the compact unit symbols built from small
// letters of the face.
#pragma once

#include "tools/font_specs.h"
#include "tools/glyph_fit.h"

// Renders character ch of a digit font into its cell.
Coverage digitFontGlyph(const FontSpec& spec, FT_Face face, double ppem, char ch, const CellLayout& cell);
