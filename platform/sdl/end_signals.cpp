// The handler only records the signal; the event loop, which wakes at least
// every few milliseconds, does the rest outside the handler.
#include "platform/sdl/end_signals.h"

#include <SDL.h>

#include <csignal>

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int END_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};

// ---- Module state ---------------------------------------------------------

volatile sig_atomic_t received = 0;

// ---- Private helpers ------------------------------------------------------

void onSignal(int sig) { received = sig; }

}  // namespace

// ---- Public operations ----------------------------------------------------

void endSignalsInstall() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    for (int sig : END_SIGNALS) sigaction(sig, &sa, nullptr);
}

int endSignalReceived() { return received; }

void endSignalsRaiseReceived() {
    const int sig = received;
    if (sig == 0) return;
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}
