// The bezel artwork marks what the click areas do: a button inside each
// area, the black screen exactly where frames land, and a window icon with a
// transparent surround.
#include <gtest/gtest.h>

#include <vector>

#include "gfx/gfx.h"
#include "shell/bezel.h"
#include "shell/bezel_art.h"
#include "shell/shell.h"

namespace {

std::vector<uint32_t> paintBezel() {
    std::vector<uint32_t> picture(BEZEL_PIXELS, 0);
    bezelArtPaint(picture.data());
    return picture;
}

int luminance(uint32_t c) {
    return (299 * int((c >> 16) & 0xFF) + 587 * int((c >> 8) & 0xFF) + 114 * int(c & 0xFF)) / 1000;
}

int lumaAt(const std::vector<uint32_t>& pic, int x, int y) {
    return luminance(gfx_get_pixel(pic.data(), BEZEL_WIDTH, BEZEL_HEIGHT, x, y));
}

}  // namespace

TEST(BezelArt, EachClickAreaHoldsAButtonCapInsideADarkerWell) {
    const std::vector<uint32_t> pic = paintBezel();
    const struct {
        const char* name;
        BezelArea area;
        int reachX, reachY;  // from the centre to just outside the cap
    } buttons[] = {{"View", VIEW_BUTTON_AREA, 17, 17},
                   {"Left", LEFT_BUTTON_AREA, 17, 17},
                   {"Right", RIGHT_BUTTON_AREA, 17, 17},
                   {"Both", BOTH_BUTTON_AREA, 26, 20}};
    for (const auto& b : buttons) {
        const int cx = (b.area.left + b.area.right) / 2, cy = (b.area.top + b.area.bottom) / 2;
        ASSERT_GT(cx - b.reachX, b.area.left) << b.name;
        ASSERT_LT(cy + b.reachY, b.area.bottom) << b.name;
        const int cap = lumaAt(pic, cx, cy);
        for (const auto& [dx, dy] :
             {std::pair{b.reachX, 0}, {-b.reachX, 0}, {0, b.reachY}, {0, -b.reachY}}) {
            EXPECT_LT(lumaAt(pic, cx + dx, cy + dy), cap - 12)
                << b.name << ": no well around the cap at offset " << dx << "," << dy;
        }
    }
}

TEST(BezelArt, ScreenAreaIsBlackAndEverythingIsOpaque) {
    const std::vector<uint32_t> pic = paintBezel();
    for (int y = 0; y < BEZEL_HEIGHT; ++y) {
        for (int x = 0; x < BEZEL_WIDTH; ++x) {
            const uint32_t p = gfx_get_pixel(pic.data(), BEZEL_WIDTH, BEZEL_HEIGHT, x, y);
            ASSERT_EQ(p >> 24, 0xFFu) << "transparent at " << x << "," << y;
            const bool screen = x >= SCREEN_X && x < SCREEN_X + FB_WIDTH && y >= SCREEN_Y &&
                                y < SCREEN_Y + FB_HEIGHT;
            if (screen) {
                ASSERT_EQ(p, 0xFF000000u) << "screen area at " << x << "," << y;
            }
        }
    }
}

TEST(BezelArt, IconIsOpaqueInsideWithTransparentCorners) {
    std::vector<uint32_t> icon(ICON_SIZE * ICON_SIZE, 0xFFFFFFFFu);
    bezelArtPaintIcon(icon.data());
    const auto alpha = [&](int x, int y) {
        return gfx_get_pixel(icon.data(), ICON_SIZE, ICON_SIZE, x, y) >> 24;
    };
    EXPECT_EQ(alpha(0, 0), 0u);
    EXPECT_EQ(alpha(ICON_SIZE - 1, ICON_SIZE - 1), 0u);
    EXPECT_EQ(alpha(ICON_SIZE / 2, ICON_SIZE / 2), 0xFFu);
    EXPECT_EQ(alpha(ICON_SIZE / 2, 1), 0xFFu);
}
