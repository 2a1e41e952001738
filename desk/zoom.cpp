// Nearest-neighbour integer scaling: each source row is widened once, and the
// widened row is copied to the other s - 1 rows it covers.
#include "desk/zoom.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

// ---- Public operations ----------------------------------------------------

// Keeps z within the zoom range.
int zoomClamp(int z) { return std::clamp(z, ZOOM_MIN, ZOOM_MAX); }

// Floor division: -1 at zoom 3 is picture position -1, not 0.
int zoomToPicture(int v, int z) {
    if (z < 1) z = 1;
    return v >= 0 ? v / z : -((-v + z - 1) / z);
}

// Every edge times s.
HostRect zoomRect(HostRect r, int s) { return {r.x * s, r.y * s, r.w * s, r.h * s}; }

// One widened row per source row, then copies of it.
void zoomBlit(const uint32_t* src, int srcStride, HostRect r, int s, uint32_t* dst, int dstStride) {
    if (r.w <= 0 || r.h <= 0 || s < 1) return;
    const size_t rowBytes = sizeof(uint32_t) * static_cast<size_t>(r.w) * s;
    for (int y = 0; y < r.h; ++y) {
        const uint32_t* in = src + static_cast<std::ptrdiff_t>(srcStride) * (r.y + y) + r.x;
        uint32_t* first = dst + static_cast<std::ptrdiff_t>(dstStride) * (r.y + y) * s + r.x * s;
        uint32_t* out = first;
        for (int x = 0; x < r.w; ++x) {
            const uint32_t c = in[x];
            for (int k = 0; k < s; ++k) *out++ = c;
        }
        for (int k = 1; k < s; ++k)
            std::memcpy(first + static_cast<std::ptrdiff_t>(dstStride) * k, first, rowBytes);
    }
}
