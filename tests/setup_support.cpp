// Helpers of the setup menu tests.
#include "setup_support.h"

#include "device/settings.h"
#include "gfx/font.h"

namespace {

// Cell heights of the six fonts, and the rows of the cell (from 1 at its top)
// that capitals and digits occupy.
constexpr int FONT_HEIGHTS[FONT_COUNT] = {14, 18, 20, 23, 29, 51};
constexpr int BODY_TOP[FONT_COUNT] = {1, 1, 1, 2, 2, 1};
constexpr int BODY_BOTTOM[FONT_COUNT] = {11, 14, 18, 21, 26, 51};

// The rows of a text placed at y that its capitals and digits cover; the
// descender rows below may overlap the next line.
Rect textBody(int font, int x, int y, const char* text) {
    return {x, y + BODY_TOP[font], x + font_text_width(font, text), y + BODY_BOTTOM[font] + 1};
}

bool sameIn(const Screen& a, const Screen& b, Rect r) {
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x) {
            if (a.at(x, y) != b.at(x, y)) return false;
        }
    }
    return true;
}

// The region matches the expected picture, which holds some ink there.
bool matches(const Screen& s, const Screen& expected, uint32_t bg, Rect r) {
    return !blank(expected, r, bg) && sameIn(s, expected, r);
}

}  // namespace

Rect leftTextCell(int font, int x, int y, const char* text) {
    return {x, y + 1, x + font_text_width(font, text), y + 1 + FONT_HEIGHTS[font]};
}

Rect centredTextCell(int font, int cx, int cy, const char* text) {
    return leftTextCell(font, cx - font_text_width(font, text) / 2, cy - FONT_HEIGHTS[font] / 2,
                        text);
}

bool showsText(const Screen& s, uint32_t bg, int font, int x, int y, uint32_t colour,
               const char* text) {
    static Screen expected;
    expected.fill(bg);
    font_draw_text(expected.px, FB_WIDTH, FB_HEIGHT, font, x, y, colour, text);
    return matches(s, expected, bg, textBody(font, x, y, text));
}

bool showsCentred(const Screen& s, uint32_t bg, int font, int cx, int cy, uint32_t colour,
                  const char* text) {
    static Screen expected;
    expected.fill(bg);
    font_draw_text_centered(expected.px, FB_WIDTH, FB_HEIGHT, font, cx, cy, colour, text);
    const Rect cell = centredTextCell(font, cx, cy, text);
    return matches(s, expected, bg, textBody(font, cell.x0, cell.y0 - 1, text));
}

bool showsVertical(const Screen& s, uint32_t bg, int cx, int y, uint32_t colour, const char* text) {
    static Screen expected;
    expected.fill(bg);
    font_draw_text_vertical(expected.px, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, cx, y, colour, text);
    int lines = 0;
    while (text[lines] != '\0') ++lines;
    // Captions are a few characters of at most 11 pixels each.
    const Rect r = {cx - 6, y + 1, cx + 6, y + 1 + lines * FONT_HEIGHTS[FONT_TEXT_14]};
    return matches(s, expected, bg, r);
}

bool showsHighlightedRow(const Screen& s, int x, int y, int right, const char* text) {
    static Screen expected;
    expected.fill(COLOUR_BLACK);
    gfx_fill_rect(expected.px, FB_WIDTH, FB_HEIGHT, x - 2, y, right, y + 14, COLOUR_HIGHLIGHT);
    font_draw_text(expected.px, FB_WIDTH, FB_HEIGHT, FONT_TEXT_14, x, y, COLOUR_WHITE, text);
    const Rect cell = leftTextCell(FONT_TEXT_14, x, y, text);
    return sameIn(s, expected, {x - 3, y - 1, right + 1, cell.y1 + 1}) &&
           s.all(x - 2, y, right, y + 1, COLOUR_HIGHLIGHT);
}

bool blank(const Screen& s, Rect r, uint32_t bg) { return s.all(r.x0, r.y0, r.x1, r.y1, bg); }

void SetupTest::SetUp() {
    UnitTest::SetUp();
    settingsApplyDefaults();
    setEdition(true);
    buttonDecoderStart();
    activePage = PAGE_SETUP;
}

void SetupTest::setEdition(bool on) {
    simDevice.discreteInput2Source = on ? 1 : 0;
    sampleDiscreteInputs();
}

void SetupTest::click(void (*press)(), void (*release)(), int n) {
    for (int i = 0; i < n; ++i) {
        press();
        tickOnce();
        release();
        tickOnce();
    }
}

void SetupTest::selectItem(int n) {
    both();
    left(n);
}

void SetupTest::openItem(int n) {
    selectItem(n);
    right();
}
