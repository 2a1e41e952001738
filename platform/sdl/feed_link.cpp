// A small receive buffer keeps a flood short: what the socket holds beyond
// a few ticks' budget is dropped by the system, so the newest data sets are
// the ones read.
#include "platform/sdl/feed_link.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "desk/feed.h"
#include "desk/session_record.h"
#include "desk/ui.h"
#include "script/run.h"

// ---- Constants ----------------------------------------------------------------

namespace {

constexpr int RECEIVE_BUFFER = static_cast<int>(FEED_MAX_DATAGRAM);

// ---- Module state -------------------------------------------------------------

struct LinkState {
    int fd = -1;
    long long readAt = -1;  // the ticks run when the socket was last read
    std::vector<ScriptCommand> lines;
};

LinkState sock;
// MSG_TRUNC tells the whole length of a larger datagram, which is dropped.
uint8_t buffer[FEED_MAX_DATAGRAM];

// ---- Private helpers ----------------------------------------------------------

void readSocket(FeedState& feed) {
    while (feedWantsMore(feed)) {
        const ssize_t n = recv(sock.fd, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return;  // nothing more waiting
        feedReceive(feed, buffer, static_cast<size_t>(n));
    }
}

StatusTone toneOf(FeedLink l) {
    switch (l) {
        case FeedLink::Live: return StatusTone::Good;
        case FeedLink::Silent: return StatusTone::Warning;
        default: return StatusTone::Waiting;
    }
}

}  // namespace

// ---- Public operations --------------------------------------------------------

bool sdlFeedOpen(const FeedAddress& a, std::string* why) {
    char name[32];
    deskFeedText(a, name);
    sock.fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (sock.fd < 0) {
        *why = std::string("cannot open ") + name + ": " + std::strerror(errno);
        return false;
    }
    setsockopt(sock.fd, SOL_SOCKET, SO_RCVBUF, &RECEIVE_BUFFER, sizeof RECEIVE_BUFFER);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(a.port);
    std::memcpy(&addr.sin_addr.s_addr, a.ip, sizeof a.ip);
    if (bind(sock.fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        *why = std::string("cannot listen on ") + name + ": " + std::strerror(errno);
        sdlFeedClose();
        return false;
    }
    feedReset(deskFeed(), name);
    return true;
}

void sdlFeedFollow(long long ticks) {
    if (sock.fd < 0) return;
    FeedState& feed = deskFeed();
    if (ticks != sock.readAt) {
        sock.readAt = ticks;
        readSocket(feed);
        feedStep(feed, ticks, sock.lines);
        for (const ScriptCommand& c : sock.lines) {
            scriptApplyWrite(c);
            recordCommand(ticks, c);
            recordCommand(ticks, c, RecordStream::Feed);
        }
    }
    char status[FEED_STATUS_CAPACITY];
    feedStatusText(feed, ticks, status);
    deskUiSetStatus(status, toneOf(feed.link));
}

void sdlFeedClose() {
    if (sock.fd >= 0) close(sock.fd);
    sock = {};
}
