// Panel state in the window. Each row's shown text is remembered, so a refresh
// redraws (and the window presents) only rows that changed, such as the pitch
// while it ramps or a value a feed drives.
#include "desk/panel.h"

#include <cstdio>
#include <cstring>

#include "desk/feed.h"
#include "desk/panel_view.h"
#include "desk/view.h"

// ---- Module state ---------------------------------------------------------

namespace {

// What the panel shows, row by row.
struct PanelState {
    bool shown = false;
    char drawnText[PANEL_ROWS][PANEL_TEXT_CAPACITY] = {};
    bool drawnLive[PANEL_ROWS] = {};
    int drawnSelection = -1;
    char drawnFooter[PANEL_FOOTER_CAPACITY] = "";
};

PanelState panel;
uint32_t picture[PANEL_WIDTH * VIEW_HEIGHT];

// ---- Private helpers ------------------------------------------------------

void rememberRow(int row) {
    panelValueText(row, panel.drawnText[row]);
    panel.drawnLive[row] = panelLive(row);
}

// The key hint, or with a feed how much it dropped and why the last was.
void footerText(char (&out)[PANEL_FOOTER_CAPACITY]) {
    const FeedState& feed = deskFeed();
    if (feed.source[0] == '\0') {
        std::snprintf(out, sizeof out, "%s", PANEL_HINT);
    } else if (feed.dropped == 0) {
        std::snprintf(out, sizeof out, "Feed: nothing dropped");
    } else {
        std::snprintf(out, sizeof out, "Feed dropped %lld: %s", feed.dropped,
                      feedRejectText(feed.lastReject));
    }
}

void drawFooter(const char* text) {
    deskViewPanelChanged(panelDrawFooter(picture, text));
    std::snprintf(panel.drawnFooter, sizeof panel.drawnFooter, "%s", text);
}

void drawAll() {
    panelDrawAll(picture);
    for (int row = 0; row < PANEL_ROWS; ++row) rememberRow(row);
    panel.drawnSelection = panelSelected();
    char footer[PANEL_FOOTER_CAPACITY];
    footerText(footer);
    drawFooter(footer);
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
        const bool changed =
            std::strcmp(text, panel.drawnText[row]) != 0 || panelLive(row) != panel.drawnLive[row];
        if (moved || changed) redrawRow(row);
    }
    panel.drawnSelection = selection;
    char footer[PANEL_FOOTER_CAPACITY];
    footerText(footer);
    if (std::strcmp(footer, panel.drawnFooter) != 0) drawFooter(footer);
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
