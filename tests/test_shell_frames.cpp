// The shell's order of work: throttle, one frame per fast tick after the
// decoder step, the per-frame steps in their fixed order, settings defaults
// after the first frame, a unit that is off.
#include <gtest/gtest.h>

#include <vector>

#include "app/alert_banner.h"
#include "app/alerts.h"
#include "app/buttons.h"
#include "app/controller.h"
#include "app_support.h"
#include "device/device.h"
#include "device/filter.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "shell/bezel.h"
#include "shell/compose.h"
#include "shell/shell.h"
#include "unit_driver.h"

namespace {

// The brightness dialog's level bar (30 pixels wide for the simulated level 30).
bool brightnessBarShown() {
    return unit::screen(20, 85) == 0xFFFFFFFFu && unit::screen(49, 85) == 0xFFFFFFFFu;
}

// Screen pixels of the rectangle that differ from an earlier canvas.
int pixelsDifferingFrom(const std::vector<uint32_t>& before, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            n += unit::screen(x, y) != before[BEZEL_WIDTH * (SCREEN_Y + y) + SCREEN_X + x];
    }
    return n;
}

bool insideScreen(HostRect r) {
    return r.x >= SCREEN_X && r.y >= SCREEN_Y && r.x + r.w <= SCREEN_X + FB_WIDTH &&
           r.y + r.h <= SCREEN_Y + FB_HEIGHT;
}

// The attitude page in demo mode, 30 frames in, so every frame turns the horizon.
void reachAttitudeDemo() {
    unit::powerOnPastSplash();
    controllerShowPage(PAGE_ATTITUDE);
    unit::ticks(30);
}

// The G-meter page on its sensor, 3 frames in, while its smoothed G still climbs.
void reachGmeterClimbing() {
    unit::powerOnPastSplash();
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_OFF);
    controllerShowPage(PAGE_GMETER);
    unit::ticks(3);
}

// The frame of the next fast tick drawn by hand: the steps before it, then
// the page controller.
std::vector<uint32_t> nextFrameByHand(void (*stepsBefore)()) {
    stepsBefore();
    std::vector<uint32_t> fb(FB_PIXELS, 0u);
    renderFrame(fb.data());
    return fb;
}

void filterThenDecoder() {
    filterTick();
    buttonTick();
}

void decoderOnly() { buttonTick(); }

void filterDecoderThenDemo() {
    filterThenDecoder();
    demoStep();
}

// Screen pixels that differ from a framebuffer (alpha ignored, as on screen).
int pixelsDifferingFromFrame(const std::vector<uint32_t>& fb) {
    int n = 0;
    for (int y = 0; y < FB_HEIGHT; ++y) {
        const uint32_t* row = fb.data() + FB_WIDTH * (FB_HEIGHT - 1 - y);
        for (int x = 0; x < FB_WIDTH; ++x) n += unit::screen(x, y) != (row[x] | CANVAS_OPAQUE);
    }
    return n;
}

// From the same start, the next tick's frame must match the one drawn by hand
// after `right`, and differ from the one drawn after `wrong`, so that the test
// can tell the two orders apart.
void expectNextTickDrawnAfter(void (*reach)(), void (*right)(), void (*wrong)()) {
    reach();
    const std::vector<uint32_t> expected = nextFrameByHand(right);
    reach();
    const std::vector<uint32_t> other = nextFrameByHand(wrong);
    reach();
    unit::ticks(1);
    EXPECT_EQ(pixelsDifferingFromFrame(expected), 0);
    EXPECT_GT(pixelsDifferingFromFrame(other), 0) << "the two orders must be told apart";
}

float demoRollAfterSteps(int steps) {
    devicePowerOnReset();
    for (int i = 0; i < steps; ++i) demoStep();
    return deviceState.demoRoll;
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
    EXPECT_EQ(deviceState.demoRoll, expectedRoll) << "skipped requests must not run frame work";
}

TEST(ShellThrottle, PowerOnResetRestartsTheCount) {
    unit::powerOn();
    HostPaint();
    HostPaint();
    unitPowerOnReset();
    HostOnCreate();
    EXPECT_TRUE(HostPaint());
    EXPECT_EQ(hostFrameCount(), 1);
}

TEST(ShellFastTick, ComposesExactlyOneFramePerTick) {
    unit::powerOn();
    ASSERT_EQ(hostFrameCount(), 1);
    for (int t = 1; t <= 25; ++t) {
        hostFastTick();
        ASSERT_EQ(hostFrameCount(), 1 + t) << "after tick " << t;
    }
    EXPECT_EQ(deviceState.demoRoll, demoRollAfterSteps(26));
}

TEST(ShellFastTick, FrameShowsWhatThisTicksDecoderDecided) {
    unit::powerOn();
    bezelMouse(WM_LBUTTONDOWN, 340, 220);  // the Right button, held until its hold event
    for (int t = 0; t < RIGHT_HOLD_TICKS; ++t) hostFastTick();
    EXPECT_FALSE(brightnessBarShown());
    hostFastTick();
    EXPECT_TRUE(brightnessBarShown())
        << "the frame after the decoder step shows the dialog it opened";
    bezelMouse(WM_LBUTTONUP, 340, 220);
}

TEST(ShellFastTick, ChangesStayInsideTheScreen) {
    unit::powerOn();
    const HostRect all = hostTakeChanges();
    EXPECT_EQ(all.w, BEZEL_WIDTH);
    EXPECT_EQ(all.h, BEZEL_HEIGHT);
    hostFastTick();
    const HostRect r = hostTakeChanges();
    EXPECT_GT(r.w, 0);
    EXPECT_TRUE(insideScreen(r)) << r.x << "," << r.y << " " << r.w << "x" << r.h;
    EXPECT_EQ(hostTakeChanges().w, 0);
}

TEST(ShellFrameOrder, FrameFollowsThisTicksFilterStep) {
    expectNextTickDrawnAfter(reachGmeterClimbing, filterThenDecoder, decoderOnly);
}

TEST(ShellFrameOrder, PageIsDrawnBeforeTheDemoMotionAdvances) {
    expectNextTickDrawnAfter(reachAttitudeDemo, filterThenDecoder, filterDecoderThenDemo);
}

TEST(ShellFrameOrder, BannerShowsWhatThePreviousFramesAlertLogicRaised) {
    unit::powerOnPastSplash();
    simDevice.gLimitInput[0] = 1;
    unit::ticks(1);
    EXPECT_EQ(alerts.active[ALERT_G1], 1) << "raised by this frame's alert logic";
    EXPECT_EQ(alertBanner.anyActive, 0) << "after this frame's banner had run";
    unit::ticks(1);
    EXPECT_EQ(alertBanner.anyActive, 1);
}

TEST(ShellFrameOrder, DiscreteInputsAreSampledAfterTheAlertLogic) {
    unit::powerOnPastSplash();
    simDevice.gLimitInput[0] = 1;
    unit::ticks(1);
    ASSERT_EQ(alerts.active[ALERT_G1], 1);
    simDevice.discreteInput2Source = 0;  // no longer the edition with G functions
    unit::ticks(1);
    EXPECT_EQ(alerts.active[ALERT_G1], 1)
        << "this frame's alert logic still sees the last frame's sample";
    EXPECT_EQ(discreteInput(2), 0);
    unit::ticks(1);
    EXPECT_EQ(alerts.active[ALERT_G1], 0);
}

TEST(ShellStartup, FirstFrameSeesEmptySettingsAndDefaultsFollow) {
    unitPowerOnReset();
    HostOnCreate();
    EXPECT_EQ(discreteInput(1), 1) << "window creation samples the discrete inputs";
    hostStartup();
    ASSERT_EQ(hostFrameCount(), 1);
    const std::vector<uint32_t> first(hostCanvas(), hostCanvas() + BEZEL_PIXELS);

    EXPECT_EQ(settingsReadByte(SLOT_DEMO_MODE), DEMO_MODE_1)
        << "defaults are applied at the end of start-up";
    hostFastTick();
    EXPECT_GT(pixelsDifferingFrom(first, 0, 0, 24, 22), 0)
        << "the second frame shows the demo mark";
    EXPECT_EQ(pixelsDifferingFrom(first, 0, 22, FB_WIDTH, FB_HEIGHT), 0);
}

TEST(ShellSlowTick, ReachesTheDeviceHookOncePerSecond) {
    unit::powerOn();
    const int before = journalCount(DevOp::SecondTick);
    hostSlowTick();
    hostSlowTick();
    EXPECT_EQ(journalCount(DevOp::SecondTick), before + 2);
    EXPECT_EQ(hostFrameCount(), 1) << "the slow tick composes nothing";
}

TEST(ShellPowerOff, UnitThatIsOffGetsNoTicksOrFramesAndGoesBlack) {
    unit::powerOn();
    hostFastTick();
    const std::vector<uint32_t> before(hostCanvas(), hostCanvas() + BEZEL_PIXELS);
    const long frames = hostFrameCount();
    const float roll = deviceState.demoRoll;
    const int seconds = journalCount(DevOp::SecondTick);
    hostTakeChanges();

    simDevice.poweredOff = 1;
    EXPECT_FALSE(hostUnitRunning());
    hostFastTick();
    hostSlowTick();
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(HostPaint());

    EXPECT_EQ(hostFrameCount(), frames);
    EXPECT_EQ(deviceState.demoRoll, roll);
    EXPECT_EQ(journalCount(DevOp::SecondTick), seconds);
    const uint32_t* canvas = hostCanvas();
    for (int y = 0; y < BEZEL_HEIGHT; ++y) {
        for (int x = 0; x < BEZEL_WIDTH; ++x) {
            const bool screen = x >= SCREEN_X && x < SCREEN_X + FB_WIDTH && y >= SCREEN_Y &&
                                y < SCREEN_Y + FB_HEIGHT;
            const uint32_t expected = screen ? 0xFF000000u : before[BEZEL_WIDTH * y + x];
            ASSERT_EQ(canvas[BEZEL_WIDTH * y + x], expected) << "at " << x << "," << y;
        }
    }
    const HostRect r = hostTakeChanges();
    EXPECT_GT(r.w, 0);
    EXPECT_TRUE(insideScreen(r));
}

TEST(ShellPowerOff, UnitSwitchedOffFromOutsideGoesBlackOnTheNextTick) {
    unit::powerOn();
    hostFastTick();
    simDevice.poweredOff = 1;
    hostFastTick();
    EXPECT_EQ(unit::countScreen(0, 0, FB_WIDTH, FB_HEIGHT, 0xFF000000u), FB_PIXELS);
}
