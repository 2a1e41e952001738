// Frame composition onto the window canvas: the bezel picture once, the unit's
// framebuffer every frame, with the changed area tracked for the platform.
#pragma once

#include <cstdint>

#include "gfx/gfx.h"
#include "shell/shell.h"

// The alpha of every canvas pixel; with no colour it is opaque black.
inline constexpr uint32_t CANVAS_OPAQUE = 0xFF000000u;
inline constexpr HostRect SCREEN_RECT = {SCREEN_X, SCREEN_Y, FB_WIDTH, FB_HEIGHT};

// Smallest rectangle holding a and b (an empty one adds nothing).
HostRect rectUnion(HostRect a, HostRect b);
// Copies the bottom-up 450 x 550 bezel picture into the top-down canvas, opaque.
void composeBezel(uint32_t* canvas, const uint32_t* picture);
// Opaque copy of the bottom-up 128 x 160 framebuffer to the screen area;
// grows *changed by every canvas pixel that took a new value.
void composeScreen(uint32_t* canvas, const uint32_t* fb, HostRect* changed);
// Opaque black over the screen area: the unit shows nothing.
void composeBlankScreen(uint32_t* canvas, HostRect* changed);
