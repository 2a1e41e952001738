// Keeps a harmless X11 error from ending the program on close.
#pragma once

// Installs an Xlib error handler that drops BadWindow errors of SendEvent
// requests (SDL's wake-up message to a window that was destroyed meanwhile)
// and passes every other error to Xlib's default handler. Call it before
// SDL_Init: SDL chains to the handler it finds and puts it back on SDL_Quit,
// just before it closes the connection on which the error arrives.
void sdlIgnoreStaleWakeupErrors();
