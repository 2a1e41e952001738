// Renders the glyph strips of the six fonts.
#include "tools/font_build.h"

#include "tools/digit_glyphs.h"
#include "tools/glyph_fit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Symbols that look wrong squeezed hard into a narrow advance; they shrink
// in both directions instead (slashes, bars and brackets keep their height).
const char* const SHAPE_KEEPING_SYMBOLS = "*+<=>^~";
// Symbols whose crossing strokes merge when hinted at a few pixels: smooth.
const char* const SMOOTH_SYMBOLS = "*";

// Copies a glyph cell into the strip at column x0.
void pasteCell(const Coverage& cell, int x0, Coverage& strip) {
    for (int y = 0; y < cell.height; ++y)
        for (int x = 0; x < cell.width; ++x) coverageAdd(strip, x0 + x, y, coverageAt(cell, x, y));
}

CellLayout cellFor(const FontRecipe& recipe, int advance) {
    CellLayout cell;
    cell.advance = advance;
    cell.height = recipe.height;
    cell.baseline = recipe.bottomRow;
    cell.above = recipe.bottomRow - recipe.topRow + 1;
    cell.below = recipe.height - recipe.bottomRow;
    return cell;
}

Coverage textGlyph(const FontRecipe& recipe, FT_Face face, double ppem, char ch, int advance) {
    Hinting hinting =
        std::strchr(SMOOTH_SYMBOLS, ch) != nullptr ? Hinting::Vertical : recipe.hinting;
    bool keepShape = std::strchr(SHAPE_KEEPING_SYMBOLS, ch) != nullptr;
    CellLayout cell = cellFor(recipe, advance);
    // Capitals and digits stand on the baseline: no descending J or Q tail.
    if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) cell.below = 0;
    return fitGlyph(face, ppem, static_cast<unsigned char>(ch), cell, hinting, keepShape);
}

}  // namespace

void setNaturalAdvances(FontRecipe& recipe) {
    FT_Face face = openFace(recipe.faceFile);
    const double ppem =
        ppemForCapHeight(face, recipe.bottomRow - recipe.topRow + 1, recipe.hinting);
    recipe.advances.clear();
    int width = 0;
    for (char ch : recipe.charset) {
        const GlyphOutline g =
            loadOutlineXY(face, ppem, ppem, static_cast<unsigned char>(ch), recipe.hinting);
        recipe.advances.push_back(std::max(1, static_cast<int>(std::lround(g.advance))));
        width += recipe.advances.back();
    }
    recipe.stripWidth = width + width % 2;
    FT_Done_Face(face);
}

std::vector<int> fontOffsets(const FontRecipe& recipe) {
    std::vector<int> offsets{0};
    for (int a : recipe.advances) offsets.push_back(offsets.back() + a);
    return offsets;
}

Coverage buildFontStrip(const FontRecipe& recipe, double* ppemOut) {
    FT_Face face = openFace(recipe.faceFile);
    int capPx = recipe.bottomRow - recipe.topRow + 1;
    double ppem = ppemForCapHeight(face, capPx, recipe.hinting);
    if (ppemOut != nullptr) *ppemOut = ppem;
    std::vector<Coverage> cells;
    if (recipe.digitFont) {
        cells = digitFontGlyphs(recipe, face, ppem, cellFor);
    } else {
        for (size_t k = 0; k < recipe.charset.size(); ++k)
            cells.push_back(textGlyph(recipe, face, ppem, recipe.charset[k], recipe.advances[k]));
    }
    Coverage strip = makeCoverage(recipe.stripWidth, recipe.height);
    std::vector<int> offsets = fontOffsets(recipe);
    for (size_t k = 0; k < cells.size(); ++k) pasteCell(cells[k], offsets[k], strip);
    FT_Done_Face(face);
    return strip;
}

std::vector<uint8_t> packStrip(const Coverage& strip, double gamma) {
    int rowBytes = strip.width / 2;
    std::vector<uint8_t> bytes(static_cast<size_t>(rowBytes) * strip.height, 0);
    for (int j = 0; j < strip.height; ++j) {
        int y = strip.height - 1 - j;  // data row 0 is the bottom row
        for (int x = 0; x < strip.width; ++x) {
            double c = coverageAt(strip, x, y);
            int n = static_cast<int>(std::lround(15.0 * std::pow(c, 1.0 / gamma)));
            uint8_t& b = bytes[static_cast<size_t>(j) * rowBytes + x / 2];
            b |= static_cast<uint8_t>(x % 2 == 0 ? n << 4 : n);
        }
    }
    return bytes;
}
