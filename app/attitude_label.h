// Additive drawing of the pitch ladder's rotated numbers.
#pragma once

#include <cstdint>

#include "gfx/xform.h"

// Same pixels as gfx_blit_transformed(buf, w, h, src, sw, sh, cx, cy, xf, true).
void blitLabelAdditive(uint32_t* buf, int w, int h, const uint32_t* src, int sw, int sh, float cx,
                       float cy, const Transform2D& xf);
