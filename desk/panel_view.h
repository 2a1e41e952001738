// The device panel as drawn beside the bezel: one row per value with its
// label, its value and its controls ("-" and "+" for a number, an on/off
// switch for a flag), the selected row marked. Drawn with the unit's own
// primitives and fonts into a bottom-up picture, a row at a time.
#pragma once

#include <cstdint>

#include "desk/panel_model.h"
#include "desk/view.h"

inline constexpr int PANEL_FIRST_ROW_Y = 34;
inline constexpr int PANEL_ROW_HEIGHT = 21;

// Where a position in the panel falls.
enum class PanelPart : uint8_t { None, Label, Minus, Plus, Switch };

struct PanelHit {
    int row;  // -1 outside the rows
    PanelPart part;
};

// Title, every row and the hint line, into a bottom-up PANEL_WIDTH x VIEW_HEIGHT picture.
void panelDrawAll(uint32_t* picture);
// Redraws one row; returns its rectangle in panel coordinates.
HostRect panelDrawRow(uint32_t* picture, int row);
// What lies at (x, y) in panel coordinates.
PanelHit panelHitTest(int x, int y);
