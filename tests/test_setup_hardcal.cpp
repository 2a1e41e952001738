// The hard calibration: refused in flight, the caution and confirmation pages,
// the 99 sampling frames with the parameters written on the last, the return
// to the list, waiting while the device is not ready, and buttons while sampling.
#include "device/filter.h"
#include "setup_support.h"

namespace {

constexpr int ITEM_HARD_CAL = 8;
constexpr uint32_t COUNT_COLOUR = 0x00FFFFFFu;
constexpr int SAMPLING_FRAMES = 99;

class SetupHardCal : public SetupTest {
  protected:
    void SetUp() override {
        SetupTest::SetUp();
        simDevice.inFlight = 0;
        openItem(ITEM_HARD_CAL);
    }
    // One frame as the unit runs it: a filter step, then the page drawn.
    void frame() {
        filterTick();
        draw();
    }
    bool showsCount(const char* digits) {
        return showsCentred(screen, FONT_NUM_23, 64, 110, COUNT_COLOUR, digits);
    }
    bool showsCaution() {
        return showsCentred(screen, FONT_TEXT_14, 64, 30, COLOUR_YELLOW, "! CAUTION !") &&
               showsCentred(screen, FONT_TEXT_14, 64, 55, COLOUR_YELLOW, "Hard Calibration Must") &&
               showsCentred(screen, FONT_TEXT_14, 64, 70, COLOUR_YELLOW, "be performed while on") &&
               showsCentred(screen, FONT_TEXT_14, 64, 85, COLOUR_YELLOW, "ground only.  ");
    }
    bool showsConfirmation() {
        const char* lines[] = {"Proceed only if",  "no aircraft motion", "is present.",
                               "Calibration will", "take several",       "moments."};
        const int ys[] = {45, 60, 75, 95, 110, 125};
        for (int i = 0; i < 6; ++i) {
            if (!showsCentred(screen, FONT_TEXT_14, 64, ys[i], COLOUR_YELLOW, lines[i]))
                return false;
        }
        return true;
    }
    bool showsBack() { return showsVertical(screen, 5, 90, COLOUR_GREEN, "BACK"); }
    bool rightLabelBlank() { return blank(screen, {114, 95, 128, 160}); }
    // From the caution page on the ground to the first sampling frame.
    void start() {
        right();  // ACK
        right();  // GO
    }
};

TEST_F(SetupHardCal, InFlightTheCalibrationCannotStart) {
    simDevice.inFlight = 1;
    draw();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 10, COLOUR_TITLE_GREEN, "HARD CALIBRATION"));
    EXPECT_TRUE(showsCaution());
    EXPECT_TRUE(showsBack());
    EXPECT_TRUE(rightLabelBlank());  // no "ACK"
    right(5);
    draw();
    EXPECT_TRUE(showsCaution());

    // On the ground "ACK" appears and leads on; in flight again "GO" is
    // drawn but does nothing.
    simDevice.inFlight = 0;
    draw();
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_YELLOW, "ACK"));
    right();
    simDevice.inFlight = 1;
    draw();
    EXPECT_TRUE(showsConfirmation());
    EXPECT_TRUE(showsVertical(screen, 122, 100, COLOUR_YELLOW, "GO"));
    EXPECT_TRUE(showsBack());
    right();
    draw();
    EXPECT_TRUE(showsConfirmation());
    EXPECT_EQ(journalCount(DevOp::WriteParameter), 0);
}

TEST_F(SetupHardCal, GroundRunCountsDownWritesOnTheLastFrameAndReturnsToTheList) {
    simDevice.axisPairReading[0][0] = 1.0f;
    simDevice.axisPairReading[0][1] = 3.0f;
    simDevice.axisPairReading[1][0] = -1.0f;
    simDevice.axisPairReading[1][1] = -3.0f;
    simDevice.axisPairReading[2][0] = 0.25f;
    simDevice.axisPairReading[2][1] = 0.75f;
    // A channel left with an old accumulator must restart from 0.
    filterFeed(27, 1000.0f);
    for (int i = 0; i < 50; ++i) filterTick();
    start();
    devJournalClear();

    for (int f = 1; f <= SAMPLING_FRAMES; ++f) {
        frame();
        const int count = 100 - f;
        const char digits[] = {static_cast<char>('0' + count / 10),
                               static_cast<char>('0' + count % 10), 0};
        ASSERT_TRUE(showsCount(digits)) << "frame " << f;
        if (f < SAMPLING_FRAMES) {
            ASSERT_EQ(journalCount(DevOp::WriteParameter), 0) << "frame " << f;
        }
    }
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 30, COLOUR_TITLE_GREEN, "* CALIBRATING *"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 55, COLOUR_YELLOW, "Do Not Move"));
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 70, COLOUR_YELLOW, "Aircraft"));
    EXPECT_TRUE(rightLabelBlank());
    EXPECT_TRUE(blank(screen, {0, 88, 12, 150}));  // no "BACK"

    const std::vector<DevRequest> writes = journalOf(DevOp::WriteParameter);
    ASSERT_EQ(writes.size(), 4u);
    const int ids[] = {80, 81, 82, 99};
    const float means[] = {2.0f, -2.0f, 0.5f, 0.0f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(writes[i].a, ids[i]);
        EXPECT_EQ(writes[i].b, 1);
        EXPECT_NEAR(writes[i].x, means[i], 1e-3f) << "parameter " << ids[i];
    }
    // Each stored value is its channel's output.
    EXPECT_EQ(writes[0].x, filterFeed(27, 2.0f));
    EXPECT_EQ(journalCount(DevOp::CalibrationDone), 0);

    frame();  // the finish: title only, back to the list in browse mode
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 10, COLOUR_TITLE_GREEN, "HARD CALIBRATION"));
    EXPECT_TRUE(blank(screen, {0, 20, 128, 160}));
    EXPECT_EQ(journalCount(DevOp::CalibrationDone), 1);
    EXPECT_EQ(setup.screen, 0);
    EXPECT_EQ(setup.cursor, -1);
    EXPECT_EQ(setup.scroll, 0);

    frame();
    EXPECT_TRUE(showsCentred(screen, FONT_TEXT_14, 64, 10, COLOUR_LABEL, "SETUP"));
    EXPECT_TRUE(showsText(screen, FONT_TEXT_14, 25, 30, COLOUR_GREY, "SYSTEM INFO"));
    EXPECT_EQ(journalCount(DevOp::WriteParameter), 4);

    // A new run starts again from the caution page.
    both();
    left(8);
    right();
    draw();
    EXPECT_TRUE(showsCaution());
}

TEST_F(SetupHardCal, SamplingWaitsWhileTheDeviceIsNotReady) {
    start();
    frame();
    EXPECT_TRUE(showsCount("99"));
    simDevice.calibrationReady = 0;
    for (int i = 0; i < 5; ++i) {
        frame();
        EXPECT_TRUE(showsCount("98"));
    }
    simDevice.calibrationReady = 1;
    frame();
    EXPECT_TRUE(showsCount("98"));
    frame();
    EXPECT_TRUE(showsCount("97"));
}

TEST_F(SetupHardCal, ButtonsDoNothingWhileSampling) {
    start();
    frame();
    EXPECT_EQ(setupHandleEvent(EVT_LEFT_RELEASE), EVT_NONE);
    EXPECT_EQ(setupHandleEvent(EVT_RIGHT_RELEASE), EVT_NONE);
    EXPECT_EQ(setupHandleEvent(EVT_VIEW_RELEASE), EVT_VIEW_RELEASE);
    EXPECT_EQ(setupHandleEvent(EVT_BOTH_PRESS), EVT_BOTH_PRESS);
    left();
    view();
    both();
    right();
    EXPECT_EQ(controller.activePage, PAGE_SETUP);
    EXPECT_EQ(setup.screen, 9);
    frame();
    EXPECT_TRUE(showsCount("98"));
}

TEST_F(SetupHardCal, BackKeepsTheStepSoReopeningShowsTheConfirmation) {
    right();  // ACK
    left();   // BACK
    EXPECT_EQ(setup.screen, 0);
    EXPECT_EQ(setup.cursor, ITEM_HARD_CAL);
    EXPECT_EQ(setup.scroll, 2);
    right();
    EXPECT_EQ(setup.screen, 9);
    draw();
    EXPECT_TRUE(showsConfirmation());
}

}  // namespace
