// Page controller: splash hand-over, page requests, power supervision
// (battery, standby with calibration, power-off, attitude switch) and the
// page indicator strip.
#include "app_support.h"

#include <cmath>

#include "app/alert_banner.h"
#include "app/alerts.h"
#include "app/brightness_dialog.h"
#include "app/colours.h"
#include "app/controller.h"
#include "app/furniture.h"
#include "app/splash.h"
#include "device/filter.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/icons.h"

namespace {

class Controller : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        initController();
        sampleDiscreteInputs();
        settingsApplyDefaults();
        devJournalClear();
    }
    // One frame as the host runs it: the filter step comes from the fast tick.
    void frame() {
        filterTick();
        renderFrame(screen.px);
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) frame();
    }
    void endSplash() {
        frames(SPLASH_FRAMES);
        ASSERT_NE(controller.activePage, PAGE_SPLASH);
        devJournalClear();
    }
    void goOnGroundBattery() {
        simDevice.busVoltage = 4.0f;
        simDevice.inFlight = 0;
    }
    static int notifications(int code) {
        int n = 0;
        for (const DevRequest& r : journalOf(DevOp::Notify)) n += r.a == code;
        return n;
    }
};

TEST_F(Controller, InitStartsOnTheSplashAndNotifies) {
    controllerShowPage(PAGE_SETUP);
    devJournalClear();
    initController();
    EXPECT_EQ(controller.activePage, PAGE_SPLASH);
    ASSERT_EQ(journalOf(DevOp::Notify).size(), 1u);
    EXPECT_EQ(journalOf(DevOp::Notify)[0].a, 1);
}

TEST_F(Controller, SplashEndsAfter120FramesOnSlot9sPage) {
    settingsWriteByte(SLOT_LAST_PAGE, PAGE_TIMER_2);
    frames(119);
    EXPECT_EQ(controller.activePage, PAGE_SPLASH);
    frame();
    EXPECT_EQ(controller.activePage, PAGE_TIMER_2);
}

TEST_F(Controller, SplashFallsBackToPage1AndIgnoresTheEnableBits) {
    struct Case {
        int slot9;
        int enabled;
        int page;
    };
    const Case cases[] = {{0, 0x7F, PAGE_DATA},
                          {8, 0x7F, PAGE_DATA},
                          {200, 0x7F, PAGE_DATA},
                          {3, 0x01, PAGE_TIMER_1},
                          {7, 0x00, PAGE_SETUP}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot9);
        resetUnit();
        initController();
        settingsWriteByte(SLOT_LAST_PAGE, c.slot9);
        settingsWriteByte(SLOT_PAGE_ENABLE, c.enabled);
        frames(SPLASH_FRAMES);
        EXPECT_EQ(controller.activePage, c.page);
    }
}

TEST_F(Controller, SplashEndNotifiesOnce) {
    frames(SPLASH_FRAMES - 1);
    EXPECT_EQ(notifications(1), 0);
    frame();
    EXPECT_EQ(notifications(1), 1);
    controllerShowPage(PAGE_SPLASH);
    for (int i = 0; i < 3; ++i) {
        devJournalClear();
        frames(100);
        EXPECT_EQ(notifications(1), 0);
    }
    EXPECT_EQ(controller.activePage, PAGE_SPLASH);
}

TEST_F(Controller, SplashTimeStandsStillWhileTheDialogCoversIt) {
    frames(50);
    brightnessDialog.open = 1;
    frames(300);
    EXPECT_EQ(controller.activePage, PAGE_SPLASH);
    brightnessDialog.open = 0;
    frames(SPLASH_FRAMES - 51);
    EXPECT_EQ(controller.activePage, PAGE_SPLASH);
    frame();
    EXPECT_EQ(controller.activePage, PAGE_DATA);
}

TEST_F(Controller, PageRequestSelectsAPageAndIsAcknowledged) {
    endSplash();
    simDevice.externalValue[DEV_PAGE_REQUEST] = 5.9f;
    frame();
    EXPECT_EQ(controller.activePage, PAGE_GMETER);
    EXPECT_EQ(simDevice.externalValue[DEV_PAGE_REQUEST], 0.0f);
    ASSERT_EQ(journalOf(DevOp::WriteValue).size(), 1u);
    EXPECT_EQ(journalOf(DevOp::WriteValue)[0].a, DEV_PAGE_REQUEST);
    frame();
    EXPECT_EQ(journalOf(DevOp::WriteValue).size(), 1u);
}

TEST_F(Controller, PageRequestOutsideThePagesIsAcknowledgedAndIgnored) {
    endSplash();
    const int page = controller.activePage;
    for (float request : {9.0f, -1.0f, 1e20f, 250.0f}) {
        SCOPED_TRACE(request);
        simDevice.externalValue[DEV_PAGE_REQUEST] = request;
        frame();
        EXPECT_EQ(controller.activePage, page);
        EXPECT_EQ(simDevice.externalValue[DEV_PAGE_REQUEST], 0.0f);
    }
    // A fraction below 1 and NaN truncate to 0: no request at all.
    devJournalClear();
    for (float request : {0.7f, -0.9f, std::nanf("")}) {
        simDevice.externalValue[DEV_PAGE_REQUEST] = request;
        frame();
        EXPECT_EQ(controller.activePage, page);
    }
    EXPECT_EQ(journalOf(DevOp::WriteValue).size(), 0u);
}

TEST_F(Controller, BusPowerNotifiesEveryFrameButNotAtExactly5Volts) {
    endSplash();
    frames(3);
    EXPECT_EQ(journalOf(DevOp::Notify).size(), 3u);
    devJournalClear();
    simDevice.busVoltage = 5.0f;
    frames(3);
    EXPECT_EQ(controller.onBattery, 0);
    EXPECT_EQ(journalOf(DevOp::Notify).size(), 0u);
}

TEST_F(Controller, LowBatteryPowersOffButNotOnTheSplash) {
    simDevice.busVoltage = 4.0f;
    simDevice.batteryVoltage = 3.2f;
    frames(50);
    EXPECT_EQ(controller.onBattery, 1);
    EXPECT_EQ(simDevice.poweredOff, 0);
    EXPECT_EQ(journalOf(DevOp::PowerOffA).size(), 0u);

    controllerShowPage(PAGE_RUN_TIME);
    frame();
    EXPECT_EQ(simDevice.poweredOff, 1);
    EXPECT_TRUE(journalIsPowerOff());
}

TEST_F(Controller, NothingMoreHappensInThePowerOffFrame) {
    endSplash();
    settingsWriteByte(SLOT_OPTIONS, OPTION_BATTERY_ATTITUDE);
    simDevice.busVoltage = 4.0f;
    simDevice.batteryVoltage = 3.0f;
    controllerShowPage(PAGE_RUN_TIME);
    frame();
    EXPECT_EQ(simDevice.poweredOff, 1);
    // The attitude switch on battery in flight would have followed.
    EXPECT_EQ(controller.activePage, PAGE_RUN_TIME);
    EXPECT_EQ(devJournalAt(devJournalSize() - 1).op, DevOp::PowerOffC);
}

TEST_F(Controller, StandbyShowsTheSplashAndRestoresThePageOnBusPower) {
    endSplash();
    controllerShowPage(PAGE_TIMER_1);
    goOnGroundBattery();
    frame();
    EXPECT_EQ(controller.standbyActive, 1);
    EXPECT_EQ(controller.activePage, PAGE_SPLASH);
    EXPECT_EQ(journalOf(DevOp::Notify).size(), 1u);
    frames(20);
    EXPECT_EQ(controller.activePage, PAGE_SPLASH);  // the splash does not end standby

    simDevice.busVoltage = 14.1f;
    frame();
    EXPECT_EQ(controller.standbyActive, 0);
    EXPECT_EQ(controller.activePage, PAGE_TIMER_1);
    EXPECT_EQ(journalOf(DevOp::Notify).back().a, 1);
}

TEST_F(Controller, TakingOffEndsStandby) {
    endSplash();
    controllerShowPage(PAGE_GMETER);
    goOnGroundBattery();
    frames(10);
    simDevice.inFlight = 1;
    frame();
    EXPECT_EQ(controller.standbyActive, 0);
    EXPECT_EQ(controller.activePage, PAGE_GMETER);
}

TEST_F(Controller, StandbyPowersOffAfterFiftyCountedFrames) {
    endSplash();
    goOnGroundBattery();
    frame();  // entering
    frames(STANDBY_FRAMES);
    EXPECT_EQ(simDevice.poweredOff, 0);
    frame();
    EXPECT_EQ(simDevice.poweredOff, 1);
}

TEST_F(Controller, StandbyPowerOffWaitsForTheBusyInputWithoutBlocking) {
    endSplash();
    goOnGroundBattery();
    simDevice.busyInput = 1;
    frames(1 + STANDBY_FRAMES + 200);
    EXPECT_EQ(simDevice.poweredOff, 0);
    EXPECT_EQ(controller.standbyActive, 1);
    simDevice.busyInput = 0;
    frame();
    EXPECT_EQ(simDevice.poweredOff, 1);
}

TEST_F(Controller, StandbyCalibrationIsStoredOnTheLastFrameWithinLimits) {
    endSplash();
    goOnGroundBattery();
    simDevice.externalValue[0] = 1.0f;
    simDevice.externalValue[1] = 2.0f;
    simDevice.externalValue[2] = 3.0f;
    simDevice.axisReading[0] = 5.0f;
    simDevice.axisReading[1] = 5.0f;
    simDevice.axisReading[2] = -5.0f;
    frames(STANDBY_FRAMES);  // entering and 49 counted frames
    EXPECT_EQ(journalOf(DevOp::WriteParameter).size(), 0u);
    frame();
    const std::vector<DevRequest> written = journalOf(DevOp::WriteParameter);
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[0].a, 80);
    EXPECT_EQ(written[1].a, 81);
    EXPECT_EQ(written[2].a, 82);
    EXPECT_EQ(written[0].x, 1.0f + 0.05f);
    EXPECT_EQ(written[1].x, 2.0f - 0.05f);
    EXPECT_EQ(written[2].x, 3.0f + 0.05f);
    frame();
    EXPECT_EQ(journalOf(DevOp::WriteParameter).size(), 3u);
}

TEST_F(Controller, StandbyCalibrationNeedsTheCalibrateInput) {
    endSplash();
    goOnGroundBattery();
    simDevice.calibrateInput = 0;
    frames(1 + STANDBY_FRAMES);
    EXPECT_EQ(journalOf(DevOp::WriteParameter).size(), 0u);
    EXPECT_EQ(simDevice.poweredOff, 0);
}

TEST_F(Controller, AttitudeSwitchOnBatteryHappensOncePerBatteryEpisode) {
    endSplash();
    settingsWriteByte(SLOT_OPTIONS, OPTION_BATTERY_ATTITUDE);
    controllerShowPage(PAGE_DATA);
    simDevice.busVoltage = 4.0f;
    frame();
    EXPECT_EQ(controller.activePage, PAGE_ATTITUDE);
    controllerShowPage(PAGE_RUN_TIME);  // the user leaves it
    frames(10);
    EXPECT_EQ(controller.activePage, PAGE_RUN_TIME);

    simDevice.busVoltage = 14.1f;
    frame();
    simDevice.busVoltage = 4.0f;
    frame();
    EXPECT_EQ(controller.activePage, PAGE_ATTITUDE);
}

TEST_F(Controller, NoAttitudeSwitchWithoutTheOption) {
    endSplash();
    controllerShowPage(PAGE_DATA);
    simDevice.busVoltage = 4.0f;
    frames(5);
    EXPECT_EQ(controller.activePage, PAGE_DATA);
    EXPECT_EQ(controller.onBattery, 1);
}

TEST_F(Controller, BannerIsDrawnOverPagesAndTheDialogButNotTheSplash) {
    alerts.active[ALERT_TIMER1] = 1;
    frames(30);
    EXPECT_EQ(alertBanner.anyActive, 0);  // not updated on the splash
    alerts.active[ALERT_TIMER1] = 0;
    endSplash();
    alerts.active[ALERT_TIMER1] = 1;
    brightnessDialog.open = 1;
    frames(11);
    EXPECT_EQ(alertBanner.anyActive, 1);
    EXPECT_EQ(screen.at(0, 5), COLOUR_BLACK);
    frame();
    EXPECT_EQ(screen.at(0, 5), 0xFFC0C0C0u);
}

TEST_F(Controller, BrightnessDialogReplacesThePage) {
    endSplash();
    brightnessDialog.open = 1;
    screen.fill(0xFF123456u);
    frame();
    // The dialog covers the whole screen and shows the simulated level 30 as a bar.
    EXPECT_TRUE(screen.all(20, 80, 50, 95, COLOUR_WHITE));
    EXPECT_EQ(screen.at(50, 85), COLOUR_BLACK);
    EXPECT_EQ(screen.at(127, 0), COLOUR_BLACK);
}

TEST_F(Controller, PageIndicatorBarsMarkThePosition) {
    controllerShowPage(PAGE_DATA);
    screen.fill(COLOUR_BLACK);
    drawPageIndicator(screen.px);
    for (int x : {115, 111, 107, 103, 99, 95}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(screen.all(x, 145, x + 2, 156, COLOUR_WHITE));
        EXPECT_EQ(screen.at(x + 2, 150), COLOUR_BLACK);
        EXPECT_EQ(screen.at(x, 144), COLOUR_BLACK);
        EXPECT_EQ(screen.at(x, 156), COLOUR_BLACK);
    }
    EXPECT_EQ(screen.at(91, 150), COLOUR_BLACK);
    EXPECT_TRUE(screen.all(12, 145, 14, 156, COLOUR_BLACK));
    EXPECT_FALSE(screen.all(2, 143, 10, 155, COLOUR_BLACK));     // left arrow
    EXPECT_FALSE(screen.all(119, 143, 127, 155, COLOUR_BLACK));  // right arrow
}

// The whole strip with every page enabled, composed by hand: the left arrow
// at (2, 143), the right one at (119, 143), one bar per page before the
// active one from x 12 rightwards and per page after it from x 115 leftwards.
TEST_F(Controller, PageIndicatorStripIsTheArrowsAndBarsAtTheirPlaces) {
    const uint32_t white = 0xFFFFFFFFu;
    for (int page : {PAGE_DATA, PAGE_GMETER, PAGE_SETUP}) {
        SCOPED_TRACE(page);
        controllerShowPage(page);
        screen.fill(COLOUR_BLACK);
        drawPageIndicator(screen.px);

        Screen expected;
        expected.fill(COLOUR_BLACK);
        gfx_draw_icon(expected.px, FB_WIDTH, FB_HEIGHT, ICON_TRI_LEFT, 2, 143, white);
        gfx_draw_icon(expected.px, FB_WIDTH, FB_HEIGHT, ICON_TRI_RIGHT, 119, 143, white);
        for (int i = 0; i < page - 1; ++i)
            gfx_fill_rect(expected.px, FB_WIDTH, FB_HEIGHT, 12 + 4 * i, 145, 14 + 4 * i, 156,
                          white);
        for (int i = 0; i < 7 - page; ++i)
            gfx_fill_rect(expected.px, FB_WIDTH, FB_HEIGHT, 115 - 4 * i, 145, 117 - 4 * i, 156,
                          white);
        for (int y = 0; y < FB_HEIGHT; ++y)
            for (int x = 0; x < FB_WIDTH; ++x)
                ASSERT_EQ(screen.at(x, y), expected.at(x, y)) << x << "," << y;
    }
}

TEST_F(Controller, PageIndicatorSkipsDisabledPages) {
    settingsWriteByte(SLOT_PAGE_ENABLE, 0x5B);  // pages 1, 2, 4, 5, 7
    controllerShowPage(PAGE_GMETER);
    screen.fill(COLOUR_BLACK);
    drawPageIndicator(screen.px);
    // Before: pages 1, 2, 4 at x 12, 16, 20; after: page 7 at x 115.
    for (int x : {12, 16, 20, 115}) EXPECT_TRUE(screen.all(x, 145, x + 2, 156, COLOUR_WHITE));
    for (int x : {24, 111}) EXPECT_TRUE(screen.all(x, 145, x + 2, 156, COLOUR_BLACK));
}

TEST_F(Controller, PageIndicatorOnTheSplashHasNoLeftArrow) {
    controllerShowPage(PAGE_SPLASH);
    screen.fill(COLOUR_BLACK);
    drawPageIndicator(screen.px);
    EXPECT_TRUE(screen.all(2, 143, 10, 155, COLOUR_BLACK));
    EXPECT_TRUE(screen.all(115, 145, 117, 156, COLOUR_WHITE));
}

}  // namespace
