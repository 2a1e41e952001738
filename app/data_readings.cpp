// The reading fields of the data page: bus voltage, outside-air temperature,
// true airspeed and density altitude, from the device or the demo formulas.
#include "app/colours.h"
#include "app/data_parts.h"
#include "app/number_text.h"
#include "app/unit_inputs.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "gfx/fmt.h"
#include "gfx/font.h"
#include "gfx/gfx.h"
#include "gfx/trunc.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int VALUE_BELOW_LABEL = 18;
constexpr int TOP_TITLE_BELOW = 6;
constexpr int TOP_VALUE_X = 64;
constexpr int TOP_VALUE_Y = 36;
constexpr int ALTITUDE_DIGITS_BELOW = 17;
constexpr int ALTITUDE_THOUSANDS_END = 63;
constexpr int ALTITUDE_HUNDREDS_X = 65;
constexpr int ALTITUDE_FEET_X = 103;

// Demo values from demoPitch (m, 0 to 12).
constexpr float DEMO_OAT_CELSIUS = 23.0f;
constexpr float DEMO_TAS_BASE = 100.0f;
constexpr float DEMO_TAS_PER_PITCH = 2.0f;
constexpr float DEMO_ALTITUDE_BASE = 5000.0f;
constexpr float DEMO_ALTITUDE_PER_PITCH = 50.0f;

constexpr double MPH_PER_KNOT = 1.15078;

// ---- Private helpers --------------------------------------------------------------

bool option(int bit) { return (settingsReadByte(SLOT_OPTIONS) & bit) != 0; }

// Air data needs the probe fitted, a valid temperature and valid air data.
bool airDataUsable() { return devAirDataValid() && devDiscreteInput1() && devOatValid(); }

void textCentred(uint32_t* fb, int font, int x, int y, uint32_t c, const char* s) {
    font_draw_text_centered(fb, FB_WIDTH, FB_HEIGHT, font, x, y, c, s);
}

void text(uint32_t* fb, int font, int x, int y, uint32_t c, const char* s) {
    font_draw_text(fb, FB_WIDTH, FB_HEIGHT, font, x, y, c, s);
}

void drawTopTitle(uint32_t* fb, int top, const char* title) {
    textCentred(fb, FONT_TEXT_14, TOP_VALUE_X, top + TOP_TITLE_BELOW, COLOUR_LABEL, title);
}

void drawTopPlaceholder(uint32_t* fb) {
    textCentred(fb, FONT_NUM_20, TOP_VALUE_X, TOP_VALUE_Y, COLOUR_WHITE, "---");
}

// Thousands in the large digits ending at x 63, a minus sign in front of a
// negative altitude; hundreds as three smaller digits; tens and units dropped.
void drawAltitudeValue(uint32_t* fb, int top, float feet) {
    const bool negative = feet < 0.0f;
    if (negative) feet = -feet;
    const int thousands = truncToInt(feet / 1000.0f);
    const int rest = truncToInt(feet - static_cast<float>(thousands) * 1000.0f);
    int hundreds = rest / 100;
    // Float rounding at huge altitudes can push the rest just outside 0..999.
    if (hundreds < 0) hundreds = 0;
    if (hundreds > 9) hundreds = 9;
    char big[NUMBER_TEXT_SIZE];
    char* cursor = big;
    if (negative) *cursor++ = '-';
    fmt_int(thousands, &cursor);
    *cursor = '\0';
    const int y = top + ALTITUDE_DIGITS_BELOW;
    text(fb, FONT_NUM_29, ALTITUDE_THOUSANDS_END - font_text_width(FONT_NUM_29, big), y,
         COLOUR_WHITE, big);
    const char small[] = {static_cast<char>('0' + hundreds), '0', '0', '\0'};
    text(fb, FONT_NUM_23, ALTITUDE_HUNDREDS_X, y, COLOUR_WHITE, small);
    text(fb, FONT_NUM_20, ALTITUDE_FEET_X, y, COLOUR_WHITE, "t");
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// -- Shared with the page's other files (data_parts.h)

// "Bus V" and the voltage to one decimal; the bus voltage has no validity test.
void drawBusVoltage(uint32_t* fb, int x, int y) {
    textCentred(fb, FONT_TEXT_14, x, y, COLOUR_LABEL, "Bus V");
    char value[NUMBER_TEXT_SIZE];
    oneDecimalText(devBusVoltage(), value);
    textCentred(fb, FONT_NUM_20, x, y + VALUE_BELOW_LABEL, COLOUR_GREY, value);
}

// Whole degrees in Fahrenheit or Celsius; demo mode shows 23 C whatever the
// probe says.
void drawOat(uint32_t* fb, int x, int y) {
    const bool demo = demoModeOn();
    const float celsius = demo ? DEMO_OAT_CELSIUS : devOatCelsius();
    if (!demo && (!devDiscreteInput1() || !devOatValid())) {
        textCentred(fb, FONT_TEXT_14, x, y, COLOUR_LABEL, "OAT");
        textCentred(fb, FONT_NUM_20, x, y + VALUE_BELOW_LABEL, COLOUR_GREY, "---");
        return;
    }
    const bool inCelsius = option(OPTION_TEMP_IN_C);
    const float degrees = inCelsius ? celsius : celsius_to_fahrenheit(celsius);
    textCentred(fb, FONT_TEXT_14, x, y, COLOUR_LABEL, inCelsius ? "OAT C" : "OAT F");
    char value[NUMBER_TEXT_SIZE];
    degreesText(degrees, value);
    textCentred(fb, FONT_NUM_20, x, y + VALUE_BELOW_LABEL, COLOUR_GREY, value);
}

// Whole miles per hour, or knots with "TAS IN KT", followed by the unit symbol.
void drawTrueAirspeed(uint32_t* fb, int top) {
    drawTopTitle(fb, top, "True Airspeed");
    const bool demo = demoModeOn();
    float speed =
        demo ? DEMO_TAS_BASE - DEMO_TAS_PER_PITCH * deviceState.demoPitch : devTrueAirspeed();
    if (!demo && !airDataUsable()) {
        drawTopPlaceholder(fb);
        return;
    }
    char unit = 'k';  // the knots symbol of the digit font
    if (!option(OPTION_TAS_IN_KT)) {
        speed = static_cast<float>(static_cast<double>(speed) * MPH_PER_KNOT);
        unit = 'm';  // the miles-per-hour symbol
    }
    char value[NUMBER_TEXT_SIZE];
    char* cursor = value;
    fmt_int(truncToInt(speed), &cursor);
    *cursor++ = ' ';
    *cursor++ = unit;
    *cursor = '\0';
    textCentred(fb, FONT_NUM_29, TOP_VALUE_X, TOP_VALUE_Y, COLOUR_WHITE, value);
}

// Density altitude in thousands and hundreds of feet.
void drawDensityAltitude(uint32_t* fb, int top) {
    drawTopTitle(fb, top, "Density Alt");
    const bool demo = demoModeOn();
    const float feet = demo ? DEMO_ALTITUDE_BASE + DEMO_ALTITUDE_PER_PITCH * deviceState.demoPitch
                            : devDensityAltitude();
    if (!demo && !airDataUsable()) {
        drawTopPlaceholder(fb);
        return;
    }
    drawAltitudeValue(fb, top, feet);
}
