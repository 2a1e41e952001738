// The clock on the data page and the set-clock dialog: 12- and 24-hour forms,
// local time from the offset, the dialog's fields with their wrap-arounds and
// blinking mark, and acceptance setting the clock.
#include "app/controller.h"
#include "app/page_data.h"
#include "app/timekeeping.h"
#include "app_support.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "screen_checks.h"
#include "unit_driver.h"

namespace {

// The time the clock loads at its first read.
ClockTime startTime = {};
void fromStartTime(ClockTime* t) { *t = startTime; }

ClockTime at(int hour, int minute, int second) {
    return {2024,
            3,
            2,
            9,
            static_cast<uint16_t>(hour),
            static_cast<uint16_t>(minute),
            static_cast<uint16_t>(second),
            0};
}

ClockTime unitClock() {
    ClockTime t;
    clockRead(&t);
    return t;
}

// ---- The clock field, drawn on its own ------------------------------------------------

class DataClockField : public SensorsTest {
  protected:
    void drawAt(int hour) {
        startTime = at(hour, 5, 0);
        setClockSource(fromStartTime);
        timekeepingPowerOnReset();
        screen.fill(0);
        dataDrawPage(screen.px);
    }
    bool showsHour(const char* digits, const char* mark) const {
        const bool hours = showsText(screen, FONT_NUM_29, 18, 21, COLOUR_WHITE, digits);
        if (mark == nullptr) return hours && blank(screen, {90, 19, 128, 35});
        return hours && showsText(screen, FONT_TEXT_14, 93, 20, COLOUR_SEPARATOR, mark);
    }
};

TEST_F(DataClockField, TwelveHourFormTakesNoonAsPm) {
    struct Case {
        int hour;
        const char* digits;
        const char* mark;
    };
    for (const Case& c : {Case{0, "12", "am"}, Case{1, "01", "am"}, Case{11, "11", "am"},
                          Case{12, "12", "pm"}, Case{13, "01", "pm"}, Case{23, "11", "pm"}}) {
        SCOPED_TRACE(c.hour);
        drawAt(c.hour);
        EXPECT_TRUE(showsHour(c.digits, c.mark));
    }
}

TEST_F(DataClockField, TwentyFourHourFormHasNoMark) {
    settingsWriteByte(SLOT_OPTIONS, OPTION_24H_TIME);
    for (int hour : {0, 12, 23}) {
        SCOPED_TRACE(hour);
        drawAt(hour);
        const char digits[] = {static_cast<char>('0' + hour / 10),
                               static_cast<char>('0' + hour % 10), 0};
        EXPECT_TRUE(showsHour(digits, nullptr));
    }
}

TEST_F(DataClockField, ClockBlankingHidesTheTimeUntilTheClockIsSetByHand) {
    simDevice.clockBlank = 1;
    drawAt(9);
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 12, COLOUR_LABEL, "GMT Time"));
    EXPECT_TRUE(screen.all(18, 21, 115, 51, 0xFF000000u));
    dataHandleEvent(EVT_BOTH_PRESS);
    dataHandleEvent(EVT_VIEW_RELEASE);
    dataHandleEvent(EVT_BOTH_PRESS);
    screen.fill(0);
    dataDrawPage(screen.px);
    EXPECT_TRUE(showsHour("10", "am"));
}

TEST_F(DataClockField, BothPressWithAirDataOnTopIsConsumedAndOpensNothing) {
    for (int mode : {2, 3}) {
        SCOPED_TRACE(mode);
        while (settingsReadByte(SLOT_DATA_MODE) != mode) dataHandleEvent(EVT_VIEW_RELEASE);
        EXPECT_EQ(dataHandleEvent(EVT_BOTH_PRESS), EVT_NONE);
        screen.fill(0);
        dataDrawPage(screen.px);
        EXPECT_FALSE(showsCentred(screen, FONT_TEXT_14, 64, 8, COLOUR_LABEL, "Set Clock"));
    }
}

// ---- The dialog, through the unit ------------------------------------------------------

class SetClockDialog : public UnitTest {
  protected:
    // The unit on the data page (full layout, demo off) with the clock at t.
    static void start(const ClockTime& t) {
        startTime = t;
        unit::powerOn();
        setClockSource(fromStartTime);
        settingsWriteByte(SLOT_DEMO_MODE, DEMO_OFF);
        unit::ticks(SPLASH_FRAMES + 1);
        ASSERT_EQ(controller.activePage, PAGE_DATA);
    }
    bool dialogShown() {
        return showsCentred(shot(), FONT_TEXT_14, 64, 8, COLOUR_LABEL, "Set Clock");
    }
    bool showsOffset(const char* line) {
        return showsCentred(shot(), FONT_TEXT_14, 64, 100, COLOUR_WHITE, line);
    }
};

TEST_F(SetClockDialog, OpensOnTheShownGmtTimeWithItsFrame) {
    start(at(3, 20, 45));
    unit::click(unit::Button::View);  // local time on top: the dialog still edits GMT
    unit::click(unit::Button::Both);
    EXPECT_TRUE(dialogShown());
    EXPECT_TRUE(showsCentred(shot(), FONT_TEXT_14, 64, 25, COLOUR_LABEL, "(24 Hour GMT)"));
    EXPECT_TRUE(showsCentred(shot(), FONT_TEXT_14, 64, 152, COLOUR_LABEL, "ACCEPT"));
    EXPECT_TRUE(showsText(shot(), FONT_NUM_29, 58, 55, COLOUR_WHITE, "20"));
    EXPECT_TRUE(showsText(shot(), FONT_TEXT_14, 91, 69, COLOUR_WHITE, ":45"));
    EXPECT_TRUE(showsOffset("Local +00"));
    EXPECT_TRUE(unit::countScreen(115, 111, 123, 123, COLOUR_WHITE) > 0);  // right arrow
    EXPECT_TRUE(unit::countScreen(5, 111, 17, 119, COLOUR_WHITE) > 0);     // down arrow
    EXPECT_TRUE(unit::countScreen(5, 37, 17, 45, COLOUR_WHITE) > 0);       // up arrow
    EXPECT_TRUE(blank(shot(), {0, 140, 128, 145}));                        // no page strip
    EXPECT_TRUE(blank(shot(), {0, 145, 40, 160}));
}

TEST_F(SetClockDialog, HoursWrapBothWays) {
    start(at(23, 10, 0));
    unit::click(unit::Button::Both);
    unit::click(unit::Button::View);
    unit::click(unit::Button::Both);
    EXPECT_EQ(unitClock().hour, 0);
    unit::click(unit::Button::Both);
    unit::click(unit::Button::Left);
    unit::click(unit::Button::Both);
    EXPECT_EQ(unitClock().hour, 23);
}

TEST_F(SetClockDialog, MinutesWrapBothWays) {
    start(at(8, 59, 0));
    unit::click(unit::Button::Both);
    unit::click(unit::Button::Right);
    unit::click(unit::Button::View);
    unit::click(unit::Button::Both);
    EXPECT_EQ(unitClock().minute, 0);
    EXPECT_EQ(unitClock().hour, 8);
    unit::click(unit::Button::Both);
    unit::click(unit::Button::Right);
    unit::click(unit::Button::Left);
    unit::click(unit::Button::Both);
    EXPECT_EQ(unitClock().minute, 59);
}

TEST_F(SetClockDialog, SecondsFieldOnlyZeroes) {
    for (unit::Button b : {unit::Button::View, unit::Button::Left}) {
        start(at(8, 30, 42));
        unit::click(unit::Button::Both);
        unit::clicks(unit::Button::Right, 2);
        unit::click(b);
        unit::click(unit::Button::Both);
        EXPECT_EQ(unitClock().second, 0);
        EXPECT_EQ(unitClock().minute, 30);
    }
}

TEST_F(SetClockDialog, OffsetWrapsBetweenPlusAndMinusTwelve) {
    start(at(8, 30, 0));
    unit::click(unit::Button::Both);
    unit::clicks(unit::Button::Right, 3);
    unit::clicks(unit::Button::View, 12);
    EXPECT_TRUE(showsOffset("Local +12"));
    unit::click(unit::Button::View);
    EXPECT_TRUE(showsOffset("Local -12"));
    unit::click(unit::Button::Left);
    EXPECT_TRUE(showsOffset("Local +12"));
    unit::clicks(unit::Button::Left, 23);
    EXPECT_TRUE(showsOffset("Local -11"));
    unit::click(unit::Button::Both);
    EXPECT_EQ(settingsReadInt(SLOT_GMT_OFFSET), -11);
}

TEST_F(SetClockDialog, SelectionWrapsFromTheOffsetBackToTheHours) {
    start(at(8, 30, 0));
    unit::click(unit::Button::Both);
    unit::clicks(unit::Button::Right, 4);
    unit::click(unit::Button::View);
    unit::click(unit::Button::Both);
    EXPECT_EQ(unitClock().hour, 9);
    EXPECT_EQ(settingsReadInt(SLOT_GMT_OFFSET), 0);
}

TEST_F(SetClockDialog, AcceptingSetsTheEditedCopyAndTheClockRunsOn) {
    start(at(3, 20, 45));
    unit::click(unit::Button::Both);
    unit::seconds(5);  // passes while the dialog is open, and is lost
    unit::click(unit::Button::Right);
    unit::click(unit::Button::View);
    unit::click(unit::Button::Both);
    EXPECT_FALSE(dialogShown());
    ClockTime t = unitClock();
    EXPECT_EQ(t.hour, 3);
    EXPECT_EQ(t.minute, 21);
    EXPECT_EQ(t.second, 45);
    unit::seconds(1);
    EXPECT_EQ(unitClock().second, 46);
    EXPECT_TRUE(showsText(shot(), FONT_NUM_29, 58, 21, COLOUR_WHITE, "21"));
}

TEST_F(SetClockDialog, LeftAndRightStayInTheDialog) {
    start(at(3, 20, 45));
    unit::click(unit::Button::Both);
    unit::click(unit::Button::Left);
    unit::click(unit::Button::Right);
    EXPECT_EQ(controller.activePage, PAGE_DATA);
    EXPECT_TRUE(dialogShown());
}

TEST_F(SetClockDialog, DialogIsShownAgainWhenThePageReturns) {
    start(at(3, 20, 45));
    unit::click(unit::Button::Both);
    controllerShowPage(PAGE_GMETER);  // as an alert pop-up does
    unit::ticks(1);
    EXPECT_FALSE(dialogShown());
    unit::clicks(unit::Button::Left, 4);
    ASSERT_EQ(controller.activePage, PAGE_DATA);
    EXPECT_TRUE(dialogShown());
}

TEST_F(SetClockDialog, LocalTimeFromANegativeOffset) {
    start(at(3, 20, 45));
    unit::click(unit::Button::Both);
    unit::clicks(unit::Button::Right, 3);
    unit::clicks(unit::Button::Left, 5);
    unit::click(unit::Button::Both);
    unit::click(unit::Button::View);
    EXPECT_TRUE(showsCentred(shot(), FONT_TEXT_14, 64, 12, COLOUR_LABEL, "Local Time"));
    EXPECT_TRUE(showsText(shot(), FONT_NUM_29, 18, 21, COLOUR_WHITE, "10"));
    EXPECT_TRUE(showsText(shot(), FONT_TEXT_14, 93, 20, COLOUR_SEPARATOR, "pm"));
}

TEST_F(SetClockDialog, LocalTimeFromThePlusTwelveOffset) {
    start(at(15, 20, 45));
    unit::click(unit::Button::Both);
    unit::clicks(unit::Button::Right, 3);
    unit::clicks(unit::Button::View, 12);
    unit::click(unit::Button::Both);
    unit::click(unit::Button::View);
    EXPECT_TRUE(showsText(shot(), FONT_NUM_29, 18, 21, COLOUR_WHITE, "03"));
    EXPECT_TRUE(showsText(shot(), FONT_TEXT_14, 93, 20, COLOUR_SEPARATOR, "am"));
}

// ---- The blinking mark of the selected field -----------------------------------------

constexpr Rect FIELD_RECTS[4] = {
    {15, 57, 50, 82}, {58, 57, 92, 82}, {95, 69, 110, 82}, {34, 93, 94, 112}};

class SetClockMark : public SetClockDialog {
  protected:
    bool fieldHidden(int field) { return blank(shot(), FIELD_RECTS[field]); }
    // Frames, of the next n, in which the field is hidden.
    int hiddenFrames(int field, int n) {
        int hidden = 0;
        for (int i = 0; i < n; ++i) {
            unit::ticks(1);
            hidden += fieldHidden(field);
        }
        return hidden;
    }
};

TEST_F(SetClockMark, SelectedFieldBlinksAndTheOthersStay) {
    start(at(13, 20, 45));
    unit::click(unit::Button::Both);
    EXPECT_EQ(hiddenFrames(0, 120), 40);  // a third of every 60 frames
    for (int field = 1; field < 4; ++field) EXPECT_FALSE(fieldHidden(field)) << field;
    unit::click(unit::Button::Right);
    EXPECT_TRUE(fieldHidden(1));  // a new selection shows at once
    EXPECT_FALSE(fieldHidden(0));
    EXPECT_EQ(hiddenFrames(1, 120), 40);
}

TEST_F(SetClockMark, ChangedValueShowsAtOnce) {
    start(at(13, 20, 45));
    unit::click(unit::Button::Both);
    for (int i = 0; i < 3; ++i) {
        unit::click(unit::Button::View);
        EXPECT_FALSE(fieldHidden(0)) << i;
    }
    EXPECT_TRUE(showsText(shot(), FONT_NUM_29, 18, 55, COLOUR_WHITE, "16"));
}

}  // namespace
