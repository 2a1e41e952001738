// Shared helpers of the display application tests: a unit in its power-on
// state, a framebuffer with pixel access, the screen as the window shows it,
// button clicks by ticks and the device journal.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/buttons.h"
#include "device/device.h"
#include "gfx/gfx.h"

// Every module back to its program-start state, clock source cleared.
void resetUnit();

// One decoded event and the tick (counted from 1) it came on.
struct TickEvent {
    int tick;
    ButtonEvent event;
    bool operator==(const TickEvent&) const = default;
};

// Runs n button ticks at the present levels; the events they decoded.
std::vector<TickEvent> runTicks(int n);
// One button tick; the event it decoded.
ButtonEvent tickOnce();

// The raw button levels once the decoder has sampled every press so far: what
// is held, without the presses kept up until their first sample. All three as
// view 4, left 2, right 1, or one of them.
int settledLevels();
int settledLevel(int (*level)());

// The kept journal entries of one kind, oldest first, and how many there are.
std::vector<DevRequest> journalOf(DevOp op);
int journalCount(DevOp op);
// Whether the journal holds the power-off sequence and nothing else: steps A,
// B with code 15, then C.
bool journalIsPowerOff();

// A screen rectangle x0 <= x < x1, y0 <= y < y1.
struct Rect {
    int x0, y0, x1, y1;
};

// A 128 x 160 framebuffer with pixel access by screen coordinates.
struct Screen {
    uint32_t px[FB_PIXELS] = {};
    uint32_t at(int x, int y) const { return gfx_get_pixel(px, FB_WIDTH, FB_HEIGHT, x, y); }
    void fill(uint32_t c) {
        for (uint32_t& p : px) p = c;
    }
    // Whether every pixel of the rectangle (far edges exclusive) is c.
    bool all(int x0, int y0, int x1, int y1, uint32_t c) const;
    // Whether some pixel of the rectangle is c.
    bool any(int x0, int y0, int x1, int y1, uint32_t c) const;
};

// The unit's screen as the window shows it now (every pixel opaque).
void captureWindow(Screen& s);

// A test that starts from a unit just powered on.
class UnitTest : public ::testing::Test {
  protected:
    void SetUp() override { resetUnit(); }
    void TearDown() override { resetUnit(); }
    // The window's screen, captured into screen.
    Screen& shot() {
        captureWindow(screen);
        return screen;
    }
    Screen screen;
};

// A unit just powered on with the settings defaults, demo mode off and the
// discrete inputs sampled: the pages draw what the sensors read.
class SensorsTest : public UnitTest {
  protected:
    void SetUp() override;
};
