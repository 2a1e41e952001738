// The angle-of-attack ladder in its two layouts: lit bars and bands, dim
// ticks, the label, and the base bar that blinks while the angle is invalid.
#include "app/controller.h"
#include "app/page_gmeter.h"
#include "app_support.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "screen_checks.h"

namespace {

constexpr uint32_t DIM_TICK = 0xFF101010u;

struct Geometry {
    AoaLadderLayout layout;
    int bars;
    int base[4];
    int lit[4];  // bar 0; bar i is 5 i rows higher
    int dim[4];
};

constexpr Geometry DATA = {
    AOA_LADDER_DATA, 11, {74, 133, 110, 137}, {78, 132, 106, 136}, {89, 134, 95, 135}};
constexpr Geometry ATTITUDE = {
    AOA_LADDER_ATTITUDE, 9, {110, 68, 126, 72}, {114, 67, 122, 71}, {111, 69, 125, 70}};

class AoaLadder : public SensorsTest {
  protected:
    void SetUp() override {
        SensorsTest::SetUp();
        gmeterInit();
    }
    void draw(const Geometry& g) {
        screen.fill(COLOUR_BLACK);
        drawAoaLadder(screen.px, g.layout);
    }
    bool baseShown(const Geometry& g) const {
        return screen.all(g.base[0], g.base[1], g.base[2], g.base[3], COLOUR_CYAN);
    }
    // Bars 1 to lastLit lit in their bands, the rest dim ticks only.
    void expectBars(const Geometry& g, int lastLit) const {
        for (int i = 1; i <= g.bars; ++i) {
            SCOPED_TRACE(testing::Message() << "bar " << i);
            const int up = 5 * i;
            const uint32_t band = i <= 5 ? COLOUR_GREEN : i <= 7 ? COLOUR_YELLOW : COLOUR_RED;
            if (i <= lastLit) {
                EXPECT_TRUE(screen.all(g.lit[0], g.lit[1] - up, g.lit[2], g.lit[3] - up, band));
                EXPECT_EQ(screen.at(g.lit[0] - 1, g.lit[1] - up), COLOUR_BLACK);
                EXPECT_EQ(screen.at(g.lit[2], g.lit[3] - up - 1), COLOUR_BLACK);
            } else {
                EXPECT_TRUE(screen.all(g.dim[0], g.dim[1] - up, g.dim[2], g.dim[3] - up, DIM_TICK));
                EXPECT_EQ(screen.at(g.dim[0] - 1, g.dim[1] - up), COLOUR_BLACK);
                EXPECT_EQ(screen.at(g.dim[0], g.dim[1] - up - 1), COLOUR_BLACK);
            }
        }
    }
};

TEST_F(AoaLadder, DataLayoutLightsTwelveBarsPerUnitOfFraction) {
    simDevice.aoaAngle = 13.5f;  // fraction 0.85: 10.2 bars
    draw(DATA);
    EXPECT_TRUE(baseShown(DATA));
    expectBars(DATA, 10);
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 92, 66, COLOUR_LABEL, "AoA"));
}

TEST_F(AoaLadder, AttitudeLayoutLightsTenBarsPerUnitOfFraction) {
    simDevice.aoaAngle = 13.5f;  // 8.5 bars
    draw(ATTITUDE);
    EXPECT_TRUE(baseShown(ATTITUDE));
    expectBars(ATTITUDE, 8);
    EXPECT_TRUE(showsText(screen, FONT_TEXT_14, 128 - font_text_width(FONT_TEXT_14, "AoA"), 4,
                          COLOUR_LABEL, "AoA"));
}

TEST_F(AoaLadder, WholeBarCountsAreLit) {
    simDevice.aoaAngle =
        10.0f;  // fraction exactly 0.5: 6 bars of the data layout, 5 of the attitude
    draw(DATA);
    expectBars(DATA, 6);
    draw(ATTITUDE);
    expectBars(ATTITUDE, 5);
}

TEST_F(AoaLadder, BelowCruiseNothingIsLit) {
    simDevice.aoaAngle = 2.0f;
    draw(DATA);
    EXPECT_TRUE(baseShown(DATA));
    expectBars(DATA, 0);
}

TEST_F(AoaLadder, InvalidAngleLightsNothingAndBlinksTheBaseBarTenFramesOfTwentyOne) {
    simDevice.aoaValid = 0;
    simDevice.aoaAngle = 14.0f;
    for (const Geometry* g : {&DATA, &ATTITUDE}) {
        gmeter.blinkPhase = 0;
        int shown = 0;
        for (int frame = 0; frame < 42; ++frame) {
            draw(*g);
            const bool base = baseShown(*g);
            EXPECT_EQ(base, frame % 21 > 10) << frame;
            shown += base;
            expectBars(*g, 0);
        }
        EXPECT_EQ(shown, 20);
    }
}

TEST_F(AoaLadder, DemoModeUsesTheSmoothedDemoAngle) {
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_MODE_1);
    deviceState.demoPitch = 12.0f;  // the smoother starts at 0: below cruise at first
    draw(DATA);
    expectBars(DATA, 0);
    for (int frame = 0; frame < 200; ++frame) draw(DATA);
    expectBars(DATA, 8);  // settled at 12 degrees: fraction 0.7, 8.4 bars
}

}  // namespace
