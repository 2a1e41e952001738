// The shell's order of work: throttle, one frame per fast tick after the
// decoder step, settings defaults after the first frame, a unit that is off.
//
// Until the display application is wired in, the frame is the test card,
// whose lamps show the button levels the decoder hook sampled and the
// page-enable bits of settings slot 2 as the frame saw them.
#include <gtest/gtest.h>

#include <vector>

#include "device/device.h"
#include "device/settings.h"
#include "host/bezel.h"
#include "host/compose.h"
#include "host/shell.h"
#include "host/test_card.h"

namespace {

void startUnit() {
    unitPowerOnReset();
    HostOnCreate();
    hostStartup();
}

uint32_t screenPixel(int x, int y) { return hostCanvas()[BEZEL_WIDTH * (SCREEN_Y + y) + SCREEN_X + x]; }

uint32_t viewLamp() { return screenPixel(TEST_CARD_LAMP_X[0], TEST_CARD_LAMP_Y); }

uint32_t pageLamp(int page) { return screenPixel(TEST_CARD_PAGE_X0 + 16 * (page - 1), TEST_CARD_PAGE_Y); }

bool insideScreen(HostRect r) {
    return r.x >= SCREEN_X && r.y >= SCREEN_Y && r.x + r.w <= SCREEN_X + FB_WIDTH && r.y + r.h <= SCREEN_Y + FB_HEIGHT;
}

float demoRollAfterSteps(int steps) {
    devicePowerOnReset();
    for (int i = 0; i < steps; ++i) demoStep();
    return demoRoll;
}

}  // namespace

TEST(ShellThrottle, FirstRequestComposesThenEveryTenth) {
    const float expectedRoll = demoRollAfterSteps(4);
    unitPowerOnReset();
    HostOnCreate();
    std::vector<int> composedAt;
    for (int i = 0; i < 31; ++i) {
        if (HostPaint()) composedAt.push_back(i);
    }
    EXPECT_EQ(composedAt, (std::vector<int>{0, 10, 20, 30}));
    EXPECT_EQ(hostFrameCount(), 4);
    EXPECT_EQ(demoRoll, expectedRoll) << "skipped requests must not run frame work";
}

TEST(ShellThrottle, PowerOnResetRestartsTheCount) {
    startUnit();
    HostPaint();
    HostPaint();
    unitPowerOnReset();
    HostOnCreate();
    EXPECT_TRUE(HostPaint());
    EXPECT_EQ(hostFrameCount(), 1);
}

TEST(ShellFastTick, ComposesExactlyOneFramePerTick) {
    startUnit();
    ASSERT_EQ(hostFrameCount(), 1);
    for (int t = 1; t <= 25; ++t) {
        hostFastTick();
        ASSERT_EQ(hostFrameCount(), 1 + t) << "after tick " << t;
    }
    EXPECT_EQ(demoRoll, demoRollAfterSteps(26));
}

TEST(ShellFastTick, FrameShowsWhatThisTicksDecoderSampled) {
    startUnit();
    EXPECT_EQ(viewLamp(), TEST_CARD_LAMP_OFF);
    bezelMouse(WM_LBUTTONDOWN, 120, 150);
    EXPECT_EQ(viewLamp(), TEST_CARD_LAMP_OFF) << "a click alone composes nothing";
    hostFastTick();
    EXPECT_EQ(viewLamp(), TEST_CARD_LAMP_ON);
    bezelMouse(WM_LBUTTONUP, 120, 150);
    hostFastTick();
    EXPECT_EQ(viewLamp(), TEST_CARD_LAMP_OFF);
}

TEST(ShellFastTick, ChangesStayInsideTheScreen) {
    startUnit();
    const HostRect all = hostTakeChanges();
    EXPECT_EQ(all.w, BEZEL_WIDTH);
    EXPECT_EQ(all.h, BEZEL_HEIGHT);
    hostFastTick();
    const HostRect r = hostTakeChanges();
    EXPECT_GT(r.w, 0);
    EXPECT_TRUE(insideScreen(r)) << r.x << "," << r.y << " " << r.w << "x" << r.h;
    EXPECT_EQ(hostTakeChanges().w, 0);
}

TEST(ShellStartup, FirstFrameSeesEmptySettingsAndDefaultsFollow) {
    unitPowerOnReset();
    HostOnCreate();
    EXPECT_EQ(discreteInput(1), 1) << "window creation samples the discrete inputs";
    hostStartup();
    ASSERT_EQ(hostFrameCount(), 1);
    for (int p = 1; p <= 7; ++p) EXPECT_EQ(pageLamp(p), TEST_CARD_PAGE_OFF) << "page " << p;

    const int enabled = settingsReadByte(2);
    EXPECT_NE(enabled, 0) << "defaults are applied at the end of start-up";
    hostFastTick();
    for (int p = 1; p <= 7; ++p) {
        EXPECT_EQ(pageLamp(p), (enabled >> (p - 1)) & 1 ? TEST_CARD_PAGE_ON : TEST_CARD_PAGE_OFF) << "page " << p;
    }
}

TEST(ShellSlowTick, ReachesTheDeviceHookOncePerSecond) {
    startUnit();
    const int before = devJournalCount(DevOp::SecondTick);
    hostSlowTick();
    hostSlowTick();
    EXPECT_EQ(devJournalCount(DevOp::SecondTick), before + 2);
    EXPECT_EQ(hostFrameCount(), 1) << "the slow tick composes nothing";
}

TEST(ShellPowerOff, UnitThatIsOffGetsNoTicksOrFramesAndGoesBlack) {
    startUnit();
    hostFastTick();
    const std::vector<uint32_t> before(hostCanvas(), hostCanvas() + BEZEL_PIXELS);
    const long frames = hostFrameCount();
    const float roll = demoRoll;
    const int seconds = devJournalCount(DevOp::SecondTick);
    hostTakeChanges();

    simDevice.poweredOff = 1;
    EXPECT_FALSE(hostUnitRunning());
    hostFastTick();
    hostSlowTick();
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(HostPaint());

    EXPECT_EQ(hostFrameCount(), frames);
    EXPECT_EQ(demoRoll, roll);
    EXPECT_EQ(devJournalCount(DevOp::SecondTick), seconds);
    const uint32_t* canvas = hostCanvas();
    for (int y = 0; y < BEZEL_HEIGHT; ++y) {
        for (int x = 0; x < BEZEL_WIDTH; ++x) {
            const bool screen = x >= SCREEN_X && x < SCREEN_X + FB_WIDTH && y >= SCREEN_Y && y < SCREEN_Y + FB_HEIGHT;
            const uint32_t expected = screen ? 0xFF000000u : before[BEZEL_WIDTH * y + x];
            ASSERT_EQ(canvas[BEZEL_WIDTH * y + x], expected) << "at " << x << "," << y;
        }
    }
    const HostRect r = hostTakeChanges();
    EXPECT_GT(r.w, 0);
    EXPECT_TRUE(insideScreen(r));
}
