// The artificial horizon picture: angle folding, sky and ground fill, the
// horizon line and the pitch ladder with its rotated numbers.
// drawHorizon -> gfx_hspan, gfx_line_aa, drawPitchLadder;
// drawPitchLadder -> gfx_line_aa, drawLadderLabel;
// drawLadderLabel -> font_draw_text into the scratch image, gfx_blit_transformed (adding).
#include "app/attitude_horizon.h"

#include <cmath>
#include <cstdint>

#include "app/colours.h"
#include "app/number_text.h"
#include "gfx/font.h"
#include "gfx/gfx.h"
#include "gfx/trunc.h"
#include "gfx/xform.h"

// ---- Constants ------------------------------------------------------------

namespace {

// A full turn where a remainder is taken (single precision) and where a turn
// is added or subtracted (double precision); comparisons are in double.
constexpr float TURN_REMAINDER = 6.2831855f;
constexpr double TURN = 6.2831853072;
constexpr double PI = 3.1415926536;
constexpr double HALF_PI = 1.5707963268;

// Bank angles whose tangent is 0 are replaced by these nearby angles.
constexpr double NEAR_PI_LOW = 3.1405926536;
constexpr double NEAR_PI_HIGH = 3.1425926536;
constexpr float BELOW_PI = 3.1405926f;
constexpr double NEAR_ZERO = 0.001;
constexpr double NEAR_TURN = 6.2821853072;
constexpr float ABOVE_ZERO = 0.001f;

// Picture sides per radian of pitch (196 pixels per radian on the 140 image).
constexpr double SIDES_PER_RADIAN = 1.4;
constexpr double TEN_DEGREES = 0.1745329252;  // radians

// Rung numbers: scratch image, font, transform, and their place along the rung
// (in ladder steps from the rung's middle) and towards the sky.
constexpr int LABEL_SIDE = 32;
constexpr int LABEL_FONT = FONT_TEXT_18;
constexpr float LABEL_SCALE = 1.05f;
constexpr double LABEL_ALONG = 0.7;
constexpr double LABEL_UP = 0.25;
constexpr int LABEL_MAX_DEGREES = 90;

// ---- Types ----------------------------------------------------------------

struct Point {
    float x, y;
};

// One call of the rung table.
struct LadderRow {
    int halfLength;  // pixels
    float offset;    // ladder steps from the horizon to the first sky rung
    float spacing;   // ladder steps between rungs (1.0: ten degrees)
    bool numbers;
};

// Long numbered rungs every 10 degrees, medium rungs halfway between them,
// short rungs halfway between all of those.
constexpr LadderRow LADDER_ROWS[] = {
    {20, 0.0f, 1.0f, true},
    {10, 0.5f, 1.0f, false},
    {5, 0.5f, 0.5f, false},
};

// The rung geometry shared by the sky and ground halves of one ladder row.
struct Ladder {
    uint32_t* image;
    int side;
    float u;       // bank angle of the picture, radians
    Point step;    // from one rung to the next, towards the sky
    float length;  // |step|
    float spacing;
    bool numbers;
};

// The colours of the two halves.
struct HorizonColours {
    uint32_t sky = HORIZON_SKY;
    uint32_t ground = HORIZON_GROUND;
};

// ---- Module state ---------------------------------------------------------

HorizonColours colours = {};

// Working memory of one rung number; cleared before each use, so no state.
uint32_t labelScratch[LABEL_SIDE * LABEL_SIDE];

// ---- Private helpers ------------------------------------------------------

float sinSingle(float a) { return static_cast<float>(std::sin(static_cast<double>(a))); }
float cosSingle(float a) { return static_cast<float>(std::cos(static_cast<double>(a))); }
float tanSingle(float a) { return static_cast<float>(std::tan(static_cast<double>(a))); }
float remainderTurn(float a) {
    return static_cast<float>(
        std::fmod(static_cast<double>(a), static_cast<double>(TURN_REMAINDER)));
}

// Pitch into -pi/2..pi/2; beyond the vertical the picture turns over, nose up
// by adding half a turn to the bank, nose down by mirroring it.
void foldPitch(float& bank, float& pitch) {
    float p = remainderTurn(pitch);
    if (p > PI) p = static_cast<float>(p - TURN);
    if (p < -PI) p = static_cast<float>(p + TURN);
    float b = bank;
    if (p > HALF_PI) {
        b = static_cast<float>(b + PI);
        p = static_cast<float>(PI - p);
    }
    if (p < -HALF_PI) {
        b = static_cast<float>(PI - b);
        p = static_cast<float>(-PI - p);
    }
    bank = b;
    pitch = p;
}

// Bank into 0..2pi, kept away from the angles whose tangent is 0.
float foldBank(float bank) {
    float u = remainderTurn(bank);
    if (u < 0.0f) u = static_cast<float>(u + TURN);
    if (u > NEAR_PI_LOW && u < NEAR_PI_HIGH) u = BELOW_PI;
    if (u < NEAR_ZERO || u > NEAR_TURN) u = ABOVE_ZERO;
    return u;
}

// Row by row from the top: left of the horizon crossing colour a, from it on
// colour b. The crossing starts at the truncated top end point and moves by
// the truncated end points' difference per side.
void fillSkyAndGround(uint32_t* image, int side, float xTop, float xBottom, uint32_t a,
                      uint32_t b) {
    const int top = truncToInt(xTop);
    const int64_t run = static_cast<int64_t>(truncToInt(xBottom)) - top;
    const float fs = static_cast<float>(side);
    float x = static_cast<float>(top);
    const float dx = static_cast<float>(run) / fs;
    for (int y = 0; y < side; ++y) {
        if (x < 0.0f) {
            gfx_hspan(image, side, side, 0, side, y, b);
        } else if (x > fs) {
            gfx_hspan(image, side, side, 0, side, y, a);
        } else {
            const int split = truncToInt(x);
            gfx_hspan(image, side, side, 0, split, y, a);
            gfx_hspan(image, side, side, split, side, y, b);
        }
        x = x + dx;
    }
}

// The rung number as unsigned text: "10" to "90" on both sides of the horizon.
void labelText(int deg, char* text) {
    float v = std::fabs(static_cast<float>(deg));
    if (v > LABEL_MAX_DEGREES) v = LABEL_MAX_DEGREES - v;
    intText(truncToInt(v), text);
}

// The number of a rung at both ends of the rung, turned with the picture:
// the right one starts 0.7 steps right of the middle, the left one ends 0.7
// steps left of it, both a quarter step towards the sky.
void drawLadderLabel(const Ladder& l, Point mid, int deg) {
    char text[NUMBER_TEXT_SIZE];
    labelText(deg, text);
    for (uint32_t& p : labelScratch) p = 0;
    font_draw_text(labelScratch, LABEL_SIDE, LABEL_SIDE, LABEL_FONT, 0, 0, COLOUR_WHITE, text);

    Transform2D xf{1.0f, 0.0f, 0.0f, 1.0f, LABEL_SCALE};
    xform_rotate(xf, -l.u);
    const float sx = l.step.x, sy = l.step.y;
    gfx_blit_transformed(l.image, l.side, l.side, labelScratch, LABEL_SIDE, LABEL_SIDE,
                         static_cast<float>(mid.x + LABEL_ALONG * -sy + LABEL_UP * sx),
                         static_cast<float>(mid.y + LABEL_ALONG * sx + LABEL_UP * sy), xf, true);

    const int w = font_text_width(LABEL_FONT, text);
    const float k = static_cast<float>(-LABEL_ALONG - w / l.length);
    gfx_blit_transformed(l.image, l.side, l.side, labelScratch, LABEL_SIDE, LABEL_SIDE,
                         static_cast<float>(mid.x + k * -sy + LABEL_UP * sx),
                         static_cast<float>(mid.y + k * sx + LABEL_UP * sy), xf, true);
}

// Some part of the rung's bounding box lies on the picture.
bool rungVisible(Point p1, Point p2, float side) {
    return (p1.x < side || p2.x < side) && (p1.x > 0.0f || p2.x > 0.0f) &&
           (p1.y < side || p2.y < side) && (p1.y > 0.0f || p2.y > 0.0f);
}

// Rungs from (p1, p2) on, moving by dir steps (+1 towards the sky, -1 towards
// the ground) and counting the degrees from deg on.
void drawRungs(const Ladder& l, Point p1, Point p2, int deg, float dir) {
    const float side = static_cast<float>(l.side);
    const float sx = dir * l.step.x, sy = dir * l.step.y;
    const float count = 9.0f / l.spacing;
    for (int i = 0; static_cast<float>(i) < count; ++i) {
        if (rungVisible(p1, p2, side)) {
            gfx_line_aa(l.image, l.side, l.side, p1.x, p1.y, p2.x, p2.y, COLOUR_WHITE);
            if (l.numbers) drawLadderLabel(l, {(p1.x + p2.x) / 2.0f, (p1.y + p2.y) / 2.0f}, deg);
        }
        p1 = {p1.x + sx, p1.y + sy};
        p2 = {p2.x + sx, p2.y + sy};
        deg = truncToInt(static_cast<float>(deg) + dir * 10.0f * l.spacing);
    }
}

// One row of the rung table: rungs parallel to the horizon through the centre
// (cx, cy), on the sky side and then on the ground side.
void drawPitchLadder(uint32_t* image, int side, Point centre, float u, const LadderRow& row) {
    const float pxPerSide = static_cast<float>(side * SIDES_PER_RADIAN);
    const float r = static_cast<float>(pxPerSide * TEN_DEGREES * row.spacing);
    const float sinU = sinSingle(u), cosU = cosSingle(u);
    const Point step{r * sinU, -r * cosU};
    const float length =
        static_cast<float>(std::sqrt(static_cast<double>(step.x * step.x + step.y * step.y)));
    const Ladder l{image, side, u, step, length, row.spacing, row.numbers};

    const float e = static_cast<float>(row.halfLength);
    const Point start1{centre.x - e * cosU + row.offset * step.x,
                       centre.y - e * sinU + row.offset * step.y};
    const Point start2{centre.x + e * cosU + row.offset * step.x,
                       centre.y + e * sinU + row.offset * step.y};

    // The sky half skips the horizon itself when the rows start on it.
    Point p1 = start1, p2 = start2;
    int deg = 0;
    if (row.offset == 0.0f) {
        p1 = {p1.x + step.x, p1.y + step.y};
        p2 = {p2.x + step.x, p2.y + step.y};
        deg = truncToInt(10.0f * row.spacing);
    }
    drawRungs(l, p1, p2, deg, 1.0f);

    p1 = {start1.x - step.x, start1.y - step.y};
    p2 = {start2.x - step.x, start2.y - step.y};
    drawRungs(l, p1, p2, truncToInt(-10.0f * row.spacing), -1.0f);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// For every picture drawn from now on.
void setHorizonColours(uint32_t sky, uint32_t ground) { colours = {sky, ground}; }

// The horizon 1.4 sides below the centre per radian of pitch, turned by the
// bank, with the sky on the side of the aircraft's top (at the top of the
// picture upright, at the bottom inverted).
void drawHorizon(uint32_t* image, int side, float bank, float pitch) {
    float b = bank, p = pitch;
    foldPitch(b, p);
    const float u = foldBank(b);

    const float sinU = sinSingle(u), cosU = cosSingle(u);
    const float cxn = static_cast<float>(0.5 - SIDES_PER_RADIAN * p * sinU);
    const float cyn = static_cast<float>(0.5 + SIDES_PER_RADIAN * p * cosU);

    // Where the horizon meets the top row and the row y = side.
    const float t = tanSingle(u);
    const float g = cyn - cxn * t;
    const float fs = static_cast<float>(side);
    const float xTop = fs * (-g / t);
    const float xBottom = fs * ((1.0f - g) / t);

    const bool upright = u <= PI;
    fillSkyAndGround(image, side, xTop, xBottom, upright ? colours.ground : colours.sky,
                     upright ? colours.sky : colours.ground);
    gfx_line_aa(image, side, side, xTop, 0.0f, xBottom, fs, COLOUR_WHITE);

    const Point centre{fs * cxn, fs * cyn};
    for (const LadderRow& row : LADDER_ROWS) drawPitchLadder(image, side, centre, u, row);
}
