// Key translation table. Both '+' and '=' zoom in, since plus needs Shift
// on many layouts and Ctrl+Shift+= is awkward.
#include "platform/sdl/keys.h"

namespace {

struct KeyName {
    SDL_Keycode sdl;
    DeskKey key;
};

constexpr KeyName KEYS[] = {
    {SDLK_UP, DeskKey::Up},         {SDLK_DOWN, DeskKey::Down},
    {SDLK_LEFT, DeskKey::Left},     {SDLK_RIGHT, DeskKey::Right},
    {SDLK_v, DeskKey::V},           {SDLK_l, DeskKey::L},
    {SDLK_r, DeskKey::R},           {SDLK_b, DeskKey::B},
    {SDLK_p, DeskKey::P},           {SDLK_PAUSE, DeskKey::P},
    {SDLK_n, DeskKey::N},           {SDLK_m, DeskKey::M},
    {SDLK_F1, DeskKey::F1},         {SDLK_F2, DeskKey::F2},
    {SDLK_F12, DeskKey::F12},       {SDLK_PLUS, DeskKey::Plus},
    {SDLK_EQUALS, DeskKey::Plus},   {SDLK_KP_PLUS, DeskKey::Plus},
    {SDLK_MINUS, DeskKey::Minus},   {SDLK_KP_MINUS, DeskKey::Minus},
    {SDLK_0, DeskKey::Zero},        {SDLK_KP_0, DeskKey::Zero},
    {SDLK_TAB, DeskKey::Tab},       {SDLK_SPACE, DeskKey::Space},
    {SDLK_RETURN, DeskKey::Enter},  {SDLK_KP_ENTER, DeskKey::Enter},
    {SDLK_ESCAPE, DeskKey::Escape},
};

}  // namespace

DeskKey sdlDeskKey(SDL_Keycode key) {
    for (const KeyName& k : KEYS)
        if (k.sdl == key) return k.key;
    return DeskKey::None;
}

unsigned sdlDeskMods(Uint16 mod) {
    unsigned m = 0;
    if (mod & KMOD_SHIFT) m |= DESK_MOD_SHIFT;
    if (mod & KMOD_CTRL) m |= DESK_MOD_CTRL;
    if (mod & KMOD_ALT) m |= DESK_MOD_ALT;
    return m;
}
