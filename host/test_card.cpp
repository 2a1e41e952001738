// The stand-in frame drawn until the display application exists.
#include "host/test_card.h"

#include "device/settings.h"
#include "gfx/gfx.h"
#include "host/bezel.h"

namespace {

constexpr uint32_t BACKGROUND = 0xFF101418u;
constexpr uint32_t SWEEP_BAND = 0xFF283038u;
constexpr uint32_t SWEEP_LINE = 0xFFFFFFFFu;
constexpr uint32_t BARS[8] = {0xFFFFFFFFu, 0xFFFFFF00u, 0xFF00FFFFu, 0xFF00FF00u,
                              0xFFFF00FFu, 0xFFFF0000u, 0xFF0000FFu, 0xFF000000u};
constexpr int BAR_WIDTH = FB_WIDTH / 8;
constexpr int LAMP_HALF_WIDTH = 16;
constexpr int LAMP_HALF_HEIGHT = 12;
constexpr int PAGE_LAMP_HALF = 6;

int sampledLevels[3] = {};

void fill(uint32_t* fb, int x0, int y0, int x1, int y1, uint32_t c) {
    gfx_fill_rect(fb, FB_WIDTH, FB_HEIGHT, x0, y0, x1, y1, c);
}

}  // namespace

// Takes the levels the next frame shows.
void testCardSampleButtons() {
    sampledLevels[0] = viewLevel();
    sampledLevels[1] = leftLevel();
    sampledLevels[2] = rightLevel();
}

// Bars on top, the sweep, the button lamps, the page-enable lamps.
void testCardDraw(uint32_t* fb, long frame) {
    fill(fb, 0, 0, FB_WIDTH, FB_HEIGHT, BACKGROUND);
    for (int i = 0; i < 8; ++i) fill(fb, i * BAR_WIDTH, 0, (i + 1) * BAR_WIDTH, 40, BARS[i]);
    fill(fb, 0, 48, FB_WIDTH, 64, SWEEP_BAND);
    const int sweep = static_cast<int>(frame % FB_WIDTH);
    fill(fb, sweep, 48, sweep + 1, 64, SWEEP_LINE);
    for (int i = 0; i < 3; ++i) {
        const int cx = TEST_CARD_LAMP_X[i];
        fill(fb, cx - LAMP_HALF_WIDTH, TEST_CARD_LAMP_Y - LAMP_HALF_HEIGHT, cx + LAMP_HALF_WIDTH,
             TEST_CARD_LAMP_Y + LAMP_HALF_HEIGHT, sampledLevels[i] ? TEST_CARD_LAMP_ON : TEST_CARD_LAMP_OFF);
    }
    const int enabled = settingsReadByte(2);
    for (int p = 1; p <= 7; ++p) {
        const int cx = TEST_CARD_PAGE_X0 + 16 * (p - 1);
        const bool on = (enabled >> (p - 1)) & 1;
        fill(fb, cx - PAGE_LAMP_HALF, TEST_CARD_PAGE_Y - PAGE_LAMP_HALF, cx + PAGE_LAMP_HALF,
             TEST_CARD_PAGE_Y + PAGE_LAMP_HALF, on ? TEST_CARD_PAGE_ON : TEST_CARD_PAGE_OFF);
    }
}

// Nothing sampled yet.
void testCardPowerOnReset() {
    for (int& level : sampledLevels) level = 0;
}
