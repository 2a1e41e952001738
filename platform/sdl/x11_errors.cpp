// SDL 2.26 wakes its event wait by sending a message to the window over a
// second X connection. When the close request itself triggers that wake-up,
// the server may handle our window's destruction first; the BadWindow error
// then reaches Xlib's default handler, which exits with status 1 (seen in
// about one close in four under load). The message was only a wake-up for a
// wait that has ended, so its error is dropped.
#include "platform/sdl/x11_errors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace {

XErrorHandler previousHandler = nullptr;

int dropStaleWakeup(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return previousHandler != nullptr ? previousHandler(display, error) : 0;
}

}  // namespace

void sdlIgnoreStaleWakeupErrors() { previousHandler = XSetErrorHandler(dropStaleWakeup); }
