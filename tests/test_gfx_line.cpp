// The anti-aliased line: weights, end points, steep lines and clipping.
#include "gfx/gfx.h"

#include "canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

constexpr uint32_t LINE_GREY = 0xFF888888;

// The weight with which a 0xFF888888 line moved a black pixel: its red
// channel is truncate(t x 0x88).
float weightOf(uint32_t px) { return static_cast<float>((px >> 16) & 0xFF) / 0x88; }

// Distance from (px, py) to the segment (x0, y0)-(x1, y1).
double distanceToSegment(double px, double py, double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    const double t = len2 == 0 ? 0 : std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0, 1.0);
    return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

}  // namespace

TEST(GfxLineWeights, HorizontalLineFallsFromFullToNineTenths) {
    Canvas c(FB_WIDTH, FB_HEIGHT);
    gfx_line_aa(c.data(), c.w, c.h, 10, 54, 118, 54, LINE_GREY);
    EXPECT_EQ(c.at(10, 54), LINE_GREY);
    EXPECT_EQ(c.at(10, 55), 0u);
    float previous = 1.0f;
    for (int x = 10; x <= 118; ++x) {
        const float top = weightOf(c.at(x, 54)), bottom = weightOf(c.at(x, 55));
        const float expected = 1.0f - 0.1f * (x - 10) / 108.0f;
        EXPECT_NEAR(top, expected, 1.0f / 0x88) << x;
        EXPECT_NEAR(bottom, 1.0f - expected, 1.0f / 0x88) << x;
        EXPECT_LE(top, previous) << x;
        previous = top;
    }
    EXPECT_NEAR(weightOf(c.at(118, 54)), 0.9f, 1.0f / 0x88);
    EXPECT_EQ(c.at(9, 54), 0u);
    EXPECT_EQ(c.at(119, 54), 0u);
    EXPECT_EQ(c.at(119, 55), 0u);
}

TEST(GfxLineWeights, VerticalLineIsDrawnAsASteepLine) {
    Canvas c(FB_WIDTH, FB_HEIGHT);
    gfx_line_aa(c.data(), c.w, c.h, 64, 65, 64, 136, LINE_GREY);
    EXPECT_EQ(c.at(64, 65), LINE_GREY);
    for (int y = 65; y <= 136; ++y) {
        const float expected = 1.0f - 0.1f * (y - 65) / 71.0f;
        EXPECT_NEAR(weightOf(c.at(64, y)), expected, 1.0f / 0x88) << y;
        EXPECT_NEAR(weightOf(c.at(65, y)), 1.0f - expected, 1.0f / 0x88) << y;
    }
    EXPECT_EQ(c.at(64, 64), 0u);
    EXPECT_EQ(c.at(64, 137), 0u);
    EXPECT_EQ(c.at(63, 100), 0u);
}

TEST(GfxLineWeights, CoincidentWholeNumberEndsDrawOnePixel) {
    Canvas c(16, 16, 0xFF102030);
    gfx_line_aa(c.data(), 16, 16, 7, 9, 7, 9, 0xFFFFFFFF);
    EXPECT_EQ(c.at(7, 9), 0xFFFFFFFFu);
    EXPECT_EQ(c.countNot(0xFF102030), 1);
}

TEST(GfxLineWeights, DirectionDoesNotMatterForADiagonal) {
    Canvas a(32, 32), b(32, 32);
    gfx_line_aa(a.data(), 32, 32, 3.5f, 4.25f, 27.0f, 20.0f, 0xFFFFFFFF);
    gfx_line_aa(b.data(), 32, 32, 27.0f, 20.0f, 3.5f, 4.25f, 0xFFFFFFFF);
    EXPECT_EQ(a.px, b.px);
}

TEST(GfxLineWeights, ColourZeroDarkensTowardsBlack) {
    Canvas c(FB_WIDTH, FB_HEIGHT, 0xFFFFFFFF);
    gfx_line_aa(c.data(), c.w, c.h, 10, 54, 118, 54, 0);
    EXPECT_EQ(c.at(10, 54), 0u);
    EXPECT_EQ(c.at(10, 55), 0xFFFFFFFFu);
    EXPECT_NEAR(static_cast<int>(c.at(118, 55) & 0xFF), 229, 1);  // weight about 0.1
}

TEST(GfxLineClipping, LinesWhollyOutsideDrawNothing) {
    const float lines[][4] = {
        {-50, -50, -10, -20},  // left of and above the buffer
        {20, -10, 60, -5},     // above, rising towards row 0 beyond its end
        {60, -5, 20, -10},     // the same, given backwards
        {140, -10, 180, -40},  // right of and above
        {-30, 170, -5, 200},   // left of and below
        {200, 10, 300, 20},    // right
        {10, -300, 20, -200},  // steep, above
    };
    for (auto& l : lines) {
        Canvas c(FB_WIDTH, FB_HEIGHT);
        gfx_line_aa(c.data(), c.w, c.h, l[0], l[1], l[2], l[3], 0xFFFFFFFF);
        EXPECT_EQ(c.countNot(0), 0) << l[0] << "," << l[1] << " - " << l[2] << "," << l[3];
    }
}

TEST(GfxLineClipping, LineCrossingTheBufferIsClippedToIt) {
    Canvas c(FB_WIDTH, FB_HEIGHT);
    gfx_line_aa(c.data(), c.w, c.h, -1000, -500, 1000, 500, 0xFFFFFFFF);
    EXPECT_GT(c.countNot(0), 100);
    for (int x = 0; x < FB_WIDTH; ++x)
        for (int y = 0; y < FB_HEIGHT; ++y)
            if (c.at(x, y) != 0) {
                EXPECT_LT(distanceToSegment(x, y, -1000, -500, 1000, 500), 2.0) << x << "," << y;
            }
}

TEST(GfxLineClipping, NonFiniteAndExtremeCoordinatesAreHarmless) {
    const float inf = INFINITY, nan = NAN;
    const float lines[][4] = {
        {nan, 0, 10, 10},          {0, 0, inf, 10},       {0, -inf, 10, 10},
        {0, -1e30f, 1e32f, 1e30f}, {-1e33f, 5, 1e33f, 6}, {5, 1e12f, 100, 1e12f},
        {0, -2e30f, 1e32f, 0},     {64, 80, 64, 3e38f},   {0, -1e6f, 100, -1e6f - 0.5f},
    };
    for (auto& l : lines) {
        Canvas c(FB_WIDTH, FB_HEIGHT);
        gfx_line_aa(c.data(), c.w, c.h, l[0], l[1], l[2], l[3], 0xFFFFFFFF);
        if (!std::isfinite(l[0] + l[1] + l[2] + l[3])) {
            EXPECT_EQ(c.countNot(0), 0);
        }
    }
}

// Random lines over a grey background, many grazing or leaving the buffer:
// every touched pixel lies next to the segment, and every pixel stays grey
// (a channel pushed outside 0..255 would spill into its neighbours).
TEST(GfxLineProperties, RandomLinesStayNearTheirSegmentAndKeepChannelsApart) {
    std::mt19937 rng(1234);
    std::uniform_real_distribution<float> coord(-40.0f, 200.0f);
    std::uniform_int_distribution<int> level(0, 255);
    for (int n = 0; n < 3000; ++n) {
        const float x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        const uint32_t background = grey(level(rng)), colour = grey(level(rng));
        Canvas c(FB_WIDTH, FB_HEIGHT, background);
        gfx_line_aa(c.data(), c.w, c.h, x0, y0, x1, y1, colour);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) {
                const uint32_t p = c.at(x, y);
                ASSERT_EQ(p, grey(p & 0xFF)) << n << ": " << x << "," << y;
                if (p != background) {
                    ASSERT_LT(distanceToSegment(x, y, x0, y0, x1, y1), 2.5)
                        << x0 << "," << y0 << " - " << x1 << "," << y1 << " at " << x << "," << y;
                }
            }
    }
}
