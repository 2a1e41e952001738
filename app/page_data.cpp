// Page 1: the layout chosen by the unit's inputs, the top field chosen by the
// user, the footer, and the page's events. The clock field and the set-clock
// dialog are in data_clock.cpp, the reading fields in data_readings.cpp.
#include "app/page_data.h"

#include "app/colours.h"
#include "app/data_parts.h"
#include "app/furniture.h"
#include "app/page_gmeter.h"
#include "app/unit_inputs.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/gfx.h"

// ---- Constants ----------------------------------------------------------------

namespace {

enum DataMode : int { MODE_GMT, MODE_LOCAL, MODE_ALTITUDE, MODE_AIRSPEED, MODE_COUNT };

constexpr int TOP_FIELD = 6;
constexpr int BASIC_LOCAL_TOP = 5;
constexpr int BASIC_GMT_TOP = 54;

// ---- Types ----------------------------------------------------------------------

enum class Layout { Full, EditionOnly, ProbeOnly, Basic };

struct Point {
    int x, y;
};

struct Line {
    float x0, y0, x1, y1;
};

// Everything but the top field, drawn in this order: bus voltage, OAT,
// ladder, lines.
struct LayoutFields {
    Point bus;
    bool hasOat;
    Point oat;
    bool hasLadder;
    int lineCount;
    Line lines[3];
};

constexpr Line TOP_RULE = {10, 54, 118, 54};
constexpr Line MIDDLE_RULE = {64, 65, 64, 136};
constexpr Line WIDE_LOWER_RULE = {20, 100, 108, 100};

constexpr LayoutFields FULL = {
    {33, 66}, true, {33, 111}, true, 3, {TOP_RULE, {11, 100, 55, 100}, MIDDLE_RULE}};
constexpr LayoutFields EDITION_ONLY = {{33, 90}, false, {}, true, 2, {TOP_RULE, MIDDLE_RULE}};
constexpr LayoutFields PROBE_ONLY = {
    {64, 66}, true, {64, 111}, false, 2, {TOP_RULE, WIDE_LOWER_RULE}};
constexpr LayoutFields BASIC = {
    {60, 110}, false, {}, false, 2, {{20, 51, 108, 51}, WIDE_LOWER_RULE}};

struct DataPageState {
    int mode = MODE_GMT;  // a DataMode: what the top field shows
};

// ---- Module state -----------------------------------------------------------------

DataPageState dataPage = {};

// ---- Private helpers --------------------------------------------------------------

// The full layout also serves demo mode, whatever the inputs say.
bool fullLayoutCondition() {
    return (editionUnit() && discreteInput(PROBE_INPUT)) || demoModeOn();
}

Layout currentLayout() {
    if (fullLayoutCondition()) return Layout::Full;
    if (editionUnit()) return Layout::EditionOnly;
    if (discreteInput(PROBE_INPUT)) return Layout::ProbeOnly;
    return Layout::Basic;
}

bool clockOnTop() { return dataPage.mode == MODE_GMT || dataPage.mode == MODE_LOCAL; }

void setDataMode(int mode) {
    dataPage.mode = mode;
    settingsWriteByte(SLOT_DATA_MODE, dataPage.mode);
}

void drawFullTopField(uint32_t* fb) {
    switch (dataPage.mode) {
        case MODE_ALTITUDE:
            drawDensityAltitude(fb, TOP_FIELD);
            break;
        case MODE_AIRSPEED:
            drawTrueAirspeed(fb, TOP_FIELD);
            break;
        default:
            drawClockField(fb, TOP_FIELD, dataPage.mode == MODE_LOCAL);
            break;
    }
}

// Without the full layout only the clocks can be on top; a mode left from the
// full layout falls back to local time, with no top field in that frame.
void drawClockTopField(uint32_t* fb) {
    if (!clockOnTop()) {
        setDataMode(MODE_LOCAL);
        return;
    }
    drawClockField(fb, TOP_FIELD, dataPage.mode == MODE_LOCAL);
}

void drawTopFields(uint32_t* fb, Layout layout) {
    switch (layout) {
        case Layout::Full:
            drawFullTopField(fb);
            break;
        case Layout::EditionOnly:
        case Layout::ProbeOnly:
            drawClockTopField(fb);
            break;
        case Layout::Basic:
            drawClockField(fb, BASIC_LOCAL_TOP, true);
            drawClockField(fb, BASIC_GMT_TOP, false);
            break;
    }
}

const LayoutFields& fieldsOf(Layout layout) {
    switch (layout) {
        case Layout::Full:
            return FULL;
        case Layout::EditionOnly:
            return EDITION_ONLY;
        case Layout::ProbeOnly:
            return PROBE_ONLY;
        case Layout::Basic:
            break;
    }
    return BASIC;
}

void drawOtherFields(uint32_t* fb, const LayoutFields& fields) {
    drawBusVoltage(fb, fields.bus.x, fields.bus.y);
    if (fields.hasOat) drawOat(fb, fields.oat.x, fields.oat.y);
    if (fields.hasLadder) drawAoaLadder(fb, AOA_LADDER_DATA);
    for (int i = 0; i < fields.lineCount; ++i) {
        const Line& l = fields.lines[i];
        gfx_line_aa(fb, FB_WIDTH, FB_HEIGHT, l.x0, l.y0, l.x1, l.y1, COLOUR_SEPARATOR);
    }
}

// "SET" stands above the both-button, which opens the dialog, only while a
// clock is on top.
void drawFooter(uint32_t* fb) {
    if (clockOnTop()) {
        drawBottomLabel(fb, "SET", COLOUR_GREY);
    }
    drawPageIndicator(fb);
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Draws page 1, or the set-clock dialog in its place.
void dataDrawPage(uint32_t* fb) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, 0, 0, FB_WIDTH, FB_HEIGHT, devBackgroundColour());
    if (clockDialogIsOpen()) {
        drawClockDialog(fb);
        return;
    }
    const Layout layout = currentLayout();
    drawTopFields(fb, layout);
    drawOtherFields(fb, fieldsOf(layout));
    drawFooter(fb);
}

// Both-press opens or accepts the set-clock dialog; the dialog takes every
// event while open; view release steps the top field.
ButtonEvent dataHandleEvent(ButtonEvent e) {
    if (e == EVT_BOTH_PRESS) {
        if (clockDialogIsOpen()) {
            acceptClockDialog();
        } else if (clockOnTop()) {
            openClockDialog();
        }
        return EVT_NONE;
    }
    if (clockDialogIsOpen()) return clockDialogEvent(e);
    if (e != EVT_VIEW_RELEASE) return e;
    if (fullLayoutCondition()) {
        setDataMode((dataPage.mode + 1) % MODE_COUNT);
    } else {
        setDataMode(dataPage.mode == MODE_GMT ? MODE_LOCAL : MODE_GMT);
    }
    return EVT_NONE;
}

// Power-on state of the page.
void dataPagePowerOnReset() {
    dataPage = {};
    dataClockPowerOnReset();
}
