// Checks a screenshot of the simulator window (an XWD file as written by xwd)
// against what the window must show. Exit 0 when every check holds; otherwise
// prints the first failure on stderr and exits 1.
//
// Usage: xwd_check FILE CHECK...
//   bezel              every pixel outside the screen area equals the bezel
//                      the shell paints at window creation
//   live               the screen area shows a frame (more than one colour)
//   pixel X Y RRGGBB   the window pixel at (X, Y) has this colour
//   notpixel X Y RRGGBB   the window pixel at (X, Y) has any other colour
//   zoom N             the window shows the picture at zoom N: the checks after
//                      it take picture coordinates, and each picture pixel must
//                      cover its N x N block of window pixels alone
#include <X11/X.h>
#include <X11/XWDFile.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "gfx/gfx.h"
#include "shell/shell.h"

namespace {

constexpr size_t HEADER_FIELDS = 25;  // CARD32 fields of XWDFileHeader
constexpr uint32_t RGB = 0x00FFFFFFu;

struct Shot {
    int w = 0;
    int h = 0;
    std::vector<uint32_t> rgb;  // 0x00RRGGBB, rows top first
};

uint32_t be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

uint32_t le32(const uint8_t* p) {
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

int shiftOf(uint32_t mask) {
    int s = 0;
    while (s < 32 && !((mask >> s) & 1)) ++s;
    return s;
}

bool fail(const std::string& msg) {
    std::fprintf(stderr, "xwd_check: %s\n", msg.c_str());
    return false;
}

// Reads a 32-bit-per-pixel ZPixmap XWD file with 8-bit colour masks.
bool readXwd(const char* path, Shot* shot) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> f((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
    if (f.size() < HEADER_FIELDS * 4) return fail("file too short for an XWD header");
    uint32_t h[HEADER_FIELDS];
    for (size_t i = 0; i < HEADER_FIELDS; ++i) h[i] = be32(&f[4 * i]);
    const uint32_t headerSize = h[0], version = h[1], format = h[2], width = h[4], height = h[5];
    const uint32_t byteOrder = h[7], bpp = h[11], bytesPerLine = h[12];
    const uint32_t masks[3] = {h[14], h[15], h[16]};
    const uint32_t ncolors = h[19];
    if (version != XWD_FILE_VERSION || format != 2 /* ZPixmap */)
        return fail("not a ZPixmap XWD file");
    if (bpp != 32) return fail("only 32 bits per pixel are supported");
    for (uint32_t m : masks) {
        if (m == 0 || (m >> shiftOf(m)) != 0xFF)
            return fail("only 8-bit colour masks are supported");
    }
    if (width == 0 || height == 0 || width > 16384 || height > 16384 || bytesPerLine < width * 4) {
        return fail("implausible image size");
    }
    const uint64_t dataStart = uint64_t(headerSize) + uint64_t(ncolors) * sz_XWDColor;
    if (headerSize < HEADER_FIELDS * 4 || dataStart + uint64_t(bytesPerLine) * height > f.size()) {
        return fail("file shorter than its header says");
    }
    shot->w = int(width);
    shot->h = int(height);
    shot->rgb.assign(size_t(width) * height, 0);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = &f[dataStart + uint64_t(bytesPerLine) * y];
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t v = byteOrder == MSBFirst ? be32(row + 4 * x) : le32(row + 4 * x);
            uint32_t c = 0;
            for (uint32_t m : masks) c = c << 8 | ((v & m) >> shiftOf(m));
            shot->rgb[size_t(width) * y + x] = c;
        }
    }
    return true;
}

int zoom = 1;  // window pixels per picture pixel, each way

// The picture pixel (x, y) as the window shows it: one colour over its whole
// block, or ~0u when the block is not uniform.
uint32_t pictureAt(const Shot& s, int x, int y) {
    const uint32_t c = s.rgb[size_t(s.w) * (y * zoom) + x * zoom];
    for (int dy = 0; dy < zoom; ++dy)
        for (int dx = 0; dx < zoom; ++dx)
            if (s.rgb[size_t(s.w) * (y * zoom + dy) + x * zoom + dx] != c) return ~0u;
    return c;
}

bool inScreen(int x, int y) {
    return x >= SCREEN_X && x < SCREEN_X + FB_WIDTH && y >= SCREEN_Y && y < SCREEN_Y + FB_HEIGHT;
}

bool checkBezel(const Shot& s) {
    if (s.w < BEZEL_WIDTH * zoom || s.h < BEZEL_HEIGHT * zoom)
        return fail("window smaller than the bezel");
    unitPowerOnReset();
    HostOnCreate();
    const uint32_t* ref = hostCanvas();
    long wrong = 0;
    int fx = -1, fy = -1;
    for (int y = 0; y < BEZEL_HEIGHT; ++y) {
        for (int x = 0; x < BEZEL_WIDTH; ++x) {
            if (inScreen(x, y) || pictureAt(s, x, y) == (ref[BEZEL_WIDTH * y + x] & RGB)) continue;
            if (wrong++ == 0) fx = x, fy = y;
        }
    }
    if (wrong == 0) return true;
    char msg[160];
    std::snprintf(msg, sizeof msg,
                  "bezel: %ld pixels differ, first at (%d, %d): %06X, expected %06X", wrong, fx, fy,
                  pictureAt(s, fx, fy), ref[BEZEL_WIDTH * fy + fx] & RGB);
    return fail(msg);
}

bool checkLive(const Shot& s) {
    std::set<uint32_t> colours;
    for (int y = SCREEN_Y; y < SCREEN_Y + FB_HEIGHT && (y + 1) * zoom <= s.h; ++y) {
        for (int x = SCREEN_X; x < SCREEN_X + FB_WIDTH && (x + 1) * zoom <= s.w; ++x)
            colours.insert(pictureAt(s, x, y));
    }
    if (colours.count(~0u) != 0) return fail("live: a screen pixel is not a uniform block");
    return colours.size() > 1 || fail("live: the screen area shows a single colour");
}

// With same false, the pixel must differ from the colour instead.
bool checkPixel(const Shot& s, const char* xs, const char* ys, const char* cs, bool same) {
    const int x = std::atoi(xs), y = std::atoi(ys);
    const uint32_t want = uint32_t(std::strtoul(cs, nullptr, 16)) & RGB;
    if (x < 0 || y < 0 || (x + 1) * zoom > s.w || (y + 1) * zoom > s.h)
        return fail("pixel: position outside the image");
    const uint32_t got = pictureAt(s, x, y);
    if ((got == want) == same) return true;
    char msg[96];
    std::snprintf(msg, sizeof msg, "pixel (%d, %d) is %06X, expected %s%06X", x, y, got,
                  same ? "" : "anything but ", want);
    return fail(msg);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(
            stderr,
            "usage: xwd_check FILE bezel|live|pixel X Y RRGGBB|notpixel X Y RRGGBB|zoom N...\n");
        return 2;
    }
    Shot shot;
    if (!readXwd(argv[1], &shot)) return 1;
    for (int i = 2; i < argc; ++i) {
        bool ok;
        if (std::strcmp(argv[i], "bezel") == 0) {
            ok = checkBezel(shot);
        } else if (std::strcmp(argv[i], "live") == 0) {
            ok = checkLive(shot);
        } else if (std::strcmp(argv[i], "pixel") == 0 && i + 3 < argc) {
            ok = checkPixel(shot, argv[i + 1], argv[i + 2], argv[i + 3], true);
            i += 3;
        } else if (std::strcmp(argv[i], "notpixel") == 0 && i + 3 < argc) {
            ok = checkPixel(shot, argv[i + 1], argv[i + 2], argv[i + 3], false);
            i += 3;
        } else if (std::strcmp(argv[i], "zoom") == 0 && i + 1 < argc) {
            zoom = std::atoi(argv[++i]);
            ok = zoom >= 1 || fail("zoom: needs a whole number from 1 up");
        } else {
            std::fprintf(stderr, "xwd_check: unknown check %s\n", argv[i]);
            return 2;
        }
        if (!ok) return 1;
    }
    return 0;
}
