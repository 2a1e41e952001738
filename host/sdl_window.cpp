// The window and its pixels. The canvas goes to the window surface, and only
// the rectangles that changed are sent to the display server: presenting the
// whole picture 100 times a second would cost a sizeable share of a core.
#include "host/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/bezel_art.h"
#include "host/sdl_x11_errors.h"

namespace {

// Video drivers that run without showing anything.
constexpr const char* INVISIBLE_DRIVERS[] = {"offscreen", "dummy"};

SDL_Window* window = nullptr;
int surfaceW = 0;  // size of the surface last painted in full
int surfaceH = 0;

bool envSet(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && v[0] != '\0';
}

bool fail(const char* reason, const char* detail) {
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "qx70sim: cannot open the window (DISPLAY=%s): %s: %s\n", display ? display : "", reason,
                 detail);
    if (window != nullptr) SDL_DestroyWindow(window);
    window = nullptr;
    SDL_Quit();
    return false;
}

bool invisibleDriver(const char* name) {
    for (const char* d : INVISIBLE_DRIVERS) {
        if (SDL_strcasecmp(name, d) == 0) return true;
    }
    return false;
}

void setIcon() {
    static uint32_t bottomUp[ICON_SIZE * ICON_SIZE];
    static uint32_t topDown[ICON_SIZE * ICON_SIZE];
    bezelArtPaintIcon(bottomUp);
    for (int y = 0; y < ICON_SIZE; ++y) {
        std::memcpy(topDown + ICON_SIZE * y, bottomUp + ICON_SIZE * (ICON_SIZE - 1 - y), ICON_SIZE * 4);
    }
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(topDown, ICON_SIZE, ICON_SIZE, 32, ICON_SIZE * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr) return;  // a window without an icon still works
    SDL_SetWindowIcon(window, s);
    SDL_FreeSurface(s);
}

// Copies canvas rectangle r (already clipped) into the surface.
void copyCanvas(SDL_Surface* s, HostRect r) {
    if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return;
    const uint32_t* src = hostCanvas() + BEZEL_WIDTH * r.y + r.x;
    auto* dst = static_cast<uint8_t*>(s->pixels) + s->pitch * r.y + s->format->BytesPerPixel * r.x;
    SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_ARGB8888, src, BEZEL_WIDTH * 4, s->format->format, dst,
                      s->pitch);
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
}

HostRect clipToSurface(HostRect r, const SDL_Surface* s) {
    const int x0 = std::max(r.x, 0);
    const int y0 = std::max(r.y, 0);
    const int x1 = std::min({r.x + r.w, s->w, BEZEL_WIDTH});
    const int y1 = std::min({r.y + r.h, s->h, BEZEL_HEIGHT});
    if (x1 <= x0 || y1 <= y0) return {0, 0, 0, 0};
    return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace

// Refuses to run invisibly: without a display, or on a driver that shows
// nothing. Unless the user chose a driver, SDL may try only the display
// systems the environment names, so it never falls back to an invisible one.
bool sdlWindowOpen() {
    const bool x11 = envSet("DISPLAY");
    const bool wayland = envSet("WAYLAND_DISPLAY");
    if (!envSet("SDL_VIDEODRIVER")) {
        if (!x11 && !wayland) {
            std::fprintf(stderr, "qx70sim: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)\n");
            return false;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 && wayland ? "x11,wayland" : x11 ? "x11" : "wayland");
    }
    // The window surface goes straight to the display server (shared-memory
    // images on X11). SDL would otherwise stage it through an OpenGL texture,
    // which on a software renderer costs several times the copy it replaces.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A desktop tool: let the screensaver run and the compositor stay on.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    sdlIgnoreStaleWakeupErrors();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return fail("no usable display", SDL_GetError());
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || invisibleDriver(driver)) {
        return fail("this video driver shows nothing", driver ? driver : "none");
    }
    window = SDL_CreateWindow(WINDOW_TITLE, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, BEZEL_WIDTH,
                              BEZEL_HEIGHT, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    if (window == nullptr) return fail("window creation failed", SDL_GetError());
    if (SDL_GetWindowSurface(window) == nullptr) return fail("no window surface", SDL_GetError());
    setIcon();
    return true;
}

// Maps the window once its first picture is ready.
void sdlWindowShow() { SDL_ShowWindow(window); }

// Sends one rectangle; a surface of a new size gets a full repaint instead.
void sdlWindowPresent(HostRect r) {
    SDL_Surface* s = SDL_GetWindowSurface(window);
    if (s == nullptr) return;
    if (s->w != surfaceW || s->h != surfaceH) {
        sdlWindowPresentAll();
        return;
    }
    const HostRect c = clipToSurface(r, s);
    if (c.w == 0) return;
    copyCanvas(s, c);
    const SDL_Rect sr = {c.x, c.y, c.w, c.h};
    SDL_UpdateWindowSurfaceRects(window, &sr, 1);
}

// Black surface, canvas at the top-left, whole window sent.
void sdlWindowPresentAll() {
    SDL_Surface* s = SDL_GetWindowSurface(window);
    if (s == nullptr) return;
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 0));
    const HostRect c = clipToSurface({0, 0, BEZEL_WIDTH, BEZEL_HEIGHT}, s);
    if (c.w > 0) copyCanvas(s, c);
    SDL_UpdateWindowSurface(window);
    surfaceW = s->w;
    surfaceH = s->h;
}

// Window first, then SDL: quitting with the window alive races with its
// destruction on X11 and can end in a BadWindow error.
void sdlWindowClose() {
    if (window != nullptr) SDL_DestroyWindow(window);
    window = nullptr;
    SDL_Quit();
}
