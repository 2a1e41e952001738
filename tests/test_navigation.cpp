// Page navigation and the routing of decoded events: switch-off, standby
// notification, alert acknowledgement, the brightness dialog and the pages.
#include "app_support.h"

#include "app/alerts.h"
#include "app/controller.h"
#include "app/setup.h"
#include "device/settings.h"
#include "shell/bezel.h"

namespace {

constexpr int ALL_PAGES = 0x7F;

void clickLeft() {
    pressLeft();
    tickOnce();
    releaseLeft();
    tickOnce();
}

void clickRight() {
    pressRight();
    tickOnce();
    releaseRight();
    tickOnce();
}

void clickView() {
    pressView();
    tickOnce();
    releaseView();
    tickOnce();
}

void holdRight() {
    pressRight();
    runTicks(RIGHT_HOLD_TICKS + 1);
    releaseRight();
    tickOnce();
}

class Navigation : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        buttonDecoderStart();
        settingsWriteByte(SLOT_PAGE_ENABLE, ALL_PAGES);
    }
    // Where navigation from page lands with the given enable bits.
    int next(int page, int enabled) {
        activePage = page;
        settingsWriteByte(SLOT_PAGE_ENABLE, enabled);
        clickRight();
        return activePage;
    }
    int previous(int page, int enabled) {
        activePage = page;
        settingsWriteByte(SLOT_PAGE_ENABLE, enabled);
        clickLeft();
        return activePage;
    }
};

TEST_F(Navigation, AllPagesEnabledWrapAtBothEnds) {
    EXPECT_EQ(previous(PAGE_DATA, ALL_PAGES), PAGE_SETUP);
    EXPECT_EQ(next(PAGE_SETUP, ALL_PAGES), PAGE_DATA);
    EXPECT_EQ(next(PAGE_RUN_TIME, ALL_PAGES), PAGE_TIMER_1);
    EXPECT_EQ(previous(PAGE_ATTITUDE, ALL_PAGES), PAGE_GMETER);
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
    EXPECT_EQ(previous(PAGE_SPLASH, ALL_PAGES), PAGE_SETUP);
    EXPECT_EQ(next(PAGE_SPLASH, 0x30), PAGE_GMETER);
}

TEST_F(Navigation, EveryNavigationWritesSlot9) {
    settingsWriteByte(SLOT_LAST_PAGE, 0);
    EXPECT_EQ(next(PAGE_DATA, ALL_PAGES), PAGE_RUN_TIME);
    EXPECT_EQ(settingsReadByte(SLOT_LAST_PAGE), PAGE_RUN_TIME);
    EXPECT_EQ(previous(PAGE_TIMER_2, ALL_PAGES), PAGE_TIMER_1);
    EXPECT_EQ(settingsReadByte(SLOT_LAST_PAGE), PAGE_TIMER_1);
    // Landing on the page it started from is written too.
    settingsWriteByte(SLOT_LAST_PAGE, 5);
    EXPECT_EQ(next(PAGE_DATA, 0x01), PAGE_DATA);
    EXPECT_EQ(settingsReadByte(SLOT_LAST_PAGE), PAGE_DATA);
}

TEST_F(Navigation, SetupMenuIsResetOnlyWhenEnteredForwards) {
    setupCursor = 3;
    pageEnableCursor = 2;
    setupScroll = 1;
    EXPECT_EQ(previous(PAGE_DATA, ALL_PAGES), PAGE_SETUP);
    EXPECT_EQ(setupCursor, 3);
    EXPECT_EQ(pageEnableCursor, 2);

    EXPECT_EQ(next(PAGE_ATTITUDE, ALL_PAGES), PAGE_SETUP);
    EXPECT_EQ(setupCursor, -1);
    EXPECT_EQ(pageEnableCursor, -1);
    EXPECT_EQ(setupScroll, 1);
}

TEST_F(Navigation, PressesAndHoldsDoNotNavigate) {
    activePage = PAGE_RUN_TIME;
    pressLeft();
    runTicks(200);
    releaseLeft();
    runTicks(2);
    EXPECT_EQ(activePage, PAGE_RUN_TIME);
    pressBoth();
    runTicks(5);
    releaseBoth();
    runTicks(2);
    EXPECT_EQ(activePage, PAGE_RUN_TIME);
}

using Routing = Navigation;

TEST_F(Routing, ViewAndLeftDownOnBatterySwitchTheUnitOff) {
    onBattery = 1;
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
    standbyActive = 1;
    activePage = PAGE_SPLASH;
    devJournalClear();
    clickView();
    ASSERT_EQ(journalOf(DevOp::Notify).size(), 2u);
    EXPECT_EQ(journalOf(DevOp::Notify)[0].a, 1);
    runTicks(10);
    EXPECT_EQ(journalOf(DevOp::Notify).size(), 2u);
}

TEST_F(Routing, ViewReleaseAcknowledgesOneAlertGroupAtATime) {
    alertActive[ALERT_G2] = 1;
    alertActive[ALERT_G3] = 1;
    alertActive[ALERT_TIMER1] = 1;
    alertLatched[ALERT_G2] = 1;
    anyAlertActive = 1;
    activePage = PAGE_RUN_TIME;

    clickView();
    EXPECT_EQ(alertActive[ALERT_G2], 0);
    EXPECT_EQ(alertActive[ALERT_G3], 0);
    EXPECT_EQ(alertActive[ALERT_TIMER1], 1);
    EXPECT_EQ(alertLatched[ALERT_G2], 1);
    EXPECT_EQ(journalOf(DevOp::AlertAcknowledged).size(), 1u);

    clickView();
    EXPECT_EQ(alertActive[ALERT_TIMER1], 0);
    EXPECT_EQ(journalOf(DevOp::AlertAcknowledged).size(), 2u);
    EXPECT_EQ(activePage, PAGE_RUN_TIME);
}

TEST_F(Routing, AcknowledgementClearsAngleGroupAndSingleTimer) {
    alertActive[ALERT_AOA1] = 1;
    alertActive[ALERT_AOA3] = 1;
    alertActive[ALERT_TIMER2] = 1;
    acknowledgeAlert();
    EXPECT_EQ(alertActive[ALERT_AOA1], 0);
    EXPECT_EQ(alertActive[ALERT_AOA3], 0);
    EXPECT_EQ(alertActive[ALERT_TIMER2], 1);
    alertActive[ALERT_TIMER1] = 1;
    acknowledgeAlert();
    EXPECT_EQ(alertActive[ALERT_TIMER1], 0);
    EXPECT_EQ(alertActive[ALERT_TIMER2], 1);
}

TEST_F(Routing, AcknowledgementWithNothingActiveChangesNothing) {
    anyAlertActive = 1;  // stale until the next banner
    clickView();
    EXPECT_EQ(journalOf(DevOp::AlertAcknowledged).size(), 0u);
}

TEST_F(Routing, RightHoldOpensTheBrightnessDialogOnEveryPage) {
    for (int page = PAGE_SPLASH; page < PAGE_COUNT; ++page) {
        SCOPED_TRACE(page);
        activePage = page;
        brightnessDialogOpen = 0;
        holdRight();
        EXPECT_EQ(brightnessDialogOpen, 1);
        EXPECT_EQ(activePage, page);
        clickRight();
        EXPECT_EQ(brightnessDialogOpen, 0);
        EXPECT_EQ(activePage, page);
    }
}

TEST_F(Routing, BrightnessDialogTakesEventsInsteadOfThePage) {
    activePage = PAGE_RUN_TIME;
    holdRight();
    ASSERT_EQ(brightnessDialogOpen, 1);
    devJournalClear();
    clickLeft();
    EXPECT_EQ(activePage, PAGE_RUN_TIME);
    EXPECT_EQ(journalOf(DevOp::SetBrightnessLevel).size(), 1u);
    EXPECT_EQ(journalOf(DevOp::Notify).size(), 0u);
    clickRight();
    EXPECT_EQ(brightnessDialogOpen, 0);
    EXPECT_EQ(journalOf(DevOp::Notify).size(), 1u);
}

TEST_F(Routing, RightHoldWithLeftDownDoesNotOpenTheDialog) {
    activePage = PAGE_RUN_TIME;
    pressBoth();
    runTicks(300);
    releaseBoth();
    runTicks(2);
    EXPECT_EQ(brightnessDialogOpen, 0);
}

}  // namespace
