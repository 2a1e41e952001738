// Temporary files are created with mkstemp next to the destination and
// registered in a small table that a signal handler can walk without
// allocating, so an interrupted write removes them before the process ends.
#include "platform/files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

// ---- Constants ------------------------------------------------------------

namespace {

constexpr int SLOTS = 8;            // temporary files open at once
constexpr size_t SLOT_PATH = 4096;  // PATH_MAX on Linux
constexpr int CLEANUP_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};
constexpr size_t PROBE_BYTES = 4096;  // one block of the file system

// ---- Types ----------------------------------------------------------------

struct Slot {
    volatile sig_atomic_t used;
    char path[SLOT_PATH];
};

// ---- Module state ---------------------------------------------------------

Slot slots[SLOTS];

// ---- Private helpers ------------------------------------------------------

std::string reason(const std::string& path, const char* why) {
    return "cannot write " + path + ": " + why;
}

// Remembers temp for the signal handler; -1 when the table is full (the file
// is still written safely, only not removed on a signal).
int registerTemp(const std::string& temp) {
    if (temp.size() >= SLOT_PATH) return -1;
    for (int i = 0; i < SLOTS; ++i) {
        if (slots[i].used) continue;
        std::memcpy(slots[i].path, temp.c_str(), temp.size() + 1);
        slots[i].used = 1;
        return i;
    }
    return -1;
}

void unregisterTemp(WholeFile* w) {
    if (w->slot >= 0) slots[w->slot].used = 0;
    w->slot = -1;
}

// "DIR/.NAME.XXXXXX": hidden, in the destination's folder.
std::string tempTemplate(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return dir + "." + name + ".XXXXXX";
}

// New files get the permissions fopen would give them.
mode_t creationMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

void onSignal(int sig) {
    for (Slot& s : slots) {
        if (s.used) unlink(s.path);
    }
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

void closeAndRemove(WholeFile* w) {
    unregisterTemp(w);
    if (w->file != nullptr) std::fclose(w->file);
    w->file = nullptr;
    if (!w->temp.empty()) unlink(w->temp.c_str());
    w->temp.clear();
}

}  // namespace

// ---- Public operations ----------------------------------------------------

// A rewrite replaces the file a link points to, not the link, and keeps the
// permissions the file had (a private recording stays private).
bool wholeFileBegin(WholeFile* w, const std::string& path, std::string* message) {
    *w = {};
    w->path = path;
    struct stat st = {};
    const bool exists = stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        *message = reason(path, "it is a folder");
        return false;
    }
    if (exists) {
        char* target = realpath(path.c_str(), nullptr);
        if (target != nullptr) w->path = target;
        std::free(target);
    }
    std::string temp = tempTemplate(w->path);
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        *message = reason(path, std::strerror(errno));
        return false;
    }
    w->temp = temp;
    w->slot = registerTemp(temp);
    fchmod(fd, exists ? st.st_mode & 07777 : creationMode());
    w->file = fdopen(fd, "wb");
    if (w->file == nullptr) {
        *message = reason(path, std::strerror(errno));
        close(fd);
        closeAndRemove(w);
        return false;
    }
    return true;
}

bool wholeFileCommit(WholeFile* w, std::string* message) {
    if (w->file == nullptr) {
        *message = reason(w->path, "nothing was written");
        return false;
    }
    errno = 0;
    const bool flushed = std::fflush(w->file) == 0 && std::ferror(w->file) == 0;
    // An error kept from an earlier write leaves errno unset: call it an I/O error.
    const int flushError = errno != 0 ? errno : EIO;
    const bool closed = std::fclose(w->file) == 0;
    const int closeError = errno;
    w->file = nullptr;
    if (!flushed || !closed) {
        *message = reason(w->path, std::strerror(!flushed ? flushError : closeError));
        closeAndRemove(w);
        return false;
    }
    if (std::rename(w->temp.c_str(), w->path.c_str()) != 0) {
        *message = reason(w->path, std::strerror(errno));
        closeAndRemove(w);
        return false;
    }
    unregisterTemp(w);
    w->temp.clear();
    return true;
}

void wholeFileAbandon(WholeFile* w) { closeAndRemove(w); }

std::string wholeFileProbe(const std::string& path) {
    std::string temp = tempTemplate(path);
    const int fd = mkstemp(temp.data());
    if (fd < 0) return std::strerror(errno);
    const int slot = registerTemp(temp);
    static const char zeros[PROBE_BYTES] = {};
    std::string why;
    for (size_t done = 0; done < sizeof zeros && why.empty();) {
        const ssize_t n = write(fd, zeros + done, sizeof zeros - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) why = n < 0 ? std::strerror(errno) : "the disk is full";
        done += n > 0 ? static_cast<size_t>(n) : 0;
    }
    if (close(fd) != 0 && why.empty()) why = std::strerror(errno);
    unlink(temp.c_str());
    if (slot >= 0) slots[slot].used = 0;
    return why;
}

bool wholeFileWrite(const std::string& path, const std::string& text, std::string* message) {
    WholeFile w;
    if (!wholeFileBegin(&w, path, message)) return false;
    if (std::fwrite(text.data(), 1, text.size(), w.file) != text.size()) {
        *message = reason(path, std::strerror(errno));
        wholeFileAbandon(&w);
        return false;
    }
    return wholeFileCommit(&w, message);
}

void wholeFileCleanUpOnSignals() {
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    for (int sig : CLEANUP_SIGNALS) sigaddset(&sa.sa_mask, sig);
    for (int sig : CLEANUP_SIGNALS) sigaction(sig, &sa, nullptr);
}
