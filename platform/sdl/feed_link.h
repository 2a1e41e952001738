// The window's feed: a UDP socket read without blocking on the ticks the
// window already has (no thread, no wake-up of its own, nothing done when
// nothing arrives), the feed's steps into the unit and the recordings, and
// the status bar.
#pragma once

#include <string>

#include "desk/options.h"

// Binds a non-blocking UDP socket to the address, before the window opens;
// false with a one-line reason.
bool sdlFeedOpen(const FeedAddress& address, std::string* why);
// Once per tick the window has run: the datagrams waiting (as many as the
// feed's budget takes; the system drops what waits beyond a few ticks), then
// the lines they or a silence give, into the device and the recordings; and
// the status bar. Does nothing without a feed.
void sdlFeedFollow(long long ticks);
void sdlFeedClose();
