// The clock field of the data page and the set-clock dialog: GMT or local
// time in 12- or 24-hour form, and the dialog that edits the GMT time and the
// local offset with its blinking field mark.
#include "app/colours.h"
#include "app/data_parts.h"
#include "app/furniture.h"
#include "app/time_fields.h"
#include "app/timekeeping.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int MAX_OFFSET = 12;
constexpr int HOURS_PER_DAY = 24;
constexpr int NOON = 12;
constexpr int LAST_MINUTE = 59;

// Offsets from the field's top row.
constexpr int TITLE_BELOW = 6;
constexpr int AM_PM_X = 93;
constexpr int AM_PM_BELOW = 14;
constexpr int HOURS_X = 18;
constexpr int COLON_X = 49;
constexpr int MINUTES_X = 58;
constexpr int DIGITS_BELOW = 15;
constexpr int SECONDS_X = 91;
constexpr int SECONDS_BELOW = 29;
constexpr int OFFSET_BELOW = 60;
constexpr int BLANK_RIGHT = 115;
constexpr int BLANK_BELOW = 45;

constexpr int DIALOG_TITLE_Y = 8;
constexpr int DIALOG_SUBTITLE_Y = 25;
constexpr int DIALOG_CLOCK_TOP = 40;
constexpr int ACCEPT_Y = 152;  // two rows below the other screens' bottom caption
// Every user edit marks the clock as set by hand for the rest of the run.
constexpr int CLOCK_EDITED = 2;

enum DialogField : uint8_t { FIELD_HOURS, FIELD_MINUTES, FIELD_SECONDS, FIELD_OFFSET, FIELD_COUNT };

// The selected field blinks: shown for the first MARK_SHOWN_FRAMES frames of
// every MARK_PERIOD_FRAMES, hidden for the rest.
constexpr int MARK_PERIOD_FRAMES = 60;
constexpr int MARK_SHOWN_FRAMES = 40;

// ---- Types ----------------------------------------------------------------------

struct Rect {
    int x0, y0, x1, y1;
};

// Where each field of the dialog is drawn, hours to offset.
constexpr Rect FIELD_RECTS[FIELD_COUNT] = {
    {15, 57, 50, 82}, {58, 57, 92, 82}, {95, 69, 110, 82}, {34, 93, 94, 112}};

// The clock field and the set-clock dialog.
struct ClockFieldState {
    int showsLocal = 0;
    uint8_t dialogOpen = 0;
    uint8_t dialogField = FIELD_HOURS;  // a DialogField
    int gmtOffset = 0;                  // hours, -12 to 12
    int edited = 0;                     // CLOCK_EDITED once the user has set the clock
    ClockTime shown = {};               // the time the last clock field showed
    ClockTime edit = {};                // the dialog's working copy
    int markFrame = 0;                  // frame of the selected field's blink period
};

// ---- Module state -----------------------------------------------------------------

ClockFieldState clockField = {};

// ---- Private helpers --------------------------------------------------------------

void drawText(uint32_t* fb, int font, int x, int y, uint32_t c, const char* s) {
    font_draw_text(fb, FB_WIDTH, FB_HEIGHT, font, x, y, c, s);
}

void drawTime(uint32_t* fb, int top, int hour, const ClockTime& t) {
    char digits[TWO_DIGIT_FIELD_SIZE];
    twoDigitField(hour, digits);
    drawText(fb, FONT_NUM_29, HOURS_X, top + DIGITS_BELOW, COLOUR_WHITE, digits);
    drawText(fb, FONT_NUM_29, COLON_X, top + DIGITS_BELOW, COLOUR_WHITE, ":");
    twoDigitField(t.minute, digits);
    drawText(fb, FONT_NUM_29, MINUTES_X, top + DIGITS_BELOW, COLOUR_WHITE, digits);
    char seconds[1 + TWO_DIGIT_FIELD_SIZE] = {':'};
    twoDigitField(t.second, seconds + 1);
    drawText(fb, FONT_TEXT_14, SECONDS_X, top + SECONDS_BELOW, COLOUR_WHITE, seconds);
}

// GMT hour plus the offset, back into 0 to 23.
int localHour(int hour) {
    hour += clockField.gmtOffset;
    if (hour < 0) hour += HOURS_PER_DAY;
    if (hour > HOURS_PER_DAY - 1) hour -= HOURS_PER_DAY;
    return hour;
}

// 12-hour form: hours 12 to 23 are "pm" (noon is 12 pm), 0 is 12 am.
int twelveHour(uint32_t* fb, int top, int hour) {
    drawText(fb, FONT_TEXT_14, AM_PM_X, top + AM_PM_BELOW, COLOUR_SEPARATOR,
             hour >= NOON ? "pm" : "am");
    if (hour > NOON) hour -= NOON;
    if (hour == 0) hour = NOON;
    return hour;
}

void drawOffsetLine(uint32_t* fb, int top) {
    char line[] = "Local +00";
    line[6] = clockField.gmtOffset < 0 ? '-' : '+';
    twoDigitField(clockField.gmtOffset, line + 7);
    drawCentredText(fb, FONT_TEXT_14, top + OFFSET_BELOW, COLOUR_WHITE, line);
}

void drawDialogFrame(uint32_t* fb) {
    drawCentredText(fb, FONT_TEXT_14, DIALOG_TITLE_Y, COLOUR_LABEL, "Set Clock");
    drawCentredText(fb, FONT_TEXT_14, DIALOG_SUBTITLE_Y, COLOUR_LABEL, "(24 Hour GMT)");
    drawFieldEditorHints(fb);
    drawCentredText(fb, FONT_TEXT_14, ACCEPT_Y, COLOUR_LABEL, "ACCEPT");
}

// The selected field blinks by being covered with the background.
void markSelectedField(uint32_t* fb) {
    const bool hidden = clockField.markFrame % MARK_PERIOD_FRAMES >= MARK_SHOWN_FRAMES;
    clockField.markFrame = (clockField.markFrame + 1) % MARK_PERIOD_FRAMES;
    if (!hidden) return;
    const Rect& r = FIELD_RECTS[clockField.dialogField];
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, r.x0, r.y0, r.x1, r.y1, devBackgroundColour());
}

// One step of the selected field; the seconds field can only be zeroed.
void stepField(int step) {
    ClockFieldState& c = clockField;
    switch (c.dialogField) {
        case FIELD_HOURS: {
            const int hour = c.edit.hour + step;
            c.edit.hour = static_cast<uint16_t>(hour < 0                ? HOURS_PER_DAY - 1
                                                : hour >= HOURS_PER_DAY ? 0
                                                                        : hour);
            break;
        }
        case FIELD_MINUTES: {
            const int minute = c.edit.minute + step;
            c.edit.minute = static_cast<uint16_t>(minute < 0             ? LAST_MINUTE
                                                  : minute > LAST_MINUTE ? 0
                                                                         : minute);
            break;
        }
        case FIELD_SECONDS: c.edit.second = 0; break;
        default:
            c.gmtOffset += step;
            if (c.gmtOffset > MAX_OFFSET) c.gmtOffset = -MAX_OFFSET;
            if (c.gmtOffset < -MAX_OFFSET) c.gmtOffset = MAX_OFFSET;
            break;
    }
    c.edited = CLOCK_EDITED;
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// -- Shared with the page's other files (data_parts.h)

void drawClockField(uint32_t* fb, int top, bool local) {
    clockField.showsLocal = local ? 1 : 0;
    clockRead(&clockField.shown);
    int hour = clockField.shown.hour;
    drawCentredText(fb, FONT_TEXT_14, top + TITLE_BELOW, COLOUR_LABEL,
                    clockField.showsLocal ? "Local Time" : "GMT Time");
    if (clockField.showsLocal) hour = localHour(hour);
    if (!(settingsReadByte(SLOT_OPTIONS) & OPTION_24H_TIME)) hour = twelveHour(fb, top, hour);
    drawTime(fb, top, hour, clockField.shown);
    if (clockField.edited == 0 && devClockBlank()) {
        gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, HOURS_X, top + DIGITS_BELOW, BLANK_RIGHT,
                      top + BLANK_BELOW, devBackgroundColour());
    }
}

void drawClockDialog(uint32_t* fb) {
    drawDialogFrame(fb);
    clockField.shown = clockField.edit;
    drawTime(fb, DIALOG_CLOCK_TOP, clockField.shown.hour, clockField.shown);
    drawOffsetLine(fb, DIALOG_CLOCK_TOP);
    markSelectedField(fb);
}

bool clockDialogIsOpen() { return clockField.dialogOpen != 0; }

// The selection starts hidden so the user sees at once which field is selected.
void openClockDialog() {
    clockField.dialogOpen = 1;
    clockField.dialogField = FIELD_HOURS;
    clockField.edit = clockField.shown;
    clockField.markFrame = MARK_SHOWN_FRAMES;
}

void acceptClockDialog() {
    clockField.dialogOpen = 0;
    clockSet(&clockField.edit);
    settingsWriteInt(SLOT_GMT_OFFSET, clockField.gmtOffset);
}

// A changed value shows at once; a newly selected field starts hidden.
ButtonEvent clockDialogEvent(ButtonEvent e) {
    if (e == EVT_RIGHT_RELEASE) {
        clockField.dialogField = static_cast<uint8_t>((clockField.dialogField + 1) % FIELD_COUNT);
        clockField.markFrame = MARK_SHOWN_FRAMES;
    } else if (e == EVT_VIEW_RELEASE || e == EVT_LEFT_RELEASE) {
        stepField(e == EVT_VIEW_RELEASE ? 1 : -1);
        clockField.markFrame = 0;
    }
    return EVT_NONE;
}

void dataClockPowerOnReset() { clockField = {}; }
