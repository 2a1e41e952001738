// The angle-of-attack and load-factor fractions against the limits, with the
// smoothed scale reading, and the demo angle-of-attack smoother.
#include <cmath>
#include <limits>

#include "app/controller.h"
#include "app/gmeter_parts.h"
#include "app/page_gmeter.h"
#include "app_support.h"
#include "device/filter.h"
#include "device/settings.h"
#include "device/settings_slots.h"

namespace {

class GmeterFractions : public UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        settingsApplyDefaults();
        gmeterInit();
    }
    // Lets the scale channel follow the device's scale reading for a while.
    static void settleScale(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            filterFeed(GMETER_AOA_SCALE_CHANNEL, devAoaScale());
            filterTick();
        }
    }
};

TEST_F(GmeterFractions, AoaMapsCruiseToZeroAndPrestallToOneBeforeTheScaleSettles) {
    EXPECT_FLOAT_EQ(aoaFraction(5.0f), 0.0f);
    EXPECT_FLOAT_EQ(aoaFraction(10.0f), 0.5f);
    EXPECT_FLOAT_EQ(aoaFraction(15.0f), 1.0f);
    EXPECT_FLOAT_EQ(aoaFraction(0.0f), -0.5f);
    EXPECT_FLOAT_EQ(aoaFraction(40.0f), 1.0f);
    EXPECT_FLOAT_EQ(aoaFraction(-40.0f), -1.0f);
}

TEST_F(GmeterFractions, SettledScaleMultipliesTheAoaFraction) {
    settleScale(6000);                          // divisor 500: about twelve time constants
    EXPECT_FLOAT_EQ(aoaFraction(10.0f), 1.0f);  // 0.5 x 2.8, clamped
    EXPECT_NEAR(aoaFraction(6.0f), 0.28f, 1e-4f);
    EXPECT_NEAR(aoaFraction(4.0f), -0.28f, 1e-4f);
}

TEST_F(GmeterFractions, NonPositiveScaleLeavesTheFractionUnscaled) {
    simDevice.aoaScale = -3.0f;
    settleScale(6000);
    EXPECT_FLOAT_EQ(aoaFraction(10.0f), 0.5f);
}

TEST_F(GmeterFractions, EqualAoaLimitsGiveZero) {
    settingsWriteInt(SLOT_AOA_PRESTALL, 7);
    settingsWriteInt(SLOT_AOA_CRUISE, 7);
    EXPECT_FLOAT_EQ(aoaFraction(7.0f), 0.0f);
    EXPECT_FLOAT_EQ(aoaFraction(30.0f), 0.0f);
}

TEST_F(GmeterFractions, AoaThatIsNotANumberGivesZero) {
    EXPECT_FLOAT_EQ(aoaFraction(std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

TEST_F(GmeterFractions, LoadFactorAgainstEitherLimit) {
    EXPECT_FLOAT_EQ(gloadFraction(-1.0f), 0.5f);  // a positive share of the -2 G limit
    EXPECT_FLOAT_EQ(gloadFraction(1.5f), 0.5f);
    EXPECT_FLOAT_EQ(gloadFraction(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(gloadFraction(3.5f), 1.0f);
    EXPECT_FLOAT_EQ(gloadFraction(-5.0f), 1.0f);
    EXPECT_FLOAT_EQ(gloadFraction(std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

TEST_F(GmeterFractions, InsaneGLimitsGiveZero) {
    struct Case {
        int positive, negative;
    };
    for (const Case& c : {Case{0, -2}, Case{3, 0}, Case{-3, -2}, Case{3, 2}}) {
        SCOPED_TRACE(testing::Message() << c.positive << " / " << c.negative);
        settingsWriteInt(SLOT_G_LIMIT_POSITIVE, c.positive);
        settingsWriteInt(SLOT_G_LIMIT_NEGATIVE, c.negative);
        EXPECT_FLOAT_EQ(gloadFraction(2.0f), 0.0f);
        EXPECT_FLOAT_EQ(gloadFraction(-1.0f), 0.0f);
    }
}

TEST_F(GmeterFractions, DemoAoaIsDemoPitchThroughAFirstOrderSmoother) {
    deviceState.demoPitch = 12.0f;
    EXPECT_FLOAT_EQ(gmeterDemoAoa(), 0.0f);
    EXPECT_FLOAT_EQ(gmeterDemoAoa(), 1.2f);
    EXPECT_FLOAT_EQ(gmeterDemoAoa(), 2.28f);
    for (int i = 0; i < 300; ++i) gmeterDemoAoa();
    EXPECT_NEAR(gmeterDemoAoa(), 12.0f, 1e-3f);
}

TEST_F(GmeterFractions, EveryUserOfTheDemoAoaAdvancesTheSameSmoother) {
    settingsWriteByte(SLOT_DEMO_MODE, DEMO_MODE_1);
    deviceState.demoPitch = 12.0f;
    Screen ladder;
    drawAoaLadder(ladder.px, AOA_LADDER_DATA);      // takes 0.0
    drawAoaLadder(ladder.px, AOA_LADDER_ATTITUDE);  // takes 1.2
    EXPECT_FLOAT_EQ(gmeterDemoAoa(), 2.28f);
}

}  // namespace
