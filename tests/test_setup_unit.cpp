// The setup menu as a user reaches it: the whole unit powered on, bezel
// clicks, ticks, and the screen read back from the window picture.
#include "device/settings.h"
#include "device/settings_slots.h"
#include "setup_support.h"
#include "unit_driver.h"

namespace {

using unit::Button;

class SetupUnit : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        unit::powerOnPastSplash();
        unit::click(Button::Left);  // backwards from page 1 to the setup page
    }
};

TEST_F(SetupUnit, EightPressesReachHardCalAndTheCalibrationRunsOnTheGround) {
    ASSERT_EQ(controller.activePage, PAGE_SETUP);
    EXPECT_TRUE(showsCentred(shot(), FONT_TEXT_14, 64, 150, COLOUR_GREY, "EDIT"));
    unit::click(Button::Both);
    unit::clicks(Button::Left, 8);
    EXPECT_TRUE(showsHighlightedRow(shot(), 25, 120, 116, "HARD CAL"));
    EXPECT_TRUE(showsText(screen, FONT_TEXT_14, 25, 30, COLOUR_LABEL, "AUDIO ALERTS"));

    simDevice.inFlight = 0;
    unit::click(Button::Right);  // open
    unit::click(Button::Right);  // ACK
    EXPECT_TRUE(showsVertical(shot(), 122, 100, COLOUR_YELLOW, "GO"));
    unit::click(Button::Right);  // GO: the release tick's frame is the first sampling frame
    // The window shows every pixel opaque, so the count's clear alpha byte is not seen.
    EXPECT_TRUE(showsCentred(shot(), FONT_NUM_23, 64, 110, COLOUR_WHITE, "99"));
    unit::ticks(97);
    EXPECT_TRUE(showsCentred(shot(), FONT_NUM_23, 64, 110, COLOUR_WHITE, "02"));
    EXPECT_EQ(journalCount(DevOp::WriteParameter), 0);
    unit::ticks(1);
    EXPECT_TRUE(showsCentred(shot(), FONT_NUM_23, 64, 110, COLOUR_WHITE, "01"));
    EXPECT_EQ(journalCount(DevOp::WriteParameter), 4);
    unit::ticks(1);
    EXPECT_TRUE(blank(shot(), {0, 20, 128, 160}));
    unit::ticks(1);
    EXPECT_TRUE(showsText(shot(), FONT_TEXT_14, 25, 30, COLOUR_GREY, "SYSTEM INFO"));
    EXPECT_EQ(journalCount(DevOp::CalibrationDone), 1);
}

TEST_F(SetupUnit, InFlightHardCalStaysOnItsCautionPage) {
    unit::click(Button::Both);
    unit::clicks(Button::Left, 8);
    unit::click(Button::Right);
    unit::clicks(Button::Right, 3);
    EXPECT_TRUE(showsCentred(shot(), FONT_TEXT_14, 64, 30, COLOUR_YELLOW, "! CAUTION !"));
    EXPECT_TRUE(blank(screen, {114, 95, 128, 160}));
    unit::click(Button::Left);  // BACK
    EXPECT_EQ(controller.activePage, PAGE_SETUP);
    EXPECT_TRUE(showsHighlightedRow(shot(), 25, 120, 116, "HARD CAL"));
}

TEST_F(SetupUnit, DisabledTimer2IsSkippedByTheNavigation) {
    unit::click(Button::Both);
    unit::click(Button::Left);
    unit::click(Button::Right);  // PAGE ENABLE
    unit::clicks(Button::Left, 3);
    unit::click(Button::Right);  // TIMER 2 off
    EXPECT_EQ(settingsReadInt(SLOT_PAGE_ENABLE), 0x77);
    EXPECT_TRUE(showsVertical(shot(), 122, 100, COLOUR_HIGHLIGHT, "ENA"));
    unit::click(Button::Both);  // BACK
    unit::click(Button::Both);  // browse
    unit::clicks(Button::Right, 4);
    EXPECT_EQ(controller.activePage, PAGE_GMETER);
}

TEST_F(SetupUnit, SystemInfoLeftWithLeftIsShownAgainOnReturn) {
    unit::click(Button::Both);
    unit::click(Button::Right);
    unit::click(Button::Left);
    EXPECT_EQ(controller.activePage, PAGE_ATTITUDE);
    unit::click(Button::Right);
    EXPECT_EQ(controller.activePage, PAGE_SETUP);
    EXPECT_TRUE(showsCentred(shot(), FONT_TEXT_14, 64, 10, COLOUR_TITLE_GREEN, "SYSTEM INFO"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_18, 64, 42, COLOUR_WHITE, "QX-70-S"));
}

TEST_F(SetupUnit, WithoutTheEditionInputTheListEndsAtMiscOptions) {
    simDevice.discreteInput2Source = 0;
    unit::ticks(1);
    unit::click(Button::Both);
    unit::clicks(Button::Left, 8);
    EXPECT_TRUE(showsHighlightedRow(shot(), 25, 105, 116, "MISC OPTIONS"));
    EXPECT_TRUE(blank(screen, {0, 120, 116, 135}));
}

}  // namespace
