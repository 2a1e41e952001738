// The script interpreter against the whole unit: the virtual clock, button
// presses the decoder is sure to see, device fields set before the window
// exists, pictures, and the message and stop of each failed expectation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/brightness_dialog.h"
#include "app/controller.h"
#include "app/timekeeping.h"
#include "device/device.h"
#include "device/settings.h"
#include "gfx/gfx.h"
#include "script/run.h"
#include "script/script.h"
#include "shell/bezel.h"
#include "shell/shell.h"

namespace {

struct RunResult {
    ScriptOutcome outcome;
    std::vector<ScriptPicture> pictures;
};

// Parses and runs; pictures are kept, or answered with `answer`.
RunResult runText(const std::string& text, ShotResult answer = ShotResult::Stored,
                  long long limit = 0) {
    const Script s = scriptParse(text);
    EXPECT_TRUE(s.errors.empty()) << (s.errors.empty() ? "" : s.errors[0].message);
    RunResult r;
    r.outcome = scriptRun(
        s,
        [&](const ScriptPicture& p, std::string& message) {
            r.pictures.push_back(p);
            if (answer != ShotResult::Stored) message = "refused " + p.command->path;
            return answer;
        },
        limit);
    return r;
}

std::string firstMessage(const RunResult& r) {
    return r.outcome.messages.empty() ? "" : r.outcome.messages[0].message;
}

int firstLine(const RunResult& r) {
    return r.outcome.messages.empty() ? 0 : r.outcome.messages[0].line;
}

}  // namespace

TEST(ScriptRun, VirtualClockRunsASlowTickEveryHundredFastTicks) {
    RunResult r = runText(
        "wait 99\nexpect journal secondTick count 0\nwait 1\nexpect journal secondTick count 1\n"
        "wait 2.5s\nexpect journal secondTick count 3\n");
    EXPECT_EQ(r.outcome.status, ScriptStatus::Passed) << firstMessage(r);
    EXPECT_EQ(r.outcome.ticks, 350);
    EXPECT_EQ(hostFrameCount(), 351) << "the start-up frame and one per fast tick";
    // Each pass of a repeat runs every line inside it, nested repeats too.
    EXPECT_EQ(runText("repeat 3\nrepeat 2\nwait 5\nend\nwait 1\nend\n").outcome.ticks, 33);
}

TEST(ScriptRun, JournalCountsOutliveTheDevicesRingUntilCleared) {
    // 260 requests are more than the device keeps; the run tallies them all.
    RunResult r = runText(
        "wait 260s\nexpect journal secondTick count 260\njournal clear\n"
        "expect journal secondTick count 0\nwait 1s\nexpect journal secondTick\n");
    EXPECT_EQ(r.outcome.status, ScriptStatus::Passed) << firstMessage(r);
}

TEST(ScriptRun, PressesAndReleasesGetATickWhenTheDecoderWouldMissThem) {
    // A release straight after a press waits one tick so the press is seen.
    RunResult quick = runText("press view\nrelease view\n");
    EXPECT_EQ(quick.outcome.ticks, 1);
    EXPECT_EQ(viewLevel(), 0);
    // A press after a tick, or of another button, needs none.
    EXPECT_EQ(runText("press left\nwait 3\nrelease left\n").outcome.ticks, 3);
    EXPECT_EQ(runText("press left\npress right\n").outcome.ticks, 0);
    EXPECT_EQ(leftLevel() + rightLevel(), 2);
    // Both shares its levels with left and right.
    EXPECT_EQ(runText("press left\nrelease both\n").outcome.ticks, 1);
    // Releasing a button that is up changes nothing and needs no tick.
    EXPECT_EQ(runText("release right\nrelease right\n").outcome.ticks, 0);
}

TEST(ScriptRun, ClicksAndHoldsLastTheirTicksPlusTheReleaseTicks) {
    EXPECT_EQ(runText("click view\n").outcome.ticks, SCRIPT_CLICK_TICKS + 1);
    EXPECT_EQ(runText("click right 30\n").outcome.ticks, 31);
    // A hold reported on the release tick delays the release by one more.
    EXPECT_EQ(runText("hold right\n").outcome.ticks, 122);
    EXPECT_EQ(runText("hold right 125\n").outcome.ticks, 126);
    EXPECT_EQ(runText("hold both\n").outcome.ticks, 62);
    EXPECT_EQ(leftLevel() + rightLevel() + viewLevel(), 0);
}

TEST(ScriptRun, DeviceFieldsBeforeTheFirstOtherLineHoldAtWindowCreation) {
    // Window creation samples the discrete inputs; with no tick afterwards
    // they still show what the script set beforehand.
    runText("set discreteInput2Source 0\nexpect slot 16 1\n");
    EXPECT_EQ(discreteInput(2), 0);
    EXPECT_EQ(simDevice.discreteInput2Source, 0);
    runText("expect slot 16 1\nset discreteInput2Source 0\n");
    EXPECT_EQ(discreteInput(2), 1) << "set after the window exists: seen from the next frame on";
    runText("set busVoltage 4.5\nset axisPairReading[1][0] 2\n");
    EXPECT_EQ(simDevice.busVoltage, 4.5f);
    EXPECT_EQ(simDevice.axisPairReading[1][0], 2.0f);
}

TEST(ScriptRun, SlotsAreWrittenAfterTheDefaults) {
    RunResult r = runText("slot 16 0\nexpect slot 16 0\nexpect slot 2 127\nslot 7 0x1FF\n");
    EXPECT_EQ(r.outcome.status, ScriptStatus::Passed) << firstMessage(r);
    EXPECT_EQ(settingsReadInt(7), 0x1FF) << "slot writes the whole integer";
}

TEST(ScriptRun, PicturesAreTheCanvasCutAndScaled) {
    RunResult r = runText("wait 3\nshot s.png scale 2\nshot w.png window\n");
    ASSERT_EQ(r.pictures.size(), 2u);
    const ScriptPicture& s = r.pictures[0];
    ASSERT_EQ(s.width, 2 * FB_WIDTH);
    ASSERT_EQ(s.height, 2 * FB_HEIGHT);
    const ScriptPicture& w = r.pictures[1];
    ASSERT_EQ(w.width, BEZEL_WIDTH);
    ASSERT_EQ(w.height, BEZEL_HEIGHT);
    const uint32_t* canvas = hostCanvas();
    int mismatches = 0;
    for (int y = 0; y < FB_HEIGHT; ++y) {
        for (int x = 0; x < FB_WIDTH; ++x) {
            const uint32_t c = canvas[(SCREEN_Y + y) * BEZEL_WIDTH + SCREEN_X + x] | 0xFF000000u;
            for (int k = 0; k < 4; ++k)
                mismatches += s.pixels[(2 * y + k / 2) * s.width + 2 * x + k % 2] != c;
        }
    }
    EXPECT_EQ(mismatches, 0);
    for (size_t i = 0; i < w.pixels.size(); ++i)
        mismatches += w.pixels[i] != (canvas[i] | 0xFF000000u);
    EXPECT_EQ(mismatches, 0);
}

TEST(ScriptRun, DifferingPicturesFailAtTheEndUnstorablePicturesStop) {
    RunResult differs = runText("shot a.png\nwait 2\nshot b.png\n", ShotResult::Differs);
    EXPECT_EQ(differs.outcome.status, ScriptStatus::Failed);
    EXPECT_EQ(differs.pictures.size(), 2u);
    EXPECT_EQ(differs.outcome.ticks, 2);
    ASSERT_EQ(differs.outcome.messages.size(), 2u);
    EXPECT_EQ(differs.outcome.messages[1].line, 3);

    RunResult failed = runText("shot a.png\nwait 2\nshot b.png\n", ShotResult::Failed);
    EXPECT_EQ(failed.outcome.status, ScriptStatus::Error);
    EXPECT_EQ(failed.pictures.size(), 1u);
    EXPECT_EQ(failed.outcome.ticks, 0);
    EXPECT_EQ(firstMessage(failed), "refused a.png");
}

TEST(ScriptRun, FailedExpectationsStopTheRunWithWhatWasFound) {
    struct Case {
        const char* script;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"wait 1\nexpect slot 4 6\nshot never.png\n", 2, "expected slot 4 = 6, found 5"},
        {"wait 2s\nexpect journal secondTick count 3\n", 2,
         "expected request secondTick 3 times, found it 2 times; seen: secondTick 0 0 0 (2x)"},
        {"expect journal demoOff\n", 1,
         "expected request demoOff at least once, found it 0 times; seen: no such request"},
        {"expect pixel window 0 0 0x123456\n", 1, "expected window pixel 0 0 = 0x123456, found 0x"},
        {"expect page 7\n", 1, "expected page setup, found splash"},
    };
    for (const Case& c : cases) {
        RunResult r = runText(c.script);
        EXPECT_EQ(r.outcome.status, ScriptStatus::Failed) << c.script;
        EXPECT_EQ(firstLine(r), c.line) << c.script;
        EXPECT_EQ(firstMessage(r).rfind(c.message, 0), 0u) << firstMessage(r);
        EXPECT_TRUE(r.pictures.empty()) << "nothing after the failed line runs";
    }
}

TEST(ScriptRun, TickLimitStopsALongRunBeforeItStarts) {
    RunResult r = runText("wait 10\nwait 1000\n", ShotResult::Stored, 500);
    EXPECT_EQ(r.outcome.status, ScriptStatus::Error);
    EXPECT_EQ(firstLine(r), 2);
    EXPECT_EQ(r.outcome.ticks, 10);
    // A repeat that lets no time pass is stopped by its count of lines.
    r = runText("repeat 100000\nslot 1 1\nend\n", ShotResult::Stored, 10);
    EXPECT_EQ(r.outcome.status, ScriptStatus::Error);
    EXPECT_EQ(firstMessage(r), "the run would pass its limit of 100 lines");
}

TEST(ScriptRun, ScriptWithErrorsDoesNotRun) {
    const Script s = scriptParse("wait 5\nbogus\n");
    const ScriptOutcome o = scriptRun(s, nullptr);
    EXPECT_EQ(o.status, ScriptStatus::Error);
    EXPECT_EQ(o.ticks, 0);
    ASSERT_EQ(o.messages.size(), 1u);
    EXPECT_EQ(o.messages[0].line, 2);
}

TEST(HostTime, TicksCarryIntoTheDateAndDayOfWeek) {
    ClockTime t = hostTimeAfter(DEFAULT_HOST_TIME, 0);
    EXPECT_EQ(t.year * 10000 + t.month * 100 + t.day, 20240601);
    EXPECT_EQ(t.dayOfWeek, 6) << "1 June 2024 was a Saturday";
    EXPECT_EQ(t.milliseconds, 0);

    t = hostTimeAfter({2024, 2, 28, 23, 59, 59}, 101);
    EXPECT_EQ(t.month * 100 + t.day, 229) << "2024 is a leap year";
    EXPECT_EQ(t.hour * 10000 + t.minute * 100 + t.second, 0);
    EXPECT_EQ(t.milliseconds, 10);
    EXPECT_EQ(t.dayOfWeek, 4);

    t = hostTimeAfter({1999, 12, 31, 23, 59, 59}, 100);
    EXPECT_EQ(t.year * 10000 + t.month * 100 + t.day, 20000101);
    EXPECT_EQ(t.dayOfWeek, 6);
    t = hostTimeAfter({1601, 1, 1, 0, 0, 0}, 0);
    EXPECT_EQ(t.dayOfWeek, 1) << "1 January 1601 was a Monday";
}

TEST(ScriptRunUnit, NavigationAndTheDefaultHoldsReachTheDecoder) {
    RunResult r = runText(
        "wait 125\nexpect page data\nclick right\nexpect page runtime\nclick left\nclick left\n"
        "expect page setup\nexpect slot 9 7\n");
    EXPECT_EQ(r.outcome.status, ScriptStatus::Passed) << firstMessage(r);

    // The default hold of right opens the brightness dialog, one tick less does not.
    runText("wait 125\nhold right 119\n");
    EXPECT_EQ(brightnessDialog.open, 0);
    runText("wait 125\nhold right\n");
    EXPECT_EQ(brightnessDialog.open, 1);
    // In the dialog a view hold cycles the demo mode; the default hold is enough.
    r = runText(
        "wait 125\nhold right\nhold view 59\nexpect slot 16 1\nhold view\nexpect slot 16 2\n");
    EXPECT_EQ(r.outcome.status, ScriptStatus::Passed) << firstMessage(r);
}

TEST(ScriptRunUnit, TheUnitLoadsItsClockFromTheScriptsHostTime) {
    runText("clock 2026-12-08 10:20:30\nwait 250\n");
    ClockTime t{};
    clockRead(&t);
    EXPECT_EQ(t.year * 10000 + t.month * 100 + t.day, 20261208);
    EXPECT_EQ(t.dayOfWeek, 2) << "a Tuesday";
    EXPECT_EQ(t.hour * 10000 + t.minute * 100 + t.second, 102032);

    // Without a date the host keeps its date and takes the new time of day.
    runText("clock 2026-12-08 10:00:00\nclock 13:14:15\nwait 1s\n");
    clockRead(&t);
    EXPECT_EQ(t.month * 100 + t.day, 1208);
    EXPECT_EQ(t.hour * 10000 + t.minute * 100 + t.second, 131416);
}

TEST(ScriptRunUnit, JournalCountsTheHardCalibrationsParameters) {
    // On the ground the hard calibration samples for 99 frames and stores
    // parameters 80 to 82 (whatever their values) and 99 = 0 once each.
    std::string s = "set inFlight 0\nwait 1.25s\nclick left\nclick both\n";
    for (int i = 0; i < 8; ++i) s += "click left\n";
    s += "click right\nclick right\nclick right\nwait 2s\n"
         "expect journal writeParameter 80 1 count 1\nexpect journal writeParameter 82 1 count 1\n"
         "expect journal writeParameter 99 1 0 count 1\nexpect journal calibrationDone count "
         "1\nexpect page setup\n";
    RunResult r = runText(s);
    EXPECT_EQ(r.outcome.status, ScriptStatus::Passed) << firstMessage(r);
}
