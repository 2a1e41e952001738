// Page navigation and the routing of decoded events: switch-off, standby
// notification, alert acknowledgement, the brightness dialog and the pages.
#include "app_support.h"

#include "app/alert_banner.h"
#include "app/alerts.h"
#include "app/brightness_dialog.h"
#include "app/controller.h"
#include "app/setup.h"
#include "app/setup_screens.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "shell/bezel.h"
#include "unit_driver.h"

namespace {

using unit::Button;

class Navigation : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        buttonDecoderStart();
        settingsWriteByte(SLOT_PAGE_ENABLE, PAGE_ENABLE_ALL);
    }
    // Where navigation from page lands with the given enable bits.
    int next(int page, int enabled) {
        controllerShowPage(page);
        settingsWriteByte(SLOT_PAGE_ENABLE, enabled);
        unit::decoderClick(Button::Right);
        return controller.activePage;
    }
    int previous(int page, int enabled) {
        controllerShowPage(page);
        settingsWriteByte(SLOT_PAGE_ENABLE, enabled);
        unit::decoderClick(Button::Left);
        return controller.activePage;
    }
};

TEST_F(Navigation, AllPagesEnabledWrapAtBothEnds) {
    EXPECT_EQ(previous(PAGE_DATA, PAGE_ENABLE_ALL), PAGE_SETUP);
    EXPECT_EQ(next(PAGE_SETUP, PAGE_ENABLE_ALL), PAGE_DATA);
    EXPECT_EQ(next(PAGE_RUN_TIME, PAGE_ENABLE_ALL), PAGE_TIMER_1);
    EXPECT_EQ(previous(PAGE_ATTITUDE, PAGE_ENABLE_ALL), PAGE_GMETER);
}

TEST_F(Navigation, DisabledPagesAreSkippedWithBothFallBacks) {
    const int pages1and3 = 0x05;
    EXPECT_EQ(next(PAGE_DATA, pages1and3), PAGE_TIMER_1);
    EXPECT_EQ(next(PAGE_TIMER_1, pages1and3), PAGE_DATA);
    EXPECT_EQ(previous(PAGE_TIMER_1, pages1and3), PAGE_DATA);
    // Backwards below page 1 takes page 7 without testing its bit.
    EXPECT_EQ(previous(PAGE_DATA, pages1and3), PAGE_SETUP);
    // Forwards past page 7 takes page 1 without testing its bit.
    const int page3only = 0x04;
    EXPECT_EQ(next(PAGE_GMETER, page3only), PAGE_DATA);
    EXPECT_EQ(previous(PAGE_TIMER_1, page3only), PAGE_SETUP);
}

TEST_F(Navigation, NoEnabledPageStillYieldsAPage) {
    EXPECT_EQ(next(PAGE_RUN_TIME, 0), PAGE_DATA);
    EXPECT_EQ(previous(PAGE_RUN_TIME, 0), PAGE_SETUP);
}

TEST_F(Navigation, FromTheSplashLeftGivesPage7AndRightTheFirstEnabled) {
    EXPECT_EQ(previous(PAGE_SPLASH, PAGE_ENABLE_ALL), PAGE_SETUP);
    EXPECT_EQ(next(PAGE_SPLASH, 0x30), PAGE_GMETER);
}

TEST_F(Navigation, EveryNavigationWritesSlot9) {
    settingsWriteByte(SLOT_LAST_PAGE, 0);
    EXPECT_EQ(next(PAGE_DATA, PAGE_ENABLE_ALL), PAGE_RUN_TIME);
    EXPECT_EQ(settingsReadByte(SLOT_LAST_PAGE), PAGE_RUN_TIME);
    EXPECT_EQ(previous(PAGE_TIMER_2, PAGE_ENABLE_ALL), PAGE_TIMER_1);
    EXPECT_EQ(settingsReadByte(SLOT_LAST_PAGE), PAGE_TIMER_1);
    // Landing on the page it started from is written too.
    settingsWriteByte(SLOT_LAST_PAGE, 5);
    EXPECT_EQ(next(PAGE_DATA, 0x01), PAGE_DATA);
    EXPECT_EQ(settingsReadByte(SLOT_LAST_PAGE), PAGE_DATA);
}

TEST_F(Navigation, SetupMenuIsResetOnlyWhenEnteredForwards) {
    setup.cursor = 3;
    setupLists.pageEnableCursor = 2;
    setup.scroll = 1;
    EXPECT_EQ(previous(PAGE_DATA, PAGE_ENABLE_ALL), PAGE_SETUP);
    EXPECT_EQ(setup.cursor, 3);
    EXPECT_EQ(setupLists.pageEnableCursor, 2);

    EXPECT_EQ(next(PAGE_ATTITUDE, PAGE_ENABLE_ALL), PAGE_SETUP);
    EXPECT_EQ(setup.cursor, -1);
    EXPECT_EQ(setupLists.pageEnableCursor, -1);
    EXPECT_EQ(setup.scroll, 1);
}

TEST_F(Navigation, PressesAndHoldsDoNotNavigate) {
    controllerShowPage(PAGE_RUN_TIME);
    pressLeft();
    runTicks(200);
    releaseLeft();
    runTicks(2);
    EXPECT_EQ(controller.activePage, PAGE_RUN_TIME);
    pressBoth();
    runTicks(5);
    releaseBoth();
    runTicks(2);
    EXPECT_EQ(controller.activePage, PAGE_RUN_TIME);
}

using Routing = Navigation;

TEST_F(Routing, ViewAndLeftDownOnBatterySwitchTheUnitOff) {
    controller.onBattery = 1;
    pressView();
    tickOnce();
    EXPECT_EQ(simDevice.poweredOff, 0);
    pressLeft();
    tickOnce();
    EXPECT_EQ(journalOf(DevOp::SwitchOff).size(), 1u);
    EXPECT_EQ(simDevice.poweredOff, 1);
}

TEST_F(Routing, ViewAndLeftDownOnBusPowerOnlyDecode) {
    pressView();
    tickOnce();
    pressLeft();
    tickOnce();
    EXPECT_EQ(journalOf(DevOp::SwitchOff).size(), 0u);
    EXPECT_EQ(simDevice.poweredOff, 0);
}

TEST_F(Routing, EveryEventDuringStandbyNotifiesTheDevice) {
    controller.standbyActive = 1;
    controllerShowPage(PAGE_SPLASH);
    devJournalClear();
    unit::decoderClick(Button::View);
    ASSERT_EQ(journalOf(DevOp::Notify).size(), 2u);
    EXPECT_EQ(journalOf(DevOp::Notify)[0].a, 1);
    runTicks(10);
    EXPECT_EQ(journalOf(DevOp::Notify).size(), 2u);
}

TEST_F(Routing, ViewReleaseAcknowledgesOneAlertGroupAtATime) {
    alerts.active[ALERT_G2] = 1;
    alerts.active[ALERT_G3] = 1;
    alerts.active[ALERT_TIMER1] = 1;
    alerts.latched[ALERT_G2] = 1;
    alertBanner.anyActive = 1;
    controllerShowPage(PAGE_RUN_TIME);

    unit::decoderClick(Button::View);
    EXPECT_EQ(alerts.active[ALERT_G2], 0);
    EXPECT_EQ(alerts.active[ALERT_G3], 0);
    EXPECT_EQ(alerts.active[ALERT_TIMER1], 1);
    EXPECT_EQ(alerts.latched[ALERT_G2], 1);
    EXPECT_EQ(journalOf(DevOp::AlertAcknowledged).size(), 1u);

    unit::decoderClick(Button::View);
    EXPECT_EQ(alerts.active[ALERT_TIMER1], 0);
    EXPECT_EQ(journalOf(DevOp::AlertAcknowledged).size(), 2u);
    EXPECT_EQ(controller.activePage, PAGE_RUN_TIME);
}

TEST_F(Routing, AcknowledgementClearsAngleGroupAndSingleTimer) {
    alerts.active[ALERT_AOA1] = 1;
    alerts.active[ALERT_AOA3] = 1;
    alerts.active[ALERT_TIMER2] = 1;
    acknowledgeAlert();
    EXPECT_EQ(alerts.active[ALERT_AOA1], 0);
    EXPECT_EQ(alerts.active[ALERT_AOA3], 0);
    EXPECT_EQ(alerts.active[ALERT_TIMER2], 1);
    alerts.active[ALERT_TIMER1] = 1;
    acknowledgeAlert();
    EXPECT_EQ(alerts.active[ALERT_TIMER1], 0);
    EXPECT_EQ(alerts.active[ALERT_TIMER2], 1);
}

TEST_F(Routing, AcknowledgementWithNothingActiveChangesNothing) {
    alertBanner.anyActive = 1;  // stale until the next banner
    unit::decoderClick(Button::View);
    EXPECT_EQ(journalOf(DevOp::AlertAcknowledged).size(), 0u);
}

TEST_F(Routing, RightHoldOpensTheBrightnessDialogOnEveryPage) {
    for (int page = PAGE_SPLASH; page < PAGE_COUNT; ++page) {
        SCOPED_TRACE(page);
        controllerShowPage(page);
        brightnessDialog.open = 0;
        unit::decoderClick(Button::Right, RIGHT_HOLD_TICKS + 1);
        EXPECT_EQ(brightnessDialog.open, 1);
        EXPECT_EQ(controller.activePage, page);
        unit::decoderClick(Button::Right);
        EXPECT_EQ(brightnessDialog.open, 0);
        EXPECT_EQ(controller.activePage, page);
    }
}

TEST_F(Routing, BrightnessDialogTakesEventsInsteadOfThePage) {
    controllerShowPage(PAGE_RUN_TIME);
    unit::decoderClick(Button::Right, RIGHT_HOLD_TICKS + 1);
    ASSERT_EQ(brightnessDialog.open, 1);
    devJournalClear();
    unit::decoderClick(Button::Left);
    EXPECT_EQ(controller.activePage, PAGE_RUN_TIME);
    EXPECT_EQ(journalOf(DevOp::SetBrightnessLevel).size(), 1u);
    EXPECT_EQ(journalOf(DevOp::Notify).size(), 0u);
    unit::decoderClick(Button::Right);
    EXPECT_EQ(brightnessDialog.open, 0);
    EXPECT_EQ(journalOf(DevOp::Notify).size(), 1u);
}

TEST_F(Routing, RightHoldWithLeftDownDoesNotOpenTheDialog) {
    controllerShowPage(PAGE_RUN_TIME);
    pressBoth();
    runTicks(300);
    releaseBoth();
    runTicks(2);
    EXPECT_EQ(brightnessDialog.open, 0);
}

}  // namespace
