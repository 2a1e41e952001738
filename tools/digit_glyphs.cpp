// Glyphs of the four digit fonts.
#include "tools/digit_glyphs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const DIGITS = "0123456789";
// Steps in which a horizontal or symbol size is reduced until a glyph fits.
constexpr double PPEM_STEP = 1.0 / 32;
// Hinting may narrow a glyph: fitting starts this many steps wider.
constexpr double START_STEPS = 4;

// One font being built: the face, its size and the digits' horizontal size.
struct DigitFont {
    const FontRecipe& recipe;
    FT_Face face;
    double ppem;
    double digitPpemX;
    double digitHeight;  // rows the digits occupy
};

// One small letter of a compact unit symbol: the columns it may use and the
// row boundary its baseline lies on.
struct Piece {
    char letter;
    double left, right;
    double baseline;
};

GlyphOutline load(const DigitFont& f, double ppemX, double ppemY, unsigned code) {
    return loadOutlineXY(f.face, ppemX, ppemY, code, f.recipe.hinting);
}

// Largest horizontal size (at the font's height) at which every character
// of chars fits width pixels.
double ppemXToFit(const DigitFont& f, const char* chars, double width) {
    double ppemX = f.ppem;
    for (; ppemX > f.ppem * 0.2; ppemX -= PPEM_STEP) {
        bool fits = true;
        for (const char* c = chars; *c != '\0' && fits; ++c)
            fits = inkWidth(load(f, ppemX, f.ppem, static_cast<unsigned char>(*c))) <= width + 1e-6;
        if (fits) break;
    }
    return ppemX;
}

// Largest uniform size at which code fits width pixels.
double ppemToFit(const DigitFont& f, unsigned code, double width) {
    double ppem = f.ppem;
    while (ppem > 2 && inkWidth(load(f, ppem, ppem, code)) > width + 1e-6) ppem -= PPEM_STEP;
    return ppem;
}

void addInto(Coverage& dst, const Coverage& src) {
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) coverageAdd(dst, x, y, coverageAt(src, x, y));
}

// Centred in the advance less its last column, which stays free as the gap
// to the next glyph.
FitRange centredRange(const CellLayout& cell, double shiftY = 0) {
    return FitRange{0, cell.advance - 1.0, 0, shiftY, true};
}

// A glyph of the face at (ppemX, ppemY) or narrower, centred in the advance.
Coverage centred(const DigitFont& f, double ppemX, double ppemY, unsigned code,
                 const CellLayout& cell, double shiftY = 0) {
    return fitNarrowing(f.face, ppemX, ppemY, code, f.recipe.hinting, cell,
                        centredRange(cell, shiftY))
        .cov;
}

// A composed outline centred in the advance at the sharpest phase.
Coverage centredOutline(const GlyphOutline& g, const CellLayout& cell) {
    return placeOutline(g, cell, 0, cell.advance - 1.0, (cell.advance - 1.0 - inkWidth(g)) / 2).cov;
}

// Width of the vertical stem of the digits: the ink across the middle row
// of the hinted 1.
double digitStem(const DigitFont& f) {
    GlyphOutline one = load(f, f.digitPpemX, f.ppem, '1');
    InkBox b = inkBox(one);
    int w = static_cast<int>(std::ceil(b.xMax - b.xMin)) + 2;
    int h = static_cast<int>(std::ceil(f.digitHeight)) + 2;
    Coverage c = makeCoverage(w, h);
    rasterize(one, 1 - b.xMin, h - 1, c);
    double sum = 0;
    for (int x = 0; x < w; ++x)
        sum += coverageAt(c, x, h - 1 - static_cast<int>(f.digitHeight / 2));
    return sum;
}

// Plus and minus built from bars as thick as the face's strokes at this size
// (the minus sign's bar across, the digits' stem upright), on the middle of
// the digits, whole pixels throughout.
Coverage sign(const DigitFont& f, char ch, const CellLayout& cell) {
    InkBox minusSign = inkBox(load(f, f.ppem, f.ppem, 0x2212));
    double across = std::max(1.0, std::round(minusSign.yMax - minusSign.yMin));
    double upright = std::max(1.0, std::round(digitStem(f)));
    int plusAdvance = f.recipe.advances[f.recipe.charset.find('+')];
    double arm = plusAdvance - 1;
    if (static_cast<int>(arm - upright) % 2 != 0)
        arm -= 1;  // the upright bar exactly in the middle
    double barBottom = std::round(f.digitHeight / 2 - across / 2);
    GlyphOutline g;
    if (ch == '+') {
        double height = arm - static_cast<int>(arm - across) % 2;
        double bottom = barBottom - (height - across) / 2;
        appendRect(g, 0, barBottom, arm, barBottom + across);
        appendRect(g, (arm - upright) / 2, bottom, (arm + upright) / 2, bottom + height);
    } else {
        appendRect(g, 0, barBottom, cell.advance - 1, barBottom + across);
    }
    return centredOutline(g, cell);
}

// Two full stops, one above the other, centred on the digits.
Coverage colon(const DigitFont& f, const CellLayout& cell) {
    GlyphOutline dot = load(f, f.ppem, f.ppem, '.');
    InkBox b = inkBox(dot);
    double dotH = b.yMax - b.yMin;
    double spread = std::round(f.digitHeight * 0.27);  // dot centres this far from the middle
    double lowBottom = std::round(f.digitHeight / 2 - spread - dotH / 2);
    GlyphOutline g = dot;
    transformOutline(g, 1, 0, 1, lowBottom - b.yMin);
    GlyphOutline upper = dot;
    transformOutline(upper, 1, 0, 1, lowBottom + 2 * spread - b.yMin);
    appendOutline(g, upper);
    return centredOutline(g, cell);
}

// The degree ring, its top level with the tops of the digits.
Coverage degree(const DigitFont& f, const CellLayout& cell) {
    const unsigned ring = 0x00B0;
    double ppem = ppemToFit(f, ring, cell.advance - 2);
    GlyphOutline g = load(f, ppem, ppem, ring);
    double shift = std::round(f.digitHeight - inkBox(g).yMax);
    return centred(f, ppem, ppem, ring, cell, shift);
}

// Size of the small letters of the unit symbols: a k fills half the digit
// height. One size for every symbol of a font keeps their strokes alike.
double symbolPpem(const DigitFont& f) {
    double kPerPpem = inkBox(loadOutline(f.face, 1, 'k', false)).yMax;
    return std::floor((f.digitHeight - 1) / 2) / kPerPpem;
}

// The small letters of a unit symbol, hinted at the symbol size.
Coverage composeSymbol(const DigitFont& f, const CellLayout& cell, const Piece* pieces, int count) {
    Coverage out = makeCoverage(cell.advance, cell.height);
    double ppem = symbolPpem(f);
    for (int i = 0; i < count; ++i) {
        const Piece& p = pieces[i];
        unsigned code = static_cast<unsigned char>(p.letter);
        CellLayout c = cell;
        c.baseline = p.baseline;
        c.above = p.baseline;
        c.below = cell.height - p.baseline;
        FitRange range{p.left, p.right, 0, 0, true};
        addInto(out, fitNarrowing(f.face, ppem + START_STEPS * PPEM_STEP, ppem, code,
                                  f.recipe.hinting, c, range)
                         .cov);
    }
    return out;
}

// Feet (f over t), knots (k over t) and "n" (n over m), stacked in the rows
// of the digits.
Coverage stacked(const DigitFont& f, char upper, char lower, const CellLayout& cell) {
    double top = f.recipe.topRow - 1;  // row boundary above the digits
    double w = cell.advance - 1;
    double half = std::floor((f.digitHeight - 1) / 2);
    Piece p[2] = {{upper, 0, w, top + half}, {lower, 0, w, top + f.digitHeight}};
    return composeSymbol(f, cell, p, 2);
}

// Miles per hour: m, p and h stepping down from the upper left.
Coverage milesPerHour(const DigitFont& f, const CellLayout& cell) {
    double top = f.recipe.topRow - 1;
    double d = f.digitHeight;
    double ppem = symbolPpem(f);
    double xHeight =
        std::round(inkBox(loadOutlineXY(f.face, ppem, ppem, 'x', f.recipe.hinting)).yMax);
    double w = cell.advance - 1;
    Piece p[3] = {{'m', 0, w * 0.42, top + xHeight},
                  {'p', w * 0.42, w * 0.71, top + std::round(d * 0.62)},
                  {'h', w * 0.71, w, top + d}};
    return composeSymbol(f, cell, p, 3);
}

// One character of the font by its recipe.
Coverage glyph(const DigitFont& f, char ch, const CellLayout& cell) {
    unsigned code = static_cast<unsigned char>(ch);
    if (ch >= '0' && ch <= '9') return centred(f, f.digitPpemX, f.ppem, code, cell);
    switch (ch) {
        case '+':
        case '-': return sign(f, ch, cell);
        case ':': return colon(f, cell);
        case 'd': return degree(f, cell);
        case 'c': return centred(f, f.ppem, f.ppem, 'C', cell);
        case 'f': return centred(f, f.ppem, f.ppem, 'F', cell);
        case 't': return stacked(f, 'f', 't', cell);
        case 'k': return stacked(f, 'k', 't', cell);
        case 'n': return stacked(f, 'n', 'm', cell);
        case 'm':
            // In the smallest digit font "m" is an empty cell of its own width.
            if (f.recipe.name == "NUM_20") return makeCoverage(cell.advance, cell.height);
            return milesPerHour(f, cell);
        case '.':
        case ',':
        case '/': return centred(f, f.ppem, f.ppem, code, cell);
        default:
            std::fprintf(stderr, "fontgen: no glyph recipe for '%c' in %s\n", ch,
                         f.recipe.name.c_str());
            std::exit(1);
    }
}

}  // namespace

std::vector<Coverage> digitFontGlyphs(const FontRecipe& recipe, FT_Face face, double ppem,
                                      CellLayout (*cellFor)(const FontRecipe&, int)) {
    DigitFont f{recipe, face, ppem, 0, static_cast<double>(recipe.bottomRow - recipe.topRow + 1)};
    // One horizontal size for all ten digits keeps their strokes alike.
    f.digitPpemX = ppemXToFit(f, DIGITS, recipe.advances[0] - 1);
    std::vector<Coverage> cells;
    for (size_t k = 0; k < recipe.charset.size(); ++k)
        cells.push_back(glyph(f, recipe.charset[k], cellFor(recipe, recipe.advances[k])));
    return cells;
}
