// The splash picture, painted with the glyph rasteriser: shapes are outlines
// in screen coordinates, filled with exact-area coverage and blended.
#include "tools/splash_art.h"

#include "tools/glyph_raster.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace {

struct Rgb {
    double r, g, b;
};

using Shade = std::function<Rgb(double x, double y)>;

// Emblem: a ring around an attitude ball.
constexpr double EMBLEM_X = 64, EMBLEM_Y = 38;
constexpr double RING_OUTER = 28, RING_INNER = 24.5;
constexpr double BANK_DEG = -12;                             // the horizon's tilt
constexpr double HORIZON_DROP = 6;                           // horizon below the centre (pitch up)
constexpr double PITCH_MARK_NEAR = 10, PITCH_MARK_FAR = 19;  // pixels above the horizon
// Maker's name and caption.
constexpr double WORDMARK_BASELINE = 80, WORDMARK_CAP = 8;
constexpr double CAPTION_BASELINE = 133, CAPTION_CAP = 6;
constexpr double DIVIDER_Y = 118;
constexpr double PI = 3.14159265358979323846;

struct Canvas {
    std::vector<Rgb> px = std::vector<Rgb>(SPLASH_W * SPLASH_H, Rgb{0, 0, 0});
};

// Outlines are built in screen coordinates (y down) and stored with y negated,
// so rasterising with the baseline at row 0 puts them where they were drawn.
void addContour(GlyphOutline& g, const std::vector<double>& xs, const std::vector<double>& ys,
                const std::vector<char>& tags) {
    for (size_t i = 0; i < xs.size(); ++i) {
        g.x.push_back(xs[i]);
        g.y.push_back(-ys[i]);
        g.tags.push_back(tags[i]);
    }
    g.contours.push_back(static_cast<short>(g.x.size() - 1));
}

void addPolygon(GlyphOutline& g, const std::vector<double>& xy) {
    std::vector<double> xs, ys;
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        xs.push_back(xy[i]);
        ys.push_back(xy[i + 1]);
    }
    addContour(g, xs, ys, std::vector<char>(xs.size(), FT_CURVE_TAG_ON));
}

// A circle from eight conic arcs; reversed circles cut holes into others.
void addCircle(GlyphOutline& g, double cx, double cy, double r, bool reversed = false) {
    std::vector<double> xs, ys;
    std::vector<char> tags;
    double control = r / std::cos(PI / 8);
    for (int i = 0; i < 16; ++i) {
        double a = (reversed ? -1 : 1) * i * PI / 8;
        double rr = i % 2 == 0 ? r : control;
        xs.push_back(cx + rr * std::cos(a));
        ys.push_back(cy + rr * std::sin(a));
        tags.push_back(i % 2 == 0 ? FT_CURVE_TAG_ON : FT_CURVE_TAG_CONIC);
    }
    addContour(g, xs, ys, tags);
}

// A straight band of the given thickness from (x0, y0) to (x1, y1).
void addBand(GlyphOutline& g, double x0, double y0, double x1, double y1, double thickness) {
    double dx = x1 - x0, dy = y1 - y0;
    double len = std::hypot(dx, dy);
    double nx = -dy / len * thickness / 2, ny = dx / len * thickness / 2;
    addPolygon(g, {x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny});
}

// Text in a face, centred on cx with its baseline on row baseline; capHeight
// sets the size, squeeze narrows the letters, tracking adds pixels between them.
GlyphOutline textOutline(FT_Face face, const std::string& text, double cx, double baseline,
                         double capHeight, double squeeze, double tracking) {
    double capUnits = inkBox(loadOutline(face, face->units_per_EM, 'H', false)).yMax;
    double ppem = capHeight * face->units_per_EM / capUnits;
    GlyphOutline all;
    double pen = 0;
    for (char c : text) {
        GlyphOutline g = loadOutline(face, ppem, static_cast<unsigned char>(c), true);
        transformOutline(g, squeeze, pen, 1, 0);
        pen += g.advance + tracking;
        appendOutline(all, g);
    }
    double width = pen - tracking;
    // Whole-pixel start keeps the hinted stems crisp.
    transformOutline(all, 1, std::round(cx - width / 2), 1, -baseline);
    return all;
}

void fill(Canvas& c, const GlyphOutline& g, const Shade& shade) {
    Coverage cov = makeCoverage(SPLASH_W, SPLASH_H);
    rasterize(g, 0, 0, cov);
    for (int y = 0; y < SPLASH_H; ++y)
        for (int x = 0; x < SPLASH_W; ++x) {
            double a = coverageAt(cov, x, y);
            if (a <= 0) continue;
            Rgb s = shade(x + 0.5, y + 0.5);
            Rgb& p = c.px[static_cast<size_t>(y) * SPLASH_W + x];
            p = {p.r + (s.r - p.r) * a, p.g + (s.g - p.g) * a, p.b + (s.b - p.b) * a};
        }
}

Shade flat(Rgb c) {
    return [c](double, double) { return c; };
}

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Unit vectors along the tilted horizon and towards the sky, and the point
// where the horizon crosses the vertical through the middle of the ball.
struct Horizon {
    double ux, uy, nx, ny, hx, hy;
};

Horizon horizon() {
    double a = BANK_DEG * PI / 180;
    double nx = std::sin(a), ny = -std::cos(a);
    return {std::cos(a),
            std::sin(a),
            nx,
            ny,
            EMBLEM_X - nx * HORIZON_DROP,
            EMBLEM_Y - ny * HORIZON_DROP};
}

// Signed distance of (x, y) below the horizon (positive on the ground side).
double belowHorizon(double x, double y) {
    Horizon h = horizon();
    return -(h.nx * (x - h.hx) + h.ny * (y - h.hy));
}

void paintBall(Canvas& c) {
    GlyphOutline disc;
    addCircle(disc, EMBLEM_X, EMBLEM_Y, RING_INNER);
    fill(c, disc, [](double x, double y) {
        double d = belowHorizon(x, y);
        if (d < 0) return mix(Rgb{0.22, 0.55, 0.92}, Rgb{0.03, 0.13, 0.42}, -d / 26);
        return mix(Rgb{0.62, 0.38, 0.14}, Rgb{0.22, 0.11, 0.04}, d / 22);
    });
    // Horizon and two pitch marks, parallel to it, clipped to the disc by
    // keeping them short.
    Horizon h = horizon();
    double ux = h.ux, uy = h.uy, nx = h.nx, ny = h.ny, hx = h.hx, hy = h.hy;
    double half = std::sqrt(RING_INNER * RING_INNER - HORIZON_DROP * HORIZON_DROP);
    GlyphOutline lines;
    addBand(lines, hx - ux * half, hy - uy * half, hx + ux * half, hy + uy * half, 1.4);
    for (double step : {PITCH_MARK_NEAR, PITCH_MARK_FAR}) {
        double len = step == PITCH_MARK_NEAR ? 7 : 4;
        double px = hx + nx * step, py = hy + ny * step;
        addBand(lines, px - ux * len, py - uy * len, px + ux * len, py + uy * len, 1.1);
    }
    fill(c, lines, flat({0.95, 0.97, 1.0}));
}

void paintRing(Canvas& c) {
    GlyphOutline ring;
    addCircle(ring, EMBLEM_X, EMBLEM_Y, RING_OUTER);
    addCircle(ring, EMBLEM_X, EMBLEM_Y, RING_INNER, true);
    // Brushed metal: light from the upper left.
    fill(c, ring, [](double x, double y) {
        double t = ((x - EMBLEM_X) * 0.45 + (y - EMBLEM_Y)) / RING_OUTER;
        return mix(Rgb{0.88, 0.9, 0.94}, Rgb{0.3, 0.33, 0.4}, (t + 1) / 2);
    });
    // Bank marks on the ring: a long one at the top, short ones at 30 and 60 degrees.
    GlyphOutline marks;
    for (int deg : {-60, -30, 0, 30, 60}) {
        double a = (deg - 90) * PI / 180;
        double r0 = deg == 0 ? RING_INNER - 0.5 : RING_INNER + 0.3;
        double r1 = RING_OUTER - (deg == 0 ? 0.2 : 1.2);
        addBand(marks, EMBLEM_X + r0 * std::cos(a), EMBLEM_Y + r0 * std::sin(a),
                EMBLEM_X + r1 * std::cos(a), EMBLEM_Y + r1 * std::sin(a), deg == 0 ? 1.6 : 1.1);
    }
    fill(c, marks, flat({0.08, 0.1, 0.14}));
}

// The aircraft symbol: two wing bars and a centre dot in amber.
void paintAircraft(Canvas& c) {
    GlyphOutline plane;
    double y = EMBLEM_Y + 0.5;
    addBand(plane, EMBLEM_X - 17, y, EMBLEM_X - 6, y, 2.2);
    addBand(plane, EMBLEM_X - 6.8, y - 0.6, EMBLEM_X - 3.8, y + 3.2, 2.0);
    addBand(plane, EMBLEM_X + 6, y, EMBLEM_X + 17, y, 2.2);
    addBand(plane, EMBLEM_X + 6.8, y - 0.6, EMBLEM_X + 3.8, y + 3.2, 2.0);
    addCircle(plane, EMBLEM_X, y, 1.6);
    fill(c, plane, flat({1.0, 0.78, 0.12}));
}

void paintLettering(Canvas& c) {
    FT_Face bold = openFace("DejaVuSans-Bold.ttf");
    FT_Face book = openFace("DejaVuSans.ttf");
    fill(c, textOutline(bold, "BRELMONT", 64, WORDMARK_BASELINE, WORDMARK_CAP, 0.95, 2.0),
         [](double, double y) {
             return mix(Rgb{0.93, 0.95, 0.98}, Rgb{0.55, 0.6, 0.7}, (y - 72) / 8);
         });
    // A thin rule that fades out at both ends separates the unit's model name
    // (drawn at rows 92 to 109) from the version block.
    GlyphOutline rule;
    addBand(rule, 18, DIVIDER_Y + 0.5, 110, DIVIDER_Y + 0.5, 1.0);
    fill(c, rule, [](double x, double) {
        double t = 1 - std::fabs(x - 64) / 46;
        return mix(Rgb{0, 0, 0}, Rgb{0.2, 0.42, 0.5}, std::sqrt(std::max(0.0, t)));
    });
    fill(c, textOutline(book, "SOFTWARE VERSION", 64, CAPTION_BASELINE, CAPTION_CAP, 0.9, 1.0),
         flat({0.4, 0.62, 0.66}));
    FT_Done_Face(bold);
    FT_Done_Face(book);
}

// 4 x 4 ordered dithering keeps the gradients smooth at 4 bits per channel.
constexpr int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int quantize(double v, int x, int y) {
    double t = (BAYER[y % 4][x % 4] + 0.5) / 16 - 0.5;
    return std::clamp(static_cast<int>(std::floor(std::clamp(v, 0.0, 1.0) * 15 + 0.5 + t * 0.9)), 0,
                      15);
}

}  // namespace

std::vector<uint16_t> paintSplash() {
    Canvas c;
    paintBall(c);
    paintRing(c);
    paintAircraft(c);
    paintLettering(c);
    std::vector<uint16_t> out(SPLASH_W * SPLASH_H);
    for (int y = 0; y < SPLASH_H; ++y)
        for (int x = 0; x < SPLASH_W; ++x) {
            const Rgb& p = c.px[static_cast<size_t>(y) * SPLASH_W + x];
            int v = quantize(p.r, x, y) << 8 | quantize(p.g, x, y) << 4 | quantize(p.b, x, y);
            out[static_cast<size_t>(SPLASH_H - 1 - y) * SPLASH_W + x] = static_cast<uint16_t>(v);
        }
    return out;
}
