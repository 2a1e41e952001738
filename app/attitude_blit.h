// Additive drawing of the attitude page's scratch images (the rotated ladder
// numbers, the slip ball): the same pixels as gfx_blit_transformed in
// additive mode, but only where the image's ink can land. A rotated number
// scans a square of about 90 x 90 pixels, of which its ink covers a few
// hundred; everywhere else the sample is transparent black and adding it
// changes nothing.
#pragma once

#include <cstdint>

#include "gfx/xform.h"

// The smallest rectangle (edges inclusive) holding every non-zero pixel of an
// image; x0 > x1 when the image is all zero.
struct InkBox {
    int x0, y0, x1, y1;
};

// The ink of src (sw x sh, the usual bottom-up layout).
InkBox findInk(const uint32_t* src, int sw, int sh);
// Same pixels as gfx_blit_transformed(buf, w, h, src, sw, sh, cx, cy, xf,
// true); ink must be findInk of src.
void blitInkAdditive(uint32_t* buf, int w, int h, const uint32_t* src, int sw, int sh,
                     const InkBox& ink, float cx, float cy, const Transform2D& xf);
