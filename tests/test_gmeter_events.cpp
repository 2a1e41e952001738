// The G-meter page as the user reaches it: view cycling stored in slot 11,
// the extremes reset, page navigation, and the view the unit starts in.
#include "app/colours.h"
#include "app/controller.h"
#include "app/page_gmeter.h"
#include "app_support.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "unit_driver.h"

namespace {

constexpr uint32_t SPINE = 0xFF595959u;

class GmeterEvents : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        unit::powerOnPastSplash();
        for (int i = 0; i < 4; ++i) unit::click(unit::Button::Right);
        ASSERT_EQ(controller.activePage, PAGE_GMETER);
    }
    static bool tapesShown() { return unit::countScreen(61, 25, 65, 38, SPINE) == 4 * 13; }
    static bool chevronBaseShown() {
        return unit::countScreen(40, 126, 88, 132, COLOUR_CYAN) == 48 * 6;
    }
};

TEST_F(GmeterEvents, ViewClicksCycleTheViewsAndStoreEachInSlot11) {
    EXPECT_TRUE(tapesShown());
    const bool baseExpected[] = {true, true, false, false};
    for (int click = 1; click <= 4; ++click) {
        SCOPED_TRACE(click);
        unit::click(unit::Button::View);
        EXPECT_EQ(gmeter.view, click % 4);
        EXPECT_EQ(settingsReadByte(SLOT_GMETER_VIEW), click % 4);
        EXPECT_EQ(tapesShown(), click == 4);
        EXPECT_EQ(chevronBaseShown(), baseExpected[click - 1]);
    }
    EXPECT_EQ(controller.activePage, PAGE_GMETER);
}

TEST_F(GmeterEvents, BothClickAsksTheDeviceTwiceToResetTheExtremes) {
    devJournalClear();
    unit::click(unit::Button::Both);
    EXPECT_EQ(journalCount(DevOp::ResetPeaks), 2);
    EXPECT_EQ(controller.activePage, PAGE_GMETER);
}

TEST_F(GmeterEvents, LeftAndRightClicksLeaveThePage) {
    unit::click(unit::Button::Right);
    EXPECT_EQ(controller.activePage, PAGE_ATTITUDE);
    unit::click(unit::Button::Left);
    unit::click(unit::Button::Left);
    EXPECT_EQ(controller.activePage, PAGE_TIMER_2);
}

using GmeterStart = UnitTest;

TEST_F(GmeterStart, StoredViewIsTakenAtStartAndAnythingAboveThreeGivesTheTapes) {
    settingsWriteByte(SLOT_GMETER_VIEW, 3);
    gmeterInit();
    EXPECT_EQ(gmeter.view, 3);
    settingsWriteByte(SLOT_GMETER_VIEW, 7);
    gmeterInit();
    EXPECT_EQ(gmeter.view, 0);
}

}  // namespace
