// The simulated device's fields by name, with their type, shape and accepted
// range, so that scripts and the window's live controls change simDevice
// through one table instead of each knowing its layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "device/device.h"

enum class FieldType : uint8_t {
    Float,   // single-precision reading
    Int,     // signed integer: flags, levels
    Colour,  // 32-bit 0xAARRGGBB
};

// One field of SimDevice. Arrays have one or two indices counted from 0 as in
// the struct; a scalar has rows = cols = 1 and no index.
struct DeviceField {
    const char* name;  // the member's name in SimDevice
    FieldType type;
    size_t offset;  // of the first element within SimDevice
    int rows;       // range of the first index
    int cols;       // range of the second index
    int indices;    // 0 scalar, 1 or 2
    double min;     // accepted values, inclusive
    double max;
    const char* meaning;  // one line for help texts and controls
};

// Every field's elements are four bytes, so SimDevice holds this many, each
// with its own index (deviceFieldElement).
inline constexpr size_t DEVICE_ELEMENT_BYTES = 4;
inline constexpr int DEVICE_ELEMENT_COUNT =
    static_cast<int>(sizeof(SimDevice) / DEVICE_ELEMENT_BYTES);

// Fields in the order of SimDevice.
int deviceFieldCount();
// Field i, 0 <= i < deviceFieldCount().
const DeviceField& deviceFieldAt(int i);
// The field of that name (letter case ignored), or null.
const DeviceField* deviceFieldFind(std::string_view name);
// True when v may be stored in the field: within its range, and whole for
// integer and colour fields.
bool deviceFieldAccepts(const DeviceField& f, double v);
// True when (row, col) addresses an element of the field.
bool deviceFieldHasElement(const DeviceField& f, int row, int col);
// The index of element (row, col) of the field among all of SimDevice's,
// 0 to DEVICE_ELEMENT_COUNT - 1.
int deviceFieldElement(const DeviceField& f, int row, int col);
// Stores v (already accepted) in element (row, col) of the field in dev.
void deviceFieldWrite(SimDevice& dev, const DeviceField& f, int row, int col, double v);
// Element (row, col) of the field in dev; every float, int and colour is
// exact in a double.
double deviceFieldRead(const SimDevice& dev, const DeviceField& f, int row, int col);
