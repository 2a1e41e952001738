// Opaque rectangles, runs and copies, and the two bitmap formats.
// gfx_fill_rect -> gfx_hspan (row-wise stores after clipping);
// gfx_blit clips rows and columns, then copies row by row;
// gfx_draw_icon4 -> color_scale once per nibble value, then gfx_get_pixel /
// gfx_put_pixel; gfx_draw_image444 clips rows and columns like gfx_blit.
#include "gfx/gfx.h"

#include "gfx/coord.h"

#include <algorithm>

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int NIBBLE_MAX = 15;
constexpr int TINT_STEPS = 16;  // a full nibble scales the tint by 16
constexpr uint32_t OPAQUE = 0xFF000000u;

// ---- Private helpers ------------------------------------------------------

// The first index i >= 0 whose position start + i is >= 0.
int64_t firstInside(int64_t start) { return std::max<int64_t>(0, -start); }

// One past the last index i < n whose position start + i is < limit.
int64_t endInside(int64_t start, int64_t n, int64_t limit) {
    return std::min<int64_t>(n, limit - start);
}

// Adds a nibble's scaled tint to pixel (x, y).
void addNibble(uint32_t* buf, int w, int h, int x, int y, uint32_t scaled) {
    gfx_put_pixel(buf, w, h, x, y, color_add_sat(gfx_get_pixel(buf, w, h, x, y), scaled));
}

// A 12-bit 0x0RGB value as an opaque colour; each 4-bit channel becomes the
// high nibble of its byte.
uint32_t colourFrom444(uint16_t v) {
    const uint32_t r = (v >> 8) & 0xFu, g = (v >> 4) & 0xFu, b = v & 0xFu;
    return OPAQUE | r << 20 | g << 12 | b << 4;
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Opaque rectangle; corners in either order, far edges exclusive.
void gfx_fill_rect(uint32_t* buf, int w, int h, int x0, int y0, int x1, int y1, uint32_t c) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    for (int y = std::max(y0, 0); y < std::min(y1, h); ++y) gfx_hspan(buf, w, h, x0, x1, y, c);
}

// Opaque run x0 <= x < x1 on row y, clipped to the buffer.
void gfx_hspan(uint32_t* buf, int w, int h, int x0, int x1, int y, uint32_t c) {
    if (y < 0 || y >= h) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, w);
    if (x0 >= x1) return;
    std::fill(buf + pixelIndex(w, h, x0, y), buf + pixelIndex(w, h, x1, y), c);
}

// Opaque copy of src (same layout) with its top-left corner at (x, y); rows
// and columns that fall outside the buffer are skipped, the rest copied row
// by row (rows run left to right in memory in both layouts).
void gfx_blit(uint32_t* buf, int w, int h, const uint32_t* src, int sw, int sh, int x, int y) {
    const int64_t i0 = firstInside(y), i1 = endInside(y, sh, h);
    const int64_t j0 = firstInside(x), j1 = endInside(x, sw, w);
    if (j0 >= j1) return;
    for (int64_t i = i0; i < i1; ++i) {
        const uint32_t* from = src + pixelIndex(sw, sh, static_cast<int>(j0), static_cast<int>(i));
        uint32_t* to = buf + pixelIndex(w, h, static_cast<int>(x + j0), static_cast<int>(y + i));
        std::copy(from, from + (j1 - j0), to);
    }
}

// Additive 4-bit icon: data rows bottom first, the first lands on row y + ih,
// the last on row y + 1; high nibble left.
void gfx_draw_icon4(uint32_t* buf, int w, int h, const uint8_t* data, int iw, int ih, int x, int y,
                    uint32_t tint) {
    // The tint scaled by each nibble's intensity, (n x 16) / 15, once per icon.
    uint32_t scaled[NIBBLE_MAX + 1];
    for (int n = 0; n <= NIBBLE_MAX; ++n)
        scaled[n] = color_scale(tint, (n * TINT_STEPS) / NIBBLE_MAX);
    for (int i = 0; i < iw / 2; ++i) {
        const int left = coordAdd(x, 2 * static_cast<int64_t>(i));
        const int right = coordAdd(left, 1);
        for (int j = 0; j < ih; ++j) {
            const uint8_t byte = data[i + (static_cast<int64_t>(j) * iw) / 2];
            const int row = coordAdd(y, static_cast<int64_t>(ih) - j);
            addNibble(buf, w, h, left, row, scaled[byte >> 4]);
            addNibble(buf, w, h, right, row, scaled[byte & 0xF]);
        }
    }
}

// Opaque 12-bit colour picture, rows bottom first, covering rows y .. y + ih - 1;
// rows and columns outside the buffer are skipped, as with gfx_blit.
void gfx_draw_image444(uint32_t* buf, int w, int h, const uint16_t* data, int iw, int ih, int x,
                       int y) {
    const int64_t j0 = firstInside(x), j1 = endInside(x, iw, w);
    if (j0 >= j1) return;
    for (int64_t j = 0; j < ih; ++j) {
        const int64_t row = static_cast<int64_t>(y) + ih - 1 - j;
        if (row < 0 || row >= h) continue;
        const uint16_t* from = data + static_cast<int64_t>(iw) * j;
        uint32_t* to = buf + pixelIndex(w, h, static_cast<int>(x + j0), static_cast<int>(row));
        for (int64_t i = j0; i < j1; ++i) *to++ = colourFrom444(from[i]);
    }
}
