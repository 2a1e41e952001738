// Helpers of the setup menu tests: the menu on page 7 of a powered unit,
// clicks through the button decoder, and checks that a screen region shows
// a given text, bar or icon in a given colour, whatever the glyph shapes.
#pragma once

#include <cstdint>

#include "app/colours.h"
#include "app/controller.h"
#include "app/setup.h"
#include "app/setup_screens.h"
#include "app_support.h"
#include "gfx/font.h"
#include "host/bezel.h"

// A rectangle, far edges exclusive.
struct Rect {
    int x0, y0, x1, y1;
};

// The rows a text cell covers: a cell placed at y covers y + 1 to y + height.
Rect leftTextCell(int font, int x, int y, const char* text);
Rect centredTextCell(int font, int cx, int cy, const char* text);

// Whether the rows of the text's capitals and digits in s equal those of a
// screen that holds only bg and the text (drawn by the font operations), and
// the text left ink there.
bool showsText(const Screen& s, uint32_t bg, int font, int x, int y, uint32_t colour,
               const char* text);
bool showsCentred(const Screen& s, uint32_t bg, int font, int cx, int cy, uint32_t colour,
                  const char* text);
// The same for a vertical caption centred on cx from y.
bool showsVertical(const Screen& s, uint32_t bg, int cx, int y, uint32_t colour, const char* text);
// A magenta bar from (x - 2, y) to (right, y + 14) with the text in white on
// it, over the black background.
bool showsHighlightedRow(const Screen& s, int x, int y, int right, const char* text);
// Whether the region holds nothing but bg.
bool blank(const Screen& s, Rect r, uint32_t bg = COLOUR_BLACK);

// The menu on page 7 with the defaults applied and the edition input as given.
class SetupTest : public UnitTest {
   protected:
    void SetUp() override;
    void setEdition(bool on);
    // n clicks of a bezel button through the decoder and the routing.
    void click(void (*press)(), void (*release)(), int n);
    void view(int n = 1) { click(pressView, releaseView, n); }
    void left(int n = 1) { click(pressLeft, releaseLeft, n); }
    void right(int n = 1) { click(pressRight, releaseRight, n); }
    void both(int n = 1) { click(pressBoth, releaseBoth, n); }
    void draw() { setupDrawPage(screen.px); }
    // Both-press into edit mode, then n steps down the list.
    void selectItem(int n);
    // Opens list item n from browse mode.
    void openItem(int n);
};
