// AOA LIMITS (CAL) and G LIMITS: two values edited one after the other, each
// change written at once. The pre-stall angle stays at least two degrees above
// the cruise angle: moving one into the other pushes it along.
#include <cstdint>

#include "app/colours.h"
#include "app/furniture.h"
#include "app/setup.h"
#include "app/setup_screens.h"
#include "device/settings.h"
#include "gfx/fmt.h"
#include "gfx/font.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int PRE_STALL_MIN = -25;
constexpr int PRE_STALL_MAX = 30;
constexpr int CRUISE_MIN = -30;
constexpr int CRUISE_MAX = 25;
constexpr int AOA_SEPARATION = 2;  // degrees the pre-stall angle stays above cruise
constexpr int POSITIVE_G_MIN = 2;
constexpr int POSITIVE_G_MAX = 8;
constexpr int NEGATIVE_G_MIN = -8;
constexpr int NEGATIVE_G_MAX = -1;

constexpr int FIRST_CAPTION_Y = 30;
constexpr int SECOND_CAPTION_Y = 45;
constexpr int FIRST_VALUE_Y = 65;
constexpr int THIRD_CAPTION_Y = 90;
constexpr int FOURTH_CAPTION_Y = 105;
constexpr int SECOND_VALUE_Y = 125;
constexpr int NUMBER_TEXT_SIZE = 12;  // sign, ten digits, NUL

// ---- Types ----------------------------------------------------------------------

// The texts of one limits screen; the values come with each drawing.
struct LimitsLayout {
    const char* title;
    const char* firstCaption;
    const char* secondCaption;
    const char* thirdCaption;
    const char* fourthCaption;
};

constexpr LimitsLayout AOA_LAYOUT = {"AOA LIMITS (CAL)", "PRE-STALL", "ANGLE", "CRUISE", "ANGLE"};
constexpr LimitsLayout G_LAYOUT = {"G LIMITS", "POSITIVE G", "ALERT", "NEGATIVE G", "ALERT"};

// ---- Module state -----------------------------------------------------------------

int preStallEdit = 0;
int cruiseEdit = 0;
int posGEdit = 0;
int negGEdit = 0;
int aoaLimitStep = 0;  // 0 the pre-stall angle, 1 the cruise angle
int gLimitStep = 0;    // 0 the positive limit, 1 the negative limit

// ---- Private helpers --------------------------------------------------------------

void drawValue(uint32_t* fb, int y, uint32_t colour, int value) {
    char text[NUMBER_TEXT_SIZE];
    char* cursor = text;
    fmt_int(value, &cursor);
    *cursor = '\0';
    drawCentredText(fb, FONT_NUM_23, y, colour, text);
}

// The value being edited is white with its captions in the label colour; the
// other one and its captions are grey.
void drawLimits(uint32_t* fb, const LimitsLayout& layout, int first, int second, int step) {
    const uint32_t firstCaption = step == 0 ? COLOUR_LABEL : COLOUR_GREY;
    const uint32_t firstValue = step == 0 ? COLOUR_WHITE : COLOUR_GREY;
    const uint32_t secondCaption = step == 0 ? COLOUR_GREY : COLOUR_LABEL;
    const uint32_t secondValue = step == 0 ? COLOUR_GREY : COLOUR_WHITE;
    setupDrawTitle(fb, layout.title);
    drawUpDownHints(fb, true, true);
    drawCentredText(fb, FONT_TEXT_14, FIRST_CAPTION_Y, firstCaption, layout.firstCaption);
    drawCentredText(fb, FONT_TEXT_14, SECOND_CAPTION_Y, firstCaption, layout.secondCaption);
    drawValue(fb, FIRST_VALUE_Y, firstValue, first);
    drawCentredText(fb, FONT_TEXT_14, THIRD_CAPTION_Y, secondCaption, layout.thirdCaption);
    drawCentredText(fb, FONT_TEXT_14, FOURTH_CAPTION_Y, secondCaption, layout.fourthCaption);
    drawValue(fb, SECOND_VALUE_Y, secondValue, second);
    drawRightLabel(fb, step == 0 ? "NEXT" : "DONE", COLOUR_LABEL);
}

// Values are loaded as stored, so the separation is compared in 64 bits: an
// odd stored value must not overflow.
bool tooClose(int preStall, int cruise) {
    return int64_t{preStall} < int64_t{cruise} + AOA_SEPARATION;
}

// Raising the cruise angle into the pre-stall angle raises that one too.
void raiseCruise() {
    if (cruiseEdit >= CRUISE_MAX) return;
    ++cruiseEdit;
    if (tooClose(preStallEdit, cruiseEdit)) settingsWriteInt(SLOT_PRE_STALL, ++preStallEdit);
    settingsWriteInt(SLOT_CRUISE, cruiseEdit);
}

// Lowering the pre-stall angle into the cruise angle lowers that one too.
void lowerPreStall() {
    if (preStallEdit <= PRE_STALL_MIN) return;
    --preStallEdit;
    if (tooClose(preStallEdit, cruiseEdit)) settingsWriteInt(SLOT_CRUISE, --cruiseEdit);
    settingsWriteInt(SLOT_PRE_STALL, preStallEdit);
}

// One step of value within [min, max], written to slot when it changed.
void stepWithin(int& value, int delta, int min, int max, int slot) {
    if (delta > 0 ? value >= max : value <= min) return;
    value += delta;
    settingsWriteInt(slot, value);
}

// Right moves from the first value to the second and from there back to the list.
void confirm(int& step) {
    if (step == 0) {
        step = 1;
    } else {
        setupScreen = SETUP_LIST;
    }
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Both angles as stored, starting with the pre-stall angle.
void setupAoaLimitsOpen() {
    preStallEdit = settingsReadInt(SLOT_PRE_STALL);
    cruiseEdit = settingsReadInt(SLOT_CRUISE);
    aoaLimitStep = 0;
}

// Both G limits as stored, starting with the positive one.
void setupGLimitsOpen() {
    posGEdit = settingsReadInt(SLOT_POSITIVE_G);
    negGEdit = settingsReadInt(SLOT_NEGATIVE_G);
    gLimitStep = 0;
}

// The pre-stall and cruise angles with their captions.
void setupAoaLimitsDraw(uint32_t* fb) {
    drawLimits(fb, AOA_LAYOUT, preStallEdit, cruiseEdit, aoaLimitStep);
}

// View raises and Left lowers the angle of the present step; Right goes on.
ButtonEvent setupAoaLimitsEvent(ButtonEvent e) {
    const bool preStall = aoaLimitStep == 0;
    switch (e) {
        case EVT_VIEW_RELEASE:
            if (preStall) {
                stepWithin(preStallEdit, 1, PRE_STALL_MIN, PRE_STALL_MAX, SLOT_PRE_STALL);
            } else {
                raiseCruise();
            }
            return EVT_NONE;
        case EVT_LEFT_RELEASE:
            if (preStall) {
                lowerPreStall();
            } else {
                stepWithin(cruiseEdit, -1, CRUISE_MIN, CRUISE_MAX, SLOT_CRUISE);
            }
            return EVT_NONE;
        case EVT_RIGHT_RELEASE: confirm(aoaLimitStep); return EVT_NONE;
        default: return e;
    }
}

// The positive and negative G limits with their captions.
void setupGLimitsDraw(uint32_t* fb) { drawLimits(fb, G_LAYOUT, posGEdit, negGEdit, gLimitStep); }

// View raises and Left lowers the limit of the present step; Right goes on.
ButtonEvent setupGLimitsEvent(ButtonEvent e) {
    const bool positive = gLimitStep == 0;
    switch (e) {
        case EVT_VIEW_RELEASE:
            if (positive) {
                stepWithin(posGEdit, 1, POSITIVE_G_MIN, POSITIVE_G_MAX, SLOT_POSITIVE_G);
            } else {
                stepWithin(negGEdit, 1, NEGATIVE_G_MIN, NEGATIVE_G_MAX, SLOT_NEGATIVE_G);
            }
            return EVT_NONE;
        case EVT_LEFT_RELEASE:
            if (positive) {
                stepWithin(posGEdit, -1, POSITIVE_G_MIN, POSITIVE_G_MAX, SLOT_POSITIVE_G);
            } else {
                stepWithin(negGEdit, -1, NEGATIVE_G_MIN, NEGATIVE_G_MAX, SLOT_NEGATIVE_G);
            }
            return EVT_NONE;
        case EVT_RIGHT_RELEASE: confirm(gLimitStep); return EVT_NONE;
        default: return e;
    }
}

// Power-on state of the working copies and steps.
void setupLimitsPowerOnReset() {
    preStallEdit = 0;
    cruiseEdit = 0;
    posGEdit = 0;
    negGEdit = 0;
    aoaLimitStep = 0;
    gLimitStep = 0;
}
