// The whole unit driven as a user drives it: power-on, bezel clicks, fast
// ticks and seconds through the host shell.
#include "app/alert_banner.h"
#include "app/alerts.h"
#include "app/brightness_dialog.h"
#include "app/buttons.h"
#include "app/colours.h"
#include "app/controller.h"
#include "app/timekeeping.h"
#include "app_support.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/gfx.h"
#include "unit_driver.h"

namespace {

using unit::Button;

bool screenDark() {
    return unit::countScreen(0, 0, FB_WIDTH, FB_HEIGHT, COLOUR_BLACK) == FB_PIXELS;
}

class Unit : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        unit::powerOn();
    }
};

TEST_F(Unit, BootsThroughTheSplashToPage1) {
    EXPECT_EQ(controller.activePage, PAGE_SPLASH);
    unit::ticks(SPLASH_FRAMES - 2);  // the first frame came with the start-up
    EXPECT_EQ(controller.activePage, PAGE_SPLASH);
    unit::ticks(1);
    EXPECT_EQ(controller.activePage, PAGE_DATA);
}

TEST_F(Unit, ClicksStepThroughThePagesAndTheLastIsRemembered) {
    unit::ticks(SPLASH_FRAMES);
    unit::click(Button::Right);
    EXPECT_EQ(controller.activePage, PAGE_RUN_TIME);
    EXPECT_EQ(settingsReadByte(SLOT_LAST_PAGE), PAGE_RUN_TIME);
    unit::click(Button::Left);
    unit::click(Button::Left);
    EXPECT_EQ(controller.activePage, PAGE_SETUP);
    unit::click(Button::Both);
    EXPECT_EQ(controller.activePage, PAGE_SETUP);
}

TEST_F(Unit, PageSwitchedOffInSetupIsSkipped) {
    unit::ticks(SPLASH_FRAMES);
    settingsWriteByte(SLOT_PAGE_ENABLE, 0x7D);  // page 2 off
    unit::click(Button::Right);
    EXPECT_EQ(controller.activePage, PAGE_TIMER_1);
}

TEST_F(Unit, RightHoldOpensTheBrightnessDialogAndRightClickClosesIt) {
    unit::ticks(SPLASH_FRAMES);
    unit::click(Button::Right, RIGHT_HOLD_TICKS + 1);
    EXPECT_EQ(brightnessDialog.open, 1);
    // The simulated manual level 30 as a 30-pixel bar.
    EXPECT_EQ(unit::countScreen(20, 80, 50, 95, COLOUR_WHITE), 30 * 15);
    EXPECT_EQ(unit::screen(50, 85), COLOUR_BLACK);
    unit::click(Button::View);
    EXPECT_EQ(journalCount(DevOp::SetBrightnessLevel), 1);
    unit::click(Button::Right);
    EXPECT_EQ(brightnessDialog.open, 0);
    EXPECT_EQ(controller.activePage, PAGE_DATA);
}

TEST_F(Unit, SecondsAdvanceTheTimekeeping) {
    unit::seconds(61);
    EXPECT_EQ(timekeeping.flightTime.minutes, 1);
    EXPECT_EQ(timekeeping.flightTime.seconds, 1);
    EXPECT_EQ(timekeeping.engineTime.minutes, 1);
}

TEST_F(Unit, SwitchOffOnBatteryDarkensTheScreenAndStopsTheUnit) {
    unit::ticks(SPLASH_FRAMES);
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
    const int page = controller.activePage;
    const int seconds = timekeeping.flightTime.seconds;
    unit::ticks(200);
    unit::seconds(5);
    EXPECT_EQ(timekeeping.flightTime.seconds, seconds);
    EXPECT_EQ(controller.activePage, page);
    EXPECT_TRUE(screenDark());
}

TEST_F(Unit, StandbyOnTheGroundShowsTheSplashThenPowersOff) {
    unit::ticks(SPLASH_FRAMES);
    simDevice.busVoltage = 4.0f;
    simDevice.inFlight = 0;
    unit::ticks(1);
    EXPECT_EQ(controller.activePage, PAGE_SPLASH);
    unit::ticks(STANDBY_FRAMES);
    EXPECT_TRUE(hostUnitRunning());
    unit::ticks(1);
    EXPECT_FALSE(hostUnitRunning());
    EXPECT_TRUE(screenDark());
}

TEST_F(Unit, ExpiredTimerRaisesTheBannerAndViewAcknowledgesIt) {
    unit::ticks(SPLASH_FRAMES);
    timekeeping.timers[0].running = 1;
    timekeeping.timers[0].countDown = 1;
    timekeeping.timers[0].seconds = 2;
    unit::seconds(2);
    unit::ticks(1);
    EXPECT_EQ(alerts.active[ALERT_TIMER1], 1);
    unit::ticks(BANNER_BLINK_FRAMES);
    EXPECT_EQ(alertBanner.anyActive, 1);
    unit::click(Button::View);
    EXPECT_EQ(alerts.active[ALERT_TIMER1], 0);
    EXPECT_EQ(controller.activePage, PAGE_DATA);
}

}  // namespace
