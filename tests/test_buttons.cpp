// Button decoder: the event sequences that clicks, holds and chords produce.
#include "app_support.h"

#include "app/buttons.h"
#include "shell/bezel.h"

namespace {

using Events = std::vector<TickEvent>;

class ButtonDecoder : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        buttonDecoderStart();
    }
};

TEST_F(ButtonDecoder, ShortClicksGivePressThenRelease) {
    struct Case {
        void (*press)();
        void (*release)();
        ButtonEvent pressEvent;
        ButtonEvent releaseEvent;
    };
    const Case cases[] = {
        {pressView, releaseView, EVT_VIEW_PRESS, EVT_VIEW_RELEASE},
        {pressLeft, releaseLeft, EVT_LEFT_PRESS, EVT_LEFT_RELEASE},
        {pressRight, releaseRight, EVT_RIGHT_PRESS, EVT_RIGHT_RELEASE},
    };
    for (const Case& c : cases) {
        c.press();
        EXPECT_EQ(runTicks(30), (Events{{1, c.pressEvent}}));
        c.release();
        EXPECT_EQ(runTicks(5), (Events{{1, c.releaseEvent}}));
    }
}

TEST_F(ButtonDecoder, HoldsReportOnceAtTheirTickAndSilenceTheRelease) {
    pressView();
    EXPECT_EQ(runTicks(300), (Events{{1, EVT_VIEW_PRESS}, {61, EVT_VIEW_HOLD}}));
    releaseView();
    EXPECT_EQ(runTicks(5), Events{});

    pressLeft();
    EXPECT_EQ(runTicks(300), (Events{{1, EVT_LEFT_PRESS}, {61, EVT_LEFT_HOLD}}));
    releaseLeft();
    EXPECT_EQ(runTicks(5), Events{});

    pressRight();
    EXPECT_EQ(runTicks(300), (Events{{1, EVT_RIGHT_PRESS}, {121, EVT_RIGHT_HOLD}}));
    releaseRight();
    EXPECT_EQ(runTicks(5), Events{});
}

TEST_F(ButtonDecoder, RightHeldShorterThanItsHoldIsAClick) {
    pressRight();
    EXPECT_EQ(runTicks(119), (Events{{1, EVT_RIGHT_PRESS}}));
    releaseRight();
    EXPECT_EQ(runTicks(2), (Events{{1, EVT_RIGHT_RELEASE}}));
}

TEST_F(ButtonDecoder, ReleaseOnExactlyTheHoldTickStillReportsTheHold) {
    pressView();
    runTicks(60);  // the press and 59 counted ticks
    releaseView();
    // The hold test comes before the release test: the hold wins, the release is silent.
    EXPECT_EQ(runTicks(3), (Events{{1, EVT_VIEW_HOLD}}));

    pressRight();
    runTicks(120);
    releaseRight();
    EXPECT_EQ(runTicks(3), (Events{{1, EVT_RIGHT_HOLD}}));
}

TEST_F(ButtonDecoder, BothButtonClickGivesBothPressAndBothRelease) {
    pressBoth();
    EXPECT_EQ(runTicks(20), (Events{{1, EVT_BOTH_PRESS}}));
    releaseBoth();
    EXPECT_EQ(runTicks(5), (Events{{1, EVT_BOTH_RELEASE}}));
}

TEST_F(ButtonDecoder, BothButtonHeldLongGivesLeftHoldThenRightHoldOneTickLate) {
    pressBoth();
    // The right counter skips the tick on which the left hold is reported.
    EXPECT_EQ(runTicks(400),
              (Events{{1, EVT_BOTH_PRESS}, {61, EVT_LEFT_HOLD}, {122, EVT_RIGHT_HOLD}}));
    releaseBoth();
    EXPECT_EQ(runTicks(5), (Events{{1, EVT_BOTH_RELEASE}}));
}

TEST_F(ButtonDecoder, LeftThenRightChordEndsWithBothRelease) {
    pressLeft();
    EXPECT_EQ(runTicks(10), (Events{{1, EVT_LEFT_PRESS}}));
    pressRight();
    EXPECT_EQ(runTicks(10), (Events{{1, EVT_BOTH_PRESS}}));
    releaseRight();
    EXPECT_EQ(runTicks(10), Events{});
    releaseLeft();
    EXPECT_EQ(runTicks(10), (Events{{1, EVT_BOTH_RELEASE}}));
    // The decoder is clean again: a plain click of Left gives press and release.
    pressLeft();
    EXPECT_EQ(runTicks(3), (Events{{1, EVT_LEFT_PRESS}}));
    releaseLeft();
    EXPECT_EQ(runTicks(3), (Events{{1, EVT_LEFT_RELEASE}}));
}

TEST_F(ButtonDecoder, ViewClickDuringLeftHoldIsDecoded) {
    pressLeft();
    runTicks(10);
    pressView();
    EXPECT_EQ(runTicks(1), (Events{{1, EVT_VIEW_PRESS}}));
    releaseView();
    EXPECT_EQ(runTicks(1), (Events{{1, EVT_VIEW_RELEASE}}));
    // The view release reset every counter: the left hold comes 60 ticks after it.
    EXPECT_EQ(runTicks(100), (Events{{60, EVT_LEFT_HOLD}}));
}

TEST_F(ButtonDecoder, ButtonHeldAtStartGivesNoPressUntilReleased) {
    pressView();
    buttonDecoderStart();
    EXPECT_EQ(runTicks(200), Events{});
    releaseView();
    runTicks(1);
    pressView();
    EXPECT_EQ(runTicks(1), (Events{{1, EVT_VIEW_PRESS}}));
}

TEST_F(ButtonDecoder, AHoldOutlastingItsCounterNeverRepeats) {
    pressRight();
    const Events events = runTicks(5000);
    EXPECT_EQ(events, (Events{{1, EVT_RIGHT_PRESS}, {121, EVT_RIGHT_HOLD}}));
}

}  // namespace
