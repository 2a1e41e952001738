// A feed of live readings as the unit takes it. Datagrams are parsed as they
// are read (at most a budget per tick, so a flood cannot stall the window),
// their data sets are merged (the newest value wins), and at the next step
// they go into the device as set lines, the way a script's set line writes
// them, so a recording of the lines replays the flight. After one second
// without a data set the validity inputs of the readings the feed drives go
// invalid until data comes back. Platform-independent: the window reads the
// socket, qx70-run plays captures through the same steps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "desk/feed_formats.h"
#include "script/script.h"

// ---- Constants ----------------------------------------------------------------

inline constexpr int FEED_SILENCE_TICKS = FAST_TICKS_PER_SECOND;  // one second
inline constexpr int FEED_DATAGRAMS_PER_TICK = 64;
inline constexpr size_t FEED_BYTES_PER_TICK = 256 * 1024;
inline constexpr int FEED_SOURCE_CAPACITY = 64;
inline constexpr int FEED_STATUS_CAPACITY = 128;

// ---- Types --------------------------------------------------------------------

enum class FeedLink : uint8_t {
    Waiting,  // no data set yet
    Live,     // data sets arrive
    Silent,   // none for FEED_SILENCE_TICKS: the fed readings are invalid
};

// One feed; every array is indexed by element of SimDevice.
struct FeedState {
    char source[FEED_SOURCE_CAPACITY] = "";  // where it listens, for the status
    FeedLink link = FeedLink::Waiting;
    long long lastDataTick = 0;
    FeedDataSet pending;                // merged since the last step
    int pendingSets = 0;                // data sets merged into it
    bool driven[FEED_MAX_VALUES] = {};  // the feed writes the element
    bool sent[FEED_MAX_VALUES] = {};    // the source itself sent it
    double sentValue[FEED_MAX_VALUES] = {};
    bool written[FEED_MAX_VALUES] = {};  // a line for it was given
    double writtenValue[FEED_MAX_VALUES] = {};
    bool demoSwitchedOff = false;
    long long received = 0;                    // data sets accepted
    long long dropped = 0;                     // data sets and datagrams refused
    FeedReject lastReject = FeedReject::None;  // why the last refused one was
    FeedFormat format = FeedFormat::Plain;     // of the last accepted data set
    int rate = -1;                             // data sets in the last whole second; -1 before
    long long setsThisSecond = 0;
    long long secondStart = 0;
    int datagramsThisTick = 0;
    size_t bytesThisTick = 0;
};

// ---- Public operations --------------------------------------------------------

// A feed from source, with nothing received.
void feedReset(FeedState& s, const char* source);
// True while this tick's budget takes another datagram.
bool feedWantsMore(const FeedState& s);
// One datagram of size bytes. A size over FEED_MAX_DATAGRAM is counted as
// dropped without reading data, which may then hold less.
void feedReceive(FeedState& s, const uint8_t* data, size_t size);
// One accepted data set (a capture line).
void feedAccept(FeedState& s, const FeedDataSet& set, FeedFormat format);
// After tick ticks: the set and slot lines for the unit (empty when nothing
// changes), and a fresh budget. The first data switches demo mode off, a fed
// pitch stops the pitch ramp, and the fed readings' validity inputs follow
// the link.
void feedStep(FeedState& s, long long tick, std::vector<ScriptCommand>& lines);
// True when the feed writes element (row, col) of f.
bool feedDrives(const FeedState& s, const DeviceField& f, int row, int col);
// "Feed udp:127.0.0.1:5500: FlightGear, 25 data sets/s" and the like.
void feedStatusText(const FeedState& s, long long tick, char (&out)[FEED_STATUS_CAPACITY]);
// Reads a capture, lines of "TICK FIELD=VALUE ..." in the plain format with
// ticks counted from its start (blank lines and '#' comments allowed), into
// the set and slot lines the window would have made of it; false with the
// reasons (line numbers of the capture) when a line is bad.
bool feedCaptureRead(std::string_view text, std::vector<ScriptTimedCommand>& lines,
                     std::vector<ScriptError>& errors);

// The window's feed.
FeedState& deskFeed();
