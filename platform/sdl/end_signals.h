// SIGINT, SIGTERM and SIGHUP (a closed terminal) end the window like a click
// on its close button: the loop sees the request, the session and its
// recording end properly, and then the signal ends the process as it would
// have.
#pragma once

// Installs the handlers; call before SDL_Init, which is told to keep its own.
void endSignalsInstall();
// The signal that asked the window to end, or 0.
int endSignalReceived();
// Ends the process with that signal if there was one; returns otherwise.
void endSignalsRaiseReceived();
