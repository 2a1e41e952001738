// AUDIO VOLUME and OAT TRIM: a working copy loaded on opening, stepped by
// View and Left and written to its slot on every change.
#include <algorithm>
#include <cstdint>

#include "app/colours.h"
#include "app/furniture.h"
#include "app/number_text.h"
#include "app/setup_screens.h"
#include "app/time_fields.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/fmt.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int VOLUME_DIGITS_Y = 50;
constexpr int VOLUME_BAR_LEFT = 30;
constexpr int VOLUME_BAR_TOP = 70;
constexpr int VOLUME_BAR_BOTTOM = 85;
constexpr int VOLUME_BAR_STEP = 7;  // pixels per volume step

constexpr int OAT_TRIM_MIN = -150;
constexpr int OAT_TRIM_MAX = 150;
constexpr int OFFSET_CAPTION_Y = 40;
constexpr int OFFSET_Y = 60;
constexpr int READING_CAPTION_Y = 90;
constexpr int READING_Y = 112;
// The probe reads sensibly only strictly between these.
constexpr float OAT_READING_MAX = 70.0f;
constexpr float OAT_READING_MIN = -40.0f;

// ---- Types ----------------------------------------------------------------------

// The working copies the editors step.
struct EditorsState {
    int volume = 0;   // 0 to VOLUME_MAX
    int oatTrim = 0;  // OAT_TRIM_MIN to OAT_TRIM_MAX
};

// ---- Module state -----------------------------------------------------------------

EditorsState editors = {};

// ---- Private helpers --------------------------------------------------------------

void drawEditorFurniture(uint32_t* fb, const char* title) {
    setupDrawTitle(fb, title);
    drawUpDownHints(fb, true, true);
    drawRightLabel(fb, "OK", COLOUR_LABEL);
}

void writeVolume() {
    settingsWriteByte(SLOT_VOLUME, editors.volume);
    devSound(SOUND_VOLUME_TEST, SOUND_PREVIEW);
}

// The reading as the device gives it, in the unit the options select; without
// the probe or outside the probe's range, "---".
void drawOatReading(uint32_t* fb) {
    float t = devOatCelsius();
    if (!(t < OAT_READING_MAX && t > OAT_READING_MIN && devDiscreteInput1() != 0)) {
        drawCentredText(fb, FONT_NUM_20, READING_Y, COLOUR_GREY, "---");
        return;
    }
    if (settingsReadByte(SLOT_OPTIONS) & OPTION_TEMP_IN_C) {
        drawCentredText(fb, FONT_TEXT_14, READING_CAPTION_Y, COLOUR_LABEL, "NEW (C)");
    } else {
        drawCentredText(fb, FONT_TEXT_14, READING_CAPTION_Y, COLOUR_LABEL, "NEW (F)");
        t = celsius_to_fahrenheit(t);
    }
    char text[NUMBER_TEXT_SIZE];
    degreesText(t, text);
    drawCentredText(fb, FONT_NUM_23, READING_Y, COLOUR_GREY, text);
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// The volume as stored in the low byte of slot 4.
void setupVolumeOpen() { editors.volume = settingsReadByte(SLOT_VOLUME); }

// The offset of slot 13, limited to the range the editor steps in.
void setupOatTrimOpen() {
    editors.oatTrim =
        std::clamp<int32_t>(settingsReadInt(SLOT_OAT_TRIM), OAT_TRIM_MIN, OAT_TRIM_MAX);
}

// Two digits and a bar of 7 pixels per step.
void setupVolumeDraw(uint32_t* fb) {
    drawEditorFurniture(fb, "AUDIO VOLUME");
    const int volume = editors.volume;
    char digits[TWO_DIGIT_FIELD_SIZE];
    twoDigitField(volume, digits);
    drawCentredText(fb, FONT_NUM_23, VOLUME_DIGITS_Y, COLOUR_WHITE, digits);
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, VOLUME_BAR_LEFT, VOLUME_BAR_TOP,
                  VOLUME_BAR_LEFT + VOLUME_BAR_STEP * volume, VOLUME_BAR_BOTTOM, COLOUR_WHITE);
}

// Every View or Left press writes the volume and plays the test sound, also
// at the limits; Right stops the sound and returns to the list.
ButtonEvent setupVolumeEvent(ButtonEvent e) {
    switch (e) {
        case EVT_VIEW_RELEASE:
            if (editors.volume < VOLUME_MAX) ++editors.volume;
            writeVolume();
            return EVT_NONE;
        case EVT_LEFT_RELEASE:
            if (editors.volume > 0) --editors.volume;
            writeVolume();
            return EVT_NONE;
        case EVT_RIGHT_RELEASE:
            devSound(SOUND_VOLUME_TEST, SOUND_STOP);
            setupShowList();
            return EVT_NONE;
        default: return e;
    }
}

// The offset and, beside it, the present reading without the offset.
void setupOatTrimDraw(uint32_t* fb) {
    drawEditorFurniture(fb, "OAT TRIM");
    drawCentredText(fb, FONT_TEXT_14, OFFSET_CAPTION_Y, COLOUR_LABEL, "OFFSET:");
    drawCentredInt(fb, FONT_NUM_20, OFFSET_Y, COLOUR_WHITE, editors.oatTrim);
    drawOatReading(fb);
}

// View and Left step the offset within -150 to 150 and write it; Right
// returns to the list.
ButtonEvent setupOatTrimEvent(ButtonEvent e) {
    switch (e) {
        case EVT_VIEW_RELEASE:
            if (editors.oatTrim < OAT_TRIM_MAX) settingsWriteInt(SLOT_OAT_TRIM, ++editors.oatTrim);
            return EVT_NONE;
        case EVT_LEFT_RELEASE:
            if (editors.oatTrim > OAT_TRIM_MIN) settingsWriteInt(SLOT_OAT_TRIM, --editors.oatTrim);
            return EVT_NONE;
        case EVT_RIGHT_RELEASE: setupShowList(); return EVT_NONE;
        default: return e;
    }
}

// Power-on state of the working copies.
void setupEditorsPowerOnReset() { editors = {}; }
