// SDL key codes and modifiers in the window's own terms.
#pragma once

#include <SDL.h>

#include "desk/keys.h"

// The window's name for an SDL key, by the character on the key (so the
// letters follow the keyboard layout); None for keys the window does not use.
DeskKey sdlDeskKey(SDL_Keycode key);
// Shift, Ctrl and Alt as DESK_MOD_ bits.
unsigned sdlDeskMods(Uint16 mod);
