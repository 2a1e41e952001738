// Rows of the device panel. A number moves on a grid of its step (so 14.1
// plus 0.1 is 14.2, not 14.200001), a flag is 0 or 1; the demo-mode row is
// settings slot 16, which the brightness dialog also changes.
#include "desk/panel_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "desk/feed.h"
#include "device/device.h"
#include "device/settings.h"
#include "device/settings_slots.h"

// ---- Types ----------------------------------------------------------------

namespace {

struct Row {
    const char* label;
    const char* field;  // device field name; null for the settings slot
    int index;          // element of an array field
    double step;        // numbers: one step; flags: 0
    int decimals;
    const char* unit;
    const char* stops;  // a flag field a change here switches off
};

// ---- Constants ------------------------------------------------------------

constexpr double FLAG = 0.0;

constexpr Row ROWS[] = {
    {"Bus voltage", "busVoltage", 0, 0.1, 1, " V", nullptr},
    {"Battery voltage", "batteryVoltage", 0, 0.1, 1, " V", nullptr},
    {"In flight", "inFlight", 0, FLAG, 0, "", nullptr},
    {"G reading", "gReading", 0, 0.1, 1, " G", nullptr},
    {"G limit 1", "gLimitInput", 0, FLAG, 0, "", nullptr},
    {"G limit 2", "gLimitInput", 1, FLAG, 0, "", nullptr},
    {"G limit 3", "gLimitInput", 2, FLAG, 0, "", nullptr},
    {"AOA angle", "aoaAngle", 0, 0.5, 1, " deg", nullptr},
    {"AOA limit 1", "aoaInput", 0, FLAG, 0, "", nullptr},
    {"AOA limit 2", "aoaInput", 1, FLAG, 0, "", nullptr},
    {"AOA limit 3", "aoaInput", 2, FLAG, 0, "", nullptr},
    {"AOA valid", "aoaValid", 0, FLAG, 0, "", nullptr},
    {"Airspeed", "trueAirspeed", 0, 1.0, 0, " kt", nullptr},
    {"Density alt.", "densityAltitude", 0, 100.0, 0, " ft", nullptr},
    {"Air data valid", "airDataValid", 0, FLAG, 0, "", nullptr},
    {"OAT", "oatCelsius", 0, 0.5, 1, " C", nullptr},
    {"OAT valid", "oatValid", 0, FLAG, 0, "", nullptr},
    {"Roll", "rollAngle", 0, 1.0, 1, " deg", nullptr},
    {"Pitch", "pitchAngle", 0, 1.0, 1, " deg", "pitchRamps"},
    {"Pitch ramps", "pitchRamps", 0, FLAG, 0, "", nullptr},
    {"Edition S", "discreteInput2Source", 0, FLAG, 0, "", nullptr},
    {"Temp. probe", "discreteInput1Source", 0, FLAG, 0, "", nullptr},
    {"Demo mode", nullptr, 0, FLAG, 0, "", nullptr},
};
static_assert(std::size(ROWS) == PANEL_ROWS, "one entry per panel row");

// ---- Module state ---------------------------------------------------------

struct PanelModelState {
    int selected = 0;  // the row that + and - change
};

PanelModelState model;

// ---- Private helpers ------------------------------------------------------

bool valid(int row) { return row >= 0 && row < PANEL_ROWS; }

const DeviceField* fieldOf(const char* name) {
    return name != nullptr ? deviceFieldFind(name) : nullptr;
}

// The row's field when it names one that exists with that element; looked
// up once, as the panel reads every row on every frame it is shown.
const DeviceField* rowField(int row) {
    static const auto fields = [] {
        std::array<const DeviceField*, PANEL_ROWS> found{};
        for (int r = 0; r < PANEL_ROWS; ++r) {
            const DeviceField* f = fieldOf(ROWS[r].field);
            found[r] = f != nullptr && deviceFieldHasElement(*f, ROWS[r].index, 0) ? f : nullptr;
        }
        return found;
    }();
    return fields[row];
}

double readRow(int row) {
    if (ROWS[row].field == nullptr) return settingsReadInt(SLOT_DEMO_MODE);
    const DeviceField* f = rowField(row);
    return f != nullptr ? deviceFieldRead(simDevice, *f, ROWS[row].index, 0) : 0.0;
}

// Writes v into the row's field or slot; one change, or none when refused.
int writeRow(int row, double v, PanelChange* out) {
    if (ROWS[row].field == nullptr) {
        const int32_t n = v != 0.0 ? 1 : 0;
        settingsWriteInt(SLOT_DEMO_MODE, n);
        *out = {nullptr, 0, 0.0, SLOT_DEMO_MODE, n};
        return 1;
    }
    const DeviceField* f = rowField(row);
    if (f == nullptr || !deviceFieldAccepts(*f, v)) return 0;
    deviceFieldWrite(simDevice, *f, ROWS[row].index, 0, v);
    *out = {f, ROWS[row].index, v, 0, 0};
    return 1;
}

// A field the change switches off, when it is on.
int stopRelated(int row, PanelChange* out) {
    const DeviceField* f = fieldOf(ROWS[row].stops);
    if (f == nullptr || deviceFieldRead(simDevice, *f, 0, 0) == 0.0) return 0;
    deviceFieldWrite(simDevice, *f, 0, 0, 0.0);
    *out = {f, 0, 0.0, 0, 0};
    return 1;
}

// The value steps away on the step's grid, inside the field's range.
double stepped(int row, int steps) {
    const Row& r = ROWS[row];
    const DeviceField* f = rowField(row);
    const double next = (std::round(readRow(row) / r.step) + steps) * r.step;
    return f != nullptr ? std::clamp(next, f->min, f->max) : next;
}

}  // namespace

// ---- Public operations ----------------------------------------------------

void panelModelReset() { model = {}; }

int panelSelected() { return model.selected; }

void panelSelectBy(int delta) {
    model.selected = ((model.selected + delta) % PANEL_ROWS + PANEL_ROWS) % PANEL_ROWS;
}

void panelSelect(int row) {
    if (valid(row)) model.selected = row;
}

PanelKind panelKind(int row) {
    return valid(row) && ROWS[row].step == FLAG ? PanelKind::Flag : PanelKind::Number;
}

const char* panelLabel(int row) { return valid(row) ? ROWS[row].label : ""; }

static_assert(SLOT_DEMO_MODE == 16, "the demo row's meaning names its slot");

const char* panelMeaning(int row) {
    if (!valid(row)) return "";
    if (ROWS[row].field == nullptr) return "settings slot 16: the pages show the demo motion";
    const DeviceField* f = rowField(row);
    return f != nullptr ? f->meaning : "";
}

// Flags as on/off, numbers with the row's decimals and unit.
void panelValueText(int row, char (&out)[PANEL_TEXT_CAPACITY]) {
    if (!valid(row)) {
        out[0] = '\0';
        return;
    }
    if (panelKind(row) == PanelKind::Flag) {
        std::snprintf(out, sizeof out, "%s", panelOn(row) ? "on" : "off");
        return;
    }
    std::snprintf(out, sizeof out, "%.*f%s", ROWS[row].decimals, readRow(row), ROWS[row].unit);
}

bool panelOn(int row) { return valid(row) && readRow(row) != 0.0; }

bool panelLive(int row) {
    const DeviceField* f = valid(row) ? rowField(row) : nullptr;
    return f != nullptr && feedDrives(deskFeed(), *f, ROWS[row].index, 0);
}

// Numbers move on their grid; flags go on or off by the sign of steps.
int panelAdjust(int row, int steps, PanelChange (&changes)[PANEL_MAX_CHANGES]) {
    if (!valid(row) || steps == 0 || panelLive(row)) return 0;
    if (panelKind(row) == PanelKind::Flag) {
        const bool on = steps > 0;
        return panelOn(row) == on ? 0 : writeRow(row, on ? 1.0 : 0.0, &changes[0]);
    }
    const double v = stepped(row, steps);
    const bool same = static_cast<float>(v) == static_cast<float>(readRow(row));
    int n = same ? 0 : writeRow(row, v, &changes[0]);
    if (n > 0) n += stopRelated(row, &changes[n]);
    return n;
}

int panelToggle(int row, PanelChange (&changes)[PANEL_MAX_CHANGES]) {
    if (!valid(row) || panelKind(row) != PanelKind::Flag) return 0;
    return panelAdjust(row, panelOn(row) ? -1 : 1, changes);
}

bool panelRowsResolve() {
    for (int row = 0; row < PANEL_ROWS; ++row)
        if (ROWS[row].field != nullptr && rowField(row) == nullptr) return false;
    for (const Row& r : ROWS)
        if (r.stops != nullptr && fieldOf(r.stops) == nullptr) return false;
    return true;
}
