// Page navigation: the previous and next enabled page, written to slot 9.
#include "app/navigation.h"

#include "app/controller.h"
#include "device/settings.h"
#include "device/settings_slots.h"

// ---- Public operations --------------------------------------------------------

// Read afresh on every call, so a search sees the byte as it is now.
bool pageEnabled(int page) {
    if (page < FIRST_NAVIGABLE_PAGE || page > LAST_NAVIGABLE_PAGE) return false;
    return (settingsReadByte(SLOT_PAGE_ENABLE) >> (page - 1)) & 1;
}

// Back to the previous enabled page; below page 1 page 7 is taken untested.
// The page is found as it was left.
void navigatePrevious() {
    int page = controller.activePage - 1;
    if (page < FIRST_NAVIGABLE_PAGE || page > LAST_NAVIGABLE_PAGE) {
        page = LAST_NAVIGABLE_PAGE;
    } else {
        while (!pageEnabled(page)) {
            if (--page < FIRST_NAVIGABLE_PAGE) {
                page = LAST_NAVIGABLE_PAGE;
                break;
            }
        }
    }
    controllerShowPage(page);
    settingsWriteByte(SLOT_LAST_PAGE, page);
}

// On to the next enabled page; past page 7 page 1 is taken untested. The page
// is entered forwards, so the setup menu starts in browse mode.
void navigateNext() {
    int page = controller.activePage + 1;
    if (page < FIRST_NAVIGABLE_PAGE || page > LAST_NAVIGABLE_PAGE) page = FIRST_NAVIGABLE_PAGE;
    while (!pageEnabled(page)) {
        if (++page > LAST_NAVIGABLE_PAGE) {
            page = FIRST_NAVIGABLE_PAGE;
            break;
        }
    }
    controllerEnterPage(page);
    settingsWriteByte(SLOT_LAST_PAGE, page);
}
