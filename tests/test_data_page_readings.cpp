// The reading fields of the data page: bus voltage, OAT, true airspeed and
// density altitude, their units and options, placeholders and demo values.
#include <limits>

#include "app/controller.h"
#include "app/page_data.h"
#include "app/timekeeping.h"
#include "app_support.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "screen_checks.h"

namespace {

enum Mode { GMT, LOCAL, ALTITUDE, AIRSPEED };

// The full layout (probe and edition fitted), demo mode off.
class DataReadings : public SensorsTest {
  protected:
    // View releases until the top field shows mode (slot 10 follows it).
    static void showMode(int mode) {
        for (int i = 0; i < 4 && settingsReadByte(SLOT_DATA_MODE) != mode; ++i)
            dataHandleEvent(EVT_VIEW_RELEASE);
    }
    void draw() {
        screen.fill(0);
        dataDrawPage(screen.px);
    }
    bool showsBus(const char* value) const {
        return showsCentred(screen, FONT_TEXT_14, 33, 66, COLOUR_LABEL, "Bus V") &&
               showsCentred(screen, FONT_NUM_20, 33, 84, COLOUR_GREY, value);
    }
    bool showsOat(const char* label, const char* value) const {
        return showsCentred(screen, FONT_TEXT_14, 33, 111, COLOUR_LABEL, label) &&
               showsCentred(screen, FONT_NUM_20, 33, 129, COLOUR_GREY, value);
    }
    bool showsAirspeed(const char* value) const {
        return showsCentred(screen, FONT_TEXT_14, 64, 12, COLOUR_LABEL, "True Airspeed") &&
               showsCentred(screen, FONT_NUM_29, 64, 36, COLOUR_WHITE, value);
    }
    // Thousands ending at x 63, hundreds from x 65, the feet symbol at x 103.
    bool showsAltitude(const char* thousands, const char* hundreds) const {
        const int x = 63 - font_text_width(FONT_NUM_29, thousands);
        return showsCentred(screen, FONT_TEXT_14, 64, 12, COLOUR_LABEL, "Density Alt") &&
               showsText(screen, FONT_NUM_29, x, 23, COLOUR_WHITE, thousands) &&
               showsText(screen, FONT_NUM_23, 65, 23, COLOUR_WHITE, hundreds) &&
               showsText(screen, FONT_NUM_20, 103, 23, COLOUR_WHITE, "t");
    }
    bool showsTopPlaceholder() const {
        return showsCentred(screen, FONT_NUM_20, 64, 36, COLOUR_WHITE, "---");
    }
};

TEST_F(DataReadings, BusVoltageToOneDecimalTruncated) {
    struct Case {
        float volts;
        const char* text;
    };
    for (const Case& c :
         {Case{14.1f, "14.1"}, Case{12.96f, "12.9"}, Case{9.0f, "9.0"}, Case{28.35f, "28.3"}}) {
        SCOPED_TRACE(c.text);
        simDevice.busVoltage = c.volts;
        draw();
        EXPECT_TRUE(showsBus(c.text));
    }
}

TEST_F(DataReadings, NegativeBusVoltageKeepsItsDigitsWhole) {
    simDevice.busVoltage = -0.5f;
    draw();
    EXPECT_TRUE(showsBus("-0.5"));
    simDevice.busVoltage = -12.25f;
    draw();
    EXPECT_TRUE(showsBus("-12.2"));
}

TEST_F(DataReadings, OatInFahrenheitOrCelsius) {
    draw();
    EXPECT_TRUE(showsOat("OAT F", "72d"));  // 22.4 C
    settingsWriteByte(SLOT_OPTIONS, OPTION_TEMP_IN_C);
    draw();
    EXPECT_TRUE(showsOat("OAT C", "22d"));
    simDevice.oatCelsius = -12.7f;
    draw();
    EXPECT_TRUE(showsOat("OAT C", "-12d"));
    settingsWriteByte(SLOT_OPTIONS, 0);
    draw();
    EXPECT_TRUE(showsOat("OAT F", "9d"));  // 9.14 F
}

TEST_F(DataReadings, InvalidTemperatureBlanksOatAirspeedAndAltitude) {
    simDevice.oatValid = 0;
    draw();
    EXPECT_TRUE(showsOat("OAT", "---"));
    showMode(ALTITUDE);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 12, COLOUR_LABEL, "Density Alt"));
    EXPECT_TRUE(showsTopPlaceholder());
    showMode(AIRSPEED);
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 12, COLOUR_LABEL, "True Airspeed"));
    EXPECT_TRUE(showsTopPlaceholder());
}

TEST_F(DataReadings, InvalidAirDataBlanksOnlyAirspeedAndAltitude) {
    simDevice.airDataValid = 0;
    showMode(AIRSPEED);
    draw();
    EXPECT_TRUE(showsTopPlaceholder());
    EXPECT_TRUE(showsOat("OAT F", "72d"));
    showMode(ALTITUDE);
    draw();
    EXPECT_TRUE(showsTopPlaceholder());
}

// The readings ask the probe input directly, not the copy sampled after each
// frame for the layout: a probe that goes away blanks them in the next frame,
// while the full layout still stands.
TEST_F(DataReadings, ProbeReadDirectlyBlanksEveryAirReading) {
    simDevice.discreteInput1Source = 0;  // the full layout still stands until the next sample
    draw();
    EXPECT_TRUE(showsOat("OAT", "---"));
    showMode(ALTITUDE);
    draw();
    EXPECT_TRUE(showsTopPlaceholder());
    showMode(AIRSPEED);
    draw();
    EXPECT_TRUE(showsTopPlaceholder());
}

TEST_F(DataReadings, AirspeedInMilesPerHourOrKnots) {
    showMode(AIRSPEED);
    draw();
    EXPECT_TRUE(showsAirspeed("174 m"));  // 152 kn x 1.15078
    settingsWriteByte(SLOT_OPTIONS, OPTION_TAS_IN_KT);
    draw();
    EXPECT_TRUE(showsAirspeed("152 k"));
}

TEST_F(DataReadings, AltitudeInThousandsAndHundreds) {
    showMode(ALTITUDE);
    struct Case {
        float feet;
        const char* thousands;
        const char* hundreds;
    };
    for (const Case& c : {Case{1234.56f, "1", "200"}, Case{12345.0f, "12", "300"},
                          Case{999.0f, "0", "900"}, Case{5050.0f, "5", "000"}}) {
        SCOPED_TRACE(c.feet);
        simDevice.densityAltitude = c.feet;
        draw();
        EXPECT_TRUE(showsAltitude(c.thousands, c.hundreds));
    }
}

TEST_F(DataReadings, NegativeAltitudeShowsASignBeforeItsMagnitude) {
    showMode(ALTITUDE);
    simDevice.densityAltitude = -1234.0f;
    draw();
    EXPECT_TRUE(showsAltitude("-1", "200"));
    simDevice.densityAltitude = -850.0f;
    draw();
    EXPECT_TRUE(showsAltitude("-0", "800"));
}

TEST_F(DataReadings, DemoValuesIgnoreTheValidityIndications) {
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_MODE_1);
    simDevice.oatValid = 0;
    simDevice.airDataValid = 0;
    deviceState.demoPitch = 6.0f;
    draw();
    EXPECT_TRUE(showsOat("OAT F", "73d"));  // 23 C
    showMode(ALTITUDE);
    draw();
    EXPECT_TRUE(showsAltitude("5", "300"));  // 5000 + 50 x 6
    showMode(AIRSPEED);
    draw();
    EXPECT_TRUE(showsAirspeed("101 m"));  // (100 - 2 x 6) kn in mph
}

TEST_F(DataReadings, ReadingsOutsideEveryRangeStayWellFormed) {
    simDevice.busVoltage = std::numeric_limits<float>::quiet_NaN();
    simDevice.densityAltitude = -7.0e12f;
    showMode(ALTITUDE);
    draw();
    EXPECT_TRUE(showsBus("0.0"));
    EXPECT_TRUE(showsText(screen, FONT_NUM_23, 65, 23, COLOUR_WHITE, "900"));
    EXPECT_TRUE(showsText(screen, FONT_NUM_20, 103, 23, COLOUR_WHITE, "t"));
    simDevice.densityAltitude = std::numeric_limits<float>::quiet_NaN();
    draw();
    EXPECT_TRUE(showsAltitude("0", "000"));
}

}  // namespace
