// The colours that recur across the unit's pages and dialogs (0xAARRGGBB).
#pragma once

#include <cstdint>

inline constexpr uint32_t COLOUR_BLACK = 0xFF000000u;
inline constexpr uint32_t COLOUR_WHITE = 0xFFFFFFFFu;
inline constexpr uint32_t COLOUR_LABEL = 0xFF60F0F0u;        // titles and labels
inline constexpr uint32_t COLOUR_GREY = 0xFF707070u;         // hints and small values
inline constexpr uint32_t COLOUR_SEPARATOR = 0xFF888888u;    // separator lines
inline constexpr uint32_t COLOUR_TITLE_GREEN = 0xFF00B000u;  // setup and dialog titles
inline constexpr uint32_t COLOUR_HIGHLIGHT = 0xFFFF00FFu;    // selected rows
inline constexpr uint32_t COLOUR_GREEN = 0xFF00FF00u;        // limit bands
inline constexpr uint32_t COLOUR_YELLOW = 0xFFFFFF00u;
inline constexpr uint32_t COLOUR_RED = 0xFFFF0000u;
inline constexpr uint32_t COLOUR_CYAN = 0xFF00FFFFu;  // extremes and base bars
