// Screenshot files: a free name from the local time, then the two PNGs. A
// folder that is missing or not writable gives a message, not a crash; the
// first picture is removed again when the second cannot be written.
#include "platform/sdl/shots.h"

#include <ctime>
#include <filesystem>
#include <system_error>

#include "desk/shots.h"
#include "gfx/gfx.h"
#include "platform/png/png_file.h"

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int MAX_SAME_SECOND = 1000;  // shots named within one second

// ---- Private helpers ------------------------------------------------------

namespace fs = std::filesystem;

ShotFiles failure(const std::string& message) { return {false, "", "", message}; }

// The first base name whose two files do not exist yet.
bool freeBase(const fs::path& folder, std::string* base) {
    const std::time_t t = std::time(nullptr);
    std::tm local = {};
    localtime_r(&t, &local);
    for (int n = 1; n <= MAX_SAME_SECOND; ++n) {
        *base = shotBaseName(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                             local.tm_min, local.tm_sec, n);
        std::error_code ec;
        if (!fs::exists(folder / (*base + "-screen.png"), ec) &&
            !fs::exists(folder / (*base + "-window.png"), ec)) {
            return true;
        }
    }
    return false;
}

}  // namespace

// ---- Public operations ----------------------------------------------------

ShotFiles sdlSaveShots(const char* dir, int zoom) {
    const fs::path folder = dir != nullptr ? fs::path(dir) : fs::path(".");
    const std::string shown = dir != nullptr ? dir : "the current folder";
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return failure("Screenshot not saved: no folder " + shown);
    std::string base;
    if (!freeBase(folder, &base)) return failure("Screenshot not saved: no free name in " + shown);
    ShotFiles f{true, base + "-screen.png", base + "-window.png", ""};
    std::string why;
    const std::vector<uint32_t> screen = shotScreen();
    if (!pngWrite((folder / f.screen).c_str(), screen.data(), FB_WIDTH, FB_HEIGHT, PngChannels::Rgb,
                  &why)) {
        return failure("Screenshot not saved in " + shown + ": " + why);
    }
    int w = 0, h = 0;
    const std::vector<uint32_t> window = shotWindow(zoom, &w, &h);
    if (!pngWrite((folder / f.window).c_str(), window.data(), w, h, PngChannels::Rgb, &why)) {
        fs::remove(folder / f.screen, ec);
        return failure("Screenshot not saved in " + shown + ": " + why);
    }
    f.message = "Saved " + base + "-screen.png and -window.png in " + shown;
    return f;
}
