// The horizon picture: where sky, ground, horizon line and rungs land for a
// given bank and pitch, the folding of pitch beyond the vertical, the bank
// angles kept away from 0 and pi, and readings of any size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/attitude_horizon.h"
#include "canvas.h"

namespace {

constexpr int S = HORIZON_SIDE;
constexpr float DEG = 3.14159265f / 180.0f;

// Columns clear of the rungs and their numbers at small bank angles.
constexpr int LEFT_MARGIN_END = 25;
constexpr int RIGHT_MARGIN_BEGIN = 115;

uint32_t red(uint32_t c) { return c >> 16 & 0xFFu; }
uint32_t green(uint32_t c) { return c >> 8 & 0xFFu; }
uint32_t blue(uint32_t c) { return c & 0xFFu; }
bool nearWhite(uint32_t c) { return red(c) >= 0xC0 && green(c) >= 0xC0 && blue(c) >= 0xC0; }

Canvas horizon(float bankDeg, float pitchDeg) {
    Canvas img(S, S);
    drawHorizon(img.data(), S, bankDeg * DEG, pitchDeg * DEG);
    return img;
}

// Every margin pixel of the row equals c.
bool marginRowIs(const Canvas& img, int y, uint32_t c) {
    for (int x = 0; x < S; ++x) {
        if (x == LEFT_MARGIN_END) x = RIGHT_MARGIN_BEGIN;
        if (img.at(x, y) != c) return false;
    }
    return true;
}

// The largest channel difference between two pictures.
int maxChannelDifference(const Canvas& a, const Canvas& b) {
    int worst = 0;
    for (size_t i = 0; i < a.px.size(); ++i)
        for (int shift = 0; shift < 32; shift += 8) {
            const int d = static_cast<int>(a.px[i] >> shift & 0xFFu) -
                          static_cast<int>(b.px[i] >> shift & 0xFFu);
            worst = std::max(worst, std::abs(d));
        }
    return worst;
}

// Sky-based pixels (sky, or sky brightened by white rungs and numbers) keep
// blue at or above red; ground-based ones keep red above blue.
int countGroundBased(const Canvas& img) {
    int n = 0;
    for (uint32_t p : img.px) n += red(p) > blue(p);
    return n;
}

}  // namespace

TEST(AttitudeHorizon, LevelFlightSplitsAtRowSeventyWithTheLineAlongIt) {
    const Canvas img = horizon(0, 0);
    for (int y = 0; y <= 68; ++y) EXPECT_TRUE(marginRowIs(img, y, HORIZON_SKY)) << "row " << y;
    for (int y = 72; y < S; ++y) EXPECT_TRUE(marginRowIs(img, y, HORIZON_GROUND)) << "row " << y;
    // Rows 69 and 71 carry only the line's faint edge over sky and ground.
    EXPECT_GT(blue(img.at(2, 69)), red(img.at(2, 69)));
    EXPECT_GT(red(img.at(137, 71)), blue(img.at(137, 71)));
    for (int x = 0; x < S; ++x) EXPECT_TRUE(nearWhite(img.at(x, 70))) << "column " << x;
    // Under the line row 70 is ground on the left half and sky on the right.
    EXPECT_GT(red(img.at(5, 70)), blue(img.at(5, 70)));
    EXPECT_GT(blue(img.at(134, 70)), red(img.at(134, 70)));
}

TEST(AttitudeHorizon, TenDegreesNoseUpMovesTheHorizonDownThirtyFourRows) {
    const Canvas img = horizon(0, 10);
    for (int y = 0; y <= 102; ++y) EXPECT_TRUE(marginRowIs(img, y, HORIZON_SKY)) << "row " << y;
    for (int y = 106; y < S; ++y) EXPECT_TRUE(marginRowIs(img, y, HORIZON_GROUND)) << "row " << y;
    EXPECT_TRUE(nearWhite(img.at(2, 104)));
    // The ten-degree rung now lies where the horizon was, between its numbers.
    for (int x = 55; x <= 85; ++x) EXPECT_TRUE(nearWhite(img.at(x, 70))) << "column " << x;
    EXPECT_TRUE(marginRowIs(img, 70, HORIZON_SKY));
}

TEST(AttitudeHorizon, NumbersStandBesideTheTenDegreeRungs) {
    const Canvas img = horizon(0, 0);
    // The rung from column 50 to 90 near row 36, a number beyond each end.
    auto brightIn = [&](int x0, int x1) {
        int n = 0;
        for (int y = 28; y < 44; ++y)
            for (int x = x0; x < x1; ++x)
                n += img.at(x, y) != HORIZON_SKY && blue(img.at(x, y)) > 0xE0;
        return n;
    };
    EXPECT_GT(brightIn(28, 48), 10);
    EXPECT_GT(brightIn(92, 112), 10);
}

TEST(AttitudeHorizon, PitchBeyondTheVerticalFoldsBack) {
    // Nose up beyond 90 degrees: all sky, the 80-degree rung across the middle.
    const Canvas up = horizon(0, 100);
    EXPECT_EQ(countGroundBased(up), 0);
    for (int x = 55; x <= 85; ++x) EXPECT_TRUE(nearWhite(up.at(x, 70))) << "column " << x;
    // Nose down beyond -90 degrees: all ground.
    const Canvas down = horizon(0, -100);
    int skyBased = 0;
    for (uint32_t p : down.px) skyBased += blue(p) > red(p);
    EXPECT_EQ(skyBased, 0);
    EXPECT_GT(countGroundBased(down), S * S / 2);
}

TEST(AttitudeHorizon, NoseUpFoldTurnsTheBankNoseDownFoldMirrorsIt) {
    // 100 up at bank 20 is drawn as 80 up at bank 200; 100 down at bank 20 as
    // 80 down at bank 160 (mirrored), not at bank 200 (turned).
    EXPECT_LE(maxChannelDifference(horizon(20, 100), horizon(200, 80)), 2);
    EXPECT_LE(maxChannelDifference(horizon(20, -100), horizon(160, -80)), 2);
    EXPECT_GT(maxChannelDifference(horizon(20, -100), horizon(200, -80)), 100);
}

TEST(AttitudeHorizon, WholeTurnsOfPitchAndBankChangeNothingVisible) {
    EXPECT_LE(maxChannelDifference(horizon(15, 370), horizon(15, 10)), 2);
    EXPECT_LE(maxChannelDifference(horizon(15 + 720, -20), horizon(15, -20)), 2);
    EXPECT_LE(maxChannelDifference(horizon(-345, 5), horizon(15, 5)), 2);
}

TEST(AttitudeHorizon, BankOfZeroOrPiIsDrawnJustBesideIt) {
    // The same picture as 0.001 rad whether the bank is 0, a whole turn, or a
    // hair below zero; pi is drawn as 3.1405926 rad.
    auto at = [](float bankRad) {
        Canvas img(S, S);
        drawHorizon(img.data(), S, bankRad, 5 * DEG);
        return img.px;
    };
    const auto reference = at(0.001f);
    EXPECT_EQ(at(0.0f), reference);
    EXPECT_EQ(at(6.2831855f), reference);
    EXPECT_EQ(at(-1e-7f), reference);
    EXPECT_EQ(at(3.14159265f), at(3.1405926f));
    // Upside down the ground is at the top of the picture.
    const Canvas inverted = horizon(180, 0);
    EXPECT_EQ(inverted.at(2, 10), HORIZON_GROUND);
    EXPECT_EQ(inverted.at(2, 130), HORIZON_SKY);
}

TEST(AttitudeHorizon, ReadingsOfAnySizeDrawAPictureWithoutFault) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float values[] = {1e30f, -1e30f, 3.4e38f, inf, -inf, nan, 1e-30f, 0.0f};
    for (float bank : values) {
        for (float pitch : values) {
            Canvas img(S, S, 0x12345678u);
            drawHorizon(img.data(), S, bank, pitch);
            // Every pixel is overwritten by the fill.
            EXPECT_EQ(std::count(img.px.begin(), img.px.end(), 0x12345678u), 0)
                << "bank " << bank << " pitch " << pitch;
        }
    }
}

TEST(AttitudeHorizon, SkyAndGroundColoursAreTheFramesColours) {
    setHorizonColours(0xFF112233u, 0xFF445566u);
    const Canvas img = horizon(0, 0);
    setHorizonColours(HORIZON_SKY, HORIZON_GROUND);
    EXPECT_EQ(img.at(2, 10), 0xFF112233u);
    EXPECT_EQ(img.at(2, 130), 0xFF445566u);
}
