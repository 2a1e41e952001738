// Anti-aliased line after Xiaolin Wu: two pixels per step along the major axis.
// gfx_line_aa -> the four-channel lerp of gfx.h on each pixel inside the buffer.
#include "gfx/gfx.h"

#include "gfx/trunc.h"

#include <climits>
#include <cmath>
#include <utility>

// ---- Constants ------------------------------------------------------------

namespace {

// A delta smaller than this is replaced by +MIN_DELTA, so a horizontal or
// vertical line keeps a tiny slope instead of dividing by zero.
constexpr float MIN_DELTA = 0.1f;
// Slopes at or below these are too flat to move a clipped point along the
// minor axis (start against row 0, the other minor-axis clips).
constexpr float MIN_SLOPE_START_TOP = 0.001f;
constexpr float MIN_SLOPE_CLIP = 0.01f;
// A clipped start this far left of column 0 only occurs when the line runs
// away from the buffer (its slope is at least 0.001 and it starts outside the
// minor-axis range heading further out), so none of its pixels can land inside.
constexpr int MAX_LEAD_COLUMNS = 4096;

// ---- Types ----------------------------------------------------------------

// The line in major/minor coordinates: x is the major axis; a steep line
// exchanges the two coordinates on every pixel access.
struct Axes {
    uint32_t* buf;
    int w, h;
    bool steep;
    gfx_detail::Floats4 colour;  // the line's colour, unpacked once
};

// ---- Private helpers ------------------------------------------------------

// Moves pixel (major, minor) towards the line's colour by weight t, as
// color_lerp does; a pixel outside the buffer is left alone.
void blend(const Axes& a, int major, int minor, float t) {
    using namespace gfx_detail;
    const int x = a.steep ? minor : major, y = a.steep ? major : minor;
    if (!inside(a.w, a.h, x, y)) return;
    uint32_t& p = a.buf[pixelIndex(a.w, a.h, x, y)];
    p = pixelOf(lerpChannels(channelsOf(p), a.colour, t));
}

// The two pixels of column px around the minor coordinate yy, each scaled by
// weight: row truncate(yy) by the distance to the next row, the next row by
// the rest.
void blendColumn(const Axes& a, int px, float yy, float weight) {
    const int iy = truncToInt(yy);
    const float f = (static_cast<float>(iy) + 1.0f) - yy;
    const float f2 = 1.0f - f;
    blend(a, px, iy, weight * f);
    if (iy < INT_MAX) blend(a, px, iy + 1, weight * f2);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Anti-aliased line in single precision; draws columns truncate(x0) to
// truncate(x1) of the major axis at full weight plus a partial column after
// the end. A line with a non-finite coordinate, or whose clipping leaves no
// segment (start beyond end), draws nothing.
void gfx_line_aa(uint32_t* buf, int w, int h, float x0, float y0, float x1, float y1, uint32_t c) {
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return;

    float dy = y1 - y0, dx = x1 - x0;
    if (std::fabs(dy) < MIN_DELTA) dy = MIN_DELTA;
    if (std::fabs(dx) < MIN_DELTA) dx = MIN_DELTA;

    int W = w, H = h;
    const bool steep = std::fabs(dy) > std::fabs(dx);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
        std::swap(dx, dy);
        std::swap(W, H);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const float g = dy / dx;
    const float fw = static_cast<float>(W), fh = static_cast<float>(H);

    // Clip both ends against the major axis first; the minor-axis clips below
    // move each end along the line and must not carry it past the other end.
    if (x0 < 0.0f) {
        y0 = y0 + (-1.0f - x0) * g;
        x0 = -1.0f;
    }
    if (x1 > fw) {
        y1 = y1 + (fw - x1 + 1.0f) * g;
        x1 = fw + 1.0f;
    }
    if (x1 < 0.0f) {
        y1 = y1 + (-1.0f - x1) * g;
        x1 = -1.0f;
    }
    const float startX = x0, endX = x1;
    if (y0 < 0.0f && std::fabs(g) > MIN_SLOPE_START_TOP) {
        x0 = x0 + -y0 / g;
        y0 = 0.0f;
    }
    if (y0 > fh && std::fabs(g) > MIN_SLOPE_CLIP) {
        x0 = x0 + (fh - y0 + 1.0f) / g;
        y0 = fh + 1.0f;
    }
    if (y1 < 0.0f && std::fabs(g) > MIN_SLOPE_CLIP) {
        x1 = x1 + -y1 / g;
        y1 = 0.0f;
    }
    if (y1 > fh && std::fabs(g) > MIN_SLOPE_CLIP) {
        x1 = x1 + (fh - y1 + 1.0f) / g;
        y1 = fh + 1.0f;
    }
    // A segment wholly outside the minor-axis range has its start pushed past
    // its end (or the reverse): it has nothing to draw.
    if (x0 > x1 || x0 > endX || x1 < startX) return;

    int px = truncToInt(x0);
    // Columns at or beyond W can never be drawn, nor can a start that far left.
    if (px < -MAX_LEAD_COLUMNS || px >= W) return;
    const Axes axes{buf, w, h, steep, gfx_detail::channelsOf(c)};
    const float xgap = x0 - static_cast<float>(px);
    float yy = y0 - xgap * g;

    blendColumn(axes, px, yy, 1.0f - xgap);
    ++px;
    yy = yy + g;
    while (static_cast<float>(px) <= x1 && px < W) {
        blendColumn(axes, px, yy, 1.0f);
        ++px;
        yy = yy + g;
    }
    const float fe = x1 - static_cast<float>(truncToInt(x1));
    blendColumn(axes, px, yy, fe);
}
