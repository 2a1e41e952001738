// The unit on a web page: the window's session driven by the page's clock
// (pause, single steps, a pause while the page is hidden, a recording from
// the start), its input (pointer, keys, script lines from the page's
// controls), and the picture the page presents, as RGBA bytes.
#pragma once

#include <cstdint>
#include <string>

#include "shell/host_time.h"
#include "shell/shell.h"

// Power-on, window creation and start-up at page time now (milliseconds);
// the host time starts at start, and the session is recorded from there.
void webStart(int64_t now, const HostDateTime& start, bool paused);
// Runs every tick due at now.
void webAdvance(int64_t now);
// The pause the user asks for; a hidden page pauses too, without changing it.
void webSetPaused(bool paused, int64_t now);
void webSetHidden(bool hidden, int64_t now);
bool webPaused();
// Pauses and runs n fast ticks with their frames (and the seconds that fall
// due among them) at once.
void webStep(long long n, int64_t now);
// A left press or release of a pointer at bezel position (x, y).
void webPointer(bool down, int x, int y);
// A key of the page's keyboard by its KeyboardEvent.key name. Returns what
// the page itself must do: "screenshot", "panel", "done" when it was
// handled here, or "" when the key is not the unit's.
const char* webKeyDown(const std::string& key, unsigned mods, bool repeat, int64_t now);
void webKeyUp(const std::string& key);
// Every key up: the page lost the keyboard.
void webKeysReleaseAll();
// One script line from the page's controls: press, release, set, slot or
// clock. Returns the error that refused it, or "" when it was applied.
std::string webLine(const std::string& line);
// Sound off or on, with a word in the message bar.
void webToggleMute(int64_t now);
// Shows text in the message bar over the bezel.
void webMessage(const std::string& text, int64_t now);
// Brings the picture up to date (the message bar's time included); returns
// the rectangle of webPixels() that changed.
HostRect webPresent(int64_t now);
// The window picture as RGBA bytes, BEZEL_WIDTH x BEZEL_HEIGHT, rows top first.
const uint8_t* webPixels();
// Fast ticks run since power-on.
long long webTicks();
// The session recorded so far, closed with the wait up to now: a script that
// qx70-run replays to the same pictures.
std::string webRecording();
// A change from the page's device panel: steps on a number row, or a flag
// row switched (toggle); written as the window's panel writes it, and recorded.
void webPanelChange(int row, int steps, bool toggle);
// A script line for the recording: a picture the page saved after this tick.
void webRecordShot(const std::string& file, bool window);
// Before a script runs on the page: every key let go, the sound silent.
void webBeforeScript();
// After a script ran ticks fast ticks from power-on, its lines up to the
// one it stopped at (all of it when none) in head: the session goes on from
// there, paused if it was, and head starts its recording.
void webAfterScript(int64_t now, long long ticks, const std::string& head);
// Opaque 0xAARRGGBB pixels as RGBA bytes, n of them.
void webToRgba(const uint32_t* argb, uint32_t* rgba, size_t n);
