// The device panel in the window (F2): shown beside the bezel, kept in step
// with the values it shows (the unit and the brightness dialog change some of
// them too), and operated with the mouse and the keys.
#pragma once

#include "desk/keys.h"
#include "desk/panel_model.h"

// Hidden, first row selected.
void deskPanelReset();
void deskPanelSetShown(bool shown);
bool deskPanelShown();
// Redraws the rows whose value or selection changed since they were drawn.
void deskPanelRefresh();
// A panel key command; returns the writes it made into changes.
int deskPanelCommand(DeskCommand c, PanelChange (&changes)[PANEL_MAX_CHANGES]);
// A left click at (x, y) in panel coordinates: selects the row, and "-", "+"
// (ten steps with shift) or the switch change its value.
int deskPanelClick(int x, int y, bool shift, PanelChange (&changes)[PANEL_MAX_CHANGES]);
// The mouse wheel over (x, y): steps notches on the row there.
int deskPanelWheel(int x, int y, int notches, PanelChange (&changes)[PANEL_MAX_CHANGES]);
