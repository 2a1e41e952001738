// Shared helpers of the display application tests.
#include "app_support.h"

#include "app/timekeeping.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "shell/shell.h"
#include "unit_driver.h"

void resetUnit() {
    unitPowerOnReset();
    setClockSource(nullptr);
}

void SensorsTest::SetUp() {
    UnitTest::SetUp();
    settingsApplyDefaults();
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_OFF);
    sampleDiscreteInputs();
}

ButtonEvent tickOnce() {
    unit::tick(unit::Drive::DecoderOnly);
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

int settledLevels() {
    buttonLevelsTaken(true, true, true);
    return viewLevel() << 2 | leftLevel() << 1 | rightLevel();
}

int settledLevel(int (*level)()) {
    buttonLevelsTaken(true, true, true);
    return level();
}

std::vector<DevRequest> journalOf(DevOp op) {
    std::vector<DevRequest> found;
    for (int i = 0; i < devJournalSize(); ++i) {
        if (devJournalAt(i).op == op) found.push_back(devJournalAt(i));
    }
    return found;
}

int journalCount(DevOp op) { return static_cast<int>(journalOf(op).size()); }

bool journalIsPowerOff() {
    return devJournalSize() == 3 && devJournalAt(0).op == DevOp::PowerOffA &&
           devJournalAt(1).op == DevOp::PowerOffB && devJournalAt(1).a == 15 &&
           devJournalAt(2).op == DevOp::PowerOffC;
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

void captureWindow(Screen& s) {
    for (int y = 0; y < FB_HEIGHT; ++y) {
        for (int x = 0; x < FB_WIDTH; ++x) {
            gfx_put_pixel(s.px, FB_WIDTH, FB_HEIGHT, x, y, unit::screen(x, y));
        }
    }
}
