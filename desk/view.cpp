// Layers of the window picture, bottom to top: the bezel canvas (left), the
// panel (right), the overlays. A changed rectangle is rebuilt from all layers
// that cover it, so an overlay stays on top of a screen that keeps changing.
#include "desk/view.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "shell/compose.h"

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int OVERLAYS = static_cast<int>(ViewOverlay::Count);
constexpr HostRect BEZEL_RECT = {0, 0, BEZEL_WIDTH, BEZEL_HEIGHT};
static_assert(VIEW_HEIGHT == BEZEL_HEIGHT, "the panel runs the bezel's full height");

// ---- Types ----------------------------------------------------------------

struct Layer {
    const uint32_t* picture;  // bottom-up, place.w x place.h; null when not shown
    HostRect place;
};

// ---- Module state ---------------------------------------------------------

// The layers shown over the bezel.
struct ViewState {
    const uint32_t* panel = nullptr;  // bottom-up PANEL_WIDTH x VIEW_HEIGHT
    Layer overlays[OVERLAYS] = {};
    HostRect pending = {};  // changed here since the last update
};

ViewState layers;
uint32_t view[VIEW_MAX_WIDTH * VIEW_HEIGHT];

// ---- Private helpers ------------------------------------------------------

HostRect intersect(HostRect a, HostRect b) {
    const int x0 = std::max(a.x, b.x);
    const int y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.x + a.w, b.x + b.w);
    const int y1 = std::min(a.y + a.h, b.y + b.h);
    if (x1 <= x0 || y1 <= y0) return {0, 0, 0, 0};
    return {x0, y0, x1 - x0, y1 - y0};
}

bool empty(HostRect r) { return r.w <= 0 || r.h <= 0; }

// Copies the part r of a top-down source placed at `at` (stride in pixels).
void copyTopDown(const uint32_t* src, int stride, HostRect at, HostRect r) {
    for (int y = r.y; y < r.y + r.h; ++y) {
        const uint32_t* in = src + stride * (y - at.y) + (r.x - at.x);
        std::memcpy(view + VIEW_MAX_WIDTH * y + r.x, in, sizeof(uint32_t) * r.w);
    }
}

// Copies the part r of a bottom-up picture placed at `at`, made opaque.
void copyBottomUp(const uint32_t* src, HostRect at, HostRect r) {
    for (int y = r.y; y < r.y + r.h; ++y) {
        const uint32_t* in = src + at.w * (at.h - 1 - (y - at.y)) + (r.x - at.x);
        uint32_t* out = view + VIEW_MAX_WIDTH * y + r.x;
        for (int x = 0; x < r.w; ++x) out[x] = in[x] | CANVAS_OPAQUE;
    }
}

void rebuild(HostRect r) {
    const HostRect b = intersect(r, BEZEL_RECT);
    if (!empty(b)) copyTopDown(hostCanvas(), BEZEL_WIDTH, BEZEL_RECT, b);
    const HostRect p = intersect(r, PANEL_RECT);
    if (layers.panel != nullptr && !empty(p)) copyBottomUp(layers.panel, PANEL_RECT, p);
    for (const Layer& l : layers.overlays) {
        const HostRect o = intersect(r, l.place);
        if (l.picture != nullptr && !empty(o)) copyBottomUp(l.picture, l.place, o);
    }
}

HostRect viewRect() { return {0, 0, deskViewWidth(), VIEW_HEIGHT}; }

int slot(ViewOverlay which) { return std::clamp(static_cast<int>(which), 0, OVERLAYS - 1); }

}  // namespace

// ---- Public operations ----------------------------------------------------

// Bezel only, whole picture due.
void deskViewReset() {
    layers = {};
    layers.pending = BEZEL_RECT;
}

// The bezel, plus the panel while shown.
int deskViewWidth() { return layers.panel != nullptr ? VIEW_MAX_WIDTH : BEZEL_WIDTH; }

const uint32_t* deskViewPixels() { return view; }

// Showing or hiding the panel redraws its column.
void deskViewSetPanel(const uint32_t* picture) {
    if (picture == layers.panel) return;
    layers.panel = picture;
    if (layers.panel != nullptr) layers.pending = rectUnion(layers.pending, PANEL_RECT);
}

void deskViewPanelChanged(HostRect r) {
    if (layers.panel == nullptr) return;
    layers.pending =
        rectUnion(layers.pending, intersect({PANEL_RECT.x + r.x, r.y, r.w, r.h}, PANEL_RECT));
}

// The old place is rebuilt from the layers below, the new one drawn on top.
void deskViewSetOverlay(ViewOverlay which, const uint32_t* picture, HostRect place) {
    Layer& l = layers.overlays[slot(which)];
    if (l.picture != nullptr) layers.pending = rectUnion(layers.pending, l.place);
    l = {picture, place};
    if (picture != nullptr) layers.pending = rectUnion(layers.pending, place);
}

bool deskViewOverlayShown(ViewOverlay which) {
    return layers.overlays[slot(which)].picture != nullptr;
}

// Rebuilds the union of what changed, clipped to the picture shown.
HostRect deskViewUpdate(HostRect bezelChanges) {
    const HostRect r = intersect(rectUnion(layers.pending, bezelChanges), viewRect());
    layers.pending = {};
    if (!empty(r)) rebuild(r);
    return r;
}

// Bezel and panel as they stand, overlays left out.
void deskViewCopyPlain(uint32_t* dst) {
    const int w = deskViewWidth();
    for (int y = 0; y < VIEW_HEIGHT; ++y) {
        uint32_t* out = dst + w * y;
        std::memcpy(out, hostCanvas() + BEZEL_WIDTH * y, sizeof(uint32_t) * BEZEL_WIDTH);
        if (layers.panel == nullptr) continue;
        const uint32_t* in = layers.panel + PANEL_WIDTH * (VIEW_HEIGHT - 1 - y);
        for (int x = 0; x < PANEL_WIDTH; ++x) out[BEZEL_WIDTH + x] = in[x] | CANVAS_OPAQUE;
    }
}
