// Pixel access, channel operations, rectangles, runs, copies and pictures.
#include "gfx/gfx.h"

#include "canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <random>

namespace {

// The channel-by-channel forms of the blend and the saturating add, which the
// four-channel vector code must match exactly.
uint32_t lerpReference(uint32_t a, uint32_t b, float t) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const float v = (1.0f - t) * static_cast<float>((a >> shift) & 0xFFu) +
                        t * static_cast<float>((b >> shift) & 0xFFu);
        const int c = !(v > 0.0f) ? 0 : v >= 255.0f ? 255 : static_cast<int>(v);
        out |= static_cast<uint32_t>(c) << shift;
    }
    return out;
}

uint32_t addSatReference(uint32_t a, uint32_t b) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t sum = ((a >> shift) & 0xFFu) + ((b >> shift) & 0xFFu);
        out |= std::min(sum, 255u) << shift;
    }
    return out;
}

}  // namespace

TEST(GfxPixelAccess, OutsideWritesNothingAndReadsZero) {
    Canvas c(4, 3, 0x11111111);
    const int outside[][2] = {{4, 0}, {0, 3}, {-1, 0}, {0, -1}, {INT_MIN, INT_MAX}};
    for (auto& p : outside) {
        c.set(p[0], p[1], 0xFFFFFFFF);
        EXPECT_EQ(c.at(p[0], p[1]), 0u);
    }
    EXPECT_EQ(c.countNot(0x11111111), 0);
}

TEST(GfxPixelAccess, RowsAreStoredBottomUp) {
    Canvas c(4, 3);
    c.set(1, 0, 0xA);  // top row lives in the last row of memory
    c.set(2, 2, 0xB);
    EXPECT_EQ(c.px[1 + 4 * 2], 0xAu);
    EXPECT_EQ(c.px[2], 0xBu);
    EXPECT_EQ(gfx_get_pixel_unchecked(c.data(), 4, 3, 1, 0), 0xAu);
}

TEST(GfxChannels, LerpTowardsWhiteAt240Of255) {
    EXPECT_EQ(color_lerp(0x00000000, 0xFFFFFFFF, 240.0f / 255.0f), 0xF0F0F0F0u);
}

TEST(GfxChannels, LerpEndsAreExact) {
    const uint32_t a = 0x12345678, b = 0xFEDCBA98;
    EXPECT_EQ(color_lerp(a, b, 0.0f), a);
    EXPECT_EQ(color_lerp(a, b, 1.0f), b);
}

TEST(GfxChannels, LerpLimitsEachChannelWithoutSpilling) {
    // Weights just outside 0..1 occur at a line's edge: each channel must stay
    // in its own byte, limited at 0 and 255.
    EXPECT_EQ(color_lerp(0x80808080, 0xFFFFFFFF, 1.6f), 0xFFFFFFFFu);
    EXPECT_EQ(color_lerp(0x80808080, 0xFFFFFFFF, -1.5f), 0x00000000u);
    EXPECT_EQ(color_lerp(0x00FF0010, 0xFF00FF00, -0.25f), 0x00FF0014u);
    EXPECT_EQ(color_lerp(0x10203040, 0x10203040, std::nanf("")), 0u);
}

// Millions of random colours with the weights the drawing uses (glyph
// coverage n x 16 / 255, line and sampler fractions, weights just outside
// 0..1 at a line's edge) and weights far outside, infinite or NaN.
TEST(GfxChannels, FourChannelFormsMatchTheChannelByChannelReference) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<float> nearUnit(-0.25f, 1.25f), wide(-300.0f, 300.0f);
    const float specials[] = {0.0f,
                              1.0f,
                              -0.0f,
                              240.0f / 255.0f,
                              0.5f,
                              1.0f - 1e-7f,
                              std::numeric_limits<float>::infinity(),
                              std::nanf(""),
                              -std::numeric_limits<float>::infinity(),
                              1e-30f};
    for (int i = 0; i < 4'000'000; ++i) {
        const uint32_t a = rng(), b = i % 7 == 0 ? a ^ (rng() & 0x01010101u) : rng();
        float t = nearUnit(rng);
        switch (i % 8) {
            case 0: t = static_cast<float>((i / 8) % 16 * 16) / 255.0f; break;
            case 1: t = wide(rng); break;
            case 2: t = specials[(i / 8) % std::size(specials)]; break;
            default: break;
        }
        ASSERT_EQ(color_lerp(a, b, t), lerpReference(a, b, t))
            << std::hex << a << " " << b << " " << std::hexfloat << t;
        ASSERT_EQ(color_add_sat(a, b), addSatReference(a, b)) << std::hex << a << " " << b;
    }
}

TEST(GfxChannels, ScaleTruncatesAndSaturates) {
    EXPECT_EQ(color_scale(0x40404040, 3), 0xC0C0C0C0u);
    EXPECT_EQ(color_scale(0x40404040, 16), 0xFFFFFFFFu);
    EXPECT_EQ(color_scale(0xFF00FF00, 0.5), 0x7F007F00u);
    EXPECT_EQ(color_scale(0x01020304, 1e300), 0xFFFFFFFFu);
}

TEST(GfxChannels, AddSaturatesPerChannel) {
    EXPECT_EQ(color_add_sat(0x80FF0110, 0x80010102), 0xFFFF0212u);
}

TEST(GfxFillRect, CornersInEitherOrderFillTheSamePixels) {
    Canvas a(FB_WIDTH, FB_HEIGHT), b(FB_WIDTH, FB_HEIGHT);
    gfx_fill_rect(a.data(), a.w, a.h, 24, 35, 104, 54, 0xFF00FF00);
    gfx_fill_rect(b.data(), b.w, b.h, 104, 54, 24, 35, 0xFF00FF00);
    EXPECT_EQ(a.px, b.px);
    EXPECT_EQ(a.countNot(0), 80 * 19);
    EXPECT_EQ(a.at(24, 35), 0xFF00FF00u);
    EXPECT_EQ(a.at(103, 53), 0xFF00FF00u);
    EXPECT_EQ(a.at(104, 53), 0u);
    EXPECT_EQ(a.at(103, 54), 0u);
}

TEST(GfxFillRect, ClipsToTheBufferAndEqualCornersDrawNothing) {
    Canvas c(FB_WIDTH, FB_HEIGHT);
    gfx_fill_rect(c.data(), c.w, c.h, 5, 5, 5, 9, 1);
    EXPECT_EQ(c.countNot(0), 0);
    gfx_fill_rect(c.data(), c.w, c.h, 0, 140, 128, 160, 2);
    EXPECT_EQ(c.countNot(0), 128 * 20);
    gfx_fill_rect(c.data(), c.w, c.h, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 3);
    EXPECT_EQ(c.countNot(3), 0);
}

TEST(GfxHspan, ClipsTheRunAndIgnoresRowsOutside) {
    Canvas c(8, 2);
    gfx_hspan(c.data(), 8, 2, -3, 2, 0, 7);
    gfx_hspan(c.data(), 8, 2, 6, 100, 1, 9);
    gfx_hspan(c.data(), 8, 2, 0, 8, 2, 5);
    gfx_hspan(c.data(), 8, 2, 4, 4, 0, 5);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(c.at(x, 0), x < 2 ? 7u : 0u) << x;
        EXPECT_EQ(c.at(x, 1), x >= 6 ? 9u : 0u) << x;
    }
}

TEST(GfxBlit, WideImageAtNegativeColumnShowsItsMiddle) {
    Canvas src(140, 140), fb(FB_WIDTH, FB_HEIGHT, 0xDEADBEEF);
    for (int y = 0; y < 140; ++y)
        for (int x = 0; x < 140; ++x) src.set(x, y, 0xFF000000u | x << 8 | y);
    gfx_blit(fb.data(), fb.w, fb.h, src.data(), 140, 140, -6, 0);
    for (int y = 0; y < 140; ++y)
        for (int x = 0; x < FB_WIDTH; ++x)
            ASSERT_EQ(fb.at(x, y), src.at(x + 6, y)) << x << "," << y;
    for (int y = 140; y < FB_HEIGHT; ++y)
        for (int x = 0; x < FB_WIDTH; ++x) ASSERT_EQ(fb.at(x, y), 0xDEADBEEFu);
}

// Copies and 12-bit pictures clip whole rows and columns first.
TEST(GfxBlit, ClipsEveryEdgeLikePixelByPixelStores) {
    Canvas src(5, 4);
    uint16_t picture[20];  // rows bottom first
    for (int i = 0; i < 20; ++i) {
        src.px[i] = 100 + i;
        picture[i] = static_cast<uint16_t>(0x111 * (i % 16));
    }
    const int positions[][2] = {{-2, -1}, {3, 2}, {-5, 0}, {6, 5}, {INT_MIN, 0}, {0, INT_MAX}};
    for (auto& p : positions) {
        Canvas fb(6, 5), ref(6, 5), fb444(6, 5), ref444(6, 5);
        gfx_blit(fb.data(), 6, 5, src.data(), 5, 4, p[0], p[1]);
        gfx_draw_image444(fb444.data(), 6, 5, picture, 5, 4, p[0], p[1]);
        for (long long i = 0; i < 4; ++i)
            for (long long j = 0; j < 5; ++j) {
                const long long tx = p[0] + j, ty = p[1] + i;
                if (tx >= 0 && tx < 6 && ty >= 0 && ty < 5) {
                    ref.set(int(tx), int(ty), src.at(int(j), int(i)));
                    const uint32_t v = ((j + 5 * (3 - i)) % 16) << 4;  // data rows bottom first
                    ref444.set(int(tx), int(ty), 0xFF000000u | v << 16 | v << 8 | v);
                }
            }
        EXPECT_EQ(fb.px, ref.px) << p[0] << "," << p[1];
        EXPECT_EQ(fb444.px, ref444.px) << p[0] << "," << p[1];
    }
}

TEST(GfxImage444, ChannelsBecomeHighNibblesAndRowsLandOneHigherThanIcons) {
    const uint16_t data[2 * 2] = {0x0F00, 0x00F0, 0xF00F, 0x0123};  // rows bottom first
    Canvas c(4, 4);
    gfx_draw_image444(c.data(), 4, 4, data, 2, 2, 1, 1);
    EXPECT_EQ(c.at(1, 2), 0xFFF00000u);  // bottom row, y + ih - 1
    EXPECT_EQ(c.at(2, 2), 0xFF00F000u);
    EXPECT_EQ(c.at(1, 1), 0xFF0000F0u);  // top row at y; bits 12-15 ignored
    EXPECT_EQ(c.at(2, 1), 0xFF102030u);
    EXPECT_EQ(c.countNot(0), 4);
}

TEST(GfxIcon4, NibblesScaleTheTintAndAddWithSaturation) {
    // One byte column, rows bottom first: (1, 2), (3, 4), (15, 0).
    const uint8_t data[3] = {0x12, 0x34, 0xF0};
    Canvas c(2, 5, 0x01010101);
    gfx_draw_icon4(c.data(), 2, 5, data, 2, 3, 0, 0, 0x40404040);
    EXPECT_EQ(c.at(0, 3), 0x41414141u);  // first data row lands on y + ih
    EXPECT_EQ(c.at(1, 3), 0x81818181u);
    EXPECT_EQ(c.at(0, 2), 0xC1C1C1C1u);
    EXPECT_EQ(c.at(1, 2), 0xFFFFFFFFu);  // 4 x 0x40 + 1 saturates
    EXPECT_EQ(c.at(0, 1), 0xFFFFFFFFu);  // nibble 15 scales by 16
    EXPECT_EQ(c.at(1, 1), 0x01010101u);  // nibble 0 leaves the pixel
    EXPECT_EQ(c.at(0, 0), 0x01010101u);
    EXPECT_EQ(c.at(0, 4), 0x01010101u);
}

TEST(GfxIcon4, ClipsAtEveryEdge) {
    const uint8_t data[4] = {0xFF, 0xFF, 0xFF, 0xFF};  // 4 x 2, all full
    Canvas c(3, 3);
    gfx_draw_icon4(c.data(), 3, 3, data, 4, 2, -1, 0, 0xFFFFFFFF);
    EXPECT_EQ(c.countNot(0), 6);  // rows 1, 2 and columns 0..2
    gfx_draw_icon4(c.data(), 3, 3, data, 4, 2, INT_MAX, INT_MAX, 0xFFFFFFFF);
    EXPECT_EQ(c.countNot(0), 6);
}
