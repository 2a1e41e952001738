// The nine 4-bit icons of the unit (two pixels per byte, high nibble left,
// rows bottom first).
#pragma once

#include <cstdint>

struct Icon4 {
    const uint8_t* data;
    int width;
    int height;
};

extern const Icon4 ICON_TRI_UP;      // 12 x 8
extern const Icon4 ICON_TRI_DOWN;    // 12 x 8
extern const Icon4 ICON_TRI_LEFT;    // 8 x 12
extern const Icon4 ICON_TRI_RIGHT;   // 8 x 12
extern const Icon4 ICON_CHECK;       // 8 x 11
extern const Icon4 ICON_CROSS;       // 8 x 10
extern const Icon4 ICON_BALL;        // 20 x 20
extern const Icon4 ICON_PLAY_PAUSE;  // 16 x 17
extern const Icon4 ICON_PAUSE;       // 16 x 17

// gfx_draw_icon4 with the icon's own data and size.
void gfx_draw_icon(uint32_t* buf, int w, int h, const Icon4& icon, int x, int y, uint32_t tint);
