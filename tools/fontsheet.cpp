// fontsheet: a contact sheet of the six fonts and the splash picture, drawn
// with the program's own tables and text operations, so it shows exactly what
// the unit draws. Every glyph at 1:1 and enlarged, sample texts, the splash
// picture plain and with the texts the unit writes over it.
// Usage: fontsheet <output.png>
#include "gfx/font.h"
#include "gfx/gfx.h"
#include "gfx/splash_picture.h"
#include "platform/png/png_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int SHEET_W = 1160;
constexpr int SHEET_MAX_H = 4000;
constexpr int MARGIN = 16;
constexpr int ZOOM = 4;
constexpr uint32_t SHEET_BG = 0xFF181A20;
constexpr uint32_t CELL_BG[2] = {0xFF000000, 0xFF0C1426};  // alternate glyph cells
constexpr uint32_t WHITE = 0xFFFFFFFF;
constexpr uint32_t LABEL = 0xFF60F0F0;
constexpr uint32_t GREY = 0xFF707070;
constexpr uint32_t GUIDE = 0xFF402020;  // rows of capitals or digits, beside the enlarged cells

const char* const FONT_NAMES[FONT_COUNT] = {"FONT_TEXT_14", "FONT_TEXT_18", "FONT_NUM_20",
                                            "FONT_NUM_23",  "FONT_NUM_29",  "FONT_NUM_51"};
// Rows (1 = top) of capitals or digits in each font's cells.
constexpr int GLYPH_TOP[FONT_COUNT] = {1, 1, 1, 2, 2, 1};
constexpr int GLYPH_BOTTOM[FONT_COUNT] = {11, 14, 18, 21, 26, 51};

const char* const SAMPLES[FONT_COUNT][3] = {
    {"GMT Time   Local Time   Bus V   OAT F   True Airspeed   Density Alt",
     "SET AUTO   CLR PK   PSYNC   "
     "ACCEPT   Count Down   HH:MM:SS",
     "PAGE ENABLE   AUDIO ALERTS   Do Not Move Aircraft   (24 Hour GMT)"},
    {"QX-70-S   ALIGNING   1.2", "-0.5   2.5   15.0   10   20", "R P Y J A W B   Brelmont"},
    {"14.1   72d   ---   -5", "00:30:00   +3", "22d   1t"},
    {"12:05:59   200   +10", "98:59:59   -7", "050   72d"},
    {"12:30   174 m   152 k", "1   23:59   98:59:59", "09:41   88d   -5c   41f"},
    {"+2.8", "-1.0", "+9.0"},
};

struct Image {
    int w, h;
    std::vector<uint32_t> px;  // the framebuffer layout: rows bottom first
};

Image makeImage(int w, int h, uint32_t fill) {
    return {w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, fill)};
}

// Copies src into dst at (x, y), each pixel as a zoom x zoom block.
void paste(Image& dst, const Image& src, int x, int y, int zoom) {
    for (int sy = 0; sy < src.h; ++sy)
        for (int sx = 0; sx < src.w; ++sx) {
            uint32_t c = gfx_get_pixel(src.px.data(), src.w, src.h, sx, sy);
            for (int k = 0; k < zoom * zoom; ++k)
                gfx_put_pixel(dst.px.data(), dst.w, dst.h, x + sx * zoom + k % zoom,
                              y + sy * zoom + k / zoom, c);
        }
}

void text(Image& img, int font, int x, int y, uint32_t colour, const char* s) {
    font_draw_text(img.px.data(), img.w, img.h, font, x, y, colour, s);
}

// One row of glyphs drawn 1:1 on alternating cell backgrounds.
Image glyphRow(int font, int first, int last) {
    const FontRecord& f = fontTable[font];
    Image row = makeImage(f.offsets[last] - f.offsets[first], f.height + 1, CELL_BG[0]);
    for (int k = first; k < last; ++k) {
        int x = f.offsets[k] - f.offsets[first];
        gfx_fill_rect(row.px.data(), row.w, row.h, x, 1, x + f.offsets[k + 1] - f.offsets[k], row.h,
                      CELL_BG[k % 2]);
        font_draw_char(row.px.data(), row.w, row.h, font, x, 0, WHITE, f.charset[k]);
    }
    return row;
}

// Marks the rows of capitals or digits left of an enlarged glyph row.
void drawGuide(Image& sheet, int font, int x, int y) {
    int top = y + GLYPH_TOP[font] * ZOOM, bottom = y + (GLYPH_BOTTOM[font] + 1) * ZOOM;
    gfx_fill_rect(sheet.px.data(), sheet.w, sheet.h, x - 6, top, x - 3, bottom, GUIDE);
}

int fontSection(Image& sheet, int font, int y) {
    const FontRecord& f = fontTable[font];
    char title[160];
    std::snprintf(title, sizeof title, "%d  %s   height %d, strip %d, %d glyphs: \"%s\"", font,
                  FONT_NAMES[font], f.height, f.stripWidth,
                  static_cast<int>(std::strlen(f.charset)), f.charset);
    text(sheet, FONT_TEXT_14, MARGIN, y, LABEL, title);
    y += 20;
    // 1:1: the whole character set, then the samples.
    text(sheet, font, MARGIN, y - 1, WHITE, f.charset);
    y += f.height + 6;
    for (const char* sample : SAMPLES[font]) {
        text(sheet, font, MARGIN, y - 1, WHITE, sample);
        y += f.height + 4;
    }
    y += 6;
    // Enlarged, wrapped at glyph boundaries.
    int count = static_cast<int>(std::strlen(f.charset));
    int maxCols = (SHEET_W - 2 * MARGIN - 8) / ZOOM;
    for (int first = 0; first < count;) {
        int last = first + 1;
        while (last < count && f.offsets[last + 1] - f.offsets[first] <= maxCols) ++last;
        Image row = glyphRow(font, first, last);
        drawGuide(sheet, font, MARGIN + 8, y - ZOOM);
        paste(sheet, row, MARGIN + 8, y - ZOOM, ZOOM);
        y += (row.h - 1) * ZOOM + 8;
        first = last;
    }
    return y + 14;
}

Image splash(bool withTexts) {
    Image s = makeImage(SPLASH_WIDTH, SPLASH_HEIGHT, 0);
    gfx_draw_image444(s.px.data(), s.w, s.h, SPLASH_PICTURE, SPLASH_WIDTH, SPLASH_HEIGHT, 0, 0);
    if (withTexts) {
        font_draw_text_centered(s.px.data(), s.w, s.h, FONT_TEXT_18, 64, 100, GREY, "QX-70-S");
        font_draw_text_centered(s.px.data(), s.w, s.h, FONT_TEXT_14, 64, 143, GREY, "1.2");
        font_draw_text_centered(s.px.data(), s.w, s.h, FONT_TEXT_14, 10, 10, LABEL, "D1");
    }
    return s;
}

int splashSection(Image& sheet, int y) {
    text(sheet, FONT_TEXT_14, MARGIN, y, LABEL,
         "Splash picture: 1:1, 2x, and 2x with the model name, version and demo mark the unit "
         "writes over it");
    y += 22;
    paste(sheet, splash(false), MARGIN, y, 1);
    paste(sheet, splash(false), MARGIN + 150, y, 2);
    paste(sheet, splash(true), MARGIN + 430, y, 2);
    paste(sheet, splash(true), MARGIN + 710, y, 1);
    return y + 2 * SPLASH_HEIGHT + 16;
}

// The sheet as 0x00RRGGBB rows top first, cut to height h.
std::vector<uint32_t> topDown(const Image& img, int h) {
    std::vector<uint32_t> out(static_cast<size_t>(img.w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < img.w; ++x)
            out[static_cast<size_t>(y) * img.w + x] =
                gfx_get_pixel(img.px.data(), img.w, img.h, x, y) & 0xFFFFFF;
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fontsheet <output.png>\n");
        return 2;
    }
    Image sheet = makeImage(SHEET_W, SHEET_MAX_H, SHEET_BG);
    int y = MARGIN;
    text(sheet, FONT_TEXT_14, MARGIN, y, GREY,
         "QX-70 built-in fonts, white over black as the unit draws them; enlarged 4x on "
         "alternating cells, "
         "bar at the left: rows of capitals or digits");
    y += 28;
    for (int font = 0; font < FONT_COUNT; ++font) y = fontSection(sheet, font, y);
    y = splashSection(sheet, y);
    std::string message;
    if (!pngWrite(argv[1], topDown(sheet, y).data(), sheet.w, y, PngChannels::Rgb, &message)) {
        std::fprintf(stderr, "fontsheet: %s\n", message.c_str());
        return 1;
    }
    std::printf("fontsheet: %s written (%d x %d)\n", argv[1], sheet.w, y);
    return 0;
}
