// Glyph outlines from FreeType and their exact-area rasterisation into
// coverage grids; the font and picture generators build everything on these.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

// Coverage 0..1 per pixel, row 0 at the top.
struct Coverage {
    int width = 0;
    int height = 0;
    std::vector<float> a;
};

// An outline in pixels, y up, pen origin at (0, 0) on the baseline.
struct GlyphOutline {
    std::vector<double> x, y;
    std::vector<char> tags;
    std::vector<short> contours;
    double advance = 0;  // the face's own advance at this size
};

struct InkBox {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    bool empty = true;
};

Coverage makeCoverage(int width, int height);
float coverageAt(const Coverage& c, int x, int y);
// Adds v to the pixel, limited to 1; outside the grid nothing happens.
void coverageAdd(Coverage& c, int x, int y, float v);

FT_Library freetype();
// Opens a face from the DejaVu directory; exits with a message when missing.
FT_Face openFace(const char* fileName);

enum class Hinting { None, Vertical, Full };

// Loads the glyph of code at ppem pixels per em. Vertical hinting (FreeType's
// light auto-hinter) snaps baseline, x-height and cap height to whole pixels
// and leaves x alone, so horizontal scaling applied afterwards keeps it
// intact. Full hinting runs the face's own TrueType instructions in their
// strongest (monochrome) mode at a horizontal size of ppemX pixels per em:
// every stem gets a whole number of pixels in both directions.
GlyphOutline loadOutline(FT_Face face, double ppem, unsigned code, bool hint);
GlyphOutline loadOutlineXY(FT_Face face, double ppemX, double ppemY, unsigned code,
                           Hinting hinting);

// Adds src's contours to dst.
void appendOutline(GlyphOutline& dst, const GlyphOutline& src);
// Adds the rectangle [x0, x1) x [y0, y1) (y up) as a contour of its own.
void appendRect(GlyphOutline& g, double x0, double y0, double x1, double y1);

// Exact bounding box of the curves.
InkBox inkBox(const GlyphOutline& g);

// x' = x * sx + dx, y' = y * sy + dy.
void transformOutline(GlyphOutline& g, double sx, double dx, double sy, double dy);
// Brings the glyph within top pixels above and bottom pixels below the
// baseline: an overshoot of up to a pixel is squeezed back on its own side,
// a taller glyph is scaled as a whole into the room.
void fitVertically(GlyphOutline& g, double top, double bottom);

// Adds the glyph's coverage to the grid with its pen origin at grid position
// (ox, baseline): ox columns from the left edge, baseline rows from the top.
void rasterize(const GlyphOutline& g, double ox, double baseline, Coverage& into);

// Sum of c (1 - c): how much of the ink is smeared over partial pixels.
double fuzziness(const Coverage& c);
