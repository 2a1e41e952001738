// 2 x 2 transforms, bilinear sampling and images drawn through a transform.
// gfx_blit_transformed -> xform_apply, gfx_sample_bilinear, color_add_sat;
// gfx_sample_bilinear -> gfx_get_pixel, color_lerp.
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
    // Blending zeros gives 0 for any weight: the transparent parts of an image
    // skip the three interpolations.
    if ((c00 | c01 | c10 | c11) == 0) return 0;
    const uint32_t a = color_lerp(c00, c01, ty);
    const uint32_t b = color_lerp(c10, c11, ty);
    return color_lerp(a, b, tx);
}

// Draws src through xf, its top-left corner at (cx, cy), drawn at 1 / scale^2
// of its size; scans a square around (cx, cy) clipped to the target, storing
// or (additive) adding each sample whose source point lies within the image.
void gfx_blit_transformed(uint32_t* buf, int w, int h, const uint32_t* src, int sw, int sh, float cx,
                          float cy, const Transform2D& xf, bool additive) {
    const Transform2D inv = inverseScaled(xf);
    const int r = truncToInt(std::max(sw, sh) * SCAN_RADIUS_FACTOR);
    const float fr = static_cast<float>(r);
    const int xBegin = std::max(0, truncToInt(cx - fr)), xEnd = std::min(w, truncToInt(cx + fr));
    const int yBegin = std::max(0, truncToInt(cy - fr)), yEnd = std::min(h, truncToInt(cy + fr));
    const float fsw = static_cast<float>(sw), fsh = static_cast<float>(sh);

    for (int y = yBegin; y < yEnd; ++y) {
        for (int x = xBegin; x < xEnd; ++x) {
            float u = static_cast<float>(x) - cx, v = static_cast<float>(y) - cy;
            xform_apply(inv, u, v);
            // Written as "inside" so that a NaN source point is skipped too.
            if (!(u >= 0.0f && u <= fsw && v >= 0.0f && v <= fsh)) continue;
            const uint32_t c = gfx_sample_bilinear(src, sw, sh, u, v);
            const uint32_t old = gfx_get_pixel_unchecked(buf, w, h, x, y);
            gfx_put_pixel_unchecked(buf, w, h, x, y, additive ? color_add_sat(old, c) : c);
        }
    }
}
