// The attitude page as a user reaches it: bezel clicks on the whole unit,
// read back from the window picture.
#include "app/attitude_horizon.h"
#include "app/colours.h"
#include "app/controller.h"
#include "app_support.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "unit_driver.h"

namespace {

constexpr int PAGES_FROM_DATA_TO_ATTITUDE = 5;
// Long enough for a View hold (60 ticks).
constexpr int HOLD_CLICK_TICKS = 70;
constexpr uint32_t AIRCRAFT = 0xFFFFFF50u;
constexpr uint32_t FULL_GREEN_TEXT = 0xFF00F000u;  // a fully covered glyph pixel over black

// From power-on through the splash, then right along the pages to page 6.
class AttitudeUnit : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        unit::powerOnPastSplash();
        for (int i = 0; i < PAGES_FROM_DATA_TO_ATTITUDE; ++i) unit::click(unit::Button::Right);
    }
};

int tubePixels() { return unit::countScreen(15, 111, 113, 130, COLOUR_BLACK); }

}  // namespace

TEST_F(AttitudeUnit, RightClicksFromTheDataPageReachTheHorizon) {
    ASSERT_EQ(controller.activePage, PAGE_ATTITUDE);
    // Demo motion near level flight: sky above, ground below, the symbol between.
    EXPECT_EQ(unit::screen(2, 10), HORIZON_SKY);
    EXPECT_EQ(unit::screen(2, 130), HORIZON_GROUND);
    EXPECT_EQ(unit::screen(64, 70), AIRCRAFT);
    EXPECT_GT(tubePixels(), 1000);
}

TEST_F(AttitudeUnit, ViewClickHidesAndShowsTheSlipIndicator) {
    unit::click(unit::Button::View);
    EXPECT_EQ(controller.activePage, PAGE_ATTITUDE);
    EXPECT_EQ(tubePixels(), 0);
    unit::click(unit::Button::View);
    EXPECT_GT(tubePixels(), 1000);
}

TEST_F(AttitudeUnit, ViewHoldShowsAndHidesTheStatusLetters) {
    EXPECT_EQ(unit::countScreen(0, 120, 128, 140, FULL_GREEN_TEXT), 0);
    unit::click(unit::Button::View, HOLD_CLICK_TICKS);
    EXPECT_GT(unit::countScreen(0, 120, 128, 140, FULL_GREEN_TEXT), 20);
    EXPECT_GT(tubePixels(), 0);  // the hold's release does not toggle the slip indicator
    unit::click(unit::Button::View, HOLD_CLICK_TICKS);
    EXPECT_EQ(unit::countScreen(0, 120, 128, 140, FULL_GREEN_TEXT), 0);
}

TEST_F(AttitudeUnit, BothClickTakesThePitchReadingAsTheTrim) {
    simDevice.pitchRamps = 0;
    simDevice.pitchAngle = -3.27f;
    unit::click(unit::Button::Both);
    EXPECT_EQ(settingsReadInt(SLOT_PITCH_TRIM), -32);
    EXPECT_EQ(controller.activePage, PAGE_ATTITUDE);
}
