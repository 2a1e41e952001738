// 2 x 2 transforms, bilinear sampling and images drawn through a transform.
// gfx_blit_transformed -> the sampler for points within the image, then
// color_add_sat (additive drawing first narrows its scan to where the image's
// ink lands); gfx_sample_bilinear -> gfx_get_pixel; both samplers blend the
// neighbours with the four-channel lerp of gfx.h.
#include "gfx/xform.h"

#include "gfx/coord.h"
#include "gfx/gfx.h"
#include "gfx/trunc.h"

#include <algorithm>
#include <cmath>

// ---- Constants ------------------------------------------------------------

namespace {

// Half-side of the scanned square per pixel of the larger image side: just
// above the square root of 2, so every rotation of the image fits.
constexpr double SCAN_RADIUS_FACTOR = 1.415;
// Target pixels kept around the ink's mapped rectangle (which already holds
// the bilinear neighbours of the ink): far more than the float rounding of
// the per-pixel source point, below 1e-4 pixel for the transforms narrowed.
constexpr double INK_MARGIN = 2.0;
// Largest row-sum norm of the matrix and of its inverse for which the margin
// above still holds; other transforms (a tiny or huge scale, a near-singular
// matrix) scan the whole square.
constexpr double INK_NORM_LIMIT = 16.0;
// Limits of the ink's target corners before they become pixels; the scan
// square bounds the result anyway.
constexpr double INK_COORD_LIMIT = 1e6;

// ---- Types ----------------------------------------------------------------

// Pixels x0 <= x < x1, y0 <= y < y1.
struct PixelBox {
    int x0, y0, x1, y1;
};

// ---- Private helpers ------------------------------------------------------

// Sine and cosine of a single-precision angle, computed in double precision
// and rounded back to single.
float sinSingle(float a) { return static_cast<float>(std::sin(static_cast<double>(a))); }
float cosSingle(float a) { return static_cast<float>(std::cos(static_cast<double>(a))); }

// The inverse of the matrix times scale^2: for a rotation, the transposed
// rotation, mapping target offsets back to source points.
Transform2D inverseScaled(const Transform2D& xf) {
    const float s2 = xf.scale * xf.scale;
    return {s2 * xf.m11, s2 * -xf.m01, s2 * -xf.m10, s2 * xf.m00, xf.scale};
}

// The square scanned around the corner (cx, cy), clipped to the target.
PixelBox scanSquare(int w, int h, int sw, int sh, float cx, float cy) {
    const int r = truncToInt(std::max(sw, sh) * SCAN_RADIUS_FACTOR);
    const float fr = static_cast<float>(r);
    return {std::max(0, truncToInt(cx - fr)), std::max(0, truncToInt(cy - fr)),
            std::min(w, truncToInt(cx + fr)), std::min(h, truncToInt(cy + fr))};
}

// Some pixel x0 <= x < x1 of the row is not zero; one pass without branches,
// which the compiler turns into vector code.
bool anyInk(const uint32_t* row, int x0, int x1) {
    uint32_t any = 0;
    for (int x = x0; x < x1; ++x) any |= row[x];
    return any != 0;
}

// The smallest box (here with inclusive edges) holding every non-zero pixel
// of src, scanned row by row in memory; x0 > x1 when there is none.
PixelBox findInk(const uint32_t* src, int sw, int sh) {
    PixelBox ink{sw, sh, -1, -1};
    if (sw <= 0 || sh <= 0) return ink;
    for (int y = 0; y < sh; ++y) {
        const uint32_t* row = src + pixelIndex(sw, sh, 0, y);
        if (!anyInk(row, 0, sw)) continue;
        // Only ink left or right of the columns found so far widens the box.
        if (anyInk(row, 0, ink.x0)) {
            int first = 0;
            while (row[first] == 0) ++first;
            ink.x0 = first;
        }
        if (anyInk(row, ink.x1 + 1, sw)) {
            int last = sw - 1;
            while (row[last] == 0) --last;
            ink.x1 = last;
        }
        ink.y0 = std::min(ink.y0, y);
        ink.y1 = y;
    }
    return ink;
}

double rowSumNorm(double a, double b, double c, double d) {
    return std::max(std::fabs(a) + std::fabs(b), std::fabs(c) + std::fabs(d));
}

// The target pixels whose source point can sample the ink: the source
// rectangle one pixel around the ink, mapped forward through the inverse of
// inv, widened by the margin. False when inv is unsuitable.
bool inkTargetBox(const Transform2D& inv, const PixelBox& ink, float cx, float cy, PixelBox& box) {
    const double a = inv.m00, b = inv.m01, c = inv.m10, d = inv.m11;
    const double det = a * d - b * c;
    if (!std::isfinite(det) || det == 0.0) return false;
    const double fa = d / det, fb = -b / det, fc = -c / det, fd = a / det;
    if (!(rowSumNorm(a, b, c, d) <= INK_NORM_LIMIT) ||
        !(rowSumNorm(fa, fb, fc, fd) <= INK_NORM_LIMIT))
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
    auto toPixel = [](double v) {
        return truncToInt(std::clamp(v, -INK_COORD_LIMIT, INK_COORD_LIMIT));
    };
    box = {toPixel(std::floor(xMin - INK_MARGIN)), toPixel(std::floor(yMin - INK_MARGIN)),
           toPixel(std::ceil(xMax + INK_MARGIN)) + 1, toPixel(std::ceil(yMax + INK_MARGIN)) + 1};
    return true;
}

// The part of the scan where an additive draw can change anything: outside
// the ink's target box every sample is transparent black, which adds nothing.
PixelBox inkOnly(const PixelBox& scan, const Transform2D& inv, const uint32_t* src, int sw, int sh,
                 float cx, float cy) {
    const PixelBox ink = findInk(src, sw, sh);
    if (ink.x0 > ink.x1) return {0, 0, 0, 0};
    PixelBox box;
    if (!inkTargetBox(inv, ink, cx, cy, box)) return scan;
    return {std::max(scan.x0, box.x0), std::max(scan.y0, box.y0), std::min(scan.x1, box.x1),
            std::min(scan.y1, box.y1)};
}

// The four neighbours blended along v first (c00 to c01, c10 to c11), then
// along u, as three color_lerp calls would: the two intermediate colours
// truncate as stored colours do. WithinImage: both weights are known to lie
// within 0..1, so each blend of channels within 0..255 stays within them but
// for a rounding far below 1, which the truncation absorbs, and color_lerp's
// limits can be left out.
template <bool WithinImage>
uint32_t blendNeighbours(uint32_t c00, uint32_t c01, uint32_t c10, uint32_t c11, float tx,
                         float ty) {
    using namespace gfx_detail;
    const auto lerp = [](Floats4 a, Floats4 b, float t) {
        const Floats4 v = (1.0f - t) * a + t * b;
        if constexpr (WithinImage) return v;
        return limited(v);
    };
    const Floats4 a = truncated(lerp(channelsOf(c00), channelsOf(c01), ty));
    const Floats4 b = truncated(lerp(channelsOf(c10), channelsOf(c11), ty));
    return pixelOf(lerp(a, b, tx));
}

// gfx_sample_bilinear for a point with 0 <= u <= sw and 0 <= v <= sh: the
// truncations need no range checks, and where all four neighbours lie inside
// the image (nearly always) they are read without any; row y0 + 1 lies just
// before row y0 in memory.
uint32_t sampleWithin(const uint32_t* src, int sw, int sh, float u, float v) {
    const int x0 = static_cast<int>(u), y0 = static_cast<int>(v);
    const float tx = u - static_cast<float>(x0), ty = v - static_cast<float>(y0);
    uint32_t c00, c01, c10, c11;
    if (x0 + 1 < sw && y0 + 1 < sh) {
        const uint32_t* p = src + pixelIndex(sw, sh, x0, y0);
        c00 = p[0];
        c10 = p[1];
        c01 = p[-static_cast<int64_t>(sw)];
        c11 = p[1 - static_cast<int64_t>(sw)];
    } else {
        c00 = gfx_get_pixel(src, sw, sh, x0, y0);
        c01 = gfx_get_pixel(src, sw, sh, x0, y0 + 1);
        c10 = gfx_get_pixel(src, sw, sh, x0 + 1, y0);
        c11 = gfx_get_pixel(src, sw, sh, x0 + 1, y0 + 1);
    }
    // Blending zeros gives 0 for any weight: the transparent parts of an image
    // skip the three interpolations.
    if ((c00 | c01 | c10 | c11) == 0) return 0;
    return blendNeighbours<true>(c00, c01, c10, c11, tx, ty);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Rotates each row (a, b) of the matrix to (a c - b s, b c + a s); scale stays.
void xform_rotate(Transform2D& xf, float angle) {
    const float s = sinSingle(angle), c = cosSingle(angle);
    const Transform2D old = xf;
    xf.m00 = old.m00 * c - old.m01 * s;
    xf.m01 = old.m01 * c + old.m00 * s;
    xf.m10 = old.m10 * c - old.m11 * s;
    xf.m11 = old.m11 * c + old.m10 * s;
}

// (x, y) becomes the matrix times (x, y), both from the old values.
void xform_apply(const Transform2D& m, float& x, float& y) {
    const float nx = m.m00 * x + m.m01 * y;
    const float ny = m.m10 * x + m.m11 * y;
    x = nx;
    y = ny;
}

// Bilinear sample of src at (u, v): first along v, then along u; neighbours
// outside the image count as 0, so drawn edges fade to transparent black.
uint32_t gfx_sample_bilinear(const uint32_t* src, int sw, int sh, float u, float v) {
    const int x0 = truncToInt(u), y0 = truncToInt(v);
    const float tx = u - static_cast<float>(x0), ty = v - static_cast<float>(y0);
    const int x1 = coordAdd(x0, 1), y1 = coordAdd(y0, 1);
    const uint32_t c00 = gfx_get_pixel(src, sw, sh, x0, y0);
    const uint32_t c01 = gfx_get_pixel(src, sw, sh, x0, y1);
    const uint32_t c10 = gfx_get_pixel(src, sw, sh, x1, y0);
    const uint32_t c11 = gfx_get_pixel(src, sw, sh, x1, y1);
    if ((c00 | c01 | c10 | c11) == 0) return 0;
    return blendNeighbours<false>(c00, c01, c10, c11, tx, ty);
}

// Draws src through xf, its top-left corner at (cx, cy), drawn at 1 / scale^2
// of its size; scans a square around (cx, cy) clipped to the target, storing
// or (additive) adding each sample whose source point lies within the image.
// An additive draw skips the part of the square its ink cannot reach, with
// the same pixels as the whole scan.
void gfx_blit_transformed(uint32_t* buf, int w, int h, const uint32_t* src, int sw, int sh,
                          float cx, float cy, const Transform2D& xf, bool additive) {
    const Transform2D inv = inverseScaled(xf);
    PixelBox box = scanSquare(w, h, sw, sh, cx, cy);
    if (additive) box = inkOnly(box, inv, src, sw, sh, cx, cy);
    const float fsw = static_cast<float>(sw), fsh = static_cast<float>(sh);

    // Each source point is the inverse matrix times (x - cx, y - cy), as
    // xform_apply computes it; the products of the row's offset are the same
    // for the whole row.
    for (int y = box.y0; y < box.y1; ++y) {
        const float dy = static_cast<float>(y) - cy;
        const float uRow = inv.m01 * dy, vRow = inv.m11 * dy;
        uint32_t* row = buf + pixelIndex(w, h, 0, y);
        for (int x = box.x0; x < box.x1; ++x) {
            const float dx = static_cast<float>(x) - cx;
            const float u = inv.m00 * dx + uRow, v = inv.m10 * dx + vRow;
            // Written as "inside" so that a NaN source point is skipped too.
            if (!(u >= 0.0f && u <= fsw && v >= 0.0f && v <= fsh)) continue;
            const uint32_t c = sampleWithin(src, sw, sh, u, v);
            row[x] = additive ? color_add_sat(row[x], c) : c;
        }
    }
}
