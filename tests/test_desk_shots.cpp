// Screenshot pictures and names.
#include <gtest/gtest.h>

#include "desk/panel.h"
#include "desk/shots.h"
#include "desk/ui.h"
#include "desk/view.h"
#include "gfx/gfx.h"
#include "tests/unit_driver.h"

TEST(DeskShots, NamesSortByTimeAndNeverRepeatWithinASecond) {
    EXPECT_EQ(shotBaseName(2025, 3, 4, 5, 6, 7, 1), "qx70-20250304-050607");
    EXPECT_EQ(shotBaseName(2025, 12, 31, 23, 59, 59, 2), "qx70-20251231-235959-2");
    EXPECT_LT(shotBaseName(2025, 3, 4, 5, 6, 7, 1), shotBaseName(2025, 3, 4, 5, 6, 8, 1));
}

TEST(DeskShots, ScreenAndZoomedWindowAreWhatTheWindowShows) {
    unit::powerOn();
    unit::ticks(30);
    deskViewReset();
    deskUiReset();
    deskPanelReset();
    deskViewUpdate(hostTakeChanges());
    const std::vector<uint32_t> screen = shotScreen();
    ASSERT_EQ(screen.size(), static_cast<size_t>(FB_PIXELS));
    for (int y = 0; y < FB_HEIGHT; ++y)
        for (int x = 0; x < FB_WIDTH; ++x)
            ASSERT_EQ(screen[FB_WIDTH * y + x], unit::screen(x, y) | 0xFF000000u);

    deskUiToggleHelp();  // overlays stay out of the pictures
    int w = 0, h = 0;
    const std::vector<uint32_t> window = shotWindow(3, &w, &h);
    EXPECT_EQ(w, BEZEL_WIDTH * 3);
    EXPECT_EQ(h, BEZEL_HEIGHT * 3);
    for (int y = 0; y < h; y += 7)
        for (int x = 0; x < w; x += 5)
            ASSERT_EQ(window[static_cast<size_t>(w) * y + x],
                      hostCanvas()[BEZEL_WIDTH * (y / 3) + x / 3])
                << x << "," << y;

    deskPanelSetShown(true);
    shotWindow(1, &w, &h);
    EXPECT_EQ(w, VIEW_MAX_WIDTH) << "the panel is part of the window";
    deskPanelSetShown(false);
    deskUiReset();
}
