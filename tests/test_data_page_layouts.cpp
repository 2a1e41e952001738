// The data page as the unit shows it: the four layouts chosen by the probe
// and edition inputs (or demo mode), the top field stepped by the view
// button, and the footer.
#include "app/controller.h"
#include "app/timekeeping.h"
#include "app_support.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "screen_checks.h"
#include "unit_driver.h"

namespace {

void nineFortyOne(ClockTime* t) { *t = {2024, 3, 2, 9, 9, 41, 27, 0}; }

bool separatorAt(int x, int y) { return unit::screen(x, y) == COLOUR_SEPARATOR; }

class DataLayouts : public UnitTest {
  protected:
    // Power on with the given inputs, demo mode as given, and let the splash
    // hand over to the data page.
    static void start(int probe, int edition, int demo) {
        unit::powerOn();
        setClockSource(nineFortyOne);
        settingsWriteByte(SLOT_DEMO_MODE, demo);
        simDevice.discreteInput1Source = probe;
        simDevice.discreteInput2Source = edition;
        unit::ticks(SPLASH_FRAMES + 1);
        ASSERT_EQ(controller.activePage, PAGE_DATA);
    }
    bool showsBus(int x, int y) {
        return showsCentred(shot(), FONT_TEXT_14, x, y, COLOUR_LABEL, "Bus V") &&
               showsCentred(shot(), FONT_NUM_20, x, y + 18, COLOUR_GREY, "14.1");
    }
    bool showsOat(int x, int y) {
        return showsCentred(shot(), FONT_TEXT_14, x, y, COLOUR_LABEL, "OAT F") &&
               showsCentred(shot(), FONT_NUM_20, x, y + 18, COLOUR_GREY, "72d");
    }
    bool showsTitle(int top, const char* title) {
        return showsCentred(shot(), FONT_TEXT_14, 64, top + 6, COLOUR_LABEL, title);
    }
    static bool ladderShown() {
        return unit::countScreen(74, 133, 110, 137, COLOUR_CYAN) == 36 * 4;
    }
    bool setShown() { return showsCentred(shot(), FONT_TEXT_14, 64, 150, COLOUR_GREY, "SET"); }
};

TEST_F(DataLayouts, FullLayoutWithProbeAndEdition) {
    start(1, 1, 0);
    EXPECT_TRUE(showsTitle(6, "GMT Time"));
    EXPECT_TRUE(showsText(shot(), FONT_NUM_29, 18, 21, COLOUR_WHITE, "09"));
    EXPECT_TRUE(showsText(shot(), FONT_NUM_29, 58, 21, COLOUR_WHITE, "41"));
    EXPECT_TRUE(showsText(shot(), FONT_TEXT_14, 91, 35, COLOUR_WHITE, ":27"));
    EXPECT_TRUE(showsText(shot(), FONT_TEXT_14, 93, 20, COLOUR_SEPARATOR, "am"));
    EXPECT_TRUE(showsBus(33, 66));
    EXPECT_TRUE(showsOat(33, 111));
    EXPECT_TRUE(ladderShown());
    EXPECT_TRUE(separatorAt(10, 54));
    EXPECT_TRUE(separatorAt(11, 100));
    EXPECT_TRUE(separatorAt(64, 65));
    EXPECT_TRUE(setShown());
}

TEST_F(DataLayouts, EditionOnlyMovesTheBusVoltageAndDropsTheOat) {
    start(0, 1, 0);
    EXPECT_TRUE(showsTitle(6, "GMT Time"));
    EXPECT_TRUE(showsBus(33, 90));
    EXPECT_TRUE(noInk(shot(), {0, 120, 60, 140}, COLOUR_GREY));
    EXPECT_TRUE(ladderShown());
    EXPECT_TRUE(separatorAt(10, 54));
    EXPECT_TRUE(separatorAt(64, 65));
    EXPECT_TRUE(blank(shot(), {0, 99, 14, 102}));
    EXPECT_TRUE(setShown());
}

TEST_F(DataLayouts, ProbeOnlyCentresBusVoltageAndOatWithoutLadder) {
    start(1, 0, 0);
    EXPECT_TRUE(showsTitle(6, "GMT Time"));
    EXPECT_TRUE(showsBus(64, 66));
    EXPECT_TRUE(showsOat(64, 111));
    EXPECT_TRUE(blank(shot(), {90, 60, 128, 99}));  // no ladder around the lower rule
    EXPECT_TRUE(blank(shot(), {90, 102, 128, 140}));
    EXPECT_TRUE(separatorAt(10, 54));
    EXPECT_TRUE(separatorAt(20, 100));
    EXPECT_TRUE(blank(shot(), {60, 96, 70, 99}));
}

TEST_F(DataLayouts, BasicLayoutShowsLocalAndGmtClocks) {
    start(0, 0, 0);
    EXPECT_TRUE(showsTitle(5, "Local Time"));
    EXPECT_TRUE(showsTitle(54, "GMT Time"));
    EXPECT_TRUE(showsText(shot(), FONT_NUM_29, 18, 69, COLOUR_WHITE, "09"));
    EXPECT_TRUE(showsBus(60, 110));
    EXPECT_TRUE(blank(shot(), {80, 130, 128, 140}));
    EXPECT_TRUE(separatorAt(20, 51));
    EXPECT_TRUE(separatorAt(20, 100));
    EXPECT_TRUE(blank(shot(), {0, 53, 15, 56}));
    EXPECT_TRUE(setShown());
}

TEST_F(DataLayouts, DemoModeGivesTheFullLayoutWhateverTheInputs) {
    start(0, 0, 1);
    EXPECT_TRUE(showsTitle(6, "GMT Time"));
    EXPECT_TRUE(separatorAt(11, 100));
    EXPECT_TRUE(ladderShown());
    EXPECT_TRUE(showsCentred(shot(), FONT_TEXT_14, 33, 111, COLOUR_LABEL, "OAT F"));
}

TEST_F(DataLayouts, ViewClicksStepTheTopFieldThroughAllFourInTheFullLayout) {
    start(1, 1, 0);
    unit::click(unit::Button::View);
    EXPECT_TRUE(showsTitle(6, "Local Time"));
    EXPECT_TRUE(setShown());
    EXPECT_EQ(settingsReadByte(SLOT_DATA_MODE), 1);
    unit::click(unit::Button::View);
    EXPECT_TRUE(showsTitle(6, "Density Alt"));
    EXPECT_TRUE(showsText(shot(), FONT_NUM_23, 65, 23, COLOUR_WHITE, "200"));
    EXPECT_TRUE(blank(shot(), {45, 144, 85, 158}));  // no "SET"
    EXPECT_EQ(settingsReadByte(SLOT_DATA_MODE), 2);
    unit::click(unit::Button::View);
    EXPECT_TRUE(showsTitle(6, "True Airspeed"));
    EXPECT_TRUE(showsCentred(shot(), FONT_NUM_29, 64, 36, COLOUR_WHITE, "174 m"));
    EXPECT_TRUE(blank(shot(), {45, 144, 85, 158}));
    EXPECT_EQ(settingsReadByte(SLOT_DATA_MODE), 3);
    unit::click(unit::Button::View);
    EXPECT_TRUE(showsTitle(6, "GMT Time"));
    EXPECT_TRUE(setShown());
    EXPECT_EQ(settingsReadByte(SLOT_DATA_MODE), 0);
    EXPECT_EQ(controller.activePage, PAGE_DATA);
}

TEST_F(DataLayouts, WithoutTheFullLayoutViewClicksOnlyToggleTheClocks) {
    start(1, 0, 0);
    unit::click(unit::Button::View);
    EXPECT_TRUE(showsTitle(6, "Local Time"));
    unit::click(unit::Button::View);
    EXPECT_TRUE(showsTitle(6, "GMT Time"));
    EXPECT_EQ(settingsReadByte(SLOT_DATA_MODE), 0);
}

TEST_F(DataLayouts, AirDataLeftOnTopFallsBackToLocalTimeWhenTheProbeGoes) {
    start(1, 1, 0);
    unit::click(unit::Button::View);
    unit::click(unit::Button::View);
    ASSERT_TRUE(showsTitle(6, "Density Alt"));
    simDevice.discreteInput1Source = 0;
    unit::ticks(2);  // one frame samples the inputs, the next finds no air data
    EXPECT_TRUE(blank(shot(), {0, 0, 128, 53}));
    EXPECT_EQ(settingsReadByte(SLOT_DATA_MODE), 1);
    unit::ticks(1);
    EXPECT_TRUE(showsTitle(6, "Local Time"));
}

TEST_F(DataLayouts, LeftAndRightClicksLeaveThePage) {
    start(1, 1, 0);
    unit::click(unit::Button::Right);
    EXPECT_EQ(controller.activePage, PAGE_RUN_TIME);
    unit::click(unit::Button::Left);
    unit::click(unit::Button::Left);
    EXPECT_EQ(controller.activePage, PAGE_SETUP);
}

}  // namespace
