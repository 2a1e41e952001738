// The setup list: browse and edit modes, the cursor and the scroll with and
// without the edition input, opening items, and what the list shows.
#include <algorithm>

#include "device/settings.h"
#include "device/settings_slots.h"
#include "setup_support.h"

namespace {

constexpr int ROW_X = 25;
constexpr int HIGHLIGHT_LEFT = 23;
constexpr int HIGHLIGHT_RIGHT = 116;

const char* const ITEMS[] = {"SYSTEM INFO",  "PAGE ENABLE", "AUDIO ALERTS", "AUDIO VOL", "OAT TRIM",
                             "MISC OPTIONS", "AOA LIMITS",  "G LIMITS",     "HARD CAL"};

int rowY(int row) { return 30 + 15 * row; }

using SetupList = SetupTest;

// Where the magenta bar of the selected row stands, or -1.
int highlightedRow(const Screen& s) {
    for (int row = 0; row < 7; ++row) {
        if (s.all(HIGHLIGHT_LEFT, rowY(row), HIGHLIGHT_RIGHT, rowY(row) + 1, COLOUR_HIGHLIGHT))
            return row;
    }
    return -1;
}

// A SYSTEM INFO caption and the value below it, whose cells share a row:
// the whole box around both equals the two drawn alone, and holds ink.
bool showsEntry(const Screen& s, int captionY, const char* caption, int valueY, const char* value) {
    const Rect top = centredTextCell(FONT_TEXT_14, 64, captionY, caption);
    const Rect bottom = centredTextCell(FONT_TEXT_18, 64, valueY, value);
    const Rect box = {std::min(top.x0, bottom.x0), top.y0, std::max(top.x1, bottom.x1), bottom.y1};
    Reference entry;
    entry.centred(FONT_TEXT_14, 64, captionY, COLOUR_LABEL, caption)
        .centred(FONT_TEXT_18, 64, valueY, COLOUR_WHITE, value);
    return !blank(entry.s, top) && !blank(entry.s, bottom) && entry.matches(s, box);
}

TEST_F(SetupList, CursorScrollsDownToHardCalAndJumpsBackAtItemSix) {
    both();
    ASSERT_EQ(setup.cursor, 0);
    const int scrollAfter[] = {0, 0, 0, 0, 0, 0, 1, 2};
    for (int press = 1; press <= 8; ++press) {
        left();
        EXPECT_EQ(setup.cursor, press);
        EXPECT_EQ(setup.scroll, scrollAfter[press - 1]) << "after press " << press;
    }
    draw();
    // Items 2 to 8 shown, "HARD CAL" highlighted on the last row.
    EXPECT_EQ(highlightedRow(screen), 6);
    EXPECT_TRUE(showsText(screen, FONT_TEXT_14, ROW_X, rowY(0), COLOUR_LABEL, ITEMS[2]));

    left();  // a ninth press changes nothing
    EXPECT_EQ(setup.cursor, 8);
    EXPECT_EQ(setup.scroll, 2);

    view();  // item 7 is still on screen: no scroll
    EXPECT_EQ(setup.cursor, 7);
    EXPECT_EQ(setup.scroll, 2);
    view();  // item 6: back to the top
    EXPECT_EQ(setup.cursor, 6);
    EXPECT_EQ(setup.scroll, 0);
    draw();
    EXPECT_EQ(highlightedRow(screen), 6);
    EXPECT_TRUE(showsText(screen, FONT_TEXT_14, ROW_X, rowY(0), COLOUR_LABEL, ITEMS[0]));
}

TEST_F(SetupList, WithoutTheEditionInputTheCursorStopsAtMiscOptions) {
    setEdition(false);
    selectItem(7);
    EXPECT_EQ(setup.cursor, 5);
    EXPECT_EQ(setup.scroll, 0);
    draw();
    EXPECT_EQ(highlightedRow(screen), 5);
    EXPECT_TRUE(blank(screen, {0, rowY(6), HIGHLIGHT_RIGHT, rowY(7)}));
    // Up hint only: there is nothing further down.
    EXPECT_TRUE(screen.any(3, 36, 15, 44, COLOUR_WHITE));
    EXPECT_TRUE(blank(screen, {0, 100, 20, 125}));
}

TEST_F(SetupList, BrowseModeIsGreyAndLeavesLeftAndRightToTheNavigation) {
    EXPECT_EQ(setupHandleEvent(EVT_VIEW_RELEASE), EVT_NONE);
    EXPECT_EQ(setupHandleEvent(EVT_LEFT_RELEASE), EVT_LEFT_RELEASE);
    EXPECT_EQ(setupHandleEvent(EVT_RIGHT_RELEASE), EVT_RIGHT_RELEASE);
    EXPECT_EQ(setupHandleEvent(EVT_VIEW_HOLD), EVT_VIEW_HOLD);
    EXPECT_EQ(setup.cursor, -1);
    EXPECT_EQ(setup.screen, 0);

    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 10, COLOUR_LABEL, "SETUP"));
    // The separator line from (20, 22) to (108, 22), full weight at its start.
    EXPECT_EQ(screen.at(20, 22), COLOUR_SEPARATOR);
    EXPECT_FALSE(screen.any(21, 22, 109, 23, COLOUR_BLACK));
    EXPECT_TRUE(blank(screen, {0, 20, 128, 22}));
    for (int row = 0; row < 7; ++row) {
        EXPECT_TRUE(showsText(screen, FONT_TEXT_14, ROW_X, rowY(row), COLOUR_GREY, ITEMS[row]))
            << "row " << row;
    }
    EXPECT_EQ(highlightedRow(screen), -1);
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 150, COLOUR_GREY, "EDIT"));
    // The page indicator strip's arrows, no hints and no right label.
    EXPECT_TRUE(screen.any(2, 144, 10, 156, COLOUR_WHITE));
    EXPECT_TRUE(screen.any(119, 144, 127, 156, COLOUR_WHITE));
    EXPECT_TRUE(blank(screen, {0, 30, 20, 125}));
    EXPECT_TRUE(blank(screen, {117, 95, 128, 140}));
}

TEST_F(SetupList, EditModeHighlightsTheCursorRowAndOffersSelect) {
    selectItem(2);
    draw();
    const int y = rowY(2);
    EXPECT_TRUE(screen.all(HIGHLIGHT_LEFT, y, ROW_X, y + 14, COLOUR_HIGHLIGHT));
    EXPECT_TRUE(screen.all(HIGHLIGHT_LEFT, y, HIGHLIGHT_RIGHT, y + 1, COLOUR_HIGHLIGHT));
    EXPECT_TRUE(screen.all(HIGHLIGHT_LEFT, y + 13, HIGHLIGHT_RIGHT, y + 14, COLOUR_HIGHLIGHT));
    EXPECT_EQ(screen.at(HIGHLIGHT_LEFT - 1, y), COLOUR_BLACK);
    EXPECT_EQ(screen.at(HIGHLIGHT_RIGHT, y), COLOUR_BLACK);
    EXPECT_EQ(screen.at(HIGHLIGHT_LEFT, y + 14), COLOUR_BLACK);
    EXPECT_TRUE(showsHighlightedRow(screen, ROW_X, y, HIGHLIGHT_RIGHT, ITEMS[2]));
    for (int row : {0, 1, 3, 6}) {
        EXPECT_TRUE(showsText(screen, FONT_TEXT_14, ROW_X, rowY(row), COLOUR_LABEL, ITEMS[row]))
            << "row " << row;
    }
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_HIGHLIGHT, "SEL"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 150, COLOUR_GREY, "EXIT"));
    EXPECT_TRUE(screen.any(3, 36, 15, 44, COLOUR_WHITE));
    EXPECT_TRUE(screen.any(3, 111, 15, 119, COLOUR_WHITE));
    // No page indicator in edit mode.
    EXPECT_TRUE(blank(screen, {0, 143, 40, 157}));

    // The cursor stops at the first item, where there is no up hint.
    view(3);
    EXPECT_EQ(setup.cursor, 0);
    draw();
    EXPECT_TRUE(blank(screen, {0, 30, 20, 50}));
}

TEST_F(SetupList, LeavingEditModeReturnsToTheTopOfTheList) {
    selectItem(8);
    ASSERT_EQ(setup.scroll, 2);
    both();
    EXPECT_EQ(setup.cursor, -1);
    EXPECT_EQ(setup.scroll, 0);
    draw();
    EXPECT_TRUE(showsText(screen, FONT_TEXT_14, ROW_X, rowY(0), COLOUR_GREY, ITEMS[0]));
    // Entering edit mode again selects the first item, which is on screen.
    both();
    draw();
    EXPECT_EQ(highlightedRow(screen), 0);
}

TEST_F(SetupList, EachItemOpensItsScreenAndTheListComesBackAsLeft) {
    struct Case {
        int item;
        int screen;
        int* cursor;
    };
    const Case cases[] = {{0, 1, nullptr},
                          {1, 2, &setupLists.pageEnableCursor},
                          {2, 3, &setupLists.audioAlertCursor},
                          {3, 4, nullptr},
                          {4, 5, nullptr},
                          {5, 6, &setupLists.miscOptionCursor},
                          {6, 7, nullptr},
                          {7, 8, nullptr},
                          {8, 9, nullptr}};
    for (const Case& c : cases) {
        resetUnit();
        SetUp();
        if (c.cursor != nullptr) *c.cursor = 3;
        openItem(c.item);
        EXPECT_EQ(setup.screen, c.screen) << "item " << c.item;
        if (c.cursor != nullptr) {
            EXPECT_EQ(*c.cursor, 0) << "item " << c.item;
        }
        EXPECT_EQ(setup.cursor, c.item);
        EXPECT_EQ(setup.scroll, c.item >= 7 ? c.item - 6 : 0);
    }
    // Back from HARD CAL's caution page: the list as it was left.
    left();
    EXPECT_EQ(setup.screen, 0);
    EXPECT_EQ(setup.cursor, 8);
    EXPECT_EQ(setup.scroll, 2);
}

TEST_F(SetupList, AnItemHiddenSinceTheEditionInputDroppedIsNotOpened) {
    selectItem(8);
    setEdition(false);
    right();
    // The cursor counts as the last listed item, MISC OPTIONS.
    EXPECT_EQ(setup.screen, 6);
    EXPECT_EQ(setup.cursor, 5);
}

TEST_F(SetupList, SystemInfoLeftWithLeftButtonIsShownAgainOnReturn) {
    openItem(0);
    ASSERT_EQ(setup.screen, 1);
    left();
    EXPECT_EQ(controller.activePage, PAGE_ATTITUDE);
    right();  // forwards into the menu: browse mode, but the screen stays
    EXPECT_EQ(controller.activePage, PAGE_SETUP);
    EXPECT_EQ(setup.screen, 1);
    EXPECT_EQ(setup.cursor, -1);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 10, COLOUR_TITLE_GREEN, "SYSTEM INFO"));
    // "OK" goes back to the list, in browse mode.
    right();
    EXPECT_EQ(controller.activePage, PAGE_SETUP);
    EXPECT_EQ(setup.screen, 0);
    right();
    EXPECT_EQ(controller.activePage, PAGE_DATA);
}

TEST_F(SetupList, SystemInfoShowsModelPartNumberVersionAndUnitId) {
    settingsWriteInt(SLOT_UNIT_ID, 4711);
    setup.screen = 1;
    draw();
    EXPECT_TRUE(showsEntry(screen, 27, "MODEL", 42, "QX-70-S"));
    EXPECT_TRUE(showsEntry(screen, 62, "PART NUMBER", 77, "QXP-2200410-001"));
    EXPECT_TRUE(showsEntry(screen, 97, "SW VERSION", 112, "1.2.0"));
    EXPECT_TRUE(showsEntry(screen, 132, "UNIT ID", 147, "4711"));
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_LABEL, "OK"));
    EXPECT_TRUE(blank(screen, {0, 36, 16, 44}));  // no hints
    EXPECT_TRUE(blank(screen, {0, 111, 16, 119}));

    setEdition(false);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_18, 64, 42, COLOUR_WHITE, "QX-70"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_18, 64, 77, COLOUR_WHITE, "QXP-2200735-001"));
}

TEST_F(SetupList, UnitIdOutsideItsRangeShowsDashes) {
    setup.screen = 1;
    const struct {
        int32_t id;
        const char* shown;
    } cases[] = {{0, "0"}, {99999, "99999"}, {100000, "---"}, {-1, "---"}, {INT32_MIN, "---"}};
    for (const auto& c : cases) {
        settingsWriteInt(SLOT_UNIT_ID, c.id);
        draw();
        EXPECT_TRUE(showsCentred(screen, FONT_TEXT_18, 64, 147, COLOUR_WHITE, c.shown)) << c.id;
    }
}

TEST_F(SetupList, ForwardEntryResetsTheCursorsButKeepsScreenAndScroll) {
    selectItem(7);
    setupLists.pageEnableCursor = 2;
    resetSetupMenu();
    EXPECT_EQ(setup.cursor, -1);
    EXPECT_EQ(setupLists.pageEnableCursor, -1);
    EXPECT_EQ(setup.scroll, 1);
    EXPECT_EQ(setup.screen, 0);
}

TEST_F(SetupList, AnUnknownScreenOrScrollDrawsSafely) {
    setup.screen = 42;
    EXPECT_EQ(setupHandleEvent(EVT_RIGHT_RELEASE), EVT_RIGHT_RELEASE);
    draw();
    EXPECT_TRUE(blank(screen, {0, 0, 128, 160}));
    setup.screen = 0;
    for (int scroll : {-5, 100, INT32_MAX}) {
        setup.scroll = scroll;
        draw();
        EXPECT_TRUE(showsText(screen, FONT_TEXT_14, ROW_X, rowY(0), COLOUR_GREY, ITEMS[0]));
    }
}

}  // namespace
