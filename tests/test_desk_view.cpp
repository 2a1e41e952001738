// The window picture: bezel, panel and overlays, and the changed rectangles
// it hands to the platform.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "desk/colours.h"
#include "desk/overlays.h"
#include "desk/ui.h"
#include "desk/ui_text.h"
#include "desk/view.h"
#include "gfx/font.h"
#include "shell/compose.h"
#include "tests/unit_driver.h"

namespace {

uint32_t viewAt(int x, int y) { return deskViewPixels()[VIEW_MAX_WIDTH * y + x]; }
uint32_t canvasAt(int x, int y) { return hostCanvas()[BEZEL_WIDTH * y + x]; }

bool viewMatchesCanvas(HostRect r) {
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            if (viewAt(x, y) != canvasAt(x, y)) return false;
    return true;
}

bool contains(HostRect outer, HostRect inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

class DeskView : public ::testing::Test {
  protected:
    void SetUp() override {
        unit::powerOn();
        deskViewReset();
        deskUiReset();
        deskViewUpdate(hostTakeChanges());
    }
};

constexpr uint32_t PANEL_COLOUR = 0xFF123456u;

}  // namespace

TEST_F(DeskView, FirstUpdateCopiesTheWholeBezel) {
    unit::powerOn();
    deskViewReset();
    const HostRect r = deskViewUpdate(hostTakeChanges());
    EXPECT_EQ(r.w, BEZEL_WIDTH);
    EXPECT_EQ(r.h, BEZEL_HEIGHT);
    EXPECT_TRUE(viewMatchesCanvas({0, 0, BEZEL_WIDTH, BEZEL_HEIGHT}));
    EXPECT_EQ(deskViewWidth(), BEZEL_WIDTH);
}

TEST_F(DeskView, FramesChangeOnlyTheScreenArea) {
    unit::ticks(3);
    const HostRect r = deskViewUpdate(hostTakeChanges());
    EXPECT_GT(r.w, 0);
    EXPECT_TRUE(contains(SCREEN_RECT, r));
    EXPECT_TRUE(viewMatchesCanvas({0, 0, BEZEL_WIDTH, BEZEL_HEIGHT}));
    const HostRect none = deskViewUpdate({});
    EXPECT_EQ(none.w * none.h, 0);
}

// The help box stays on top while the screen under it changes every frame,
// and taking it away brings back exactly the bezel and the current screen.
TEST_F(DeskView, HelpStaysOnTopAndLeavesNoTrace) {
    deskUiToggleHelp();
    HostRect r = deskViewUpdate(hostTakeChanges());
    EXPECT_TRUE(contains(r, HELP_PLACE));
    std::vector<uint32_t> shown(deskViewPixels(), deskViewPixels() + VIEW_MAX_WIDTH * VIEW_HEIGHT);
    for (int i = 0; i < 5; ++i) {
        unit::ticks(1);
        deskViewUpdate(hostTakeChanges());
    }
    for (int y = HELP_PLACE.y; y < HELP_PLACE.y + HELP_PLACE.h; ++y)
        ASSERT_EQ(std::memcmp(&shown[VIEW_MAX_WIDTH * y + HELP_PLACE.x],
                              deskViewPixels() + VIEW_MAX_WIDTH * y + HELP_PLACE.x,
                              sizeof(uint32_t) * HELP_PLACE.w),
                  0)
            << "row " << y;
    EXPECT_NE(viewAt(HELP_PLACE.x + 1, HELP_PLACE.y + 1),
              canvasAt(HELP_PLACE.x + 1, HELP_PLACE.y + 1));
    deskUiToggleHelp();
    r = deskViewUpdate(hostTakeChanges());
    EXPECT_TRUE(contains(r, HELP_PLACE));
    EXPECT_TRUE(viewMatchesCanvas({0, 0, BEZEL_WIDTH, BEZEL_HEIGHT}));
}

TEST_F(DeskView, PanelWidensThePictureAndShowsItsColumn) {
    static uint32_t panel[PANEL_WIDTH * VIEW_HEIGHT];
    std::fill(std::begin(panel), std::end(panel), PANEL_COLOUR);
    panel[0] = 0xFF00FF00u;  // bottom-left pixel of a bottom-up picture
    deskViewSetPanel(panel);
    EXPECT_EQ(deskViewWidth(), VIEW_MAX_WIDTH);
    const HostRect r = deskViewUpdate(hostTakeChanges());
    EXPECT_TRUE(contains(r, PANEL_RECT));
    EXPECT_EQ(viewAt(BEZEL_WIDTH, VIEW_HEIGHT - 1), 0xFF00FF00u);
    EXPECT_EQ(viewAt(VIEW_MAX_WIDTH - 1, 0), PANEL_COLOUR);
    panel[0] = PANEL_COLOUR;
    deskViewPanelChanged({0, VIEW_HEIGHT - 1, 1, 1});
    const HostRect one = deskViewUpdate({});
    EXPECT_EQ(one.x, BEZEL_WIDTH);
    EXPECT_EQ(one.y, VIEW_HEIGHT - 1);
    EXPECT_EQ(one.w * one.h, 1);
    EXPECT_EQ(viewAt(BEZEL_WIDTH, VIEW_HEIGHT - 1), PANEL_COLOUR);

    std::vector<uint32_t> plain(static_cast<size_t>(VIEW_MAX_WIDTH) * VIEW_HEIGHT);
    deskUiToggleHelp();
    deskViewUpdate({});
    deskViewCopyPlain(plain.data());
    EXPECT_EQ(plain[static_cast<size_t>(VIEW_MAX_WIDTH) * HELP_PLACE.y + HELP_PLACE.x],
              canvasAt(HELP_PLACE.x, HELP_PLACE.y))
        << "shots leave the overlays out";
    EXPECT_EQ(plain[VIEW_MAX_WIDTH - 1], PANEL_COLOUR);

    deskViewSetPanel(nullptr);
    EXPECT_EQ(deskViewWidth(), BEZEL_WIDTH);
    const HostRect after = deskViewUpdate(hostTakeChanges());
    EXPECT_LE(after.x + after.w, BEZEL_WIDTH) << "nothing beyond the bezel is handed on";
}

TEST_F(DeskView, MessageShowsForItsTimeThenGoes) {
    deskUiShowMessage("Saved shot.png", 1000);
    EXPECT_STREQ(deskUiMessage(), "Saved shot.png");
    EXPECT_TRUE(deskViewOverlayShown(ViewOverlay::Message));
    const HostRect r = deskViewUpdate({});
    EXPECT_TRUE(contains(r, MESSAGE_PLACE));
    EXPECT_EQ(deskUiExpire(1000 + MESSAGE_SHOW_MS - 1), 1);
    EXPECT_TRUE(deskViewOverlayShown(ViewOverlay::Message));
    EXPECT_EQ(deskUiExpire(1000 + MESSAGE_SHOW_MS), -1);
    EXPECT_FALSE(deskViewOverlayShown(ViewOverlay::Message));
    deskViewUpdate({});
    EXPECT_TRUE(viewMatchesCanvas(MESSAGE_PLACE));
    deskUiShowMessage("", 0);
    EXPECT_FALSE(deskViewOverlayShown(ViewOverlay::Message));
}

TEST(DeskOverlays, LongMessagesKeepTheirEnd) {
    char out[MESSAGE_CAPACITY];
    overlayFitTail("short", 400, out, sizeof out);
    EXPECT_STREQ(out, "short");
    const char* longText =
        "Saved /a/very/long/folder/name/that/goes/on/and/on/qx70-20250101-120000-screen.png";
    overlayFitTail(longText, 200, out, sizeof out);
    EXPECT_EQ(std::strncmp(out, "...", 3), 0);
    EXPECT_LE(uiTextWidth(out), 200);
    const std::string tail = out + 3;
    EXPECT_EQ(std::string(longText).substr(std::strlen(longText) - tail.size()), tail);
    EXPECT_GT(tail.size(), 10u);
    char tiny[6];
    overlayFitTail(longText, 400, tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "...ng") << "the capacity limits the tail too";
    char three[3] = "xx";
    overlayFitTail(longText, 400, three, sizeof three);
    EXPECT_STREQ(three, "");
}

namespace {

// The lines of a wrapped text joined again, a space where a break took one.
std::string joined(const char* text, const TextSpan* lines, int n) {
    std::string all;
    for (int i = 0; i < n; ++i) {
        if (i > 0 && text[lines[i].start - 1] == ' ') all += ' ';
        all.append(text + lines[i].start, lines[i].length);
    }
    return all;
}

}  // namespace

TEST_F(DeskView, LongMessagesWrapWholeBelowTheBezelPrints) {
    constexpr int WIDTH = 300;
    const char* saved =
        "Saved qx70-20261209-120000-screen.png and -window.png in "
        "/home/pilot/a/very/long/folder/name/that/goes/on/and/on/shots";
    TextSpan lines[MESSAGE_MAX_LINES];
    const int n = overlayWrap(saved, WIDTH, lines, MESSAGE_MAX_LINES);
    ASSERT_GT(n, 1);
    EXPECT_EQ(joined(saved, lines, n), saved) << "every character shown, in order";
    for (int i = 0; i < n; ++i) {
        EXPECT_FALSE(lines[i].elided);
        EXPECT_LE(uiTextWidth(std::string(saved + lines[i].start, lines[i].length).c_str()), WIDTH);
    }
    EXPECT_EQ(std::string(saved, lines[0].length).rfind("Saved ", 0), 0u);

    // Beyond the lines the box may have, the last line keeps the text's end.
    const std::string endless = "Saved " + std::string(900, 'x') + "/end.png";
    const int m = overlayWrap(endless.c_str(), WIDTH, lines, MESSAGE_MAX_LINES);
    ASSERT_EQ(m, MESSAGE_MAX_LINES);
    EXPECT_TRUE(lines[m - 1].elided);
    EXPECT_EQ(lines[m - 1].start + lines[m - 1].length, static_cast<int>(endless.size()));
    EXPECT_LE(uiTextWidth(("..." + endless.substr(lines[m - 1].start)).c_str()), WIDTH);

    // The tallest box stays below the amber stripe under the QX-70 mark.
    static uint32_t picture[MESSAGE_WIDTH * MESSAGE_MAX_HEIGHT];
    const HostRect tallest = overlayDrawMessage(picture, endless.c_str());
    EXPECT_EQ(tallest.h, MESSAGE_MAX_HEIGHT);
    int stripeBottom = -1;
    for (int y = 0; y < BEZEL_HEIGHT; ++y)
        for (int x = 0; x < BEZEL_WIDTH; ++x)
            if (canvasAt(x, y) == DESK_ACCENT) stripeBottom = y;
    ASSERT_GT(stripeBottom, 0);
    EXPECT_GT(tallest.y, stripeBottom);
}

namespace {

// Coverage of the window face's glyph of ch at column dx, row dy (from the top).
int uiCoverage(char ch, int dx, int dy) {
    const int k = font_find_char(UI_FONT, ch);
    const int col = UI_FONT.offsets[k] + dx;
    const uint8_t byte =
        UI_FONT.glyphs[(UI_FONT.height - 1 - dy) * UI_FONT.stripWidth / 2 + col / 2];
    return col % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

// The most covered column of a glyph's row, or -1 for an empty row.
int inkiest(char ch, int dy) {
    const int k = font_find_char(UI_FONT, ch);
    int best = -1, most = 0;
    for (int dx = 0; dx < UI_FONT.offsets[k + 1] - UI_FONT.offsets[k]; ++dx)
        if (uiCoverage(ch, dx, dy) > most) best = dx, most = uiCoverage(ch, dx, dy);
    return best;
}

}  // namespace

TEST(DeskOverlays, WindowFaceSlantsItsSlashAndKeepsWordsClose) {
    int top = -1, bottom = -1;
    for (int dy = 0; dy < UI_FONT.height; ++dy) {
        if (inkiest('/', dy) < 0) continue;
        if (top < 0) top = dy;
        bottom = dy;
    }
    ASSERT_GT(bottom, top);
    EXPECT_GE(inkiest('/', top), inkiest('/', bottom) + 2) << "'/' leans";
    EXPECT_EQ(inkiest('|', top), inkiest('|', bottom)) << "'|' stands";
    EXPECT_LE(uiTextWidth("a b") - uiTextWidth("ab"), 5) << "a word space, not a gap";
    EXPECT_LT(uiTextWidth("i"), uiTextWidth("m")) << "letters keep their own widths";
}
