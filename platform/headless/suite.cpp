// Child processes for many scripts. Each child runs one job and writes to a
// pipe: progress records while it runs, then one result record. The parent
// waits on all pipes at once and keeps the progress line of the first script
// still running.
#include "platform/headless/suite.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/headless/progress.h"

// ---- Constants ----------------------------------------------------------------

namespace {

using Clock = std::chrono::steady_clock;

constexpr char PROGRESS_RECORD = 'P';  // int32 line, int64 ticks
constexpr char RESULT_RECORD = 'R';    // int32 status, double seconds, uint32 count, messages
constexpr size_t PROGRESS_BYTES = 1 + sizeof(int32_t) + sizeof(int64_t);
constexpr auto CHILD_PROGRESS_EVERY = std::chrono::milliseconds(100);
constexpr int POLL_MS = 100;
constexpr size_t READ_CHUNK = 64 * 1024;

// ---- Types --------------------------------------------------------------------

struct Child {
    size_t index;
    pid_t pid;
    int fd;
    Clock::time_point start;
    std::string bytes;  // received and not yet taken
    int line = 0;
    long long ticks = 0;
};

// ---- Private helpers ----------------------------------------------------------

template <typename T>
void put(std::string& s, T v) {
    s.append(reinterpret_cast<const char*>(&v), sizeof v);
}

template <typename T>
bool get(const std::string& s, size_t& at, T& v) {
    if (at + sizeof v > s.size()) return false;
    std::memcpy(&v, s.data() + at, sizeof v);
    at += sizeof v;
    return true;
}

void writeAll(int fd, const std::string& s) {
    size_t at = 0;
    while (at < s.size()) {
        const ssize_t n = write(fd, s.data() + at, s.size() - at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // the parent is gone; nobody is left to tell
        at += static_cast<size_t>(n);
    }
}

std::string encodeResult(const HeadlessResult& r) {
    std::string s(1, RESULT_RECORD);
    put<int32_t>(s, static_cast<int32_t>(r.status));
    put<double>(s, r.seconds);
    put<uint32_t>(s, static_cast<uint32_t>(r.messages.size()));
    for (const ScriptError& e : r.messages) {
        put<int32_t>(s, e.line);
        put<uint32_t>(s, static_cast<uint32_t>(e.message.size()));
        s += e.message;
    }
    return s;
}

bool decodeResult(const std::string& s, HeadlessResult& r) {
    size_t at = 1;
    int32_t status = 0;
    uint32_t count = 0;
    if (s.empty() || s[0] != RESULT_RECORD || !get(s, at, status) || !get(s, at, r.seconds) ||
        !get(s, at, count)) {
        return false;
    }
    r.status = static_cast<ScriptStatus>(status);
    for (uint32_t i = 0; i < count; ++i) {
        int32_t line = 0;
        uint32_t size = 0;
        if (!get(s, at, line) || !get(s, at, size) || at + size > s.size()) return false;
        r.messages.push_back({line, s.substr(at, size)});
        at += size;
    }
    return at == s.size();
}

// The child: runs its job, tells the parent about it, and ends without
// running the parent's exit handlers or flushing its copied buffers. It ends
// with the parent too, so a stopped runner leaves no script running on.
[[noreturn]] void childMain(const HeadlessJob& job, const HeadlessJobOptions& options, int fd,
                            pid_t parent) {
    progressDetach();
    if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) _exit(EXIT_FAILURE);
    Clock::time_point last = Clock::now();
    const ScriptProgress progress = [&](int line, long long ticks) {
        const Clock::time_point now = Clock::now();
        if (now - last < CHILD_PROGRESS_EVERY) return;
        last = now;
        std::string record(1, PROGRESS_RECORD);
        put<int32_t>(record, line);
        put<int64_t>(record, ticks);
        writeAll(fd, record);
    };
    writeAll(fd, encodeResult(headlessRunJob(job, options, progress)));
    close(fd);
    _exit(0);
}

HeadlessResult failure(const HeadlessJob& job, const std::string& why) {
    HeadlessResult r;
    r.messages.push_back({0, "qx70-run: the run of " + job.name + " " + why});
    return r;
}

// Starts a child for the job; false with the result when it cannot start.
bool start(const HeadlessJob& job, size_t index, const HeadlessJobOptions& options,
           std::vector<Child>& running, HeadlessResult& result) {
    int p[2];
    if (pipe2(p, O_CLOEXEC) != 0) {
        result = failure(job, std::string("could not start: ") + std::strerror(errno));
        return false;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        close(p[0]);
        childMain(job, options, p[1], parent);
    }
    close(p[1]);
    if (pid < 0) {
        close(p[0]);
        result = failure(job, std::string("could not start: ") + std::strerror(errno));
        return false;
    }
    running.push_back({index, pid, p[0], Clock::now(), {}, 0, 0});
    return true;
}

// Takes the progress records at the front of what the child sent.
void takeProgress(Child& c) {
    size_t at = 0;
    while (c.bytes.size() - at >= PROGRESS_BYTES && c.bytes[at] == PROGRESS_RECORD) {
        ++at;
        int32_t line = 0;
        int64_t ticks = 0;
        get(c.bytes, at, line);
        get(c.bytes, at, ticks);
        c.line = line;
        c.ticks = ticks;
    }
    c.bytes.erase(0, at);
}

// The child's verdict once its pipe is closed; a child that died before
// giving one is an error that says how it ended.
HeadlessResult finish(Child& c, const HeadlessJob& job) {
    close(c.fd);
    int status = 0;
    while (waitpid(c.pid, &status, 0) < 0 && errno == EINTR) {}
    takeProgress(c);
    HeadlessResult r;
    if (decodeResult(c.bytes, r)) return r;
    if (WIFSIGNALED(status)) {
        return failure(job, "ended by signal " + std::to_string(WTERMSIG(status)) + " (" +
                                strsignal(WTERMSIG(status)) + ")");
    }
    return failure(
        job, "ended with exit status " + std::to_string(WEXITSTATUS(status)) + " and no verdict");
}

// Reads what the child sent; true when its pipe is closed.
bool readChild(Child& c) {
    char buffer[READ_CHUNK];
    const ssize_t n = read(c.fd, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return false;
    if (n <= 0) return true;
    c.bytes.append(buffer, static_cast<size_t>(n));
    takeProgress(c);
    return false;
}

void showProgress(const std::vector<Child>& running, const std::vector<HeadlessJob>& jobs,
                  int done) {
    const Child* first = nullptr;
    for (const Child& c : running) {
        if (first == nullptr || c.index < first->index) first = &c;
    }
    if (first == nullptr) return;
    const double seconds = std::chrono::duration<double>(Clock::now() - first->start).count();
    progressUpdate({&jobs[first->index].name, first->line, first->ticks, seconds, done,
                    static_cast<int>(jobs.size())});
}

}  // namespace

// ---- Public operations --------------------------------------------------------------

// Keeps up to parallel children running, waits on their pipes, and reports
// the results in order.
std::vector<HeadlessResult> headlessRunSuite(const std::vector<HeadlessJob>& jobs,
                                             const HeadlessJobOptions& options, int parallel,
                                             const HeadlessReport& report) {
    std::vector<HeadlessResult> results(jobs.size());
    std::vector<bool> finished(jobs.size(), false);
    std::vector<Child> running;
    size_t next = 0, reported = 0;
    int done = 0;
    while (reported < jobs.size()) {
        while (static_cast<int>(running.size()) < parallel && next < jobs.size()) {
            if (!start(jobs[next], next, options, running, results[next])) {
                finished[next] = true;
                ++done;
            }
            ++next;
        }
        std::vector<pollfd> fds;
        for (const Child& c : running) fds.push_back({c.fd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), POLL_MS) > 0) {
            for (size_t i = fds.size(); i-- > 0;) {
                if (fds[i].revents == 0 || !readChild(running[i])) continue;
                const size_t index = running[i].index;
                results[index] = finish(running[i], jobs[index]);
                finished[index] = true;
                ++done;
                running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        while (reported < jobs.size() && finished[reported]) {
            report(reported, results[reported]);
            ++reported;
        }
        showProgress(running, jobs, done);
    }
    return results;
}
