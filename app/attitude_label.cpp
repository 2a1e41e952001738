// Additive drawing of the pitch ladder's rotated numbers.
#include "app/attitude_label.h"

// ---- Public operations ----------------------------------------------------

// Draws src through xf, adding it onto buf.
void blitLabelAdditive(uint32_t* buf, int w, int h, const uint32_t* src, int sw, int sh, float cx,
                       float cy, const Transform2D& xf) {
    gfx_blit_transformed(buf, w, h, src, sw, sh, cx, cy, xf, true);
}
