// The whole unit driven as a user drives it: power-on, bezel clicks, fast
// ticks and seconds through the host shell.
#include "app/alerts.h"
#include "app/buttons.h"
#include "app/colours.h"
#include "app/controller.h"
#include "app/timekeeping.h"
#include "app_support.h"
#include "device/device.h"
#include "device/settings.h"
#include "gfx/gfx.h"
#include "unit_driver.h"

namespace {

using unit::Button;

constexpr int SCREEN_PIXELS = FB_WIDTH * FB_HEIGHT;

bool screenDark() {
    return unit::countScreen(0, 0, FB_WIDTH, FB_HEIGHT, COLOUR_BLACK) == SCREEN_PIXELS;
}

class Unit : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        unit::powerOn();
    }
};

TEST_F(Unit, BootsThroughTheSplashToPage1) {
    EXPECT_EQ(activePage, PAGE_SPLASH);
    unit::ticks(unit::SPLASH_FRAMES - 2);  // the first frame came with the start-up
    EXPECT_EQ(activePage, PAGE_SPLASH);
    unit::ticks(1);
    EXPECT_EQ(activePage, PAGE_DATA);
}

TEST_F(Unit, ClicksStepThroughThePagesAndTheLastIsRemembered) {
    unit::ticks(unit::SPLASH_FRAMES);
    unit::click(Button::Right);
    EXPECT_EQ(activePage, PAGE_RUN_TIME);
    EXPECT_EQ(settingsReadByte(SLOT_LAST_PAGE), PAGE_RUN_TIME);
    unit::click(Button::Left);
    unit::click(Button::Left);
    EXPECT_EQ(activePage, PAGE_SETUP);
    unit::click(Button::Both);
    EXPECT_EQ(activePage, PAGE_SETUP);
}

TEST_F(Unit, PageSwitchedOffInSetupIsSkipped) {
    unit::ticks(unit::SPLASH_FRAMES);
    settingsWriteByte(SLOT_PAGE_ENABLE, 0x7D);  // page 2 off
    unit::click(Button::Right);
    EXPECT_EQ(activePage, PAGE_TIMER_1);
}

TEST_F(Unit, RightHoldOpensTheBrightnessDialogAndRightClickClosesIt) {
    unit::ticks(unit::SPLASH_FRAMES);
    unit::click(Button::Right, RIGHT_HOLD_TICKS + 1);
    EXPECT_EQ(brightnessDialogOpen, 1);
    // The simulated manual level 30 as a 30-pixel bar.
    EXPECT_EQ(unit::countScreen(20, 80, 50, 95, COLOUR_WHITE), 30 * 15);
    EXPECT_EQ(unit::screen(50, 85), COLOUR_BLACK);
    unit::click(Button::View);
    EXPECT_EQ(devJournalCount(DevOp::SetBrightnessLevel), 1);
    unit::click(Button::Right);
    EXPECT_EQ(brightnessDialogOpen, 0);
    EXPECT_EQ(activePage, PAGE_DATA);
}

TEST_F(Unit, SecondsAdvanceTheTimekeeping) {
    unit::seconds(61);
    EXPECT_EQ(flightTime.minutes, 1);
    EXPECT_EQ(flightTime.seconds, 1);
    EXPECT_EQ(engineTime.minutes, 1);
}

TEST_F(Unit, SwitchOffOnBatteryDarkensTheScreenAndStopsTheUnit) {
    unit::ticks(unit::SPLASH_FRAMES);
    simDevice.busVoltage = 4.0f;  // in flight, so no standby
    unit::ticks(2);
    unit::press(Button::View);
    unit::ticks(2);
    unit::press(Button::Left);
    unit::ticks(2);
    EXPECT_FALSE(hostUnitRunning());
    EXPECT_TRUE(screenDark());
    // No more frames, timekeeping or decoding.
    unit::release(Button::View);
    unit::release(Button::Left);
    const int page = activePage;
    const int seconds = flightTime.seconds;
    unit::ticks(200);
    unit::seconds(5);
    EXPECT_EQ(flightTime.seconds, seconds);
    EXPECT_EQ(activePage, page);
    EXPECT_TRUE(screenDark());
}

TEST_F(Unit, StandbyOnTheGroundShowsTheSplashThenPowersOff) {
    unit::ticks(unit::SPLASH_FRAMES);
    simDevice.busVoltage = 4.0f;
    simDevice.inFlight = 0;
    unit::ticks(1);
    EXPECT_EQ(activePage, PAGE_SPLASH);
    unit::ticks(STANDBY_FRAMES);
    EXPECT_TRUE(hostUnitRunning());
    unit::ticks(1);
    EXPECT_FALSE(hostUnitRunning());
    EXPECT_TRUE(screenDark());
}

TEST_F(Unit, ExpiredTimerRaisesTheBannerAndViewAcknowledgesIt) {
    unit::ticks(unit::SPLASH_FRAMES);
    timers[0].running = 1;
    timers[0].countDown = 1;
    timers[0].seconds = 2;
    unit::seconds(2);
    unit::ticks(1);
    EXPECT_EQ(alertActive[ALERT_TIMER1], 1);
    unit::ticks(BANNER_BLINK_FRAMES);
    EXPECT_EQ(anyAlertActive, 1);
    unit::click(Button::View);
    EXPECT_EQ(alertActive[ALERT_TIMER1], 0);
    EXPECT_EQ(activePage, PAGE_DATA);
}

}  // namespace
