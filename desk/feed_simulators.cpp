// The two flight simulators' formats. Neither sends what the unit reads as
// air data, so both are completed from the standard atmosphere: density
// altitude from pressure altitude and temperature, and (for the one that
// sends indicated airspeed) true airspeed from the air density.
#include <bit>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <iterator>

#include "desk/feed_formats.h"

// ---- Constants ----------------------------------------------------------------

namespace {

// Standard atmosphere below the tropopause, in feet: pressure ratio
// (1 - h / SCALE_FT) ^ PRESSURE_EXPONENT, density altitude from the density
// ratio with DENSITY_EXPONENT = 1 / (PRESSURE_EXPONENT - 1).
constexpr double SCALE_FT = 145442.16;
constexpr double PRESSURE_EXPONENT = 5.2558797;
constexpr double DENSITY_EXPONENT = 0.234969;
constexpr double SEA_LEVEL_INHG = 29.92126;
constexpr double SEA_LEVEL_KELVIN = 288.15;
constexpr double ZERO_CELSIUS_KELVIN = 273.15;

constexpr int XP_COLUMNS = 8;

// Columns of the DATA rows read.
constexpr int XP_TRUE_AIRSPEED = 2;  // speeds: knots true airspeed
constexpr int XP_G_NORMAL = 4;       // G load: normal
constexpr int XP_PRESSURE = 0;       // atmosphere at the aircraft: inches of mercury
constexpr int XP_TEMPERATURE = 1;    //   and degrees C
constexpr int XP_PITCH = 0;          // pitch, roll and headings
constexpr int XP_ROLL = 1;
constexpr int XP_ALPHA = 0;  // angle of attack and side-slip

// The DATA rows read, in this order.
constexpr int XP_ROWS[] = {XP_ROW_SPEEDS, XP_ROW_LOAD, XP_ROW_ATMOSPHERE, XP_ROW_ATTITUDE,
                           XP_ROW_AOA};
constexpr int XP_READ = static_cast<int>(std::size(XP_ROWS));
enum XpRow { SPEEDS, LOAD, ATMOSPHERE, ATTITUDE, AOA };

// ---- Types --------------------------------------------------------------------

// The rows of one DATA datagram that are read.
struct XpRows {
    float values[XP_READ][XP_COLUMNS] = {};
    bool has[XP_READ] = {};
};

// ---- Private helpers ----------------------------------------------------------

// Puts a value into the named field when finite and accepted there, rounded
// to a float first where the field holds floats.
FeedReject put(FeedDataSet* set, const char* name, double v) {
    const DeviceField* f = deviceFieldFind(name);
    if (f == nullptr) return FeedReject::UnknownField;
    if (!std::isfinite(v)) return FeedReject::NotFinite;
    if (f->type == FieldType::Float) v = static_cast<float>(v);
    if (!deviceFieldAccepts(*f, v)) return FeedReject::OutOfRange;
    feedSetPut(set, f, 0, 0, v);
    return FeedReject::None;
}

// The first refusal of several puts.
FeedReject first(std::initializer_list<FeedReject> results) {
    for (FeedReject r : results)
        if (r != FeedReject::None) return r;
    return FeedReject::None;
}

double densityRatio(double pressureAltitudeFt, double oatCelsius) {
    const double pressureRatio = std::pow(1.0 - pressureAltitudeFt / SCALE_FT, PRESSURE_EXPONENT);
    const double temperatureRatio = (oatCelsius + ZERO_CELSIUS_KELVIN) / SEA_LEVEL_KELVIN;
    return pressureRatio / temperatureRatio;
}

// Trims blanks and a carriage return around a value.
std::string_view trimmed(std::string_view w) {
    while (!w.empty() && (w.front() == ' ' || w.front() == '\t')) w.remove_prefix(1);
    while (!w.empty() && (w.back() == ' ' || w.back() == '\t' || w.back() == '\r'))
        w.remove_suffix(1);
    return w;
}

uint32_t littleEndian32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// The row's values into its place; false for a row not read.
bool readRow(const uint8_t* row, XpRows* rows) {
    const int32_t index = static_cast<int32_t>(littleEndian32(row));
    for (int r = 0; r < XP_READ; ++r) {
        if (XP_ROWS[r] != index) continue;
        rows->has[r] = true;
        for (int i = 0; i < XP_COLUMNS; ++i)
            rows->values[r][i] = std::bit_cast<float>(littleEndian32(row + 4 + 4 * i));
        return true;
    }
    return false;
}

FeedReject putXpRows(const XpRows& r, FeedDataSet* set) {
    FeedReject why = FeedReject::None;
    if (r.has[SPEEDS])
        why = first({why, put(set, "trueAirspeed", r.values[SPEEDS][XP_TRUE_AIRSPEED])});
    if (r.has[LOAD]) why = first({why, put(set, "gReading", r.values[LOAD][XP_G_NORMAL])});
    if (r.has[ATMOSPHERE]) {
        const double oat = r.values[ATMOSPHERE][XP_TEMPERATURE];
        const double pa = feedPressureAltitude(r.values[ATMOSPHERE][XP_PRESSURE]);
        why = first({why, put(set, "oatCelsius", oat),
                     put(set, "densityAltitude", feedDensityAltitude(pa, oat))});
    }
    if (r.has[ATTITUDE]) {
        why = first({why, put(set, "pitchAngle", r.values[ATTITUDE][XP_PITCH]),
                     put(set, "rollAngle", r.values[ATTITUDE][XP_ROLL])});
    }
    if (r.has[AOA]) why = first({why, put(set, "aoaAngle", r.values[AOA][XP_ALPHA])});
    return why;
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// roll, pitch, load factor, alpha, IAS, pressure altitude, OAT, volts, weight
// on wheels; the unit's in-flight input is the opposite of weight on wheels.
FeedReject feedParseFlightGearLine(std::string_view line, FeedDataSet* set) {
    double v[FEED_FG_VALUES];
    int n = 0;
    for (;;) {
        const size_t comma = line.find(',');
        if (n == FEED_FG_VALUES) return FeedReject::Malformed;  // more values than chunks
        const FeedReject why = feedParseNumber(trimmed(line.substr(0, comma)), v[n++]);
        if (why != FeedReject::None) return why;
        if (comma == std::string_view::npos) break;
        line.remove_prefix(comma + 1);
    }
    if (n != FEED_FG_VALUES) return FeedReject::Malformed;  // a partial line
    const double ias = v[4], pa = v[5], oat = v[6], wow = v[8];
    if (wow != 0.0 && wow != 1.0) return FeedReject::OutOfRange;
    FeedDataSet values;
    const FeedReject why = first({
        put(&values, "rollAngle", v[0]),
        put(&values, "pitchAngle", v[1]),
        put(&values, "gReading", v[2]),
        put(&values, "aoaAngle", v[3]),
        put(&values, "trueAirspeed", feedTrueAirspeed(ias, pa, oat)),
        put(&values, "densityAltitude", feedDensityAltitude(pa, oat)),
        put(&values, "oatCelsius", oat),
        put(&values, "busVoltage", v[7]),
        put(&values, "inFlight", wow == 0.0 ? 1.0 : 0.0),
    });
    if (why != FeedReject::None) return why;
    set->count = 0;
    feedMerge(set, values);
    return FeedReject::None;
}

// "DATA", one byte, then whole rows of 36 bytes; rows other than the five
// read are skipped, and a datagram of only such rows has no known field.
FeedReject feedParseXPlane(const uint8_t* data, size_t size, FeedDataSet* set) {
    if (size <= XP_HEADER_BYTES || (size - XP_HEADER_BYTES) % XP_ROW_BYTES != 0)
        return FeedReject::Malformed;
    XpRows rows;
    bool known = false;
    for (size_t at = XP_HEADER_BYTES; at < size; at += XP_ROW_BYTES)
        known |= readRow(data + at, &rows);
    if (!known) return FeedReject::UnknownField;
    FeedDataSet values;
    const FeedReject why = putXpRows(rows, &values);
    if (why != FeedReject::None) return why;
    set->count = 0;
    feedMerge(set, values);
    return FeedReject::None;
}

double feedPressureAltitude(double staticPressureInHg) {
    return SCALE_FT *
           (1.0 - std::pow(staticPressureInHg / SEA_LEVEL_INHG, 1.0 / PRESSURE_EXPONENT));
}

double feedDensityAltitude(double pressureAltitudeFt, double oatCelsius) {
    return SCALE_FT *
           (1.0 - std::pow(densityRatio(pressureAltitudeFt, oatCelsius), DENSITY_EXPONENT));
}

// The dynamic pressure an indicated airspeed stands for, at the air's density.
double feedTrueAirspeed(double indicatedKt, double pressureAltitudeFt, double oatCelsius) {
    return indicatedKt / std::sqrt(densityRatio(pressureAltitudeFt, oatCelsius));
}
