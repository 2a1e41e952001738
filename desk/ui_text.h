// Text of the window's own pictures (key help, device panel, message bar) in
// UI_FONT, a face with its own advances: unlike the unit's fonts, which keep
// the unit's fixed advances, "/" keeps its slant and words their spacing.
#pragma once

#include <cstdint>

#include "gfx/font.h"

extern const FontRecord UI_FONT;

// Rows of a line of UI_FONT: its cell height.
inline constexpr int UI_TEXT_HEIGHT = 14;

// Draws s left-aligned with its cell's top-left at (x, y).
void uiText(uint32_t* buf, int w, int h, int x, int y, uint32_t colour, const char* s);
// Draws s centred on (cx, cy).
void uiTextCentred(uint32_t* buf, int w, int h, int cx, int cy, uint32_t colour, const char* s);
// Draws s so that it ends at xr.
void uiTextRight(uint32_t* buf, int w, int h, int xr, int y, uint32_t colour, const char* s);
// Width of s in pixels.
int uiTextWidth(const char* s);
