// The attitude page: its three attitude sources and the black screen without
// one, the alignment message, the slip ball, the status letters, the pitch
// trim and the display toggles.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "app/attitude_horizon.h"
#include "app/controller.h"
#include "app/page_attitude.h"
#include "app_support.h"
#include "device/device.h"
#include "device/filter.h"
#include "device/settings.h"
#include "device/settings_slots.h"

namespace {

// SLOT_DEMO_MODE as the attitude page reads it.
constexpr int DEMO = DEMO_MODE_1, SENSORS_ALIGNED = DEMO_OFF, SENSORS_UNCHECKED = DEMO_MODE_2;
constexpr uint32_t AIRCRAFT = 0xFFFFFF50u;
constexpr int BALL_ROWS = 19;  // tube rows 111 to 129

uint32_t red(uint32_t c) { return c >> 16 & 0xFFu; }
uint32_t green(uint32_t c) { return c >> 8 & 0xFFu; }
uint32_t blue(uint32_t c) { return c & 0xFFu; }

class AttitudePage : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        settingsApplyDefaults();
        initAttitudePage();
        controllerShowPage(PAGE_ATTITUDE);
        simDevice.pitchRamps = 0;
    }

    // Sensor readings: roll and pitch in degrees.
    void sensors(int mode, float roll, float pitch) {
        settingsWriteByte(SLOT_DEMO_MODE, mode);
        simDevice.rollAngle = roll;
        simDevice.pitchAngle = pitch;
    }

    void draw() {
        screen.fill(0x12345678u);
        attitudeDrawPage(screen.px);
    }

    // The screen row where the horizon crosses column x: the first row from
    // the top whose pixel is ground-based (red above blue).
    int horizonRow(int x) const {
        for (int y = 0; y < 140; ++y)
            if (red(screen.at(x, y)) > blue(screen.at(x, y))) return y;
        return -1;
    }

    // The ball's pixels in the tube rows for columns x0..x1.
    std::vector<uint32_t> ballStrip(int x0, int x1) const {
        std::vector<uint32_t> strip;
        for (int y = 111; y < 130; ++y)
            for (int x = x0; x < x1; ++x) strip.push_back(screen.at(x, y));
        return strip;
    }

    // Columns corner + k, k0 <= k < k1, of the tube rows: the ball seen from its corner.
    std::vector<uint32_t> ballColumns(int corner, int k0, int k1) const {
        return ballStrip(corner + k0, corner + k1);
    }

    // The same columns cut from a strip taken with ballColumns(corner, 1, n).
    static std::vector<uint32_t> ballColumns(const std::vector<uint32_t>& strip, int k0, int k1) {
        const int width = static_cast<int>(strip.size()) / BALL_ROWS;
        std::vector<uint32_t> cut;
        for (int y = 0; y < BALL_ROWS; ++y)
            for (int k = k0; k < k1; ++k) cut.push_back(strip[y * width + k - 1]);
        return cut;
    }
};

}  // namespace

TEST_F(AttitudePage, DemoMotionDrivesThePictureWhateverTheSensorsSay) {
    settingsWriteByte(SLOT_DEMO_MODE, DEMO);
    deviceState.demoRoll = 0.0f;
    deviceState.demoPitch = 10.0f;
    draw();
    EXPECT_EQ(horizonRow(2), 105);
    const Screen good = screen;

    // Neither validity, alignment nor trim plays any part in demo mode.
    simDevice.attitudeValid = 0;
    simDevice.alignCondition[0] = 0;
    settingsWriteInt(SLOT_PITCH_TRIM, 100);
    simDevice.pitchAngle = 45.0f;
    draw();
    EXPECT_TRUE(std::equal(std::begin(screen.px), std::end(screen.px), std::begin(good.px)));
}

TEST_F(AttitudePage, SensorPitchLessTheTrimMovesTheHorizon) {
    sensors(SENSORS_UNCHECKED, 0.0f, 0.0f);
    draw();
    EXPECT_EQ(horizonRow(2), 70);  // the split row: ground on the left half
    sensors(SENSORS_UNCHECKED, 0.0f, 10.0f);
    draw();
    EXPECT_EQ(horizonRow(2), 105);
    // A trim of 10 degrees takes 20 degrees of pitch back to 10.
    settingsWriteInt(SLOT_PITCH_TRIM, 100);
    sensors(SENSORS_UNCHECKED, 0.0f, 20.0f);
    draw();
    EXPECT_EQ(horizonRow(2), 105);
    // The trim is limited to 15 degrees.
    settingsWriteInt(SLOT_PITCH_TRIM, 400);
    sensors(SENSORS_UNCHECKED, 0.0f, 25.0f);
    draw();
    EXPECT_EQ(horizonRow(2), 105);
}

TEST_F(AttitudePage, SensorRollTurnsThePictureTheOtherWayFromDemoRoll) {
    // Sensor roll +10 lowers the horizon on the left of the screen, demo
    // roll +10 on the right.
    sensors(SENSORS_UNCHECKED, 10.0f, 0.0f);
    draw();
    EXPECT_GT(horizonRow(2), 78);
    EXPECT_LT(horizonRow(106), 64);
    settingsWriteByte(SLOT_DEMO_MODE, DEMO);
    deviceState.demoRoll = 10.0f;
    deviceState.demoPitch = 0.0f;
    draw();
    EXPECT_LT(horizonRow(2), 62);
    EXPECT_GT(horizonRow(106), 76);
}

TEST_F(AttitudePage, WithoutAnAttitudeTheScreenIsBlackUnderTheOverlays) {
    for (int mode : {SENSORS_ALIGNED, SENSORS_UNCHECKED}) {
        sensors(mode, 0.0f, 0.0f);
        simDevice.attitudeValid = 0;
        draw();
        EXPECT_TRUE(screen.all(0, 0, 100, 67, 0)) << "mode " << mode;
        EXPECT_TRUE(screen.all(0, 73, 128, 111, 0));
        EXPECT_TRUE(screen.all(60, 67, 68, 73, AIRCRAFT));
        EXPECT_TRUE(screen.all(24, 68, 49, 72, AIRCRAFT));
        EXPECT_TRUE(screen.all(79, 68, 104, 72, AIRCRAFT));
        EXPECT_TRUE(screen.all(0, 140, 128, 143, 0xFF000000u));
        EXPECT_TRUE(screen.any(15, 111, 113, 130, 0xFF00FFFFu));  // the tube marks
    }
}

TEST_F(AttitudePage, ReadingsThatAreNotNumbersCountAsNoAttitude) {
    sensors(SENSORS_UNCHECKED, std::numeric_limits<float>::quiet_NaN(), 0.0f);
    draw();
    EXPECT_TRUE(screen.all(0, 0, 100, 67, 0));
    sensors(SENSORS_UNCHECKED, 0.0f, std::numeric_limits<float>::infinity());
    draw();
    EXPECT_TRUE(screen.all(0, 0, 100, 67, 0));
}

TEST_F(AttitudePage, SlipBallKeepsItsLastPlaceWhenTheAttitudeIsLost) {
    settingsWriteByte(SLOT_DEMO_MODE, DEMO);
    deviceState.demoRoll = 5.0f;  // slip 5: the ball 30 pixels right of the middle
    draw();
    const std::vector<uint32_t> before = ballStrip(15, 113);
    sensors(SENSORS_UNCHECKED, 0.0f, 0.0f);
    simDevice.attitudeValid = 0;
    draw();
    EXPECT_EQ(ballStrip(15, 113), before);
}

TEST_F(AttitudePage, SensorSlipIsSmoothedAndSurvivesReadingsThatAreNotNumbers) {
    sensors(SENSORS_UNCHECKED, 0.0f, 0.0f);
    // The frame feeds the reading; the channel then smooths it tick by tick.
    auto run = [&](float reading, int ticks) {
        simDevice.slipReading = reading;
        draw();
        for (int i = 0; i < ticks; ++i) filterTick();
        draw();
    };
    auto ballNear = [&](int corner) {
        return screen.any(corner + 4, 111, corner + 14, 130, 0xFFFFFFFFu);
    };
    run(3.0f, 1);
    EXPECT_TRUE(ballNear(56));  // smoothing: still in the middle
    run(3.0f, 1500);
    EXPECT_TRUE(ballNear(74));  // settled at 3: 18 pixels right
    run(std::numeric_limits<float>::quiet_NaN(), 5);
    EXPECT_TRUE(ballNear(74));
    run(3e38f, 200);
    EXPECT_TRUE(ballNear(98));  // at the right corner, limited to 7
    run(0.0f, 10000);
    EXPECT_TRUE(ballNear(56));
}

TEST_F(AttitudePage, SlipBeyondSevenStopsTheBallAtTheTubeCorners) {
    settingsWriteByte(SLOT_DEMO_MODE, DEMO);
    deviceState.demoRoll = 0.0f;  // centred: the corner at 56, between the marks
    draw();
    EXPECT_TRUE(screen.any(56, 111, 74, 130, 0xFFFFFFFFu));
    EXPECT_TRUE(screen.all(77, 111, 113, 130, 0));
    const std::vector<uint32_t> centred = ballColumns(56, 1, 18);

    // Limited to 7: the corner at 98 (the tube ends at 113).
    deviceState.demoRoll = 10.0f;
    draw();
    EXPECT_EQ(ballColumns(98, 1, 15), ballColumns(centred, 1, 15));
    EXPECT_TRUE(screen.all(15, 111, 53, 130, 0));

    // Limited to -7: the corner at 14 (the tube starts at 15).
    deviceState.demoRoll = -10.0f;
    draw();
    EXPECT_EQ(ballColumns(14, 1, 18), centred);
    EXPECT_TRUE(screen.all(77, 111, 113, 130, 0));
}

TEST_F(AttitudePage, AligningShowsOnlyOnTheCheckedSensorPathUntilAllThreeConditionsHold) {
    auto boxShown = [&] {
        // The box is black with red text; without it the sky shows there.
        bool text = false;
        for (int y = 35; y < 54; ++y)
            for (int x = 24; x < 104; ++x) {
                const uint32_t p = screen.at(x, y);
                if (green(p) != 0 || blue(p) != 0) return false;
                text = text || red(p) >= 0xF0;
            }
        return text;
    };
    for (int missing = 0; missing < 3; ++missing) {
        sensors(SENSORS_ALIGNED, 0.0f, 0.0f);
        simDevice.alignCondition[0] = simDevice.alignCondition[1] = simDevice.alignCondition[2] = 1;
        simDevice.alignCondition[missing] = 0;
        draw();
        EXPECT_TRUE(boxShown()) << "condition " << missing + 1;
        sensors(SENSORS_UNCHECKED, 0.0f, 0.0f);
        draw();
        EXPECT_FALSE(boxShown());
        settingsWriteByte(SLOT_DEMO_MODE, DEMO);
        draw();
        EXPECT_FALSE(boxShown());
    }
    sensors(SENSORS_ALIGNED, 0.0f, 0.0f);
    simDevice.alignCondition[0] = simDevice.alignCondition[1] = simDevice.alignCondition[2] = 1;
    draw();
    EXPECT_FALSE(boxShown());
    // Without an attitude the message still covers the black picture.
    simDevice.alignCondition[2] = 0;
    simDevice.attitudeValid = 0;
    draw();
    EXPECT_TRUE(boxShown());
}

TEST_F(AttitudePage, StatusLettersRunFromRedToGreenByTheirOwnQuality) {
    attitudePage.statusShown = 1;
    for (float& q : simDevice.statusQuality) q = 1.0f;
    simDevice.statusQuality[5] = 0.0f;  // "W", centred at x 105
    draw();
    const int centres[] = {10, 25, 40, 55, 70, 105, 120};
    for (int i = 0; i < 7; ++i) {
        bool redSeen = false, greenSeen = false;
        for (int y = 120; y < 140; ++y)
            for (int x = centres[i] - 7; x <= centres[i] + 7; ++x) {
                const uint32_t p = screen.at(x, y);
                EXPECT_EQ(blue(p), 0u);
                redSeen = redSeen || (red(p) >= 0xF0 && green(p) == 0);
                greenSeen = greenSeen || (green(p) >= 0xF0 && red(p) == 0);
                EXPECT_TRUE(red(p) == 0 || green(p) == 0) << "a pure hue at " << x << "," << y;
            }
        EXPECT_EQ(redSeen, i == 5) << "letter " << i;
        EXPECT_EQ(greenSeen, i != 5) << "letter " << i;
    }
}

TEST_F(AttitudePage, StatusQualitiesOutsideZeroToOneAreLimited) {
    attitudePage.statusShown = 1;
    for (float& q : simDevice.statusQuality) q = 1.5f;
    simDevice.statusQuality[0] = std::numeric_limits<float>::quiet_NaN();
    draw();
    // "P" at 25 pure green, not wrapped round; "R" at 10 as quality 0.
    EXPECT_TRUE(screen.any(19, 120, 32, 140, 0xFF00F000u));
    EXPECT_TRUE(screen.any(4, 120, 17, 140, 0xFFF00000u));
}

TEST_F(AttitudePage, HalfQualityGivesEqualRedAndGreen) {
    attitudePage.statusShown = 1;
    for (float& q : simDevice.statusQuality) q = 0.5f;
    draw();
    bool seen = false;
    for (int y = 120; y < 140; ++y)
        for (int x = 0; x < 128; ++x) {
            const uint32_t p = screen.at(x, y);
            EXPECT_EQ(red(p), green(p));
            seen = seen || red(p) >= 0x70;
        }
    EXPECT_TRUE(seen);
}

TEST_F(AttitudePage, ViewReleaseTogglesTheWidgetsAndViewHoldTheStatusRow) {
    EXPECT_EQ(attitudePage.widgetsShown, 1);
    EXPECT_EQ(attitudePage.statusShown, 0);
    EXPECT_EQ(attitudeHandleEvent(EVT_VIEW_RELEASE), EVT_NONE);
    EXPECT_EQ(attitudePage.widgetsShown, 0);
    settingsWriteByte(SLOT_DEMO_MODE, DEMO);
    draw();
    EXPECT_FALSE(screen.any(15, 111, 113, 130, 0));  // no tube: ground shows
    EXPECT_EQ(attitudeHandleEvent(EVT_VIEW_RELEASE), EVT_NONE);
    EXPECT_EQ(attitudePage.widgetsShown, 1);
    EXPECT_EQ(attitudeHandleEvent(EVT_VIEW_HOLD), EVT_NONE);
    EXPECT_EQ(attitudePage.statusShown, 1);
    EXPECT_EQ(attitudeHandleEvent(EVT_VIEW_HOLD), EVT_NONE);
    EXPECT_EQ(attitudePage.statusShown, 0);
    // Any other value than 0 and 1 toggles back to the usual state.
    attitudePage.widgetsShown = 7;
    attitudePage.statusShown = 7;
    attitudeHandleEvent(EVT_VIEW_RELEASE);
    attitudeHandleEvent(EVT_VIEW_HOLD);
    EXPECT_EQ(attitudePage.widgetsShown, 1);
    EXPECT_EQ(attitudePage.statusShown, 0);
}

TEST_F(AttitudePage, OtherEventsPassThroughForTheNavigation) {
    for (ButtonEvent e : {EVT_NONE, EVT_VIEW_PRESS, EVT_LEFT_PRESS, EVT_LEFT_RELEASE, EVT_LEFT_HOLD,
                          EVT_RIGHT_PRESS, EVT_RIGHT_RELEASE, EVT_RIGHT_HOLD, EVT_BOTH_RELEASE})
        EXPECT_EQ(attitudeHandleEvent(e), e);
    EXPECT_EQ(attitudePage.widgetsShown, 1);
    EXPECT_EQ(settingsReadInt(SLOT_PITCH_TRIM), 0);
}

TEST_F(AttitudePage, BothPressTakesThePitchReadingAsTheTrim) {
    simDevice.pitchAngle = 20.0f;
    EXPECT_EQ(attitudeHandleEvent(EVT_BOTH_PRESS), EVT_NONE);
    EXPECT_EQ(settingsReadInt(SLOT_PITCH_TRIM), 150);
    // The trim of 15 degrees brings a reading of 15 to level.
    sensors(SENSORS_UNCHECKED, 0.0f, 15.0f);
    draw();
    EXPECT_EQ(horizonRow(2), 70);

    simDevice.pitchAngle = -3.27f;
    attitudeHandleEvent(EVT_BOTH_PRESS);
    EXPECT_EQ(settingsReadInt(SLOT_PITCH_TRIM), -32);
    // The tenths come from a single-precision product: 0.7 (0.699999988 as a
    // float) times 10 is 7.0 in single precision, 6.99999988 in double.
    simDevice.pitchAngle = 0.7f;
    attitudeHandleEvent(EVT_BOTH_PRESS);
    EXPECT_EQ(settingsReadInt(SLOT_PITCH_TRIM), 7);
    simDevice.pitchAngle = -40.0f;
    attitudeHandleEvent(EVT_BOTH_PRESS);
    EXPECT_EQ(settingsReadInt(SLOT_PITCH_TRIM), -150);
    simDevice.pitchAngle = std::numeric_limits<float>::quiet_NaN();
    attitudeHandleEvent(EVT_BOTH_PRESS);
    EXPECT_EQ(settingsReadInt(SLOT_PITCH_TRIM), 0);
}

TEST_F(AttitudePage, BottomStripIsBlackUnderTheGreyCaption) {
    settingsWriteByte(SLOT_DEMO_MODE, DEMO);
    draw();
    EXPECT_TRUE(screen.all(0, 140, 128, 143, 0xFF000000u));
    EXPECT_TRUE(screen.any(40, 143, 90, 158, 0xFF696969u));  // "PSYNC", fully covered pixels
    EXPECT_FALSE(screen.any(0, 140, 128, 160, HORIZON_GROUND));
}
