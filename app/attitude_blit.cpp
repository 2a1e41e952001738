// Additive transformed drawing restricted to the part of the scan square
// where the source's ink can land.
// blitInkAdditive -> xform_apply, gfx_sample_bilinear (per pixel exactly as
// gfx_blit_transformed), or gfx_blit_transformed itself for transforms that
// are too far from a rotation for the restriction to be safe.
#include "app/attitude_blit.h"

#include <algorithm>
#include <cmath>

#include "gfx/gfx.h"
#include "gfx/trunc.h"

// ---- Constants ------------------------------------------------------------

namespace {

// The scan square of gfx_blit_transformed: this many pixels around the corner
// per pixel of the larger source side.
constexpr double SCAN_RADIUS_FACTOR = 1.415;
// Target pixels kept around the mapped rectangle (which already holds the
// bilinear neighbours of the ink): far more than the float rounding of the
// per-pixel source point, below 1e-4 pixel for the transforms accepted here.
constexpr double TARGET_MARGIN = 2.0;
// Largest row-sum norm of the matrix and of its inverse for which the margin
// above still holds; larger ones (a tiny or huge scale, a near-singular
// matrix) take the full scan.
constexpr double NORM_LIMIT = 16.0;

// ---- Types ----------------------------------------------------------------

// Half-open pixel ranges [x0, x1) x [y0, y1).
struct Span {
    int x0, y0, x1, y1;
};

// ---- Private helpers ------------------------------------------------------

// The matrix that maps target offsets from the corner back to source points,
// computed exactly as gfx_blit_transformed computes it.
Transform2D inverseScaled(const Transform2D& xf) {
    const float s2 = xf.scale * xf.scale;
    return {s2 * xf.m11, s2 * -xf.m01, s2 * -xf.m10, s2 * xf.m00, xf.scale};
}

// The scan square of gfx_blit_transformed, clipped to the target.
Span scanSquare(int w, int h, int sw, int sh, float cx, float cy) {
    const int r = truncToInt(std::max(sw, sh) * SCAN_RADIUS_FACTOR);
    const float fr = static_cast<float>(r);
    return {std::max(0, truncToInt(cx - fr)), std::max(0, truncToInt(cy - fr)),
            std::min(w, truncToInt(cx + fr)), std::min(h, truncToInt(cy + fr))};
}

double rowSumNorm(double a, double b, double c, double d) {
    return std::max(std::fabs(a) + std::fabs(b), std::fabs(c) + std::fabs(d));
}

// The target pixels whose source point can sample the ink: the source
// rectangle one pixel around the ink, mapped forward through the inverse of
// inv, widened by the margin. False when inv is unsuitable.
bool inkTargetBox(const Transform2D& inv, const InkBox& ink, float cx, float cy, Span& box) {
    const double a = inv.m00, b = inv.m01, c = inv.m10, d = inv.m11;
    const double det = a * d - b * c;
    if (!std::isfinite(det) || det == 0.0) return false;
    const double fa = d / det, fb = -b / det, fc = -c / det, fd = a / det;
    if (!(rowSumNorm(a, b, c, d) <= NORM_LIMIT) || !(rowSumNorm(fa, fb, fc, fd) <= NORM_LIMIT))
        return false;

    const double us[2] = {ink.x0 - 1.0, ink.x1 + 1.0};
    const double vs[2] = {ink.y0 - 1.0, ink.y1 + 1.0};
    double xMin = INFINITY, xMax = -INFINITY, yMin = INFINITY, yMax = -INFINITY;
    for (double u : us) {
        for (double v : vs) {
            const double x = cx + fa * u + fb * v, y = cy + fc * u + fd * v;
            xMin = std::min(xMin, x);
            xMax = std::max(xMax, x);
            yMin = std::min(yMin, y);
            yMax = std::max(yMax, y);
        }
    }
    // The scan square bounds the result, so the limits keep the conversions in range.
    auto toPixel = [](double v) { return truncToInt(std::clamp(v, -1e6, 1e6)); };
    box = {toPixel(std::floor(xMin - TARGET_MARGIN)), toPixel(std::floor(yMin - TARGET_MARGIN)),
           toPixel(std::ceil(xMax + TARGET_MARGIN)) + 1,
           toPixel(std::ceil(yMax + TARGET_MARGIN)) + 1};
    return true;
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Scans the image once for its non-zero pixels, row by row in memory.
InkBox findInk(const uint32_t* src, int sw, int sh) {
    InkBox ink{sw, sh, -1, -1};
    for (int y = 0; y < sh; ++y) {
        const uint32_t* row = src + static_cast<int64_t>(sw) * (sh - 1 - y);
        int first = 0;
        while (first < sw && row[first] == 0) ++first;
        if (first == sw) continue;
        int last = sw - 1;
        while (row[last] == 0) --last;
        ink = {std::min(ink.x0, first), std::min(ink.y0, y), std::max(ink.x1, last), y};
    }
    return ink;
}

// Outside the ink's target box every sample is transparent black, which adds
// nothing; inside it each pixel is computed exactly as gfx_blit_transformed
// computes it.
void blitInkAdditive(uint32_t* buf, int w, int h, const uint32_t* src, int sw, int sh,
                     const InkBox& ink, float cx, float cy, const Transform2D& xf) {
    if (ink.x0 > ink.x1 || ink.y0 > ink.y1) return;
    const Transform2D inv = inverseScaled(xf);
    Span box;
    if (!inkTargetBox(inv, ink, cx, cy, box)) {
        gfx_blit_transformed(buf, w, h, src, sw, sh, cx, cy, xf, true);
        return;
    }
    const Span scan = scanSquare(w, h, sw, sh, cx, cy);
    const int xBegin = std::max(scan.x0, box.x0), xEnd = std::min(scan.x1, box.x1);
    const int yBegin = std::max(scan.y0, box.y0), yEnd = std::min(scan.y1, box.y1);
    const float fsw = static_cast<float>(sw), fsh = static_cast<float>(sh);

    for (int y = yBegin; y < yEnd; ++y) {
        for (int x = xBegin; x < xEnd; ++x) {
            float u = static_cast<float>(x) - cx, v = static_cast<float>(y) - cy;
            xform_apply(inv, u, v);
            if (!(u >= 0.0f && u <= fsw && v >= 0.0f && v <= fsh)) continue;
            const uint32_t c = gfx_sample_bilinear(src, sw, sh, u, v);
            const uint32_t old = gfx_get_pixel_unchecked(buf, w, h, x, y);
            gfx_put_pixel_unchecked(buf, w, h, x, y, color_add_sat(old, c));
        }
    }
}
