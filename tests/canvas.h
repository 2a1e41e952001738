// A small pixel buffer for drawing tests, addressed like the screen (y from the top).
#pragma once

#include "gfx/gfx.h"

#include <cstdint>
#include <vector>

struct Canvas {
    int w, h;
    std::vector<uint32_t> px;

    Canvas(int width, int height, uint32_t fill = 0)
        : w(width), h(height), px(width * height, fill) {}

    uint32_t* data() { return px.data(); }
    uint32_t at(int x, int y) const { return gfx_get_pixel(px.data(), w, h, x, y); }
    void set(int x, int y, uint32_t c) { gfx_put_pixel(px.data(), w, h, x, y, c); }
    // How many pixels differ from c.
    int countNot(uint32_t c) const {
        int n = 0;
        for (uint32_t p : px) n += p != c;
        return n;
    }
};

// A colour with all four channels v.
inline uint32_t grey(uint32_t v) { return v << 24 | v << 16 | v << 8 | v; }
