// Page 2: the flight time and engine run time counters. Units of the
// "QX-70-S" edition (and every unit in demo mode) show both; the edition's
// View button picks the one that the both-button clears.
#include "app/page_runtime.h"

#include "app/colours.h"
#include "app/furniture.h"
#include "app/time_fields.h"
#include "app/timekeeping.h"
#include "app/unit_inputs.h"
#include "device/device.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr uint32_t DIM_DIGITS = 0xFF608080u;  // the counter that a clear leaves alone

// The engine block stands at the top, or this much lower when it is alone.
constexpr int ENGINE_ALONE_OFFSET = 30;
constexpr int ENGINE_CAPTION_Y = 15;
constexpr int ENGINE_DIGITS_Y = 25;
constexpr int ENGINE_LEGEND_Y = 57;
constexpr int FLIGHT_CAPTION_Y = 86;
constexpr int FLIGHT_DIGITS_Y = 95;
constexpr int FLIGHT_LEGEND_Y = 128;
constexpr int DIGITS_X = 18;

constexpr float SEPARATOR_LEFT = 11.0f;
constexpr float SEPARATOR_RIGHT = 117.0f;
constexpr float SEPARATOR_Y = 69.0f;

// ---- Types ----------------------------------------------------------------------

struct CounterBlock {
    const char* caption;
    int captionY;
    int digitsY;
    int legendY;
};

constexpr CounterBlock FLIGHT_BLOCK = {"Flight Time", FLIGHT_CAPTION_Y, FLIGHT_DIGITS_Y,
                                       FLIGHT_LEGEND_Y};

// ---- Module state -------------------------------------------------------------

// `runTimePage`, declared in page_runtime.h.

// ---- Private helpers --------------------------------------------------------------

bool bothCountersShown() { return editionUnit() || demoModeOn(); }

// Only the edition can select the flight time. A selection left over from a
// time the edition input was set would otherwise dim the engine run time and
// clear a flight time the page may not even show.
bool flightSelected() { return runTimePage.flightTimeSelected && editionUnit(); }

CounterBlock engineBlock(int offset) {
    return {"Engine Run Time", offset + ENGINE_CAPTION_Y, offset + ENGINE_DIGITS_Y,
            offset + ENGINE_LEGEND_Y};
}

void drawCounterBlock(uint32_t* fb, const CounterBlock& block, const RunTimeCounter& counter,
                      bool bright) {
    drawCentredText(fb, FONT_TEXT_14, block.captionY, COLOUR_LABEL, block.caption);
    drawCentredText(fb, FONT_TEXT_14, block.legendY, COLOUR_GREY, "HH:MM:SS");
    drawTimeFields(fb, TIME_FIELDS_LARGE, DIGITS_X, block.digitsY, counter.hours, counter.minutes,
                   counter.seconds, bright ? COLOUR_WHITE : DIM_DIGITS);
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Both counters with a separator, or the engine run time alone and lower.
void runTimeDrawPage(uint32_t* fb) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, 0, 0, FB_WIDTH, FB_HEIGHT, devBackgroundColour());
    const bool flight = flightSelected();
    if (bothCountersShown()) {
        drawCounterBlock(fb, FLIGHT_BLOCK, timekeeping.flightTime, flight);
        drawCounterBlock(fb, engineBlock(0), timekeeping.engineTime, !flight);
        gfx_line_aa(fb, FB_WIDTH, FB_HEIGHT, SEPARATOR_LEFT, SEPARATOR_Y, SEPARATOR_RIGHT,
                    SEPARATOR_Y, COLOUR_SEPARATOR);
    } else {
        drawCounterBlock(fb, engineBlock(ENGINE_ALONE_OFFSET), timekeeping.engineTime, !flight);
    }
    drawBottomLabel(fb, "CLEAR", COLOUR_GREY);
    drawPageIndicator(fb);
}

// View selects the counter (edition only), both-press clears the selected one
// and is handed on; every other event goes back unchanged.
ButtonEvent runTimeHandleEvent(ButtonEvent e) {
    switch (e) {
        case EVT_VIEW_RELEASE:
            if (editionUnit()) runTimePage.flightTimeSelected = !runTimePage.flightTimeSelected;
            return EVT_NONE;
        case EVT_BOTH_PRESS:
            if (flightSelected()) {
                clearFlightTime();
            } else {
                clearEngineTime();
            }
            return e;
        default: return e;
    }
}

// Power-on state of the page: the engine run time selected.
void runTimePagePowerOnReset() { runTimePage = {}; }
