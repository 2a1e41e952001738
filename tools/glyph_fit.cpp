// Fitting one face glyph into a fixed cell.
#include "tools/glyph_fit.h"

#include <algorithm>
#include <cmath>

namespace {

// Pixel phases tried for a glyph (steps of 1/16 pixel over one pixel).
constexpr int PHASE_STEPS = 16;
// Fuzziness added per pixel of distance from the preferred position, so that
// among equally sharp phases the one nearest the face's own placement wins.
constexpr double DISTANCE_PENALTY = 0.15;
// Fuzziness added per pixel a hinted glyph is made narrower than the widest
// size that fits, so it is only narrowed where that makes it clearly sharper.
constexpr double NARROWING_PENALTY = 1.0;
// Steps in which the horizontal size of a hinted glyph is reduced.
constexpr double PPEM_STEP = 1.0 / 32;
// A hinted glyph is narrowed by at most this many pixels, and by at most
// this share of its width (a narrow bracket must keep its curve).
constexpr double MAX_NARROWING = 1.25;
constexpr double MAX_NARROWING_SHARE = 0.15;
// A symbol squeezed below this horizontal scale is shrunk in both directions
// instead, by the square root of the squeeze, about its own middle.
constexpr double HARD_SQUEEZE = 0.62;

double hintedCapHeight(FT_Face face, double ppem, Hinting hinting) {
    return inkBox(loadOutlineXY(face, ppem, ppem, 'H', hinting)).yMax;
}

// Share of the free columns that goes to the left of the ink.
double leftShare(const GlyphOutline& g, bool centre) {
    InkBox b = inkBox(g);
    double lsb = std::max(0.0, b.xMin);
    double rsb = std::max(0.0, g.advance - b.xMax);
    return centre || lsb + rsb <= 0 ? 0.5 : lsb / (lsb + rsb);
}

}  // namespace

double inkWidth(const GlyphOutline& g) {
    InkBox b = inkBox(g);
    return b.empty ? 0 : b.xMax - b.xMin;
}

double ppemForCapHeight(FT_Face face, int capPx, Hinting hinting) {
    double capUnits = inkBox(loadOutline(face, face->units_per_EM, 'H', false)).yMax;
    double guess = capPx * face->units_per_EM / capUnits;
    double lo = 0, hi = 0;
    for (double p = guess - 1.5; p <= guess + 1.5; p += 1.0 / 64) {
        if (std::lround(hintedCapHeight(face, p, hinting)) != capPx) continue;
        if (lo == 0) lo = p;
        hi = p;
    }
    return lo == 0 ? guess : (lo + hi) / 2;
}

Placement placeOutline(GlyphOutline g, const CellLayout& cell, double left, double right,
                       double preferred) {
    fitVertically(g, cell.above, cell.below);
    InkBox box = inkBox(g);
    Placement best;
    best.cov = makeCoverage(cell.advance, cell.height);
    if (box.empty) {
        best.score = 0;
        return best;
    }
    double lo = left, hi = std::max(left, right - (box.xMax - box.xMin));
    preferred = std::clamp(preferred, lo, hi);
    for (int i = 0; i < PHASE_STEPS; ++i) {
        // Candidate ink start: near preferred, at phase i / PHASE_STEPS.
        double base = std::floor(preferred) + static_cast<double>(i) / PHASE_STEPS;
        for (double start : {base - 1, base, base + 1}) {
            if (start < lo - 1e-9 || start > hi + 1e-9) continue;
            Coverage c = makeCoverage(cell.advance, cell.height);
            rasterize(g, start - box.xMin, cell.baseline, c);
            double score = fuzziness(c) + DISTANCE_PENALTY * std::fabs(start - preferred);
            if (score < best.score) best = {c, score};
        }
    }
    if (best.score == 1e30) rasterize(g, lo - box.xMin, cell.baseline, best.cov);
    return best;
}

Placement fitNarrowing(FT_Face face, double ppemX, double ppemY, unsigned code, Hinting hinting,
                       const CellLayout& cell, const FitRange& range) {
    Placement best;
    double widest = -1;
    for (double px = ppemX; px > ppemY * 0.1; px -= PPEM_STEP) {
        GlyphOutline g = loadOutlineXY(face, px, ppemY, code, hinting);
        transformOutline(g, 1, 0, 1, range.shiftY);
        double w = inkWidth(g);
        double room = range.right - range.left;
        if (w > (range.maxInk > 0 ? std::min(range.maxInk, room) : room) + 1e-6) continue;
        if (widest < 0) widest = w;
        if (w < widest - std::min(MAX_NARROWING, widest * MAX_NARROWING_SHARE)) break;
        double slack = room - w;
        Placement p = placeOutline(g, cell, range.left, range.right,
                                   range.left + slack * leftShare(g, range.centre));
        p.score += NARROWING_PENALTY * (widest - w);
        if (p.score < best.score) best = p;
    }
    if (best.cov.width == 0) best.cov = makeCoverage(cell.advance, cell.height);
    return best;
}

Coverage fitGlyph(FT_Face face, double ppem, unsigned code, const CellLayout& cell, Hinting hinting,
                  bool keepShape) {
    GlyphOutline g = loadOutlineXY(face, ppem, ppem, code, hinting);
    double inkW = inkWidth(g);
    if (inkW <= 0) return makeCoverage(cell.advance, cell.height);
    FitRange range{0, cell.advance - 1.0, 0, 0, false};
    double sx = std::min(1.0, range.right / inkW);
    double ppemY = ppem;
    if (keepShape && sx < HARD_SQUEEZE) {
        ppemY = ppem * std::sqrt(sx);
        InkBox full = inkBox(g);
        g = loadOutlineXY(face, ppemY, ppemY, code, hinting);
        InkBox small = inkBox(g);
        range.shiftY = std::round((full.yMin + full.yMax - small.yMin - small.yMax) / 2);
        sx = std::min(1.0, range.right / inkWidth(g));
    }
    if (hinting == Hinting::Full) {
        // Start a few steps wider: hinting may narrow the ink.
        return fitNarrowing(face, ppemY * sx + 4 * PPEM_STEP, ppemY, code, hinting, cell, range)
            .cov;
    }
    transformOutline(g, sx, 0, 1, range.shiftY);
    double slack = std::max(0.0, range.right - inkWidth(g));
    return placeOutline(g, cell, 0, range.right, slack * leftShare(g, false)).cov;
}
