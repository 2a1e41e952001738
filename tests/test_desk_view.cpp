// The window picture: bezel, panel and overlays, and the changed rectangles
// it hands to the platform.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "desk/overlays.h"
#include "desk/ui.h"
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
    EXPECT_LE(font_text_width(FONT_TEXT_14, out), 200);
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
