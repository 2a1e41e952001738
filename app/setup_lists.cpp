// PAGE ENABLE, AUDIO ALERTS and MISC OPTIONS: one on/off list pattern over
// the bits of a settings byte, each row toggled and written at once.
#include <cstdint>
#include <iterator>

#include "app/colours.h"
#include "app/furniture.h"
#include "app/setup.h"
#include "app/setup_screens.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/font.h"
#include "gfx/gfx.h"
#include "gfx/icons.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int ICON_X = 25;
constexpr int TEXT_X = 40;
constexpr int NARROW_HIGHLIGHT_RIGHT = 103;
constexpr int WIDE_HIGHLIGHT_RIGHT = 113;

// Page-enable bit p-1 enables page p; the setup page's own bit 6 is not offered.
constexpr int PAGE_ENABLE_ITEMS = 6;
constexpr int PAGE_ENABLE_ITEMS_WITHOUT_EDITION = 4;  // "AOA" and "ATTITUDE" need the edition
constexpr char pageEnableItems[PAGE_ENABLE_ITEMS][SETUP_ITEM_TEXT_SIZE] = {
    "CLOCK", "RUN TIME", "TIMER 1", "TIMER 2", "AOA", "ATTITUDE",
};

constexpr int AUDIO_ALERT_ITEMS = 4;
constexpr int AUDIO_ALERT_ITEMS_WITHOUT_EDITION = 2;  // the limit alerts need the edition
constexpr char audioAlertItems[AUDIO_ALERT_ITEMS][SETUP_ITEM_TEXT_SIZE] = {"TIMER 1", "TIMER 2",
                                                                           "AOA LIMIT", "G LIMIT"};
// The alert sound each row previews when it is switched on.
constexpr int audioAlertSounds[] = {SOUND_TIMER1, SOUND_TIMER2, SOUND_AOA3, SOUND_G3};
static_assert(std::size(audioAlertSounds) == AUDIO_ALERT_ITEMS);

constexpr int MISC_OPTION_ITEMS = 7;
constexpr int MISC_OPTION_ITEMS_WITHOUT_EDITION = 4;  // the three popups need the edition
constexpr char miscOptionItems[MISC_OPTION_ITEMS][SETUP_ITEM_TEXT_SIZE] = {
    "BLUE BG", "TEMP IN C", "24H TIME", "TAS IN KT", "G POPUP", "AOA POPUP", "AI POPUP",
};

// ---- Types ----------------------------------------------------------------------

// One instance of the pattern: row i shows and toggles bit i of the slot's low byte.
struct OnOffList {
    int screen;
    const char* title;
    const char (*items)[SETUP_ITEM_TEXT_SIZE];
    int full;            // rows with the edition input set
    int withoutEdition;  // rows without it (the edition-only rows are the tail)
    int slot;
    int* cursor;
    int highlightRight;
    const int* sounds;  // preview sound per row, or nullptr
};

constexpr OnOffList LISTS[] = {
    {SETUP_PAGE_ENABLE, "PAGE ENABLE", pageEnableItems, PAGE_ENABLE_ITEMS,
     PAGE_ENABLE_ITEMS_WITHOUT_EDITION, SLOT_PAGE_ENABLE, &setupLists.pageEnableCursor,
     NARROW_HIGHLIGHT_RIGHT, nullptr},
    {SETUP_AUDIO_ALERTS, "AUDIO ALERTS", audioAlertItems, AUDIO_ALERT_ITEMS,
     AUDIO_ALERT_ITEMS_WITHOUT_EDITION, SLOT_AUDIO_ALERTS, &setupLists.audioAlertCursor,
     NARROW_HIGHLIGHT_RIGHT, audioAlertSounds},
    {SETUP_MISC_OPTIONS, "MISC OPTIONS", miscOptionItems, MISC_OPTION_ITEMS,
     MISC_OPTION_ITEMS_WITHOUT_EDITION, SLOT_OPTIONS, &setupLists.miscOptionCursor,
     WIDE_HIGHLIGHT_RIGHT, nullptr},
};

// ---- Module state -------------------------------------------------------------

// `setupLists`, declared in setup_screens.h.

// ---- Private helpers --------------------------------------------------------------

const OnOffList* shownList() {
    for (const OnOffList& list : LISTS) {
        if (list.screen == setup.screen) return &list;
    }
    return nullptr;
}

int lastRow(const OnOffList& list) { return setupListedCount(list.full, list.withoutEdition) - 1; }

// The cursor's row, or -1 when it stands on no listed row (no row selected yet
// since the menu was entered forwards, or a row hidden since the edition input dropped).
int selectedRow(const OnOffList& list) {
    const int row = *list.cursor;
    return row >= 0 && row <= lastRow(list) ? row : -1;
}

bool bitSet(const OnOffList& list, int row) { return (settingsReadByte(list.slot) >> row) & 1; }

void drawRow(uint32_t* fb, const OnOffList& list, int row) {
    const int y = SETUP_ROW_TOP + row * SETUP_ROW_STEP;
    if (bitSet(list, row)) {
        gfx_draw_icon(fb, FB_WIDTH, FB_HEIGHT, ICON_CHECK, ICON_X, y, COLOUR_GREEN);
    } else {
        gfx_draw_icon(fb, FB_WIDTH, FB_HEIGHT, ICON_CROSS, ICON_X, y, COLOUR_RED);
    }
    if (row == *list.cursor) {
        setupDrawHighlightedRow(fb, TEXT_X, y, list.highlightRight, list.items[row]);
    } else {
        font_draw_text(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, TEXT_X, y, COLOUR_LABEL,
                       list.items[row]);
    }
}

// Switching an audio alert on plays its sound once; switching it off plays nothing.
void toggle(const OnOffList& list, int row) {
    const uint8_t before = settingsReadByte(list.slot);
    const int bit = 1 << row;
    settingsWriteByte(list.slot, before ^ bit);
    const bool switchedOn = (before & bit) == 0;
    if (list.sounds != nullptr && switchedOn) devSound(list.sounds[row], SOUND_PREVIEW);
}

void openList(int* cursor) { *cursor = 0; }

}  // namespace

// ---- Public operations --------------------------------------------------------

// PAGE ENABLE opens on its first row.
void setupPageEnableOpen() { openList(&setupLists.pageEnableCursor); }
// AUDIO ALERTS opens on its first row.
void setupAudioAlertsOpen() { openList(&setupLists.audioAlertCursor); }
// MISC OPTIONS opens on its first row.
void setupMiscOptionsOpen() { openList(&setupLists.miscOptionCursor); }

// The menu entered forwards leaves PAGE ENABLE without a selected row.
void setupPageEnableDeselect() { setupLists.pageEnableCursor = -1; }

// Title, a check or cross and the text per listed row, "DIS" or "ENA" for
// what RightButton will do, "BACK" and both hints.
void setupOnOffDraw(uint32_t* fb) {
    const OnOffList* list = shownList();
    if (list == nullptr) return;
    setupDrawTitle(fb, list->title);
    const int last = lastRow(*list);
    for (int row = 0; row <= last; ++row) drawRow(fb, *list, row);
    const int selected = selectedRow(*list);
    if (selected >= 0) {
        drawRightLabel(fb, bitSet(*list, selected) ? "DIS" : "ENA", COLOUR_HIGHLIGHT);
    }
    drawBottomLabel(fb, "BACK", COLOUR_GREY);
    drawUpDownHints(fb, true, true);
}

// View and Left move the cursor round the listed rows, Right toggles the
// selected row's bit, both-press goes back to the list.
ButtonEvent setupOnOffEvent(ButtonEvent e) {
    const OnOffList* list = shownList();
    if (list == nullptr) return e;
    const int last = lastRow(*list);
    const int row = selectedRow(*list);
    switch (e) {
        case EVT_VIEW_RELEASE: *list->cursor = row - 1 < 0 ? last : row - 1; return EVT_NONE;
        case EVT_LEFT_RELEASE: *list->cursor = row + 1 > last ? 0 : row + 1; return EVT_NONE;
        case EVT_RIGHT_RELEASE:
            // With no row selected there is no bit to toggle.
            if (row >= 0) toggle(*list, row);
            return EVT_NONE;
        case EVT_BOTH_PRESS: setupShowList(); return EVT_NONE;
        default: return e;
    }
}

// Power-on state: no row selected in any list.
void setupListsPowerOnReset() { setupLists = {}; }
