// SYSTEM INFO: model, part number, software version and unit ID of the unit.
#include <cstdint>

#include "app/colours.h"
#include "app/furniture.h"
#include "app/number_text.h"
#include "app/setup_screens.h"
#include "app/unit_inputs.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/font.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int MODEL_CAPTION_Y = 27;
constexpr int MODEL_Y = 42;
constexpr int PART_CAPTION_Y = 62;
constexpr int PART_Y = 77;
constexpr int VERSION_CAPTION_Y = 97;
constexpr int VERSION_Y = 112;
constexpr int UNIT_ID_CAPTION_Y = 132;
constexpr int UNIT_ID_Y = 147;
constexpr int UNIT_ID_MAX = 99999;

// ---- Private helpers --------------------------------------------------------------

void drawEntry(uint32_t* fb, int captionY, const char* caption, int valueY, const char* value) {
    drawCentredText(fb, FONT_TEXT_14, captionY, COLOUR_LABEL, caption);
    drawCentredText(fb, FONT_TEXT_18, valueY, COLOUR_WHITE, value);
}

// Slot 1 in decimal; an unset or impossible number shows "---".
void drawUnitId(uint32_t* fb) {
    const int32_t id = settingsReadInt(SLOT_UNIT_ID);
    char text[NUMBER_TEXT_SIZE] = "---";
    if (id >= 0 && id <= UNIT_ID_MAX) intText(id, text);
    drawEntry(fb, UNIT_ID_CAPTION_Y, "UNIT ID", UNIT_ID_Y, text);
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// The four entries and "OK"; no hints and no bottom label.
void setupInfoDraw(uint32_t* fb) {
    const bool edition = editionUnit();
    setupDrawTitle(fb, "SYSTEM INFO");
    drawEntry(fb, MODEL_CAPTION_Y, "MODEL", MODEL_Y, edition ? "QX-70-S" : "QX-70");
    drawEntry(fb, PART_CAPTION_Y, "PART NUMBER", PART_Y,
              edition ? "QXP-2200410-001" : "QXP-2200735-001");
    drawEntry(fb, VERSION_CAPTION_Y, "SW VERSION", VERSION_Y, "1.2.0");
    drawUnitId(fb);
    drawRightLabel(fb, "OK", COLOUR_LABEL);
}

// Right returns to the list; every other event goes back (Left to the navigation).
ButtonEvent setupInfoEvent(ButtonEvent e) {
    if (e != EVT_RIGHT_RELEASE) return e;
    setupShowList();
    return EVT_NONE;
}
