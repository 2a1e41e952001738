// Asks an X11 window to close the way a window manager does when the user
// clicks its close button: a WM_PROTOCOLS client message with WM_DELETE_WINDOW.
// Usage: x11_close WINDOW_ID
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: x11_close WINDOW_ID\n");
        return 2;
    }
    char* end = nullptr;
    const unsigned long id = std::strtoul(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0' || id == 0) {
        std::fprintf(stderr, "x11_close: not a window id: %s\n", argv[1]);
        return 2;
    }
    Display* dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr) {
        std::fprintf(stderr, "x11_close: cannot open the display\n");
        return 1;
    }
    XEvent ev = {};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = id;
    ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(dpy, id, False, NoEventMask, &ev);
    XSync(dpy, False);
    XCloseDisplay(dpy);
    return sent ? 0 : 1;
}
