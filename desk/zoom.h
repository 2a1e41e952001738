// Integer zoom of the window picture: nearest-neighbour scaling, so every unit
// pixel stays a crisp square, and the mapping of window positions back to the
// picture, so click areas stay exact at every zoom.
#pragma once

#include <cstdint>

#include "shell/shell.h"

inline constexpr int ZOOM_MIN = 1;
inline constexpr int ZOOM_MAX = 4;

// z limited to ZOOM_MIN..ZOOM_MAX.
int zoomClamp(int z);
// The picture coordinate under window coordinate v at zoom z (z >= 1): floor
// division, so positions left of or above the window stay negative.
int zoomToPicture(int v, int z);
// Rectangle r scaled by s.
HostRect zoomRect(HostRect r, int s);
// Copies rectangle r of the top-down picture src (stride in pixels) into dst
// (stride in pixels) scaled by s: dst pixel (x, y) of the scaled rectangle
// takes src pixel (x / s, y / s). Callers clip r to both buffers.
void zoomBlit(const uint32_t* src, int srcStride, HostRect r, int s, uint32_t* dst, int dstStride);
