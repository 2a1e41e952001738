// Pixel buffers and the primitives every drawing builds on.
//
// Layering: gfx_draw_icon4 goes through the checked gfx_put_pixel /
// gfx_get_pixel, gfx_line_aa blends each pixel after the same check;
// gfx_hspan, gfx_blit and gfx_draw_image444 clip whole rows first and then
// store unchecked; gfx_fill_rect is a gfx_hspan per row. The pixel access and
// the blends are inline below.
//
// Buffers are w x h pixels 0xAARRGGBB stored bottom-up: pixel (x, y), y counted
// from the top, lives at index x + w * (h - 1 - y). Alpha is carried, never used
// as opacity.
#pragma once

#include <bit>
#include <cstdint>

#include "gfx/coord.h"

inline constexpr int FB_WIDTH = 128;
inline constexpr int FB_HEIGHT = 160;
inline constexpr int FB_PIXELS = FB_WIDTH * FB_HEIGHT;

// Stores c at (x, y); nothing outside the buffer.
inline void gfx_put_pixel(uint32_t* buf, int w, int h, int x, int y, uint32_t c);
// Stores c at (x, y); callers must clip.
inline void gfx_put_pixel_unchecked(uint32_t* buf, int w, int h, int x, int y, uint32_t c);
// The pixel at (x, y), or 0 outside the buffer.
inline uint32_t gfx_get_pixel(const uint32_t* buf, int w, int h, int x, int y);
// The pixel at (x, y); callers must clip.
inline uint32_t gfx_get_pixel_unchecked(const uint32_t* buf, int w, int h, int x, int y);

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
inline uint32_t color_lerp(uint32_t a, uint32_t b, float t);
// Each channel a + b, limited at 255.
inline uint32_t color_add_sat(uint32_t a, uint32_t b);

// ---- Inline definitions -------------------------------------------------------
// Every drawing file calls these once per pixel: defined here, the compiler
// inlines them across files. The channel operations work on all four
// channels at once with the compilers' portable vector types (SSE2 on the
// desktop, WebAssembly SIMD in the browser), each channel with exactly the
// single-precision arithmetic and limits of the channel-by-channel form.

namespace gfx_detail {

// The vector code reads a pixel's channels from its bytes in memory order.
static_assert(std::endian::native == std::endian::little, "pixels are unpacked little-endian");

typedef uint8_t Bytes16 __attribute__((vector_size(16)));
typedef uint16_t Shorts8 __attribute__((vector_size(16)));
typedef int32_t Ints4 __attribute__((vector_size(16)));
typedef uint32_t Words4 __attribute__((vector_size(16)));
typedef uint64_t Longs2 __attribute__((vector_size(16)));
typedef float Floats4 __attribute__((vector_size(16)));

inline constexpr Floats4 CHANNEL_ZERO = {0.0f, 0.0f, 0.0f, 0.0f};
inline constexpr Floats4 CHANNEL_FULL = {255.0f, 255.0f, 255.0f, 255.0f};

// Channel k of c (bits 8k .. 8k + 7) in lane k, widened by interleaving with
// zero bytes and then zero halves.
inline Floats4 channelsOf(uint32_t c) {
    const Bytes16 bytes = reinterpret_cast<Bytes16>(Words4{c, 0, 0, 0});
    const Bytes16 zeroBytes = {};
    const Shorts8 zeroHalves = {};
    const Bytes16 halves = __builtin_shufflevector(bytes, zeroBytes, 0, 16, 1, 17, 2, 18, 3, 19, 4,
                                                   20, 5, 21, 6, 22, 7, 23);
    const Shorts8 words = __builtin_shufflevector(reinterpret_cast<Shorts8>(halves), zeroHalves, 0,
                                                  8, 1, 9, 2, 10, 3, 11);
    return __builtin_convertvector(reinterpret_cast<Ints4>(words), Floats4);
}

// Lanes at or above 0 and below 256, truncated and packed back into one
// pixel: each 64-bit half folds its upper lane onto bits 8 .. 15 of its lower
// lane.
inline uint32_t pixelOf(Floats4 v) {
    const Longs2 pairs = reinterpret_cast<Longs2>(__builtin_convertvector(v, Ints4));
    const Words4 folded = reinterpret_cast<Words4>(pairs | pairs >> 24);
    return folded[0] | folded[2] << 16;
}

// Each lane limited to a channel: at or below 0 (or NaN) gives 0, at or
// above 255 gives 255. pixelOf truncates the rest; a chain of blends
// truncates its intermediate lanes with truncated().
inline Floats4 limited(Floats4 v) {
    const Floats4 low = v > CHANNEL_ZERO ? v : CHANNEL_ZERO;
    return low >= CHANNEL_FULL ? CHANNEL_FULL : low;
}

// (1 - t) a + t b per lane in single precision, limited.
inline Floats4 lerpChannels(Floats4 a, Floats4 b, float t) {
    return limited((1.0f - t) * a + t * b);
}

// Lanes truncated towards zero, as pixelOf stores them.
inline Floats4 truncated(Floats4 v) {
    return __builtin_convertvector(__builtin_convertvector(v, Ints4), Floats4);
}

inline bool inside(int w, int h, int x, int y) { return x >= 0 && x < w && y >= 0 && y < h; }

}  // namespace gfx_detail

inline void gfx_put_pixel(uint32_t* buf, int w, int h, int x, int y, uint32_t c) {
    if (gfx_detail::inside(w, h, x, y)) buf[pixelIndex(w, h, x, y)] = c;
}

inline void gfx_put_pixel_unchecked(uint32_t* buf, int w, int h, int x, int y, uint32_t c) {
    buf[pixelIndex(w, h, x, y)] = c;
}

inline uint32_t gfx_get_pixel(const uint32_t* buf, int w, int h, int x, int y) {
    return gfx_detail::inside(w, h, x, y) ? buf[pixelIndex(w, h, x, y)] : 0u;
}

inline uint32_t gfx_get_pixel_unchecked(const uint32_t* buf, int w, int h, int x, int y) {
    return buf[pixelIndex(w, h, x, y)];
}

// Each channel (1 - t) a + t b in single precision; a channel at or below 0
// (or NaN) becomes 0, one at or above 255 becomes 255, the rest truncate. The
// lower limit keeps weights just outside 0..1 (a line grazing row 0) from
// spilling a negative channel into its neighbours.
inline uint32_t color_lerp(uint32_t a, uint32_t b, float t) {
    using namespace gfx_detail;
    return pixelOf(lerpChannels(channelsOf(a), channelsOf(b), t));
}

// Each channel a + b; a byte that wrapped past 255 is smaller than a and
// becomes 255.
inline uint32_t color_add_sat(uint32_t a, uint32_t b) {
    using namespace gfx_detail;
    const Bytes16 va = reinterpret_cast<Bytes16>(Words4{a, 0, 0, 0});
    const Bytes16 sum = va + reinterpret_cast<Bytes16>(Words4{b, 0, 0, 0});
    return reinterpret_cast<Words4>(sum | reinterpret_cast<Bytes16>(sum < va))[0];
}
