// Splash page: the 120-frame display time that ends once, and its texts.
#include "app_support.h"
#include "screen_checks.h"

#include <algorithm>

#include "app/colours.h"
#include "app/controller.h"
#include "app/splash.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/font.h"
#include "gfx/splash_picture.h"

namespace {

class Splash : public UnitTest {
  protected:
    // The picture alone, as the splash draws it first.
    static Screen bare() {
        Screen picture;
        gfx_draw_image444(picture.px, FB_WIDTH, FB_HEIGHT, SPLASH_PICTURE, SPLASH_WIDTH,
                          SPLASH_HEIGHT, 0, 0);
        return picture;
    }
    // Pixels of the rectangle where the screen differs from the bare picture.
    int changed(int x0, int y0, int x1, int y1) const {
        const Screen picture = bare();
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) n += screen.at(x, y) != picture.at(x, y);
        }
        return n;
    }
    // Width of the span of columns that differ from the picture in rows y0 to y1 - 1.
    int changedWidth(int y0, int y1) const {
        const Screen picture = bare();
        int left = FB_WIDTH, right = -1;
        for (int y = y0; y < y1; ++y) {
            for (int x = 0; x < FB_WIDTH; ++x) {
                if (screen.at(x, y) == picture.at(x, y)) continue;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        return right - left;
    }
};

TEST_F(Splash, DisplayTimeEndsOnceOnThe120thFrame) {
    for (int f = 1; f < SPLASH_FRAMES; ++f) ASSERT_EQ(drawSplash(screen.px), 0) << f;
    EXPECT_EQ(drawSplash(screen.px), 1);
    for (int f = 0; f < 5000; ++f) ASSERT_EQ(drawSplash(screen.px), 0) << f;
}

TEST_F(Splash, PowerOnResetStartsTheDisplayTimeAgain) {
    for (int f = 0; f < 200; ++f) drawSplash(screen.px);
    splashPowerOnReset();
    for (int f = 1; f < SPLASH_FRAMES; ++f) drawSplash(screen.px);
    EXPECT_EQ(drawSplash(screen.px), 1);
}

TEST_F(Splash, DrawsTheWholePictureUnderItsTexts) {
    const Screen picture = bare();
    screen.fill(0xFF123456u);
    drawSplash(screen.px);
    // Outside the text areas the screen is the picture, pixel for pixel.
    EXPECT_EQ(changed(0, 0, FB_WIDTH, 90), 0);
    EXPECT_EQ(changed(0, 112, FB_WIDTH, 135), 0);
    EXPECT_TRUE(screen.at(0, 159) == picture.at(0, 159));
}

TEST_F(Splash, DemoMarkFollowsTheDemoMode) {
    const Screen picture = bare();
    struct Case {
        int mode;
        bool mark;
    };
    for (const Case& c : {Case{0, false}, Case{1, true}, Case{2, true}, Case{3, false}}) {
        SCOPED_TRACE(c.mode);
        settingsWriteByte(SLOT_DEMO_MODE, c.mode);
        drawSplash(screen.px);
        const Rect markArea = {0, 0, 24, 22};
        EXPECT_TRUE(c.mark ? hasInk(screen, markArea, COLOUR_LABEL, picture)
                           : noInk(screen, markArea, COLOUR_LABEL, picture));
        EXPECT_EQ(changed(0, 0, 24, 22) > 0, c.mark);
    }
}

TEST_F(Splash, ModelNameAndVersionAreGrey) {
    const Screen picture = bare();
    drawSplash(screen.px);
    EXPECT_TRUE(hasInk(screen, {20, 90, 108, 112}, COLOUR_GREY, picture));
    EXPECT_TRUE(hasInk(screen, {40, 135, 88, 152}, COLOUR_GREY, picture));
}

// The screen composed by hand: the picture, the model name centred at
// (64, 100) in the larger text font, "1.2" at (64, 143) in the smaller one,
// both grey, and the demo mark centred at (10, 10) in light cyan.
TEST_F(Splash, TextsStandWhereTheLayoutPutsThem) {
    struct Case {
        bool edition;
        int demoMode;
        const char* model;
        const char* mark;
    };
    for (const Case& c : {Case{false, 1, "QX-70", "D1"}, Case{true, 2, "QX-70-S", "D2"}}) {
        SCOPED_TRACE(c.model);
        simDevice.discreteInput2Source = c.edition ? 1 : 0;
        sampleDiscreteInputs();
        settingsWriteByte(SLOT_DEMO_MODE, c.demoMode);
        drawSplash(screen.px);

        Screen expected = bare();
        font_draw_text_centered(expected.px, FB_WIDTH, FB_HEIGHT, FONT_TEXT_18, 64, 100,
                                0xFF707070u, c.model);
        font_draw_text_centered(expected.px, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, 64, 143,
                                0xFF707070u, "1.2");
        font_draw_text_centered(expected.px, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, 10, 10, 0xFF60F0F0u,
                                c.mark);
        for (int y = 0; y < FB_HEIGHT; ++y)
            for (int x = 0; x < FB_WIDTH; ++x)
                ASSERT_EQ(screen.at(x, y), expected.at(x, y)) << x << "," << y;
    }
}

TEST_F(Splash, EditionInputWidensTheModelName) {
    drawSplash(screen.px);
    const int plain = changedWidth(90, 112);
    simDevice.discreteInput2Source = 1;
    sampleDiscreteInputs();
    drawSplash(screen.px);
    // "QX-70-S" against "QX-70": two more characters, still centred on 64.
    EXPECT_GT(changedWidth(90, 112), plain + 8);
}

}  // namespace
