// Bezel click areas and the raw button levels.
#include "shell/bezel.h"

#include <gtest/gtest.h>

#include "app_support.h"

class Bezel : public ::testing::Test {
  protected:
    void SetUp() override { buttonLevelsPowerOnReset(); }

    static void click(int x, int y) { bezelMouse(WM_LBUTTONDOWN, x, y); }
};

TEST_F(Bezel, EachAreaCoversItsOpenRectangleExactly) {
    int hits[8] = {};
    for (int y = 0; y < 550; ++y)
        for (int x = 0; x < 450; ++x) {
            buttonLevelsPowerOnReset();
            click(x, y);
            ++hits[settledLevels()];
        }
    EXPECT_EQ(hits[0b100], 39 * 39);  // View
    EXPECT_EQ(hits[0b010], 39 * 39);  // Left
    EXPECT_EQ(hits[0b001], 39 * 39);  // Right
    EXPECT_EQ(hits[0b011], 59 * 49);  // Both
    EXPECT_EQ(hits[0b111] + hits[0b110] + hits[0b101], 0);
}

TEST_F(Bezel, BoundsAreExclusive) {
    const int misses[][2] = {{100, 150}, {140, 150}, {230, 275},
                             {230, 325}, {120, 130}, {340, 240}};
    for (auto& p : misses) {
        click(p[0], p[1]);
        EXPECT_EQ(settledLevels(), 0) << p[0] << "," << p[1];
    }
    click(230, 276);
    EXPECT_EQ(settledLevels(), 0b011);
    buttonLevelsPowerOnReset();
    click(230, 324);
    EXPECT_EQ(settledLevels(), 0b011);
}

TEST_F(Bezel, ReleaseOutsideKeepsTheButtonHeld) {
    bezelMouse(WM_LBUTTONDOWN, 120, 220);
    EXPECT_EQ(settledLevel(leftLevel), 1);
    bezelMouse(WM_LBUTTONUP, 200, 220);  // between the areas
    bezelMouse(WM_LBUTTONUP, -5, -30);   // released outside the window
    EXPECT_EQ(settledLevel(leftLevel), 1);
    bezelMouse(WM_LBUTTONUP, 230, 300);  // a release on Both clears Left too
    EXPECT_EQ(settledLevel(leftLevel), 0);
}

TEST_F(Bezel, PressBothReleaseOnLeftLeavesRightHeld) {
    bezelMouse(WM_LBUTTONDOWN, 230, 300);
    EXPECT_EQ(settledLevels(), 0b011);
    bezelMouse(WM_LBUTTONUP, 120, 220);
    EXPECT_EQ(settledLevel(leftLevel), 0);
    EXPECT_EQ(settledLevel(rightLevel), 1);
}

TEST_F(Bezel, ScreenAndOtherMessagesChangeNothing) {
    click(200, 180);  // on the screen
    EXPECT_EQ(settledLevels(), 0);
    pressView();
    bezelMouse(512, 120, 150);  // a mouse move over View
    bezelMouse(0, 120, 150);
    EXPECT_EQ(settledLevel(viewLevel), 1);
    bezelMouse(WM_LBUTTONUP, 120, 150);
    EXPECT_EQ(settledLevel(viewLevel), 0);
}

TEST_F(Bezel, SettersMoveTheirLevels) {
    pressBoth();
    EXPECT_EQ(settledLevels(), 0b011);
    pressView();
    releaseLeft();
    EXPECT_EQ(settledLevels(), 0b101);
    releaseBoth();
    releaseView();
    EXPECT_EQ(settledLevels(), 0);
    pressRight();
    buttonLevelsPowerOnReset();
    EXPECT_EQ(settledLevels(), 0);
}

// A click whose press and release both fall between two fast ticks still
// reaches the decoder: the press shows until the decoder has sampled it.
TEST_F(Bezel, APressShowsUntilTheDecoderHasSampledIt) {
    bezelMouse(WM_LBUTTONDOWN, 120, 150);
    bezelMouse(WM_LBUTTONUP, 120, 150);
    EXPECT_EQ(viewLevel(), 1);
    buttonLevelsTaken(true, true, true);
    EXPECT_EQ(viewLevel(), 0);

    setButtonKeyLevels(0, 1, 0);
    setButtonKeyLevels(0, 0, 0);
    EXPECT_EQ(leftLevel(), 1) << "a key tapped between two ticks";
    buttonLevelsTaken(true, true, true);
    EXPECT_EQ(leftLevel(), 0);

    pressRight();
    buttonLevelsTaken(true, true, true);
    EXPECT_EQ(rightLevel(), 1) << "a held button stays held";
    releaseRight();
    EXPECT_EQ(rightLevel(), 0) << "a sampled press lets go at once";
}

// A tap that lands on the tick another press is decoded waits for the next.
TEST_F(Bezel, ATapBesideAnotherPressIsDecodedOnTheNextTick) {
    buttonDecoderStart();
    pressView();
    setButtonKeyLevels(0, 1, 0);
    setButtonKeyLevels(0, 0, 0);
    EXPECT_EQ(tickOnce(), EVT_VIEW_PRESS);
    EXPECT_EQ(tickOnce(), EVT_LEFT_PRESS);
    EXPECT_EQ(tickOnce(), EVT_LEFT_RELEASE);
}
