// Flight and engine time page, driven through the whole unit: the two
// layouts, the selection that only the edition may change, and the clear.
#include "app/controller.h"
#include "app/page_runtime.h"
#include "app/timekeeping.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "screen_checks.h"
#include "unit_driver.h"

namespace {

using unit::Button;

constexpr uint32_t DIM = 0xFF608080u;
constexpr int ALONE_DROP = 30;

// Regions of the two-counter layout: engine block (caption to legend), flight block.
constexpr int ENGINE_TOP = 8, ENGINE_BOTTOM = 66;
constexpr int FLIGHT_TOP = 79, FLIGHT_BOTTOM = 136;
// Digit rows of the engine and flight counters.
constexpr int ENGINE_DIGITS_TOP = 24, FLIGHT_DIGITS_TOP = 94, DIGITS_ROWS = 27;

class RunTimePage : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        unit::powerOnPastSplash();
        unit::click(Button::Right);
        ASSERT_EQ(controller.activePage, PAGE_RUN_TIME);
    }
    // A unit without the edition input; demo mode as given.
    void plainUnit(int demoMode) {
        simDevice.discreteInput2Source = 0;
        settingsWriteByte(SLOT_DEMO_MODE, demoMode);
        unit::ticks(2);  // the inputs are sampled after each frame
    }
    // The digits of the counter starting at row top.
    static Rect digits(int top) { return {18, top, 110, top + DIGITS_ROWS}; }
    bool digitsIn(int top, uint32_t c) { return hasInk(shot(), digits(top), c); }
    bool bright(int top) { return digitsIn(top, COLOUR_WHITE) && noInk(screen, digits(top), DIM); }
    bool brightEngine(int drop) { return bright(ENGINE_DIGITS_TOP + drop); }
    bool brightFlight() { return bright(FLIGHT_DIGITS_TOP); }
};

bool operator==(const RunTimeCounter& a, const RunTimeCounter& b) {
    return a.hours == b.hours && a.minutes == b.minutes && a.seconds == b.seconds;
}

TEST_F(RunTimePage, EditionUnitShowsBothCountersAsTwoDigitFields) {
    unit::seconds(7 * 3600 + 5 * 60 + 3);
    unit::ticks(1);
    Reference ref;
    ref.centred(FONT_TEXT_14, 64, 86, COLOUR_LABEL, "Flight Time")
        .centred(FONT_TEXT_14, 64, 128, COLOUR_GREY, "HH:MM:SS")
        .largeTime(18, 95, DIM, "07:05:03")
        .centred(FONT_TEXT_14, 64, 15, COLOUR_LABEL, "Engine Run Time")
        .centred(FONT_TEXT_14, 64, 57, COLOUR_GREY, "HH:MM:SS")
        .largeTime(18, 25, COLOUR_WHITE, "07:05:03");
    shot();
    EXPECT_TRUE(ref.matches(screen, {0, ENGINE_TOP, FB_WIDTH, ENGINE_BOTTOM}));
    EXPECT_TRUE(ref.matches(screen, {0, FLIGHT_TOP, FB_WIDTH, FLIGHT_BOTTOM}));
    // The separator starts at full weight at column 11 of row 69.
    EXPECT_EQ(screen.at(11, 69), COLOUR_SEPARATOR);
    EXPECT_FALSE(blank(screen, {11, 69, 118, 70}));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 150, COLOUR_GREY, "CLEAR"));
}

TEST_F(RunTimePage, AloneTheEngineRunTimeStandsThirtyPixelsLower) {
    unit::seconds(3723);
    unit::ticks(1);
    const Screen both = shot();
    plainUnit(0);
    shot();
    EXPECT_TRUE(sameRegion(both, 0, 0, screen, 0, ALONE_DROP, FB_WIDTH, 68));
    EXPECT_TRUE(blank(screen, {0, 0, FB_WIDTH, ALONE_DROP}));
    // No flight block and no separator below it.
    EXPECT_TRUE(blank(screen, {0, 68 + ALONE_DROP, FB_WIDTH, 140}));
    EXPECT_TRUE(sameRegion(both, 0, 140, screen, 0, 140, FB_WIDTH, 20));
    EXPECT_TRUE(Reference()
                    .largeTime(18, 25 + ALONE_DROP, COLOUR_WHITE, "01:02:03")
                    .matches(screen, digits(ENGINE_DIGITS_TOP + ALONE_DROP)));
}

TEST_F(RunTimePage, WithoutTheEditionViewChangesNothingAndBothClearsTheEngine) {
    plainUnit(0);
    unit::seconds(65);
    unit::ticks(1);
    const Screen before = shot();
    unit::click(Button::View);
    EXPECT_EQ(runTimePage.flightTimeSelected, 0);
    EXPECT_TRUE(sameRegion(before, 0, 0, shot(), 0, 0, FB_WIDTH, FB_HEIGHT));
    unit::click(Button::Both);
    EXPECT_EQ(controller.activePage, PAGE_RUN_TIME);
    EXPECT_TRUE(timekeeping.engineTime == (RunTimeCounter{0, 0, 0}));
    EXPECT_TRUE(timekeeping.flightTime == (RunTimeCounter{0, 1, 5}));
    EXPECT_TRUE(Reference()
                    .largeTime(18, 25 + ALONE_DROP, COLOUR_WHITE, "00:00:00")
                    .matches(shot(), digits(ENGINE_DIGITS_TOP + ALONE_DROP)));
}

TEST_F(RunTimePage, DemoModeWithoutTheEditionShowsBothButKeepsTheEngineSelected) {
    plainUnit(1);
    unit::seconds(20);
    unit::click(Button::View);
    EXPECT_TRUE(hasInk(shot(), {0, FLIGHT_TOP, FB_WIDTH, FLIGHT_BOTTOM}, COLOUR_LABEL));
    EXPECT_TRUE(brightEngine(0));
    EXPECT_TRUE(digitsIn(FLIGHT_DIGITS_TOP, DIM));
    unit::click(Button::Both);
    EXPECT_TRUE(timekeeping.engineTime == (RunTimeCounter{0, 0, 0}));
    EXPECT_TRUE(timekeeping.flightTime == (RunTimeCounter{0, 0, 20}));
}

TEST_F(RunTimePage, EditionViewSwapsTheBrightCounterAndTheOneCleared) {
    unit::seconds(10);
    EXPECT_TRUE(brightEngine(0));
    unit::click(Button::View);
    EXPECT_EQ(runTimePage.flightTimeSelected, 1);
    EXPECT_TRUE(brightFlight());
    EXPECT_TRUE(digitsIn(ENGINE_DIGITS_TOP, DIM));
    unit::click(Button::Both);
    EXPECT_TRUE(timekeeping.flightTime == (RunTimeCounter{0, 0, 0}));
    EXPECT_TRUE(timekeeping.engineTime == (RunTimeCounter{0, 0, 10}));
    // The selection outlives a visit to another page.
    unit::click(Button::Right);
    unit::click(Button::Left);
    ASSERT_EQ(controller.activePage, PAGE_RUN_TIME);
    EXPECT_TRUE(brightFlight());
    unit::click(Button::View);
    EXPECT_TRUE(brightEngine(0));
}

// A flight-time selection made while the edition input was set must not
// dim the engine run time, nor clear a flight time, once the input is gone.
TEST_F(RunTimePage, SelectionLeftOverWithoutTheEditionActsOnTheEngine) {
    unit::seconds(30);
    unit::click(Button::View);
    ASSERT_EQ(runTimePage.flightTimeSelected, 1);
    plainUnit(0);
    EXPECT_TRUE(brightEngine(ALONE_DROP));
    unit::click(Button::Both);
    EXPECT_TRUE(timekeeping.engineTime == (RunTimeCounter{0, 0, 0}));
    EXPECT_TRUE(timekeeping.flightTime == (RunTimeCounter{0, 0, 30}));
    // With the input back the edition's selection holds again.
    simDevice.discreteInput2Source = 1;
    unit::ticks(2);
    EXPECT_TRUE(brightFlight());
}

}  // namespace
