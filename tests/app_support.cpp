// Shared helpers of the display application tests.
#include "app_support.h"

#include "app/timekeeping.h"
#include "host/shell.h"

void resetUnit() {
    unitPowerOnReset();
    setClockSource(nullptr);
}

ButtonEvent tickOnce() {
    buttonTick();
    return lastDecodedEvent();
}

std::vector<TickEvent> runTicks(int n) {
    std::vector<TickEvent> events;
    for (int t = 1; t <= n; ++t) {
        const ButtonEvent e = tickOnce();
        if (e != EVT_NONE) events.push_back({t, e});
    }
    return events;
}

std::vector<DevRequest> journalOf(DevOp op) {
    std::vector<DevRequest> found;
    for (int i = 0; i < devJournalSize(); ++i) {
        if (devJournalAt(i).op == op) found.push_back(devJournalAt(i));
    }
    return found;
}

bool Screen::all(int x0, int y0, int x1, int y1, uint32_t c) const {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (at(x, y) != c) return false;
        }
    }
    return true;
}

bool Screen::any(int x0, int y0, int x1, int y1, uint32_t c) const {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (at(x, y) == c) return true;
        }
    }
    return false;
}

uint32_t inkOver(uint32_t bg, uint32_t c) {
    // Full coverage (nibble 15) blends with weight 240/255.
    return color_lerp(bg, c, 240.0f / 255.0f);
}

bool Screen::anyInk(int x0, int y0, int x1, int y1, uint32_t c, const Screen& under) const {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (at(x, y) == inkOver(under.at(x, y), c)) return true;
        }
    }
    return false;
}
