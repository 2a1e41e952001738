// The key help box, the message box and the status bar. Each is drawn once
// when it changes, never per frame; the window picture lays them over the
// bezel.
#include "desk/overlays.h"

#include <cstdio>
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
constexpr int MESSAGE_TEXT_WIDTH = MESSAGE_WIDTH - 2 * MESSAGE_TEXT_MARGIN;

static_assert(FIRST_LINE_Y + LINE_HEIGHT * DESK_KEY_HELP_LINES + 30 <= HELP_HEIGHT,
              "help lines fit the box");
static_assert(MESSAGE_HEIGHT == 22, "one line is as high as the bar always was");

// ---- Private helpers ------------------------------------------------------

void frame(uint32_t* p, int w, int h) {
    gfx_fill_rect(p, w, h, 0, 0, w, h, DESK_ACCENT);
    gfx_fill_rect(p, w, h, BORDER_WIDTH, BORDER_WIDTH, w - BORDER_WIDTH, h - BORDER_WIDTH,
                  DESK_BACKGROUND);
}

int charWidth(char c) {
    const char one[2] = {c, '\0'};
    return uiTextWidth(one);
}

bool isSpace(char c) { return c == ' '; }
// A line may end after a "/" or "-" inside a word, such as a path's folders;
// one that starts a word ("/tmp", "-window.png") stays with it.
bool breaksAfter(const char* text, int i, int start) {
    return (text[i] == '/' || text[i] == '-') && i > start && !isSpace(text[i - 1]);
}

// The longest line from start no wider than maxWidth: up to the last break
// that fits, or as many characters as fit when no break does (always at
// least one). *next is where the following line starts.
TextSpan nextLine(const char* text, int start, int maxWidth, int* next) {
    int end = start, width = 0;
    int breakEnd = -1, breakNext = -1;
    for (; text[end] != '\0'; ++end) {
        if (isSpace(text[end])) breakEnd = end, breakNext = end + 1;
        const int cw = charWidth(text[end]);
        if (width + cw > maxWidth && end > start) break;
        width += cw;
        if (breaksAfter(text, end, start)) breakEnd = end + 1, breakNext = end + 1;
    }
    if (text[end] == '\0' || isSpace(text[end]) || breakEnd <= start) {
        *next = end;
        return {start, end - start, false};
    }
    *next = breakNext;
    return {start, breakEnd - start, false};
}

// Draws the wrapped lines of text from (x, top), one MESSAGE_LINE_PITCH apart.
void drawLines(uint32_t* p, int w, int h, int x, int top, uint32_t colour, const char* text,
               const TextSpan* lines, int n) {
    for (int i = 0; i < n; ++i) {
        char line[MESSAGE_CAPACITY + sizeof ELLIPSIS];
        std::snprintf(line, sizeof line, "%s%.*s", lines[i].elided ? ELLIPSIS : "", lines[i].length,
                      text + lines[i].start);
        uiText(p, w, h, x, top + MESSAGE_LINE_PITCH * i, colour, line);
    }
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
        uiText(picture, w, h, MARGIN, y, DESK_ACCENT, deskKeyHelp[i].keys);
        uiText(picture, w, h, ACTION_X, y, DESK_SOFT_TEXT, deskKeyHelp[i].action);
    }
    uiTextCentred(picture, w, h, w / 2, h - 17, DESK_HINT, "F1 or Esc closes this help");
}

// A framed dark box with the message in white.
HostRect overlayDrawMessage(uint32_t* picture, const char* text) {
    if (text == nullptr) text = "";
    TextSpan lines[MESSAGE_MAX_LINES];
    const int n = overlayWrap(text, MESSAGE_TEXT_WIDTH, lines, MESSAGE_MAX_LINES);
    const HostRect place = messagePlace(n > 0 ? n : 1);
    frame(picture, place.w, place.h);
    drawLines(picture, place.w, place.h, MESSAGE_TEXT_MARGIN, MESSAGE_PADDING, DESK_TEXT, text,
              lines, n);
    return place;
}

// Dark like the panel, with a thin line on top; no frame, so it reads as
// part of the window rather than a message.
HostRect overlayDrawStatus(uint32_t* picture, const char* text, StatusTone tone) {
    constexpr HostRect lamp = STATUS_LAMP;
    constexpr int TEXT_X = lamp.x + lamp.w + lamp.x;
    if (text == nullptr) text = "";
    const uint32_t colour = tone == StatusTone::Good      ? DESK_GOOD
                            : tone == StatusTone::Warning ? DESK_ACCENT
                                                          : DESK_HINT;
    TextSpan lines[MESSAGE_MAX_LINES];
    const int n =
        overlayWrap(text, MESSAGE_WIDTH - TEXT_X - MESSAGE_TEXT_MARGIN, lines, MESSAGE_MAX_LINES);
    const HostRect place = messagePlace(n > 0 ? n : 1);
    const int w = place.w, h = place.h;
    gfx_fill_rect(picture, w, h, 0, 0, w, h, DESK_BACKGROUND);
    gfx_fill_rect(picture, w, h, 0, 0, w, 1, DESK_HINT);
    gfx_fill_rect(picture, w, h, lamp.x, lamp.y, lamp.x + lamp.w, lamp.y + lamp.h, colour);
    drawLines(picture, w, h, TEXT_X, MESSAGE_PADDING,
              tone == StatusTone::Warning ? DESK_ACCENT : DESK_SOFT_TEXT, text, lines, n);
    return place;
}

// Greedy: each line takes all that fits. Past the last line but one, the
// rest goes on the last line if it fits there, else its tail after "...".
int overlayWrap(const char* text, int maxWidth, TextSpan* lines, int maxLines) {
    if (text == nullptr || maxLines <= 0) return 0;
    const int len = static_cast<int>(std::strlen(text));
    int n = 0, at = 0;
    while (at < len && n < maxLines) {
        while (n > 0 && isSpace(text[at])) ++at;
        int next = 0;
        const TextSpan line = nextLine(text, at, maxWidth, &next);
        int rest = next;
        while (isSpace(text[rest])) ++rest;
        if (n == maxLines - 1 && rest < len) {
            char tail[MESSAGE_CAPACITY];
            overlayFitTail(text + at, maxWidth, tail, sizeof tail);
            const int kept = static_cast<int>(std::strlen(tail)) - (sizeof ELLIPSIS - 1);
            lines[n++] = {len - kept, kept, true};
            break;
        }
        lines[n++] = line;
        at = next;
    }
    return n;
}

// Drops characters from the front until the rest, after "...", fits.
void overlayFitTail(const char* text, int maxWidth, char* out, int n) {
    if (n <= 0) return;
    out[0] = '\0';
    if (text == nullptr) return;
    const size_t len = std::strlen(text);
    if (len < static_cast<size_t>(n) && uiTextWidth(text) <= maxWidth) {
        std::memcpy(out, text, len + 1);
        return;
    }
    if (static_cast<size_t>(n) < sizeof ELLIPSIS) return;
    const int budget = maxWidth - uiTextWidth(ELLIPSIS);
    size_t start = len;
    int width = 0;
    while (start > 0) {
        const int cw = charWidth(text[start - 1]);
        if (width + cw > budget || len - start + sizeof ELLIPSIS >= static_cast<size_t>(n)) break;
        width += cw;
        --start;
    }
    std::memcpy(out, ELLIPSIS, sizeof ELLIPSIS - 1);
    std::memcpy(out + sizeof ELLIPSIS - 1, text + start, len - start + 1);
}
