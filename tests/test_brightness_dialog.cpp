// Brightness and demo dialog: level steps, automatic brightness, demo-mode
// cycling and what the dialog shows.
#include "app_support.h"
#include "screen_checks.h"

#include "app/brightness_dialog.h"
#include "app/colours.h"
#include "app/controller.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/icons.h"

namespace {

class BrightnessDialog : public UnitTest {
  protected:
    // The level the dialog asks for when the manual level is v.
    int stepped(int v, ButtonEvent e) {
        simDevice.manualBrightnessLevel = v;
        devJournalClear();
        EXPECT_EQ(brightnessDialogEvent(e), EVT_NONE);
        const std::vector<DevRequest> levels = journalOf(DevOp::SetBrightnessLevel);
        const std::vector<DevRequest> modes = journalOf(DevOp::SetBrightnessMode);
        EXPECT_EQ(levels.size(), 1u);
        EXPECT_EQ(modes.size(), 1u);
        if (levels.empty() || modes.empty()) return -1000;
        EXPECT_EQ(modes[0].a, 1);  // a level change selects manual brightness
        return levels[0].a;
    }
};

TEST_F(BrightnessDialog, LevelMovesInOnesBelowTenAndOntoTensAbove) {
    EXPECT_EQ(stepped(30, EVT_VIEW_RELEASE), 40);
    EXPECT_EQ(stepped(30, EVT_LEFT_RELEASE), 20);
    EXPECT_EQ(stepped(9, EVT_VIEW_RELEASE), 10);
    EXPECT_EQ(stepped(10, EVT_VIEW_RELEASE), 20);
    EXPECT_EQ(stepped(35, EVT_VIEW_RELEASE), 40);
    EXPECT_EQ(stepped(10, EVT_LEFT_RELEASE), 9);
    EXPECT_EQ(stepped(35, EVT_LEFT_RELEASE), 20);
    EXPECT_EQ(stepped(1, EVT_LEFT_RELEASE), 0);
}

TEST_F(BrightnessDialog, LevelsBeyondTheRangeAreLimitedByTheDevice) {
    EXPECT_EQ(stepped(0, EVT_LEFT_RELEASE), 0);
    EXPECT_EQ(stepped(100, EVT_VIEW_RELEASE), 100);
    EXPECT_EQ(stepped(2147483647, EVT_VIEW_RELEASE), 100);
    EXPECT_EQ(stepped(-2147483647 - 1, EVT_LEFT_RELEASE), 0);
}

TEST_F(BrightnessDialog, BothPressSelectsAutomaticBrightness) {
    EXPECT_EQ(brightnessDialogEvent(EVT_BOTH_PRESS), EVT_NONE);
    ASSERT_EQ(journalOf(DevOp::SetBrightnessMode).size(), 1u);
    EXPECT_EQ(journalOf(DevOp::SetBrightnessMode)[0].a, 0);
    EXPECT_EQ(journalOf(DevOp::SetBrightnessLevel).size(), 0u);
}

TEST_F(BrightnessDialog, ViewHoldCyclesTheDemoMode) {
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_OFF);
    const int expected[] = {1, 2, 0, 1};
    for (int mode : expected) {
        EXPECT_EQ(brightnessDialogEvent(EVT_VIEW_HOLD), EVT_NONE);
        EXPECT_EQ(settingsReadByte(SLOT_DEMO_MODE), mode);
    }
    EXPECT_EQ(journalOf(DevOp::DemoOff).size(), 1u);
    settingsWriteByte(SLOT_DEMO_MODE, 3);
    brightnessDialogEvent(EVT_VIEW_HOLD);
    EXPECT_EQ(settingsReadByte(SLOT_DEMO_MODE), 0);
    EXPECT_EQ(journalOf(DevOp::DemoOff).size(), 2u);
}

TEST_F(BrightnessDialog, OtherEventsAreReturned) {
    for (ButtonEvent e : {EVT_VIEW_PRESS, EVT_LEFT_PRESS, EVT_LEFT_HOLD, EVT_RIGHT_PRESS,
                          EVT_RIGHT_HOLD, EVT_BOTH_RELEASE}) {
        EXPECT_EQ(brightnessDialogEvent(e), e);
    }
    EXPECT_EQ(devJournalSize(), 0);
}

TEST_F(BrightnessDialog, ManualModeShowsTheManualLevelAsABar) {
    screen.fill(0xFF123456u);
    drawBrightnessDialog(screen.px);
    EXPECT_TRUE(screen.all(20, 80, 50, 95, COLOUR_WHITE));
    EXPECT_TRUE(screen.all(50, 80, 110, 95, COLOUR_BLACK));
    EXPECT_TRUE(screen.all(20, 95, 50, 100, COLOUR_BLACK));
    EXPECT_TRUE(hasInk(screen, {40, 45, 90, 75}, COLOUR_WHITE));        // the level number
    EXPECT_TRUE(hasInk(screen, {20, 0, 108, 35}, COLOUR_TITLE_GREEN));  // MANUAL BRIGHTNESS
    EXPECT_TRUE(hasInk(screen, {20, 140, 108, 160}, COLOUR_GREY));      // SET AUTO
    EXPECT_TRUE(hasInk(screen, {115, 95, 128, 130}, COLOUR_LABEL));  // OK beside the Right button
    EXPECT_EQ(journalOf(DevOp::SetBrightnessLevel).size(), 0u);
}

// The dialog drawn afresh with the mode input and the demo mode given; whether
// it shows the title of the mode over "BRIGHTNESS", the level and the demo line.
bool showsDialog(Screen& screen, int modeInput, int demoMode, const char* title, const char* level,
                 const char* demoLine) {
    simDevice.brightnessManual = modeInput;
    settingsWriteByte(SLOT_DEMO_MODE, demoMode);
    screen.fill(COLOUR_BLACK);
    drawBrightnessDialog(screen.px);
    return showsCentred(screen, FONT_TEXT_14, 64, 10, COLOUR_TITLE_GREEN, title) &&
           showsCentred(screen, FONT_TEXT_14, 64, 25, COLOUR_TITLE_GREEN, "BRIGHTNESS") &&
           showsCentred(screen, FONT_NUM_23, 64, 60, COLOUR_WHITE, level) &&
           showsCentred(screen, FONT_TEXT_14, 64, 130, COLOUR_LABEL, demoLine);
}

TEST_F(BrightnessDialog, TitlesLevelHintsAndDemoLineInTheirPlaces) {
    ASSERT_TRUE(showsDialog(screen, 1, 2, "MANUAL", "30", "DEMO MODE 2"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 150, COLOUR_GREY, "SET AUTO"));
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_LABEL, "OK"));
    Reference hints;
    hints.icon(ICON_TRI_UP, 3, 35).icon(ICON_TRI_DOWN, 3, 110);
    EXPECT_TRUE(hints.matches(screen, {0, 30, 18, 48}));
    EXPECT_TRUE(hints.matches(screen, {0, 105, 18, 123}));

    EXPECT_TRUE(showsDialog(screen, 0, 1, "AUTO", "50", "DEMO MODE 1"));

    // Any non-zero mode input shows the manual level, but only 1 is titled manual.
    devJournalClear();
    EXPECT_TRUE(showsDialog(screen, 2, 1, "AUTO", "30", "DEMO MODE 1"));
    EXPECT_TRUE(noInk(screen, {20, 140, 108, 160}, COLOUR_GREY));
    EXPECT_EQ(journalOf(DevOp::SetBrightnessLevel).size(), 0u);
}

TEST_F(BrightnessDialog, AutomaticModeFollowsTheAutomaticLevel) {
    simDevice.brightnessManual = 0;
    drawBrightnessDialog(screen.px);
    EXPECT_TRUE(screen.all(20, 80, 70, 95, COLOUR_WHITE));
    EXPECT_EQ(screen.at(70, 85), COLOUR_BLACK);
    EXPECT_TRUE(noInk(screen, {20, 140, 108, 160}, COLOUR_GREY));  // no SET AUTO hint
    EXPECT_TRUE(hasInk(screen, {20, 0, 108, 35}, COLOUR_TITLE_GREEN));
    ASSERT_EQ(journalOf(DevOp::SetBrightnessLevel).size(), 1u);
    EXPECT_EQ(journalOf(DevOp::SetBrightnessLevel)[0].a, 50);
}

TEST_F(BrightnessDialog, DemoLineOnlyForModesOneAndTwo) {
    for (int mode : {0, 1, 2, 3}) {
        SCOPED_TRACE(mode);
        settingsWriteByte(SLOT_DEMO_MODE, mode);
        screen.fill(COLOUR_BLACK);
        drawBrightnessDialog(screen.px);
        const Rect demoLine = {10, 120, 118, 140};
        EXPECT_TRUE(mode == 1 || mode == 2 ? hasInk(screen, demoLine, COLOUR_LABEL)
                                           : noInk(screen, demoLine, COLOUR_LABEL));
    }
}

TEST_F(BrightnessDialog, AbsurdLevelsDrawWithoutOverflow) {
    simDevice.manualBrightnessLevel = 2147483647;
    drawBrightnessDialog(screen.px);
    EXPECT_TRUE(screen.all(20, 80, 128, 95, COLOUR_WHITE));
    simDevice.manualBrightnessLevel = -2147483647 - 1;
    screen.fill(COLOUR_BLACK);
    drawBrightnessDialog(screen.px);
    EXPECT_TRUE(screen.all(0, 80, 20, 95, COLOUR_WHITE));
}

}  // namespace
