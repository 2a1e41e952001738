// The feed's UDP socket. It is read without blocking on the ticks the window
// already has: no thread, no wake-up of its own, and a closed door when
// nothing arrives.
#pragma once

#include <string>

#include "desk/feed.h"
#include "desk/options.h"

// Binds a non-blocking UDP socket to the address; false with a one-line reason.
bool feedSocketOpen(const FeedAddress& address, std::string* why);
// Hands the datagrams waiting to the feed, as many as its budget for this
// tick takes; the rest wait for the next tick (or the system drops them).
void feedSocketRead(FeedState& feed);
void feedSocketClose();
