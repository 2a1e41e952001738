// The progress line: carriage return, the text cut to the terminal's width,
// erase to the end of the line. A signal that ends the program erases it
// too, so an interrupted run leaves the terminal clean, and is then handed to
// the handler that was there before (which removes half-written files).
#include "platform/headless/progress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iterator>

#include "shell/shell.h"

// ---- Constants ----------------------------------------------------------------

namespace {

using Clock = std::chrono::steady_clock;

constexpr double SHOW_AFTER_SECONDS = 2.0;
constexpr double REDRAW_SECONDS = 0.25;
constexpr int DEFAULT_COLUMNS = 80;
constexpr char ERASE[] = "\r\033[K";
constexpr int ENDING_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int SIGNAL_COUNT = static_cast<int>(std::size(ENDING_SIGNALS));

// ---- Module state ---------------------------------------------------------------

struct ProgressState {
    bool enabled = false;
    Clock::time_point start;
    Clock::time_point lastDraw;
};

ProgressState state;
volatile std::sig_atomic_t drawn = 0;     // a line is on the terminal now
struct sigaction previous[SIGNAL_COUNT];  // the handlers before ours

// ---- Private helpers ----------------------------------------------------------

// Erases the line, puts the earlier handler back and raises the signal again:
// it arrives once this handler returns.
void eraseOnSignal(int sig) {
    if (drawn != 0) {
        const ssize_t ignored = write(STDERR_FILENO, ERASE, sizeof ERASE - 1);
        (void)ignored;
    }
    for (int i = 0; i < SIGNAL_COUNT; ++i) {
        if (ENDING_SIGNALS[i] == sig) sigaction(sig, &previous[i], nullptr);
    }
    std::raise(sig);
}

int columns() {
    winsize ws{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0) return ws.ws_col;
    return DEFAULT_COLUMNS;
}

// Control characters in a file name must not reach the terminal as such.
std::string printable(const std::string& s) {
    std::string p = s;
    for (char& c : p) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) c = '?';
    }
    return p;
}

// Cut to width bytes without splitting a UTF-8 character.
void cut(std::string& s, size_t width) {
    if (s.size() <= width) return;
    while (width > 0 && (static_cast<unsigned char>(s[width]) & 0xC0) == 0x80) --width;
    s.resize(width);
}

std::string text(const ProgressView& v) {
    const long long seconds = v.ticks / FAST_TICKS_PER_SECOND;
    char clock[48];
    std::snprintf(clock, sizeof clock, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    const double speed = v.seconds > 0 ? static_cast<double>(seconds) / v.seconds : 0.0;
    char tail[96];
    std::snprintf(tail, sizeof tail, "  virtual %s  %.*fx real time", clock, speed < 10 ? 1 : 0,
                  speed);
    // Appended piece by piece: "literal" + string temporaries trip a false
    // -Wrestrict warning of GCC 12 in optimised builds.
    std::string s;
    if (v.total > 1) {
        s += '[';
        s += std::to_string(v.done);
        s += '/';
        s += std::to_string(v.total);
        s += "] ";
    }
    s += printable(*v.script);
    if (v.line > 0) {
        s += ':';
        s += std::to_string(v.line);
    }
    s += tail;
    return s;
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

void progressStart(bool wanted) {
    state = ProgressState{};
    state.enabled = wanted && isatty(STDERR_FILENO) != 0;
    state.start = Clock::now();
    if (!state.enabled) return;
    struct sigaction sa {};
    sa.sa_handler = eraseOnSignal;
    sigemptyset(&sa.sa_mask);
    for (int i = 0; i < SIGNAL_COUNT; ++i) sigaction(ENDING_SIGNALS[i], &sa, &previous[i]);
}

void progressUpdate(const ProgressView& view) {
    if (!state.enabled) return;
    const Clock::time_point now = Clock::now();
    if (std::chrono::duration<double>(now - state.start).count() < SHOW_AFTER_SECONDS) return;
    if (drawn != 0 && std::chrono::duration<double>(now - state.lastDraw).count() < REDRAW_SECONDS)
        return;
    std::string line = text(view);
    cut(line, static_cast<size_t>(columns() - 1));
    std::fprintf(stderr, "\r%s\033[K", line.c_str());
    std::fflush(stderr);
    drawn = 1;
    state.lastDraw = now;
}

void progressClear() {
    if (drawn == 0) return;
    std::fputs(ERASE, stderr);
    std::fflush(stderr);
    drawn = 0;
}

void progressDetach() {
    if (state.enabled) {
        for (int i = 0; i < SIGNAL_COUNT; ++i) sigaction(ENDING_SIGNALS[i], &previous[i], nullptr);
    }
    state.enabled = false;
    drawn = 0;
}
