// The four views of the G-meter page: tape pointers, limit and extreme marks,
// chevron bars with their bands, the G digits and the extremes row.
#include <vector>

#include "app/controller.h"
#include "app/page_gmeter.h"
#include "app_support.h"
#include "device/filter.h"
#include "device/settings.h"
#include "device/settings_slots.h"
#include "screen_checks.h"

namespace {

constexpr uint32_t SPINE = 0xFF595959u;
constexpr uint32_t DIM_BAR = 0xFF202020u;

class GmeterViews : public SensorsTest {
  protected:
    void SetUp() override {
        SensorsTest::SetUp();
        gmeterInit();
    }
    // The smoothed G reading settles on g.
    static void settleG(float g) {
        simDevice.gReading = g;
        filterFeed(GMETER_G_CHANNEL, g);
        for (int i = 0; i < 400; ++i) filterTick();
    }
    void draw(int view) {
        gmeterSetView(view);
        screen.fill(0);
        gmeterDrawPage(screen.px);
    }
    std::vector<int> rowsOf(int x, uint32_t c) const {
        std::vector<int> rows;
        for (int y = 0; y < FB_HEIGHT; ++y) {
            if (screen.at(x, y) == c) rows.push_back(y);
        }
        return rows;
    }
    // The outermost run of a tape pointer (its wing tips, five rows from the
    // centre) is the only one that reaches this column.
    int gPointerCentre() const { return centreOf(rowsOf(46, COLOUR_WHITE)); }
    int aoaPointerCentre() const { return centreOf(rowsOf(82, COLOUR_LABEL)); }
    static int centreOf(const std::vector<int>& wingRows) {
        if (wingRows.size() != 2 || wingRows[1] - wingRows[0] != 10) return -1;
        return wingRows[0] + 5;
    }
};

// ---- View 0: tapes ---------------------------------------------------------------

TEST_F(GmeterViews, TapeScaleSpineAndTicks) {
    settleG(1.0f);
    draw(0);
    EXPECT_TRUE(screen.all(61, 25, 65, 38, SPINE));
    EXPECT_TRUE(screen.all(61, 43, 65, 60, SPINE));
    for (int row : {24, 60, 97, 134}) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(screen.all(53, row, 61, row + 1, COLOUR_WHITE));
        EXPECT_TRUE(screen.all(65, row, 73, row + 1, COLOUR_WHITE));
        EXPECT_NE(screen.at(73, row), COLOUR_WHITE);
    }
    EXPECT_TRUE(screen.all(56, 115, 61, 116, COLOUR_WHITE));
    EXPECT_NE(screen.at(55, 115), COLOUR_WHITE);
    EXPECT_TRUE(showsText(screen, FONT_TEXT_14, 5, 2, COLOUR_GREY, "G Load"));
    EXPECT_TRUE(showsText(screen, FONT_TEXT_14, 90, 2, COLOUR_LABEL, "AoA"));
    EXPECT_TRUE(showsText(screen, FONT_TEXT_14, 42 - font_text_width(FONT_TEXT_14, "+2"), 55,
                          COLOUR_WHITE, "+2"));
    EXPECT_TRUE(showsText(screen, FONT_TEXT_14, 87, 127, COLOUR_LABEL, "-10"));
}

TEST_F(GmeterViews, GPointerFollowsTheSmoothedReadingAndClampsAtTheTapeEnds) {
    struct Case {
        float g;
        int row;
    };
    for (const Case& c : {Case{1.0f, 97}, Case{2.0f, 60}, Case{3.0f, 24}, Case{3.5f, 24},
                          Case{0.0f, 134}, Case{-1.0f, 134}}) {
        SCOPED_TRACE(c.g);
        settleG(c.g);
        draw(0);
        EXPECT_EQ(gPointerCentre(), c.row);
        EXPECT_TRUE(screen.all(51, c.row, 55, c.row + 1, COLOUR_WHITE));
    }
}

TEST_F(GmeterViews, AoaPointerClampsToTheScale) {
    struct Case {
        float aoa;
        int row;
    };
    for (const Case& c : {Case{0.0f, 97}, Case{8.0f, 67}, Case{25.0f, 24}, Case{-20.0f, 134}}) {
        SCOPED_TRACE(c.aoa);
        simDevice.aoaAngle = c.aoa;
        draw(0);
        EXPECT_EQ(aoaPointerCentre(), c.row);
    }
}

TEST_F(GmeterViews, LimitAndExtremeMarksOnTheTapes) {
    settleG(1.0f);
    draw(0);
    // Pre-stall 15 degrees on row 40, cruise 5 on row 78, five rows each.
    EXPECT_TRUE(screen.all(62, 38, 72, 43, COLOUR_RED));
    EXPECT_NE(screen.at(62, 37), COLOUR_RED);
    EXPECT_TRUE(screen.all(62, 76, 72, 81, COLOUR_GREEN));
    // AoA extremes 15 and 2 degrees, G extremes 2.5 and 0.5 G, three rows each.
    EXPECT_TRUE(screen.all(74, 39, 84, 42, COLOUR_CYAN));
    EXPECT_TRUE(screen.all(74, 88, 84, 91, COLOUR_CYAN));
    EXPECT_TRUE(screen.all(45, 40, 55, 43, COLOUR_CYAN));
    EXPECT_TRUE(screen.all(45, 114, 55, 117, COLOUR_CYAN));
    EXPECT_NE(screen.at(45, 117), COLOUR_CYAN);
}

TEST_F(GmeterViews, InvalidAoaBlinksPointerAndExtremesAtZeroButNotTheLimits) {
    simDevice.aoaValid = 0;
    simDevice.aoaAngle = 12.0f;
    int pointerFrames = 0, extremeFrames = 0;
    for (int frame = 0; frame < 21; ++frame) {
        draw(0);
        pointerFrames += aoaPointerCentre() == 97;
        extremeFrames += screen.at(83, 40) == COLOUR_CYAN;
        ASSERT_EQ(screen.at(62, 40), COLOUR_RED) << frame;
    }
    EXPECT_EQ(pointerFrames, 10);
    EXPECT_EQ(extremeFrames, 10);
}

TEST_F(GmeterViews, DemoModeDrivesTheTapesFromDemoPitch) {
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_MODE_1);
    deviceState.demoPitch = 0.0f;  // demo G 1.0, demo AoA 0
    settleG(2.8f);
    draw(0);
    EXPECT_EQ(gPointerCentre(), 97);
    EXPECT_EQ(aoaPointerCentre(), 97);
}

// ---- Views 1 and 2: chevrons ---------------------------------------------------------

class GmeterChevrons : public GmeterViews {
  protected:
    // Lit bars from 2 to lastLit with their band colours; above them dark bars
    // with a dim row on every third.
    void expectBars(int lastLit, uint32_t (*band)(int)) {
        for (int i = 2; i <= 25; ++i) {
            SCOPED_TRACE(testing::Message() << "bar " << i);
            const int top = 128 - 4 * i;
            if (i <= lastLit) {
                EXPECT_TRUE(screen.all(50 - 2 * i, top, 78 + 2 * i, top + 3, band(i)));
                EXPECT_EQ(screen.at(49 - 2 * i, top + 1), COLOUR_BLACK);
                EXPECT_EQ(screen.at(78 + 2 * i, top + 1), COLOUR_BLACK);
                EXPECT_EQ(screen.at(64, top + 3), COLOUR_BLACK);
            } else if (i % 3 == 0) {
                EXPECT_TRUE(screen.all(50 - 2 * i, top, 78 + 2 * i, top + 1, DIM_BAR));
                EXPECT_TRUE(screen.all(50 - 2 * i, top + 1, 78 + 2 * i, top + 3, COLOUR_BLACK));
            } else {
                EXPECT_TRUE(screen.all(50 - 2 * i, top, 78 + 2 * i, top + 3, COLOUR_BLACK));
            }
        }
    }
    static uint32_t gBand(int i) {
        return i <= 19 ? COLOUR_GREEN : i <= 21 ? COLOUR_YELLOW : COLOUR_RED;
    }
    static uint32_t aoaBand(int i) {
        return i <= 13 ? COLOUR_GREEN : i <= 16 ? COLOUR_YELLOW : COLOUR_RED;
    }
};

TEST_F(GmeterChevrons, MinusOneGLightsBarsTwoToTwelve) {
    settleG(-1.0f);  // half the -2 G limit: level 12.5
    draw(2);
    expectBars(12, gBand);
    EXPECT_TRUE(screen.all(40, 126, 88, 132, COLOUR_CYAN));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 8, COLOUR_LABEL, "G Load"));
}

TEST_F(GmeterChevrons, ThreeAndAHalfGClampsAndLeavesTheTopBarDark) {
    settleG(3.5f);  // level exactly 25: bar 25 needs more
    draw(2);
    expectBars(24, gBand);
}

TEST_F(GmeterChevrons, AoaStackLitInItsOwnBands) {
    simDevice.aoaAngle = 13.5f;  // fraction 0.85 before the scale settles: level 21.25
    draw(1);
    expectBars(21, aoaBand);
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 8, COLOUR_LABEL, "AoA"));
}

TEST_F(GmeterChevrons, AoaStackShowsNoNegativeLevel) {
    simDevice.aoaAngle = 0.0f;  // fraction -0.5
    draw(1);
    expectBars(1, aoaBand);
    EXPECT_TRUE(screen.all(40, 126, 88, 132, COLOUR_CYAN));
}

TEST_F(GmeterChevrons, InvalidAoaShowsNoLevelAndBlinksTheBaseBar) {
    simDevice.aoaValid = 0;
    int baseFrames = 0;
    for (int frame = 0; frame < 42; ++frame) {
        draw(1);
        const bool base = screen.all(40, 126, 88, 132, COLOUR_CYAN);
        EXPECT_EQ(base, frame % 21 > 10) << frame;
        baseFrames += base;
        expectBars(1, aoaBand);
    }
    EXPECT_EQ(baseFrames, 20);
}

TEST_F(GmeterChevrons, GStackBaseBarDoesNotBlinkForInvalidAoa) {
    simDevice.aoaValid = 0;
    for (int frame = 0; frame < 21; ++frame) {
        draw(2);
        ASSERT_TRUE(screen.all(40, 126, 88, 132, COLOUR_CYAN)) << frame;
    }
}

// ---- Extremes row and view 3 -----------------------------------------------------------

TEST_F(GmeterViews, ExtremesRowShowsTheRecordedValuesTruncatedToATenth) {
    draw(1);
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 18, 105, COLOUR_LABEL, "L"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 113, 105, COLOUR_LABEL, "H"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_18, 20, 125, COLOUR_WHITE, "2.0"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_18, 108, 125, COLOUR_WHITE, "15.0"));
    simDevice.gLowest = -0.5f;
    simDevice.gHighest = 4.29f;
    draw(2);
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_18, 20, 125, COLOUR_WHITE, "-0.5"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_18, 108, 125, COLOUR_WHITE, "4.2"));
    draw(3);
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_18, 20, 125, COLOUR_WHITE, "-0.5"));
}

TEST_F(GmeterViews, GDigitsRoundHalvesAwayFromZeroAndLimitAtNine) {
    settingsWriteByte(SLOT_DEMO_MODE,
                      DEMO_MODE_1);  // demo G = deviceState.demoPitch / 15 + 1, exact
    struct Case {
        float g;
        const char* text;
    };
    for (const Case& c : {Case{2.75f, "+2.8"}, Case{12.34f, "+9.0"}, Case{-0.04f, "+0.0"},
                          Case{-1.0f, "-1.0"}, Case{-1.25f, "-1.3"}, Case{-30.0f, "-9.0"}}) {
        SCOPED_TRACE(c.text);
        deviceState.demoPitch = (c.g - 1.0f) * 15.0f;
        draw(3);
        EXPECT_TRUE(showsCentred(screen, FONT_NUM_51, 59, 60, COLOUR_WHITE, c.text));
    }
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 8, COLOUR_LABEL, "G Load"));
}

TEST_F(GmeterViews, GReadingIsSmoothedInEveryView) {
    simDevice.gReading = 2.0f;
    for (int frame = 0; frame < 300; ++frame) {
        draw(1);
        filterTick();
    }
    draw(3);
    EXPECT_TRUE(showsCentred(screen, FONT_NUM_51, 59, 60, COLOUR_WHITE, "+2.0"));
}

TEST_F(GmeterViews, FooterInEveryView) {
    for (int view = 0; view < GMETER_VIEWS; ++view) {
        SCOPED_TRACE(view);
        draw(view);
        EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 150, COLOUR_GREY, "CLR PK"));
    }
}

}  // namespace
