// HARD CALIBRATION: a caution page, a confirmation page, then 99 frames that
// average the attitude sensor's three axes in smoothing channels 27 to 29 and
// store the results as calibration parameters 80 to 82. Refused in flight.
#include <cstdint>

#include "app/colours.h"
#include "app/furniture.h"
#include "app/setup_screens.h"
#include "app/time_fields.h"
#include "device/device.h"
#include "device/filter.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

// ---- Constants ----------------------------------------------------------------

namespace {

// calStep: 0 caution, 1 confirmation, 2 to 100 sampling, above 100 finished.
constexpr int STEP_CAUTION = 0;
constexpr int STEP_CONFIRM = 1;
constexpr int STEP_FIRST_SAMPLE = 2;
constexpr int STEP_LAST_SAMPLE = 100;
constexpr int COUNT_FROM = STEP_LAST_SAMPLE + 1;  // the count shown is this minus calStep

constexpr uint32_t COUNT_COLOUR = 0x00FFFFFFu;  // white with a clear alpha byte
constexpr int LEFT_LABEL_X = 5;
constexpr int LEFT_LABEL_Y = 90;
constexpr int CALIBRATING_Y = 30;
constexpr int DO_NOT_MOVE_Y = 55;
constexpr int AIRCRAFT_Y = 70;
constexpr int COUNT_Y = 110;

// ---- Types ----------------------------------------------------------------------

// Texts of the two pages, each centred on x 64 at its y.
struct TextLine {
    int y;
    const char* text;
};

constexpr TextLine CAUTION_LINES[] = {
    {30, "! CAUTION !"},
    {55, "Hard Calibration Must"},
    {70, "be performed while on"},
    {85, "ground only.  "},
};

constexpr TextLine CONFIRM_LINES[] = {
    {45, "Proceed only if"},  {60, "no aircraft motion"}, {75, "is present."},
    {95, "Calibration will"}, {110, "take several"},      {125, "moments."},
};

struct HardCalState {
    int step = STEP_CAUTION;  // calStep: the page, the sampling frame or the finish
};

// ---- Module state -----------------------------------------------------------------

HardCalState hardCal = {};

// ---- Private helpers --------------------------------------------------------------

bool onPages() { return hardCal.step == STEP_CAUTION || hardCal.step == STEP_CONFIRM; }

bool sampling() { return hardCal.step >= STEP_FIRST_SAMPLE && hardCal.step <= STEP_LAST_SAMPLE; }

template <int N>
void drawLines(uint32_t* fb, const TextLine (&lines)[N]) {
    for (const TextLine& line : lines) {
        drawCentredText(fb, FONT_TEXT_14, line.y, COLOUR_YELLOW, line.text);
    }
}

void drawBackLabel(uint32_t* fb) {
    font_draw_text_vertical(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, LEFT_LABEL_X, LEFT_LABEL_Y,
                            COLOUR_GREEN, "BACK");
}

void drawSampling(uint32_t* fb) {
    drawCentredText(fb, FONT_TEXT_14, CALIBRATING_Y, COLOUR_TITLE_GREEN, "* CALIBRATING *");
    drawCentredText(fb, FONT_TEXT_14, DO_NOT_MOVE_Y, COLOUR_YELLOW, "Do Not Move");
    drawCentredText(fb, FONT_TEXT_14, AIRCRAFT_Y, COLOUR_YELLOW, "Aircraft");
    char digits[TWO_DIGIT_FIELD_SIZE];
    twoDigitField(COUNT_FROM - hardCal.step, digits);
    drawCentredText(fb, FONT_NUM_23, COUNT_Y, COUNT_COLOUR, digits);
}

// Axis a (1 to 3) feeds this smoothing channel.
int channelOf(int axis) { return FILTER_CAL_FIRST_CHANNEL - 1 + axis; }

// Feeds the mean of the axis's two readings into its channel; the channel's
// output as it stood before this reading.
float feedAxis(int axis) {
    const float a = devAxisPairReading(axis, 1);
    const float b = devAxisPairReading(axis, 2);
    return filterFeed(channelOf(axis), (a + b) / 2.0f);
}

// One sampling frame; the last one stores the three averages. The step
// advances only while the device reports itself ready, asked twice.
void sampleStep() {
    if (hardCal.step == STEP_FIRST_SAMPLE) {
        for (int axis = 1; axis <= DEV_AXES; ++axis) filterReset(channelOf(axis));
    }
    for (int axis = 1; axis <= DEV_AXES; ++axis) feedAxis(axis);
    if (hardCal.step == STEP_LAST_SAMPLE) {
        for (int axis = 1; axis <= DEV_AXES; ++axis) {
            devWriteParameter(DEV_PARAMETER_BANK, DEV_CAL_FIRST_PARAMETER - 1 + axis,
                              feedAxis(axis));
        }
        devWriteParameter(DEV_PARAMETER_BANK, DEV_CAL_DONE_PARAMETER, 0.0f);
    }
    if (devCalibrationReady() && devCalibrationReady()) ++hardCal.step;
}

// Back to the list in browse mode, scrolled to its top, ready for a new run.
void finish() {
    hardCal.step = STEP_CAUTION;
    setupShowListBrowsing();
    devCalibrationDone();
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// The page of the present step; while sampling, one sampling step after the
// drawing; once finished, the return to the list.
void setupHardCalDraw(uint32_t* fb) {
    setupDrawTitle(fb, "HARD CALIBRATION");
    if (hardCal.step == STEP_CAUTION) {
        drawLines(fb, CAUTION_LINES);
        if (devInFlight() == 0) drawRightLabel(fb, "ACK", COLOUR_YELLOW);
        drawBackLabel(fb);
    } else if (hardCal.step == STEP_CONFIRM) {
        drawLines(fb, CONFIRM_LINES);
        drawRightLabel(fb, "GO", COLOUR_YELLOW);
        drawBackLabel(fb);
    } else if (sampling()) {
        drawSampling(fb);
        sampleStep();
    } else {
        finish();
    }
}

// Left goes back and Right goes on from the two pages (Right only on the
// ground); both are used at every step, so sampling cannot be left.
ButtonEvent setupHardCalEvent(ButtonEvent e) {
    switch (e) {
        case EVT_LEFT_RELEASE:
            if (onPages()) setupShowList();
            return EVT_NONE;
        case EVT_RIGHT_RELEASE:
            if (devInFlight() == 0 && onPages()) ++hardCal.step;
            return EVT_NONE;
        default: return e;
    }
}

// Power-on state: the caution page.
void setupHardCalPowerOnReset() { hardCal = {}; }
