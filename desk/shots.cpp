// Screenshot pictures and names; writing the files is the platform's part.
#include "desk/shots.h"

#include <cstdio>

#include "desk/view.h"
#include "desk/zoom.h"
#include "gfx/gfx.h"
#include "shell/compose.h"

// ---- Public operations ----------------------------------------------------

std::vector<uint32_t> shotScreen() {
    const uint32_t* screen = hostScreen();
    std::vector<uint32_t> px(FB_PIXELS);
    for (int y = 0; y < FB_HEIGHT; ++y)
        for (int x = 0; x < FB_WIDTH; ++x)
            px[static_cast<size_t>(FB_WIDTH) * y + x] =
                screen[static_cast<size_t>(BEZEL_WIDTH) * y + x] | CANVAS_OPAQUE;
    return px;
}

// The plain picture, then each pixel as a zoom x zoom block.
std::vector<uint32_t> shotWindow(int zoom, int* width, int* height) {
    const int z = zoomClamp(zoom);
    const int w = deskViewWidth();
    std::vector<uint32_t> plain(static_cast<size_t>(w) * VIEW_HEIGHT);
    deskViewCopyPlain(plain.data());
    std::vector<uint32_t> px(static_cast<size_t>(w) * z * VIEW_HEIGHT * z);
    zoomBlit(plain.data(), w, {0, 0, w, VIEW_HEIGHT}, z, px.data(), w * z);
    *width = w * z;
    *height = VIEW_HEIGHT * z;
    return px;
}

std::string shotBaseName(int year, int month, int day, int hour, int minute, int second, int n) {
    char name[64];
    std::snprintf(name, sizeof name, "qx70-%04d%02d%02d-%02d%02d%02d", year, month, day, hour,
                  minute, second);
    std::string s = name;
    if (n > 1) {
        s += '-';
        s += std::to_string(n);
    }
    return s;
}
