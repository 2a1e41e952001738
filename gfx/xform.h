// 2 x 2 transforms, bilinear sampling and transformed image drawing.
// gfx_blit_transformed -> the bilinear sampler (then stores into its clipped
// scan square); gfx_sample_bilinear -> gfx_get_pixel, the four-channel lerp.
#pragma once

#include <cstdint>

struct Transform2D {
    float m00, m01;
    float m10, m11;
    float scale;  // the image is drawn at 1 / scale^2 of its natural size
};

// Rotates the matrix in place by angle (radians); the scale stays.
void xform_rotate(Transform2D& xf, float angle);
// (x, y) becomes the matrix times (x, y).
void xform_apply(const Transform2D& m, float& x, float& y);
// Colour of src at the fractional point (u, v); outside points count as 0.
uint32_t gfx_sample_bilinear(const uint32_t* src, int sw, int sh, float u, float v);
// Draws src through xf with its top-left corner at (cx, cy), optionally adding;
// adding scans only where the image's non-zero pixels can land.
void gfx_blit_transformed(uint32_t* buf, int w, int h, const uint32_t* src, int sw, int sh,
                          float cx, float cy, const Transform2D& xf, bool additive);
