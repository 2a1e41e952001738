// Writes the simulator's window picture as a PNG file, to look at the bezel
// artwork and the screen without a display: power-on, window creation,
// start-up, then the given number of fast ticks.
// Usage: canvas_png OUT.png [FAST_TICKS] [--icon ICON.png] [--zoom X Y W H SCALE ZOOM.png]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/png/png_file.h"
#include "shell/bezel_art.h"
#include "shell/shell.h"

namespace {

// Writes top-down 0xAARRGGBB pixels as 8-bit RGBA.
bool writePng(const char* path, const uint32_t* px, int w, int h) {
    return pngWrite(path, px, w, h, PngChannels::Rgba);
}

bool writeIcon(const char* path) {
    std::vector<uint32_t> bottomUp(ICON_SIZE * ICON_SIZE), topDown(ICON_SIZE * ICON_SIZE);
    bezelArtPaintIcon(bottomUp.data());
    for (int y = 0; y < ICON_SIZE; ++y) {
        std::memcpy(&topDown[ICON_SIZE * y], &bottomUp[ICON_SIZE * (ICON_SIZE - 1 - y)],
                    ICON_SIZE * 4);
    }
    return writePng(path, topDown.data(), ICON_SIZE, ICON_SIZE);
}

// A magnified part of the canvas, each pixel a SCALE x SCALE block.
bool writeZoom(char** a) {
    const int x0 = std::atoi(a[0]), y0 = std::atoi(a[1]), w = std::atoi(a[2]), h = std::atoi(a[3]);
    const int k = std::atoi(a[4]);
    if (x0 < 0 || y0 < 0 || w <= 0 || h <= 0 || k <= 0 || k > 16 || x0 + w > BEZEL_WIDTH ||
        y0 + h > BEZEL_HEIGHT) {
        return false;
    }
    std::vector<uint32_t> out(size_t(w) * k * h * k);
    for (int y = 0; y < h * k; ++y) {
        for (int x = 0; x < w * k; ++x)
            out[size_t(w) * k * y + x] = hostCanvas()[BEZEL_WIDTH * (y0 + y / k) + x0 + x / k];
    }
    return writePng(a[5], out.data(), w * k, h * k);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: canvas_png OUT.png [FAST_TICKS] [--icon ICON.png]\n");
        return 2;
    }
    const int ticks = argc > 2 && argv[2][0] != '-' ? std::atoi(argv[2]) : 0;
    unitPowerOnReset();
    HostOnCreate();
    hostStartup();
    for (int i = 0; i < ticks; ++i) {
        hostFastTick();
        if (i % 100 == 99) hostSlowTick();
    }
    if (!writePng(argv[1], hostCanvas(), BEZEL_WIDTH, BEZEL_HEIGHT)) {
        std::fprintf(stderr, "canvas_png: cannot write %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--icon") == 0 && i + 1 < argc && !writeIcon(argv[i + 1])) {
            std::fprintf(stderr, "canvas_png: cannot write %s\n", argv[i + 1]);
            return 1;
        }
        if (std::strcmp(argv[i], "--zoom") == 0 && (i + 6 >= argc || !writeZoom(argv + i + 1))) {
            std::fprintf(stderr, "canvas_png: --zoom needs X Y W H SCALE FILE inside the canvas\n");
            return 1;
        }
    }
    return 0;
}
