// Splash page: the 120-frame display time that ends once, and its texts.
#include "app_support.h"

#include "app/controller.h"
#include "app/splash.h"
#include "device/settings.h"

namespace {

constexpr uint32_t GREY = 0xFF707070u;
constexpr uint32_t LABEL = 0xFF60F0F0u;

using Splash = UnitTest;

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

TEST_F(Splash, DemoMarkFollowsTheDemoMode) {
    struct Case {
        int mode;
        bool mark;
    };
    for (const Case& c : {Case{0, false}, Case{1, true}, Case{2, true}, Case{3, false}}) {
        SCOPED_TRACE(c.mode);
        settingsWriteByte(SLOT_DEMO_MODE, c.mode);
        drawSplash(screen.px);
        EXPECT_EQ(screen.any(0, 0, 24, 22, LABEL), c.mark);
    }
}

TEST_F(Splash, ModelNameAndVersionAreGrey) {
    drawSplash(screen.px);
    EXPECT_TRUE(screen.any(20, 90, 108, 112, GREY));
    EXPECT_TRUE(screen.any(40, 135, 88, 152, GREY));
}

TEST_F(Splash, EditionInputWidensTheModelName) {
    // "QX-70-S" is two characters longer than "QX-70".
    auto widthOfGrey = [this] {
        int left = FB_WIDTH, right = -1;
        for (int y = 90; y < 112; ++y) {
            for (int x = 0; x < FB_WIDTH; ++x) {
                if (screen.at(x, y) != GREY) continue;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        return right - left;
    };
    drawSplash(screen.px);
    const int plain = widthOfGrey();
    simDevice.discreteInput2Source = 1;
    sampleDiscreteInputs();
    drawSplash(screen.px);
    EXPECT_GT(widthOfGrey(), plain);
}

}  // namespace
