// Colours of the window's own furniture (key help, message bar, device
// panel), shared so the overlays and the panel look of one piece.
#pragma once

#include <cstdint>

inline constexpr uint32_t DESK_BACKGROUND = 0xFF15181Cu;
inline constexpr uint32_t DESK_ACCENT = 0xFFE39B2Du;  // the bezel's amber stripe
inline constexpr uint32_t DESK_TEXT = 0xFFFFFFFFu;
inline constexpr uint32_t DESK_SOFT_TEXT = 0xFFD2D5D9u;
inline constexpr uint32_t DESK_HINT = 0xFF8A9098u;
inline constexpr uint32_t DESK_GOOD = 0xFF2E8B3Au;  // a switch that is on, a feed that is live
