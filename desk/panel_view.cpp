// Panel layout: a title, PANEL_ROWS rows of PANEL_ROW_HEIGHT pixels, and a
// hint line at the bottom. Each row: the label on the left, the value right-
// aligned before the controls, the controls at the right edge.
#include "desk/panel_view.h"

#include "desk/colours.h"
#include "desk/ui_text.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int W = PANEL_WIDTH;
constexpr int H = VIEW_HEIGHT;

constexpr uint32_t SELECTED = 0xFF2A3038u;
constexpr uint32_t SEPARATOR = 0xFF33383Fu;
constexpr uint32_t BUTTON = 0xFF3A4048u;
constexpr uint32_t SWITCH_ON = DESK_GOOD;
constexpr uint32_t SWITCH_OFF = 0xFF5A3030u;
constexpr uint32_t LIVE = 0xFF2A5C8Au;  // a value the feed drives

constexpr int MARK_WIDTH = 3;
constexpr int LABEL_X = 10;
constexpr int VALUE_RIGHT = 168;
constexpr int MINUS_X = 174;
constexpr int PLUS_X = 202;
constexpr int BUTTON_W = 24;
constexpr int SWITCH_X = MINUS_X;
constexpr int SWITCH_W = PLUS_X + BUTTON_W - MINUS_X;
constexpr int CONTROL_INSET = 2;  // controls stand 2 px inside their row
constexpr int TITLE_CY = 16;
constexpr int HINT_Y = 528;
constexpr int TEXT_H = UI_TEXT_HEIGHT;

static_assert(PANEL_FIRST_ROW_Y + PANEL_ROWS * PANEL_ROW_HEIGHT <= HINT_Y,
              "rows end above the hint line");
static_assert(PLUS_X + BUTTON_W <= W, "controls fit the panel");

// ---- Private helpers ------------------------------------------------------

int rowTop(int row) { return PANEL_FIRST_ROW_Y + row * PANEL_ROW_HEIGHT; }

void button(uint32_t* p, int x, int top, const char* text) {
    gfx_fill_rect(p, W, H, x, top + CONTROL_INSET, x + BUTTON_W,
                  top + PANEL_ROW_HEIGHT - CONTROL_INSET, BUTTON);
    uiTextCentred(p, W, H, x + BUTTON_W / 2, top + PANEL_ROW_HEIGHT / 2, DESK_TEXT, text);
}

void switchBox(uint32_t* p, int top, bool on) {
    gfx_fill_rect(p, W, H, SWITCH_X, top + CONTROL_INSET, SWITCH_X + SWITCH_W,
                  top + PANEL_ROW_HEIGHT - CONTROL_INSET, on ? SWITCH_ON : SWITCH_OFF);
    uiTextCentred(p, W, H, SWITCH_X + SWITCH_W / 2, top + PANEL_ROW_HEIGHT / 2, DESK_TEXT,
                  on ? "on" : "off");
}

// In place of the controls: the value comes from the feed.
void liveBox(uint32_t* p, int top) {
    gfx_fill_rect(p, W, H, SWITCH_X, top + CONTROL_INSET, SWITCH_X + SWITCH_W,
                  top + PANEL_ROW_HEIGHT - CONTROL_INSET, LIVE);
    uiTextCentred(p, W, H, SWITCH_X + SWITCH_W / 2, top + PANEL_ROW_HEIGHT / 2, DESK_TEXT, "live");
}

bool within(int v, int lo, int width) { return v >= lo && v < lo + width; }

}  // namespace

// ---- Public operations ----------------------------------------------------

void panelDrawAll(uint32_t* picture) {
    gfx_fill_rect(picture, W, H, 0, 0, W, H, DESK_BACKGROUND);
    gfx_fill_rect(picture, W, H, 0, 0, 1, H, SEPARATOR);
    font_draw_text_centered(picture, W, H, FONT_TEXT_18, W / 2, TITLE_CY, DESK_TEXT, "Device");
    for (int row = 0; row < PANEL_ROWS; ++row) panelDrawRow(picture, row);
    panelDrawFooter(picture, PANEL_HINT);
}

// The bottom line, cleared first.
HostRect panelDrawFooter(uint32_t* picture, const char* text) {
    gfx_fill_rect(picture, W, H, 1, HINT_Y, W, HINT_Y + TEXT_H, DESK_BACKGROUND);
    uiTextCentred(picture, W, H, W / 2, HINT_Y + TEXT_H / 2, DESK_HINT, text);
    return {0, HINT_Y, W, TEXT_H};
}

// Background, selection mark, label, value and controls of one row.
HostRect panelDrawRow(uint32_t* picture, int row) {
    if (row < 0 || row >= PANEL_ROWS) return {0, 0, 0, 0};
    const int top = rowTop(row);
    const bool selected = row == panelSelected();
    gfx_fill_rect(picture, W, H, 1, top, W, top + PANEL_ROW_HEIGHT,
                  selected ? SELECTED : DESK_BACKGROUND);
    if (selected)
        gfx_fill_rect(picture, W, H, 1, top, 1 + MARK_WIDTH, top + PANEL_ROW_HEIGHT, DESK_ACCENT);
    const int textY = top + (PANEL_ROW_HEIGHT - TEXT_H) / 2;
    uiText(picture, W, H, LABEL_X, textY, DESK_SOFT_TEXT, panelLabel(row));
    if (panelLive(row)) {
        char value[PANEL_TEXT_CAPACITY];
        panelValueText(row, value);
        uiTextRight(picture, W, H, VALUE_RIGHT, textY, DESK_TEXT, value);
        liveBox(picture, top);
    } else if (panelKind(row) == PanelKind::Flag) {
        switchBox(picture, top, panelOn(row));
    } else {
        char value[PANEL_TEXT_CAPACITY];
        panelValueText(row, value);
        uiTextRight(picture, W, H, VALUE_RIGHT, textY, DESK_TEXT, value);
        button(picture, MINUS_X, top, "-");
        button(picture, PLUS_X, top, "+");
    }
    return {0, top, W, PANEL_ROW_HEIGHT};
}

// Rows by height; controls by their columns. A live row has none.
PanelHit panelHitTest(int x, int y) {
    if (x < 0 || x >= W || y < PANEL_FIRST_ROW_Y) return {-1, PanelPart::None};
    const int row = (y - PANEL_FIRST_ROW_Y) / PANEL_ROW_HEIGHT;
    if (row >= PANEL_ROWS) return {-1, PanelPart::None};
    if (panelLive(row)) return {row, PanelPart::Label};
    if (panelKind(row) == PanelKind::Flag) {
        return {row, within(x, SWITCH_X, SWITCH_W) ? PanelPart::Switch : PanelPart::Label};
    }
    if (within(x, MINUS_X, BUTTON_W)) return {row, PanelPart::Minus};
    if (within(x, PLUS_X, BUTTON_W)) return {row, PanelPart::Plus};
    return {row, PanelPart::Label};
}
