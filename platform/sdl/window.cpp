// The window and its pixels. The window picture goes to the window surface,
// scaled by the zoom, and only the rectangles that changed are sent to the
// display server: presenting the whole picture 100 times a second would cost
// a sizeable share of a core.
#include "platform/sdl/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "desk/view.h"
#include "desk/zoom.h"
#include "platform/sdl/x11_errors.h"
#include "shell/bezel_art.h"

namespace {

// Video drivers that run without showing anything.
constexpr const char* INVISIBLE_DRIVERS[] = {"offscreen", "dummy"};
// Dots per inch of an ordinary display: one picture pixel per display pixel.
constexpr float BASE_DPI = 96.0f;
constexpr int TITLE_CAPACITY = 160;

SDL_Window* window = nullptr;
int zoom = 1;
int viewWidth = BEZEL_WIDTH;  // width of the picture shown
int surfaceW = 0;             // size of the surface last painted in full
int surfaceH = 0;
std::vector<uint32_t> staging;  // for surfaces in a pixel format other than 32-bit RGB
bool envSet(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && v[0] != '\0';
}

bool fail(const char* reason, const char* detail) {
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "qx70sim: cannot open the window (DISPLAY=%s): %s: %s\n",
                 display ? display : "", reason, detail);
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
        std::memcpy(topDown + ICON_SIZE * y, bottomUp + ICON_SIZE * (ICON_SIZE - 1 - y),
                    ICON_SIZE * 4);
    }
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(topDown, ICON_SIZE, ICON_SIZE, 32,
                                                        ICON_SIZE * 4, SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr) return;  // a window without an icon still works
    SDL_SetWindowIcon(window, s);
    SDL_FreeSurface(s);
}

// The largest zoom at which a picture width x VIEW_HEIGHT fits the usable
// area of the display (without its panels and docks); ZOOM_MAX when the
// display does not say.
int largestFittingZoom(int display, int width) {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0) return ZOOM_MAX;
    int z = ZOOM_MAX;
    while (z > ZOOM_MIN && (width * z > usable.w || VIEW_HEIGHT * z > usable.h)) --z;
    return z;
}

// A zoom that makes the picture about as large on a high-density display as
// on an ordinary one (the whole multiple of 96 dpi the display reports), as
// far as the display has room for it.
int displayZoom() {
    float hdpi = 0.0f;
    if (SDL_GetDisplayDPI(0, nullptr, &hdpi, nullptr) != 0 || !(hdpi > 0.0f)) return ZOOM_MIN;
    const int z =
        zoomClamp(static_cast<int>(std::min(hdpi / BASE_DPI, static_cast<float>(ZOOM_MAX))));
    return std::min(z, largestFittingZoom(0, BEZEL_WIDTH));
}

// Surface pixels per picture pixel: the zoom times the display's pixels per
// window unit, which is 1 unless the platform scales windows itself.
int surfaceScale(const SDL_Surface* s) {
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    const int density = w > 0 ? std::max(1, s->w / w) : 1;
    return zoom * density;
}

// The part of picture rectangle r that lands whole on the surface at scale k.
HostRect clipToSurface(HostRect r, const SDL_Surface* s, int k) {
    const int x0 = std::max(r.x, 0);
    const int y0 = std::max(r.y, 0);
    const int x1 = std::min({r.x + r.w, s->w / k, viewWidth});
    const int y1 = std::min({r.y + r.h, s->h / k, VIEW_HEIGHT});
    if (x1 <= x0 || y1 <= y0) return {0, 0, 0, 0};
    return {x0, y0, x1 - x0, y1 - y0};
}

bool writesDirectly(const SDL_Surface* s) {
    const Uint32 f = s->format->format;
    return (f == SDL_PIXELFORMAT_ARGB8888 || f == SDL_PIXELFORMAT_RGB888) && s->pitch % 4 == 0;
}

// Scales picture rectangle r (already clipped) into the surface.
void copyPicture(SDL_Surface* s, HostRect r, int k) {
    if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return;
    const uint32_t* src = deskViewPixels() + VIEW_MAX_WIDTH * r.y + r.x;
    auto* dst =
        static_cast<uint8_t*>(s->pixels) + s->pitch * r.y * k + s->format->BytesPerPixel * r.x * k;
    const HostRect local = {0, 0, r.w, r.h};
    if (writesDirectly(s)) {
        zoomBlit(src, VIEW_MAX_WIDTH, local, k, reinterpret_cast<uint32_t*>(dst), s->pitch / 4);
    } else {
        staging.resize(static_cast<size_t>(r.w) * k * r.h * k);
        zoomBlit(src, VIEW_MAX_WIDTH, local, k, staging.data(), r.w * k);
        SDL_ConvertPixels(r.w * k, r.h * k, SDL_PIXELFORMAT_ARGB8888, staging.data(), r.w * k * 4,
                          s->format->format, dst, s->pitch);
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
}

}  // namespace

// Refuses to run invisibly: without a display, or on a driver that shows
// nothing. Unless the user chose a driver, SDL may try only the display
// systems the environment names, so it never falls back to an invisible one.
bool sdlWindowOpen(int z) {
    const bool x11 = envSet("DISPLAY");
    const bool wayland = envSet("WAYLAND_DISPLAY");
    if (!envSet("SDL_VIDEODRIVER")) {
        if (!x11 && !wayland) {
            std::fprintf(stderr,
                         "qx70sim: no display to open the window on (DISPLAY and WAYLAND_DISPLAY "
                         "are not set)\n");
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
    zoom = z >= ZOOM_MIN ? zoomClamp(z) : displayZoom();
    viewWidth = BEZEL_WIDTH;
    window = SDL_CreateWindow(WINDOW_TITLE, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                              BEZEL_WIDTH * zoom, BEZEL_HEIGHT * zoom,
                              SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window == nullptr) return fail("window creation failed", SDL_GetError());
    if (SDL_GetWindowSurface(window) == nullptr) return fail("no window surface", SDL_GetError());
    setIcon();
    return true;
}

// Maps the window once its first picture is ready.
void sdlWindowShow() { SDL_ShowWindow(window); }

int sdlWindowZoom() { return zoom; }

int sdlWindowLargestZoom(int width) {
    const int display = SDL_GetWindowDisplayIndex(window);
    return largestFittingZoom(display >= 0 ? display : 0, width);
}

// The window takes the size of the picture at the new zoom.
void sdlWindowSetLayout(int width, int z) {
    viewWidth = std::clamp(width, 1, VIEW_MAX_WIDTH);
    zoom = zoomClamp(z);
    SDL_SetWindowSize(window, viewWidth * zoom, VIEW_HEIGHT * zoom);
    sdlWindowPresentAll();
}

// Sends one rectangle; a surface of a new size gets a full repaint instead.
void sdlWindowPresent(HostRect r) {
    SDL_Surface* s = SDL_GetWindowSurface(window);
    if (s == nullptr) return;
    if (s->w != surfaceW || s->h != surfaceH) {
        sdlWindowPresentAll();
        return;
    }
    const int k = surfaceScale(s);
    const HostRect c = clipToSurface(r, s, k);
    if (c.w == 0) return;
    copyPicture(s, c, k);
    const SDL_Rect sr = {c.x * k, c.y * k, c.w * k, c.h * k};
    SDL_UpdateWindowSurfaceRects(window, &sr, 1);
}

// Black surface, picture at the top-left, whole window sent.
void sdlWindowPresentAll() {
    SDL_Surface* s = SDL_GetWindowSurface(window);
    if (s == nullptr) return;
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 0));
    const int k = surfaceScale(s);
    const HostRect c = clipToSurface({0, 0, viewWidth, VIEW_HEIGHT}, s, k);
    if (c.w > 0) copyPicture(s, c, k);
    SDL_UpdateWindowSurface(window);
    surfaceW = s->w;
    surfaceH = s->h;
}

void sdlWindowSetTitleNote(const char* note) {
    if (note == nullptr || note[0] == '\0') {
        SDL_SetWindowTitle(window, WINDOW_TITLE);
        return;
    }
    char title[TITLE_CAPACITY];
    std::snprintf(title, sizeof title, "%s (%s)", WINDOW_TITLE, note);
    SDL_SetWindowTitle(window, title);
}

// Window first, then SDL: quitting with the window alive races with its
// destruction on X11 and can end in a BadWindow error.
void sdlWindowClose() {
    if (window != nullptr) SDL_DestroyWindow(window);
    window = nullptr;
    SDL_Quit();
}
