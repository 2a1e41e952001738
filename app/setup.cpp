// Page 7, the setup menu: the item list with its browse and edit modes, the
// dispatch to the item screens, and the furniture every screen shares.
#include "app/setup.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "app/colours.h"
#include "app/furniture.h"
#include "app/setup_screens.h"
#include "app/unit_inputs.h"
#include "device/device.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int TITLE_Y = 10;
constexpr int HIGHLIGHT_INSET = 2;  // the bar starts this far left of the text
constexpr int HIGHLIGHT_HEIGHT = 14;

// The list: separator under the title, rows at x 25, highlight up to x 116.
constexpr float SEPARATOR_LEFT = 20.0f;
constexpr float SEPARATOR_RIGHT = 108.0f;
constexpr float SEPARATOR_Y = 22.0f;
constexpr int LIST_TEXT_X = 25;
constexpr int LIST_HIGHLIGHT_RIGHT = 116;
constexpr int VISIBLE_ROWS = 7;

constexpr int MENU_ITEMS = 9;
constexpr int MENU_ITEMS_WITHOUT_EDITION = 6;  // the last three need the edition input

// The list's texts, in list order.
constexpr char setupMenuItems[MENU_ITEMS][SETUP_ITEM_TEXT_SIZE] = {
    "SYSTEM INFO",  "PAGE ENABLE", "AUDIO ALERTS", "AUDIO VOL", "OAT TRIM",
    "MISC OPTIONS", "AOA LIMITS",  "G LIMITS",     "HARD CAL",
};

// ---- Types ----------------------------------------------------------------------

// The screen a list item opens and what must be prepared first (nothing for
// SYSTEM INFO; the hard calibration keeps the step it was left on).
struct ItemOpening {
    int screen;
    void (*prepare)();
};

constexpr ItemOpening ITEM_OPENINGS[] = {
    {SETUP_SYSTEM_INFO, nullptr},
    {SETUP_PAGE_ENABLE, setupPageEnableOpen},
    {SETUP_AUDIO_ALERTS, setupAudioAlertsOpen},
    {SETUP_AUDIO_VOLUME, setupVolumeOpen},
    {SETUP_OAT_TRIM, setupOatTrimOpen},
    {SETUP_MISC_OPTIONS, setupMiscOptionsOpen},
    {SETUP_AOA_LIMITS, setupAoaLimitsOpen},
    {SETUP_G_LIMITS, setupGLimitsOpen},
    {SETUP_HARD_CAL, nullptr},
};
static_assert(std::size(ITEM_OPENINGS) == MENU_ITEMS);

struct ScreenEntry {
    void (*draw)(uint32_t* fb);
    ButtonEvent (*handleEvent)(ButtonEvent e);
};

// ---- Module state -------------------------------------------------------------

// `setup`, declared in setup.h.

// ---- Private helpers --------------------------------------------------------------

int lastItem() { return setupListedCount(MENU_ITEMS, MENU_ITEMS_WITHOUT_EDITION) - 1; }

bool editMode() { return setup.cursor >= 0; }

uint32_t rowColour() { return editMode() ? COLOUR_LABEL : COLOUR_GREY; }

void listDrawRows(uint32_t* fb, int last) {
    // The scroll only ever holds 0 to 2; anything else shows the list from its top.
    const int scroll = setup.scroll >= 0 && setup.scroll <= last ? setup.scroll : 0;
    for (int row = 0; row < VISIBLE_ROWS && scroll + row <= last; ++row) {
        const int i = scroll + row;
        const int y = SETUP_ROW_TOP + row * SETUP_ROW_STEP;
        if (i == setup.cursor) {
            setupDrawHighlightedRow(fb, LIST_TEXT_X, y, LIST_HIGHLIGHT_RIGHT, setupMenuItems[i]);
        } else {
            font_draw_text(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, LIST_TEXT_X, y, rowColour(),
                           setupMenuItems[i]);
        }
    }
}

void listDraw(uint32_t* fb) {
    const int last = lastItem();
    drawCentredText(fb, FONT_TEXT_14, TITLE_Y, COLOUR_LABEL, "SETUP");
    gfx_line_aa(fb, FB_WIDTH, FB_HEIGHT, SEPARATOR_LEFT, SEPARATOR_Y, SEPARATOR_RIGHT, SEPARATOR_Y,
                COLOUR_SEPARATOR);
    listDrawRows(fb, last);
    if (!editMode()) {
        drawBottomLabel(fb, "EDIT", COLOUR_GREY);
        drawPageIndicator(fb);
        return;
    }
    drawRightLabel(fb, "SEL", COLOUR_HIGHLIGHT);
    drawUpDownHints(fb, setup.cursor >= 1, setup.cursor < last);
    drawBottomLabel(fb, "EXIT", COLOUR_GREY);
}

void openItem(int item) {
    const ItemOpening& opening = ITEM_OPENINGS[item];
    if (opening.prepare != nullptr) opening.prepare();
    setup.screen = opening.screen;
}

// Browse mode: View does nothing, both-press starts editing, Left and Right
// go back to the navigation.
ButtonEvent listBrowseEvent(ButtonEvent e) {
    switch (e) {
        case EVT_VIEW_RELEASE: return EVT_NONE;
        case EVT_BOTH_PRESS: setup.cursor = 0; return EVT_NONE;
        default: return e;
    }
}

// Edit mode: the cursor moves within the listed items and the list scrolls
// once the cursor passes the seventh row. Leaving edit mode also scrolls back
// to the top, so the grey list always starts at its first item.
ButtonEvent listEditEvent(ButtonEvent e) {
    SetupState& m = setup;
    const int last = lastItem();
    // Items hidden since the edition input dropped count as the last listed one.
    m.cursor = std::min(m.cursor, last);
    switch (e) {
        case EVT_VIEW_RELEASE:
            m.cursor = std::max(m.cursor - 1, 0);
            if (m.cursor < VISIBLE_ROWS) m.scroll = 0;
            return EVT_NONE;
        case EVT_LEFT_RELEASE:
            m.cursor = std::min(m.cursor + 1, last);
            if (m.cursor >= VISIBLE_ROWS) m.scroll = m.cursor - (VISIBLE_ROWS - 1);
            return EVT_NONE;
        case EVT_RIGHT_RELEASE: openItem(m.cursor); return EVT_NONE;
        case EVT_BOTH_PRESS:
            m.cursor = -1;
            m.scroll = 0;
            return EVT_NONE;
        default: return e;
    }
}

ButtonEvent listEvent(ButtonEvent e) { return editMode() ? listEditEvent(e) : listBrowseEvent(e); }

// Indexed by setup.screen.
constexpr ScreenEntry SCREENS[] = {
    {listDraw, listEvent},
    {setupInfoDraw, setupInfoEvent},
    {setupOnOffDraw, setupOnOffEvent},
    {setupOnOffDraw, setupOnOffEvent},
    {setupVolumeDraw, setupVolumeEvent},
    {setupOatTrimDraw, setupOatTrimEvent},
    {setupOnOffDraw, setupOnOffEvent},
    {setupAoaLimitsDraw, setupAoaLimitsEvent},
    {setupGLimitsDraw, setupGLimitsEvent},
    {setupHardCalDraw, setupHardCalEvent},
};
static_assert(std::size(SCREENS) == SETUP_SCREEN_COUNT);

bool knownScreen() { return setup.screen >= 0 && setup.screen < SETUP_SCREEN_COUNT; }

}  // namespace

// ---- Public operations --------------------------------------------------------

// -- The way back to the list (setup_screens.h)

// The list keeps its mode, cursor and scroll.
void setupShowList() { setup.screen = SETUP_LIST; }

// Browse mode, from the top of the list.
void setupShowListBrowsing() {
    setup.cursor = -1;
    setup.scroll = 0;
    setup.screen = SETUP_LIST;
}

// -- Furniture (setup_screens.h)

// Edition-only items always form the tail of their list.
int setupListedCount(int full, int withoutEdition) { return editionUnit() ? full : withoutEdition; }

// The screen title, centred at (64, 10) in green.
void setupDrawTitle(uint32_t* fb, const char* title) {
    drawCentredText(fb, FONT_TEXT_14, TITLE_Y, COLOUR_TITLE_GREEN, title);
}

// The bar first, then the text in white on it.
void setupDrawHighlightedRow(uint32_t* fb, int x, int y, int rightEdge, const char* text) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, x - HIGHLIGHT_INSET, y, rightEdge, y + HIGHLIGHT_HEIGHT,
                  COLOUR_HIGHLIGHT);
    font_draw_text(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, x, y, COLOUR_WHITE, text);
}

// -- The page

// Draws page 7: the background, then the screen that setup.screen names.
void setupDrawPage(uint32_t* fb) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, 0, 0, FB_WIDTH, FB_HEIGHT, devBackgroundColour());
    if (knownScreen()) SCREENS[setup.screen].draw(fb);
}

// Handles an event of page 7 on the screen shown; only a left or right
// release coming back unchanged moves to another page.
ButtonEvent setupHandleEvent(ButtonEvent e) {
    return knownScreen() ? SCREENS[setup.screen].handleEvent(e) : e;
}

// Browse mode when the menu is entered forwards; screen and scroll stay.
void resetSetupMenu() {
    setup.cursor = -1;
    setupPageEnableDeselect();
}

// Power-on state of the menu and of its screens.
void setupPowerOnReset() {
    setup = {};
    setupListsPowerOnReset();
    setupEditorsPowerOnReset();
    setupLimitsPowerOnReset();
    setupHardCalPowerOnReset();
}
