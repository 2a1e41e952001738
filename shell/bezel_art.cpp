// The bezel picture and the window icon, painted from signed distance
// functions: a pixel's distance to a shape's outline gives its anti-aliased
// coverage, and the distance inside the outline shapes bevels and grooves.
// Light falls from the upper left. Everything goes through gfx_get_pixel /
// gfx_put_pixel and color_lerp.
#include "shell/bezel_art.h"

#include <algorithm>
#include <cmath>

#include "gfx/font.h"
#include "gfx/gfx.h"
#include "shell/bezel.h"
#include "shell/shell.h"

namespace {

// ---- Constants ---------------------------------------------------------------

constexpr float SQRT_HALF = 0.70710678f;
constexpr uint32_t WHITE = 0xFFFFFFFFu;
constexpr uint32_t BLACK = 0xFF000000u;

constexpr uint32_t PANEL_TOP = 0xFF1A1B1D;
constexpr uint32_t PANEL_BOTTOM = 0xFF0C0D0E;
constexpr uint32_t CASE_TOP = 0xFF404347;
constexpr uint32_t CASE_BOTTOM = 0xFF26282B;
constexpr uint32_t RECESS_TOP = 0xFF141516;
constexpr uint32_t RECESS_BOTTOM = 0xFF1E2022;
constexpr uint32_t WELL = 0xFF161718;
constexpr uint32_t CAP_TOP = 0xFF5A5E63;
constexpr uint32_t CAP_BOTTOM = 0xFF2C2F33;
constexpr uint32_t SCREW_TOP = 0xFFA4A8AD;
constexpr uint32_t SCREW_BOTTOM = 0xFF55595E;
constexpr uint32_t SLOT = 0xFF232527;
constexpr uint32_t HOLE = 0xFF09090A;
constexpr uint32_t PRINT = 0xFFD2D5D9;   // silkscreen lettering
constexpr uint32_t LABEL = 0xFFA9AEB4;   // button labels, a little dimmer
constexpr uint32_t ACCENT = 0xFFE39B2D;  // the brand's amber stripe

constexpr float CASE_MARGIN_X = 24.0f;
constexpr float CASE_MARGIN_Y = 16.0f;
constexpr float CASE_RADIUS = 30.0f;
constexpr float SCREW_INSET = 24.0f;
constexpr float FACE_INSET = 44.0f;  // the groove around the face plate, inside the screws
constexpr float FACE_RADIUS = 14.0f;
constexpr float RECESS_MARGIN = 8.0f;  // the Both button sits 8 px below the screen
constexpr float ROUND_CAP_RADIUS = 16.0f;
constexpr float WELL_GROWTH = 3.0f;  // the well around a cap
constexpr float LOGO_TOP = 372.0f;
constexpr float LOGO_HEIGHT = 40.0f;
constexpr int LOGO_STRIPE_Y = 426;
constexpr int BRAND_TOP = 68;      // top of the brand name's cell
constexpr int BRAND_TRACKING = 3;  // extra pixels between its letters
constexpr int LABEL_GAP = 7;       // from a button's click area to its label

// ---- Types -------------------------------------------------------------------

struct Picture {
    uint32_t* px;
    int w, h;
};

// A rounded rectangle around (cx, cy); a circle has hw = hh = r.
struct Shape {
    float cx, cy, hw, hh, r;
};

// How a shape's face is shaded.
struct Finish {
    uint32_t top, bottom;  // vertical gradient over the shape
    float bevel;           // width of the sloped rim in pixels (0: flat)
    float relief;          // > 0 raised, < 0 sunken: rim contrast towards the light
    float grain;           // amplitude of the satin texture (0: smooth)
};

// ---- Private helpers ---------------------------------------------------------

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

float distanceTo(const Shape& s, float x, float y) {
    const float qx = std::fabs(x - s.cx) - (s.hw - s.r);
    const float qy = std::fabs(y - s.cy) - (s.hh - s.r);
    const float ox = std::max(qx, 0.0f);
    const float oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - s.r;
}

// Distance to the segment (ax, ay)-(bx, by).
float segmentDistance(float x, float y, float ax, float ay, float bx, float by) {
    const float dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0.0f ? clamp01(((x - ax) * dx + (y - ay) * dy) / len2) : 0.0f;
    const float ex = x - ax - t * dx, ey = y - ay - t * dy;
    return std::sqrt(ex * ex + ey * ey);
}

// color_lerp that keeps two opaque colours exactly opaque (its truncation
// would turn alpha 255 into 254 for some weights).
uint32_t mix(uint32_t a, uint32_t b, float t) {
    const uint32_t m = color_lerp(a, b, t);
    return (a & b) >> 24 == 0xFFu ? m | BLACK : m;
}

uint32_t shade(uint32_t c, float k) { return k >= 0.0f ? mix(c, WHITE, k) : mix(c, BLACK, -k); }

// A fixed pseudo-random value in -0.5 .. 0.5 per pixel, for the satin grain.
float grainAt(int x, int y) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFu) / 255.0f - 0.5f;
}

void blend(Picture p, int x, int y, uint32_t c, float a) {
    if (a <= 0.0f) return;
    const uint32_t old = gfx_get_pixel(p.px, p.w, p.h, x, y);
    gfx_put_pixel(p.px, p.w, p.h, x, y, a >= 1.0f ? c : mix(old, c, a));
}

// Calls f(x, y, px, py) for every pixel of the box, with its centre (px, py).
template <typename F>
void forBox(Picture p, float x0, float y0, float x1, float y1, F f) {
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
    const int ix1 = std::min(p.w, static_cast<int>(std::ceil(x1)) + 1);
    const int iy1 = std::min(p.h, static_cast<int>(std::ceil(y1)) + 1);
    for (int y = iy0; y < iy1; ++y) {
        for (int x = ix0; x < ix1; ++x)
            f(x, y, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
    }
}

// Paints colour c wherever dist(px, py) < 0, anti-aliased over one pixel.
template <typename D>
void paintDistance(Picture p, float x0, float y0, float x1, float y1, uint32_t c, float alpha,
                   D dist) {
    forBox(p, x0, y0, x1, y1, [&](int x, int y, float px, float py) {
        blend(p, x, y, c, alpha * clamp01(0.5f - dist(px, py)));
    });
}

// The rim's light: +1 where the outline faces the light, -1 where it faces away.
float facingLight(const Shape& s, float px, float py) {
    const float nx = distanceTo(s, px + 0.5f, py) - distanceTo(s, px - 0.5f, py);
    const float ny = distanceTo(s, px, py + 0.5f) - distanceTo(s, px, py - 0.5f);
    const float len = std::sqrt(nx * nx + ny * ny);
    return len > 0.0f ? -(nx + ny) * SQRT_HALF / len : 0.0f;
}

void paintShape(Picture p, const Shape& s, const Finish& f) {
    forBox(p, s.cx - s.hw - 1, s.cy - s.hh - 1, s.cx + s.hw + 1, s.cy + s.hh + 1,
           [&](int x, int y, float px, float py) {
               const float d = distanceTo(s, px, py);
               const float cover = clamp01(0.5f - d);
               if (cover <= 0.0f) return;
               uint32_t c = mix(f.top, f.bottom, clamp01((py - s.cy + s.hh) / (2.0f * s.hh)));
               if (f.bevel > 0.0f && d > -f.bevel)
                   c = shade(c, f.relief * facingLight(s, px, py) * (1.0f + d / f.bevel));
               if (f.grain > 0.0f) c = shade(c, f.grain * grainAt(x, y));
               blend(p, x, y, c, cover);
           });
}

// A soft shadow of the shape, offset down and right.
void paintShadow(Picture p, Shape s, float dx, float dy, float blur, float strength) {
    s.cx += dx;
    s.cy += dy;
    forBox(p, s.cx - s.hw - blur, s.cy - s.hh - blur, s.cx + s.hw + blur, s.cy + s.hh + blur,
           [&](int x, int y, float px, float py) {
               const float a = clamp01((blur - distanceTo(s, px, py)) / (1.5f * blur));
               blend(p, x, y, BLACK, strength * a * a);
           });
}

// An engraved line along the outline of s: dark groove, light lower lip.
void paintGroove(Picture p, const Shape& s) {
    const auto ring = [&](float dx, float dy) {
        return [&s, dx, dy](float px, float py) {
            return std::fabs(distanceTo(s, px - dx, py - dy)) - 0.6f;
        };
    };
    const float x0 = s.cx - s.hw - 2, y0 = s.cy - s.hh - 2, x1 = s.cx + s.hw + 2,
                y1 = s.cy + s.hh + 2;
    paintDistance(p, x0, y0, x1, y1, WHITE, 0.10f, ring(1.0f, 1.0f));
    paintDistance(p, x0, y0, x1, y1, BLACK, 0.45f, ring(0.0f, 0.0f));
}

Shape circle(float cx, float cy, float r) { return {cx, cy, r, r, r}; }

Shape grow(Shape s, float by) {
    return {s.cx, s.cy, s.hw + by, s.hh + by, std::max(s.r + by, 0.0f)};
}

// A cap centred in its click area, its sunken well around it.
void paintButton(Picture p, const Shape& cap) {
    const Shape well = grow(cap, WELL_GROWTH);
    paintShape(p, grow(well, 1.5f), {CASE_TOP, CASE_BOTTOM, 2.5f, 0.35f, 0.0f});
    paintShape(p, well, {WELL, WELL, 3.0f, -0.5f, 0.0f});
    paintShadow(p, cap, 0.8f, 1.6f, 3.0f, 0.6f);
    paintShape(p, cap, {CAP_TOP, CAP_BOTTOM, 5.0f, 0.45f, 0.03f});
}

Shape capInArea(const BezelArea& a, float hw, float hh, float r) {
    return {(a.left + a.right) * 0.5f + 0.5f, (a.top + a.bottom) * 0.5f + 0.5f, hw, hh, r};
}

// A pan-head screw in a countersink; the slot angle makes each one different.
void paintScrew(Picture p, float cx, float cy, float angle) {
    paintShape(p, circle(cx, cy, 9.5f), {CASE_BOTTOM, CASE_TOP, 2.5f, -0.6f, 0.0f});
    paintShadow(p, circle(cx, cy, 7.0f), 0.6f, 1.2f, 2.0f, 0.5f);
    paintShape(p, circle(cx, cy, 7.0f), {SCREW_TOP, SCREW_BOTTOM, 3.5f, 0.4f, 0.05f});
    const float c = std::cos(angle) * 4.5f, s = std::sin(angle) * 4.5f;
    for (int i = 0; i < 2; ++i) {
        const float ax = cx - (i ? -s : c), ay = cy - (i ? c : s);
        const float bx = cx + (i ? -s : c), by = cy + (i ? c : s);
        paintDistance(p, cx - 6, cy - 6, cx + 6, cy + 6, SLOT, 1.0f, [=](float px, float py) {
            return segmentDistance(px, py, ax, ay, bx, by) - 0.9f;
        });
    }
}

// Proportions of the stroke logo, in units of its cap height.
constexpr float LOGO_STROKE = 0.085f;  // half the stroke width
constexpr float LOGO_SLANT = 0.2f;
constexpr float LOGO_WIDE = 0.78f;   // Q, X and 7
constexpr float LOGO_DIGIT = 0.62f;  // the 0, narrower than the Q
constexpr float LOGO_DASH = 0.36f;
constexpr float LOGO_GAP = 0.22f;

float logoWidth(float h) {
    return h * (3.0f * LOGO_WIDE + LOGO_DASH + LOGO_DIGIT + 4.0f * LOGO_GAP);
}

// The product name "QX-70" as a slanted stroke logo, left end at x0, cap height h.
void paintLogo(Picture p, float x0, float top, float h, uint32_t colour) {
    const float sw = h * LOGO_STROKE;
    const float bottom = top + h;
    const float w = h * LOGO_WIDE;
    const float gap = h * LOGO_GAP;
    const float x1 = x0 + logoWidth(h) + LOGO_SLANT * h;
    const auto unslant = [=](float px, float py) { return px + LOGO_SLANT * (py - bottom); };
    const auto paint = [&](auto dist) {
        paintDistance(p, x0 - 2, top - 2, x1 + 2, bottom + h * 0.1f, colour, 1.0f,
                      [=](float px, float py) { return dist(unslant(px, py), py); });
    };
    const auto stroke = [&](float ax, float ay, float bx, float by) {
        paint([=](float x, float y) { return segmentDistance(x, y, ax, ay, bx, by) - sw; });
    };
    const auto ring = [&](float left, float width) {
        const float r = width * 0.5f - sw;
        const Shape o = {left + width * 0.5f, top + h * 0.5f, r, h * 0.5f - sw, r};
        paint([=](float x, float y) { return std::fabs(distanceTo(o, x, y)) - sw; });
    };
    float x = x0;
    ring(x, w);  // Q
    stroke(x + w * 0.55f, top + h * 0.68f, x + w * 0.98f, bottom + h * 0.06f);
    x += w + gap;
    stroke(x + sw, top + sw, x + w - sw, bottom - sw);  // X
    stroke(x + w - sw, top + sw, x + sw, bottom - sw);
    x += w + gap;
    stroke(x + sw, top + h * 0.55f, x + h * LOGO_DASH - sw, top + h * 0.55f);  // -
    x += h * LOGO_DASH + gap;
    stroke(x + sw, top + sw, x + w - sw, top + sw);  // 7
    stroke(x + w - sw, top + sw, x + w * 0.32f, bottom - sw);
    x += w + gap;
    ring(x, h * LOGO_DIGIT);  // 0
}

// Text centred on cx with extra space between the letters.
void paintTracked(Picture p, int font, int cx, int top, uint32_t colour, const char* text,
                  int tracking) {
    int width = -tracking;
    for (const char* c = text; *c; ++c) {
        const char one[2] = {*c, '\0'};
        width += font_text_width(font, one) + tracking;
    }
    int x = cx - width / 2;
    for (const char* c = text; *c; ++c)
        x += font_draw_char(p.px, p.w, p.h, font, x, top, colour, *c) + tracking;
}

// Each button's name under its click area.
void paintLabels(Picture p) {
    const struct {
        BezelArea area;
        const char* name;
    } labels[] = {{VIEW_BUTTON_AREA, "VIEW"},
                  {LEFT_BUTTON_AREA, "LEFT"},
                  {RIGHT_BUTTON_AREA, "RIGHT"},
                  {BOTH_BUTTON_AREA, "BOTH"}};
    for (const auto& l : labels) {
        paintTracked(p, FONT_TEXT_14, (l.area.left + l.area.right) / 2 + 1,
                     l.area.bottom + LABEL_GAP, LABEL, l.name, 1);
    }
}

// A grid of small sunken holes: the alert speaker.
void paintGrille(Picture p, float cx, float cy, int cols, int rows, float pitch) {
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const float x = cx + (static_cast<float>(c) - (cols - 1) * 0.5f) * pitch;
            const float y = cy + (static_cast<float>(r) - (rows - 1) * 0.5f) * pitch;
            paintShape(p, circle(x, y, 1.9f), {HOLE, HOLE, 1.2f, -0.7f, 0.0f});
        }
    }
}

// The ambient light sensor: a small glossy dark window.
void paintLightSensor(Picture p, float cx, float cy) {
    paintShape(p, circle(cx, cy, 5.0f), {CASE_BOTTOM, CASE_TOP, 1.5f, -0.6f, 0.0f});
    paintShape(p, circle(cx, cy, 3.6f), {0xFF2A1418, 0xFF0A0506, 1.5f, 0.3f, 0.0f});
    paintShape(p, circle(cx - 1.1f, cy - 1.2f, 0.9f), {0xFFB0A0A4, 0xFFB0A0A4, 0.0f, 0.0f, 0.0f});
}

// The screen's recess and the black screen area the frames cover.
void paintScreenRecess(Picture p) {
    const float cx = SCREEN_X + FB_WIDTH * 0.5f, cy = SCREEN_Y + FB_HEIGHT * 0.5f;
    const float hw = FB_WIDTH * 0.5f + RECESS_MARGIN, hh = FB_HEIGHT * 0.5f + RECESS_MARGIN;
    const Shape lip = {cx, cy, hw + 2.0f, hh + 2.0f, 9.0f};
    paintShape(p, lip, {CASE_TOP, CASE_BOTTOM, 2.0f, 0.5f, 0.0f});
    paintShape(p, {cx, cy, hw, hh, 7.0f}, {RECESS_TOP, RECESS_BOTTOM, 5.0f, -0.55f, 0.0f});
    gfx_fill_rect(p.px, p.w, p.h, SCREEN_X - 1, SCREEN_Y - 1, SCREEN_X + FB_WIDTH + 1,
                  SCREEN_Y + FB_HEIGHT + 1, 0xFF050505u);
    gfx_fill_rect(p.px, p.w, p.h, SCREEN_X, SCREEN_Y, SCREEN_X + FB_WIDTH, SCREEN_Y + FB_HEIGHT,
                  BLACK);
}

void paintCase(Picture p) {
    const float w = static_cast<float>(p.w), h = static_cast<float>(p.h);
    const Shape outline = {w * 0.5f, h * 0.5f, w * 0.5f - CASE_MARGIN_X, h * 0.5f - CASE_MARGIN_Y,
                           CASE_RADIUS};
    paintShadow(p, outline, 2.0f, 5.0f, 12.0f, 0.75f);
    paintShape(p, outline, {CASE_TOP, CASE_BOTTOM, 7.0f, 0.32f, 0.035f});
    Shape face = grow(outline, -FACE_INSET);
    face.r = FACE_RADIUS;
    paintGroove(p, face);
    const float l = CASE_MARGIN_X + SCREW_INSET, r = w - l, t = CASE_MARGIN_Y + SCREW_INSET,
                b = h - t;
    paintScrew(p, l, t, 0.35f);
    paintScrew(p, r, t, 1.10f);
    paintScrew(p, l, b, 0.80f);
    paintScrew(p, r, b, 0.15f);
}

}  // namespace

// Panel, case, screen recess, buttons, product name, speaker, light sensor.
void bezelArtPaint(uint32_t* picture) {
    const Picture p = {picture, BEZEL_WIDTH, BEZEL_HEIGHT};
    for (int y = 0; y < BEZEL_HEIGHT; ++y) {
        gfx_hspan(picture, BEZEL_WIDTH, BEZEL_HEIGHT, 0, BEZEL_WIDTH, y,
                  mix(PANEL_TOP, PANEL_BOTTOM, static_cast<float>(y) / BEZEL_HEIGHT));
    }
    paintCase(p);
    paintScreenRecess(p);
    for (const BezelArea& a : {VIEW_BUTTON_AREA, LEFT_BUTTON_AREA, RIGHT_BUTTON_AREA}) {
        paintButton(p, capInArea(a, ROUND_CAP_RADIUS, ROUND_CAP_RADIUS, ROUND_CAP_RADIUS));
    }
    paintButton(p, capInArea(BOTH_BUTTON_AREA, 25.0f, 19.0f, 12.0f));
    paintLightSensor(p, 340.5f, 120.5f);
    paintLabels(p);
    paintTracked(p, FONT_TEXT_14, SCREEN_X + FB_WIDTH / 2, BRAND_TOP, PRINT, "BRELMONT",
                 BRAND_TRACKING);
    const float centre = SCREEN_X + FB_WIDTH * 0.5f;
    const float logoLeft = centre - 0.5f * (logoWidth(LOGO_HEIGHT) + LOGO_SLANT * LOGO_HEIGHT);
    paintLogo(p, logoLeft, LOGO_TOP, LOGO_HEIGHT, PRINT);
    const int stripe = static_cast<int>(logoWidth(LOGO_HEIGHT) * 0.5f);
    gfx_fill_rect(picture, BEZEL_WIDTH, BEZEL_HEIGHT, static_cast<int>(centre) - stripe,
                  LOGO_STRIPE_Y, static_cast<int>(centre) + stripe, LOGO_STRIPE_Y + 3, ACCENT);
    paintGrille(p, 230.5f, 458.5f, 13, 3, 7.0f);
}

// A miniature of the unit: case, an attitude picture on the screen, buttons.
// Lengths are in icon units of `scale` pixels; the outlines stay anti-aliased
// over one pixel at every scale, so the larger icons are sharp, not blown up.
void bezelArtPaintIcon(uint32_t* icon, int scale) {
    const int n = ICON_SIZE * scale;
    const float k = static_cast<float>(scale);
    const Picture p = {icon, n, n};
    const auto rect = [&](int x0, int y0, int x1, int y1, uint32_t c) {
        gfx_fill_rect(icon, n, n, x0 * scale, y0 * scale, x1 * scale, y1 * scale, c);
    };
    const auto scaled = [k](const Shape& s) {
        return Shape{s.cx * k, s.cy * k, s.hw * k, s.hh * k, s.r * k};
    };
    const auto shape = [&](const Shape& s, Finish f) {
        f.bevel *= k;
        paintShape(p, scaled(s), f);
    };
    rect(0, 0, ICON_SIZE, ICON_SIZE, CASE_TOP & 0x00FFFFFFu);
    shape({32, 32, 30, 31, 9}, {CASE_TOP, CASE_BOTTOM, 2.5f, 0.4f, 0.0f});
    rect(19, 7, 47, 43, 0xFF101010u);
    rect(20, 8, 46, 26, 0xFF2F7FD8u);
    rect(20, 26, 46, 42, 0xFF8A5A2Au);
    for (int i = 0; i < scale; ++i) {  // the horizon, one pixel row of its thickness at a time
        gfx_line_aa(icon, n, n, 20.0f * k, 27.5f * k + i, 46.0f * k - 1, 23.5f * k + i, WHITE);
    }
    rect(29, 24, 37, 26, 0xFFFFD000u);
    for (const Shape& cap : {circle(11.5f, 17.5f, 4.0f), circle(11.5f, 30.5f, 4.0f),
                             circle(54.5f, 30.5f, 4.0f), Shape{33.0f, 52.5f, 7.0f, 5.0f, 4.0f}}) {
        shape(grow(cap, 1.0f), {WELL, WELL, 0.0f, 0.0f, 0.0f});
        shape(cap, {CAP_TOP, CAP_BOTTOM, 2.0f, 0.5f, 0.0f});
    }
}
