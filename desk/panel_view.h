// The device panel as drawn beside the bezel: one row per value with its
// label, its value and its controls ("-" and "+" for a number, an on/off
// switch for a flag, or "live" for a value a feed drives), the selected row
// marked. Drawn with the unit's own
// primitives and fonts into a bottom-up picture, a row at a time.
#pragma once

#include <cstdint>

#include "desk/panel_model.h"
#include "desk/view.h"

inline constexpr int PANEL_FIRST_ROW_Y = 34;
inline constexpr int PANEL_ROW_HEIGHT = 21;
inline constexpr const char* PANEL_HINT = "Tab  + -  Space  Shift: x10";
inline constexpr int PANEL_FOOTER_CAPACITY = 64;

// Where a position in the panel falls.
enum class PanelPart : uint8_t { None, Label, Minus, Plus, Switch };

struct PanelHit {
    int row;  // -1 outside the rows
    PanelPart part;
};

// Title, every row and the key hint, into a bottom-up PANEL_WIDTH x VIEW_HEIGHT picture.
void panelDrawAll(uint32_t* picture);
// Redraws the line under the rows (the key hint, or what the feed dropped);
// returns its rectangle in panel coordinates.
HostRect panelDrawFooter(uint32_t* picture, const char* text);
// Redraws one row (a live one with its value and "live" in place of the
// controls); returns its rectangle in panel coordinates.
HostRect panelDrawRow(uint32_t* picture, int row);
// What lies at (x, y) in panel coordinates.
PanelHit panelHitTest(int x, int y);
