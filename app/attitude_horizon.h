// The picture of the attitude page's artificial horizon: sky and ground split
// by the horizon line, and the pitch ladder with its rotated degree numbers.
#pragma once

#include <cstdint>

inline constexpr int HORIZON_SIDE = 140;
inline constexpr uint32_t HORIZON_SKY = 0xFF0003C1u;     // blue
inline constexpr uint32_t HORIZON_GROUND = 0xFF882A00u;  // brown

// Colours of the two halves from now on; the page sets them at the start of
// every frame.
void setHorizonColours(uint32_t sky, uint32_t ground);
// Draws the whole side x side picture for bank and pitch in radians (any size:
// pitch beyond the vertical is folded back, bank wraps).
void drawHorizon(uint32_t* image, int side, float bank, float pitch);
