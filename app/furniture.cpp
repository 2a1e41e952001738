// Screen furniture shared by the pages, the dialogs and the setup menu.
// Every operation -> font_draw_text_centered, font_draw_text_vertical,
// gfx_draw_icon or gfx_fill_rect.
#include "app/furniture.h"

#include "app/colours.h"
#include "app/controller.h"
#include "app/navigation.h"
#include "app/number_text.h"
#include "gfx/font.h"
#include "gfx/gfx.h"
#include "gfx/icons.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int UP_HINT_X = 3;
constexpr int UP_HINT_Y = 35;
constexpr int DOWN_HINT_X = 3;
constexpr int DOWN_HINT_Y = 110;
constexpr int RIGHT_LABEL_X = 122;
constexpr int RIGHT_LABEL_Y = 100;
constexpr int BOTTOM_LABEL_Y = 150;

constexpr int FIELD_UP_HINT_X = 5;
constexpr int FIELD_UP_HINT_Y = 36;
constexpr int FIELD_DOWN_HINT_X = 5;
constexpr int FIELD_DOWN_HINT_Y = 110;
constexpr int FIELD_NEXT_HINT_X = 115;
constexpr int FIELD_NEXT_HINT_Y = 110;

constexpr uint32_t INDICATOR_COLOUR = COLOUR_WHITE;
constexpr int INDICATOR_ARROW_Y = 143;
constexpr int INDICATOR_LEFT_ARROW_X = 2;
constexpr int INDICATOR_RIGHT_ARROW_X = 119;
constexpr int INDICATOR_BAR_TOP = 145;
constexpr int INDICATOR_BAR_BOTTOM = 156;
constexpr int INDICATOR_BAR_WIDTH = 2;
constexpr int INDICATOR_BAR_STEP = 4;
constexpr int INDICATOR_FIRST_LEFT_BAR = 12;
constexpr int INDICATOR_FIRST_RIGHT_BAR = 115;

// ---- Private helpers --------------------------------------------------------------

void drawHint(uint32_t* fb, const Icon4& icon, int x, int y) {
    gfx_draw_icon(fb, FB_WIDTH, FB_HEIGHT, icon, x, y, COLOUR_WHITE);
}

void drawIndicatorBar(uint32_t* fb, int x) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, x, INDICATOR_BAR_TOP, x + INDICATOR_BAR_WIDTH,
                  INDICATOR_BAR_BOTTOM, INDICATOR_COLOUR);
}

}  // namespace

// ---- Public operations --------------------------------------------------------

// Centred on the screen's middle column with font_draw_text_centered.
void drawCentredText(uint32_t* fb, int font, int y, uint32_t colour, const char* text) {
    font_draw_text_centered(fb, FB_WIDTH, FB_HEIGHT, font, SCREEN_CENTRE_X, y, colour, text);
}

// In decimal, centred on the screen's middle column.
void drawCentredInt(uint32_t* fb, int font, int y, uint32_t colour, int value) {
    char text[NUMBER_TEXT_SIZE];
    intText(value, text);
    drawCentredText(fb, font, y, colour, text);
}

// Up beside ViewButton, down beside LeftButton.
void drawUpDownHints(uint32_t* fb, bool up, bool down) {
    if (up) drawHint(fb, ICON_TRI_UP, UP_HINT_X, UP_HINT_Y);
    if (down) drawHint(fb, ICON_TRI_DOWN, DOWN_HINT_X, DOWN_HINT_Y);
}

// Written downwards beside RightButton.
void drawRightLabel(uint32_t* fb, const char* text, uint32_t colour) {
    font_draw_text_vertical(fb, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, RIGHT_LABEL_X, RIGHT_LABEL_Y,
                            colour, text);
}

// Above BothButton.
void drawBottomLabel(uint32_t* fb, const char* text, uint32_t colour) {
    drawCentredText(fb, FONT_TEXT_14, BOTTOM_LABEL_Y, colour, text);
}

// Beside RightButton, LeftButton and ViewButton.
void drawFieldEditorHints(uint32_t* fb) {
    drawHint(fb, ICON_TRI_RIGHT, FIELD_NEXT_HINT_X, FIELD_NEXT_HINT_Y);
    drawHint(fb, ICON_TRI_DOWN, FIELD_DOWN_HINT_X, FIELD_DOWN_HINT_Y);
    drawHint(fb, ICON_TRI_UP, FIELD_UP_HINT_X, FIELD_UP_HINT_Y);
}

// Arrows at both ends, a bar for each enabled page before and after the active one.
void drawPageIndicator(uint32_t* fb) {
    const int active = controller.activePage;
    if (active >= 1) {
        gfx_draw_icon(fb, FB_WIDTH, FB_HEIGHT, ICON_TRI_LEFT, INDICATOR_LEFT_ARROW_X,
                      INDICATOR_ARROW_Y, INDICATOR_COLOUR);
    }
    if (active <= 7) {
        gfx_draw_icon(fb, FB_WIDTH, FB_HEIGHT, ICON_TRI_RIGHT, INDICATOR_RIGHT_ARROW_X,
                      INDICATOR_ARROW_Y, INDICATOR_COLOUR);
    }
    int x = INDICATOR_FIRST_LEFT_BAR;
    for (int page = FIRST_NAVIGABLE_PAGE; page < active && page <= LAST_NAVIGABLE_PAGE; ++page) {
        if (!pageEnabled(page)) continue;
        drawIndicatorBar(fb, x);
        x += INDICATOR_BAR_STEP;
    }
    x = INDICATOR_FIRST_RIGHT_BAR;
    for (int page = LAST_NAVIGABLE_PAGE; page > active && page >= FIRST_NAVIGABLE_PAGE; --page) {
        if (!pageEnabled(page)) continue;
        drawIndicatorBar(fb, x);
        x -= INDICATOR_BAR_STEP;
    }
}
