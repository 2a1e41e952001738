// Frame composition onto the canvas: opaque copy, orientation, changed area.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gfx/gfx.h"
#include "shell/compose.h"

namespace {

constexpr uint32_t SENTINEL = 0x12345678u;

std::vector<uint32_t> freshCanvas() { return std::vector<uint32_t>(BEZEL_PIXELS, SENTINEL); }

uint32_t at(const std::vector<uint32_t>& canvas, int x, int y) {
    return canvas[BEZEL_WIDTH * y + x];
}

// Framebuffer element of screen pixel (x, y), y from the top.
uint32_t& fbAt(std::vector<uint32_t>& fb, int x, int y) {
    return fb[x + FB_WIDTH * (FB_HEIGHT - 1 - y)];
}

bool sameRect(HostRect a, HostRect b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

}  // namespace

TEST(ComposeScreen, CopiesOpaqueAndRightSideUp) {
    std::vector<uint32_t> canvas = freshCanvas();
    std::vector<uint32_t> fb(FB_PIXELS, 0x00000000u);
    fbAt(fb, 0, 0) = 0x00FF0000u;  // alpha 0 still shows as full red
    fbAt(fb, 127, 0) = 0x0000FF00u;
    fbAt(fb, 0, 159) = 0x000000FFu;
    fbAt(fb, 127, 159) = 0x80FFFFFFu;
    HostRect changed = {};
    composeScreen(canvas.data(), fb.data(), &changed);

    EXPECT_EQ(at(canvas, 165, 107), 0xFFFF0000u);
    EXPECT_EQ(at(canvas, 292, 107), 0xFF00FF00u);
    EXPECT_EQ(at(canvas, 165, 266), 0xFF0000FFu);
    EXPECT_EQ(at(canvas, 292, 266), 0xFFFFFFFFu);
    EXPECT_EQ(at(canvas, 200, 200), 0xFF000000u);  // transparent black is opaque black
    // Nothing outside the screen area is touched.
    EXPECT_EQ(at(canvas, 164, 107), SENTINEL);
    EXPECT_EQ(at(canvas, 293, 107), SENTINEL);
    EXPECT_EQ(at(canvas, 165, 106), SENTINEL);
    EXPECT_EQ(at(canvas, 165, 267), SENTINEL);
    const long touched =
        std::count_if(canvas.begin(), canvas.end(), [](uint32_t p) { return p != SENTINEL; });
    EXPECT_EQ(touched, FB_PIXELS);
    EXPECT_TRUE(sameRect(changed, SCREEN_RECT));
}

TEST(ComposeScreen, ReportsOnlyWhatChanged) {
    std::vector<uint32_t> canvas = freshCanvas();
    std::vector<uint32_t> fb(FB_PIXELS, 0xFF102030u);
    HostRect changed = {};
    composeScreen(canvas.data(), fb.data(), &changed);

    changed = {};
    composeScreen(canvas.data(), fb.data(), &changed);
    EXPECT_EQ(changed.w, 0) << "an identical frame changes nothing";

    fbAt(fb, 10, 20) = 0xFFFFFFFFu;
    composeScreen(canvas.data(), fb.data(), &changed);
    EXPECT_TRUE(sameRect(changed, {175, 127, 1, 1}));

    changed = {};
    fbAt(fb, 90, 150) = 0x00102030u;  // differs only in alpha: the same on screen
    fbAt(fb, 3, 40) = 0xFF000001u;
    fbAt(fb, 50, 30) = 0xFF000001u;
    composeScreen(canvas.data(), fb.data(), &changed);
    EXPECT_TRUE(sameRect(changed, {168, 137, 48, 11}));
}

TEST(ComposeScreen, BlankScreenIsOpaqueBlackInsideTheScreenOnly) {
    std::vector<uint32_t> canvas = freshCanvas();
    HostRect changed = {};
    composeBlankScreen(canvas.data(), &changed);
    EXPECT_TRUE(sameRect(changed, SCREEN_RECT));
    EXPECT_EQ(at(canvas, 165, 107), 0xFF000000u);
    EXPECT_EQ(at(canvas, 292, 266), 0xFF000000u);
    EXPECT_EQ(at(canvas, 164, 266), SENTINEL);
    changed = {};
    composeBlankScreen(canvas.data(), &changed);
    EXPECT_EQ(changed.w, 0);
}

TEST(ComposeBezel, FlipsRowsAndMakesEveryPixelOpaque) {
    std::vector<uint32_t> picture(BEZEL_PIXELS, 0x00112233u);
    picture[0] = 0x00ABCDEFu;                                       // bottom-left
    picture[BEZEL_WIDTH * (BEZEL_HEIGHT - 1) + 449] = 0x00FEDCBAu;  // top-right
    std::vector<uint32_t> canvas = freshCanvas();
    composeBezel(canvas.data(), picture.data());
    EXPECT_EQ(at(canvas, 0, 549), 0xFFABCDEFu);
    EXPECT_EQ(at(canvas, 449, 0), 0xFFFEDCBAu);
    EXPECT_EQ(at(canvas, 200, 300), 0xFF112233u);
}

TEST(RectUnion, EmptyRectanglesAddNothing) {
    EXPECT_TRUE(sameRect(rectUnion({}, {5, 6, 7, 8}), {5, 6, 7, 8}));
    EXPECT_TRUE(sameRect(rectUnion({5, 6, 7, 8}, {0, 0, 0, 3}), {5, 6, 7, 8}));
    EXPECT_TRUE(sameRect(rectUnion({10, 10, 2, 2}, {0, 20, 1, 1}), {0, 10, 12, 11}));
}
