// The splash picture: an attitude-ball emblem and the maker's name in the
// upper half on black, the "SOFTWARE VERSION" caption in the lower part, with
// the places the unit writes over (model name, version, demo mark) kept clear.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int SPLASH_W = 128;
inline constexpr int SPLASH_H = 160;

// 128 x 160 values 0x0RGB, rows bottom first (the layout gfx_draw_image444 reads).
std::vector<uint16_t> paintSplash();
