// The table of SimDevice's fields. A compile-time check ties it to the
// struct: a field added to SimDevice without a row here breaks the build.
#include "device/device_fields.h"

#include <cmath>
#include <cstring>
#include <iterator>
#include <type_traits>

// ---- Constants ----------------------------------------------------------------

namespace {

static_assert(std::is_standard_layout_v<SimDevice>, "fields are found by offset");
static_assert(sizeof(float) == 4 && sizeof(int) == 4, "every element is 4 bytes");

constexpr double FLAG_MAX = 1.0;
constexpr double BIG = 1.0e6;  // raw readings without a physical bound
constexpr double COLOUR_MAX = 4294967295.0;

#define QX70_SCALAR(member, type, lo, hi, text) \
    DeviceField { #member, type, offsetof(SimDevice, member), 1, 1, 0, lo, hi, text }
#define QX70_ARRAY(member, n, type, lo, hi, text) \
    DeviceField { #member, type, offsetof(SimDevice, member), n, 1, 1, lo, hi, text }
#define QX70_TABLE(member, n, m, type, lo, hi, text) \
    DeviceField { #member, type, offsetof(SimDevice, member), n, m, 2, lo, hi, text }

constexpr FieldType F = FieldType::Float;
constexpr FieldType I = FieldType::Int;

constexpr DeviceField FIELDS[] = {
    QX70_SCALAR(busVoltage, F, 0.0, 60.0, "aircraft bus voltage, V"),
    QX70_SCALAR(batteryVoltage, F, 0.0, 20.0, "backup battery voltage, V"),
    QX70_SCALAR(inFlight, I, 0, FLAG_MAX, "in-flight indication"),
    QX70_SCALAR(calibrateInput, I, 0, FLAG_MAX, "standby calibration samples while 1"),
    QX70_SCALAR(busyInput, I, 0, 1000, "standby power-off waits while above 0"),
    QX70_SCALAR(discreteInput1Source, I, 0, FLAG_MAX, "temperature probe fitted"),
    QX70_SCALAR(discreteInput2Source, I, 0, FLAG_MAX, "the QX-70-S edition"),
    QX70_ARRAY(externalValue, DEV_EXTERNAL_VALUES, F, -BIG, BIG,
               "external interface values; 8 is the page request"),
    QX70_ARRAY(axisReading, 3, F, -BIG, BIG, "raw reading per axis for the standby calibration"),
    QX70_TABLE(axisPairReading, 3, 2, F, -BIG, BIG,
               "the two raw readings per axis for the hard calibration"),
    QX70_SCALAR(calibrationReady, I, 0, FLAG_MAX, "the hard calibration advances while 1"),
    QX70_SCALAR(rollAngle, F, -180.0, 180.0, "roll angle, degrees"),
    QX70_SCALAR(pitchAngle, F, -180.0, 180.0,
                "pitch angle, degrees (the ramp value while pitchRamps)"),
    QX70_SCALAR(pitchRamps, I, 0, FLAG_MAX, "each pitch reading adds 0.05 degrees while 1"),
    QX70_SCALAR(slipReading, F, -100.0, 100.0, "lateral acceleration (slip) reading"),
    QX70_SCALAR(attitudeValid, I, 0, FLAG_MAX, "an attitude solution is available"),
    QX70_ARRAY(alignCondition, 3, I, 0, FLAG_MAX, "the three alignment-complete conditions"),
    QX70_ARRAY(statusQuality, DEV_STATUS_LETTERS, F, 0.0, 1.0,
               "quality of the status letters R P Y J A W B"),
    QX70_SCALAR(gReading, F, -20.0, 20.0, "normal acceleration, G"),
    QX70_SCALAR(aoaScale, F, -100.0, 100.0, "angle-of-attack scale factor"),
    QX70_SCALAR(aoaAngle, F, -90.0, 90.0, "angle of attack, degrees"),
    QX70_SCALAR(aoaValid, I, 0, FLAG_MAX, "angle-of-attack data valid"),
    QX70_SCALAR(aoaLowest, F, -90.0, 90.0, "lowest recorded angle of attack, degrees"),
    QX70_SCALAR(aoaHighest, F, -90.0, 90.0, "highest recorded angle of attack, degrees"),
    QX70_SCALAR(gLowest, F, -20.0, 20.0, "lowest recorded G"),
    QX70_SCALAR(gHighest, F, -20.0, 20.0, "highest recorded G"),
    QX70_ARRAY(gLimitInput, 3, I, 0, FLAG_MAX, "G-limit alert levels 1 to 3 reached"),
    QX70_ARRAY(aoaInput, 3, I, 0, FLAG_MAX, "angle-of-attack alert levels 1 to 3 reached"),
    QX70_SCALAR(oatCelsius, F, -100.0, 100.0, "outside-air temperature, degrees C"),
    QX70_SCALAR(oatValid, I, 0, FLAG_MAX, "temperature reading valid"),
    QX70_SCALAR(trueAirspeed, F, 0.0, 2000.0, "true airspeed, knots"),
    QX70_SCALAR(densityAltitude, F, -20000.0, 100000.0, "density altitude, feet"),
    QX70_SCALAR(airDataValid, I, 0, FLAG_MAX, "air data valid"),
    QX70_SCALAR(clockBlank, I, 0, FLAG_MAX, "blank the clock digits while 1"),
    QX70_SCALAR(backgroundColour, FieldType::Colour, 0, COLOUR_MAX,
                "background colour, 0xAARRGGBB"),
    QX70_SCALAR(brightnessManual, I, 0, FLAG_MAX, "1 manual brightness, 0 automatic"),
    QX70_SCALAR(manualBrightnessLevel, I, -1000, 1000, "manual brightness level"),
    QX70_SCALAR(autoBrightnessLevel, I, -1000, 1000, "automatic brightness level"),
    QX70_SCALAR(poweredOff, I, 0, FLAG_MAX, "the unit is off and does nothing more"),
};

#undef QX70_SCALAR
#undef QX70_ARRAY
#undef QX70_TABLE

constexpr int FIELD_COUNT = static_cast<int>(std::size(FIELDS));

// The table covers SimDevice exactly, in order and without gaps.
constexpr bool tableCoversSimDevice() {
    size_t next = 0;
    for (const DeviceField& f : FIELDS) {
        if (f.offset != next) return false;
        next += static_cast<size_t>(f.rows) * f.cols * DEVICE_ELEMENT_BYTES;
    }
    return next == sizeof(SimDevice);
}
static_assert(tableCoversSimDevice(), "every SimDevice member needs a row in FIELDS, in order");

// ---- Private helpers ----------------------------------------------------------

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(const char* name, std::string_view s) {
    size_t i = 0;
    for (; name[i] != '\0'; ++i) {
        if (i >= s.size() || lower(name[i]) != lower(s[i])) return false;
    }
    return i == s.size();
}

size_t elementOffset(const DeviceField& f, int row, int col) {
    return f.offset + (static_cast<size_t>(row) * f.cols + col) * DEVICE_ELEMENT_BYTES;
}

}  // namespace

// ---- Public operations ------------------------------------------------------------

// Number of fields in the table.
int deviceFieldCount() { return FIELD_COUNT; }

// Field i of the table.
const DeviceField& deviceFieldAt(int i) { return FIELDS[i]; }

// Looks a field up by name, ignoring letter case.
const DeviceField* deviceFieldFind(std::string_view name) {
    for (const DeviceField& f : FIELDS) {
        if (sameName(f.name, name)) return &f;
    }
    return nullptr;
}

// Within range, and whole where the field holds integers.
bool deviceFieldAccepts(const DeviceField& f, double v) {
    if (!(v >= f.min && v <= f.max)) return false;  // NaN fails here too
    return f.type == FieldType::Float || std::trunc(v) == v;
}

// Both indices inside the field's shape.
bool deviceFieldHasElement(const DeviceField& f, int row, int col) {
    return row >= 0 && row < f.rows && col >= 0 && col < f.cols;
}

int deviceFieldElement(const DeviceField& f, int row, int col) {
    return static_cast<int>(elementOffset(f, row, col) / DEVICE_ELEMENT_BYTES);
}

// Stores an accepted value; the bytes go through memcpy so no pointer of the
// wrong type ever aliases the struct.
void deviceFieldWrite(SimDevice& dev, const DeviceField& f, int row, int col, double v) {
    if (!deviceFieldHasElement(f, row, col) || !deviceFieldAccepts(f, v)) return;
    char* at = reinterpret_cast<char*>(&dev) + elementOffset(f, row, col);
    if (f.type == FieldType::Float) {
        const float x = static_cast<float>(v);
        std::memcpy(at, &x, sizeof x);
    } else if (f.type == FieldType::Int) {
        const int32_t n = static_cast<int32_t>(v);
        std::memcpy(at, &n, sizeof n);
    } else {
        const uint32_t c = static_cast<uint32_t>(v);
        std::memcpy(at, &c, sizeof c);
    }
}

// Reads one element back as a double; an element outside the field reads 0.
double deviceFieldRead(const SimDevice& dev, const DeviceField& f, int row, int col) {
    if (!deviceFieldHasElement(f, row, col)) return 0.0;
    const char* at = reinterpret_cast<const char*>(&dev) + elementOffset(f, row, col);
    if (f.type == FieldType::Float) {
        float x;
        std::memcpy(&x, at, sizeof x);
        return x;
    }
    if (f.type == FieldType::Int) {
        int32_t n;
        std::memcpy(&n, at, sizeof n);
        return n;
    }
    uint32_t c;
    std::memcpy(&c, at, sizeof c);
    return c;
}
