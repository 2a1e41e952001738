// Rotation matrices, bilinear sampling and images drawn through a transform.
#include "gfx/xform.h"

#include "canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

constexpr Transform2D identity(float scale) { return {1, 0, 0, 1, scale}; }

// A source image with a distinct opaque colour per pixel.
Canvas patterned(int w, int h) {
    Canvas src(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            src.set(x, y, 0xFF000000u | (x * 9) << 16 | (y * 7) << 8 | (x + y));
    return src;
}

}  // namespace

TEST(XformRotate, IdentityRotatedByThetaIsTheRotationMatrix) {
    Transform2D xf = identity(1.05f);
    xform_rotate(xf, 0.3f);
    EXPECT_FLOAT_EQ(xf.m00, std::cos(0.3f));
    EXPECT_FLOAT_EQ(xf.m01, std::sin(0.3f));
    EXPECT_FLOAT_EQ(xf.m10, -std::sin(0.3f));
    EXPECT_FLOAT_EQ(xf.m11, std::cos(0.3f));
    EXPECT_EQ(xf.scale, 1.05f);
}

TEST(XformRotate, ZeroLeavesTheMatrixAndThetaThenMinusThetaRestoresIt) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> any(-3.0f, 3.0f);
    for (int n = 0; n < 200; ++n) {
        const Transform2D start{any(rng), any(rng), any(rng), any(rng), 1.1f};
        Transform2D xf = start;
        xform_rotate(xf, 0.0f);
        EXPECT_EQ(xf.m00, start.m00);
        EXPECT_EQ(xf.m11, start.m11);
        const float theta = any(rng);
        xform_rotate(xf, theta);
        xform_rotate(xf, -theta);
        EXPECT_NEAR(xf.m00, start.m00, 1e-5f);
        EXPECT_NEAR(xf.m01, start.m01, 1e-5f);
        EXPECT_NEAR(xf.m10, start.m10, 1e-5f);
        EXPECT_NEAR(xf.m11, start.m11, 1e-5f);
    }
}

TEST(XformApply, UsesTheOldValuesOfBothCoordinates) {
    const Transform2D m{0, 1, -1, 0, 1};
    float x = 3, y = 5;
    xform_apply(m, x, y);
    EXPECT_EQ(x, 5.0f);
    EXPECT_EQ(y, -3.0f);
}

TEST(XformSample, MidpointsAverageAndOutsideCountsAsBlack) {
    Canvas src(2, 2);
    src.set(0, 0, 0x00000000);
    src.set(1, 0, 0x00C80000);
    src.set(0, 1, 0x000000C8);
    src.set(1, 1, 0x00C800C8);
    EXPECT_EQ(gfx_sample_bilinear(src.data(), 2, 2, 1, 1), 0x00C800C8u);
    EXPECT_EQ(gfx_sample_bilinear(src.data(), 2, 2, 0.5f, 0.5f), 0x00640064u);
    EXPECT_EQ(gfx_sample_bilinear(src.data(), 2, 2, 1.5f, 1.0f), 0x00640064u);  // fades at the edge
    EXPECT_EQ(gfx_sample_bilinear(src.data(), 2, 2, 2.0f, 0.0f), 0u);
}

TEST(XformBlit, IdentityReproducesTheImagePlusABlackRowAndColumn) {
    const Canvas src = patterned(6, 5);
    for (bool additive : {false, true}) {
        Canvas c(20, 20, 0x01010101);
        gfx_blit_transformed(c.data(), 20, 20, src.px.data(), 6, 5, 4, 3, identity(1), additive);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                uint32_t expected = 0x01010101;
                if (x >= 4 && x < 10 && y >= 3 && y < 8)
                    expected = additive ? color_add_sat(0x01010101, src.at(x - 4, y - 3))
                                        : src.at(x - 4, y - 3);
                else if (!additive && x >= 4 && x <= 10 && y >= 3 && y <= 8)
                    expected = 0;  // u = sw or v = sh still samples (as black)
                ASSERT_EQ(c.at(x, y), expected) << additive << " " << x << "," << y;
            }
    }
}

// Every stored pixel is gfx_sample_bilinear at the pixel's source point (the
// inverse rotation times the offset from the corner, scaled by scale^2), for
// random rotations, places and colours with extreme channels; pixels whose
// source point lies outside the image keep their colour.
TEST(XformBlit, EveryPixelIsTheSampleAtItsSourcePoint) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> angle(-7.0f, 7.0f), place(-4.0f, 30.0f),
        scale(1.0f, 1.5f);
    const uint32_t extremes[] = {0u, 0xFFFFFFFFu, 0xFF000000u, 0x00FF00FFu};
    for (int n = 0; n < 300; ++n) {
        Canvas src(9, 7);
        for (uint32_t& p : src.px) p = n % 2 ? extremes[rng() % 4] : static_cast<uint32_t>(rng());
        Transform2D xf = identity(scale(rng));
        xform_rotate(xf, angle(rng));
        const float cx = place(rng), cy = place(rng);
        Canvas c(32, 32, 0x5A5A5A5A);
        gfx_blit_transformed(c.data(), 32, 32, src.px.data(), 9, 7, cx, cy, xf, false);

        const float s2 = xf.scale * xf.scale;
        const Transform2D inv{s2 * xf.m11, s2 * -xf.m01, s2 * -xf.m10, s2 * xf.m00, xf.scale};
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                float u = static_cast<float>(x) - cx, v = static_cast<float>(y) - cy;
                xform_apply(inv, u, v);
                const bool inside = u >= 0.0f && u <= 9.0f && v >= 0.0f && v <= 7.0f;
                const uint32_t expected =
                    inside ? gfx_sample_bilinear(src.px.data(), 9, 7, u, v) : 0x5A5A5A5Au;
                ASSERT_EQ(c.at(x, y), expected) << n << ": " << x << "," << y;
            }
    }
}

TEST(XformBlit, ScaleShrinksByItsSquare) {
    Canvas ball(20, 20, 0xFFFFFFFF);
    Canvas c(64, 64);
    gfx_blit_transformed(c.data(), 64, 64, ball.px.data(), 20, 20, 10, 10, identity(1.1f), false);
    int widest = 0, tallest = 0;
    for (int y = 0; y < 64; ++y) {
        int row = 0;
        for (int x = 0; x < 64; ++x) row += c.at(x, y) != 0;
        widest = std::max(widest, row);
        tallest += row > 0;
    }
    EXPECT_NEAR(widest, 20 / 1.21, 1.0);  // about 16.5 pixels
    EXPECT_NEAR(tallest, 20 / 1.21, 1.0);
    EXPECT_EQ(c.at(10, 10), 0xFFFFFFFFu);
    EXPECT_EQ(c.at(9, 10), 0u);
}

TEST(XformBlit, AdditiveTwiceEqualsOnceWithColoursDoubled) {
    Canvas ball(20, 20);
    gfx_fill_rect(ball.data(), 20, 20, 4, 4, 16, 16, 0xFFFFFFFF);
    gfx_fill_rect(ball.data(), 20, 20, 8, 2, 12, 18, 0x80808080);
    Transform2D xf = identity(1.05f);
    xform_rotate(xf, 0.4f);
    Canvas twice(48, 48), once(48, 48);
    for (int i = 0; i < 2; ++i)
        gfx_blit_transformed(twice.data(), 48, 48, ball.px.data(), 20, 20, 14.5f, 13.25f, xf, true);
    gfx_blit_transformed(once.data(), 48, 48, ball.px.data(), 20, 20, 14.5f, 13.25f, xf, true);
    for (uint32_t& p : once.px) p = color_add_sat(p, p);
    EXPECT_EQ(twice.px, once.px);
    EXPECT_GT(twice.countNot(0), 150);
}

TEST(XformBlit, OutsideOrNonFinitePlacementsDrawNothing) {
    const Canvas src = patterned(8, 8);
    const float places[][2] = {{-40, 5}, {5, 90}, {NAN, 5}, {5, INFINITY}, {-3e9f, 3e9f}};
    for (auto& p : places) {
        Canvas c(32, 32, 0x12345678);
        gfx_blit_transformed(c.data(), 32, 32, src.px.data(), 8, 8, p[0], p[1], identity(1), false);
        EXPECT_EQ(c.countNot(0x12345678), 0) << p[0] << "," << p[1];
    }
}
