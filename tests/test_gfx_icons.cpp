// The nine icons: sizes, shapes and how their intensities come out.
#include "gfx/icons.h"

#include "canvas.h"

#include <gtest/gtest.h>

namespace {

// The icon drawn white over black on a canvas of its own size; the icon's
// rows land on y + 1 .. y + ih, so it is drawn at y = -1.
Canvas drawn(const Icon4& icon, uint32_t tint = 0xFFFFFFFF) {
    Canvas c(icon.width, icon.height);
    gfx_draw_icon(c.data(), c.w, c.h, icon, 0, -1, tint);
    return c;
}

int rowCount(const Canvas& c, int y) {
    int n = 0;
    for (int x = 0; x < c.w; ++x) n += c.at(x, y) != 0;
    return n;
}

int columnCount(const Canvas& c, int x) {
    int n = 0;
    for (int y = 0; y < c.h; ++y) n += c.at(x, y) != 0;
    return n;
}

bool mirroredVertically(const Canvas& a, const Canvas& b) {
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x)
            if (a.at(x, y) != b.at(x, a.h - 1 - y)) return false;
    return true;
}

bool mirroredHorizontally(const Canvas& a, const Canvas& b) {
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x)
            if (a.at(x, y) != b.at(a.w - 1 - x, y)) return false;
    return true;
}

}  // namespace

TEST(Icons, WhiteTintMakesSolidShapes) {
    for (const Icon4* icon : {&ICON_TRI_UP, &ICON_TRI_DOWN, &ICON_TRI_LEFT, &ICON_TRI_RIGHT,
                              &ICON_CHECK, &ICON_CROSS, &ICON_PLAY_PAUSE, &ICON_PAUSE}) {
        const Canvas c = drawn(*icon);
        for (uint32_t p : c.px) EXPECT_TRUE(p == 0 || p == 0xFFFFFFFF);
        EXPECT_GT(c.countNot(0), c.w * c.h / 4);
    }
}

TEST(Icons, TrianglesPointWhereTheirNamesSay) {
    const Canvas up = drawn(ICON_TRI_UP), down = drawn(ICON_TRI_DOWN);
    const Canvas left = drawn(ICON_TRI_LEFT), right = drawn(ICON_TRI_RIGHT);
    EXPECT_TRUE(mirroredVertically(up, down));
    EXPECT_TRUE(mirroredHorizontally(left, right));
    EXPECT_TRUE(mirroredHorizontally(up, up));
    EXPECT_TRUE(mirroredVertically(left, left));
    for (int y = 1; y < up.h; ++y) EXPECT_GE(rowCount(up, y), rowCount(up, y - 1));
    EXPECT_EQ(rowCount(up, up.h - 1), up.w);
    EXPECT_LE(rowCount(up, 0), 2);
    for (int x = 1; x < left.w; ++x) EXPECT_GE(columnCount(left, x), columnCount(left, x - 1));
    EXPECT_EQ(columnCount(left, left.w - 1), left.h);
}

TEST(Icons, PauseIsTwoBarsAndPlayPauseATriangleThenABar) {
    const Canvas pause = drawn(ICON_PAUSE), play = drawn(ICON_PLAY_PAUSE);
    int bars = 0;
    for (int x = 0; x < pause.w; ++x) {
        const int n = columnCount(pause, x);
        EXPECT_TRUE(n == 0 || n == pause.h) << x;
        bars += n > 0 && (x == 0 || columnCount(pause, x - 1) == 0);
    }
    EXPECT_EQ(bars, 2);
    // Triangle: columns shrinking to a tip on the middle row, then a gap, then a full bar.
    int x = 1;
    while (x < play.w && columnCount(play, x) > 0) {
        EXPECT_LE(columnCount(play, x), columnCount(play, x - 1)) << x;
        ++x;
    }
    ASSERT_GT(x, 4);
    EXPECT_NE(play.at(x - 1, play.h / 2), 0u);
    EXPECT_EQ(play.at(x - 1, 0), 0u);
    while (x < play.w && columnCount(play, x) == 0) ++x;
    ASSERT_LT(x, play.w);
    EXPECT_EQ(columnCount(play, x), play.h);
}

TEST(Icons, BallIsFullInTheMiddleWithASoftRim) {
    const Canvas ball = drawn(ICON_BALL, 0x40404040);
    EXPECT_EQ(ball.at(10, 10), 0xFFFFFFFFu);
    EXPECT_EQ(ball.at(0, 0), 0u);
    EXPECT_EQ(ball.at(19, 19), 0u);
    bool rimLevels[4] = {};
    for (uint32_t p : ball.px) {
        if (p == 0x40404040u) rimLevels[1] = true;
        if (p == 0x80808080u) rimLevels[2] = true;
        if (p == 0xC0C0C0C0u) rimLevels[3] = true;
        EXPECT_TRUE(p == 0 || p == 0x40404040u || p == 0x80808080u || p == 0xC0C0C0C0u ||
                    p == 0xFFFFFFFFu);
    }
    EXPECT_TRUE(rimLevels[1] && rimLevels[2] && rimLevels[3]);
    EXPECT_TRUE(mirroredHorizontally(ball, ball));
    EXPECT_TRUE(mirroredVertically(ball, ball));
}

TEST(Icons, CheckAndCrossUseTheirTints) {
    const Canvas check = drawn(ICON_CHECK, 0xFF00FF00), cross = drawn(ICON_CROSS, 0xFFFF0000);
    for (uint32_t p : check.px) EXPECT_TRUE(p == 0 || p == 0xFF00FF00);
    for (uint32_t p : cross.px) EXPECT_TRUE(p == 0 || p == 0xFFFF0000);
    EXPECT_TRUE(mirroredHorizontally(cross, cross));
    EXPECT_FALSE(mirroredHorizontally(check, check));
}
