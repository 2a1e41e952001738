// Key translation table. The browser names a key by what it types, so a
// letter comes in upper case with Shift and '=' is the plus key without it.
#include "platform/web/keys.h"

#include "script/words.h"

// ---- Types ----------------------------------------------------------------

namespace {

struct KeyName {
    std::string_view name;
    DeskKey key;
};

// ---- Constants ------------------------------------------------------------

constexpr KeyName KEYS[] = {
    {"arrowup", DeskKey::Up},
    {"arrowdown", DeskKey::Down},
    {"arrowleft", DeskKey::Left},
    {"arrowright", DeskKey::Right},
    {"v", DeskKey::V},
    {"l", DeskKey::L},
    {"r", DeskKey::R},
    {"b", DeskKey::B},
    {"p", DeskKey::P},
    {"pause", DeskKey::P},
    {"n", DeskKey::N},
    {"m", DeskKey::M},
    {"f1", DeskKey::F1},
    {"f2", DeskKey::F2},
    {"f12", DeskKey::F12},
    {"+", DeskKey::Plus},
    {"=", DeskKey::Plus},
    {"-", DeskKey::Minus},
    {"0", DeskKey::Zero},
    {"tab", DeskKey::Tab},
    {" ", DeskKey::Space},
    {"enter", DeskKey::Enter},
    {"escape", DeskKey::Escape},
};

}  // namespace

// ---- Public operations ----------------------------------------------------

DeskKey webDeskKey(std::string_view name) {
    for (const KeyName& k : KEYS)
        if (wordEquals(k.name, name)) return k.key;
    return DeskKey::None;
}
