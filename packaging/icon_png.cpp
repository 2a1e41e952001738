// icon_png: writes the window icon as the PNG files of the desktop menu, one
// per size under OUTDIR/<n>x<n>/apps/qx70sim.png, from the drawing the window
// uses. A multiple of the window's size is that drawing at that scale; a
// smaller size is the drawing at four times the size averaged over 4 x 4
// blocks, which keeps every outline of the miniature in proportion.
// Usage: icon_png OUTDIR SIZE...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/png/png_file.h"
#include "shell/bezel_art.h"

namespace {

// ---- Constants ----------------------------------------------------------------

constexpr int SUPERSAMPLE = 4;  // drawing pixels per icon pixel below the window's size
constexpr int MAX_SIZE = 1024;

// ---- Types --------------------------------------------------------------------

struct Icon {
    int size;
    std::vector<uint32_t> px;  // 0xAARRGGBB, row 0 at the top
};

// ---- Private helpers ----------------------------------------------------------

// The drawing at scale, turned from bottom-up rows to top-down ones.
Icon paint(int scale) {
    const int n = ICON_SIZE * scale;
    std::vector<uint32_t> bottomUp(static_cast<size_t>(n) * n);
    bezelArtPaintIcon(bottomUp.data(), scale);
    Icon icon = {n, std::vector<uint32_t>(bottomUp.size())};
    for (int y = 0; y < n; ++y) {
        std::copy_n(&bottomUp[static_cast<size_t>(n) * (n - 1 - y)], n,
                    &icon.px[static_cast<size_t>(n) * y]);
    }
    return icon;
}

// Averages f x f blocks. Colours are weighted by their alpha, so the
// transparent surround does not darken or tint the anti-aliased rim.
Icon shrink(const Icon& big, int f) {
    const int n = big.size / f;
    Icon small = {n, std::vector<uint32_t>(static_cast<size_t>(n) * n)};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            uint64_t a = 0, r = 0, g = 0, b = 0;
            for (int j = 0; j < f; ++j) {
                for (int i = 0; i < f; ++i) {
                    const uint32_t c =
                        big.px[static_cast<size_t>(big.size) * (y * f + j) + x * f + i];
                    const uint32_t ca = c >> 24;
                    a += ca;
                    r += ca * (c >> 16 & 0xFFu);
                    g += ca * (c >> 8 & 0xFFu);
                    b += ca * (c & 0xFFu);
                }
            }
            const auto channel = [a](uint64_t sum) {
                return a == 0 ? 0u : static_cast<uint32_t>((sum + a / 2) / a);
            };
            const uint32_t alpha = static_cast<uint32_t>((a + f * f / 2) / (f * f));
            small.px[static_cast<size_t>(n) * y + x] =
                alpha << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
        }
    }
    return small;
}

// Sizes the drawing can make: a multiple of ICON_SIZE / SUPERSAMPLE.
int parseSize(const char* text) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    const bool fits = *end == '\0' && v > 0 && v <= MAX_SIZE && v * SUPERSAMPLE % ICON_SIZE == 0;
    return fits ? static_cast<int>(v) : 0;
}

Icon iconOfSize(int size) {
    if (size % ICON_SIZE == 0) return paint(size / ICON_SIZE);
    return shrink(paint(size * SUPERSAMPLE / ICON_SIZE), SUPERSAMPLE);
}

bool write(const std::filesystem::path& top, const Icon& icon) {
    const std::string name = std::to_string(icon.size) + "x" + std::to_string(icon.size);
    const std::filesystem::path dir = top / name / "apps";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::string message;
    const std::string path = (dir / "qx70sim.png").string();
    if (!pngWrite(path.c_str(), icon.px.data(), icon.size, icon.size, PngChannels::Rgba,
                  &message)) {
        std::fprintf(stderr, "icon_png: %s\n", message.c_str());
        return false;
    }
    return true;
}

}  // namespace

// ---- Public operations --------------------------------------------------------

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: icon_png OUTDIR SIZE...\n", stderr);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = parseSize(argv[i]);
        if (size == 0) {
            std::fprintf(stderr,
                         "icon_png: cannot draw a %s pixel icon (a multiple of %d, up to %d)\n",
                         argv[i], ICON_SIZE / SUPERSAMPLE, MAX_SIZE);
            return 2;
        }
        if (!write(argv[1], iconOfSize(size))) return 1;
    }
    return 0;
}
