// Pictures laid over the window: the key help (F1), a one-line message bar
// and a feed's status bar, drawn with the unit's own primitives and fonts.
#pragma once

#include <cstdint>

#include "desk/keys.h"
#include "shell/shell.h"

inline constexpr int HELP_WIDTH = 400;
inline constexpr int HELP_HEIGHT = 72 + 18 * DESK_KEY_HELP_LINES;
// Centred over the bezel.
inline constexpr HostRect HELP_PLACE = {(BEZEL_WIDTH - HELP_WIDTH) / 2,
                                        (BEZEL_HEIGHT - HELP_HEIGHT) / 2, HELP_WIDTH, HELP_HEIGHT};
inline constexpr int MESSAGE_WIDTH = BEZEL_WIDTH;
inline constexpr int MESSAGE_HEIGHT = 22;
// Along the bottom edge of the bezel.
inline constexpr HostRect MESSAGE_PLACE = {0, BEZEL_HEIGHT - MESSAGE_HEIGHT, MESSAGE_WIDTH,
                                           MESSAGE_HEIGHT};
// The status bar of a feed lies where the message bar does, under it.
inline constexpr HostRect STATUS_PLACE = MESSAGE_PLACE;
// Longest message kept, terminator included.
inline constexpr int MESSAGE_CAPACITY = 512;

// Draws the key help into a bottom-up HELP_WIDTH x HELP_HEIGHT picture.
void overlayDrawHelp(uint32_t* picture);
// Draws text into a bottom-up MESSAGE_WIDTH x MESSAGE_HEIGHT bar; text too
// wide for the bar keeps its end, which holds the file name or the reason.
void overlayDrawMessage(uint32_t* picture, const char* text);
// What the status bar's lamp shows.
enum class StatusTone : uint8_t { Waiting, Good, Warning };
// The lamp's square at the left of the status bar.
inline constexpr HostRect STATUS_LAMP = {8, 7, 8, 8};
// Draws the status bar into a bottom-up MESSAGE_WIDTH x MESSAGE_HEIGHT
// picture: a lamp (grey, green or amber) and text on a dark bar, the text
// amber too when it warns.
void overlayDrawStatus(uint32_t* picture, const char* text, StatusTone tone);
// The longest tail of text that fits in maxWidth pixels of FONT_TEXT_14,
// with "..." in front when something was cut; written to out (capacity n).
void overlayFitTail(const char* text, int maxWidth, char* out, int n);
