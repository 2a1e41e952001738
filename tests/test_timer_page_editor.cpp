// The timers' preset editor, driven through the whole unit: opening and
// accepting, the wrap-arounds of each field, the blinking edited field, the
// hold that clears the preset, and the navigation it closes.
#include "app/controller.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/icons.h"
#include "timer_page_fixture.h"

namespace {

using namespace timer_page;

constexpr int BOX_TOP = EDIT_DROP + 33, BOX_BOTTOM = EDIT_DROP + 56, BOX_WIDTH = 25;
constexpr int BOX_LEFT[] = {22, 55, 88};  // hours, minutes, seconds
constexpr int BLINK_SHOWN = 5, BLINK_PERIOD = 11;

class TimerEditor : public TimerPage {
  protected:
    // Whether the edited field's box holds white digits (true) or only the
    // background (false); anything else fails the test.
    bool fieldShown(int field) {
        shot();
        const int x0 = BOX_LEFT[field];
        const bool hidden = blank(screen, {x0, BOX_TOP, x0 + BOX_WIDTH, BOX_BOTTOM});
        EXPECT_TRUE(hidden ||
                    hasInk(screen, {x0, BOX_TOP, x0 + BOX_WIDTH, BOX_BOTTOM}, COLOUR_WHITE));
        return !hidden;
    }
    void presetIs(int hours, int minutes, int seconds) {
        EXPECT_EQ(timekeeping.timers[0].presetHours, hours);
        EXPECT_EQ(timekeeping.timers[0].presetMinutes, minutes);
        EXPECT_EQ(timekeeping.timers[0].presetSeconds, seconds);
    }
};

TEST_F(TimerEditor, OpeningStopsTheTimerAndAcceptingLoadsEvenAnUnchangedPreset) {
    unit::click(Button::View);
    unit::seconds(7);
    unit::click(Button::Both);
    EXPECT_EQ(timekeeping.timers[0].editing, 1);
    EXPECT_EQ(timekeeping.timers[0].running, 0);
    unit::seconds(3);
    EXPECT_EQ(timekeeping.timers[0].seconds, 7);

    // The preset, lowered by 30 rows, with the hints beside the buttons and
    // no page indicator. Minutes and seconds: the hours may be blinking.
    shot();
    EXPECT_TRUE(Reference()
                    .largeTime(VALUE_X, VALUE_Y + EDIT_DROP, COLOUR_WHITE, "00:00:00")
                    .centred(FONT_TEXT_14, 66, 68 + EDIT_DROP, COLOUR_GREY, "HH:MM:SS")
                    .matches(screen, {47, 60, 113, 108}));
    EXPECT_TRUE(Reference().icon(ICON_TRI_UP, 5, 36).matches(screen, {0, 30, 20, 60}));
    EXPECT_TRUE(Reference().icon(ICON_TRI_DOWN, 5, 110).matches(screen, {0, 100, 20, 160}));
    EXPECT_TRUE(Reference().icon(ICON_TRI_RIGHT, 115, 110).matches(screen, {108, 100, 128, 160}));
    EXPECT_TRUE(Reference()
                    .centred(FONT_TEXT_14, 64, 150, COLOUR_LABEL, "ACCEPT")
                    .matches(screen, {20, 140, 108, 160}));

    unit::click(Button::Both);
    EXPECT_EQ(timekeeping.timers[0].editing, 0);
    EXPECT_EQ(timekeeping.timers[0].running, 0);
    EXPECT_TRUE(showsValue("00:00:00"));
    EXPECT_EQ(unit::countScreen(12, 145, 14, 156, COLOUR_WHITE), 22);  // the strip is back
}

TEST_F(TimerEditor, HoursRunFromZeroDownToTenAndNineAndBackUpToZero) {
    unit::click(Button::Both);
    unit::click(Button::Left);
    presetIs(10, 0, 0);
    EXPECT_TRUE(showsValue("10:00:00", EDIT_DROP));
    unit::click(Button::Left);
    presetIs(9, 0, 0);
    EXPECT_TRUE(showsValue("09:00:00", EDIT_DROP));
    unit::click(Button::View);
    presetIs(10, 0, 0);
    unit::click(Button::View);
    presetIs(0, 0, 0);
    EXPECT_TRUE(showsValue("00:00:00", EDIT_DROP));
}

TEST_F(TimerEditor, MinutesAndSecondsWrapBetweenFiftyNineAndZero) {
    unit::click(Button::Both);
    for (int field = 1; field <= 2; ++field) {
        SCOPED_TRACE(field);
        unit::click(Button::Right);
        EXPECT_EQ(timekeeping.timers[0].editField, field);
        unit::click(Button::Left);
        unit::click(Button::View);
        EXPECT_EQ(
            field == 1 ? timekeeping.timers[0].presetMinutes : timekeeping.timers[0].presetSeconds,
            0);
        unit::click(Button::Left);
    }
    unit::click(Button::Right);  // round to the hours
    EXPECT_EQ(timekeeping.timers[0].editField, 0);
    unit::click(Button::View);
    presetIs(1, 59, 59);
    EXPECT_TRUE(showsValue("01:59:59", EDIT_DROP));
    unit::click(Button::Both);
    EXPECT_TRUE(showsValue("01:59:59"));
    EXPECT_TRUE(Reference()
                    .centred(FONT_TEXT_14, 64, 23, COLOUR_WHITE, "Count Down")
                    .matches(shot(), {20, 15, 110, 32}));
}

TEST_F(TimerEditor, EditedFieldShowsFiveFramesHidesSixAndEveryChangeShowsItAgain) {
    unit::click(Button::Both);
    unit::click(Button::View);  // this frame is the first of a period
    for (int f = 0; f < 2 * BLINK_PERIOD; ++f) {
        EXPECT_EQ(fieldShown(0), f % BLINK_PERIOD < BLINK_SHOWN) << f;
        // Only the edited field blinks.
        EXPECT_TRUE(showsValue("01:00:00", EDIT_DROP) || f % BLINK_PERIOD >= BLINK_SHOWN);
        EXPECT_TRUE(hasInk(screen, {56, BOX_TOP, 113, BOX_BOTTOM}, COLOUR_WHITE));
        unit::ticks(1);
    }
    unit::ticks(BLINK_SHOWN + 1);
    ASSERT_FALSE(fieldShown(0));
    unit::click(Button::Left);
    for (int f = 0; f < BLINK_PERIOD; ++f) {
        EXPECT_EQ(fieldShown(0), f < BLINK_SHOWN) << f;
        unit::ticks(1);
    }
}

TEST_F(TimerEditor, RightMovesTheBlinkThroughMinutesSecondsAndBackToHours) {
    unit::click(Button::Both);
    for (int field : {1, 2, 0}) {
        SCOPED_TRACE(field);
        unit::click(Button::Right);
        EXPECT_EQ(timekeeping.timers[0].editField, field);
        EXPECT_TRUE(fieldShown(field));
        unit::ticks(BLINK_SHOWN);
        EXPECT_FALSE(fieldShown(field));
        for (int other = 0; other < 3; ++other) {
            if (other == field) continue;
            EXPECT_TRUE(fieldShown(other)) << other;
        }
    }
}

TEST_F(TimerEditor, ViewHoldClearsThePresetSoTheTimerCountsUp) {
    enterPreset(0, 5, 0);
    ASSERT_TRUE(showsValue("00:05:00"));
    unit::click(Button::Both);
    hold(Button::View);
    presetIs(0, 0, 0);
    EXPECT_TRUE(Reference()
                    .centred(FONT_TEXT_14, 64, 23, COLOUR_WHITE, "Count Up")
                    .matches(shot(), {20, 15, 110, 32}));
    unit::click(Button::Both);
    EXPECT_TRUE(showsValue("00:00:00"));
    unit::click(Button::View);
    unit::seconds(2);
    unit::ticks(1);
    EXPECT_TRUE(showsValue("00:00:02"));
}

TEST_F(TimerEditor, LeftAndRightStayOnThePageUntilThePresetIsAccepted) {
    unit::click(Button::Both);
    unit::click(Button::Left);
    unit::click(Button::Right);
    EXPECT_EQ(controller.activePage, PAGE_TIMER_1);
    EXPECT_EQ(settingsReadByte(SLOT_LAST_PAGE), PAGE_TIMER_1);
    presetIs(10, 0, 0);
    EXPECT_EQ(timekeeping.timers[0].editField, 1);
    unit::click(Button::Both);
    unit::click(Button::Right);
    EXPECT_EQ(controller.activePage, PAGE_TIMER_2);
    EXPECT_EQ(timekeeping.timers[1].editing, 0);
}

// A page request takes the unit elsewhere; the editor is still open on return.
TEST_F(TimerEditor, EditingSurvivesLeavingThePageByARequest) {
    unit::click(Button::Both);
    unit::click(Button::View);
    simDevice.externalValue[8] = static_cast<float>(PAGE_DATA);
    unit::ticks(1);
    ASSERT_EQ(controller.activePage, PAGE_DATA);
    unit::click(Button::Right);
    unit::click(Button::Right);
    ASSERT_EQ(controller.activePage, PAGE_TIMER_1);
    EXPECT_EQ(timekeeping.timers[0].editing, 1);
    EXPECT_TRUE(hasInk(shot(), {20, 140, 108, 160}, COLOUR_LABEL));  // "ACCEPT"
    presetIs(1, 0, 0);
}

}  // namespace
