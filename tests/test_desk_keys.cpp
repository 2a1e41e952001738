// Keys of the window: which keys hold which levels, chords, the union with the
// mouse, modifiers and auto-repeat, and which keys name commands.
#include <gtest/gtest.h>

#include "app_support.h"
#include "desk/keys.h"
#include "shell/bezel.h"

namespace {

class DeskKeys : public ::testing::Test {
  protected:
    void SetUp() override {
        buttonLevelsPowerOnReset();
        deskKeysReleaseAll();
    }

    static DeskCommand down(DeskKey k, unsigned mods = 0, bool repeat = false, bool panel = false) {
        return deskKeyDown(k, mods, repeat, panel);
    }
};

// The middle of each click area, in picture pixels.
constexpr int VIEW_X = 120, VIEW_Y = 150;
constexpr int LEFT_X = 120, LEFT_Y = 220;
constexpr int BOTH_X = 230, BOTH_Y = 300;

}  // namespace

TEST_F(DeskKeys, EachButtonKeyHoldsItsLevelsUntilReleased) {
    const struct {
        DeskKey key;
        int levels;
    } cases[] = {{DeskKey::Up, 0b100},   {DeskKey::V, 0b100},     {DeskKey::Left, 0b010},
                 {DeskKey::L, 0b010},    {DeskKey::Right, 0b001}, {DeskKey::R, 0b001},
                 {DeskKey::Down, 0b011}, {DeskKey::B, 0b011}};
    for (const auto& c : cases) {
        EXPECT_EQ(down(c.key), DeskCommand::None);
        EXPECT_EQ(settledLevels(), c.levels) << static_cast<int>(c.key);
        EXPECT_TRUE(deskKeyHeld(c.key));
        deskKeyUp(c.key);
        EXPECT_EQ(settledLevels(), 0) << static_cast<int>(c.key);
    }
}

TEST_F(DeskKeys, KeysHeldTogetherMakeChords) {
    down(DeskKey::Up);
    down(DeskKey::Left);
    EXPECT_EQ(settledLevels(), 0b110);  // View and Left, the switch-off chord on battery
    deskKeyUp(DeskKey::Up);
    EXPECT_EQ(settledLevels(), 0b010);
    down(DeskKey::Right);
    EXPECT_EQ(settledLevels(), 0b011);  // Left, then Right while Left is held
    deskKeyUp(DeskKey::Left);
    deskKeyUp(DeskKey::Right);
    EXPECT_EQ(settledLevels(), 0);
}

TEST_F(DeskKeys, ALevelStaysWhileAnyKeyHoldsIt) {
    down(DeskKey::Down);  // Both
    down(DeskKey::L);
    deskKeyUp(DeskKey::Down);
    EXPECT_EQ(settledLevels(), 0b010);  // L still holds Left; Right is free
    down(DeskKey::Left);
    deskKeyUp(DeskKey::L);
    EXPECT_EQ(settledLevels(), 0b010);  // the arrow still holds it
    deskKeyUp(DeskKey::Left);
    EXPECT_EQ(settledLevels(), 0);
}

TEST_F(DeskKeys, AutoRepeatAndRepeatedReleasesChangeNothing) {
    down(DeskKey::V);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(down(DeskKey::V, 0, true), DeskCommand::None);
    EXPECT_EQ(settledLevels(), 0b100);
    deskKeyUp(DeskKey::V);
    deskKeyUp(DeskKey::V);
    deskKeyUp(DeskKey::R);  // never pressed
    EXPECT_EQ(settledLevels(), 0);
}

// Mouse and keys are two sources of the same levels: a button held both ways
// is released only when both have let go, in either order.
TEST_F(DeskKeys, MouseAndKeyReleaseOnlyWhenBothLetGo) {
    bezelMouse(WM_LBUTTONDOWN, LEFT_X, LEFT_Y);
    down(DeskKey::L);
    bezelMouse(WM_LBUTTONUP, LEFT_X, LEFT_Y);
    EXPECT_EQ(settledLevel(leftLevel), 1) << "the key still holds Left";
    deskKeyUp(DeskKey::L);
    EXPECT_EQ(settledLevel(leftLevel), 0);

    down(DeskKey::Up);
    bezelMouse(WM_LBUTTONDOWN, VIEW_X, VIEW_Y);
    deskKeyUp(DeskKey::Up);
    EXPECT_EQ(settledLevel(viewLevel), 1) << "the mouse still holds View";
    bezelMouse(WM_LBUTTONUP, VIEW_X, VIEW_Y);
    EXPECT_EQ(settledLevel(viewLevel), 0);

    // The mouse on Both and the Right key; the mouse lets go first.
    bezelMouse(WM_LBUTTONDOWN, BOTH_X, BOTH_Y);
    down(DeskKey::Right);
    bezelMouse(WM_LBUTTONUP, BOTH_X, BOTH_Y);
    EXPECT_EQ(settledLevels(), 0b001);
    deskKeyUp(DeskKey::Right);
    EXPECT_EQ(settledLevels(), 0);
}

// A mouse release outside the areas keeps the mouse's hold: the key alone
// cannot end it.
TEST_F(DeskKeys, MouseHoldOutlivesTheKeyAfterAReleaseOutside) {
    bezelMouse(WM_LBUTTONDOWN, LEFT_X, LEFT_Y);
    bezelMouse(WM_LBUTTONUP, -4, -4);
    down(DeskKey::Left);
    deskKeyUp(DeskKey::Left);
    EXPECT_EQ(settledLevel(leftLevel), 1);
    bezelMouse(WM_LBUTTONUP, LEFT_X, LEFT_Y);
    EXPECT_EQ(settledLevel(leftLevel), 0);
}

TEST_F(DeskKeys, CtrlAndAltKeepButtonKeysOffButReleasesAlwaysCount) {
    EXPECT_EQ(down(DeskKey::R, DESK_MOD_CTRL), DeskCommand::None);
    EXPECT_EQ(down(DeskKey::L, DESK_MOD_ALT), DeskCommand::None);
    EXPECT_EQ(settledLevels(), 0);
    down(DeskKey::B, DESK_MOD_SHIFT);
    EXPECT_EQ(settledLevels(), 0b011);
    deskKeyUp(DeskKey::B);  // Ctrl pressed meanwhile makes no difference to a release
    EXPECT_EQ(settledLevels(), 0);
}

TEST_F(DeskKeys, ReleaseAllLetsGoOfEveryKeyButNotOfTheMouse) {
    bezelMouse(WM_LBUTTONDOWN, VIEW_X, VIEW_Y);
    down(DeskKey::Left);
    down(DeskKey::Right);
    deskKeysReleaseAll();
    EXPECT_EQ(settledLevels(), 0b100);
    EXPECT_FALSE(deskKeyHeld(DeskKey::Left));
}

TEST_F(DeskKeys, PowerOnResetClearsTheKeyLevels) {
    down(DeskKey::Up);
    buttonLevelsPowerOnReset();
    EXPECT_EQ(settledLevels(), 0);
}

TEST_F(DeskKeys, CommandKeys) {
    EXPECT_EQ(down(DeskKey::F1), DeskCommand::ToggleHelp);
    EXPECT_EQ(down(DeskKey::F2), DeskCommand::TogglePanel);
    EXPECT_EQ(down(DeskKey::F12), DeskCommand::Screenshot);
    EXPECT_EQ(down(DeskKey::P), DeskCommand::TogglePause);
    EXPECT_EQ(down(DeskKey::N), DeskCommand::StepFrame);
    EXPECT_EQ(down(DeskKey::M), DeskCommand::ToggleMute);
    EXPECT_EQ(down(DeskKey::Escape), DeskCommand::CloseOverlays);
    EXPECT_EQ(down(DeskKey::Plus, DESK_MOD_CTRL), DeskCommand::ZoomIn);
    EXPECT_EQ(down(DeskKey::Minus, DESK_MOD_CTRL), DeskCommand::ZoomOut);
    EXPECT_EQ(down(DeskKey::Zero, DESK_MOD_CTRL), DeskCommand::ZoomReset);
    EXPECT_EQ(down(DeskKey::Plus), DeskCommand::None) << "plus without Ctrl is a panel key";
    EXPECT_EQ(down(DeskKey::None), DeskCommand::None);
    EXPECT_EQ(down(DeskKey::Count), DeskCommand::None);
    EXPECT_EQ(settledLevels(), 0);
}

// Toggles never run again on auto-repeat (a held F1 would flicker); a held N
// steps frame after frame.
TEST_F(DeskKeys, AutoRepeatRunsOnlyRepeatableCommands) {
    EXPECT_EQ(down(DeskKey::P, 0, true), DeskCommand::None);
    EXPECT_EQ(down(DeskKey::F12, 0, true), DeskCommand::None);
    EXPECT_EQ(down(DeskKey::Plus, DESK_MOD_CTRL, true), DeskCommand::None);
    EXPECT_EQ(down(DeskKey::N, 0, true), DeskCommand::StepFrame);
    EXPECT_EQ(down(DeskKey::Plus, 0, true, true), DeskCommand::PanelIncrease);
}

TEST_F(DeskKeys, PanelKeysWorkOnlyWhileThePanelIsShown) {
    EXPECT_EQ(down(DeskKey::Tab), DeskCommand::None);
    EXPECT_EQ(down(DeskKey::Tab, 0, false, true), DeskCommand::PanelNext);
    EXPECT_EQ(down(DeskKey::Tab, DESK_MOD_SHIFT, false, true), DeskCommand::PanelPrevious);
    EXPECT_EQ(down(DeskKey::Plus, 0, false, true), DeskCommand::PanelIncrease);
    EXPECT_EQ(down(DeskKey::Minus, 0, false, true), DeskCommand::PanelDecrease);
    EXPECT_EQ(down(DeskKey::Plus, DESK_MOD_SHIFT, false, true), DeskCommand::PanelIncreaseMore);
    EXPECT_EQ(down(DeskKey::Minus, DESK_MOD_SHIFT, false, true), DeskCommand::PanelDecreaseMore);
    EXPECT_EQ(down(DeskKey::Space, 0, false, true), DeskCommand::PanelToggle);
    EXPECT_EQ(down(DeskKey::Enter, 0, false, true), DeskCommand::PanelToggle);
    EXPECT_EQ(down(DeskKey::Plus, DESK_MOD_CTRL, false, true), DeskCommand::ZoomIn);
    // The button keys stay buttons with the panel open.
    EXPECT_EQ(down(DeskKey::Up, 0, false, true), DeskCommand::None);
    EXPECT_EQ(settledLevels(), 0b100);
}
