// The window's own texts, drawn in UI_FONT with the unit's glyph blend.
#include "desk/ui_text.h"

// ---- Public operations ----------------------------------------------------

void uiText(uint32_t* buf, int w, int h, int x, int y, uint32_t colour, const char* s) {
    font_record_draw_text(buf, w, h, UI_FONT, x, y, colour, s);
}

// Halves rounded towards zero, as the unit's centred texts are.
void uiTextCentred(uint32_t* buf, int w, int h, int cx, int cy, uint32_t colour, const char* s) {
    uiText(buf, w, h, cx - uiTextWidth(s) / 2, cy - UI_TEXT_HEIGHT / 2, colour, s);
}

void uiTextRight(uint32_t* buf, int w, int h, int xr, int y, uint32_t colour, const char* s) {
    uiText(buf, w, h, xr - uiTextWidth(s), y, colour, s);
}

int uiTextWidth(const char* s) { return font_record_text_width(UI_FONT, s); }
