// The device field list of the headless runner.
#include "platform/headless/fields.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "device/device_fields.h"

// ---- Private helpers ----------------------------------------------------------

namespace {

// The shortest decimal without an exponent: 1000000, not 1e+06.
std::string number(double v) {
    char text[64];
    const auto r = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed);
    return std::string(text, r.ptr);
}

std::string nameWithIndices(const DeviceField& f) {
    std::string s = f.name;
    if (f.indices >= 1) s += "[0.." + std::to_string(f.rows - 1) + "]";
    if (f.indices == 2) s += "[0.." + std::to_string(f.cols - 1) + "]";
    return s;
}

bool isFlag(const DeviceField& f) { return f.type == FieldType::Int && f.min == 0 && f.max == 1; }

const char* kind(const DeviceField& f) {
    if (f.type == FieldType::Float) return "number";
    if (f.type == FieldType::Colour) return "colour";
    return isFlag(f) ? "flag" : "whole";
}

std::string values(const DeviceField& f) {
    if (isFlag(f)) return "0 or 1";
    if (f.type == FieldType::Colour) return "0x00000000 to 0xFFFFFFFF";
    return number(f.min) + " to " + number(f.max);
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

// Columns as wide as their longest entry.
void headlessPrintFields(std::FILE* out) {
    size_t nameWidth = std::string("field").size(), valueWidth = std::string("values").size();
    for (int i = 0; i < deviceFieldCount(); ++i) {
        nameWidth = std::max(nameWidth, nameWithIndices(deviceFieldAt(i)).size());
        valueWidth = std::max(valueWidth, values(deviceFieldAt(i)).size());
    }
    const int nw = static_cast<int>(nameWidth), vw = static_cast<int>(valueWidth);
    std::fprintf(out, "%-*s  %-6s  %-*s  %s\n", nw, "field", "kind", vw, "values", "meaning");
    for (int i = 0; i < deviceFieldCount(); ++i) {
        const DeviceField& f = deviceFieldAt(i);
        std::fprintf(out, "%-*s  %-6s  %-*s  %s\n", nw, nameWithIndices(f).c_str(), kind(f), vw,
                     values(f).c_str(), f.meaning);
    }
}
