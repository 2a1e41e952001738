// Reads through open/fstat/read so the kind and size of the file are known
// before its content is touched.
#include "platform/files/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

// ---- Private helpers ------------------------------------------------------

namespace {

// "4 MiB" for whole mebibytes, else the bytes.
std::string sizeText(size_t bytes) {
    constexpr size_t MIB = 1024 * 1024;
    if (bytes % MIB == 0) return std::to_string(bytes / MIB) + " MiB";
    return std::to_string(bytes) + " bytes";
}

std::string tooLarge(size_t limit, const std::string& size) {
    return "it is larger than " + sizeText(limit) + " (" + size + ")";
}

std::string reasonOf(int error) {
    switch (error) {
        case ENOENT: return "no such file";
        case EACCES:
        case EPERM: return "permission denied";
        case EISDIR: return "it is a folder";
        default: return std::strerror(error);
    }
}

// Reads at most limit + 1 bytes from fd.
bool readUpTo(int fd, size_t limit, std::string* text, std::string* why) {
    text->clear();
    char buffer[65536];
    while (text->size() <= limit) {
        const size_t want = std::min(sizeof buffer, limit + 1 - text->size());
        const ssize_t n = read(fd, buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            *why = reasonOf(errno);
            return false;
        }
        if (n == 0) return true;
        text->append(buffer, static_cast<size_t>(n));
    }
    *why = tooLarge(limit, "more than " + std::to_string(limit) + " bytes");
    return false;
}

}  // namespace

// ---- Public operations ----------------------------------------------------

bool readBoundedFile(const std::string& path, size_t limit, std::string* text, std::string* why) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *why = reasonOf(errno);
        return false;
    }
    struct stat st = {};
    bool ok = fstat(fd, &st) == 0;
    if (!ok) {
        *why = reasonOf(errno);
    } else if (S_ISDIR(st.st_mode)) {
        *why = "it is a folder";
        ok = false;
    } else if (S_ISREG(st.st_mode) && static_cast<unsigned long long>(st.st_size) > limit) {
        *why = tooLarge(limit, std::to_string(st.st_size) + " bytes");
        ok = false;
    } else {
        ok = readUpTo(fd, limit, text, why);
    }
    close(fd);
    return ok;
}

bool readBoundedStream(FILE* in, size_t limit, std::string* text, std::string* why) {
    return readUpTo(fileno(in), limit, text, why);
}
