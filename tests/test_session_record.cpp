// Recording a window session as a script: the lines it writes, and a whole
// session (keys, mouse, panel changes, a pause with single frames, a stall)
// that replays headless through the same ticks to the same pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/timekeeping.h"
#include "desk/keys.h"
#include "desk/panel_model.h"
#include "desk/session.h"
#include "desk/session_record.h"
#include "desk/shots.h"
#include "device/device.h"
#include "script/run.h"
#include "script/script.h"
#include "shell/bezel.h"
#include "shell/shell.h"

namespace {

constexpr HostDateTime START = {2025, 3, 14, 23, 59, 58};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t from = 0;
    for (size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1) {
        out.push_back(text.substr(from, end - from));
    }
    return out;
}

const DeviceField& field(const char* name) {
    const DeviceField* f = deviceFieldFind(name);
    EXPECT_NE(f, nullptr) << name;
    return *f;
}

}  // namespace

TEST(SessionRecord, WritesHeadLevelsChangesShotsAndTheLastWait) {
    recordStart(START, "first note\nsecond note");
    recordLevels(0, 0, 0, 0);   // nothing changed: no line
    recordLevels(12, 0, 1, 1);  // Left and Right together: Both
    recordLevels(20, 1, 1, 0);  // View down, Right up
    recordChange(20, {&field("busVoltage"), 0, 4.5, 0, 0});
    recordChange(25, {nullptr, 0, 0.0, 16, 0});
    recordLevels(30, 0, 0, 0);
    recordShot(30, "a-screen.png", false, 1);
    recordShot(30, "a-window.png", true, 3);
    recordFinish(130);
    EXPECT_FALSE(recordActive());
    const std::vector<std::string> expected = {
        "# first note",
        "# second note",
        "clock 2025-03-14 23:59:58",
        "wait 12",
        "press both",
        "wait 8",
        "press view",
        "release right",
        "set busVoltage 4.5",
        "wait 5",
        "slot 16 0",
        "wait 5",
        "release view",
        "release left",
        "shot a-screen.png",
        "shot a-window.png window scale 3",
        "wait 100",
    };
    const std::string text = recordTake();
    EXPECT_EQ(lines(text), expected);
    EXPECT_TRUE(scriptParse(text).errors.empty());
    EXPECT_EQ(recordTake(), "") << "taken once";
    recordLevels(200, 1, 0, 0);
    EXPECT_EQ(recordTake(), "") << "nothing after the finish";
}

// A set line first after the clock would apply before window creation in a
// replay; the window had long been created, so a wait of 0 comes first.
TEST(SessionRecord, ASetAtTheStartComesAfterTheWindow) {
    recordStart(START, "");
    recordChange(0, {&field("gLimitInput"), 2, 1.0, 0, 0});
    recordFinish(0);
    EXPECT_EQ(lines(recordTake()), (std::vector<std::string>{"clock 2025-03-14 23:59:58", "wait 0",
                                                             "set gLimitInput[2] 1"}));
}

namespace {

// The window's loop in miniature: events at given times, ticks as the
// session clock hands them out, panel changes recorded as main does.
struct Session {
    int64_t now = 0;

    void until(int64_t t) {
        for (; now < t; now += 5) deskSessionRunDue(now);
        deskSessionRunDue(now);
    }
    void panel(int row, int steps) {
        PanelChange changes[PANEL_MAX_CHANGES];
        const int n = panelAdjust(row, steps, changes);
        for (int i = 0; i < n; ++i) recordChange(deskSessionTicks(), changes[i]);
    }
};

constexpr int RIGHT_X = 340, RIGHT_Y = 220;

int panelRow(const char* label) {
    for (int row = 0; row < PANEL_ROWS; ++row)
        if (std::string(panelLabel(row)) == label) return row;
    ADD_FAILURE() << label;
    return 0;
}

}  // namespace

TEST(SessionRecord, ASessionReplaysToTheSamePictures) {
    recordStart(START, "replay test");
    deskSessionStart(0, true, START);
    setClockSource(deskSessionHostTime);
    unitPowerOnReset();
    deskKeysReleaseAll();
    HostOnCreate();
    hostStartup();

    Session s;
    s.until(1500);
    deskKeyDown(DeskKey::Right, 0, false, false);  // a click with the Right key: the run-time page
    s.until(1600);
    deskKeyUp(DeskKey::Right);
    s.until(2000);
    s.panel(panelRow("Bus voltage"), -21);  // 14.1 V down to 12.0 V
    s.panel(panelRow("Pitch"), 3);          // stops the pitch ramp too
    s.panel(panelRow("Demo mode"), -1);     // demo mode off: the readings show
    s.until(2500);
    runSetPaused(&deskSessionRun(), true, s.now);  // paused 1.5 s, 30 single frames
    for (int i = 0; i < 30; ++i) {
        runRequestStep(&deskSessionRun());
        s.until(s.now + 50);
    }
    runSetPaused(&deskSessionRun(), false, s.now);
    s.until(4500);
    s.now = 5200;  // a stall: fast ticks dropped
    s.until(5500);
    bezelMouse(WM_LBUTTONDOWN, RIGHT_X, RIGHT_Y);  // a Right hold by mouse, then the key joins
    s.until(6000);
    deskKeyDown(DeskKey::R, 0, false, false);
    bezelMouse(WM_LBUTTONUP, RIGHT_X, RIGHT_Y);
    s.until(7000);
    deskKeyUp(DeskKey::R);  // the hold opened the brightness dialog
    s.until(7300);
    deskKeyDown(DeskKey::Right, 0, false, false);  // a Right click closes it
    s.until(7400);
    deskKeyUp(DeskKey::Right);
    s.until(8000);
    deskKeyDown(DeskKey::V, 0, false, false);  // View and Left held together
    s.until(8050);
    deskKeyDown(DeskKey::L, 0, false, false);
    s.until(8300);
    deskKeysReleaseAll();
    s.until(9000);
    const std::vector<uint32_t> screenAtShot = shotScreen();
    recordShot(deskSessionTicks(), "end-screen.png", false, 1);
    s.until(9500);
    recordFinish(deskSessionTicks());
    const long long sessionTicks = deskSessionTicks();
    const std::vector<uint32_t> finalCanvas(hostCanvas(), hostCanvas() + BEZEL_PIXELS);
    const std::string text = recordTake();

    const Script script = scriptParse(text);
    ASSERT_TRUE(script.errors.empty()) << script.errors[0].message << "\n" << text;
    std::vector<ScriptPicture> pictures;
    const ScriptOutcome outcome = scriptRun(script, [&](const ScriptPicture& p, std::string&) {
        pictures.push_back(p);
        return ShotResult::Stored;
    });
    EXPECT_EQ(outcome.status, ScriptStatus::Passed);
    EXPECT_EQ(outcome.ticks, sessionTicks);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_TRUE(pictures[0].pixels == screenAtShot) << "the shot differs\n" << text;
    EXPECT_TRUE(std::vector<uint32_t>(hostCanvas(), hostCanvas() + BEZEL_PIXELS) == finalCanvas)
        << "the final picture differs\n"
        << text;
}
