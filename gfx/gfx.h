// Pixel buffers and the primitives every drawing builds on.
//
// Layering: gfx_line_aa, gfx_draw_icon4 and gfx_draw_image444 go through the
// checked gfx_put_pixel / gfx_get_pixel; gfx_hspan and gfx_blit clip whole rows
// first and then store unchecked; gfx_fill_rect is a gfx_hspan per row.
//
// Buffers are w x h pixels 0xAARRGGBB stored bottom-up: pixel (x, y), y counted
// from the top, lives at index x + w * (h - 1 - y). Alpha is carried, never used
// as opacity.
#pragma once

#include <cstdint>

inline constexpr int FB_WIDTH = 128;
inline constexpr int FB_HEIGHT = 160;
inline constexpr int FB_PIXELS = FB_WIDTH * FB_HEIGHT;

// Stores c at (x, y); nothing outside the buffer.
void gfx_put_pixel(uint32_t* buf, int w, int h, int x, int y, uint32_t c);
// Stores c at (x, y); callers must clip.
void gfx_put_pixel_unchecked(uint32_t* buf, int w, int h, int x, int y, uint32_t c);
// The pixel at (x, y), or 0 outside the buffer.
uint32_t gfx_get_pixel(const uint32_t* buf, int w, int h, int x, int y);
// The pixel at (x, y); callers must clip.
uint32_t gfx_get_pixel_unchecked(const uint32_t* buf, int w, int h, int x, int y);

// Opaque rectangle x0 <= x < x1, y0 <= y < y1 (corners in either order).
void gfx_fill_rect(uint32_t* buf, int w, int h, int x0, int y0, int x1, int y1, uint32_t c);
// Opaque run x0 <= x < x1 on row y.
void gfx_hspan(uint32_t* buf, int w, int h, int x0, int x1, int y, uint32_t c);
// Anti-aliased line, two pixels per step along the major axis (Xiaolin Wu).
void gfx_line_aa(uint32_t* buf, int w, int h, float x0, float y0, float x1, float y1, uint32_t c);
// Opaque copy of an image (same layout) with its top-left corner at (x, y).
void gfx_blit(uint32_t* buf, int w, int h, const uint32_t* src, int sw, int sh, int x, int y);
// Additive 4-bit icon: each nibble scales the tint and is added with saturation.
void gfx_draw_icon4(uint32_t* buf, int w, int h, const uint8_t* data, int iw, int ih, int x, int y,
                    uint32_t tint);
// Opaque 12-bit colour picture (0x0RGB per pixel, rows bottom first).
void gfx_draw_image444(uint32_t* buf, int w, int h, const uint16_t* data, int iw, int ih, int x,
                       int y);

// Each channel times k, truncated, limited to 0..255.
uint32_t color_scale(uint32_t c, double k);
// Each channel moved from a towards b by t, truncated, limited to 0..255.
uint32_t color_lerp(uint32_t a, uint32_t b, float t);
// Each channel a + b, limited at 255.
uint32_t color_add_sat(uint32_t a, uint32_t b);
