// The timer pages reached as a user reaches them: past the splash, two
// right clicks to Timer 1, a third to Timer 2; presets entered in the editor.
#pragma once

#include "app/controller.h"
#include "app/page_timer.h"
#include "app/timekeeping.h"
#include "app_support.h"
#include "screen_checks.h"
#include "unit_driver.h"

namespace timer_page {

using unit::Button;

// Value block: its top row and how far it drops while editing.
inline constexpr int VALUE_X = 23;
inline constexpr int VALUE_Y = 33;
inline constexpr int EDIT_DROP = 30;
// The run icon's rows and columns beside the View button.
inline constexpr int ICON_LEFT = 2, ICON_TOP = 36, ICON_RIGHT = 18, ICON_BOTTOM = 53;

class TimerPage : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        unit::powerOnPastSplash();
        unit::click(Button::Right);
        unit::click(Button::Right);
        ASSERT_EQ(controller.activePage, PAGE_TIMER_1);
    }
    void hold(Button b) { unit::click(b, VIEW_HOLD_TICKS + 5); }
    // Opens the editor, steps each field up from 0 and accepts.
    void enterPreset(int hours, int minutes, int seconds) {
        unit::click(Button::Both);
        unit::clicks(Button::View, hours);
        unit::click(Button::Right);
        unit::clicks(Button::View, minutes);
        unit::click(Button::Right);
        unit::clicks(Button::View, seconds);
        unit::click(Button::Both);
    }
    // Whether the large value shows "hh:mm:ss" in white (dropped while editing).
    bool showsValue(const char* hhmmss, int drop = 0) {
        const int y = drop + VALUE_Y;
        return Reference()
            .largeTime(VALUE_X, y, COLOUR_WHITE, hhmmss)
            .matches(shot(), {VALUE_X, y - 1, 113, y + 28});
    }
    // Pixels of the run icon's area in the icon's pure white (the banner
    // beside it is grey with black text).
    int runIconPixels() {
        return unit::countScreen(ICON_LEFT, ICON_TOP, ICON_RIGHT, ICON_BOTTOM, COLOUR_WHITE);
    }
    bool showsRunIcon(const Icon4& icon) {
        return Reference().icon(icon, ICON_LEFT, ICON_TOP - 1).matches(shot(), {0, 30, 20, 60});
    }
};

}  // namespace timer_page
