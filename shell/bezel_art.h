// The bezel picture and the window icon, painted by our own code.
#pragma once

#include <cstdint>

inline constexpr int ICON_SIZE = 64;

// Paints the 450 x 550 bezel picture (bottom-up rows): case, screen recess
// with a black screen area, the four buttons on their click areas, labels.
void bezelArtPaint(uint32_t* picture);
// Paints the window icon (bottom-up rows, alpha used), ICON_SIZE x ICON_SIZE
// pixels times scale in each direction: the window takes scale 1, the larger
// icon files of the desktop menu the same drawing at scale 2 and 4.
void bezelArtPaintIcon(uint32_t* icon, int scale = 1);
