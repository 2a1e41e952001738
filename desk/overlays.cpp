// The key help box and the message bar. Both are drawn once when they change,
// never per frame; the window picture lays them over the bezel.
#include "desk/overlays.h"

#include <cstring>

#include "desk/colours.h"
#include "gfx/font.h"
#include "gfx/gfx.h"

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int BORDER_WIDTH = 2;
constexpr int MARGIN = 16;
constexpr int TITLE_Y = 12;
constexpr int FIRST_LINE_Y = 40;
constexpr int LINE_HEIGHT = 18;
constexpr int ACTION_X = 150;
constexpr const char ELLIPSIS[] = "...";

static_assert(FIRST_LINE_Y + LINE_HEIGHT * DESK_KEY_HELP_LINES + 30 <= HELP_HEIGHT,
              "help lines fit the box");

// ---- Private helpers ------------------------------------------------------

void frame(uint32_t* p, int w, int h) {
    gfx_fill_rect(p, w, h, 0, 0, w, h, DESK_ACCENT);
    gfx_fill_rect(p, w, h, BORDER_WIDTH, BORDER_WIDTH, w - BORDER_WIDTH, h - BORDER_WIDTH,
                  DESK_BACKGROUND);
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Title, one line per key group, and how to close it.
void overlayDrawHelp(uint32_t* picture) {
    constexpr int w = HELP_WIDTH, h = HELP_HEIGHT;
    frame(picture, w, h);
    font_draw_text_centered(picture, w, h, FONT_TEXT_18, w / 2, TITLE_Y + 9, DESK_TEXT, "Keys");
    for (int i = 0; i < DESK_KEY_HELP_LINES; ++i) {
        const int y = FIRST_LINE_Y + LINE_HEIGHT * i;
        font_draw_text(picture, w, h, FONT_TEXT_14, MARGIN, y, DESK_ACCENT, deskKeyHelp[i].keys);
        font_draw_text(picture, w, h, FONT_TEXT_14, ACTION_X, y, DESK_SOFT_TEXT,
                       deskKeyHelp[i].action);
    }
    font_draw_text_centered(picture, w, h, FONT_TEXT_14, w / 2, h - 17, DESK_HINT,
                            "F1 or Esc closes this help");
}

// A dark bar with the message's end in white.
void overlayDrawMessage(uint32_t* picture, const char* text) {
    constexpr int w = MESSAGE_WIDTH, h = MESSAGE_HEIGHT;
    char fitted[MESSAGE_CAPACITY];
    overlayFitTail(text != nullptr ? text : "", w - 2 * MARGIN, fitted, sizeof fitted);
    frame(picture, w, h);
    font_draw_text(picture, w, h, FONT_TEXT_14, MARGIN, (h - fontTable[FONT_TEXT_14].height) / 2,
                   DESK_TEXT, fitted);
}

// Dark like the panel, with a thin line on top; no frame, so it reads as
// part of the window rather than a message.
void overlayDrawStatus(uint32_t* picture, const char* text, StatusTone tone) {
    constexpr int w = MESSAGE_WIDTH, h = MESSAGE_HEIGHT;
    constexpr HostRect lamp = STATUS_LAMP;
    constexpr int TEXT_X = lamp.x + lamp.w + lamp.x;
    const uint32_t colour = tone == StatusTone::Good      ? DESK_GOOD
                            : tone == StatusTone::Warning ? DESK_ACCENT
                                                          : DESK_HINT;
    char fitted[MESSAGE_CAPACITY];
    overlayFitTail(text != nullptr ? text : "", w - TEXT_X - MARGIN, fitted, sizeof fitted);
    gfx_fill_rect(picture, w, h, 0, 0, w, h, DESK_BACKGROUND);
    gfx_fill_rect(picture, w, h, 0, 0, w, 1, DESK_HINT);
    gfx_fill_rect(picture, w, h, lamp.x, lamp.y, lamp.x + lamp.w, lamp.y + lamp.h, colour);
    font_draw_text(picture, w, h, FONT_TEXT_14, TEXT_X, (h - fontTable[FONT_TEXT_14].height) / 2,
                   tone == StatusTone::Warning ? DESK_ACCENT : DESK_SOFT_TEXT, fitted);
}

// Drops characters from the front until the rest, after "...", fits.
void overlayFitTail(const char* text, int maxWidth, char* out, int n) {
    if (n <= 0) return;
    out[0] = '\0';
    if (text == nullptr) return;
    const size_t len = std::strlen(text);
    if (len < static_cast<size_t>(n) && font_text_width(FONT_TEXT_14, text) <= maxWidth) {
        std::memcpy(out, text, len + 1);
        return;
    }
    if (static_cast<size_t>(n) < sizeof ELLIPSIS) return;
    const int budget = maxWidth - font_text_width(FONT_TEXT_14, ELLIPSIS);
    size_t start = len;
    int width = 0;
    while (start > 0) {
        const char c[2] = {text[start - 1], '\0'};
        const int cw = font_text_width(FONT_TEXT_14, c);
        if (width + cw > budget || len - start + sizeof ELLIPSIS >= static_cast<size_t>(n)) break;
        width += cw;
        --start;
    }
    std::memcpy(out, ELLIPSIS, sizeof ELLIPSIS - 1);
    std::memcpy(out + sizeof ELLIPSIS - 1, text + start, len - start + 1);
}
