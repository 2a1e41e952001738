// Panel state in the window. Each row's shown text is remembered, so a refresh
// redraws (and the window presents) only rows that changed, such as the pitch
// while it ramps.
#include "desk/panel.h"

#include <cstring>

#include "desk/panel_view.h"
#include "desk/view.h"

// ---- Module state ---------------------------------------------------------

namespace {

// What the panel shows, row by row.
struct PanelState {
    bool shown = false;
    char drawnText[PANEL_ROWS][PANEL_TEXT_CAPACITY] = {};
    int drawnSelection = -1;
};

PanelState panel;
uint32_t picture[PANEL_WIDTH * VIEW_HEIGHT];

// ---- Private helpers ------------------------------------------------------

void rememberRow(int row) { panelValueText(row, panel.drawnText[row]); }

void drawAll() {
    panelDrawAll(picture);
    for (int row = 0; row < PANEL_ROWS; ++row) rememberRow(row);
    panel.drawnSelection = panelSelected();
}

void redrawRow(int row) {
    deskViewPanelChanged(panelDrawRow(picture, row));
    rememberRow(row);
}

int adjustSelected(int steps, PanelChange (&changes)[PANEL_MAX_CHANGES]) {
    return panelAdjust(panelSelected(), steps, changes);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

void deskPanelReset() {
    panelModelReset();
    deskPanelSetShown(false);
}

// Drawn afresh whenever it is shown.
void deskPanelSetShown(bool show) {
    panel.shown = show;
    if (panel.shown) drawAll();
    deskViewSetPanel(panel.shown ? picture : nullptr);
}

bool deskPanelShown() { return panel.shown; }

void deskPanelRefresh() {
    if (!panel.shown) return;
    const int selection = panelSelected();
    for (int row = 0; row < PANEL_ROWS; ++row) {
        char text[PANEL_TEXT_CAPACITY];
        panelValueText(row, text);
        const bool moved = (row == selection) != (row == panel.drawnSelection);
        if (moved || std::strcmp(text, panel.drawnText[row]) != 0) redrawRow(row);
    }
    panel.drawnSelection = selection;
}

int deskPanelCommand(DeskCommand c, PanelChange (&changes)[PANEL_MAX_CHANGES]) {
    switch (c) {
        case DeskCommand::PanelNext: panelSelectBy(1); return 0;
        case DeskCommand::PanelPrevious: panelSelectBy(-1); return 0;
        case DeskCommand::PanelIncrease: return adjustSelected(1, changes);
        case DeskCommand::PanelDecrease: return adjustSelected(-1, changes);
        case DeskCommand::PanelIncreaseMore: return adjustSelected(PANEL_MORE_STEPS, changes);
        case DeskCommand::PanelDecreaseMore: return adjustSelected(-PANEL_MORE_STEPS, changes);
        case DeskCommand::PanelToggle: return panelToggle(panelSelected(), changes);
        default: return 0;
    }
}

int deskPanelClick(int x, int y, bool shift, PanelChange (&changes)[PANEL_MAX_CHANGES]) {
    const PanelHit hit = panelHitTest(x, y);
    if (hit.row < 0) return 0;
    panelSelect(hit.row);
    const int steps = shift ? PANEL_MORE_STEPS : 1;
    switch (hit.part) {
        case PanelPart::Minus: return panelAdjust(hit.row, -steps, changes);
        case PanelPart::Plus: return panelAdjust(hit.row, steps, changes);
        case PanelPart::Switch: return panelToggle(hit.row, changes);
        default: return 0;
    }
}

int deskPanelWheel(int x, int y, int notches, PanelChange (&changes)[PANEL_MAX_CHANGES]) {
    const PanelHit hit = panelHitTest(x, y);
    if (hit.row < 0 || notches == 0) return 0;
    panelSelect(hit.row);
    return panelAdjust(hit.row, notches, changes);
}
