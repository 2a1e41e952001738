// The value editors: AUDIO VOLUME with its test sound, OAT TRIM with its
// clamped load and temperature line, AOA LIMITS (CAL) with the separation
// pushed along, G LIMITS; ranges, writes on every change, and what they show.
#include <cmath>
#include <limits>

#include "device/settings.h"
#include "device/settings_slots.h"
#include "setup_support.h"

namespace {

constexpr int ITEM_VOLUME = 3;
constexpr int ITEM_OAT_TRIM = 4;
constexpr int ITEM_AOA_LIMITS = 6;
constexpr int ITEM_G_LIMITS = 7;

using SetupEditors = SetupTest;

std::vector<DevRequest> sounds() { return journalOf(DevOp::Sound); }

// ---- AUDIO VOLUME -------------------------------------------------------------

TEST_F(SetupEditors, VolumeStepsWriteAndSoundOnEveryPressAlsoAtTheLimits) {
    openItem(ITEM_VOLUME);
    ASSERT_EQ(setup.screen, 4);
    devJournalClear();
    view();
    EXPECT_EQ(settingsReadInt(SLOT_VOLUME), 6);
    view(6);
    EXPECT_EQ(settingsReadInt(SLOT_VOLUME), 10);
    EXPECT_EQ(sounds().size(), 7u);

    // At 10 a further press still writes 10 and sounds.
    settingsWriteByte(SLOT_VOLUME, 99);
    devJournalClear();
    view();
    EXPECT_EQ(settingsReadInt(SLOT_VOLUME), 10);
    ASSERT_EQ(sounds().size(), 1u);
    EXPECT_EQ(sounds()[0].a, 8);
    EXPECT_EQ(sounds()[0].b, 1);

    left(12);
    EXPECT_EQ(settingsReadInt(SLOT_VOLUME), 0);
    EXPECT_EQ(sounds().size(), 13u);

    devJournalClear();
    right();
    ASSERT_EQ(sounds().size(), 1u);
    EXPECT_EQ(sounds()[0].a, 8);
    EXPECT_EQ(sounds()[0].b, 0);
    EXPECT_EQ(setup.screen, 0);
}

TEST_F(SetupEditors, VolumeShowsTwoDigitsAndABarOfSevenPixelsPerStep) {
    openItem(ITEM_VOLUME);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 10, COLOUR_TITLE_GREEN, "AUDIO VOLUME"));
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 50, COLOUR_WHITE, "05"));
    EXPECT_TRUE(screen.all(30, 70, 65, 85, COLOUR_WHITE));
    EXPECT_TRUE(blank(screen, {65, 69, 110, 86}));
    EXPECT_TRUE(blank(screen, {20, 69, 30, 86}));
    EXPECT_TRUE(blank(screen, {30, 85, 65, 86}));
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_LABEL, "OK"));
    EXPECT_TRUE(screen.any(3, 36, 15, 44, COLOUR_WHITE));
    EXPECT_TRUE(screen.any(3, 111, 15, 119, COLOUR_WHITE));

    view(5);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 50, COLOUR_WHITE, "10"));
    EXPECT_TRUE(screen.all(30, 70, 100, 85, COLOUR_WHITE));
    EXPECT_EQ(screen.at(100, 75), COLOUR_BLACK);

    left(10);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 50, COLOUR_WHITE, "00"));
    EXPECT_TRUE(blank(screen, {20, 69, 110, 86}));
}

TEST_F(SetupEditors, VolumeOpensFromTheLowByteOfItsSlot) {
    settingsWriteInt(SLOT_VOLUME, 0x300 | 7);
    openItem(ITEM_VOLUME);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 50, COLOUR_WHITE, "07"));
    view();
    EXPECT_EQ(settingsReadInt(SLOT_VOLUME), 8);
}

TEST_F(SetupEditors, EditorsAreLeftOnlyWithRightButton) {
    for (int item : {ITEM_VOLUME, ITEM_OAT_TRIM, ITEM_AOA_LIMITS, ITEM_G_LIMITS}) {
        resetUnit();
        SetUp();
        openItem(item);
        const int screenShown = setup.screen;
        for (ButtonEvent e : {EVT_BOTH_PRESS, EVT_BOTH_RELEASE, EVT_VIEW_HOLD, EVT_RIGHT_HOLD}) {
            EXPECT_EQ(setupHandleEvent(e), e) << "item " << item;
        }
        both();
        left();
        EXPECT_EQ(controller.activePage, PAGE_SETUP);
        EXPECT_EQ(setup.screen, screenShown);
    }
}

// ---- OAT TRIM ---------------------------------------------------------------------

TEST_F(SetupEditors, OatTrimOpensClampedAndTheFirstStepWritesFromThere) {
    settingsWriteInt(SLOT_OAT_TRIM, 400);
    openItem(ITEM_OAT_TRIM);
    ASSERT_EQ(setup.screen, 5);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_20, 64, 60, COLOUR_WHITE, "150"));
    view();  // already at the top: nothing is written
    EXPECT_EQ(settingsReadInt(SLOT_OAT_TRIM), 400);
    left();
    EXPECT_EQ(settingsReadInt(SLOT_OAT_TRIM), 149);

    settingsWriteInt(SLOT_OAT_TRIM, std::numeric_limits<int32_t>::min());
    right();  // OK, back to the list
    right();  // and open it again
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_20, 64, 60, COLOUR_WHITE, "-150"));
    left();
    EXPECT_EQ(settingsReadInt(SLOT_OAT_TRIM), std::numeric_limits<int32_t>::min());
    view();
    EXPECT_EQ(settingsReadInt(SLOT_OAT_TRIM), -149);
    right();
    EXPECT_EQ(setup.screen, 0);
}

TEST_F(SetupEditors, OatTrimShowsTheReadingInTheSelectedUnit) {
    openItem(ITEM_OAT_TRIM);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 10, COLOUR_TITLE_GREEN, "OAT TRIM"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 40, COLOUR_LABEL, "OFFSET:"));
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_20, 64, 60, COLOUR_WHITE, "0"));
    // 22.4 C is 72.32 F.
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 90, COLOUR_LABEL, "NEW (F)"));
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 112, COLOUR_GREY, "72d"));
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_LABEL, "OK"));

    settingsWriteByte(SLOT_OPTIONS, OPTION_TEMP_IN_C);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 90, COLOUR_LABEL, "NEW (C)"));
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 112, COLOUR_GREY, "22d"));

    // The integer part is truncated toward zero; the offset is not added.
    simDevice.oatCelsius = -12.7f;
    settingsWriteInt(SLOT_OAT_TRIM, 30);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 112, COLOUR_GREY, "-12d"));
    settingsWriteByte(SLOT_OPTIONS, 0);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 112, COLOUR_GREY, "9d"));
}

TEST_F(SetupEditors, OatTrimShowsDashesOutsideTheProbeRangeOrWithoutProbe) {
    openItem(ITEM_OAT_TRIM);
    struct Case {
        float celsius;
        int probe;
    };
    const Case cases[] = {{70.0f, 1}, {-40.0f, 1}, {std::nanf(""), 1}, {1e30f, 1}, {22.4f, 0}};
    for (const Case& c : cases) {
        simDevice.oatCelsius = c.celsius;
        simDevice.discreteInput1Source = c.probe;
        draw();
        EXPECT_TRUE(showsCentred(screen, FONT_NUM_20, 64, 112, COLOUR_GREY, "---"))
            << c.celsius << " probe " << c.probe;
        EXPECT_TRUE(blank(screen, {20, 83, 110, 97})) << c.celsius;  // no caption
    }
    simDevice.oatCelsius = 69.9f;
    simDevice.discreteInput1Source = 1;
    settingsWriteByte(SLOT_OPTIONS, OPTION_TEMP_IN_C);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 112, COLOUR_GREY, "69d"));
}

// ---- AOA LIMITS (CAL) ---------------------------------------------------------

TEST_F(SetupEditors, LoweringPreStallPushesCruiseAlong) {
    openItem(ITEM_AOA_LIMITS);
    ASSERT_EQ(setup.screen, 7);
    left(9);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_PRESTALL), 6);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_CRUISE), 4);
    left(60);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_PRESTALL), -25);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_CRUISE), -27);
    view(60);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_PRESTALL), 30);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_CRUISE), -27);
}

TEST_F(SetupEditors, RaisingCruisePushesPreStallAlong) {
    openItem(ITEM_AOA_LIMITS);
    right();  // NEXT: the cruise angle
    EXPECT_EQ(setup.screen, 7);
    view(20);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_CRUISE), 25);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_PRESTALL), 27);
    view();
    EXPECT_EQ(settingsReadInt(SLOT_AOA_CRUISE), 25);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_PRESTALL), 27);
    left(60);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_CRUISE), -30);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_PRESTALL), 27);
    right();  // DONE
    EXPECT_EQ(setup.screen, 0);
    EXPECT_EQ(setup.cursor, ITEM_AOA_LIMITS);
}

TEST_F(SetupEditors, AoaLimitsShowTheEditedAngleBright) {
    openItem(ITEM_AOA_LIMITS);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 10, COLOUR_TITLE_GREEN, "AOA LIMITS (CAL)"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 30, COLOUR_LABEL, "PRE-STALL"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 45, COLOUR_LABEL, "ANGLE"));
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 65, COLOUR_WHITE, "15"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 90, COLOUR_GREY, "CRUISE"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 105, COLOUR_GREY, "ANGLE"));
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 125, COLOUR_GREY, "5"));
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_LABEL, "NEXT"));

    right();
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 30, COLOUR_GREY, "PRE-STALL"));
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 65, COLOUR_GREY, "15"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 90, COLOUR_LABEL, "CRUISE"));
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 125, COLOUR_WHITE, "5"));
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_LABEL, "DONE"));

    // Reopening reloads the stored angles and starts at the pre-stall angle.
    right();
    settingsWriteInt(SLOT_AOA_PRESTALL, -3);
    settingsWriteInt(SLOT_AOA_CRUISE, -21);
    right();
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 65, COLOUR_WHITE, "-3"));
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 125, COLOUR_GREY, "-21"));
}

TEST_F(SetupEditors, ExtremeStoredAnglesStepWithoutOverflow) {
    settingsWriteInt(SLOT_AOA_PRESTALL, std::numeric_limits<int32_t>::min());
    settingsWriteInt(SLOT_AOA_CRUISE, std::numeric_limits<int32_t>::max());
    openItem(ITEM_AOA_LIMITS);
    left();  // below the range: no step
    EXPECT_EQ(settingsReadInt(SLOT_AOA_PRESTALL), std::numeric_limits<int32_t>::min());
    view();
    EXPECT_EQ(settingsReadInt(SLOT_AOA_PRESTALL), std::numeric_limits<int32_t>::min() + 1);
    EXPECT_EQ(settingsReadInt(SLOT_AOA_CRUISE), std::numeric_limits<int32_t>::max());
    right();
    view();  // above the range: no step
    EXPECT_EQ(settingsReadInt(SLOT_AOA_CRUISE), std::numeric_limits<int32_t>::max());
    left();
    EXPECT_EQ(settingsReadInt(SLOT_AOA_CRUISE), std::numeric_limits<int32_t>::max() - 1);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 65, COLOUR_GREY, "-2147483647"));
}

// ---- G LIMITS -------------------------------------------------------------------

TEST_F(SetupEditors, GLimitsStepWithinTheirRanges) {
    openItem(ITEM_G_LIMITS);
    ASSERT_EQ(setup.screen, 8);
    left();
    EXPECT_EQ(settingsReadInt(SLOT_G_LIMIT_POSITIVE), 2);
    left();
    EXPECT_EQ(settingsReadInt(SLOT_G_LIMIT_POSITIVE), 2);
    view(10);
    EXPECT_EQ(settingsReadInt(SLOT_G_LIMIT_POSITIVE), 8);
    right();
    view();
    EXPECT_EQ(settingsReadInt(SLOT_G_LIMIT_NEGATIVE), -1);
    view();
    EXPECT_EQ(settingsReadInt(SLOT_G_LIMIT_NEGATIVE), -1);
    left(10);
    EXPECT_EQ(settingsReadInt(SLOT_G_LIMIT_NEGATIVE), -8);
    EXPECT_EQ(settingsReadInt(SLOT_G_LIMIT_POSITIVE), 8);
    right();
    EXPECT_EQ(setup.screen, 0);
}

TEST_F(SetupEditors, GLimitsShowTheEditedLimitBright) {
    openItem(ITEM_G_LIMITS);
    right();
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 10, COLOUR_TITLE_GREEN, "G LIMITS"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 30, COLOUR_GREY, "POSITIVE G"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 45, COLOUR_GREY, "ALERT"));
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 65, COLOUR_GREY, "3"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 90, COLOUR_LABEL, "NEGATIVE G"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 105, COLOUR_LABEL, "ALERT"));
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_23, 64, 125, COLOUR_WHITE, "-2"));
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_LABEL, "DONE"));
}

}  // namespace
