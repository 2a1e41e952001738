// Pictures laid over the window: the key help (F1), a message box and a
// feed's status bar, drawn with the unit's primitives in the window's face.
#pragma once

#include <cstdint>

#include "desk/keys.h"
#include "desk/ui_text.h"
#include "shell/shell.h"

inline constexpr int HELP_WIDTH = 400;
inline constexpr int HELP_HEIGHT = 72 + 18 * DESK_KEY_HELP_LINES;
// Centred over the bezel.
inline constexpr HostRect HELP_PLACE = {(BEZEL_WIDTH - HELP_WIDTH) / 2,
                                        (BEZEL_HEIGHT - HELP_HEIGHT) / 2, HELP_WIDTH, HELP_HEIGHT};
// The message and status boxes lie along the bottom edge of the bezel, as
// wide as it, one line of text high, and grow upwards a line at a time for a
// longer text. Their top stays below MESSAGE_HIGHEST_TOP, under the amber
// stripe of the QX-70 mark, the lowest of the bezel's prints.
inline constexpr int MESSAGE_WIDTH = BEZEL_WIDTH;
inline constexpr int MESSAGE_PADDING = 4;       // above the first line and below the last
inline constexpr int MESSAGE_LINE_PITCH = 15;   // from one line's top to the next
inline constexpr int MESSAGE_TEXT_MARGIN = 16;  // left and right of the text
inline constexpr int MESSAGE_HIGHEST_TOP = 436;

constexpr int messageHeight(int lines) {
    return 2 * MESSAGE_PADDING + UI_TEXT_HEIGHT + MESSAGE_LINE_PITCH * (lines - 1);
}
inline constexpr int MESSAGE_HEIGHT = messageHeight(1);
inline constexpr int MESSAGE_MAX_LINES =
    (BEZEL_HEIGHT - MESSAGE_HIGHEST_TOP - MESSAGE_HEIGHT) / MESSAGE_LINE_PITCH + 1;
inline constexpr int MESSAGE_MAX_HEIGHT = messageHeight(MESSAGE_MAX_LINES);
// Where a box of so many lines lies.
constexpr HostRect messagePlace(int lines) {
    return {0, BEZEL_HEIGHT - messageHeight(lines), MESSAGE_WIDTH, messageHeight(lines)};
}
inline constexpr HostRect MESSAGE_PLACE = messagePlace(1);
// Longest message kept, terminator included.
inline constexpr int MESSAGE_CAPACITY = 1024;

// One line of a wrapped text: length characters from start, after "..."
// when text before it was left out.
struct TextSpan {
    int start;
    int length;
    bool elided;
};

// Draws the key help into a bottom-up HELP_WIDTH x HELP_HEIGHT picture.
void overlayDrawHelp(uint32_t* picture);
// Draws text into a bottom-up MESSAGE_WIDTH x messageHeight(n) picture
// (room for MESSAGE_MAX_HEIGHT rows), wrapped into the n lines it needs;
// returns where the picture goes.
HostRect overlayDrawMessage(uint32_t* picture, const char* text);
// What the status bar's lamp shows.
enum class StatusTone : uint8_t { Waiting, Good, Warning };
// The lamp's square at the left of the status bar.
inline constexpr HostRect STATUS_LAMP = {8, 7, 8, 8};
// Draws the status bar as overlayDrawMessage draws a message: a lamp (grey,
// green or amber) and text on a dark bar, the text amber too when it warns.
HostRect overlayDrawStatus(uint32_t* picture, const char* text, StatusTone tone);
// Breaks text into lines no wider than maxWidth pixels of UI_FONT, after a
// space (which no line keeps) or a "/" or "-", or inside a word too long for
// a line; at most maxLines lines. When the text needs more, the last line
// holds "..." and the text's end: a message says first what happened and
// ends with the file it names. Returns the number of lines.
int overlayWrap(const char* text, int maxWidth, TextSpan* lines, int maxLines);
// The longest tail of text that fits in maxWidth pixels of UI_FONT, with
// "..." in front when something was cut; written to out (capacity n).
void overlayFitTail(const char* text, int maxWidth, char* out, int n);
