// The three formats a feed of live readings may arrive in, told apart by
// content, and their parsers: the project's plain format (lines of
// FIELD=VALUE pairs with the field names of a script's set line), the ASCII
// lines of the flight simulator protocol file shipped as
// share/qx70/flightgear/qx70.xml, and the DATA datagrams of the other flight
// simulator's network output. Each data set is accepted whole or refused
// whole: a unit never sees half of one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "device/device_fields.h"

// ---- Constants ----------------------------------------------------------------

inline constexpr size_t FEED_MAX_DATAGRAM = 64 * 1024;  // larger datagrams are dropped
// Every element of SimDevice at most once: a data set never needs more.
inline constexpr int FEED_MAX_VALUES = DEVICE_ELEMENT_COUNT;
// Values of one line of the flight simulator protocol, in this order: roll,
// pitch, normal load factor, angle of attack, indicated airspeed, pressure
// altitude, outside-air temperature, bus volts, weight on wheels.
inline constexpr int FEED_FG_VALUES = 9;
// The DATA rows read: speeds, G load, atmosphere at the aircraft, pitch and
// roll, angle of attack. Other rows are skipped.
inline constexpr int XP_ROW_SPEEDS = 3;
inline constexpr int XP_ROW_LOAD = 4;
inline constexpr int XP_ROW_ATMOSPHERE = 6;
inline constexpr int XP_ROW_ATTITUDE = 17;
inline constexpr int XP_ROW_AOA = 18;
inline constexpr size_t XP_HEADER_BYTES = 5;  // "DATA" and one byte
inline constexpr size_t XP_ROW_BYTES = 36;    // index and eight values, little-endian

// ---- Types --------------------------------------------------------------------

enum class FeedFormat : uint8_t { Plain, FlightGear, XPlane };

// Why a data set or datagram was refused.
enum class FeedReject : uint8_t {
    None,
    Malformed,     // not the format's syntax, or partial
    UnknownField,  // a name that is no device field
    NotFinite,     // NaN or infinity
    OutOfRange,    // outside what the field accepts
    Oversized,     // a datagram over FEED_MAX_DATAGRAM
};

// One element of a device field and the value it is to take (already a
// float for float fields, whole for the others).
struct FeedValue {
    const DeviceField* field;
    int row;
    int col;
    double value;
};

// The values of one data set, or of several merged (later values replace
// earlier ones of the same element).
struct FeedDataSet {
    FeedValue values[FEED_MAX_VALUES];
    int count = 0;
};

// What one datagram gave.
struct FeedParsed {
    FeedFormat format;
    int accepted;       // data sets merged
    int dropped;        // data sets (or the whole datagram) refused
    FeedReject reject;  // why the first refused one was refused
};

// ---- Public operations --------------------------------------------------------

// "DATA" in front: the network output; a '=' anywhere: the plain format;
// anything else: the protocol file's lines.
FeedFormat feedFormatOf(const uint8_t* data, size_t size);
// Parses a datagram of any format and merges each accepted data set into into.
FeedParsed feedParseDatagram(const uint8_t* data, size_t size, FeedDataSet* into);
// One line of the plain format; "roll" and "pitch" stand for rollAngle and
// pitchAngle. set is filled only when the line is accepted.
FeedReject feedParsePlainLine(std::string_view line, FeedDataSet* set);
// One line of the protocol file's FEED_FG_VALUES comma-separated numbers.
FeedReject feedParseFlightGearLine(std::string_view line, FeedDataSet* set);
// One DATA datagram.
FeedReject feedParseXPlane(const uint8_t* data, size_t size, FeedDataSet* set);
// A decimal number as double: None with d finite, else why it is refused.
FeedReject feedParseNumber(std::string_view w, double& d);
// Adds value v for element (row, col) of f, replacing one already there.
void feedSetPut(FeedDataSet* set, const DeviceField* f, int row, int col, double v);
// Puts every value of from into into, in order.
void feedMerge(FeedDataSet* into, const FeedDataSet& from);
const char* feedFormatName(FeedFormat f);
const char* feedRejectText(FeedReject r);

// The standard atmosphere, for sources that send no density altitude.
// Pressure altitude (feet) of a static pressure in inches of mercury.
double feedPressureAltitude(double staticPressureInHg);
// Density altitude (feet) at a pressure altitude (feet) and outside-air
// temperature (degrees C); not finite where the atmosphere has no answer.
double feedDensityAltitude(double pressureAltitudeFt, double oatCelsius);
// True airspeed (knots) of an indicated airspeed at that pressure altitude and temperature.
double feedTrueAirspeed(double indicatedKt, double pressureAltitudeFt, double oatCelsius);
