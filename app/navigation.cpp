// Page navigation: the previous and next enabled page, written to slot 9.
#include "app/navigation.h"

#include "app/controller.h"
#include "app/setup.h"
#include "device/settings.h"

// ---- Public operations --------------------------------------------------------

// Read afresh on every call, so a search sees the byte as it is now.
bool pageEnabled(int page) {
    if (page < FIRST_NAVIGABLE_PAGE || page > LAST_NAVIGABLE_PAGE) return false;
    return (settingsReadByte(SLOT_PAGE_ENABLE) >> (page - 1)) & 1;
}

// Back to the previous enabled page; below page 1 page 7 is taken untested.
void navigatePrevious() {
    int page = activePage - 1;
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
    activePage = page;
    settingsWriteByte(SLOT_LAST_PAGE, activePage);
}

// On to the next enabled page; past page 7 page 1 is taken untested. Entering
// the setup menu forwards puts it into browse mode.
void navigateNext() {
    int page = activePage + 1;
    if (page < FIRST_NAVIGABLE_PAGE || page > LAST_NAVIGABLE_PAGE) page = FIRST_NAVIGABLE_PAGE;
    while (!pageEnabled(page)) {
        if (++page > LAST_NAVIGABLE_PAGE) {
            page = FIRST_NAVIGABLE_PAGE;
            break;
        }
    }
    activePage = page;
    if (activePage == PAGE_SETUP) resetSetupMenu();
    settingsWriteByte(SLOT_LAST_PAGE, activePage);
}
