// Fitting one face glyph into a fixed cell: a given advance, a given baseline,
// limits above and below it; scaled, placed and phase-aligned so its stems
// fall on whole pixels where the cell leaves room.
#pragma once

#include "tools/glyph_raster.h"

struct CellLayout {
    int advance = 0;
    int height = 0;
    double baseline = 0;  // rows from the top edge of the cell to the baseline
    double above = 0;     // pixels the glyph may reach above the baseline
    double below = 0;     // pixels it may reach below
};

struct Placement {
    Coverage cov;
    double score = 1e30;  // fuzziness plus penalties; lower is sharper
};

// Pixels per em at which the hinted capital H of the face is exactly capPx
// pixels tall (the middle of the range of sizes that give that height).
double ppemForCapHeight(FT_Face face, int capPx, Hinting hinting);

// Width of the ink, 0 for an empty glyph.
double inkWidth(const GlyphOutline& g);

// Renders code into the cell, never wider than the face draws it, narrower
// where the advance less one free column demands, best width and pixel phase
// chosen, the free share of the columns split as the face's side bearings
// split it. keepShape marks a symbol that is shrunk in both directions
// rather than squeezed hard.
Coverage fitGlyph(FT_Face face, double ppem, unsigned code, const CellLayout& cell, Hinting hinting,
                  bool keepShape);

// Columns [left, right) the ink may use, its widest width (0: the whole
// range), whole pixels it is raised by before vertical fitting, and whether
// it is centred or follows its side bearings.
struct FitRange {
    double left = 0, right = 0;
    double maxInk = 0;
    double shiftY = 0;
    bool centre = false;
};

// Loads code at horizontal sizes from ppemX down, keeps those whose ink fits
// the range, and returns the sharpest placement; narrowing is penalised, so
// a glyph only becomes narrower where that puts its stems on whole pixels.
Placement fitNarrowing(FT_Face face, double ppemX, double ppemY, unsigned code, Hinting hinting,
                       const CellLayout& cell, const FitRange& range);

// Places an outline in the cell: vertically fitted, then moved horizontally
// within [left, right) to the sharpest pixel phase near preferred (the ink's
// left edge).
Placement placeOutline(GlyphOutline g, const CellLayout& cell, double left, double right,
                       double preferred);
