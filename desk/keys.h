// The window's keyboard: which keys hold which bezel button, which keys run
// which window command, and the keys held right now. The platform layer
// translates its key codes into DeskKey and passes every press and release.
#pragma once

#include <cstdint>

// The keys the window uses; the platform maps every other key to None.
enum class DeskKey : uint8_t {
    None,
    Up,
    Down,
    Left,
    Right,
    V,
    L,
    R,
    B,
    P,
    N,
    M,
    F1,
    F2,
    F12,
    Plus,   // '+', '=' (plus without shift) and keypad plus
    Minus,  // '-' and keypad minus
    Zero,   // '0' and keypad 0
    Tab,
    Space,
    Enter,
    Escape,
    Count,
};

// Modifier state of a key event.
inline constexpr unsigned DESK_MOD_SHIFT = 1u;
inline constexpr unsigned DESK_MOD_CTRL = 2u;
inline constexpr unsigned DESK_MOD_ALT = 4u;

// What a key press asks of the window, beside holding buttons.
enum class DeskCommand : uint8_t {
    None,
    ToggleHelp,
    TogglePanel,
    Screenshot,
    ZoomIn,
    ZoomOut,
    ZoomReset,
    TogglePause,
    StepFrame,
    ToggleMute,
    CloseOverlays,
    PanelNext,
    PanelPrevious,
    PanelIncrease,
    PanelDecrease,
    PanelIncreaseMore,  // with shift: ten steps
    PanelDecreaseMore,
    PanelToggle,
};

// One line of the key help: the keys and what they do.
struct DeskKeyHelp {
    const char* keys;
    const char* action;
};

inline constexpr int DESK_KEY_HELP_LINES = 14;
extern const DeskKeyHelp deskKeyHelp[DESK_KEY_HELP_LINES];

// A key went down. Button keys hold their button (without Ctrl or Alt);
// auto-repeat of a held key is ignored for buttons and for commands that
// toggle. Returns the command the key asks for, if any; panel commands only
// while panelShown.
DeskCommand deskKeyDown(DeskKey key, unsigned mods, bool repeat, bool panelShown);
// A key went up: the button it held is released once no other key holds it.
void deskKeyUp(DeskKey key);
// Every key up, e.g. when the window loses the keyboard.
void deskKeysReleaseAll();
// True while the key holds a button.
bool deskKeyHeld(DeskKey key);
