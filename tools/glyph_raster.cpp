// Glyph outlines from FreeType and their exact-area rasterisation.
#include "tools/glyph_raster.h"

#include FT_OUTLINE_H
#include FT_BBOX_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const FONT_DIR = "/usr/share/fonts/truetype/dejavu/";
// Overflow up to this many pixels is squeezed back on its own side only.
constexpr double MAX_SQUEEZE = 1.0;

FT_Library library = nullptr;

void check(FT_Error err, const char* what) {
    if (err == 0) return;
    std::fprintf(stderr, "fontgen: FreeType error %d in %s\n", err, what);
    std::exit(1);
}

// A FreeType view of the outline in 26.6 fixed point, sharing vectors that
// the caller keeps alive.
struct OutlineView {
    std::vector<FT_Vector> points;
    std::vector<char> tags;
    std::vector<short> contours;
    FT_Outline outline{};
};

void makeView(const GlyphOutline& g, double ox, double oy, OutlineView& v) {
    v.points.resize(g.x.size());
    for (size_t i = 0; i < g.x.size(); ++i) {
        v.points[i].x = std::lround((g.x[i] + ox) * 64.0);
        v.points[i].y = std::lround((g.y[i] + oy) * 64.0);
    }
    v.tags = g.tags;
    v.contours = g.contours;
    v.outline.n_points = static_cast<short>(v.points.size());
    v.outline.n_contours = static_cast<short>(v.contours.size());
    v.outline.points = v.points.data();
    v.outline.tags = v.tags.data();
    v.outline.contours = v.contours.data();
    v.outline.flags = FT_OUTLINE_NONE;
}

// Moves the part of the glyph beyond limit (on one side of the baseline) back
// to it by scaling that side about the baseline.
void squeezeSide(GlyphOutline& g, double extreme, double limit, bool above) {
    if (above ? extreme <= limit : extreme >= limit) return;
    double k = limit / extreme;
    for (double& y : g.y)
        if (above ? y > 0 : y < 0) y *= k;
}

}  // namespace

Coverage makeCoverage(int width, int height) {
    Coverage c;
    c.width = width;
    c.height = height;
    c.a.assign(static_cast<size_t>(width) * height, 0.0f);
    return c;
}

float coverageAt(const Coverage& c, int x, int y) {
    if (x < 0 || y < 0 || x >= c.width || y >= c.height) return 0.0f;
    return c.a[static_cast<size_t>(y) * c.width + x];
}

void coverageAdd(Coverage& c, int x, int y, float v) {
    if (x < 0 || y < 0 || x >= c.width || y >= c.height) return;
    float& p = c.a[static_cast<size_t>(y) * c.width + x];
    p = std::min(1.0f, p + v);
}

FT_Library freetype() {
    if (library == nullptr) check(FT_Init_FreeType(&library), "FT_Init_FreeType");
    return library;
}

FT_Face openFace(const char* fileName) {
    std::string path = std::string(FONT_DIR) + fileName;
    FT_Face face = nullptr;
    if (FT_New_Face(freetype(), path.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "fontgen: cannot open %s (install fonts-dejavu-core)\n", path.c_str());
        std::exit(1);
    }
    return face;
}

GlyphOutline loadOutline(FT_Face face, double ppem, unsigned code, bool hint) {
    return loadOutlineXY(face, ppem, ppem, code, hint ? Hinting::Vertical : Hinting::None);
}

GlyphOutline loadOutlineXY(FT_Face face, double ppemX, double ppemY, unsigned code,
                           Hinting hinting) {
    check(FT_Set_Char_Size(face, std::lround(ppemX * 64.0), std::lround(ppemY * 64.0), 72, 72),
          "FT_Set_Char_Size");
    FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0) {
        std::fprintf(stderr, "fontgen: the face lacks U+%04X\n", code);
        std::exit(1);
    }
    FT_Int32 flags = FT_LOAD_NO_BITMAP;
    if (hinting == Hinting::None) flags |= FT_LOAD_NO_HINTING;
    if (hinting == Hinting::Vertical) flags |= FT_LOAD_FORCE_AUTOHINT | FT_LOAD_TARGET_LIGHT;
    if (hinting == Hinting::Full) flags |= FT_LOAD_TARGET_MONO;
    check(FT_Load_Glyph(face, index, flags), "FT_Load_Glyph");
    const FT_Outline& o = face->glyph->outline;
    GlyphOutline g;
    for (int i = 0; i < o.n_points; ++i) {
        g.x.push_back(o.points[i].x / 64.0);
        g.y.push_back(o.points[i].y / 64.0);
        g.tags.push_back(o.tags[i]);
    }
    g.contours.assign(o.contours, o.contours + o.n_contours);
    g.advance = face->glyph->advance.x / 64.0;
    return g;
}

void appendOutline(GlyphOutline& dst, const GlyphOutline& src) {
    short base = static_cast<short>(dst.x.size());
    dst.x.insert(dst.x.end(), src.x.begin(), src.x.end());
    dst.y.insert(dst.y.end(), src.y.begin(), src.y.end());
    dst.tags.insert(dst.tags.end(), src.tags.begin(), src.tags.end());
    for (short c : src.contours) dst.contours.push_back(static_cast<short>(c + base));
}

void appendRect(GlyphOutline& g, double x0, double y0, double x1, double y1) {
    for (double x : {x0, x1, x1, x0}) g.x.push_back(x);
    for (double y : {y0, y0, y1, y1}) g.y.push_back(y);
    for (int i = 0; i < 4; ++i) g.tags.push_back(FT_CURVE_TAG_ON);
    g.contours.push_back(static_cast<short>(g.x.size() - 1));
}

InkBox inkBox(const GlyphOutline& g) {
    InkBox box;
    if (g.x.empty()) return box;
    OutlineView v;
    makeView(g, 0, 0, v);
    FT_BBox b;
    check(FT_Outline_Get_BBox(&v.outline, &b), "FT_Outline_Get_BBox");
    box.xMin = b.xMin / 64.0;
    box.xMax = b.xMax / 64.0;
    box.yMin = b.yMin / 64.0;
    box.yMax = b.yMax / 64.0;
    box.empty = false;
    return box;
}

void transformOutline(GlyphOutline& g, double sx, double dx, double sy, double dy) {
    for (double& x : g.x) x = x * sx + dx;
    for (double& y : g.y) y = y * sy + dy;
    g.advance *= sx;
}

void fitVertically(GlyphOutline& g, double top, double bottom) {
    InkBox box = inkBox(g);
    if (box.empty) return;
    if (box.yMax <= top + MAX_SQUEEZE && box.yMin >= -bottom - MAX_SQUEEZE) {
        // Overshoots: pull back only the side that reaches out.
        squeezeSide(g, box.yMax, top, true);
        squeezeSide(g, box.yMin, -bottom, false);
        return;
    }
    // Tall glyphs keep their shape: the whole height is scaled into the room.
    double newMax = std::min(box.yMax, top);
    double newMin = std::max(box.yMin, -bottom);
    double k = (newMax - newMin) / (box.yMax - box.yMin);
    for (double& y : g.y) y = newMin + (y - box.yMin) * k;
}

void rasterize(const GlyphOutline& g, double ox, double baseline, Coverage& into) {
    if (g.x.empty() || into.width == 0 || into.height == 0) return;
    OutlineView v;
    // FreeType's bitmap has y = 0 at its bottom edge.
    makeView(g, ox, into.height - baseline, v);
    std::vector<unsigned char> pixels(static_cast<size_t>(into.width) * into.height, 0);
    FT_Bitmap bm{};
    bm.rows = static_cast<unsigned>(into.height);
    bm.width = static_cast<unsigned>(into.width);
    bm.pitch = into.width;
    bm.buffer = pixels.data();
    bm.num_grays = 256;
    bm.pixel_mode = FT_PIXEL_MODE_GRAY;
    check(FT_Outline_Get_Bitmap(freetype(), &v.outline, &bm), "FT_Outline_Get_Bitmap");
    for (int y = 0; y < into.height; ++y)
        for (int x = 0; x < into.width; ++x)
            coverageAdd(into, x, y, pixels[static_cast<size_t>(y) * into.width + x] / 255.0f);
}

double fuzziness(const Coverage& c) {
    double sum = 0;
    for (float v : c.a) sum += v * (1.0 - v);
    return sum;
}
