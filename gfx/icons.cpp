// The nine 4-bit icons, drawn here as rows of hex intensities (top row first,
// '.' for 0) and packed at compile time into two pixels per byte, rows bottom
// first. gfx_draw_icon -> gfx_draw_icon4.
#include "gfx/icons.h"

#include "gfx/gfx.h"

// ---- Types ----------------------------------------------------------------

namespace {

template <int W, int H>
struct PackedIcon {
    static_assert(W > 0 && W % 2 == 0 && H > 0, "icons are an even number of pixels wide");
    uint8_t bytes[W / 2 * H];
};

// ---- Private helpers ------------------------------------------------------

constexpr bool isNibble(char ch) {
    return ch == '.' || (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F');
}

constexpr uint8_t nibbleValue(char ch) {
    if (ch == '.') return 0;
    return static_cast<uint8_t>(ch <= '9' ? ch - '0' : ch - 'A' + 10);
}

// True when every row holds exactly W intensity characters (L = W + 1 with
// the terminating NUL).
template <int H, int L>
constexpr bool wellFormed(const char (&rows)[H][L]) {
    constexpr int W = L - 1;
    for (int r = 0; r < H; ++r) {
        for (int c = 0; c < W; ++c)
            if (!isNibble(rows[r][c])) return false;
        if (rows[r][W] != '\0') return false;
    }
    return true;
}

// Packs rows drawn top first into bytes stored bottom row first, high nibble left.
template <int H, int L>
constexpr PackedIcon<L - 1, H> pack(const char (&rows)[H][L]) {
    constexpr int W = L - 1;
    PackedIcon<W, H> out{};
    for (int j = 0; j < H; ++j) {
        const char* row = rows[H - 1 - j];
        for (int i = 0; i < W / 2; ++i)
            out.bytes[i + j * W / 2] =
                static_cast<uint8_t>(nibbleValue(row[2 * i]) << 4 | nibbleValue(row[2 * i + 1]));
    }
    return out;
}

// ---- Icon artwork -----------------------------------------------------------
// One string per pixel row.
// clang-format off

constexpr char TRI_UP_ROWS[8][13] = {
    ".....FF.....",
    "....FFFF....",
    "....FFFF....",
    "...FFFFFF...",
    "..FFFFFFFF..",
    ".FFFFFFFFFF.",
    ".FFFFFFFFFF.",
    "FFFFFFFFFFFF",
};

constexpr char TRI_DOWN_ROWS[8][13] = {
    "FFFFFFFFFFFF",
    ".FFFFFFFFFF.",
    ".FFFFFFFFFF.",
    "..FFFFFFFF..",
    "...FFFFFF...",
    "....FFFF....",
    "....FFFF....",
    ".....FF.....",
};

constexpr char TRI_LEFT_ROWS[12][9] = {
    ".......F",
    ".....FFF",
    "....FFFF",
    "...FFFFF",
    ".FFFFFFF",
    "FFFFFFFF",
    "FFFFFFFF",
    ".FFFFFFF",
    "...FFFFF",
    "....FFFF",
    ".....FFF",
    ".......F",
};

constexpr char TRI_RIGHT_ROWS[12][9] = {
    "F.......",
    "FFF.....",
    "FFFF....",
    "FFFFF...",
    "FFFFFFF.",
    "FFFFFFFF",
    "FFFFFFFF",
    "FFFFFFF.",
    "FFFFF...",
    "FFFF....",
    "FFF.....",
    "F.......",
};

constexpr char CHECK_ROWS[11][9] = {
    "......FF",
    "......FF",
    ".....FF.",
    ".....FF.",
    "....FF..",
    "FF..FF..",
    "FF.FF...",
    ".FFFF...",
    ".FFF....",
    "..FF....",
    "..F.....",
};

constexpr char CROSS_ROWS[10][9] = {
    "FF....FF",
    "FFF..FFF",
    ".FFFFFF.",
    "..FFFF..",
    "...FF...",
    "...FF...",
    "..FFFF..",
    ".FFFFFF.",
    "FFF..FFF",
    "FF....FF",
};

// With the ball's tint 0x40404040 the rim intensities 1, 2, 3 give 0x40, 0x80,
// 0xC0 per channel and the body (4 and above) full white.
constexpr char BALL_ROWS[20][21] = {
    ".......111111.......",
    ".....1122222211.....",
    "...11222333322211...",
    "..1122333333332211..",
    "..1233FFFFFFFF3321..",
    ".1223FFFFFFFFFF3221.",
    ".123FFFFFFFFFFFF321.",
    "1223FFFFFFFFFFFF3221",
    "1233FFFFFFFFFFFF3321",
    "123FFFFFFFFFFFFFF321",
    "123FFFFFFFFFFFFFF321",
    "1233FFFFFFFFFFFF3321",
    "1223FFFFFFFFFFFF3221",
    ".123FFFFFFFFFFFF321.",
    ".1223FFFFFFFFFF3221.",
    "..1233FFFFFFFF3321..",
    "..1122333333332211..",
    "...11222333322211...",
    ".....1122222211.....",
    ".......111111.......",
};

// A right-pointing triangle, then a bar: the timer runs or stops on the next press.
constexpr char PLAY_PAUSE_ROWS[17][17] = {
    "FF..........FFF.",
    "FFF.........FFF.",
    "FFFF........FFF.",
    "FFFFF.......FFF.",
    "FFFFFF......FFF.",
    "FFFFFFF.....FFF.",
    "FFFFFFFF....FFF.",
    "FFFFFFFFF...FFF.",
    "FFFFFFFFFF..FFF.",
    "FFFFFFFFF...FFF.",
    "FFFFFFFF....FFF.",
    "FFFFFFF.....FFF.",
    "FFFFFF......FFF.",
    "FFFFF.......FFF.",
    "FFFF........FFF.",
    "FFF.........FFF.",
    "FF..........FFF.",
};

constexpr char PAUSE_ROWS[17][17] = {
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
    "..FFFF....FFFF..",
};

static_assert(wellFormed(TRI_UP_ROWS) && wellFormed(TRI_DOWN_ROWS));
static_assert(wellFormed(TRI_LEFT_ROWS) && wellFormed(TRI_RIGHT_ROWS));
static_assert(wellFormed(CHECK_ROWS) && wellFormed(CROSS_ROWS) && wellFormed(BALL_ROWS));
static_assert(wellFormed(PLAY_PAUSE_ROWS) && wellFormed(PAUSE_ROWS));

// clang-format on

// ---- Packed data ------------------------------------------------------------

constexpr auto TRI_UP = pack(TRI_UP_ROWS);
constexpr auto TRI_DOWN = pack(TRI_DOWN_ROWS);
constexpr auto TRI_LEFT = pack(TRI_LEFT_ROWS);
constexpr auto TRI_RIGHT = pack(TRI_RIGHT_ROWS);
constexpr auto CHECK = pack(CHECK_ROWS);
constexpr auto CROSS = pack(CROSS_ROWS);
constexpr auto BALL = pack(BALL_ROWS);
constexpr auto PLAY_PAUSE = pack(PLAY_PAUSE_ROWS);
constexpr auto PAUSE = pack(PAUSE_ROWS);

template <int W, int H>
constexpr Icon4 iconOf(const PackedIcon<W, H>& icon) {
    return {icon.bytes, W, H};
}

constexpr bool hasSize(const Icon4& icon, int w, int h) {
    return icon.width == w && icon.height == h;
}

}  // namespace

// ---- Public data ------------------------------------------------------------

constexpr Icon4 ICON_TRI_UP = iconOf(TRI_UP);
constexpr Icon4 ICON_TRI_DOWN = iconOf(TRI_DOWN);
constexpr Icon4 ICON_TRI_LEFT = iconOf(TRI_LEFT);
constexpr Icon4 ICON_TRI_RIGHT = iconOf(TRI_RIGHT);
constexpr Icon4 ICON_CHECK = iconOf(CHECK);
constexpr Icon4 ICON_CROSS = iconOf(CROSS);
constexpr Icon4 ICON_BALL = iconOf(BALL);
constexpr Icon4 ICON_PLAY_PAUSE = iconOf(PLAY_PAUSE);
constexpr Icon4 ICON_PAUSE = iconOf(PAUSE);

// The sizes the pages lay their icons out by.
static_assert(hasSize(ICON_TRI_UP, 12, 8) && hasSize(ICON_TRI_DOWN, 12, 8));
static_assert(hasSize(ICON_TRI_LEFT, 8, 12) && hasSize(ICON_TRI_RIGHT, 8, 12));
static_assert(hasSize(ICON_CHECK, 8, 11) && hasSize(ICON_CROSS, 8, 10));
static_assert(hasSize(ICON_BALL, 20, 20));
static_assert(hasSize(ICON_PLAY_PAUSE, 16, 17) && hasSize(ICON_PAUSE, 16, 17));

// ---- Public operations ----------------------------------------------------

// gfx_draw_icon4 with the icon's own data and size.
void gfx_draw_icon(uint32_t* buf, int w, int h, const Icon4& icon, int x, int y, uint32_t tint) {
    gfx_draw_icon4(buf, w, h, icon.data, icon.width, icon.height, x, y, tint);
}
