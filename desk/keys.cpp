// Key layout of the window. The arrows sit where the buttons sit on the bezel
// (View upper left, Left and Right below, Both at the bottom) and the letters
// are the buttons' initials. Each button key is its own hold, so keys held
// together make chords a single mouse pointer cannot make.
#include "desk/keys.h"

#include <iterator>

#include "shell/bezel.h"

// ---- Constants ------------------------------------------------------------

const DeskKeyHelp deskKeyHelp[DESK_KEY_HELP_LINES] = {
    {"Up or V", "View button"},
    {"Left or L", "Left button"},
    {"Right or R", "Right button"},
    {"Down or B", "Both button (Left and Right)"},
    {"F1", "this help"},
    {"F2", "device panel"},
    {"F12", "screenshot"},
    {"Ctrl + / Ctrl -", "zoom in / out"},
    {"Ctrl 0", "zoom 1x"},
    {"P", "pause / resume"},
    {"N", "next frame while paused"},
    {"M", "sound off / on"},
    {"Tab, Shift Tab", "panel: next / previous value"},
    {"+ - Space", "panel: change (Shift: x10)"},
};

namespace {

constexpr int KEYS = static_cast<int>(DeskKey::Count);

// Which levels a button key holds.
struct ButtonKey {
    DeskKey key;
    bool view, left, right;
};

constexpr ButtonKey BUTTON_KEYS[] = {
    {DeskKey::Up, true, false, false},    {DeskKey::V, true, false, false},
    {DeskKey::Left, false, true, false},  {DeskKey::L, false, true, false},
    {DeskKey::Right, false, false, true}, {DeskKey::R, false, false, true},
    {DeskKey::Down, false, true, true},   {DeskKey::B, false, true, true},
};

// Commands of single keys without Ctrl; `repeats` lets auto-repeat run them again.
struct CommandKey {
    DeskKey key;
    DeskCommand command;
    bool repeats;
};

constexpr CommandKey PLAIN_COMMANDS[] = {
    {DeskKey::F1, DeskCommand::ToggleHelp, false},
    {DeskKey::F2, DeskCommand::TogglePanel, false},
    {DeskKey::F12, DeskCommand::Screenshot, false},
    {DeskKey::P, DeskCommand::TogglePause, false},
    {DeskKey::N, DeskCommand::StepFrame, true},
    {DeskKey::M, DeskCommand::ToggleMute, false},
    {DeskKey::Escape, DeskCommand::CloseOverlays, false},
};

constexpr CommandKey CTRL_COMMANDS[] = {
    {DeskKey::Plus, DeskCommand::ZoomIn, false},
    {DeskKey::Minus, DeskCommand::ZoomOut, false},
    {DeskKey::Zero, DeskCommand::ZoomReset, false},
};

// ---- Module state ---------------------------------------------------------

struct KeysState {
    bool held[KEYS] = {};  // button keys currently down
};

KeysState keys;

// ---- Private helpers ------------------------------------------------------

const ButtonKey* buttonKey(DeskKey key) {
    for (const ButtonKey& b : BUTTON_KEYS)
        if (b.key == key) return &b;
    return nullptr;
}

// The levels are the union of every held button key.
void publishLevels() {
    int view = 0, left = 0, right = 0;
    for (const ButtonKey& b : BUTTON_KEYS) {
        if (!keys.held[static_cast<int>(b.key)]) continue;
        view |= b.view;
        left |= b.left;
        right |= b.right;
    }
    setButtonKeyLevels(view, left, right);
}

DeskCommand lookUp(const CommandKey* table, int n, DeskKey key, bool repeat) {
    for (int i = 0; i < n; ++i) {
        if (table[i].key != key) continue;
        return repeat && !table[i].repeats ? DeskCommand::None : table[i].command;
    }
    return DeskCommand::None;
}

DeskCommand panelCommand(DeskKey key, bool shift) {
    switch (key) {
        case DeskKey::Tab: return shift ? DeskCommand::PanelPrevious : DeskCommand::PanelNext;
        case DeskKey::Plus:
            return shift ? DeskCommand::PanelIncreaseMore : DeskCommand::PanelIncrease;
        case DeskKey::Minus:
            return shift ? DeskCommand::PanelDecreaseMore : DeskCommand::PanelDecrease;
        case DeskKey::Space:
        case DeskKey::Enter: return DeskCommand::PanelToggle;
        default: return DeskCommand::None;
    }
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// Holds a button or names a command; Ctrl or Alt turn button keys off so that
// shortcuts never press the unit's buttons.
DeskCommand deskKeyDown(DeskKey key, unsigned mods, bool repeat, bool panelShown) {
    const int k = static_cast<int>(key);
    if (k <= 0 || k >= KEYS) return DeskCommand::None;
    const bool ctrl = (mods & DESK_MOD_CTRL) != 0;
    if (ctrl) return lookUp(CTRL_COMMANDS, std::size(CTRL_COMMANDS), key, repeat);
    if (mods & DESK_MOD_ALT) return DeskCommand::None;
    if (buttonKey(key) != nullptr) {
        if (!keys.held[k]) {
            keys.held[k] = true;
            publishLevels();
        }
        return DeskCommand::None;
    }
    const DeskCommand c = lookUp(PLAIN_COMMANDS, std::size(PLAIN_COMMANDS), key, repeat);
    if (c != DeskCommand::None || !panelShown) return c;
    return panelCommand(key, (mods & DESK_MOD_SHIFT) != 0);
}

// Lets go of the key whatever the modifiers are now.
void deskKeyUp(DeskKey key) {
    const int k = static_cast<int>(key);
    if (k <= 0 || k >= KEYS || !keys.held[k]) return;
    keys.held[k] = false;
    publishLevels();
}

// No key holds anything any more.
void deskKeysReleaseAll() {
    keys = {};
    publishLevels();
}

// True while the key holds its button.
bool deskKeyHeld(DeskKey key) {
    const int k = static_cast<int>(key);
    return k > 0 && k < KEYS && keys.held[k];
}
