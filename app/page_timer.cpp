// Pages 3 and 4: timer 0 and timer 1. The normal view starts, stops and
// reloads the timer; the both-button opens the preset editor, where View and
// Left step the blinking field, Right moves to the next field and the
// both-button accepts. The counting itself is timekeeping's.
#include "app/page_timer.h"

#include "app/alert_banner.h"
#include "app/colours.h"
#include "app/furniture.h"
#include "app/time_fields.h"
#include "app/timekeeping.h"
#include "device/device.h"
#include "gfx/font.h"
#include "gfx/gfx.h"
#include "gfx/icons.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int TITLE_Y = 8;
constexpr int MODE_Y = 23;
constexpr int LEGEND_X = 66;
constexpr int LEGEND_Y = 68;
constexpr int VALUE_X = 23;
constexpr int VALUE_Y = 33;
// The value block moves down while the editor is open.
constexpr int EDITING_DROP = 30;

constexpr float SEPARATOR_LEFT = 20.0f;
constexpr float SEPARATOR_RIGHT = 108.0f;
constexpr float SEPARATOR_Y = 85.0f;
constexpr int SET_VALUE_Y = 102;
constexpr int PRESET_X = 27;
constexpr int PRESET_Y = 112;
constexpr int RUN_ICON_X = 2;  // beside the View button
constexpr int RUN_ICON_Y = 35;

// The edited field shows for 5 frames and hides for 6.
constexpr int BLINK_SHOWN_FRAMES = 5;
constexpr int BLINK_PERIOD_FRAMES = 11;
// Boxes that hide the edited field: one per field, left edges in field order.
constexpr int BLINK_BOX_LEFT[] = {22, 55, 88};
constexpr int BLINK_BOX_WIDTH = 25;
constexpr int BLINK_BOX_TOP = 33;
constexpr int BLINK_BOX_BOTTOM = 56;

constexpr int EDIT_FIELDS = 3;
constexpr int FIELD_HOURS = 0;
constexpr int FIELD_MINUTES = 1;
constexpr int MAX_PRESET_HOURS = 10;
constexpr int MAX_MINUTE_OR_SECOND = 59;
static_assert(sizeof(BLINK_BOX_LEFT) / sizeof(BLINK_BOX_LEFT[0]) == EDIT_FIELDS);

constexpr const char* TITLES[TIMER_COUNT] = {"Timer 1", "Timer 2"};

// ---- Types ----------------------------------------------------------------------

struct TimerPageState {
    int blinkTicks = 0;  // blink counter of the edited preset field
};

// ---- Module state -----------------------------------------------------------------

TimerPageState timerPage = {};

// ---- Private helpers --------------------------------------------------------------

bool presetIsZero(const UnitTimer& t) {
    return t.presetHours == 0 && t.presetMinutes == 0 && t.presetSeconds == 0;
}

bool valueIsZero(const UnitTimer& t) { return t.hours == 0 && t.minutes == 0 && t.seconds == 0; }

// Title, mode, legend and the large value: the current value, or the preset
// while editing.
void drawValueBlock(uint32_t* fb, const UnitTimer& t, int i, int drop) {
    drawCentredText(fb, FONT_TEXT_14, TITLE_Y, COLOUR_LABEL, TITLES[i]);
    font_draw_text_centered(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, LEGEND_X, drop + LEGEND_Y,
                            COLOUR_GREY, "HH:MM:SS");
    drawCentredText(fb, FONT_TEXT_14, MODE_Y, COLOUR_WHITE,
                    t.countDown ? "Count Down" : "Count Up");
    if (t.editing) {
        drawTimeFields(fb, TIME_FIELDS_LARGE, VALUE_X, drop + VALUE_Y, t.presetHours,
                       t.presetMinutes, t.presetSeconds, COLOUR_WHITE);
    } else {
        drawTimeFields(fb, TIME_FIELDS_LARGE, VALUE_X, drop + VALUE_Y, t.hours, t.minutes,
                       t.seconds, COLOUR_WHITE);
    }
}

// The preset below a separator, the both-button caption, the run icon (not
// while an alert's banner stands beside the View button) and the strip.
void drawNormalView(uint32_t* fb, const UnitTimer& t) {
    gfx_line_aa(fb, FB_WIDTH, FB_HEIGHT, SEPARATOR_LEFT, SEPARATOR_Y, SEPARATOR_RIGHT, SEPARATOR_Y,
                COLOUR_SEPARATOR);
    drawCentredText(fb, FONT_TEXT_14, SET_VALUE_Y, COLOUR_GREY, "Set Value:");
    drawTimeFields(fb, TIME_FIELDS_SMALL, PRESET_X, PRESET_Y, t.presetHours, t.presetMinutes,
                   t.presetSeconds, COLOUR_GREY);
    drawBottomLabel(fb, "SET", COLOUR_GREY);
    if (!alertBanner.anyActive) {
        gfx_draw_icon(fb, FB_WIDTH, FB_HEIGHT, t.running ? ICON_PAUSE : ICON_PLAY_PAUSE, RUN_ICON_X,
                      RUN_ICON_Y, COLOUR_WHITE);
    }
    drawPageIndicator(fb);
}

// Hides the edited field for the second part of each blink period.
void blinkEditedField(uint32_t* fb, const UnitTimer& t, int drop) {
    int& ticks = timerPage.blinkTicks;
    ++ticks;
    if (ticks > BLINK_SHOWN_FRAMES) {
        const int field = t.editField < EDIT_FIELDS ? t.editField : EDIT_FIELDS - 1;
        const int left = BLINK_BOX_LEFT[field];
        gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, left, drop + BLINK_BOX_TOP, left + BLINK_BOX_WIDTH,
                      drop + BLINK_BOX_BOTTOM, devBackgroundColour());
    }
    if (ticks >= BLINK_PERIOD_FRAMES) ticks = 0;
}

// Hints beside the three buttons, the accept caption and the blink; no strip,
// since navigation is closed while editing.
void drawEditor(uint32_t* fb, const UnitTimer& t, int drop) {
    drawFieldEditorHints(fb);
    drawBottomLabel(fb, "ACCEPT", COLOUR_LABEL);
    blinkEditedField(fb, t, drop);
}

// The preset field under edit; an out-of-range field number edits the seconds.
int& editedField(UnitTimer& t) {
    if (t.editField == FIELD_HOURS) return t.presetHours;
    if (t.editField == FIELD_MINUTES) return t.presetMinutes;
    return t.presetSeconds;
}

int editedFieldMax(const UnitTimer& t) {
    return t.editField == FIELD_HOURS ? MAX_PRESET_HOURS : MAX_MINUTE_OR_SECOND;
}

// The both-button in the normal view: the timer stops and keeps its value.
void openEditor(int i) {
    UnitTimer& t = timekeeping.timers[i];
    t.editing = 1;
    t.editField = FIELD_HOURS;
    timerStop(i);
}

// The both-button in the editor: the preset becomes the value, even unchanged.
void acceptPreset(int i) {
    timekeeping.timers[i].editing = 0;
    timerLoadPreset(i);
    timerStop(i);
}

// A count-down standing at 0:00:00 does not start.
void startOrStop(int i) {
    const UnitTimer& t = timekeeping.timers[i];
    if (t.running) {
        timerStop(i);
        return;
    }
    if (t.countDown && valueIsZero(t)) return;
    timerStart(i);
}

ButtonEvent normalViewEvent(int i, ButtonEvent e) {
    switch (e) {
        case EVT_VIEW_HOLD:
            if (timekeeping.timers[i].running) return e;
            timerLoadPreset(i);
            return EVT_NONE;
        case EVT_VIEW_RELEASE: startOrStop(i); return EVT_NONE;
        default: return e;
    }
}

// Every step wraps within the field's range and shows the field at once.
ButtonEvent editorEvent(UnitTimer& t, ButtonEvent e) {
    int& field = editedField(t);
    const int max = editedFieldMax(t);
    switch (e) {
        case EVT_RIGHT_RELEASE:
            t.editField = t.editField + 1 >= EDIT_FIELDS ? 0 : t.editField + 1;
            timerPage.blinkTicks = 0;
            return EVT_NONE;
        case EVT_VIEW_RELEASE:
            field = field >= max ? 0 : field + 1;
            timerPage.blinkTicks = 0;
            return EVT_NONE;
        case EVT_LEFT_RELEASE:
            field = field <= 0 ? max : field - 1;
            timerPage.blinkTicks = 0;
            return EVT_NONE;
        case EVT_VIEW_HOLD:
            t.presetHours = 0;
            t.presetMinutes = 0;
            t.presetSeconds = 0;
            return EVT_NONE;
        default: return e;
    }
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Draws the page of timer i; the mode follows the preset on every frame.
void timerDrawPage(uint32_t* fb, int i) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, 0, 0, FB_WIDTH, FB_HEIGHT, devBackgroundColour());
    if (!validTimer(i)) return;
    UnitTimer& t = timekeeping.timers[i];
    t.countDown = presetIsZero(t) ? 0 : 1;
    const int drop = t.editing ? EDITING_DROP : 0;
    drawValueBlock(fb, t, i, drop);
    if (t.editing) {
        drawEditor(fb, t, drop);
    } else {
        drawNormalView(fb, t);
    }
}

// Start, stop, reset and preset editing of timer i. Left and right releases
// are used by the editor, so the page cannot be left while editing.
ButtonEvent timerHandleEvent(ButtonEvent e, int i) {
    if (!validTimer(i)) return e;
    UnitTimer& t = timekeeping.timers[i];
    if (e == EVT_BOTH_PRESS) {
        if (t.editing) {
            acceptPreset(i);
        } else {
            openEditor(i);
        }
        return EVT_NONE;
    }
    return t.editing ? editorEvent(t, e) : normalViewEvent(i, e);
}

// Power-on state of the pages.
void timerPagePowerOnReset() { timerPage = {}; }
