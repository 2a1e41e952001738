// Draws a fixed number of attitude frames, for instruction counts under
// callgrind (per frame: the counted total divided by the frame count):
//   valgrind --tool=callgrind --toggle-collect='attitudeDrawPage*' build/qx70frames demo 200
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench_unit.h"
#include "gfx/gfx.h"

// ---- Module state ---------------------------------------------------------

namespace {

uint32_t framebuffer[FB_PIXELS];

// ---- Private helpers ------------------------------------------------------

// Sets up the named scenario; false for an unknown name.
bool setUp(const char* name) {
    if (std::strcmp(name, "level") == 0) {
        bench::demoAttitude(0.0f, 0.0f);
    } else if (std::strcmp(name, "steep") == 0) {
        bench::demoAttitude(bench::STEEP_ROLL, bench::STEEP_PITCH);
    } else if (std::strcmp(name, "inverted") == 0) {
        bench::demoAttitude(bench::INVERTED_ROLL, bench::INVERTED_PITCH);
    } else if (std::strcmp(name, "demo") == 0) {
        bench::demoAttitude(0.0f, 0.0f);
    } else {
        return false;
    }
    return true;
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// qx70frames level|steep|inverted|demo FRAMES
int main(int argc, char** argv) {
    if (argc != 3 || !setUp(argv[1])) {
        std::fprintf(stderr, "usage: qx70frames level|steep|inverted|demo FRAMES\n");
        return 2;
    }
    const bool moving = std::strcmp(argv[1], "demo") == 0;
    const int frames = std::atoi(argv[2]);
    for (int i = 0; i < frames; ++i) {
        attitudeDrawPage(framebuffer);
        if (moving) demoStep();
    }
    std::printf("%d frames, pixel (64, 70) = %08x\n", frames,
                gfx_get_pixel(framebuffer, FB_WIDTH, FB_HEIGHT, 64, 70));
    return 0;
}
