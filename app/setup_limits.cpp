// AOA LIMITS (CAL) and G LIMITS: two values edited one after the other, each
// change written at once. The pre-stall angle stays at least two degrees above
// the cruise angle: moving one into the other pushes it along.
#include <cstdint>

#include "app/colours.h"
#include "app/furniture.h"
#include "app/setup_screens.h"
#include "device/settings.h"
#include "device/settings_slots.h"
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

// The working copies and which of each pair is being edited.
struct LimitsState {
    int preStall = 0;
    int cruise = 0;
    int positiveG = 0;
    int negativeG = 0;
    int aoaStep = 0;  // 0 the pre-stall angle, 1 the cruise angle
    int gStep = 0;    // 0 the positive limit, 1 the negative limit
};

// ---- Module state -----------------------------------------------------------------

LimitsState limits = {};

// ---- Private helpers --------------------------------------------------------------

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
    drawCentredInt(fb, FONT_NUM_23, FIRST_VALUE_Y, firstValue, first);
    drawCentredText(fb, FONT_TEXT_14, THIRD_CAPTION_Y, secondCaption, layout.thirdCaption);
    drawCentredText(fb, FONT_TEXT_14, FOURTH_CAPTION_Y, secondCaption, layout.fourthCaption);
    drawCentredInt(fb, FONT_NUM_23, SECOND_VALUE_Y, secondValue, second);
    drawRightLabel(fb, step == 0 ? "NEXT" : "DONE", COLOUR_LABEL);
}

// Values are loaded as stored, so the separation is compared in 64 bits: an
// odd stored value must not overflow.
bool tooClose(int preStall, int cruise) {
    return int64_t{preStall} < int64_t{cruise} + AOA_SEPARATION;
}

// Raising the cruise angle into the pre-stall angle raises that one too.
void raiseCruise() {
    LimitsState& l = limits;
    if (l.cruise >= CRUISE_MAX) return;
    ++l.cruise;
    if (tooClose(l.preStall, l.cruise)) settingsWriteInt(SLOT_AOA_PRESTALL, ++l.preStall);
    settingsWriteInt(SLOT_AOA_CRUISE, l.cruise);
}

// Lowering the pre-stall angle into the cruise angle lowers that one too.
void lowerPreStall() {
    LimitsState& l = limits;
    if (l.preStall <= PRE_STALL_MIN) return;
    --l.preStall;
    if (tooClose(l.preStall, l.cruise)) settingsWriteInt(SLOT_AOA_CRUISE, --l.cruise);
    settingsWriteInt(SLOT_AOA_PRESTALL, l.preStall);
}

// One step of value within [min, max], written to slot when it changed.
void stepWithin(int& value, int delta, int min, int max, int slot) {
    if (delta > 0 ? value >= max : value <= min) return;
    value += delta;
    settingsWriteInt(slot, value);
}

// One step of the G limit the present step edits.
void stepGLimit(int delta) {
    LimitsState& l = limits;
    if (l.gStep == 0) {
        stepWithin(l.positiveG, delta, POSITIVE_G_MIN, POSITIVE_G_MAX, SLOT_G_LIMIT_POSITIVE);
    } else {
        stepWithin(l.negativeG, delta, NEGATIVE_G_MIN, NEGATIVE_G_MAX, SLOT_G_LIMIT_NEGATIVE);
    }
}

// Right moves from the first value to the second and from there back to the list.
void confirm(int& step) {
    if (step == 0) {
        step = 1;
    } else {
        setupShowList();
    }
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Both angles as stored, starting with the pre-stall angle.
void setupAoaLimitsOpen() {
    limits.preStall = settingsReadInt(SLOT_AOA_PRESTALL);
    limits.cruise = settingsReadInt(SLOT_AOA_CRUISE);
    limits.aoaStep = 0;
}

// Both G limits as stored, starting with the positive one.
void setupGLimitsOpen() {
    limits.positiveG = settingsReadInt(SLOT_G_LIMIT_POSITIVE);
    limits.negativeG = settingsReadInt(SLOT_G_LIMIT_NEGATIVE);
    limits.gStep = 0;
}

// The pre-stall and cruise angles with their captions.
void setupAoaLimitsDraw(uint32_t* fb) {
    drawLimits(fb, AOA_LAYOUT, limits.preStall, limits.cruise, limits.aoaStep);
}

// View raises and Left lowers the angle of the present step; Right goes on.
ButtonEvent setupAoaLimitsEvent(ButtonEvent e) {
    const bool preStall = limits.aoaStep == 0;
    switch (e) {
        case EVT_VIEW_RELEASE:
            if (preStall) {
                stepWithin(limits.preStall, 1, PRE_STALL_MIN, PRE_STALL_MAX, SLOT_AOA_PRESTALL);
            } else {
                raiseCruise();
            }
            return EVT_NONE;
        case EVT_LEFT_RELEASE:
            if (preStall) {
                lowerPreStall();
            } else {
                stepWithin(limits.cruise, -1, CRUISE_MIN, CRUISE_MAX, SLOT_AOA_CRUISE);
            }
            return EVT_NONE;
        case EVT_RIGHT_RELEASE: confirm(limits.aoaStep); return EVT_NONE;
        default: return e;
    }
}

// The positive and negative G limits with their captions.
void setupGLimitsDraw(uint32_t* fb) {
    drawLimits(fb, G_LAYOUT, limits.positiveG, limits.negativeG, limits.gStep);
}

// View raises and Left lowers the limit of the present step; Right goes on.
ButtonEvent setupGLimitsEvent(ButtonEvent e) {
    switch (e) {
        case EVT_VIEW_RELEASE: stepGLimit(1); return EVT_NONE;
        case EVT_LEFT_RELEASE: stepGLimit(-1); return EVT_NONE;
        case EVT_RIGHT_RELEASE: confirm(limits.gStep); return EVT_NONE;
        default: return e;
    }
}

// Power-on state of the working copies and steps.
void setupLimitsPowerOnReset() { limits = {}; }
