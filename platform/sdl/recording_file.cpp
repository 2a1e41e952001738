// The lock is an advisory flock on the final file itself, held from before
// the window opens until the recording has replaced it.
#include "platform/sdl/recording_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files/whole_file.h"

// ---- Module state ---------------------------------------------------------

namespace {

struct RecordingFileState {
    std::string path;
    int lockFd = -1;
    bool createdForLock = false;  // the file did not exist before the lock
    WholeFile temp;               // the recording while the session runs
};

RecordingFileState rec;

}  // namespace

// ---- Public operations ----------------------------------------------------

bool recordingFileLock(const char* path, std::string* why) {
    rec = {};
    rec.path = path;
    rec.createdForLock = access(path, F_OK) != 0;
    rec.lockFd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (rec.lockFd < 0) {
        *why = "cannot write " + rec.path + ": " + std::strerror(errno);
        rec.createdForLock = false;
        return false;
    }
    if (flock(rec.lockFd, LOCK_EX | LOCK_NB) != 0) {
        *why = errno == EWOULDBLOCK ? rec.path + " is being recorded by another qx70sim"
                                    : "cannot lock " + rec.path + ": " + std::strerror(errno);
        recordingFileRelease();
        return false;
    }
    // The folder must take the temporary file too: try one now.
    WholeFile probe;
    if (!wholeFileBegin(&probe, rec.path, why)) {
        recordingFileRelease();
        return false;
    }
    wholeFileAbandon(&probe);
    return true;
}

bool recordingFileStart(std::string* why) { return wholeFileBegin(&rec.temp, rec.path, why); }

bool recordingFileAppend(const std::string& text, std::string* why) {
    if (rec.temp.file == nullptr) return false;
    if (std::fwrite(text.data(), 1, text.size(), rec.temp.file) == text.size() &&
        std::fflush(rec.temp.file) == 0) {
        return true;
    }
    *why = "cannot write " + rec.path + ": " + std::strerror(errno);
    wholeFileAbandon(&rec.temp);
    return false;
}

bool recordingFileFinish(std::string* why) {
    if (rec.temp.file == nullptr) return false;
    if (!wholeFileCommit(&rec.temp, why)) return false;
    rec.createdForLock = false;  // the recording is the file now
    return true;
}

void recordingFileRelease() {
    if (rec.temp.file != nullptr) wholeFileAbandon(&rec.temp);
    if (rec.createdForLock) unlink(rec.path.c_str());
    if (rec.lockFd >= 0) close(rec.lockFd);
    rec = {};
}
