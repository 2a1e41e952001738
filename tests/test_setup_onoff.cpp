// PAGE ENABLE, AUDIO ALERTS and MISC OPTIONS: toggles written at once and
// their effect on the navigation, the preview sounds, the cursor wrapping
// over the listed rows, and the checks, crosses and labels shown.
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/gfx.h"
#include "gfx/icons.h"
#include "setup_support.h"

namespace {

constexpr int TEXT_X = 40;
constexpr int ICON_X = 25;

int rowY(int row) { return 30 + 15 * row; }

using SetupOnOff = SetupTest;

// Whether the icon cell at row holds the tint and nothing of the other colour.
bool iconIs(const Screen& s, int row, uint32_t tint, uint32_t other) {
    const int y = rowY(row);
    return s.any(ICON_X, y + 1, ICON_X + 8, y + 12, tint) &&
           !s.any(ICON_X, y + 1, ICON_X + 8, y + 12, other);
}

// Whether the icon cell at row holds exactly the icon in its tint, so a check
// and a cross are told apart by shape as well as by colour.
bool showsIcon(const Screen& s, int row, const Icon4& icon, uint32_t tint) {
    const int y = rowY(row);
    Reference r;
    gfx_draw_icon(r.s.px, FB_WIDTH, FB_HEIGHT, icon, ICON_X, y, tint);
    return r.matches(s, {ICON_X, y, TEXT_X - 2, y + 15});
}

std::vector<DevRequest> sounds() { return journalOf(DevOp::Sound); }

TEST_F(SetupOnOff, DisablingTimer2IsWrittenAtOnceAndNavigationSkipsPage4) {
    openItem(1);
    ASSERT_EQ(setup.screen, 2);
    left(3);
    right();
    EXPECT_EQ(settingsReadInt(SLOT_PAGE_ENABLE), 0x77);

    both();  // "BACK" to the list, still in edit mode
    EXPECT_EQ(setup.screen, 0);
    EXPECT_EQ(setup.cursor, 1);
    both();  // browse mode
    const int expected[] = {PAGE_DATA, PAGE_RUN_TIME, PAGE_TIMER_1, PAGE_GMETER};
    for (int page : expected) {
        right();
        EXPECT_EQ(controller.activePage, page);
    }
}

TEST_F(SetupOnOff, EveryRowSwitchedOffStillLeavesTheSetupPageEnabled) {
    openItem(1);
    for (int row = 0; row < 6; ++row) {
        right();
        left();
    }
    EXPECT_EQ(settingsReadInt(SLOT_PAGE_ENABLE), 0x40);
    both();
    both();
    // Only the setup page is left, and both directions find it.
    right();
    EXPECT_EQ(controller.activePage, PAGE_SETUP);
    left();
    EXPECT_EQ(controller.activePage, PAGE_SETUP);
}

TEST_F(SetupOnOff, AnAlertSwitchedOnPlaysItsSoundOnceAndSwitchedOffNothing) {
    openItem(2);
    ASSERT_EQ(setup.screen, 3);
    left();
    left();
    left();  // "G LIMIT", off by default
    devJournalClear();
    right();
    EXPECT_EQ(settingsReadInt(SLOT_AUDIO_ALERTS), 0x0F);
    ASSERT_EQ(sounds().size(), 1u);
    EXPECT_EQ(sounds()[0].a, 0);
    EXPECT_EQ(sounds()[0].b, 1);
    right();
    EXPECT_EQ(settingsReadInt(SLOT_AUDIO_ALERTS), 0x07);
    EXPECT_EQ(sounds().size(), 1u);

    // Each of the other rows, off and on again: its own preview sound.
    const int expectedSound[] = {6, 7, 3};
    for (int row = 0; row < 3; ++row) {
        left();  // wraps from "G LIMIT" to "TIMER 1" first
        devJournalClear();
        right();
        EXPECT_TRUE(sounds().empty()) << "row " << row;
        right();
        ASSERT_EQ(sounds().size(), 1u) << "row " << row;
        EXPECT_EQ(sounds()[0].a, expectedSound[row]);
        EXPECT_EQ(sounds()[0].b, 1);
    }
    EXPECT_EQ(settingsReadInt(SLOT_AUDIO_ALERTS), 0x07);
}

TEST_F(SetupOnOff, CursorWrapsOverTheListedRowsOnly) {
    struct Case {
        int item;
        int* cursor;
        bool edition;
        int rows;
    };
    const Case cases[] = {
        {1, &setupLists.pageEnableCursor, true, 6}, {1, &setupLists.pageEnableCursor, false, 4},
        {2, &setupLists.audioAlertCursor, true, 4}, {2, &setupLists.audioAlertCursor, false, 2},
        {5, &setupLists.miscOptionCursor, true, 7}, {5, &setupLists.miscOptionCursor, false, 4}};
    for (const Case& c : cases) {
        resetUnit();
        SetUp();
        setEdition(c.edition);
        openItem(c.item);
        view();
        EXPECT_EQ(*c.cursor, c.rows - 1) << "item " << c.item << " rows " << c.rows;
        left();
        EXPECT_EQ(*c.cursor, 0);
        for (int i = 0; i < c.rows; ++i) left();
        EXPECT_EQ(*c.cursor, 0);
    }
}

TEST_F(SetupOnOff, RowsShowChecksCrossesAndTheCursorRow) {
    settingsWriteByte(SLOT_PAGE_ENABLE, 0x7F ^ 0x08);
    openItem(1);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 10, COLOUR_TITLE_GREEN, "PAGE ENABLE"));
    for (int row = 0; row < 6; ++row) {
        if (row == 3) {
            EXPECT_TRUE(iconIs(screen, row, COLOUR_RED, COLOUR_GREEN));
            EXPECT_TRUE(showsIcon(screen, row, ICON_CROSS, COLOUR_RED));
        } else {
            EXPECT_TRUE(iconIs(screen, row, COLOUR_GREEN, COLOUR_RED)) << "row " << row;
            EXPECT_TRUE(showsIcon(screen, row, ICON_CHECK, COLOUR_GREEN)) << "row " << row;
        }
    }
    EXPECT_TRUE(showsHighlightedRow(screen, TEXT_X, rowY(0), 103, "CLOCK"));
    EXPECT_TRUE(showsText(screen, FONT_TEXT_14, TEXT_X, rowY(5), COLOUR_LABEL, "ATTITUDE"));
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_HIGHLIGHT, "DIS"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 150, COLOUR_GREY, "BACK"));
    EXPECT_TRUE(screen.any(3, 36, 15, 44, COLOUR_WHITE));
    EXPECT_TRUE(screen.any(3, 111, 15, 119, COLOUR_WHITE));

    // On a clear bit the right label offers to enable.
    left(3);
    draw();
    EXPECT_TRUE(showsHighlightedRow(screen, TEXT_X, rowY(3), 103, "TIMER 2"));
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_HIGHLIGHT, "ENA"));
}

TEST_F(SetupOnOff, RowsShowAndToggleTheLowByteOfTheSlot) {
    // Bits above the low byte are neither shown nor kept: the toggle writes
    // the byte back, which clears the upper bits of the slot.
    settingsWriteInt(SLOT_OPTIONS, 0x1200 | 0x04);
    openItem(5);
    draw();
    EXPECT_TRUE(showsIcon(screen, 1, ICON_CROSS, COLOUR_RED));
    EXPECT_TRUE(showsIcon(screen, 2, ICON_CHECK, COLOUR_GREEN));
    right();
    EXPECT_EQ(settingsReadInt(SLOT_OPTIONS), 0x05);
}

TEST_F(SetupOnOff, WithoutTheEditionInputTheEditionRowsTakeNoRow) {
    setEdition(false);
    openItem(1);
    draw();
    EXPECT_TRUE(iconIs(screen, 3, COLOUR_GREEN, COLOUR_RED));
    EXPECT_TRUE(blank(screen, {20, rowY(4), 110, rowY(6)}));
}

TEST_F(SetupOnOff, MiscOptionsHighlightReachesFurtherRight) {
    openItem(5);
    ASSERT_EQ(setup.screen, 6);
    draw();
    EXPECT_TRUE(showsHighlightedRow(screen, TEXT_X, rowY(0), 113, "BLUE BG"));
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_HIGHLIGHT, "ENA"));
    left();
    right();
    EXPECT_EQ(settingsReadInt(SLOT_OPTIONS), 0x02);  // "TEMP IN C"
}

TEST_F(SetupOnOff, WithNoRowSelectedRightTogglesNothing) {
    openItem(1);
    // The page is left without the buttons (a page request) and entered
    // forwards again: the list has no row selected.
    controllerShowPage(PAGE_ATTITUDE);
    right();
    ASSERT_EQ(controller.activePage, PAGE_SETUP);
    ASSERT_EQ(setup.screen, 2);
    ASSERT_EQ(setupLists.pageEnableCursor, -1);
    draw();
    EXPECT_FALSE(screen.any(38, rowY(0), 103, rowY(6), COLOUR_HIGHLIGHT));
    EXPECT_TRUE(blank(screen, {114, 95, 128, 140}));  // no "DIS"/"ENA"

    EXPECT_EQ(setupHandleEvent(EVT_RIGHT_RELEASE), EVT_NONE);
    EXPECT_EQ(settingsReadInt(SLOT_PAGE_ENABLE), 0x7F);
    left();
    EXPECT_EQ(setupLists.pageEnableCursor, 0);
}

TEST_F(SetupOnOff, OnlyTheirFourEventsAreUsed) {
    openItem(2);
    for (ButtonEvent e :
         {EVT_VIEW_PRESS, EVT_VIEW_HOLD, EVT_LEFT_HOLD, EVT_RIGHT_HOLD, EVT_BOTH_RELEASE}) {
        EXPECT_EQ(setupHandleEvent(e), e);
    }
    EXPECT_EQ(setupHandleEvent(EVT_LEFT_RELEASE), EVT_NONE);
    EXPECT_EQ(setupHandleEvent(EVT_BOTH_PRESS), EVT_NONE);
    EXPECT_EQ(setup.screen, 0);
}

}  // namespace
