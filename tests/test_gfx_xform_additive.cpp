// Additive transformed drawing scans only where the image's ink can land; it
// must give exactly the pixels of the plain rule (the image stored through
// the transform onto black, every pixel then added to the target), for the
// attitude page's scratch images (every ladder number, the slip ball) and for
// images with ink anywhere, over hundreds of random and edge rotations and
// positions (the ladder numbers are drawn rotated by minus the bank, for any
// bank, at any place on the picture).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "canvas.h"
#include "gfx/font.h"
#include "gfx/icons.h"
#include "gfx/xform.h"

namespace {

constexpr int LABEL_SIDE = 32;
constexpr int BALL_SIDE = 20;
constexpr int TARGET_SIDE = 140;
constexpr float TWO_PI = 6.2831853f;

Canvas labelImage(const std::string& text) {
    Canvas img(LABEL_SIDE, LABEL_SIDE);
    font_draw_text(img.data(), img.w, img.h, FONT_TEXT_18, 0, 0, 0xFFFFFFFFu, text.c_str());
    return img;
}

Canvas ballImage() {
    Canvas img(BALL_SIDE, BALL_SIDE);
    gfx_draw_icon(img.data(), img.w, img.h, ICON_BALL, 0, 0, 0x40404040u);
    return img;
}

// A few random pixels, some of them on the image's edges and corners.
Canvas speckled(std::mt19937& rng) {
    Canvas img(LABEL_SIDE, LABEL_SIDE);
    std::uniform_int_distribution<int> coord(0, LABEL_SIDE - 1), edge(0, 1);
    for (int n = 0; n < 6; ++n) {
        int x = coord(rng), y = coord(rng);
        if (n % 3 == 0) x = edge(rng) ? 0 : LABEL_SIDE - 1;
        if (n % 3 == 1) y = edge(rng) ? 0 : LABEL_SIDE - 1;
        img.set(x, y, static_cast<uint32_t>(rng()));
    }
    return img;
}

Canvas noise(std::mt19937& rng) {
    Canvas img(TARGET_SIDE, TARGET_SIDE);
    for (uint32_t& p : img.px) p = static_cast<uint32_t>(rng()) & 0xC0C0C0C0u;
    return img;
}

Transform2D rotated(float scale, float angle) {
    Transform2D xf{1.0f, 0.0f, 0.0f, 1.0f, scale};
    xform_rotate(xf, angle);
    return xf;
}

// The plain rule: src stored through xf onto black over the whole scan, then
// every pixel added to target (adding black changes nothing).
Canvas addedByRule(const Canvas& target, const Canvas& src, float cx, float cy,
                   const Transform2D& xf) {
    Canvas stored(target.w, target.h);
    gfx_blit_transformed(stored.data(), stored.w, stored.h, src.px.data(), src.w, src.h, cx, cy, xf,
                         false);
    Canvas out = target;
    for (size_t i = 0; i < out.px.size(); ++i) out.px[i] = color_add_sat(out.px[i], stored.px[i]);
    return out;
}

Canvas added(const Canvas& target, const Canvas& src, float cx, float cy, const Transform2D& xf) {
    Canvas out = target;
    gfx_blit_transformed(out.data(), out.w, out.h, src.px.data(), src.w, src.h, cx, cy, xf, true);
    return out;
}

// Draws src both ways onto copies of target; the index of the first
// differing pixel, or -1.
long firstDifference(const Canvas& target, const Canvas& src, float cx, float cy,
                     const Transform2D& xf) {
    const Canvas expected = addedByRule(target, src, cx, cy, xf);
    const Canvas actual = added(target, src, cx, cy, xf);
    for (size_t i = 0; i < expected.px.size(); ++i)
        if (expected.px[i] != actual.px[i]) return static_cast<long>(i);
    return -1;
}

}  // namespace

// Ink is any non-zero pixel, even one with a single low channel or alpha
// alone, and the box around it reaches the image's last column.
TEST(XformAdditive, EveryNonZeroPixelCountsAsInk) {
    Canvas img(LABEL_SIDE, LABEL_SIDE);
    img.set(7, 3, 1);
    img.set(2, 30, 0x01000000u);
    img.set(31, 12, 0xFFFFFFFFu);
    const Canvas target(TARGET_SIDE, TARGET_SIDE);
    const Canvas drawn = added(target, img, 40.0f, 40.0f, rotated(1.0f, 0.0f));
    EXPECT_EQ(drawn.at(47, 43), 1u);
    EXPECT_EQ(drawn.at(42, 70), 0x01000000u);
    EXPECT_EQ(drawn.at(71, 52), 0xFFFFFFFFu);
    EXPECT_EQ(drawn.px, addedByRule(target, img, 40.0f, 40.0f, rotated(1.0f, 0.0f)).px);
    EXPECT_EQ(drawn.countNot(0), 3);
}

TEST(XformAdditive, LadderNumbersMatchTheFullScanAtAnyBankAndPlace) {
    std::mt19937 rng(20261208);
    std::uniform_real_distribution<float> angle(0.0f, TWO_PI), place(-70.0f, 210.0f);
    const float edgeAngles[] = {0.001f,     1e-7f,     1.5707964f, 3.1405926f,
                                3.1415927f, 4.712389f, 6.2821853f};
    int cases = 0;
    for (int deg = 10; deg <= 90; deg += 10) {
        const Canvas label = labelImage(std::to_string(deg));
        const Canvas target = noise(rng);
        for (int n = 0; n < 30; ++n, ++cases) {
            const float u = n < 7 ? edgeAngles[n] : angle(rng);
            float cx = place(rng), cy = place(rng);
            if (n % 4 == 1) cx = std::round(cx);
            if (n % 4 == 2) cy = std::round(cy) + 0.5f;
            ASSERT_EQ(firstDifference(target, label, cx, cy, rotated(1.05f, -u)), -1)
                << "label " << deg << " u " << u << " at " << cx << ", " << cy;
        }
    }
    EXPECT_EQ(cases, 270);
}

TEST(XformAdditive, SlipBallMatchesTheFullScanAcrossTheTube) {
    const Canvas ball = ballImage();
    std::mt19937 rng(5);
    const Canvas target = noise(rng);
    for (float slip = -8.0f; slip <= 8.0f; slip += 0.37f) {
        const float x = 64 + 6 * slip - 10 + 2;
        ASSERT_EQ(firstDifference(target, ball, x, 111.0f, rotated(1.1f, 0.0f)), -1) << slip;
        ASSERT_EQ(firstDifference(target, ball, x, 40.0f, rotated(1.1f, 0.0f)), -1) << slip;
    }
}

TEST(XformAdditive, InkAnywhereAndUnusualTransformsMatchTheFullScan) {
    std::mt19937 rng(77);
    std::uniform_real_distribution<float> angle(-10.0f, 10.0f), place(-60.0f, 200.0f);
    const Transform2D odd[] = {
        rotated(0.5f, 0.3f),
        rotated(3.0f, 2.0f),
        rotated(1.0f, 0.0f),
        {1.0f, 0.7f, 0.0f, 1.0f, 1.0f},
        {0.0f, 0.0f, 0.0f, 0.0f, 1.0f},   // singular: the full scan
        {1.0f, 0.0f, 0.0f, 1.0f, 0.05f},  // tiny scale: the full scan
    };
    for (int n = 0; n < 60; ++n) {
        const Canvas src = speckled(rng);
        const Canvas target = noise(rng);
        const float cx = place(rng), cy = place(rng);
        ASSERT_EQ(firstDifference(target, src, cx, cy, rotated(1.05f, angle(rng))), -1) << n;
        ASSERT_EQ(firstDifference(target, src, cx, cy, odd[n % 6]), -1) << n;
    }
}

TEST(XformAdditive, EmptyImagesAndFarOrInvalidPlacesDrawNothing) {
    std::mt19937 rng(3);
    const Canvas target = noise(rng);
    const Canvas label = labelImage("50");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float places[][2] = {{1e6f, 50}, {-1e6f, 50}, {50, 3e38f}, {nan, 50}, {50, inf}};
    for (const auto& p : places) {
        EXPECT_EQ(firstDifference(target, label, p[0], p[1], rotated(1.05f, 0.5f)), -1);
        EXPECT_EQ(added(target, label, p[0], p[1], rotated(1.05f, 0.5f)).px, target.px);
    }
    const Canvas empty(LABEL_SIDE, LABEL_SIDE);
    EXPECT_EQ(firstDifference(target, empty, 60.0f, 60.0f, rotated(1.05f, 1.0f)), -1);
    EXPECT_EQ(added(target, empty, 60.0f, 60.0f, rotated(1.05f, 1.0f)).px, target.px);
}

// A size that cannot be an image draws nothing and reads nothing: the ink
// search must not walk rows of a negative width or height.
TEST(XformAdditive, ImpossibleSizesDrawNothing) {
    std::mt19937 rng(9);
    const Canvas label = labelImage("40");
    const int sizes[][2] = {{-LABEL_SIDE, LABEL_SIDE}, {LABEL_SIDE, -LABEL_SIDE}, {0, LABEL_SIDE}};
    for (const auto& size : sizes) {
        Canvas target = noise(rng);
        const Canvas before = target;
        gfx_blit_transformed(target.data(), target.w, target.h, label.px.data(), size[0], size[1],
                             60.0f, 60.0f, rotated(1.0f, 0.3f), true);
        EXPECT_EQ(target.px, before.px) << size[0] << " x " << size[1];
    }
}
