// Telling the formats apart, splitting a datagram into its data sets, and the
// plain format. A plain value is read as a script's set line reads it
// (a float rounded once from its decimal text), so a fed value and a set line
// of the same text put the same bits into the device.
#include "desk/feed_formats.h"

#include <cstring>
#include <string>

#include "script/script.h"
#include "script/words.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr char XP_MAGIC[] = "DATA";
constexpr size_t XP_MAGIC_BYTES = sizeof XP_MAGIC - 1;

struct Alias {
    const char* name;
    const char* field;
};

// Short names a sender may use for the attitude angles.
constexpr Alias ALIASES[] = {{"roll", "rollAngle"}, {"pitch", "pitchAngle"}};

constexpr const char* FORMAT_NAMES[] = {"plain", "FlightGear", "X-Plane"};

// ---- Private helpers ----------------------------------------------------------

bool isPlainSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == ','; }

// Printable ASCII, tabs and carriage returns only.
bool isTextLine(std::string_view line) {
    for (char ch : line) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && c != '\t' && c != '\r') || c >= 0x7F) return false;
    }
    return true;
}

bool isBlank(std::string_view line) {
    for (char c : line)
        if (!isPlainSeparator(c)) return false;
    return true;
}

// The word read as a set line reads it; integer fields also take whole
// numbers written with a fraction of zero ("1.000000"), as programs send them.
FeedReject plainValue(const DeviceField& f, std::string_view w, double& v) {
    if (scriptFieldValue(f, w, v)) return FeedReject::None;
    double d = 0.0;
    const FeedReject why = feedParseNumber(w, d);
    if (why != FeedReject::None) return why;
    if (f.type == FieldType::Float || !deviceFieldAccepts(f, d)) return FeedReject::OutOfRange;
    v = d;
    return FeedReject::None;
}

// NAME=VALUE into set.
FeedReject plainPair(std::string_view pair, FeedDataSet* set) {
    const size_t eq = pair.find('=');
    if (eq == std::string_view::npos || eq == 0 || eq + 1 == pair.size())
        return FeedReject::Malformed;
    std::string_view name = pair.substr(0, eq);
    for (const Alias& a : ALIASES)
        if (wordEquals(name, a.name)) name = a.field;
    ScriptFieldRef ref;
    std::string error;
    if (!scriptFieldRef(name, ref, error))
        return ref.field == nullptr ? FeedReject::UnknownField : FeedReject::Malformed;
    double v = 0.0;
    const FeedReject why = plainValue(*ref.field, pair.substr(eq + 1), v);
    if (why == FeedReject::None) feedSetPut(set, ref.field, ref.row, ref.col, v);
    return why;
}

FeedReject parseLine(FeedFormat format, std::string_view line, FeedDataSet* set) {
    if (!isTextLine(line)) return FeedReject::Malformed;
    return format == FeedFormat::Plain ? feedParsePlainLine(line, set)
                                       : feedParseFlightGearLine(line, set);
}

void count(FeedParsed& p, FeedReject why) {
    if (why == FeedReject::None) {
        ++p.accepted;
        return;
    }
    if (p.dropped++ == 0) p.reject = why;
}

}  // namespace

// ---- Public operations --------------------------------------------------------

FeedFormat feedFormatOf(const uint8_t* data, size_t size) {
    if (size >= XP_MAGIC_BYTES && std::memcmp(data, XP_MAGIC, XP_MAGIC_BYTES) == 0)
        return FeedFormat::XPlane;
    return std::memchr(data, '=', size) != nullptr ? FeedFormat::Plain : FeedFormat::FlightGear;
}

// A text datagram holds one data set per line; blank lines are no data set.
// One without any data set counts as one malformed.
FeedParsed feedParseDatagram(const uint8_t* data, size_t size, FeedDataSet* into) {
    FeedParsed p{FeedFormat::Plain, 0, 0, FeedReject::None};
    if (size > FEED_MAX_DATAGRAM) {
        count(p, FeedReject::Oversized);
        return p;
    }
    p.format = feedFormatOf(data, size);
    FeedDataSet set;
    if (p.format == FeedFormat::XPlane) {
        const FeedReject why = feedParseXPlane(data, size, &set);
        count(p, why);
        if (why == FeedReject::None) feedMerge(into, set);
        return p;
    }
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        const std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        if (isBlank(line)) continue;
        set.count = 0;
        const FeedReject why = parseLine(p.format, line, &set);
        count(p, why);
        if (why == FeedReject::None) feedMerge(into, set);
    }
    if (p.accepted + p.dropped == 0) count(p, FeedReject::Malformed);
    return p;
}

// Pairs separated by blanks or commas; every pair must be good.
FeedReject feedParsePlainLine(std::string_view line, FeedDataSet* set) {
    FeedDataSet values;
    size_t i = 0;
    while (i < line.size()) {
        if (isPlainSeparator(line[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < line.size() && !isPlainSeparator(line[end])) ++end;
        const FeedReject why = plainPair(line.substr(i, end - i), &values);
        if (why != FeedReject::None) return why;
        i = end;
    }
    if (values.count == 0) return FeedReject::Malformed;
    set->count = 0;
    feedMerge(set, values);
    return FeedReject::None;
}

// A decimal number in double precision: None with d finite, or why not.
FeedReject feedParseNumber(std::string_view w, double& d) {
    switch (wordToDouble(w, d)) {
        case WordNumber::Finite: return FeedReject::None;
        case WordNumber::NotFinite: return FeedReject::NotFinite;
        case WordNumber::OutOfRange: return FeedReject::OutOfRange;
        case WordNumber::NotANumber: break;
    }
    return FeedReject::Malformed;
}

void feedSetPut(FeedDataSet* set, const DeviceField* f, int row, int col, double v) {
    for (int i = 0; i < set->count; ++i) {
        FeedValue& old = set->values[i];
        if (old.field == f && old.row == row && old.col == col) {
            old.value = v;
            return;
        }
    }
    if (set->count < FEED_MAX_VALUES) set->values[set->count++] = {f, row, col, v};
}

void feedMerge(FeedDataSet* into, const FeedDataSet& from) {
    for (int i = 0; i < from.count; ++i) {
        const FeedValue& v = from.values[i];
        feedSetPut(into, v.field, v.row, v.col, v.value);
    }
}

const char* feedFormatName(FeedFormat f) { return FORMAT_NAMES[static_cast<int>(f)]; }

const char* feedRejectText(FeedReject r) {
    switch (r) {
        case FeedReject::None: return "accepted";
        case FeedReject::Malformed: return "malformed";
        case FeedReject::UnknownField: return "unknown field";
        case FeedReject::NotFinite: return "value not finite";
        case FeedReject::OutOfRange: return "value out of range";
        case FeedReject::Oversized: return "datagram over 64 KiB";
    }
    return "?";
}
