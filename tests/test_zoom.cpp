// Integer zoom: the window-to-picture mapping keeps every click area exact,
// and the nearest-neighbour copy turns each pixel into an s x s square and
// writes nothing else.
#include <gtest/gtest.h>

#include <vector>

#include "desk/zoom.h"
#include "shell/bezel.h"
#include "shell/shell.h"

namespace {

int levels() { return viewLevel() << 2 | leftLevel() << 1 | rightLevel(); }

int levelsOfPress(int x, int y) {
    buttonLevelsPowerOnReset();
    bezelMouse(WM_LBUTTONDOWN, x, y);
    return levels();
}

}  // namespace

TEST(Zoom, ToPictureIsFloorDivision) {
    EXPECT_EQ(zoomToPicture(0, 3), 0);
    EXPECT_EQ(zoomToPicture(2, 3), 0);
    EXPECT_EQ(zoomToPicture(3, 3), 1);
    EXPECT_EQ(zoomToPicture(-1, 3), -1) << "a release left of the window must stay outside";
    EXPECT_EQ(zoomToPicture(-3, 3), -1);
    EXPECT_EQ(zoomToPicture(-4, 3), -2);
    EXPECT_EQ(zoomToPicture(449, 1), 449);
    EXPECT_EQ(zoomToPicture(7, 0), 7) << "a zoom below 1 acts as 1";
    EXPECT_EQ(zoomClamp(0), ZOOM_MIN);
    EXPECT_EQ(zoomClamp(9), ZOOM_MAX);
}

// Every window pixel at every zoom presses what its picture pixel presses,
// so each area covers exactly its zoomed rectangle.
TEST(Zoom, EveryZoomedClickLandsOnTheSameArea) {
    for (int z = ZOOM_MIN; z <= ZOOM_MAX; ++z) {
        int hits[8] = {};
        for (int wy = 120 * z; wy < 330 * z; ++wy)
            for (int wx = 90 * z; wx < 370 * z; ++wx) {
                const int px = zoomToPicture(wx, z), py = zoomToPicture(wy, z);
                const int got = levelsOfPress(px, py);
                ++hits[got];
                if (got != levelsOfPress(px, py)) FAIL();
            }
        const int area = z * z;
        EXPECT_EQ(hits[0b100], 39 * 39 * area) << "zoom " << z;
        EXPECT_EQ(hits[0b010], 39 * 39 * area) << "zoom " << z;
        EXPECT_EQ(hits[0b001], 39 * 39 * area) << "zoom " << z;
        EXPECT_EQ(hits[0b011], 59 * 49 * area) << "zoom " << z;
    }
}

TEST(Zoom, EdgesOfAZoomedAreaAtZoom3) {
    // View spans picture x 101..139, so window x 303..419 at zoom 3.
    EXPECT_EQ(levelsOfPress(zoomToPicture(302, 3), zoomToPicture(450, 3)), 0);
    EXPECT_EQ(levelsOfPress(zoomToPicture(303, 3), zoomToPicture(450, 3)), 0b100);
    EXPECT_EQ(levelsOfPress(zoomToPicture(419, 3), zoomToPicture(450, 3)), 0b100);
    EXPECT_EQ(levelsOfPress(zoomToPicture(420, 3), zoomToPicture(450, 3)), 0);
    // A press on Both, released just outside the window to the left: held.
    buttonLevelsPowerOnReset();
    bezelMouse(WM_LBUTTONDOWN, zoomToPicture(690, 3), zoomToPicture(900, 3));
    bezelMouse(WM_LBUTTONUP, zoomToPicture(-1, 3), zoomToPicture(900, 3));
    EXPECT_EQ(levels(), 0b011);
}

TEST(Zoom, BlitMakesSquaresAndTouchesNothingElse) {
    constexpr int SW = 5, SH = 4;
    uint32_t src[SW * SH];
    for (int i = 0; i < SW * SH; ++i) src[i] = 0xFF000000u | static_cast<uint32_t>(i);
    for (int s = 1; s <= ZOOM_MAX; ++s) {
        const int dw = SW * s + 3, dh = SH * s + 2;
        std::vector<uint32_t> dst(static_cast<size_t>(dw) * dh, 0xDEADBEEFu);
        const HostRect r = {1, 1, 3, 2};
        zoomBlit(src, SW, r, s, dst.data(), dw);
        for (int y = 0; y < dh; ++y)
            for (int x = 0; x < dw; ++x) {
                const bool inside =
                    x >= r.x * s && x < (r.x + r.w) * s && y >= r.y * s && y < (r.y + r.h) * s;
                const uint32_t want = inside ? src[SW * (y / s) + x / s] : 0xDEADBEEFu;
                ASSERT_EQ(dst[static_cast<size_t>(dw) * y + x], want)
                    << "s " << s << " at " << x << "," << y;
            }
    }
}

TEST(Zoom, BlitOfAnEmptyRectangleWritesNothing) {
    uint32_t src[4] = {1, 2, 3, 4};
    uint32_t dst[16] = {};
    zoomBlit(src, 2, {0, 0, 0, 2}, 2, dst, 4);
    zoomBlit(src, 2, {0, 0, 2, 2}, 0, dst, 4);
    for (uint32_t p : dst) EXPECT_EQ(p, 0u);
    const HostRect r = zoomRect({2, 3, 4, 5}, 3);
    EXPECT_EQ(r.x, 6);
    EXPECT_EQ(r.y, 9);
    EXPECT_EQ(r.w, 12);
    EXPECT_EQ(r.h, 15);
}
